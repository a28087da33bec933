#pragma once

// The change-ID-code dialog (TfrmChangeCode) as the core sees it. Its logic lives in the session layer
// (session/ChangeCodeDialog.h): the new-code field is a field model bound by control name, and the
// Change and Close buttons are operations on it.
namespace vorn {

class ChangeCodeDialog;

class ChangeCodeView {
public:
    virtual ~ChangeCodeView() = default;
    // Shows the window bound to the dialog, modally and centred over the main window; returns when
    // the dialog's logic has closed it (Close) or the window was closed another way.
    virtual void ShowChangeCode(ChangeCodeDialog& dialog) = 0;
};

class SilentChangeCodeView : public ChangeCodeView {
public:
    void ShowChangeCode(ChangeCodeDialog&) override {}
};

} // namespace vorn
