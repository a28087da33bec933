#pragma once

#include "view/ModalView.h"

// The change-ID-code dialog (TfrmChangeCode) as the core sees it. Its logic lives in the session layer
// (session/ChangeCodeDialog.h): the new-code field is a field model bound by control name, and the
// Change and Close buttons are operations on it.
namespace vorn {

class ChangeCodeDialog;

using ChangeCodeView = ModalView<ChangeCodeDialog>;
using SilentChangeCodeView = SilentView<ChangeCodeDialog>;

} // namespace vorn
