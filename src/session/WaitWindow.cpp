#include "session/WaitWindow.h"

#include "platform/Interrupt.h"

namespace vorn {

void WaitWindow::Show(const std::string& text) {
    text_ = text;
    shown_ = true;
    view_.ShowWait(text);
}

void WaitWindow::SetText(const std::string& text) {
    text_ = text;
    view_.SetWaitText(text);
}

void WaitWindow::SetProgress(bool visible, int maximum, int position) {
    progressVisible_ = visible;
    progressPosition_ = position;
    view_.SetWaitProgress(visible, maximum, position);
}

void WaitWindow::SetDetail(const std::string& text) {
    detail_ = text;
    view_.SetWaitDetail(text);
}

void WaitWindow::SetCancellable(bool cancellable, const std::string& caption) {
    cancellable_ = cancellable;
    view_.SetWaitCancel(cancellable, caption);
}

void WaitWindow::Close() {
    shown_ = false;
    if (!detail_.empty()) {
        SetDetail({});
    }
    if (cancellable_) {
        SetCancellable(false);
    }
    view_.CloseWait();
}

bool WaitWindow::FormKeyPress(int key) {
    if (abortKey_ != NoKey && key == abortKey_) {
        abortKey_ = NoKey;
        return true;
    }
    if (cancellable_ && key == EscapeKey) {
        CancelClick();
        return true;
    }
    return false;
}

void WaitWindow::CancelClick() {
    if (!cancellable_) {
        return;
    }
    if (abortKey_ != NoKey) {
        abortKey_ = NoKey;
        return;
    }
    RequestStop(StopRequest::Cancel);
}

} // namespace vorn
