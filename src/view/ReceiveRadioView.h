#pragma once

// The receive-radio dialog (TfrmReceiveRadio) as the core sees it: it waits for the operator to press
// a presence unit's button. Its logic lives in the session layer (session/ReceiveRadioDialog.h).
namespace vorn {

class ReceiveRadioDialog;

class ReceiveRadioView {
public:
    virtual ~ReceiveRadioView() = default;
    // Shows the window bound to the dialog, modally and centred over the main window. While it is
    // shown, the view's modal loop calls dialog.Tick() every dialog.TickInterval() (the info poll
    // timer); it returns when the dialog's logic has closed it (a tick's outcome or Abort).
    virtual void ShowReceiveRadio(ReceiveRadioDialog& dialog) = 0;
    // The width in pixels of the group box that holds the action text (gbTransmitter).
    virtual int ActionGroupWidth() const = 0;
};

// Nobody there: the dialog closes at once without a result.
class SilentReceiveRadioView : public ReceiveRadioView {
public:
    void ShowReceiveRadio(ReceiveRadioDialog&) override {}
    int ActionGroupWidth() const override { return 0; }
};

} // namespace vorn
