#pragma once

#include "view/ModalView.h"

// The select-device dialog (TfrmSelectDevice) as the core sees it. The dialog's logic lives in the
// session layer (session/SelectDeviceDialog.h): its controls are a field model bound by control name,
// its buttons and keys are operations on it, and it closes itself with its result.
namespace vorn {

class SelectDeviceDialog;

using SelectDeviceView = ModalView<SelectDeviceDialog>;
// Nobody there: the dialog is never confirmed.
using SilentSelectDeviceView = SilentView<SelectDeviceDialog>;

} // namespace vorn
