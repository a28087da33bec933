#pragma once

#include "base/CodeLists.h"
#include "model/Catalogue.h"
#include "model/FieldModel.h"
#include "model/ProgData.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The conversions between a device memory image and the editor fields, dispatched on the product-type
// byte, and the pieces every family's conversion shares.
namespace vorn {

using Image = ProgData::Bytes;

// The statuses of a conversion. Any other result of a family's conversion is the address of the byte
// that did not convert (0-255), which the messages show.
enum ConversionStatus : int {
    ResultSuccess = -1,
    ResultNoFamily = -2,
    ResultFirmwareRefused = -4,
};

// A conversion's result as its callers read it: a status, or the address of the failing byte.
class ConversionResult {
public:
    constexpr ConversionResult(int value = ResultSuccess) : value_(value) {}

    constexpr bool Succeeded() const { return value_ == ResultSuccess; }
    constexpr bool NoFamily() const { return value_ == ResultNoFamily; }
    constexpr bool FirmwareRefused() const { return value_ == ResultFirmwareRefused; }
    // The address of the byte that did not convert, when one did not.
    constexpr std::optional<std::size_t> ErrorAddress() const {
        return value_ >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(value_)) : std::nullopt;
    }
    // The number itself, as the messages and the trace show it.
    constexpr int Value() const { return value_; }

    friend constexpr bool operator==(ConversionResult, ConversionResult) = default;

private:
    int value_;
};

// What a conversion works on: the editor's fields, the code lists as they are now, the locale's
// decimal separator, and the main window's Filling flag (set while an image is being shown).
struct ConversionContext {
    FieldModel& fields;
    const CodeLists& lists;
    char32_t decimalSeparator = '.';
    bool* filling = nullptr;
    // Fields to image shows the stored pulse times in their fields again; a look at the editor that
    // must not change it (the unsaved-changes marker while the operator types) turns that off.
    bool showStoredPulseTimes = true;
};

// Collects the outcome of one conversion: the last failing address wins, and any address wins over a
// refused firmware version.
class ConversionOutcome {
public:
    void Fail(int address) { error_ = address; }
    void RefuseFirmware() { firmwareRefused_ = true; }
    int Result() const {
        return error_ >= 0 ? error_ : (firmwareRefused_ ? ResultFirmwareRefused : ResultSuccess);
    }

private:
    int error_ = -1;
    bool firmwareRefused_ = false;
};

// One field of a family's field table: how it is registered in the field model.
struct FieldRow {
    std::string name;
    FieldKind kind = FieldKind::Text;
    CodeList CodeLists::*list = nullptr; // choice fields
    const char* listName = "";
    std::size_t maxLength = 0;
    KeyFilterKind keyFilter = KeyFilterKind::None;
    int tag = 0;
    bool enabled = true;
    bool visible = true;
    std::string inputMask;
};
void RegisterFields(FieldModel& fields, const std::vector<FieldRow>& rows);
// Fills every registered choice field of the rows from its code list (position kept, as a language
// change does).
void FillChoiceFields(FieldModel& fields, const CodeLists& lists, const std::vector<FieldRow>& rows);
// True for a choice field whose list the language fills: every one but the band lists, which are the
// region's.
bool FilledByLanguage(const FieldRow& row);

// The field tables of the three families, and a field's row and family by name (nullptr and
// Family::None for a name that is no editor field).
const std::vector<FieldRow>& FieldRowsOf(Family family);
const FieldRow* FindFieldRow(std::string_view name);
Family FamilyOfField(std::string_view name);
// The code list a choice field shows, or nullptr.
const CodeList* ChoiceListOf(const CodeLists& lists, std::string_view field);
// The code of the item a choice field shows in that list: 0 without a selection.
int ShownCodeIn(const Field& field, const CodeList& list);
// The code of the item a choice field shows in its own list: 0 without a selection or a list.
int ShownCode(const CodeLists& lists, const Field& field);

// Image to fields, then the family's own dependent updates are the caller's. -2 for no family.
int ImageToFields(const ConversionContext& context, const Image& image);
// Fields to image with the mapping of the image's own family; 0 (and the image untouched) for no family.
int FieldsToImage(const ConversionContext& context, Image& image);

// The message a caller shows for a result, by the compatibility rule: nothing for success.
using MessageArgument = std::variant<long long, std::string>;
struct CompatibilityMessage {
    std::string section; // empty: no message
    std::string key;
    std::vector<MessageArgument> arguments; // in the order of the text's placeholders
};
CompatibilityMessage MessageForResult(ConversionResult result, const Image& image,
                                      std::string_view errorSection = "COMMON");

// The row names of the fifteen actions in control names: 1 to 9, then A to F.
std::string ActionRowName(int row);

// Pieces shared by the family conversions.
namespace conversion {

// Selects the item with the code; true when there was one (otherwise nothing is selected).
bool SelectCode(const ConversionContext& c, std::string_view field, const CodeList& list, int code);
// The code of the shown item (0 without a selection).
int ShownCode(const ConversionContext& c, std::string_view field, const CodeList& list);
bool HasSelection(const ConversionContext& c, std::string_view field);
const std::string& TextOf(const ConversionContext& c, std::string_view field);
void ShowText(const ConversionContext& c, std::string_view field, std::string text);
inline std::string Decimal(long value) {
    return std::to_string(value);
}
// IntOrZero of the field's text as a byte (its low 8 bits).
std::uint8_t StoredByte(const ConversionContext& c, std::string_view field);
// 16-bit value shown in decimal, stored big-endian from IntOrZero.
void ShowWord(const ConversionContext& c, std::string_view field, const Image& image, int address);
void StoreWord(const ConversionContext& c, std::string_view field, Image& image, int address);
// The product name: the display text of the product-type code in the family's device-name list.
std::string ProductNameOf(const CodeList& names, std::uint8_t productType);
// The identity of a device, shown the same way by every family: production date (BCD, at its
// family's address), firmware type (46) and version (47), product name (122), serial number (123-125).
struct IdentityFields {
    const char* productionDate;
    int productionDateAddress;
    const char* firmwareType;
    const char* firmwareVersion;
    const char* productName;
    const char* serialNumber;
};
// Shows them in that order; false when the product name is not in the device-name list.
bool ShowIdentity(const ConversionContext& c, const IdentityFields& fields, const CodeList& names,
                  const Image& image);
void StoreIdentity(const ConversionContext& c, const IdentityFields& fields, const CodeList& names,
                   Image& image);
// Stores the code of the shown product name into byte 122; a name that the list lacks keeps the byte,
// so that a file never loses the model it belongs to.
void StoreProductType(const ConversionContext& c, std::string_view field, const CodeList& names,
                      Image& image);
// The pulse-time fields: two bytes of tenths shown through the mask, and the storing rule (false when
// the text is no decimal number); storing shows the stored value again.
void ShowPulseTime(const ConversionContext& c, std::string_view field, const Image& image, int address);
bool StorePulseTime(const ConversionContext& c, std::string_view field, Image& image, int address);

} // namespace conversion

} // namespace vorn
