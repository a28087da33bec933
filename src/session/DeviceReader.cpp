#include "session/DeviceReader.h"

#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/ValueHelpers.h"
#include "session/SessionEngine.h"

namespace vorn {

namespace {

constexpr std::string_view UnknownProduct = "Unknown";

} // namespace

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
    const SessionOutcome fetched = FetchByMemoryJobs(context_.config);
    return fetched == SessionOutcome::Done ? ShowFetched() : fetched;
}

SessionOutcome DeviceReader::ReadPresenceUnit() {
    const SessionOutcome fetched = FetchPresenceUnit(context_.config, true);
    return fetched == SessionOutcome::Done ? ShowFetched() : fetched;
}

SessionOutcome DeviceReader::Fetch(ProgData& data, bool forEditor) {
    switch (FamilyOf(data.Image[ProductTypeAddress])) {
    case Family::A:
    case Family::C: return FetchByMemoryJobs(data);
    case Family::B: return FetchPresenceUnit(data, forEditor);
    case Family::None: break;
    }
    return SessionOutcome::NotRun;
}

SessionOutcome DeviceReader::FetchByMemoryJobs(ProgData& data) {
    const std::uint8_t type = data.Image[ProductTypeAddress];
    data.ClearStates();
    for (const AddressRange& range : ReadRangesOf(FamilyOf(type))) {
        data.MarkRange(range.first, range.last, ByteState::ToRead);
    }
    const std::optional<DeviceTarget> target =
        ChooseDevice(SelectDeviceDialog::Mode::Read, type, UnknownProduct);
    if (!target) {
        return SessionOutcome::Cancelled;
    }
    FillJob(*target, JobRead);
    const std::string status =
        context_.Text("COMMUNICATION", "STATUS-READING_FROM_NNNN_WITH_SERIAL_NUMBER_NN",
                      {target->productName, target->serialNumber});
    if (const auto failed = RunShown(data, status, *target, ReadInternalErrorText,
                                     "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ")) {
        if (*failed == SessionOutcome::NoAnswer && data.CountState(ByteState::ToRead) != 0) {
            context_.host.UpdateCaption();
        }
        return *failed;
    }
    return SessionOutcome::Done;
}

SessionOutcome DeviceReader::FetchPresenceUnit(ProgData& data, bool forEditor) {
    const std::uint8_t type = data.Image[ProductTypeAddress];
    context_.Status({});
    ReceiveRadioDialog& dialog = radio_.Dialog();
    dialog.ChoosePicture(PresencePicture(type));
    const std::string caption = context_.texts.Text("COMMUNICATION", "TITLE-READ_FROM_DEVICE");
    dialog.SetCaption(caption);
    radio_.GetDeviceCode();
    const std::string code = radio_.DeviceRadioCode();
    if (code.empty()) {
        context_.Status(context_.texts.Text("HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION"));
        return radio_.MissingCodeOutcome();
    }
    if (forEditor) {
        context_.editor.Fields().SetText("edtHESK_RadioIdCode", code);
    }
    const std::vector<std::string> entries = ReadEntries(ReadRangesOf(Family::B));
    int missing = 0;
    const int result = RunPresenceJob(
        {.write = false,
         .entries = entries,
         .radioCode = code,
         .caption = caption,
         .actionText = context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_READ_CONFIGURATION")},
        [&] {
            data.ClearStates();
            missing = TakeReadRecords(data, entries);
        });
    const SessionOutcome outcome = ReportPresenceJob(result, false);
    if (result >= 0 && result != ReceiveRadioDialog::ResultDone) {
        data.ClearStates();
    }
    if (outcome != SessionOutcome::Done) {
        return outcome;
    }
    if (missing != 0) {
        context_.Message(
            context_.Text("COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ", {missing}));
        return SessionOutcome::NoAnswer;
    }
    return SessionOutcome::Done;
}

SessionOutcome DeviceReader::ShowFetched() {
    ProgData& data = context_.config;
    const bool presenceUnit = FamilyOf(data.Image[ProductTypeAddress]) == Family::B;
    if (!presenceUnit) {
        context_.host.ShowPagesForModel();
    }
    const int converted = context_.editor.ImageToFields(data.Image);
    SessionOutcome outcome = SessionOutcome::ConversionError;
    // A presence unit's conversion messages go to the status bar as well; the others' only the
    // error of a field's address.
    const auto compatibility = [&](const std::string& text) {
        if (presenceUnit) {
            context_.Message(text);
        } else {
            context_.Dialog(text, MessageKind::Error, Buttons::Ok);
        }
    };
    if (converted == ResultSuccess) {
        if (presenceUnit) {
            context_.Status(context_.texts.Text("HESK", "MESSAGE-READ_FROM_DEVICE_COMPLETE"));
        } else {
            const DeviceTarget& target = *target_;
            context_.Status(context_.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_READ_OK",
                                          {target.productName, target.serialNumber}));
        }
        outcome = SessionOutcome::Done;
    } else if (converted == ResultNoFamily) {
        compatibility(
            context_.Text("COMMON", "MESSAGE-INVALID_PRODUCT_TYPE_NN", {data.Image[ProductTypeAddress]}));
    } else if (converted == ResultFirmwareRefused) {
        compatibility(context_.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                                    {FormatFirmwareVersion(data.Image[FirmwareVersionAddress])}));
    } else {
        const FormatArgs args{data.Image[static_cast<std::size_t>(converted)], converted};
        if (presenceUnit) {
            context_.Dialog(context_.Text("HESK", "MESSAGE-ERROR_CONVERTING_DATA", args), MessageKind::Error,
                            Buttons::Ok);
        } else {
            context_.Message(context_.Text("COMMON", "MESSAGE-ERROR_CONVERTING_DATA", args));
        }
    }
    data.ConfigOrigin = Origin::ReadFromDevice;
    context_.host.UpdateCaption();
    return outcome;
}

} // namespace vorn
