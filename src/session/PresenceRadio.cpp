#include "session/PresenceRadio.h"

#include "base/IniDocument.h"
#include "base/NumberText.h"
#include "model/ImageLayout.h"
#include "model/SharedMap.h"
#include "model/ValueHelpers.h"
#include "platform/Interrupt.h"

#include <algorithm>

namespace vorn {

namespace {

// The write entry of the unit's radio ID code without its value: its byte count and its address.
std::string RadioIdEntry() {
    constexpr layout::Word place = SharedMap::RadioId;
    return kdu::ReadEntryText(
        static_cast<std::uint8_t>(layout::LastAddress(place) - layout::FirstAddress(place) + 1),
        static_cast<std::uint8_t>(layout::FirstAddress(place)));
}

// A unit's answer to the device-code request names a presence unit by one of these types.
bool IsPresenceUnitType(std::string_view type) {
    return std::find(kdu::PresenceUnitTypes.begin(), kdu::PresenceUnitTypes.end(), type) !=
           kdu::PresenceUnitTypes.end();
}

} // namespace

int StatusPollResult(std::string_view status) {
    if (status.size() != 2) {
        return ReceiveRadioDialog::ResultNone;
    }
    switch (HexPairValue(static_cast<unsigned char>(status[0]), static_cast<unsigned char>(status[1]))) {
    case 3: return ReceiveRadioDialog::ResultDone;
    case 4: return ReceiveRadioDialog::ResultFailed;
    case 5: return ReceiveRadioDialog::ResultNoContact;
    default: return ReceiveRadioDialog::ResultNone;
    }
}

PresenceRadio::PresenceRadio(SessionContext& context, ReceiveRadioDialog& dialog)
    : context_(context), dialog_(dialog) {}

void PresenceRadio::StartTimer(int tag) {
    timer_.tag = tag;
    timer_.interval = PollInterval;
    timer_.enabled = true;
}

int PresenceRadio::ShowDialog() {
    // A stop request ends the wait as the Abort button does, and the flow tidies the unit up.
    return dialog_.ShowModal(
        [this] {
            if (StopRequested()) {
                dialog_.btbtnAbortClick();
                return;
            }
            tmrPollKduInfoTimer();
        },
        timer_.interval);
}

void PresenceRadio::tmrPollKduInfoTimer() {
    KduLink& link = context_.link;
    // A tick that comes while a flow's own command waits for its reply sends nothing: the link is
    // never entered twice.
    if (!timer_.enabled || link.IsBusy()) {
        return;
    }
    std::string reply;
    int result = ReceiveRadioDialog::ResultNone;
    switch (timer_.tag) {
    case TagDeviceCode:
        link.PollDeviceCode(reply);
        if (reply == kdu::DeviceCodeFailed) {
            result = ReceiveRadioDialog::ResultFailed;
        } else if (!kdu::Cut(reply, kdu::AnswerType).empty()) { // long enough to name the unit's type
            result = ReceiveRadioDialog::ResultDone;
        }
        break;
    case TagWriteStatus:
    case TagReadStatus: {
        const int command =
            timer_.tag == TagWriteStatus ? link.PollWriteStatus(reply) : link.PollReadStatus(reply);
        if (command == CommandOk) {
            result = StatusPollResult(reply);
        }
        break;
    }
    default: return;
    }
    infoReply_ = reply;
    if (result != ReceiveRadioDialog::ResultNone) {
        dialog_.SetResult(result);
    }
}

SessionOutcome PresenceRadio::MissingCodeOutcome() const {
    switch (codeOutcome_) {
    case CodeOutcome::UnitNotFound: return SessionOutcome::UnitNotFound;
    case CodeOutcome::FirmwareTooOld: return SessionOutcome::FirmwareTooOld;
    case CodeOutcome::Failed:
    case CodeOutcome::GivenUp: return SessionOutcome::NoAnswer;
    case CodeOutcome::NotPressed: return SessionOutcome::ButtonNotPressed;
    case CodeOutcome::Aborted:
    case CodeOutcome::Obtained: break;
    }
    return SessionOutcome::Cancelled;
}

void PresenceRadio::GetDeviceCode() {
    KduLink& link = context_.link;
    codeOutcome_ = CodeOutcome::Aborted;
    if (link.Open() != 0) {
        codeOutcome_ = CodeOutcome::UnitNotFound;
        context_.Dialog(context_.UnitNotFoundText(), MessageKind::Error, Buttons::Ok);
        link.Close();
        return;
    }
    if (link.CheckVersion(kdu::MinimumUnitVersion) != CommandOk) {
        codeOutcome_ = CodeOutcome::FirmwareTooOld;
        link.Close();
        context_.Dialog(context_.texts.Text("COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE"),
                        MessageKind::Error, Buttons::Ok);
        return;
    }
    link.SetH(kdu::HValue);
    StartTimer(TagDeviceCode);
    bool finished = false;
    for (int attempt = 1; !finished; ++attempt) {
        if (attempt > MaxDeviceCodeAttempts) {
            link.Trace().Write("GetDeviceCode: no device code after " +
                               std::to_string(MaxDeviceCodeAttempts) + " requests, giving up");
            deviceRadioCode_.clear();
            codeOutcome_ = CodeOutcome::GivenUp;
            break;
        }
        if (link.RequestDeviceCode(kdu::DeviceCodeRequestFirst, kdu::DeviceCodeRequestSecond) != CommandOk) {
            continue;
        }
        dialog_.SetGroupCaption(context_.texts.Text("HESK", "LABEL-WAIT_FOR_TRANSMITTER_ACTIVATION"));
        dialog_.SetActionText(context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_GET_CODE"));
        dialog_.SetAbortCaption(context_.texts.Text("COMMON", "BUTTON-ABORT"));
        deviceRadioCode_.clear();
        infoReply_.clear();
        switch (ShowDialog()) {
        case ReceiveRadioDialog::ResultDone:
            if (infoReply_.size() == kdu::DeviceCodeAnswerLength) {
                deviceRadioCode_ = kdu::Cut(infoReply_, kdu::AnswerRadioCode);
                finished = IsPresenceUnitType(kdu::Cut(infoReply_, kdu::AnswerType));
                codeOutcome_ = finished ? CodeOutcome::Obtained : codeOutcome_;
            }
            break;
        case ReceiveRadioDialog::ResultFailed:
            codeOutcome_ = CodeOutcome::Failed;
            finished = true;
            break;
        case ReceiveRadioDialog::ResultAborted:
            codeOutcome_ = CodeOutcome::Aborted;
            finished = true;
            break;
        case ReceiveRadioDialog::ResultNotPressed:
            codeOutcome_ = CodeOutcome::NotPressed;
            finished = true;
            break;
        default: break;
        }
    }
    // A unit of another type is not the device asked for.
    if (!finished) {
        deviceRadioCode_.clear();
    }
    StopTimer();
    link.ListenOff();
    link.Close();
}

PresenceRadio::ChangeResult PresenceRadio::ChangeIdCode() {
    context_.Status({});
    ChangeResult result = ChangeNothingDone;
    if (deviceRadioCode_.empty()) {
        GetDeviceCode();
        if (deviceRadioCode_.empty()) {
            return ChangeNothingDone;
        }
    }
    if (newIdCode_.size() != 4 || newIdCode_ == "0000" || EqualsIgnoreCase(newIdCode_, "FFFF")) {
        return ChangeNothingDone;
    }
    KduLink& link = context_.link;
    if (link.Open() == 0) {
        link.SetH(kdu::HValue);
        const bool accepted = link.AddWriteEntry("") == CommandOk &&
                              link.AddWriteEntry(RadioIdEntry() + UpperCase(newIdCode_)) == CommandOk;
        if (!accepted || link.StartRadioJob(deviceRadioCode_) != CommandOk) {
            result = ChangeRefused;
        } else {
            StartTimer(TagWriteStatus);
            dialog_.SetCaption(context_.texts.Text("CHANGE_CODE", "TITLE-CHANGE_ID_CODE"));
            dialog_.SetGroupCaption(context_.texts.Text("HESK", "LABEL-WAIT_FOR_TRANSMITTER_ACTIVATION"));
            dialog_.SetActionText(
                context_.texts.Text("CHANGE_CODE", "MESSAGE_PRESS_DEVICE_BUTTON_TO_CHANGE_CODE"));
            context_.views.pump.ProcessPendingEvents();
            switch (ShowDialog()) {
            case ReceiveRadioDialog::ResultDone: result = ChangeDone; break;
            case ReceiveRadioDialog::ResultFailed: result = ChangeDeviceFailed; break;
            case ReceiveRadioDialog::ResultNoContact: result = ChangeNoContact; break;
            default: result = ChangeNothingDone; break;
            }
            SetTimerTag(TagNone);
            StopTimer();
        }
        link.AddWriteEntry("");
    }
    link.Close();
    return result;
}

} // namespace vorn
