#pragma once

#include <functional>

#include <QString>
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

// Shows a window and waits until it is the active window, so that keyboard focus works.
void ShowActive(QWidget& window);

} // namespace vorn::test
