// vorn-bench-link: memory jobs and device sessions over a pseudo-terminal against the simulated unit
// answering at once, timed against the protocol's own floor: the pulse and settle time that every job
// must sleep. Prints the wall times, the floor and their ratio (target: at most 1.05).
//
//   vorn-bench-link [--runs N]             one family A read's worth of memory jobs (32-247, four jobs)
//   vorn-bench-link --sessions [--runs N]  a family A read session (four blocks), and a family A write
//                                          of all ranges with the ID code (the pre-read, then six blocks)
//   vorn-bench-link --batch [--devices N]  vornctl (beside this program) writing N devices in one batch,
//                                          against N times one device's session (target: at most 1.02)
//   vorn-bench-link --verify [--runs N]    vornctl's verified write of one device (the pre-read, the
//                                          write, the read-back) against the floor of its jobs, and how
//                                          soon an interrupted read of a device that never answers ends
//                                          (target: 300 ms)
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "link/SerialUnitDriver.h"
#include "model/ProgData.h"
#include "platform/Folders.h"
#include "session/SessionEngine.h"
#include "sim/PtyBridge.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <signal.h>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace vorn;

struct BlockRange {
    std::uint32_t address;
    std::uint8_t length;
};

// The blocks of a family A read.
constexpr BlockRange FamilyARead[] = {{32, 64}, {96, 64}, {160, 64}, {224, 24}};
constexpr double Target = 1.05;
constexpr std::uint32_t Serial = 1234;
const CodeList Bands{"1=869.2125 MHz", "2=868.7125 MHz"};

double FloorOf(std::size_t jobs) {
    return static_cast<double>(jobs) *
           static_cast<double>((KduLink::PulseTime + KduLink::SettleTime).count());
}

// Runs the work the given number of times; prints best and median against the floor; false when a
// run failed or the median misses the target.
bool Measure(const char* title, std::size_t jobs, int runs, const std::function<bool()>& work) {
    const double floorMs = FloorOf(jobs);
    std::vector<double> times;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        failures += work() ? 0 : 1;
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    const double best = times.front();
    const double median = times[times.size() / 2];
    std::printf("%s: %zu jobs, %d run(s)\n", title, jobs, runs);
    std::printf("  floor (pulse and settle sleeps): %8.1f ms\n", floorMs);
    std::printf("  wall time, best:                 %8.1f ms  (%.3f x floor)\n", best, best / floorMs);
    std::printf("  wall time, median:               %8.1f ms  (%.3f x floor)\n", median, median / floorMs);
    std::printf("  target: at most %.2f x floor -> %s\n", Target,
                median / floorMs <= Target ? "met" : "NOT met");
    if (failures > 0) {
        std::printf("  %d run(s) failed\n", failures);
    }
    return failures == 0;
}

// A family A configuration marked as the write flow marks it with the ID code: 32-33, 39-45, 48-116,
// 128-247, which the engine cuts into six blocks.
ProgData FamilyAWrite() {
    ProgData data;
    data.Image[122] = 0x23;
    for (int a = 32; a < 248; ++a) {
        data.Image[a] = static_cast<std::uint8_t>(a);
    }
    data.Image[55] = 1; // the band stays
    data.MarkRange(32, 33, ByteState::ToWrite);
    data.MarkRange(39, 45, ByteState::ToWrite);
    data.MarkRange(48, 116, ByteState::ToWrite);
    data.MarkRange(128, 247, ByteState::ToWrite);
    return data;
}

// Runs a command, its standard output; the wall time in ms.
bool RunTimed(const std::string& command, std::string& out, double& ms) {
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    char buffer[4096];
    out.clear();
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return status != -1;
}

// Family A devices 1001.. holding the region's default of TARV.
bool DefaultDevices(int devices, sim::SimScenario& scenario) {
    const std::string image = InstallationFolder() + "DefaultConfig/Europe/Default_TARV.vorn";
    scenario.ReplyDelay = Millis{0};
    scenario.PendingPolls = 0;
    for (int i = 0; i < devices; ++i) {
        sim::MemoryDevice device;
        device.ProductType = 0x23;
        device.SerialNumber = static_cast<std::uint32_t>(1001 + i);
        FILE* file = std::fopen(image.c_str(), "rb");
        if (file == nullptr ||
            std::fread(device.Image.data(), 1, device.Image.size(), file) != device.Image.size()) {
            std::fprintf(stderr, "vorn-bench-link: cannot read %s\n", image.c_str());
            if (file != nullptr) {
                std::fclose(file);
            }
            return false;
        }
        std::fclose(file);
        device.Image[122] = 0x23;
        device.Image[123] = 0;
        device.Image[124] = static_cast<std::uint8_t>(device.SerialNumber >> 8);
        device.Image[125] = static_cast<std::uint8_t>(device.SerialNumber);
        scenario.Devices.push_back(device);
    }
    return true;
}

// The simulated unit on a pseudo-terminal in a thread of its own, and vornctl's command line with a
// home of its own for its backups and trace.
class VornctlOnPty {
public:
    explicit VornctlOnPty(const sim::SimScenario& scenario) : bridge_(scenario) {}
    ~VornctlOnPty() {
        stop_ = true;
        if (unit_.joinable()) {
            unit_.join();
        }
    }
    VornctlOnPty(const VornctlOnPty&) = delete;
    VornctlOnPty& operator=(const VornctlOnPty&) = delete;

    bool Start() {
        std::string error;
        if (!bridge_.Open(error)) {
            std::fprintf(stderr, "vorn-bench-link: %s\n", error.c_str());
            return false;
        }
        unit_ = std::thread([this] { bridge_.Run(stop_); });
        char home[] = "/tmp/vorn-bench-XXXXXX";
        if (::mkdtemp(home) == nullptr) {
            std::fprintf(stderr, "vorn-bench-link: no temporary folder\n");
            return false;
        }
        home_ = home;
        return true;
    }
    // The environment and vornctl with the unit's port, ready for a command.
    std::string Command() const {
        return "HOME=" + home_ + " XDG_DATA_HOME=" + home_ + "/data XDG_CONFIG_HOME=" + home_ +
               "/config VORN_DEBUG=0 '" + FolderOfPath(ExecutablePath()) +
               "vornctl' --region Europe --port '" + bridge_.PortPath() + "' ";
    }

private:
    sim::PtyBridge bridge_;
    std::atomic<bool> stop_{false};
    std::thread unit_;
    std::string home_;
};

// A number after "key": in vornctl's JSON.
double JsonNumber(const std::string& json, const std::string& key) {
    const auto at = json.find("\"" + key + "\":");
    return at == std::string::npos ? -1.0 : std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

// vornctl's verified write of one device against the floor of its jobs (the pre-read, the write's
// blocks and as many read-back blocks); then reads of a device that never answers, interrupted as Ctrl+C does
// it, and the time from the signal to vornctl's end.
int VerifyBenchmark(int runs) {
    sim::SimScenario scenario;
    if (!DefaultDevices(2, scenario)) {
        return 1;
    }
    // The second device is reached but never answers: it stays busy poll after poll.
    scenario.Devices[1].PendingPolls = 1000000;
    VornctlOnPty unit(scenario);
    if (!unit.Start()) {
        return 1;
    }
    const std::string image = InstallationFolder() + "DefaultConfig/Europe/Default_TARV.vorn";
    std::vector<double> ratios;
    std::string out;
    double ms = 0;
    double floorMs = 0;
    for (int run = 0; run < runs; ++run) {
        if (!RunTimed(unit.Command() + "--quiet write '" + image +
                          "' --change-id no --serial 1001 --verify --json",
                      out, ms) ||
            out.find("\"verify\":\"passed\"") == std::string::npos) {
            std::fprintf(stderr, "vorn-bench-link: the verified write failed: %s\n", out.c_str());
            return 1;
        }
        // The write's blocks, the pre-read before them and the read-back of the same blocks.
        const double jobs = 2 * JsonNumber(out, "blocks") + 1;
        floorMs = FloorOf(static_cast<std::size_t>(jobs));
        ratios.push_back(JsonNumber(out, "seconds") * 1000.0 / floorMs);
    }
    std::sort(ratios.begin(), ratios.end());
    const double ratio = ratios[ratios.size() / 2];
    std::printf("vornctl verified write of one family A device over a pseudo-terminal, %d run(s)\n", runs);
    std::printf("  floor (write and read-back jobs):     %8.1f ms\n", floorMs);
    std::printf("  session, median:                      %8.1f ms  (%.3f x floor)\n", ratio * floorMs, ratio);
    std::printf("  target: at most %.2f x floor -> %s\n", Target, ratio <= Target ? "met" : "NOT met");

    // The device that never answers: its read polls on until stopped.
    std::vector<double> stops;
    const std::string command =
        "exec env " + unit.Command() + "--quiet read --model TARV --serial 1002 -o - >/dev/null 2>&1";
    for (int run = 0; run < runs; ++run) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr,
                         "vorn-bench-link: the read of the device that never answers ended by itself\n");
            return 1;
        }
        const auto signalled = std::chrono::steady_clock::now();
        ::kill(child, SIGINT);
        ::waitpid(child, &status, 0);
        stops.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - signalled).count());
    }
    std::sort(stops.begin(), stops.end());
    const double slowest = stops.back();
    std::printf("an interrupted read of a device that never answers, %d run(s)\n", runs);
    std::printf("  signal to end, slowest:               %8.1f ms  (target: at most 300 ms -> %s)\n", slowest,
                slowest <= 300.0 ? "met" : "NOT met");
    return ratio <= Target && slowest <= 300.0 ? 0 : 1;
}

// vornctl's batch write of N family A devices against N times one device's session, both over the
// pseudo-terminal. One device's session is what vornctl itself reports for it (--json "seconds": from
// the device's first command to its last answer); the batch is the whole process, start-up included.
int BatchBenchmark(int devices, int runs) {
    const std::string image = InstallationFolder() + "DefaultConfig/Europe/Default_TARV.vorn";
    sim::SimScenario scenario;
    if (!DefaultDevices(devices, scenario)) {
        return 1;
    }
    VornctlOnPty unit(scenario);
    if (!unit.Start()) {
        return 1;
    }
    const std::string base = unit.Command() + "--quiet write '" + image + "' --change-id no ";

    std::vector<double> single;
    std::string out;
    double ms = 0;
    for (int run = 0; run < runs; ++run) {
        if (!RunTimed(base + "--serial 1001 --json", out, ms) ||
            out.find("\"result\":0") == std::string::npos) {
            std::fprintf(stderr, "vorn-bench-link: the single write failed: %s\n", out.c_str());
            return 1;
        }
        single.push_back(JsonNumber(out, "seconds") * 1000.0);
    }
    std::sort(single.begin(), single.end());
    const double session = single[single.size() / 2];
    const bool ran = RunTimed(base + "--serials 1001-" + std::to_string(1000 + devices), out, ms);
    const bool allWritten =
        out.find("total: " + std::to_string(devices) + " written, 0 failed") != std::string::npos;
    const double ratio = ms / (devices * session);
    std::printf("vornctl batch write of %d family A devices over a pseudo-terminal\n", devices);
    std::printf("  one device's session (median of %d):   %8.1f ms\n", runs, session);
    std::printf("  %d x one session:                      %8.1f ms\n", devices, devices * session);
    std::printf("  the batch, whole process:              %8.1f ms\n", ms);
    std::printf("  ratio: %.4f  (target: at most 1.02 -> %s)\n", ratio, ratio <= 1.02 ? "met" : "NOT met");
    if (!ran || !allWritten) {
        std::printf("  the batch failed:\n%s", out.c_str());
        return 1;
    }
    return ratio <= 1.02 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 3;
    bool sessions = false;
    bool batch = false;
    bool verify = false;
    int devices = 20;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--sessions") == 0) {
            sessions = true;
        } else if (std::strcmp(argv[i], "--verify") == 0) {
            verify = true;
        } else if (std::strcmp(argv[i], "--batch") == 0) {
            batch = true;
        } else if (std::strcmp(argv[i], "--devices") == 0 && i + 1 < argc) {
            devices = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--sessions | --verify | --batch [--devices N]] [--runs N]\n",
                         argv[0]);
            return 2;
        }
    }
    if (batch) {
        return BatchBenchmark(devices, runs);
    }
    if (verify) {
        return VerifyBenchmark(runs);
    }

    sim::SimScenario scenario;
    scenario.ReplyDelay = Millis{0};
    scenario.PendingPolls = 0;
    sim::MemoryDevice device;
    device.ProductType = 0x23;
    device.SerialNumber = Serial;
    device.Band = 1;
    device.Image[55] = 1;
    device.Image[47] = 0x21;
    scenario.Devices.push_back(device);

    sim::PtyBridge bridge(scenario);
    std::string error;
    if (!bridge.Open(error)) {
        std::fprintf(stderr, "vorn-bench-link: %s\n", error.c_str());
        return 1;
    }
    std::atomic<bool> stop{false};
    std::thread unit([&] { bridge.Run(stop); });

    RealClock clock;
    TraceSink trace;
    SerialUnitDriver driver(SerialPortOptions{bridge.PortPath()});
    KduLink link(driver, clock, trace);
    // One job record for everything, as the program keeps it: its sequence counter runs on.
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = 0x23;
    job.SerialNumber = Serial;

    bool ok = true;
    if (!sessions) {
        ok = Measure("family A read over a pseudo-terminal", std::size(FamilyARead), runs, [&] {
            bool done = true;
            job.Direction = JobRead;
            for (const auto& block : FamilyARead) {
                job.Address = block.address;
                job.Length = block.length;
                done = RunMemoryJob(link, job) == JobDone && done;
            }
            return done;
        });
    } else {
        ok = Measure("family A read session (32-247)", 4, runs, [&] {
            ProgData data;
            data.Image[122] = 0x23;
            data.MarkRange(32, 247, ByteState::ToRead);
            job.Band = 1;
            job.Direction = JobRead;
            return RunSession(data, job, link, Bands) == SessionComplete;
        });
        ok = Measure("family A write of all ranges with the ID code (pre-read, six blocks)", 7, runs,
                     [&] {
                         ProgData scratch;
                         scratch.MarkRange(32, 47, ByteState::ToRead);
                         job.Band = 1;
                         job.Direction = JobRead;
                         if (RunSession(scratch, job, link, Bands) != SessionComplete) {
                             return false;
                         }
                         ProgData data = FamilyAWrite();
                         job.Band = 1;
                         job.Direction = JobWrite;
                         return RunSession(data, job, link, Bands) == SessionComplete;
                     }) &&
             ok;
    }
    stop = true;
    unit.join();
    return ok ? 0 : 1;
}
