#include "session/DeviceReader.h"

#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/ValueHelpers.h"
#include "session/SessionEngine.h"

#include <algorithm>
#include <span>

namespace vorn {

namespace {

constexpr std::string_view UnknownProduct = "Unknown";

std::span<const ReadRange> ReadRangesOf(Family family) {
    return family == Family::C ? std::span<const ReadRange>(FamilyCReadRanges)
                               : std::span<const ReadRange>(FamilyAReadRanges);
}

bool IsHexDigit(char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
}

// A read record the image can take whole: the count n at characters 4-5, the address at 6-7, then
// n data bytes, every one of these characters a hexadecimal digit (of either case), all inside the
// image. Characters 0-3 and any after the data are the unit's own.
bool IsCompleteRecord(std::string_view record) {
    if (record.size() < 8 || !std::all_of(record.begin() + 4, record.begin() + 8, IsHexDigit)) {
        return false;
    }
    const std::size_t count = HexPairValue(record[4], record[5]);
    const std::size_t address = HexPairValue(record[6], record[7]);
    const std::size_t end = 8 + 2 * count;
    return record.size() >= end && address + count <= ProgData::ImageSize &&
           std::all_of(record.begin() + 8, record.begin() + static_cast<std::ptrdiff_t>(end), IsHexDigit);
}

// Takes the unit's read records into the image, each byte stored marked ToRead, but only when they
// bring every byte the read entries asked for: a read cut short (a damaged or missing record) leaves
// the image as it was. The number of bytes missing.
int TakeReadRecords(KduLink& link, ProgData& data) {
    ProgData received;
    received.Image = data.Image;
    std::string record;
    for (int records = 0; records < MaxReadRecords && link.GetReadRecord(record) == CommandOk; ++records) {
        if (IsCompleteRecord(record)) {
            received.StoreReadRecord(record, ByteState::ToRead);
        } else {
            link.Trace().Write("Read record of " + std::to_string(record.size()) + " characters dropped");
        }
    }
    int missing = 0;
    for (std::string_view entry : FamilyBReadEntries) {
        const int count = HexPairValue(entry[0], entry[1]);
        const int address = HexPairValue(entry[2], entry[3]);
        for (int a = address; a < address + count; ++a) {
            missing += received.State[static_cast<std::size_t>(a)] == ByteState::ToRead ? 0 : 1;
        }
    }
    if (missing == 0) {
        data.Image = received.Image;
        data.State = received.State;
    }
    return missing;
}

} // namespace

SessionOutcome ReportSessionFailure(SessionContext& context, int result, const DeviceTarget& target) {
    switch (result) {
    case SessionUnitNotOpened:
        context.Message(context.UnitNotFoundText());
        return SessionOutcome::UnitNotFound;
    case SessionFirmwareTooOld:
        context.Message(context.texts.Text("COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE"));
        return SessionOutcome::FirmwareTooOld;
    case SessionInterrupted:
        // Whoever asked the program to stop is told by the front end, not by a dialog.
        return SessionOutcome::Interrupted;
    default:
        context.Message(context.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT",
                                     {target.productName, target.serialNumber}));
        return SessionOutcome::NoAnswer;
    }
}

int PresencePicture(std::uint8_t productType) {
    return productType == 0x2A ? 1 : productType == 0x2B ? 2 : 0;
}

DeviceReader::DeviceReader(SessionContext& context, SelectDeviceDialog& selectDevice, WaitWindow& wait,
                           PresenceRadio& radio)
    : context_(context), selectDevice_(selectDevice), wait_(wait), radio_(radio) {}

SessionOutcome DeviceReader::mnuCommReadFromDeviceClick() {
    switch (FamilyOf(context_.config.Image[ProductTypeAddress])) {
    case Family::A:
    case Family::C: return ReadByMemoryJobs();
    case Family::B: return ReadPresenceUnit();
    case Family::None: break;
    }
    return SessionOutcome::NotRun;
}

SessionOutcome DeviceReader::ReadByMemoryJobs() {
    ProgData& data = context_.config;
    const std::uint8_t type = data.Image[ProductTypeAddress];
    data.ClearStates();
    for (const ReadRange& range : ReadRangesOf(FamilyOf(type))) {
        data.MarkRange(range.first, range.last, ByteState::ToRead);
    }
    selectDevice_.SetUp(SelectDeviceDialog::Mode::Read, type, context_.texts, context_.lists);
    selectDevice_.ProposeSerialNumberOf(data.Image);
    selectDevice_.FormShow();
    context_.views.selectDevice.ShowSelectDevice(selectDevice_);
    if (selectDevice_.Result() != SelectDeviceDialog::ResultConfirm) {
        return SessionOutcome::Cancelled;
    }

    const DeviceTarget target = selectDevice_.Target(context_.lists, type, UnknownProduct);
    MemoryJob& job = context_.job;
    job.Band = target.band;
    job.RadioParameter2 = 4;
    job.RadioParameter3 = 0;
    job.RadioParameter4 = 6;
    job.HByte = '1';
    job.ProductTypeNumber = target.productTypeNumber;
    // The dialog confirms only 1 to 16777215.
    job.SerialNumber = static_cast<std::uint32_t>(target.serialNumber);
    job.Direction = JobRead;

    const std::string status =
        context_.Text("COMMUNICATION", "STATUS-READING_FROM_NNNN_WITH_SERIAL_NUMBER_NN",
                      {target.productName, target.serialNumber});
    context_.Status(status);
    const int result = context_.RunSessionShown(data, status, wait_);
    if (result == SessionNothingToTransfer) {
        context_.Message(std::string(ReadInternalErrorText));
        return SessionOutcome::InternalError;
    }
    if (result != SessionComplete) {
        return ReportSessionFailure(context_, result, target);
    }

    if (const int missing = data.CountState(ByteState::ToRead); missing != 0) {
        context_.Message(
            context_.Text("COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ", {missing}));
        context_.host.UpdateCaption();
        return SessionOutcome::NoAnswer;
    }
    context_.host.ShowPagesForModel();
    const int converted = context_.editor.ImageToFields(data.Image);
    SessionOutcome outcome = SessionOutcome::ConversionError;
    if (converted == ResultSuccess) {
        context_.Status(context_.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_READ_OK",
                                      {target.productName, target.serialNumber}));
        outcome = SessionOutcome::Done;
    } else if (converted == ResultNoFamily) {
        context_.Dialog(
            context_.Text("COMMON", "MESSAGE-INVALID_PRODUCT_TYPE_NN", {data.Image[ProductTypeAddress]}),
            MessageKind::Error, Buttons::Ok);
    } else if (converted == ResultFirmwareRefused) {
        context_.Dialog(context_.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                                      {FormatFirmwareVersion(data.Image[FirmwareVersionAddress])}),
                        MessageKind::Error, Buttons::Ok);
    } else {
        context_.Message(context_.Text("COMMON", "MESSAGE-ERROR_CONVERTING_DATA",
                                       {data.Image[static_cast<std::size_t>(converted)], converted}));
    }
    data.ConfigOrigin = Origin::ReadFromDevice;
    context_.host.UpdateCaption();
    return outcome;
}

SessionOutcome DeviceReader::ReadPresenceUnit() {
    ProgData& data = context_.config;
    const std::uint8_t type = data.Image[ProductTypeAddress];
    context_.Status({});
    ReceiveRadioDialog& dialog = radio_.Dialog();
    dialog.ChoosePicture(PresencePicture(type));
    dialog.SetCaption(context_.texts.Text("COMMUNICATION", "TITLE-READ_FROM_DEVICE"));
    radio_.GetDeviceCode();
    const std::string code = radio_.DeviceRadioCode();
    if (code.empty()) {
        context_.Status(context_.texts.Text("HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION"));
        return radio_.MissingCodeOutcome();
    }
    context_.editor.Fields().SetText("edtHESK_RadioIdCode", code);

    KduLink& link = context_.link;
    if (link.Open() != 0) {
        link.Close();
        return SessionOutcome::UnitNotFound;
    }
    SessionOutcome outcome = SessionOutcome::NotRun;
    link.SetH('1');
    // An entry the unit refuses would never come back: the job is not started without all of them.
    bool accepted = link.AddReadEntry("") == CommandOk;
    for (std::string_view entry : FamilyBReadEntries) {
        accepted = accepted && link.AddReadEntry(entry) == CommandOk;
    }
    if (!accepted || link.StartRadioJob(code) != CommandOk) {
        context_.Dialog(context_.texts.Text("HESK", "MESSAGE-KDU_GET_JOB_ERROR"), MessageKind::Error,
                        Buttons::Ok);
        outcome = SessionOutcome::DeviceFailed;
    } else {
        radio_.StartTimer(PresenceRadio::TagReadStatus);
        dialog.SetCaption(context_.texts.Text("COMMUNICATION", "TITLE-READ_FROM_DEVICE"));
        dialog.SetGroupCaption(context_.texts.Text("HESK", "LABEL-WAIT_FOR_TRANSMITTER_ACTIVATION"));
        dialog.SetActionText(context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_READ_CONFIGURATION"));
        context_.views.pump.ProcessPendingEvents();
        const int result = radio_.ShowDialog();
        // The unit's job is over or given up: no tick may poll any more, and the unit forgets the entries.
        const auto endJob = [&] {
            radio_.SetTimerTag(PresenceRadio::TagNone);
            link.AddReadEntry("");
        };
        switch (result) {
        case ReceiveRadioDialog::ResultDone: break;
        case ReceiveRadioDialog::ResultFailed:
            endJob();
            context_.Dialog(context_.texts.Text("HESK", "MESSAGE-ERROR_READ_DEVICE"), MessageKind::Error,
                            Buttons::Ok);
            outcome = SessionOutcome::DeviceFailed;
            break;
        case ReceiveRadioDialog::ResultAborted:
            endJob();
            context_.Status(context_.texts.Text("HESK", "MESSAGE-USER_ABORTED_READ_OPERATION"));
            outcome = SessionOutcome::Cancelled;
            break;
        case ReceiveRadioDialog::ResultNoContact:
            endJob();
            context_.Dialog(context_.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED"),
                            MessageKind::Error, Buttons::Ok);
            outcome = SessionOutcome::NoAnswer;
            break;
        default: outcome = SessionOutcome::Cancelled; break;
        }
        radio_.StopTimer();
        data.ClearStates();
        const int missing = result == ReceiveRadioDialog::ResultDone ? TakeReadRecords(link, data) : 0;
        if (missing != 0) {
            context_.Message(context_.Text("COMMUNICATION",
                                           "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ", {missing}));
            outcome = SessionOutcome::NoAnswer;
        } else if (result == ReceiveRadioDialog::ResultDone) {
            const int converted = context_.editor.ImageToFields(data.Image);
            outcome = SessionOutcome::ConversionError;
            if (converted == ResultSuccess) {
                context_.Status(context_.texts.Text("HESK", "MESSAGE-READ_FROM_DEVICE_COMPLETE"));
                outcome = SessionOutcome::Done;
            } else if (converted == ResultNoFamily) {
                context_.Message(context_.Text("COMMON", "MESSAGE-INVALID_PRODUCT_TYPE_NN",
                                               {data.Image[ProductTypeAddress]}));
            } else if (converted == ResultFirmwareRefused) {
                context_.Message(context_.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                                               {FormatFirmwareVersion(data.Image[FirmwareVersionAddress])}));
            } else {
                context_.Dialog(context_.Text("HESK", "MESSAGE-ERROR_CONVERTING_DATA",
                                              {data.Image[static_cast<std::size_t>(converted)], converted}),
                                MessageKind::Error, Buttons::Ok);
            }
            data.ConfigOrigin = Origin::ReadFromDevice;
            context_.host.UpdateCaption();
        }
    }
    link.AddReadEntry("");
    link.Close();
    return outcome;
}

} // namespace vorn
