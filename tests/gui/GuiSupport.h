#pragma once

#include <deque>
#include <functional>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

// Helpers of the window's tests.
namespace vorn::test {

// Runs the act on the next modal window as soon as it is shown (from inside its event loop), so a
// test can answer a dialog the code under test opens and waits for.
void WhenModalShown(std::function<void(QWidget* modal)> act);
// Stops every wait for a modal window that is still pending (at the end of each test).
void StopWatchingModals();

// Clicks the push button of that object name in a window; fails the test when there is none.
void ClickButton(QWidget* window, const char* name);

// The text of a message window (the translated message dialog).
QString MessageText(QWidget* window);
// A window's title as the desktop shows it: its "[*]" a "*" while the window is modified, else nothing.
QString ShownCaption(const QWidget& window);

// Shows a window and waits until it is the active window, so that keyboard focus works.
void ShowActive(QWidget& window);

// The operator's acts on the modal windows a flow shows, in the order it shows them: each step names
// the window it expects and acts on it once it is up (from inside its event loop). A modal window
// shown out of turn fails the test and is closed, so a flow cannot wait for ever. Every window shown
// (modal or not, such as the wait window) is noted, and a watcher can look at it as it comes up.
// It listens from its first step or watcher on, so windows shown before (the first start's region
// dialog) are not its business.
class WindowScript : public QObject {
public:
    using Act = std::function<void(QWidget* window)>;

    WindowScript() = default;
    ~WindowScript() override;

    WindowScript& Then(const QString& window, Act act);
    // Every window shown (its object name), in order.
    const QStringList& Shown() const { return shown_; }
    // Steps not taken yet.
    std::size_t Pending() const { return steps_.size(); }
    // Called as any window comes up (before its step), for a look at it.
    void WatchShown(std::function<void(QWidget* window)> watch);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Listen();

    bool listening_ = false;
    std::deque<std::pair<QString, Act>> steps_;
    QStringList shown_;
    std::function<void(QWidget* window)> watch_;
};

} // namespace vorn::test
