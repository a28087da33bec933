#include "session/DeviceReader.h"

#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/ValueHelpers.h"
#include "session/SessionEngine.h"

#include <span>

namespace vorn {

namespace {

constexpr std::string_view UnknownProduct = "Unknown";

std::span<const ReadRange> ReadRangesOf(Family family) {
    return family == Family::C ? std::span<const ReadRange>(FamilyCReadRanges)
                               : std::span<const ReadRange>(FamilyAReadRanges);
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
    link.AddReadEntry("");
    for (std::string_view entry : FamilyBReadEntries) {
        link.AddReadEntry(entry);
    }
    if (link.StartRadioJob(code) != CommandOk) {
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
        if (result == ReceiveRadioDialog::ResultDone) {
            std::string record;
            for (int records = 0; records < MaxReadRecords && link.GetReadRecord(record) == CommandOk;
                 ++records) {
                data.StoreReadRecord(record, ByteState::ToRead);
            }
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
