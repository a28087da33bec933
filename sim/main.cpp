// vorn-kdu-sim: the simulated interface unit behind a pseudo-terminal. Prints the terminal's path on
// the first line of standard output, then serves until it is stopped (SIGINT, SIGTERM) or unplugged.
#include "platform/Folders.h"
#include "sim/DemoUnit.h"
#include "sim/PtyBridge.h"
#include "sim/SimOptions.h"

#include <CLI/CLI.hpp>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested.store(true);
}

// Stop signals interrupt whatever waits, so the bridge sees the request at once.
void HandleStopSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

// Makes path a symbolic link to the port. A link already there (one left by an earlier run) is
// replaced; anything else is not ours to delete, so it is refused.
bool MakeLink(const std::string& path, const std::string& port, std::string& error) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        error = path + " exists and is not a symbolic link; it is left alone";
        return false;
    }
    // Made beside it and renamed over it, so the path never names anything half made.
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string temporary = folder + ".vorn-kdu-sim-" + std::to_string(::getpid());
    if (::symlink(port.c_str(), temporary.c_str()) != 0) {
        error = "cannot create the link " + path + ": " + std::strerror(errno);
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot create the link " + path + ": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Removes the link at the end, but only while it still is the one made here.
void RemoveLink(const std::string& path, const std::string& port) {
    struct stat info {};
    std::array<char, 4096> target{};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return;
    }
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length > 0 && std::string(target.data(), static_cast<std::size_t>(length)) == port) {
        ::unlink(path.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace vorn::sim;
    SimScenario scenario;
    std::vector<std::string> devices;
    std::vector<std::string> presenceUnits;
    std::vector<std::string> transmitters;
    std::vector<std::string> faults;
    std::string linkPath;
    long replyDelay = scenario.ReplyDelay.count();
    long airTime = scenario.AirTime.count();
    long radioJobTimeout = scenario.RadioJobTimeout.count();
    long codeRequestTimeout = scenario.CodeRequestTimeout.count();
    bool debug = false;
    bool demo = false;

    CLI::App app{"Simulated KDU interface unit behind a pseudo-terminal.\n"
                 "Prints the terminal's path, then answers the programmer's commands on it.\n"
                 "Example: vorn-kdu-sim --device 23:1234:1 --presence 12AB --fault 'v:checksum'"};
    app.add_option("--unit-version", scenario.VersionText, "Unit firmware version text (11 characters)")
        ->capture_default_str();
    app.add_option("--reply-delay", replyDelay, "Milliseconds from a command to the unit's answer")
        ->capture_default_str();
    app.add_option("--pending", scenario.PendingPolls, "\"02\" answers before a device answers a memory job")
        ->capture_default_str();
    app.add_option("--no-answer-polls", scenario.NoAnswerPolls,
                   "\"02\" answers before \"05\" when no device answers")
        ->capture_default_str();
    app.add_option("--air-time", airTime, "Milliseconds a family B transfer takes after the button press")
        ->capture_default_str();
    app.add_option("--radio-job-timeout", radioJobTimeout,
                   "Milliseconds a family B radio job waits for the button before it reports no contact")
        ->capture_default_str();
    app.add_option("--code-request-timeout", codeRequestTimeout,
                   "Milliseconds a device-code request waits for the button before it reports failure")
        ->capture_default_str();
    app.add_option("--max-entries", scenario.MaxEntries, "Read or write entries the unit holds (each list)")
        ->capture_default_str();
    app.add_flag("--demo", demo,
                 "The demo devices of vornctl --simulate: TARV 1001 and DADIDU 3001 on band 1, HESK 12AB "
                 "(button after 1.5 s), transmitter 4D2E");
    app.add_option("--device", devices,
                   "Family A or C device TYPE:SERIAL[:BAND[:FILE]] (type hexadecimal, e.g. 23 or 4B; "
                   "band 1 by default; FILE a 256-byte image)");
    app.add_option("--presence", presenceUnits,
                   "Family B unit CODE[:TYPE[:PRESS_MS[:FILE]]] (button pressed PRESS_MS after a request, "
                   "1000 by default, '-' never; TYPE 13 by default)");
    app.add_option("--transmitter", transmitters,
                   "Transmitter CODE[:AFTER_MS], sent AFTER_MS after listening starts");
    app.add_option(
        "--fault", faults,
        "Fault MATCH:KIND[=ARG][@SKIP][*TIMES]; kinds: silence, raw=HEX, payload=TEXT, checksum, "
        "lowercase, split=POS/GAP_MS, stray=HEX, stray-after=HEX/GAP_MS, delay=MS, unplug=POS[/GAP_MS], "
        "drop=ADDRESS (the device acknowledges a memory write but loses the byte at ADDRESS), drip=MS "
        "(the answer one byte each MS ms), lowercase-data (the answer's payload in lower case). "
        "MATCH is a payload prefix, '*' any, 'Q$' the job poll only");
    app.add_option("--link", linkPath, "Also make this path a symbolic link to the terminal");
    app.add_flag("--debug", debug, "Log every command received to standard error");
    CLI11_PARSE(app, argc, argv);

    if (demo) {
        const SimScenario devicesOfDemo = DemoScenario(vorn::InstallationFolder());
        scenario.Devices = devicesOfDemo.Devices;
        scenario.PresenceUnits = devicesOfDemo.PresenceUnits;
        scenario.Transmitters = devicesOfDemo.Transmitters;
    }
    scenario.ReplyDelay = vorn::Millis{replyDelay};
    scenario.AirTime = vorn::Millis{airTime};
    scenario.RadioJobTimeout = vorn::Millis{radioJobTimeout};
    scenario.CodeRequestTimeout = vorn::Millis{codeRequestTimeout};
    std::string error;
    for (const auto& text : devices) {
        auto device = ParseMemoryDevice(text, error);
        if (!device) {
            std::cerr << "vorn-kdu-sim: " << error << "\n";
            return 2;
        }
        scenario.Devices.push_back(*device);
    }
    for (const auto& text : presenceUnits) {
        auto unit = ParsePresenceUnit(text, error);
        if (!unit) {
            std::cerr << "vorn-kdu-sim: " << error << "\n";
            return 2;
        }
        scenario.PresenceUnits.push_back(*unit);
    }
    for (const auto& text : transmitters) {
        auto transmitter = ParseTransmitter(text, error);
        if (!transmitter) {
            std::cerr << "vorn-kdu-sim: " << error << "\n";
            return 2;
        }
        scenario.Transmitters.push_back(*transmitter);
    }
    for (const auto& text : faults) {
        auto rule = ParseFaultRule(text, error);
        if (!rule) {
            std::cerr << "vorn-kdu-sim: " << error << "\n";
            return 2;
        }
        scenario.Faults.push_back(*rule);
    }

    PtyBridge bridge(std::move(scenario));
    if (!bridge.Open(error)) {
        std::cerr << "vorn-kdu-sim: " << error << "\n";
        return 1;
    }
    HandleStopSignals();
    if (!linkPath.empty() && !MakeLink(linkPath, bridge.PortPath(), error)) {
        std::cerr << "vorn-kdu-sim: " << error << "\n";
        return 1;
    }
    if (debug) {
        bridge.SetCommandLog(
            [](std::string_view payload) { std::cerr << "vorn-kdu-sim: received \"" << payload << "\"\n"; });
    }

    std::cout << bridge.PortPath() << std::endl;
    bridge.Run(stopRequested);
    if (!linkPath.empty()) {
        RemoveLink(linkPath, bridge.PortPath());
    }
    if (bridge.DroppedBytes() > 0) {
        std::cerr << "vorn-kdu-sim: " << bridge.DroppedBytes()
                  << " bytes the host did not read were dropped\n";
    }
    if (bridge.Firmware().Unplugged()) {
        std::cerr << "vorn-kdu-sim: unit unplugged\n";
    }
    return 0;
}
