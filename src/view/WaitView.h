#pragma once

#include <string>

// The wait window as the core sees it: a borderless panel over the main window that says what the
// program is doing while it talks to the unit, with an optional progress bar.
namespace vorn {

class WaitView {
public:
    virtual ~WaitView() = default;

    // Shows the window (not modal), centred over the main window, with the text.
    virtual void ShowWait(const std::string& text) = 0;
    virtual void SetWaitText(const std::string& text) = 0;
    // The progress bar: hidden, or shown at position of 0..maximum.
    virtual void SetWaitProgress(bool visible, int maximum, int position) = 0;
    // A second, smaller line under the text: where a session stands (block and band); empty hides it.
    virtual void SetWaitDetail(const std::string& text) { (void)text; }
    // The Cancel button: shown with its caption while the work can be cancelled, hidden otherwise.
    virtual void SetWaitCancel(bool shown, const std::string& caption) {
        (void)shown;
        (void)caption;
    }
    virtual void CloseWait() = 0;
};

class SilentWaitView : public WaitView {
public:
    void ShowWait(const std::string&) override {}
    void SetWaitText(const std::string&) override {}
    void SetWaitProgress(bool, int, int) override {}
    void CloseWait() override {}
};

} // namespace vorn
