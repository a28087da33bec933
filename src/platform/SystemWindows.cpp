#include "platform/Locale.h"
#include "platform/System.h"
#include "platform/Win32.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <shellapi.h>

namespace vorn {

std::optional<std::string> ProcessEnvironment(const char* name) {
    const wchar_t* value = ::_wgetenv(Widen(name).c_str());
    if (value != nullptr) {
        return Narrow(value);
    }
    // The user's regional settings stand for the locale variable Windows does not have.
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    if (std::string_view(name) == "LANG" && ::GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) > 0) {
        return Narrow(locale);
    }
    return std::nullopt;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr || count != argc) {
        // Not the process's own command line (a caller's own argv): take it as it is.
        if (wide != nullptr) {
            ::LocalFree(wide);
        }
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Narrow(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
    // Bytes as they are: an image written to standard output keeps its 0x0A bytes, and text ends its
    // lines with "\n" as on every other platform.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

bool IsTerminal(StandardStream stream) {
    const DWORD which = stream == StandardStream::Input    ? STD_INPUT_HANDLE
                        : stream == StandardStream::Output ? STD_OUTPUT_HANDLE
                                                           : STD_ERROR_HANDLE;
    DWORD mode = 0;
    // A console answers GetConsoleMode; a file, a pipe or the NUL device does not.
    return ::GetConsoleMode(::GetStdHandle(which), &mode) != 0;
}

unsigned long ProcessId() {
    return ::GetCurrentProcessId();
}

std::tm UtcTime(std::time_t time) {
    std::tm utc{};
    ::gmtime_s(&utc, &time);
    return utc;
}

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    ::localtime_s(&local, &time);
    return local;
}

std::time_t FromUtc(std::tm utc) {
    return ::_mkgmtime(&utc);
}

double MillisSinceProcessStart() {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    FILETIME now{};
    if (::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user) == 0) {
        return -1;
    }
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    // In steps of 100 ns.
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

long ResidentKilobytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters) == 0) {
        return -1;
    }
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

} // namespace vorn
