#pragma once

#include "platform/Clock.h"
#include "view/ModalState.h"
#include "view/ReceiveRadioView.h"

#include <functional>
#include <string>

// The receive-radio dialog's logic (TfrmReceiveRadio): it waits, modally, for the operator to press a
// presence unit's button. While it is shown the info poll timer ticks through it; a tick closes it with
// the unit's outcome, the Abort button with 3.
namespace vorn {

class ReceiveRadioDialog : public ModalState {
public:
    static constexpr int ResultDone = 1;       // the unit answered, or the job is complete
    static constexpr int ResultFailed = 2;     // the request or the job failed
    static constexpr int ResultAborted = 3;    // btbtnAbort
    static constexpr int ResultNoContact = 5;  // no radio contact with the device
    static constexpr int ResultNotPressed = 6; // the wait for the button ran out
    // How long the dialog waits for the button, counted in its ticks: a unit that never reports
    // cannot keep the program waiting.
    static constexpr Millis MaxButtonWait{120000};
    // The action label takes this share of the group box's width, in percent.
    static constexpr int ActionWidthPercent = 58;

    explicit ReceiveRadioDialog(ReceiveRadioView& view) : view_(view) {}
    ReceiveRadioDialog(const ReceiveRadioDialog&) = delete;
    ReceiveRadioDialog& operator=(const ReceiveRadioDialog&) = delete;

    void SetCaption(std::string text) { caption_ = std::move(text); }
    void SetGroupCaption(std::string text) { groupCaption_ = std::move(text); }
    // The label's width first becomes the group box's width x 0.58 (truncated), then it gets the text.
    void SetActionText(std::string text);
    void SetAbortCaption(std::string text) { abortCaption_ = std::move(text); }
    // Picture type 1 shows imgTransmitter_1 and hides imgTransmitter_2, type 2 the other way round; any
    // other type changes nothing.
    void ChoosePicture(int type);

    const std::string& Caption() const { return caption_; }
    const std::string& GroupCaption() const { return groupCaption_; }
    const std::string& ActionText() const { return actionText_; }
    int ActionLabelWidth() const { return actionLabelWidth_; }
    const std::string& AbortCaption() const { return abortCaption_; }
    bool Picture1Visible() const { return picture1_; }
    bool Picture2Visible() const { return picture2_; }

    // Shows the dialog through the view, modally, with the tick run every interval while it is shown;
    // the result it closed with (0 when the view closed it without one).
    int ShowModal(std::function<void()> tick, Millis interval);
    // The view's modal loop: one timer tick, and the tick's pace. Once the ticks have waited
    // MaxButtonWait the dialog closes with ResultNotPressed.
    void Tick();
    // How long the dialog has waited, in its ticks.
    Millis Waited() const { return waited_; }
    Millis TickInterval() const { return interval_; }

    // Closes the dialog with a result (the timer's outcome); nothing once it is closed.
    void SetResult(int result) { Finish(result); }
    void btbtnAbortClick() { SetResult(ResultAborted); }
    bool Shown() const { return !Closed(); }

private:
    ReceiveRadioView& view_;
    std::string caption_;
    std::string groupCaption_;
    std::string actionText_;
    std::string abortCaption_;
    int actionLabelWidth_ = 0;
    bool picture1_ = false;
    bool picture2_ = false;
    std::function<void()> tick_;
    Millis interval_{0};
    Millis waited_{0};
};

} // namespace vorn
