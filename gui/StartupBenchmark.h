#pragma once

#include <chrono>

#include <QObject>

class QWidget;

namespace vorn::gui {

// Measures the start-up as the operator sees it: from the process start to the main window's first
// paint, and the resident memory then. Once the window has painted, prints one line to stdout and
// ends the event loop.
class StartupBenchmark : public QObject {
public:
    // Call first thing in main: the time since main is measured from here.
    StartupBenchmark();
    void Watch(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Report();

    std::chrono::steady_clock::time_point mainEntered_;
    bool painted_ = false;
};

} // namespace vorn::gui
