#include "gui/StartupBenchmark.h"

#include "platform/System.h"

#include <cstdio>

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
