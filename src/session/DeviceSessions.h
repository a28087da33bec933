#pragma once

#include "base/BusyScope.h"
#include "files/BackupStore.h"
#include "files/SupportLog.h"
#include "session/ChangeCodeDialog.h"
#include "session/CompareDialog.h"
#include "session/DeviceReader.h"
#include "session/DeviceResult.h"
#include "session/DeviceWriter.h"
#include "session/PresenceRadio.h"
#include "session/RadioCodeCapture.h"
#include "session/ReceiveRadioDialog.h"
#include "session/SelectDeviceDialog.h"
#include "session/SessionContext.h"
#include "session/WaitWindow.h"

#include <optional>
#include <string>

// The device service: every command that talks to a device or the unit (read, write with its backup
// and read-back, compare, change ID, capture, the unit's version) over the windows it shows
// (select-device, wait, receive-radio, change-ID-code, compare), returning a DeviceResult. The window
// and vornctl call it and only show or print what it returns. The program controller owns one and
// offers its operations as the window's handlers.
//
// Every command keeps what it read in the backups folder, and writes its frames into the support
// trace (one command of the trace each, unless the front end has opened one around several). A
// command given while another one runs does nothing, so the link is never entered twice. A cancel
// request from the wait window ends a command at its next safe point with the outcome Cancelled.
namespace vorn {

class DeviceSessions {
public:
    // The link is set to serve the context's event pump while it waits.
    explicit DeviceSessions(SessionContext context);
    DeviceSessions(const DeviceSessions&) = delete;
    DeviceSessions& operator=(const DeviceSessions&) = delete;

    // The program-data folder whose "backups/" keeps the backups ("": none are kept).
    void SetBackupFolder(const std::string& programData);
    const BackupStore& Backups() const { return backups_; }
    // Why the backups folder cannot take a backup now; empty when it can.
    std::string CheckBackupFolder();
    // The support trace, and the program name its commands are logged under.
    void SetSupportLog(SupportLog* log, std::string program);
    void SetCompareView(CompareView* view) { compareView_ = view != nullptr ? view : &silentCompare_; }

    // ---- The service ----------------------------------------------------------------------------------
    // Reads the device of the edited model into the editor, as Communication > Read from device.
    DeviceResult Read();
    // Writes the editor to the device of its model, with the options.
    DeviceResult Write(const DeviceOptions& options);
    // Reads the device into an image of its own and shows the fields that differ from the edited
    // configuration; the operator may take the device's configuration as a read would.
    DeviceResult Compare();
    // Shows the change-ID-code dialog for the presence unit of the edited model (other families:
    // nothing), as Communication > Change ID-code.
    DeviceResult ChangeIdCode();
    // Gives the presence unit whose button is pressed a new radio ID code, typed into the
    // change-ID-code dialog as an operator would (the edited model must be a presence unit).
    DeviceResult ChangeIdCode(const std::string& newCode);
    // Captures the radio code of the transmitter activated next (the prompt names the event).
    DeviceResult CaptureCode(int event);
    // Captures the radio code of the transmitter activated next into radio event n of the editor
    // (1 to 8; any other does nothing), as its get-radio-code button does.
    DeviceResult CaptureIntoEvent(int n);
    // The unit's version text, into the result's code.
    DeviceResult UnitInfo();

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
    CompareDialog& CompareWindow() { return compare_; }
    // The flows, for the tests that run one part on its own.
    PresenceRadio& Presence() { return radio_; }
    RadioCodeCapture& Capture() { return capture_; }

private:
    // Runs a command unless one runs already: in the support trace, with what was said and run for
    // it gathered into the result, and a cancel request turned into the outcome Cancelled.
    template <class Command>
    DeviceResult Exclusive(std::string_view name, Command command);
    // A completed read's image into the backups folder; a failure is told.
    void KeepReadBackup(const ProgData::Bytes& image, std::uint8_t productType, DeviceResult& result);
    // The figures of the main transfer from the sessions run.
    void TakeFigures(bool write, DeviceResult& result) const;
    // The operator told what a cancel request left behind.
    void ReportCancel(bool write, const DeviceResult& result);

    SessionContext context_;
    SelectDeviceDialog selectDevice_;
    WaitWindow wait_;
    ReceiveRadioDialog receiveRadio_;
    PresenceRadio radio_;
    ChangeCodeDialog changeCode_;
    RadioCodeCapture capture_;
    DeviceReader reader_;
    DeviceWriter writer_;
    CompareDialog compare_;
    SilentCompareView silentCompare_;
    CompareView* compareView_ = &silentCompare_;
    BackupStore backups_{""};
    bool backupsKept_ = false;
    SupportLog* log_ = nullptr;
    std::string program_;
    bool busy_ = false;
};

} // namespace vorn
