#pragma once

#include "session/ChangeCodeDialog.h"
#include "session/DeviceReader.h"
#include "session/DeviceWriter.h"
#include "session/PresenceRadio.h"
#include "session/RadioCodeCapture.h"
#include "session/ReceiveRadioDialog.h"
#include "session/SelectDeviceDialog.h"
#include "session/SessionContext.h"
#include "session/WaitWindow.h"

#include <optional>
#include <string>

// The device commands of the main window, over the windows they show (select-device, wait,
// receive-radio, change-ID-code) and the flows behind them. The program controller owns one and
// offers its operations as the window's handlers; vornctl runs the same flows.
//
// A command started while another one runs (from a handler the view calls while a flow waits) does
// nothing, so the link is never entered twice.
namespace vorn {

class DeviceSessions {
public:
    // The link is set to serve the context's event pump while it waits.
    explicit DeviceSessions(SessionContext context);
    DeviceSessions(const DeviceSessions&) = delete;
    DeviceSessions& operator=(const DeviceSessions&) = delete;

    // Communication > Read from device (Ctrl+R), Write to device (Ctrl+W), Change ID-code.
    SessionOutcome mnuCommReadFromDeviceClick();
    SessionOutcome mnuCommWriteToDeviceClick();
    // Family B: shows the change-ID-code dialog; other families: nothing.
    SessionOutcome mnuCommChangeIdCodeClick();
    // The get-radio-code button of radio event n (its tag, 1 to 8).
    SessionOutcome btnRadioEvent_n_GetRadioCodeClick(int n);
    // One tick of tmrPollKduInfo (the receive-radio dialog's modal loop ticks it through the dialog).
    void tmrPollKduInfoTimer() { radio_.tmrPollKduInfoTimer(); }
    // Help > About...: the unit's version text, or nothing when no unit answered.
    std::optional<std::string> UnitVersion();

    bool Busy() const { return busy_; }
    SessionContext& Context() { return context_; }

    // The windows, for the views that show them.
    SelectDeviceDialog& SelectDevice() { return selectDevice_; }
    WaitWindow& Wait() { return wait_; }
    ReceiveRadioDialog& ReceiveRadio() { return receiveRadio_; }
    ChangeCodeDialog& ChangeCode() { return changeCode_; }
    // The flows, for front ends that run one part on its own (vornctl capture).
    PresenceRadio& Presence() { return radio_; }
    RadioCodeCapture& Capture() { return capture_; }
    DeviceReader& Reader() { return reader_; }
    DeviceWriter& Writer() { return writer_; }

private:
    // Runs a command unless one runs already.
    template <class Command>
    SessionOutcome Exclusive(Command command);

    SessionContext context_;
    SelectDeviceDialog selectDevice_;
    WaitWindow wait_;
    ReceiveRadioDialog receiveRadio_;
    PresenceRadio radio_;
    ChangeCodeDialog changeCode_;
    RadioCodeCapture capture_;
    DeviceReader reader_;
    DeviceWriter writer_;
    bool busy_ = false;
};

} // namespace vorn
