#pragma once

#include "view/ModalView.h"

// The receive-radio dialog (TfrmReceiveRadio) as the core sees it: it waits for the operator to press
// a presence unit's button. Its logic lives in the session layer (session/ReceiveRadioDialog.h).
namespace vorn {

class ReceiveRadioDialog;

// While the window is shown, the view's modal loop calls dialog.Tick() every dialog.TickInterval()
// (the info poll timer); the dialog's logic closes it on a tick's outcome or Abort.
class ReceiveRadioView : public ModalView<ReceiveRadioDialog> {
public:
    // The width in pixels of the group box that holds the action text (gbTransmitter).
    virtual int ActionGroupWidth() const = 0;
};

// Nobody there: the dialog closes at once without a result.
class SilentReceiveRadioView : public ReceiveRadioView {
public:
    void Show(ReceiveRadioDialog&) override {}
    int ActionGroupWidth() const override { return 0; }
};

} // namespace vorn
