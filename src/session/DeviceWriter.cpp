#include "session/DeviceWriter.h"

#include "base/IniDocument.h"
#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/FamilyAMap.h"
#include "model/ValueHelpers.h"
#include "platform/Interrupt.h"
#include "session/FieldDifferences.h"
#include "session/SessionEngine.h"

#include <span>

namespace vorn {

namespace {

std::string RadioIdText(const ProgData::Bytes& image) {
    return FormatHex16(image[RadioIdAddress], image[RadioIdAddress + 1]);
}

// A presence unit's write entry of a range: count, address, then the image's bytes.
std::string WriteEntry(const ProgData::Bytes& image, const AddressRange& range) {
    return EncodeWriteEntry(image, static_cast<std::uint8_t>(range.last - range.first + 1),
                            static_cast<std::uint8_t>(range.first));
}

} // namespace

SessionOutcome DeviceWriter::Write(const DeviceOptions& options, DeviceResult& result) {
    switch (FamilyOf(context_.config.Image[ProductTypeAddress])) {
    case Family::A:
    case Family::C: return WriteByMemoryJobs(options, result);
    case Family::B: return WritePresenceUnit(options, result);
    case Family::None: break;
    }
    context_.link.Trace().Write("mnuCommWriteToDevice(): Invalid product type");
    return SessionOutcome::NotRun;
}

std::optional<SessionOutcome> DeviceWriter::StoreBackup(const ProgData::Bytes& image,
                                                        std::optional<std::int64_t> serial,
                                                        DeviceResult& result) {
    std::string error;
    if (const auto path = KeepBackup(image, context_.config.Image[ProductTypeAddress], serial, error)) {
        result.backupPath = *path;
        return std::nullopt;
    }
    result.backupError = error.empty() ? std::string("no backups folder") : error;
    context_.Message(
        context_.Text("COMMUNICATION", "MESSAGE-NO_BACKUP_NOTHING_WRITTEN_NN", {result.backupError}));
    return SessionOutcome::BackupFailed;
}

SessionOutcome DeviceWriter::WriteByMemoryJobs(const DeviceOptions& options, DeviceResult& result) {
    ProgData& data = context_.config;
    const StoreReport stored = context_.editor.StoreFields(data.Image);
    if (const auto refused = Refused(stored, true)) {
        return *refused;
    }
    if (const auto address = stored.result.ErrorAddress()) {
        context_.Message(
            context_.Text("COMMON", "MESSAGE-ERROR_CONVERTING_DATA", {data.Image[*address], *address}));
        return SessionOutcome::ConversionError;
    }
    const std::uint8_t type = data.Image[ProductTypeAddress];
    const Family family = FamilyOf(type);
    const std::optional<DeviceTarget> chosen = ChooseDevice(SelectDeviceDialog::Mode::Write, type, {});
    if (!chosen) {
        return SessionOutcome::Cancelled;
    }
    const DeviceTarget& target = *chosen;
    const FormatArgs who{target.productName, target.serialNumber};

    if (options.backupFirst) {
        // The device's whole configuration, as a read fetches it, before anything is written.
        ProgData backup;
        backup.Image = data.Image;
        MarkRanges(backup, ReadRangesOf(family), ByteState::ToRead);
        if (const auto failed = ReadShown(
                backup, context_.Text("COMMUNICATION", "STATUS-BACKING_UP_NNNN_WITH_SERIAL_NUMBER_NN", who),
                target)) {
            return *failed;
        }
        if (const auto failed = StoreBackup(backup.Image, target.serialNumber, result)) {
            return *failed;
        }
    }

    // The pre-read: the device's radio ID code and firmware version, into a scratch image.
    ProgData device;
    MarkRanges(device, {&PreReadRange, 1}, ByteState::ToRead);
    const std::string status =
        context_.Text("COMMUNICATION", "STATUS-WRITING_TO_NNNN_WITH_SERIAL_NUMBER_NN", who);
    if (const auto failed = ReadShown(device, status, target)) {
        return *failed;
    }
    const std::uint8_t version = device.Image[FirmwareVersionAddress];
    if (family == Family::A && FirmwareMajor(version) != FamilyAMap::FirmwareMajor) {
        context_.Message(context_.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                                       {FormatFirmwareVersion(version)}));
        return SessionOutcome::DeviceFailed;
    }

    data.ClearStates();
    MarkRanges(data, WrittenRangesOf(family), ByteState::ToWrite);
    const std::string edited = RadioIdText(data.Image);
    const std::string current = RadioIdText(device.Image);
    if (!edited.empty() && edited != current) {
        const std::string question = context_.Text(
            "COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY", {current, edited});
        switch (context_.Dialog(question, MessageKind::Confirmation, Buttons::YesNoCancel)) {
        case DialogResult::Yes: MarkRanges(data, {&RadioIdRange, 1}, ByteState::ToWrite); break;
        case DialogResult::No: break;
        case DialogResult::None: return SessionOutcome::QuestionUnanswered;
        default: context_.Status({}); return SessionOutcome::Cancelled;
        }
    }
    if (family == Family::C &&
        (data.Image[FamilyCPositionRange.first] != 0 || data.Image[FamilyCPositionRange.last] != 0)) {
        MarkRanges(data, {&FamilyCPositionRange, 1}, ByteState::ToWrite);
    }

    FillJob(target, JobWrite);
    result.writeStarted = true;
    if (const auto failed = RunShown(data, status, target, WriteInternalErrorText,
                                     "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_WRITTEN")) {
        return *failed;
    }
    // The window shows what the device now holds.
    const std::string note = context_.editor.ShowStored(data.Image, stored);
    const std::string written = context_.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", who);
    const std::string writtenStatus = note.empty() ? written : written + " " + note;
    if (!options.verify) {
        context_.Status(writtenStatus);
        return SessionOutcome::Done;
    }

    // The read-back: the written addresses, on the band the write ended on.
    const std::vector<AddressRange> ranges = RangesInState(data.State, ByteState::Written);
    ProgData back;
    back.Image = data.Image;
    MarkRanges(back, ranges, ByteState::ToRead);
    context_.job.Direction = JobRead;
    const std::string verifying =
        context_.Text("COMMUNICATION", "STATUS-VERIFYING_NNNN_WITH_SERIAL_NUMBER_NN", who);
    context_.Status(verifying);
    const SessionResult readBack = context_.RunSessionShown(back, verifying, wait_);
    if (readBack == SessionInterrupted) {
        result.verify = VerifyResult::NotVerified;
        return SessionOutcome::Interrupted;
    }
    Compare(data, ranges, back, readBack == SessionComplete, result);
    return ReportVerify(result, writtenStatus);
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

SessionOutcome DeviceWriter::WritePresenceUnit(const DeviceOptions& options, DeviceResult& result) {
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
    const std::string caption = context_.texts.Text("COMMUNICATION", "TITLE-WRITE_TO_DEVICE");
    const std::string code = PresenceCode(data.Image[ProductTypeAddress], caption);
    if (code.empty()) {
        return radio_.MissingCodeOutcome();
    }
    bool writeRadioId = false;
    if (entered.size() == 4 && entered != code) {
        const std::string question = context_.Text(
            "COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY", {code, entered});
        switch (context_.Dialog(question, MessageKind::Information, Buttons::YesNoAbort)) {
        case DialogResult::Yes: writeRadioId = true; break;
        case DialogResult::No: break;
        case DialogResult::None: return SessionOutcome::QuestionUnanswered;
        default: return SessionOutcome::Cancelled;
        }
    }
    if (!stored.result.Succeeded()) {
        context_.Dialog(context_.Text("HESK", "MESSAGE_ERROR_CONVERTING_FORM", {stored.result.Value()}),
                        MessageKind::Error, Buttons::Ok);
        return SessionOutcome::ConversionError;
    }

    if (options.backupFirst) {
        // The unit's whole configuration, as a read fetches it, with a press of its own button before
        // the write's.
        ProgData backup;
        backup.Image = data.Image;
        if (const SessionOutcome outcome = FetchPresenceConfiguration(
                backup, code, caption,
                context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_BACK_UP_CONFIGURATION"));
            outcome != SessionOutcome::Done) {
            return outcome;
        }
        if (const auto failed = StoreBackup(backup.Image, std::nullopt, result)) {
            return *failed;
        }
    }
    data.Image = image;

    std::vector<AddressRange> ranges(WrittenRangesOf(Family::B).begin(), WrittenRangesOf(Family::B).end());
    if (writeRadioId) {
        ranges.push_back(RadioIdRange);
    }
    std::vector<std::string> entries;
    for (const AddressRange& range : ranges) {
        entries.push_back(WriteEntry(data.Image, range));
    }
    const int job = RunPresenceJob(
        {.write = true,
         .entries = entries,
         .radioCode = code,
         .caption = caption,
         .actionText = context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_WRITE_CONFIGURATION")});
    // A job the unit started may have reached the unit, whatever became of it.
    result.writeStarted = PresenceJobStarted(job);
    if (const SessionOutcome outcome = ReportPresenceJob(job, true); outcome != SessionOutcome::Done) {
        return outcome;
    }
    result.written = ranges;
    const std::string note = context_.editor.ShowStored(data.Image, stored);
    const std::string& complete = context_.texts.Text("HESK", "MESSAGE-WRITE_COMPLETE");
    const std::string writtenStatus = note.empty() ? complete : complete + " " + note;
    if (!options.verify) {
        context_.Status(writtenStatus);
        return SessionOutcome::Done;
    }

    // The read-back of the written entries, by the button once more; a changed radio ID code is the
    // unit's address from now on.
    ProgData back;
    back.Image = data.Image;
    const PresenceRead readBack =
        ReadByRadioJob(back, ReadEntries(ranges), writeRadioId ? UpperCase(entered) : code, caption,
                       context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_VERIFY_CONFIGURATION"));
    const bool readBackDone = readBack.result == ReceiveRadioDialog::ResultDone;
    if (!readBackDone && StopRequested()) {
        result.verify = VerifyResult::NotVerified;
        return SessionOutcome::Interrupted;
    }
    Compare(data, ranges, back, readBackDone && readBack.missing == 0, result);
    return ReportVerify(result, writtenStatus);
}

void DeviceWriter::Compare(const ProgData& written, const std::vector<AddressRange>& ranges,
                           const ProgData& back, bool readBack, DeviceResult& result) {
    const ShownFields shown(context_.editor, written.Image);
    for (const AddressRange& range : ranges) {
        for (int a = range.first; a <= range.last; ++a) {
            const auto i = static_cast<std::size_t>(a);
            const bool came = readBack || back.State[i] == ByteState::Read;
            if (came && back.Image[i] == written.Image[i]) {
                continue;
            }
            VerifyDifference difference{a, {}, written.Image[i], std::nullopt};
            if (came) {
                difference.read = back.Image[i];
            }
            const std::uint8_t other = came ? back.Image[i] : static_cast<std::uint8_t>(~written.Image[i]);
            difference.caption =
                CaptionsOfByte(context_.editor, context_.texts, shown, written.Image, a, other);
            result.differences.push_back(std::move(difference));
        }
    }
    result.verify = !readBack                    ? VerifyResult::NotVerified
                    : result.differences.empty() ? VerifyResult::Passed
                                                 : VerifyResult::Differs;
}

SessionOutcome DeviceWriter::ReportVerify(const DeviceResult& result, const std::string& writtenStatus) {
    switch (result.verify) {
    case VerifyResult::Passed:
        context_.Status(writtenStatus + " " + context_.texts.Text("COMMUNICATION", "STATUS-VERIFIED"));
        return SessionOutcome::Done;
    case VerifyResult::Differs: {
        std::string lines;
        for (const VerifyDifference& d : result.differences) {
            const std::string caption =
                d.caption.empty() ? context_.texts.Text("COMMUNICATION", "TEXT-NO_FIELD") : d.caption;
            // A line each, under the message's first sentence.
            lines += "\n" +
                     context_.Text("COMMUNICATION", "TEXT-VERIFY_DIFFERENCE_NN_NN_NN_NN",
                                   {caption, d.address, "0x" + HexByte(d.written), "0x" + HexByte(*d.read)});
        }
        context_.Message(context_.Text("COMMUNICATION", "MESSAGE-VERIFY_DIFFERENCES_NN", {lines}));
        return SessionOutcome::DeviceFailed;
    }
    default:
        context_.Message(context_.texts.Text("COMMUNICATION", "MESSAGE-NOT_VERIFIED"));
        return SessionOutcome::NoAnswer;
    }
}

} // namespace vorn
