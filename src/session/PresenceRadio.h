#pragma once

#include "session/ReceiveRadioDialog.h"
#include "session/SessionContext.h"

#include <string>

// The radio side of the family B presence units: learning a unit's radio code (the get-device-code
// flow), changing its radio ID code, and the info poll timer tmrPollKduInfo that polls the interface
// unit while the receive-radio dialog waits for the unit's button.
namespace vorn {

// The info poll timer's state: runs only while a flow shows the receive-radio dialog; its tag selects
// what a tick polls.
struct InfoPollTimer {
    bool enabled = false;
    int tag = 0;
    Millis interval{0};
};

class PresenceRadio {
public:
    static constexpr Millis PollInterval{500};
    static constexpr int TagNone = 0;
    static constexpr int TagDeviceCode = 100;  // PollDeviceCode
    static constexpr int TagWriteStatus = 200; // PollWriteStatus
    static constexpr int TagReadStatus = 300;  // PollReadStatus
    // Device-code requests of one get-device-code flow: the unit refusing the request, an answer of
    // another unit type, or a dialog closed without a result each use one. The flow then gives up as
    // if the operator had aborted, so a unit that keeps refusing cannot hold the program.
    static constexpr int MaxDeviceCodeAttempts = 10;

    // ChangeIdCode results.
    enum ChangeResult : int {
        ChangeDone = 0,
        ChangeNothingDone = 1,
        ChangeDeviceFailed = 2,
        ChangeNoContact = 3,
        ChangeRefused = 4, // the unit refused the write entry or the radio job
    };

    // How the last get-device-code flow ended.
    enum class CodeOutcome { Obtained, UnitNotFound, FirmwareTooOld, Failed, Aborted, GivenUp, NotPressed };

    PresenceRadio(SessionContext& context, ReceiveRadioDialog& dialog);

    // The radio code of the presence unit last learnt; empty when none.
    const std::string& DeviceRadioCode() const { return deviceRadioCode_; }
    void ClearDeviceRadioCode() { deviceRadioCode_.clear(); }
    // The code ChangeIdCode gives the unit.
    void SetNewIdCode(std::string code) { newIdCode_ = std::move(code); }
    const InfoPollTimer& Timer() const { return timer_; }
    // What a flow that needed the code reports when none was obtained.
    SessionOutcome MissingCodeOutcome() const;
    ReceiveRadioDialog& Dialog() { return dialog_; }

    // Learns the radio code of the unit whose button the operator presses; the code stays empty when
    // none was obtained (aborted, failed, no unit: the last is reported here).
    void GetDeviceCode();
    // Gives the unit the new ID code (learning the unit's code first when none is known).
    ChangeResult ChangeIdCode();

    // One tick of tmrPollKduInfo: sends the tag's poll, keeps the reply as the info reply, and closes
    // the receive-radio dialog with the outcome. A tick while a command of a flow waits, while the
    // timer is stopped or with any other tag sends nothing.
    void tmrPollKduInfoTimer();

    // The timer, as the flows run it.
    void StartTimer(int tag);
    void SetTimerTag(int tag) { timer_.tag = tag; }
    void StopTimer() { timer_.enabled = false; }
    // Shows the receive-radio dialog modally while the timer ticks; its result.
    int ShowDialog();

private:
    SessionContext& context_;
    ReceiveRadioDialog& dialog_;
    std::string deviceRadioCode_;
    std::string newIdCode_;
    std::string infoReply_;
    InfoPollTimer timer_;
    CodeOutcome codeOutcome_ = CodeOutcome::Aborted;
};

// The outcome of a status poll reply ("03", "04", "05" as two hexadecimal digits of either case): the
// receive-radio dialog's result, or 0 to keep waiting.
int StatusPollResult(std::string_view status);

} // namespace vorn
