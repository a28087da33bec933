#pragma once

#include "view/WaitView.h"

#include <string>

// The wait window's logic (TfrmWait): what it shows, and its abort key. The window is a borderless,
// non-modal panel; the view draws it and hands every key pressed in it to FormKeyPress.
namespace vorn {

class WaitWindow {
public:
    static constexpr int NoKey = 0;
    static constexpr int EscapeKey = 27;

    explicit WaitWindow(WaitView& view) : view_(view) {}

    // Shows the window with the text in lblInformation, centred over the main window.
    void Show(const std::string& text);
    void SetText(const std::string& text);
    // The progress bar pbWait: hidden, or shown at position within 0..maximum.
    void SetProgress(bool visible, int maximum, int position);
    void Close();

    bool Shown() const { return shown_; }
    const std::string& Text() const { return text_; }
    bool ProgressVisible() const { return progressVisible_; }
    int ProgressMaximum() const { return progressMaximum_; }
    int ProgressPosition() const { return progressPosition_; }

    // The armed abort key (0: none). A capture arms it with Escape and polls it.
    int AbortKey() const { return abortKey_; }
    void SetAbortKey(int key) { abortKey_ = key; }
    // A key pressed in the window: the armed abort key is consumed (true) and disarmed.
    bool FormKeyPress(int key);

private:
    WaitView& view_;
    bool shown_ = false;
    std::string text_;
    bool progressVisible_ = false;
    int progressMaximum_ = 0;
    int progressPosition_ = 0;
    int abortKey_ = NoKey;
};

} // namespace vorn
