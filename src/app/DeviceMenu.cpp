// The Communication menu, the radio events' get-radio-code buttons and the info poll timer: the
// device flows, run on the controller's state.
#include "app/ProgramController.h"

namespace vorn {

SessionOutcome ProgramController::mnuCommReadFromDeviceClick() {
    // A read is one step of the undo history, which takes the configuration it replaced back.
    BeginStep("mnuCommReadFromDevice");
    const SessionOutcome outcome = sessions_->mnuCommReadFromDeviceClick();
    EndStep(outcome == SessionOutcome::Done || outcome == SessionOutcome::ConversionError);
    return outcome;
}

SessionOutcome ProgramController::mnuCommWriteToDeviceClick() {
    return sessions_->mnuCommWriteToDeviceClick();
}

SessionOutcome ProgramController::mnuCommChangeIdCodeClick() {
    // The unit's new code in the editor is a step of the undo history, as a captured code is.
    BeginStep("edtHESK_RadioIdCode");
    const SessionOutcome outcome = sessions_->mnuCommChangeIdCodeClick();
    EndStep(false);
    return outcome;
}

SessionOutcome ProgramController::btnRadioEvent_n_GetRadioCodeClick(int n) {
    BeginStep("edtRadioEvent_" + std::to_string(n) + "_RadioId");
    const SessionOutcome outcome = sessions_->btnRadioEvent_n_GetRadioCodeClick(n);
    EndStep(false);
    return outcome;
}

void ProgramController::tmrPollKduInfoTimer() {
    sessions_->tmrPollKduInfoTimer();
}

} // namespace vorn
