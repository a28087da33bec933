#include "gui/StartupBenchmark.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace vorn::gui {

StartupBenchmark::StartupBenchmark() : mainEntered_(std::chrono::steady_clock::now()) {}

void StartupBenchmark::Watch(QWidget& window) {
    window.installEventFilter(this);
}

bool StartupBenchmark::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Report once the paint has been done and reached the screen.
        QTimer::singleShot(0, this, [this] { Report(); });
    }
    return QObject::eventFilter(watched, event);
}

double StartupBenchmark::MillisSinceProcessStart() {
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
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    const double sinceBoot = static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
    return (sinceBoot - static_cast<double>(startTicks) / ticksPerSecond) * 1000.0;
}

long StartupBenchmark::ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

void StartupBenchmark::Report() {
    const double sinceMain =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainEntered_).count();
    std::printf("startup: first paint %.0f ms after the process started (%.1f ms after main), resident "
                "memory %.1f MB\n",
                MillisSinceProcessStart(), sinceMain, static_cast<double>(ResidentKilobytes()) / 1024.0);
    std::fflush(stdout);
    // The editor pages are built right after the first paint; the window is then fully usable.
    QTimer::singleShot(0, this, [this] {
        const double ready =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainEntered_)
                .count();
        std::printf("startup: editor pages ready %.0f ms after the process started (%.1f ms after main), "
                    "resident memory %.1f MB\n",
                    MillisSinceProcessStart(), ready, static_cast<double>(ResidentKilobytes()) / 1024.0);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

} // namespace vorn::gui
