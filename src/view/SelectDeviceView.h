#pragma once

// The select-device dialog (TfrmSelectDevice) as the core sees it. The dialog's logic lives in the
// session layer (session/SelectDeviceDialog.h): its controls are a field model bound by control name,
// its buttons and keys are operations on it, and it closes itself with its result.
namespace vorn {

class SelectDeviceDialog;

class SelectDeviceView {
public:
    virtual ~SelectDeviceView() = default;
    // Shows the window bound to the dialog, modally and centred over the main window; returns when
    // the dialog's logic has closed it (or the window was closed another way: the result stays 0).
    virtual void ShowSelectDevice(SelectDeviceDialog& dialog) = 0;
};

// Nobody there: the dialog is never confirmed.
class SilentSelectDeviceView : public SelectDeviceView {
public:
    void ShowSelectDevice(SelectDeviceDialog&) override {}
};

} // namespace vorn
