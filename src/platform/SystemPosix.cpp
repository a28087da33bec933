#include "platform/Locale.h"
#include "platform/Registry.h"
#include "platform/System.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vorn {

std::optional<std::string> ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::vector<std::string>> SystemRegistryValueNames(std::string_view) {
    return std::nullopt;
}

std::optional<std::string> SystemRegistryValue(std::string_view, std::string_view) {
    return std::nullopt;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void PrepareStandardStreams() {
    // Nothing to prepare: the streams are bytes already, and the closed pipe's signal is the
    // interrupt handling's (IgnoreFileWriteSignals).
}

bool IsTerminal(StandardStream stream) {
    const int fd = stream == StandardStream::Input    ? STDIN_FILENO
                   : stream == StandardStream::Output ? STDOUT_FILENO
                                                      : STDERR_FILENO;
    return ::isatty(fd) != 0;
}

unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}

std::tm UtcTime(std::time_t time) {
    std::tm utc{};
    ::gmtime_r(&time, &utc);
    return utc;
}

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    ::localtime_r(&time, &local);
    return local;
}

std::time_t FromUtc(std::tm utc) {
    return ::timegm(&utc);
}

double MillisSinceProcessStart() {
    // Field 22 of /proc/self/stat: the start time in clock ticks after boot. The command name (field
    // 2) may hold spaces, so the fields are counted after its closing parenthesis.
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return -1;
    }
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int n = 3; n <= 22 && fields >> field; ++n) {
        if (n == 22) {
            startTicks = std::stoull(field);
        }
    }
    timespec now{};
    if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    const double ticksPerSecond = static_cast<double>(::sysconf(_SC_CLK_TCK));
    const double sinceBoot = static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    return (sinceBoot - static_cast<double>(startTicks) / ticksPerSecond) * 1000.0;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

} // namespace vorn
