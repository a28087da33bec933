#include "model/Conversion.h"

#include "model/Catalogue.h"
#include "model/FamilyAFields.h"
#include "model/FamilyAMap.h"
#include "model/FamilyBFields.h"
#include "model/FamilyCFields.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace vorn {

void RegisterFields(FieldModel& fields, const std::vector<FieldRow>& rows) {
    for (const FieldRow& row : rows) {
        fields.Add({.name = row.name,
                    .kind = row.kind,
                    .list = row.listName,
                    .maxLength = row.maxLength,
                    .keyFilter = row.keyFilter,
                    .tag = row.tag,
                    .enabled = row.enabled,
                    .visible = row.visible,
                    .inputMask = row.inputMask});
    }
}

void FillChoiceFields(FieldModel& fields, const CodeLists& lists, const std::vector<FieldRow>& rows) {
    for (const FieldRow& row : rows) {
        if (row.kind == FieldKind::Choice && row.list != nullptr) {
            FillDropDown(fields, row.name, DisplayTexts(lists.*row.list));
        }
    }
}

bool FilledByLanguage(const FieldRow& row) {
    return row.kind == FieldKind::Choice && row.list != nullptr && row.list != &CodeLists::ReceiveBands &&
           row.list != &CodeLists::TransmitBands;
}

const std::vector<FieldRow>& FieldRowsOf(Family family) {
    static const std::vector<FieldRow> none;
    switch (family) {
    case Family::A: return FamilyAFieldRows();
    case Family::B: return FamilyBFieldRows();
    case Family::C: return FamilyCFieldRows();
    case Family::None: break;
    }
    return none;
}

namespace {

struct FieldIndexEntry {
    const FieldRow* row;
    Family family;
};

const std::unordered_map<std::string_view, FieldIndexEntry>& FieldIndex() {
    static const auto index = [] {
        std::unordered_map<std::string_view, FieldIndexEntry> map;
        for (Family family : {Family::A, Family::B, Family::C}) {
            for (const FieldRow& row : FieldRowsOf(family)) {
                map.emplace(row.name, FieldIndexEntry{&row, family});
            }
        }
        return map;
    }();
    return index;
}

} // namespace

const FieldRow* FindFieldRow(std::string_view name) {
    const auto found = FieldIndex().find(name);
    return found == FieldIndex().end() ? nullptr : found->second.row;
}

Family FamilyOfField(std::string_view name) {
    const auto found = FieldIndex().find(name);
    return found == FieldIndex().end() ? Family::None : found->second.family;
}

const CodeList* ChoiceListOf(const CodeLists& lists, std::string_view field) {
    const FieldRow* row = FindFieldRow(field);
    return row != nullptr && row->list != nullptr ? &(lists.*(row->list)) : nullptr;
}

int ShownCodeIn(const Field& field, const CodeList& list) {
    return field.Index() < 0 ? 0 : CodeOfText(list, field.Text());
}

int ShownCode(const CodeLists& lists, const Field& field) {
    const CodeList* list = ChoiceListOf(lists, field.Name());
    return list == nullptr ? 0 : ShownCodeIn(field, *list);
}

namespace {

// Sets the Filling flag for the lifetime of one image-to-fields conversion.
class FillingScope {
public:
    explicit FillingScope(bool* flag) : flag_(flag) {
        if (flag_ != nullptr) {
            *flag_ = true;
        }
    }
    FillingScope(const FillingScope&) = delete;
    FillingScope& operator=(const FillingScope&) = delete;
    ~FillingScope() {
        if (flag_ != nullptr) {
            *flag_ = false;
        }
    }

private:
    bool* flag_;
};

} // namespace

int ImageToFields(const ConversionContext& context, const Image& image) {
    const Family family = FamilyOf(image[ProductTypeAddress]);
    if (family == Family::None) {
        return ResultNoFamily;
    }
    FillingScope filling(context.filling);
    switch (family) {
    case Family::A: return FamilyAImageToFields(context, image);
    case Family::B: return FamilyBImageToFields(context, image);
    case Family::C: return FamilyCImageToFields(context, image);
    case Family::None: break;
    }
    return ResultNoFamily;
}

int FieldsToImage(const ConversionContext& context, Image& image) {
    switch (FamilyOf(image[ProductTypeAddress])) {
    case Family::A: return FamilyAFieldsToImage(context, image);
    case Family::B: return FamilyBFieldsToImage(context, image);
    case Family::C: return FamilyCFieldsToImage(context, image);
    case Family::None: break;
    }
    return 0;
}

CompatibilityMessage MessageForResult(ConversionResult result, const Image& image,
                                      std::string_view errorSection) {
    if (result.NoFamily()) {
        return {
            "COMMON", "MESSAGE-INVALID_PRODUCT_TYPE_NN", {static_cast<long long>(image[ProductTypeAddress])}};
    }
    if (result.FirmwareRefused()) {
        return {"COMMON",
                "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                {FormatFirmwareVersion(layout::Get(image, SharedMap::FirmwareVersion))}};
    }
    if (const auto address = result.ErrorAddress(); address && *address < image.size()) {
        return {std::string(errorSection),
                "MESSAGE-ERROR_CONVERTING_DATA",
                {static_cast<long long>(image[*address]), static_cast<long long>(*address)}};
    }
    return {};
}

std::string ActionRowName(int row) {
    static constexpr const char* Names[] = {"1", "2", "3", "4", "5", "6", "7", "8",
                                            "9", "A", "B", "C", "D", "E", "F"};
    static_assert(std::size(Names) == FamilyAMap::ActionCount);
    return row >= 1 && row <= FamilyAMap::ActionCount ? Names[row - 1] : "";
}

namespace conversion {

bool SelectCode(const ConversionContext& c, std::string_view field, const CodeList& list, int code) {
    const int index = IndexOfCode(list, code);
    c.fields.SetIndex(field, index);
    return index >= 0 && c.fields.Get(field).Index() == index;
}

int ShownCode(const ConversionContext& c, std::string_view field, const CodeList& list) {
    return ShownCodeIn(c.fields.Get(field), list);
}

bool HasSelection(const ConversionContext& c, std::string_view field) {
    return c.fields.Get(field).Index() >= 0;
}

const std::string& TextOf(const ConversionContext& c, std::string_view field) {
    return c.fields.Get(field).Text();
}

void ShowText(const ConversionContext& c, std::string_view field, std::string text) {
    c.fields.SetText(field, std::move(text));
}

std::uint8_t StoredByte(const ConversionContext& c, std::string_view field) {
    return ByteOrZero(TextOf(c, field));
}

void ShowWord(const ConversionContext& c, std::string_view field, const Image& image, int address) {
    const auto a = static_cast<std::size_t>(address);
    ShowText(c, field, Decimal(256L * image[a] + image[a + 1]));
}

void StoreWord(const ConversionContext& c, std::string_view field, Image& image, int address) {
    const auto v = static_cast<std::uint32_t>(IntOrZero(TextOf(c, field)));
    const auto a = static_cast<std::size_t>(address);
    image[a] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
    image[a + 1] = static_cast<std::uint8_t>(v & 0xFF);
}

std::string ProductNameOf(const CodeList& names, std::uint8_t productType) {
    const std::string key = std::to_string(productType);
    for (const auto& item : names) {
        if (NamePart(item) == key) {
            return std::string(ValuePart(item));
        }
    }
    return {};
}

bool ShowIdentity(const ConversionContext& c, const IdentityFields& fields, const CodeList& names,
                  const Image& image) {
    const auto date = static_cast<std::size_t>(fields.productionDateAddress);
    ShowText(c, fields.productionDate, FormatBcdDate(image[date], image[date + 1], image[date + 2]));
    ShowText(c, fields.firmwareType, Decimal(layout::Get(image, SharedMap::FirmwareType)));
    ShowText(c, fields.firmwareVersion,
             FormatFirmwareVersion(layout::Get(image, SharedMap::FirmwareVersion)));
    const std::string name = ProductNameOf(names, image[ProductTypeAddress]);
    ShowText(c, fields.productName, name);
    ShowText(c, fields.serialNumber,
             FormatSerialNumber(image[SerialNumberAddress], image[SerialNumberAddress + 1],
                                image[SerialNumberAddress + 2]));
    return !name.empty();
}

void StoreIdentity(const ConversionContext& c, const IdentityFields& fields, const CodeList& names,
                   Image& image) {
    const auto date = ParseBcdDate(TextOf(c, fields.productionDate));
    std::copy(date.begin(), date.end(), image.begin() + fields.productionDateAddress);
    layout::Put(image, SharedMap::FirmwareType, StoredByte(c, fields.firmwareType));
    layout::Put(image, SharedMap::FirmwareVersion, ParseFirmwareVersion(TextOf(c, fields.firmwareVersion)));
    StoreProductType(c, fields.productName, names, image);
    const auto serial = ParseSerialNumber(TextOf(c, fields.serialNumber));
    std::copy(serial.begin(), serial.end(), image.begin() + SerialNumberAddress);
}

void StoreProductType(const ConversionContext& c, std::string_view field, const CodeList& names,
                      Image& image) {
    const std::string& name = TextOf(c, field);
    for (const auto& item : names) {
        if (ValuePart(item) == name) {
            image[ProductTypeAddress] = static_cast<std::uint8_t>(CodeOfItem(item) & 0xFF);
            return;
        }
    }
}

void ShowPulseTime(const ConversionContext& c, std::string_view field, const Image& image, int address) {
    const auto a = static_cast<std::size_t>(address);
    ShowText(c, field, FormatTenths(256u * image[a] + image[a + 1], c.decimalSeparator));
}

bool StorePulseTime(const ConversionContext& c, std::string_view field, Image& image, int address) {
    const auto a = static_cast<std::size_t>(address);
    const std::string& text = TextOf(c, field);
    bool ok = true;
    std::int64_t tenths = 0;
    if (!text.empty()) {
        const auto parsed = ParseTenths(text, c.decimalSeparator);
        ok = parsed.has_value();
        tenths = parsed.value_or(0);
    }
    if (tenths > 65535) {
        tenths = 65535;
    }
    const auto stored = static_cast<std::uint32_t>(tenths);
    image[a] = static_cast<std::uint8_t>((stored >> 8) & 0xFF);
    image[a + 1] = static_cast<std::uint8_t>(stored & 0xFF);
    if (c.showStoredPulseTimes) {
        ShowPulseTime(c, field, image, address);
    }
    return ok;
}

} // namespace conversion

} // namespace vorn
