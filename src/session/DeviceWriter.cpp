#include "session/DeviceWriter.h"

#include "base/IniDocument.h"
#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/ValueHelpers.h"
#include "session/SessionEngine.h"

#include <span>

namespace vorn {

namespace {

std::string RadioIdText(const ProgData::Bytes& image) {
    return FormatHex16(image[RadioIdAddress], image[RadioIdAddress + 1]);
}

void Mark(ProgData& data, const ReadRange& range, ByteState state) {
    data.MarkRange(range.first, range.last, state);
}

} // namespace

DeviceWriter::DeviceWriter(SessionContext& context, SelectDeviceDialog& selectDevice, WaitWindow& wait,
                           PresenceRadio& radio)
    : context_(context), selectDevice_(selectDevice), wait_(wait), radio_(radio) {}

SessionOutcome DeviceWriter::mnuCommWriteToDeviceClick() {
    switch (FamilyOf(context_.config.Image[ProductTypeAddress])) {
    case Family::A:
    case Family::C: return WriteByMemoryJobs();
    case Family::B: return WritePresenceUnit();
    case Family::None: break;
    }
    context_.link.Trace().Write("mnuCommWriteToDevice(): Invalid product type");
    return SessionOutcome::NotRun;
}

void DeviceWriter::FillJob(const DeviceTarget& target, std::uint8_t direction) {
    MemoryJob& job = context_.job;
    job.Band = target.band;
    job.RadioParameter2 = 4;
    job.RadioParameter3 = 0;
    job.RadioParameter4 = 6;
    job.HByte = '1';
    job.ProductTypeNumber = target.productTypeNumber;
    job.SerialNumber = static_cast<std::uint32_t>(target.serialNumber);
    job.Direction = direction;
}

SessionOutcome DeviceWriter::WriteByMemoryJobs() {
    ProgData& data = context_.config;
    const StoreReport stored = context_.editor.StoreFields(data.Image);
    if (const auto refused = Refused(stored, true)) {
        return *refused;
    }
    if (stored.result != ResultSuccess) {
        context_.Message(context_.Text("COMMON", "MESSAGE-ERROR_CONVERTING_DATA",
                                       {data.Image[static_cast<std::size_t>(stored.result)], stored.result}));
        return SessionOutcome::ConversionError;
    }
    const std::uint8_t type = data.Image[ProductTypeAddress];
    const Family family = FamilyOf(type);
    selectDevice_.SetUp(SelectDeviceDialog::Mode::Write, type, context_.texts, context_.lists);
    selectDevice_.ProposeSerialNumberOf(data.Image);
    selectDevice_.FormShow();
    context_.views.selectDevice.ShowSelectDevice(selectDevice_);
    if (selectDevice_.Result() != SelectDeviceDialog::ResultConfirm) {
        return SessionOutcome::Cancelled;
    }

    // The pre-read: the device's radio ID code and firmware version, into a scratch image.
    ProgData device;
    Mark(device, PreReadRange, ByteState::ToRead);
    const DeviceTarget target = selectDevice_.Target(context_.lists, type, {});
    FillJob(target, JobRead);
    const std::string status = context_.Text("COMMUNICATION", "STATUS-WRITING_TO_NNNN_WITH_SERIAL_NUMBER_NN",
                                             {target.productName, target.serialNumber});
    context_.Status(status);
    const int preRead = context_.RunSessionShown(device, status, wait_);
    if (preRead == SessionNothingToTransfer) {
        context_.Message(std::string(ReadInternalErrorText));
        return SessionOutcome::InternalError;
    }
    if (preRead != SessionComplete) {
        return ReportSessionFailure(context_, preRead, target);
    }
    if (const int missing = device.CountState(ByteState::ToRead); missing != 0) {
        context_.Message(
            context_.Text("COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ", {missing}));
        return SessionOutcome::NoAnswer;
    }
    const std::uint8_t version = device.Image[FirmwareVersionAddress];
    if (family == Family::A && version >> 4 != FamilyAFirmwareMajor) {
        context_.Message(context_.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                                       {FormatFirmwareVersion(version)}));
        return SessionOutcome::DeviceFailed;
    }

    data.ClearStates();
    for (const ReadRange& range : family == Family::C ? std::span<const ReadRange>(FamilyCWriteRanges)
                                                      : std::span<const ReadRange>(FamilyAWriteRanges)) {
        Mark(data, range, ByteState::ToWrite);
    }
    const std::string edited = RadioIdText(data.Image);
    const std::string current = RadioIdText(device.Image);
    if (!edited.empty() && edited != current) {
        const std::string question = context_.Text(
            "COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY", {current, edited});
        switch (context_.Dialog(question, MessageKind::Confirmation, Buttons::YesNoCancel)) {
        case DialogResult::Yes: Mark(data, RadioIdRange, ByteState::ToWrite); break;
        case DialogResult::No: break;
        default: context_.Status({}); return SessionOutcome::Cancelled;
        }
    }
    if (family == Family::C &&
        (data.Image[FamilyCPositionRange.first] != 0 || data.Image[FamilyCPositionRange.last] != 0)) {
        Mark(data, FamilyCPositionRange, ByteState::ToWrite);
    }

    FillJob(selectDevice_.Target(context_.lists, type, {}), JobWrite);
    context_.Status(status);
    const int result = context_.RunSessionShown(data, status, wait_);
    if (result == SessionNothingToTransfer) {
        context_.Message(std::string(WriteInternalErrorText));
        return SessionOutcome::InternalError;
    }
    if (result != SessionComplete) {
        return ReportSessionFailure(context_, result, target);
    }
    if (const int missing = data.CountState(ByteState::ToWrite); missing != 0) {
        context_.Message(context_.Text("COMMUNICATION",
                                       "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_WRITTEN", {missing}));
        return SessionOutcome::NoAnswer;
    }
    // The window shows what the device now holds.
    const std::string note = context_.editor.ShowStored(data.Image, stored);
    const std::string written = context_.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK",
                                              {target.productName, target.serialNumber});
    context_.Status(note.empty() ? written : written + " " + note);
    return SessionOutcome::Done;
}

std::optional<SessionOutcome> DeviceWriter::Refused(const StoreReport& stored, bool withStatus) {
    if (stored.editRefused) {
        return SessionOutcome::Refused; // the field's own check has said why
    }
    if (!stored.unstorable.empty()) {
        const std::string message = context_.editor.UnstorableMessage(stored);
        if (withStatus) {
            context_.Message(message);
        } else {
            context_.Dialog(message, MessageKind::Error, Buttons::Ok);
        }
        return SessionOutcome::ConversionError;
    }
    return std::nullopt;
}

SessionOutcome DeviceWriter::WritePresenceUnit() {
    ProgData& data = context_.config;
    data.ClearStates();
    context_.Status({});
    // Nothing is asked of the unit for a form that cannot be written.
    ProgData::Bytes image = data.Image;
    const StoreReport stored = context_.editor.StoreFields(image);
    if (const auto refused = Refused(stored, false)) {
        return *refused;
    }
    const std::string entered = context_.editor.Fields().Get("edtHESK_RadioIdCode").Text();
    if (entered == "0" || entered == "00" || entered == "000" || entered == "0000" ||
        EqualsIgnoreCase(entered, "FFFF")) {
        context_.Dialog(
            context_.Text("COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N", {"0001", "FFFE"}),
            MessageKind::Error, Buttons::Ok);
        return SessionOutcome::Refused;
    }
    ReceiveRadioDialog& dialog = radio_.Dialog();
    dialog.ChoosePicture(PresencePicture(data.Image[ProductTypeAddress]));
    dialog.SetCaption(context_.texts.Text("COMMUNICATION", "TITLE-WRITE_TO_DEVICE"));
    radio_.GetDeviceCode();
    const std::string code = radio_.DeviceRadioCode();
    if (code.empty()) {
        context_.Status(context_.texts.Text("HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION"));
        return radio_.MissingCodeOutcome();
    }
    bool writeRadioId = false;
    if (entered.size() == 4 && entered != code) {
        const std::string question = context_.Text(
            "COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY", {code, entered});
        switch (context_.Dialog(question, MessageKind::Information, Buttons::YesNoAbort)) {
        case DialogResult::Yes: writeRadioId = true; break;
        case DialogResult::No: break;
        default: return SessionOutcome::Cancelled;
        }
    }
    if (stored.result != ResultSuccess) {
        context_.Dialog(context_.Text("HESK", "MESSAGE_ERROR_CONVERTING_FORM", {stored.result}),
                        MessageKind::Error, Buttons::Ok);
        return SessionOutcome::ConversionError;
    }
    data.Image = image;

    KduLink& link = context_.link;
    if (link.Open() != 0) {
        link.Close();
        return SessionOutcome::UnitNotFound;
    }
    SessionOutcome outcome = SessionOutcome::DeviceFailed;
    link.SetH('1');
    // A job without every entry would write part of the configuration and report it complete: an
    // entry the unit refuses stops the write before the job starts.
    bool accepted = link.AddWriteEntry("") == CommandOk;
    for (const WriteEntrySpan& entry : FamilyBWriteEntries) {
        accepted = accepted &&
                   link.AddWriteEntry(EncodeWriteEntry(data.Image, entry.count, entry.address)) == CommandOk;
    }
    if (writeRadioId) {
        accepted = accepted && link.AddWriteEntry(EncodeWriteEntry(data.Image, FamilyBRadioIdEntry.count,
                                                                   FamilyBRadioIdEntry.address)) == CommandOk;
    }
    if (!accepted || link.StartRadioJob(code) != CommandOk) {
        context_.Dialog(context_.texts.Text("HESK", "MESSAGE-KDU_GET_JOB_ERROR"), MessageKind::Error,
                        Buttons::Ok);
    } else {
        radio_.StartTimer(PresenceRadio::TagWriteStatus);
        dialog.SetCaption(context_.texts.Text("COMMUNICATION", "TITLE-WRITE_TO_DEVICE"));
        dialog.SetGroupCaption(context_.texts.Text("HESK", "LABEL-WAIT_FOR_TRANSMITTER_ACTIVATION"));
        dialog.SetActionText(context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_WRITE_CONFIGURATION"));
        context_.views.pump.ProcessPendingEvents();
        switch (radio_.ShowDialog()) {
        case ReceiveRadioDialog::ResultDone: {
            const std::string note = context_.editor.ShowStored(data.Image, stored);
            const std::string& written = context_.texts.Text("HESK", "MESSAGE-WRITE_COMPLETE");
            context_.Status(note.empty() ? written : written + " " + note);
            outcome = SessionOutcome::Done;
            break;
        }
        case ReceiveRadioDialog::ResultFailed:
            radio_.SetTimerTag(PresenceRadio::TagNone);
            context_.Dialog(context_.texts.Text("HESK", "MESSAGE-ERROR_WRITE_DEVICE_RETRY"),
                            MessageKind::Error, Buttons::Ok);
            outcome = SessionOutcome::DeviceFailed;
            break;
        case ReceiveRadioDialog::ResultAborted:
            radio_.SetTimerTag(PresenceRadio::TagNone);
            context_.Status(context_.texts.Text("HESK", "MESSAGE-USER_ABORTED_WRITE_OPERATION"));
            outcome = SessionOutcome::Cancelled;
            break;
        case ReceiveRadioDialog::ResultNoContact:
            radio_.SetTimerTag(PresenceRadio::TagNone);
            context_.Dialog(context_.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED"),
                            MessageKind::Error, Buttons::Ok);
            outcome = SessionOutcome::NoAnswer;
            break;
        default: outcome = SessionOutcome::Cancelled; break;
        }
        radio_.StopTimer();
    }
    link.AddWriteEntry("");
    link.Close();
    return outcome;
}

} // namespace vorn
