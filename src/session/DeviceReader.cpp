#include "session/DeviceReader.h"

#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "model/ValueHelpers.h"
#include "session/SessionEngine.h"

namespace vorn {

namespace {

constexpr std::string_view UnknownProduct = "Unknown";

} // namespace

SessionOutcome DeviceReader::Read() {
    const SessionOutcome fetched = Fetch(context_.config, true);
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
    MarkRanges(data, ReadRangesOf(FamilyOf(type)), ByteState::ToRead);
    const std::optional<DeviceTarget> target =
        ChooseDevice(SelectDeviceDialog::Mode::Read, type, UnknownProduct);
    if (!target) {
        return SessionOutcome::Cancelled;
    }
    const std::string status =
        context_.Text("COMMUNICATION", "STATUS-READING_FROM_NNNN_WITH_SERIAL_NUMBER_NN",
                      {target->productName, target->serialNumber});
    if (const auto failed = ReadShown(data, status, *target)) {
        if (*failed == SessionOutcome::NoAnswer && data.CountState(ByteState::ToRead) != 0) {
            context_.host.UpdateCaption();
        }
        return *failed;
    }
    return SessionOutcome::Done;
}

SessionOutcome DeviceReader::FetchPresenceUnit(ProgData& data, bool forEditor) {
    context_.Status({});
    const std::string caption = context_.texts.Text("COMMUNICATION", "TITLE-READ_FROM_DEVICE");
    const std::string code = PresenceCode(data.Image[ProductTypeAddress], caption);
    if (code.empty()) {
        return radio_.MissingCodeOutcome();
    }
    if (forEditor) {
        context_.editor.Fields().SetText("edtHESK_RadioIdCode", code);
    }
    return FetchPresenceConfiguration(
        data, code, caption, context_.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_READ_CONFIGURATION"));
}

SessionOutcome DeviceReader::ShowFetched() {
    ProgData& data = context_.config;
    const bool presenceUnit = FamilyOf(data.Image[ProductTypeAddress]) == Family::B;
    if (!presenceUnit) {
        context_.host.ShowPagesForModel();
    }
    const ConversionResult converted = context_.editor.ImageToFields(data.Image);
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
    if (converted.Succeeded()) {
        if (presenceUnit) {
            context_.Status(context_.texts.Text("HESK", "MESSAGE-READ_FROM_DEVICE_COMPLETE"));
        } else {
            const DeviceTarget& target = *target_;
            context_.Status(context_.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_READ_OK",
                                          {target.productName, target.serialNumber}));
        }
        outcome = SessionOutcome::Done;
    } else if (converted.NoFamily()) {
        compatibility(
            context_.Text("COMMON", "MESSAGE-INVALID_PRODUCT_TYPE_NN", {data.Image[ProductTypeAddress]}));
    } else if (converted.FirmwareRefused()) {
        compatibility(context_.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                                    {FormatFirmwareVersion(data.Image[FirmwareVersionAddress])}));
    } else if (const auto address = converted.ErrorAddress()) {
        const FormatArgs args{data.Image[*address], *address};
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
