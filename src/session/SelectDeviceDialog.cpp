#include "session/SelectDeviceDialog.h"

#include "lang/TextFormat.h"
#include "model/Catalogue.h"

#include <limits>

namespace vorn {

namespace {

constexpr std::string_view Section = "COMMUNICATION";

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i == 0 ? "" : "\n") + lines[i];
    }
    return text;
}

bool HasCode(const CodeList& list, int code) {
    return IndexOfCode(list, code) >= 0;
}

} // namespace

SelectDeviceDialog::SelectDeviceDialog() {
    fields_.Add({.name = std::string(ProductsField), .kind = FieldKind::Choice});
    fields_.Add({.name = std::string(SerialField),
                 .kind = FieldKind::Text,
                 .maxLength = SerialMaxLength,
                 .keyFilter = KeyFilterKind::Number});
    fields_.Add({.name = std::string(BandField), .kind = FieldKind::Choice});
    fields_.Add({.name = std::string(InstructionsField), .kind = FieldKind::Text});
    fields_.On(SerialField, FieldEvent::Change, [this](const Field&) { SerialChanged(); });
}

void SelectDeviceDialog::SetUp(Mode mode, std::uint8_t productType, const ListIni& texts,
                               const CodeLists& lists) {
    const bool write = mode == Mode::Write;
    caption_ = texts.Text(Section, write ? "TITLE-WRITE_TO_DEVICE" : "TITLE-READ_FROM_DEVICE");
    const std::string button = texts.Text(Section, write ? "BUTTON-WRITE" : "BUTTON-READ");
    controlTexts_ = {
        {"gbSelectDeviceInfo", ControlProperty::Caption, texts.Text(Section, "GROUP-DEVICE_INFORMATION")},
        {"lblDeviceName", ControlProperty::Caption, texts.Text(Section, "LABEL-DEVICE_NAME")},
        {"lblSerialNumber", ControlProperty::Caption, texts.Text(Section, "LABEL-DEVICE_SERIAL_NUMBER")},
        {"lblPrimaryFrequencyBand", ControlProperty::Caption,
         texts.Text(Section, "LABEL-PRIMARY_FREQUENCY_BAND")},
        {"btnWriteOrRead", ControlProperty::Caption, button},
        {"btnCancel", ControlProperty::Caption, texts.Text("COMMON", "BUTTON-CANCEL")},
    };

    instructions_.clear();
    fields_.SetItems(ProductsField, {});
    const CodeList* models = nullptr;
    std::string_view memoKey;
    if (HasCode(lists.DeviceNamesA, productType)) {
        models = &lists.DeviceNamesA;
        memoKey = "MEMO-INSTRUCTIONS";
    } else if (HasCode(lists.DeviceNamesC, productType)) {
        models = &lists.DeviceNamesC;
        memoKey = "MEMO-POS_INSTRUCTIONS";
    }
    if (models != nullptr) {
        fields_.SetItems(ProductsField, DisplayTexts(*models));
        fields_.SetIndex(ProductsField, IndexOfCode(*models, productType));
        instructions_ = SplitLines(FormatText(texts.Text(Section, memoKey), {button}));
    }
    fields_.SetText(InstructionsField, JoinLines(instructions_));

    // The band chosen last carries over; the first band at the first showing, or when the region's
    // list no longer has that position.
    const int remembered = fields_.Get(BandField).Index();
    fields_.SetItems(BandField, DisplayTexts(lists.ReceiveBands));
    fields_.SetIndex(BandField, remembered >= 0 ? remembered : 0);
    if (fields_.Get(BandField).Index() < 0) {
        fields_.SetIndex(BandField, 0);
    }
}

void SelectDeviceDialog::ProposeSerialNumberOf(const ProgData::Bytes& image) {
    const auto at = static_cast<std::size_t>(SerialNumberAddress);
    const std::int64_t serial = (std::int64_t{image[at]} << 16) | (image[at + 1] << 8) | image[at + 2];
    if (serial >= 1 && serial <= MaxSerialNumber) {
        fields_.SetText(SerialField, std::to_string(serial));
    }
}

void SelectDeviceDialog::FormShow() {
    Open();
    fields_.SetFocus(fields_.Get(ProductsField).Index() < 0 ? ProductsField : SerialField);
    Notify();
}

std::int64_t SelectDeviceDialog::SerialNumberOf(std::string_view text) {
    if (text.empty() || text.size() > std::numeric_limits<std::int64_t>::digits10) {
        return -1;
    }
    std::int64_t value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            return -1;
        }
        value = value * 10 + (ch - '0');
    }
    return value;
}

bool SelectDeviceDialog::SerialValid() const {
    const std::int64_t serial = SerialNumberOf(fields_.Get(SerialField).Text());
    return serial >= 1 && serial <= MaxSerialNumber;
}

void SelectDeviceDialog::SerialChanged() {
    const bool valid = SerialValid();
    if (valid != confirmEnabled_) {
        confirmEnabled_ = valid;
        Notify();
    }
}

void SelectDeviceDialog::btnWriteOrReadClick() {
    // Otherwise it stays open, with no result.
    if (SerialValid() && fields_.Get(ProductsField).Index() >= 0) {
        Finish(ResultConfirm);
    }
}

void SelectDeviceDialog::btnCancelClick() {
    Finish(ResultCancel);
}

KeyResult SelectDeviceDialog::KeyPress(std::string_view control, char32_t key) {
    if (key == EscapeKey) {
        Finish(ResultCancel);
        return KeyResult::Accepted;
    }
    if (control != SerialField) {
        return KeyResult::Discarded;
    }
    if (key == EnterKey) {
        btnWriteOrReadClick();
        return KeyResult::Accepted;
    }
    return fields_.TypeKey(SerialField, key);
}

DeviceTarget SelectDeviceDialog::Target(const CodeLists& lists, std::uint8_t imageProductType,
                                        std::string_view unknownName) const {
    DeviceTarget target;
    target.band = static_cast<std::uint8_t>(CodeOfText(lists.ReceiveBands, fields_.Get(BandField).Text()));
    target.serialNumber = SerialNumberOf(fields_.Get(SerialField).Text());
    const std::string& model = fields_.Get(ProductsField).Text();
    if (FamilyOf(imageProductType) == Family::C) {
        const bool known = HasCode(lists.DeviceNamesC, imageProductType);
        target.productTypeNumber =
            static_cast<std::uint8_t>(known ? CodeOfText(lists.DeviceNamesC, model) : 0);
        const int index = IndexOfCode(lists.DeviceNamesC, target.productTypeNumber);
        target.productName =
            index < 0 ? std::string(unknownName)
                      : std::string(ValuePart(lists.DeviceNamesC[static_cast<std::size_t>(index)]));
    } else {
        target.productTypeNumber = static_cast<std::uint8_t>(CodeOfText(lists.DeviceNamesA, model));
        const int index = IndexOfCode(lists.DeviceNamesA, target.productTypeNumber);
        target.productName =
            index < 0 ? std::string()
                      : std::string(ValuePart(lists.DeviceNamesA[static_cast<std::size_t>(index)]));
    }
    return target;
}

} // namespace vorn
