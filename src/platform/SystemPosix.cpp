#include "platform/Locale.h"
#include "platform/Registry.h"
#include "platform/System.h"

#include <csignal>
#include <cstdlib>
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
    std::signal(SIGPIPE, SIG_IGN);
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

} // namespace vorn
