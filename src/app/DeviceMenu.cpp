// The Communication menu, the radio events' get-radio-code buttons and the info poll timer: the
// device flows, run on the controller's state.
#include "app/ProgramController.h"

namespace vorn {

SessionOutcome ProgramController::mnuCommReadFromDeviceClick() {
    return sessions_->mnuCommReadFromDeviceClick();
}

SessionOutcome ProgramController::mnuCommWriteToDeviceClick() {
    return sessions_->mnuCommWriteToDeviceClick();
}

SessionOutcome ProgramController::mnuCommChangeIdCodeClick() {
    return sessions_->mnuCommChangeIdCodeClick();
}

SessionOutcome ProgramController::btnRadioEvent_n_GetRadioCodeClick(int n) {
    return sessions_->btnRadioEvent_n_GetRadioCodeClick(n);
}

void ProgramController::tmrPollKduInfoTimer() {
    sessions_->tmrPollKduInfoTimer();
}

} // namespace vorn
