#include "session/WaitWindow.h"

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
    progressMaximum_ = maximum;
    progressPosition_ = position;
    view_.SetWaitProgress(visible, maximum, position);
}

void WaitWindow::Close() {
    shown_ = false;
    view_.CloseWait();
}

bool WaitWindow::FormKeyPress(int key) {
    if (abortKey_ == NoKey || key != abortKey_) {
        return false;
    }
    abortKey_ = NoKey;
    return true;
}

} // namespace vorn
