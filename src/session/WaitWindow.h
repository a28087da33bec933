#pragma once

#include "view/WaitView.h"

#include <string>

// The wait window's logic (TfrmWait): what it shows, its abort key and its Cancel button. The window
// is a borderless, non-modal panel; the view draws it and hands every key pressed in it to
// FormKeyPress and the Cancel button's click to CancelClick.
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
    // The line under the text (block and band of a session); empty hides it.
    void SetDetail(const std::string& text);
    // The Cancel button with its caption (Escape does the same), or none.
    void SetCancellable(bool cancellable, const std::string& caption = {});
    void Close();

    bool Shown() const { return shown_; }
    const std::string& Text() const { return text_; }
    bool ProgressVisible() const { return progressVisible_; }
    int ProgressPosition() const { return progressPosition_; }

    // The armed abort key (0: none). A capture arms it with Escape and polls it.
    int AbortKey() const { return abortKey_; }
    void SetAbortKey(int key) { abortKey_ = key; }
    // A key pressed in the window: the armed abort key is consumed (true) and disarmed; otherwise
    // Escape cancels while the window can be cancelled.
    bool FormKeyPress(int key);
    const std::string& Detail() const { return detail_; }
    bool Cancellable() const { return cancellable_; }
    // The Cancel button: a capture's armed abort key is disarmed (the capture stops at its next poll);
    // a session is asked to stop at its next safe point (platform/Interrupt.h), where it ends
    // cancelled.
    void CancelClick();

private:
    WaitView& view_;
    bool shown_ = false;
    std::string text_;
    bool progressVisible_ = false;
    int progressPosition_ = 0;
    std::string detail_;
    bool cancellable_ = false;
    int abortKey_ = NoKey;
};

} // namespace vorn
