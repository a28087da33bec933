#include "session/ReceiveRadioDialog.h"

namespace vorn {

void ReceiveRadioDialog::SetActionText(std::string text) {
    // In whole hundredths: 400 x 0.58 is 232, which the floating-point product falls just short of.
    actionLabelWidth_ = view_.ActionGroupWidth() * ActionWidthPercent / 100;
    actionText_ = std::move(text);
}

void ReceiveRadioDialog::ChoosePicture(int type) {
    if (type == 1 || type == 2) {
        picture1_ = type == 1;
        picture2_ = type == 2;
    }
}

int ReceiveRadioDialog::ShowModal(std::function<void()> tick, Millis interval) {
    tick_ = std::move(tick);
    interval_ = interval;
    waited_ = Millis{0};
    Open();
    view_.Show(*this);
    // However the view came back, the dialog is closed now and no tick runs any more.
    MarkClosed();
    tick_ = nullptr;
    return Result();
}

void ReceiveRadioDialog::Tick() {
    if (Shown() && tick_) {
        // A copy: the tick may close the dialog, which drops the stored one.
        const std::function<void()> tick = tick_;
        tick();
        waited_ += interval_;
        if (waited_ >= MaxButtonWait) {
            SetResult(ResultNotPressed);
        }
    }
}

} // namespace vorn
