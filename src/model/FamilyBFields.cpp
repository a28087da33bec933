#include "model/FamilyBFields.h"

#include "model/ValueHelpers.h"

namespace vorn {

using namespace conversion;

namespace {

constexpr IdentityFields Identity{"edtHESK_ProductionDate", 34,
                                  "edtHESK_FirmwareType",   "edtHESK_FirmwareVersion",
                                  "edtHESK_ProductName",    "edtHESK_SerialNumber"};

FieldRow YesNo(std::string name) {
    return {
        .name = std::move(name), .kind = FieldKind::Choice, .list = &CodeLists::YesNo, .listName = "YesNo"};
}
FieldRow Number(std::string name, std::size_t maxLength) {
    return {.name = std::move(name), .maxLength = maxLength, .keyFilter = KeyFilterKind::Number};
}
FieldRow Display(std::string name) {
    return {.name = std::move(name), .enabled = false};
}

std::uint8_t Bit(bool set, int bit) {
    return static_cast<std::uint8_t>(set ? 1u << bit : 0u);
}

} // namespace

const std::vector<FieldRow>& FamilyBFieldRows() {
    // Page tbsHeskConfig.
    static const std::vector<FieldRow> rows{
        {.name = "edtHESK_RadioIdCode", .maxLength = 4, .keyFilter = KeyFilterKind::HexCode},
        Number("edtHESK_MaxShortTx", 2),
        Number("edtHESK_MaxLongTx", 2),
        Number("edtHESK_MaxNumberOfBursts", 2),
        YesNo("cbbxHESK_IgnoreAck"),
        YesNo("cbbxHESK_RadioControlMode"),
        Display("edtHESK_ProductionDate"),
        Display("edtHESK_FirmwareType"),
        Display("edtHESK_FirmwareVersion"),
        Display("edtHESK_ProductName"),
        Display("edtHESK_SerialNumber"),
        Display("edtHESK_RadioCalibration"),
        Number("edtHESK_EquipmentType", 3),
        YesNo("cbbxHESK_SingleButtonPresence"),
        Number("edtHESK_RadioTestAlarmInterval", 3),
        Number("edtHESK_NumberOfMissedAck", 3),
        Number("edtHESK_AutoReadyTime", 3),
        YesNo("cbbxHESK_LedFlashIndication"),
        Number("edtHESK_BatteryCheckInterval", 3),
        YesNo("cbbxHESK_CheckBatteryIn24VMode"),
    };
    return rows;
}

int FamilyBImageToFields(const ConversionContext& c, const Image& image) {
    const CodeList& yesNo = c.lists.YesNo;
    ConversionOutcome outcome;
    // Choices without an item for the stored bit stay without a selection and report nothing.
    ShowText(c, "edtHESK_RadioIdCode", FormatHex16(image[32], image[33]));
    ShowText(c, "edtHESK_MaxShortTx", Decimal(image[51] >> 4));
    ShowText(c, "edtHESK_MaxLongTx", Decimal(image[51] & 0x0F));
    ShowText(c, "edtHESK_MaxNumberOfBursts", Decimal(image[52]));
    SelectCode(c, "cbbxHESK_IgnoreAck", yesNo, (image[48] >> 1) & 1);
    SelectCode(c, "cbbxHESK_RadioControlMode", yesNo, image[48] & 1);
    if (image[47] >= 0x20) {
        outcome.RefuseFirmware();
    }
    if (!ShowIdentity(c, Identity, c.lists.DeviceNamesB, image)) {
        outcome.Fail(122);
    }
    ShowText(c, "edtHESK_RadioCalibration", Decimal(image[127]));
    ShowText(c, "edtHESK_EquipmentType", Decimal(image[43]));
    SelectCode(c, "cbbxHESK_SingleButtonPresence", yesNo, image[50] & 1);
    ShowText(c, "edtHESK_RadioTestAlarmInterval", Decimal(image[39]));
    ShowText(c, "edtHESK_NumberOfMissedAck", Decimal(image[40]));
    ShowText(c, "edtHESK_AutoReadyTime", Decimal(image[49]));
    SelectCode(c, "cbbxHESK_LedFlashIndication", yesNo, (image[50] >> 1) & 1);
    ShowText(c, "edtHESK_BatteryCheckInterval", Decimal(image[41]));
    SelectCode(c, "cbbxHESK_CheckBatteryIn24VMode", yesNo, image[42] & 1);
    return outcome.Result();
}

int FamilyBFieldsToImage(const ConversionContext& c, Image& image) {
    const CodeList& yesNo = c.lists.YesNo;
    ConversionOutcome outcome;
    auto yes = [&](const char* field) { return ShownCode(c, field, yesNo) == 1; };

    const Hex16 id = ParseHex16(TextOf(c, "edtHESK_RadioIdCode"));
    image[32] = id.b0;
    image[33] = id.b1;
    const int maxShort = IntOrZero(TextOf(c, "edtHESK_MaxShortTx"));
    const int maxLong = IntOrZero(TextOf(c, "edtHESK_MaxLongTx"));
    if (maxShort > 15 || maxLong > 15 || (maxShort == 0 && maxLong == 0)) {
        image[51] = 0;
        outcome.Fail(51);
    } else {
        image[51] = static_cast<std::uint8_t>((16 * maxShort + maxLong) & 0xFF);
    }
    image[52] = StoredByte(c, "edtHESK_MaxNumberOfBursts");
    image[48] = Bit(yes("cbbxHESK_IgnoreAck"), 1) | Bit(yes("cbbxHESK_RadioControlMode"), 0);
    StoreIdentity(c, Identity, c.lists.DeviceNamesB, image);
    image[127] = StoredByte(c, "edtHESK_RadioCalibration");
    image[43] = StoredByte(c, "edtHESK_EquipmentType");
    image[50] = Bit(yes("cbbxHESK_SingleButtonPresence"), 0) | Bit(yes("cbbxHESK_LedFlashIndication"), 1);
    image[39] = StoredByte(c, "edtHESK_RadioTestAlarmInterval");
    image[40] = StoredByte(c, "edtHESK_NumberOfMissedAck");
    image[49] = StoredByte(c, "edtHESK_AutoReadyTime");
    image[41] = StoredByte(c, "edtHESK_BatteryCheckInterval");
    image[42] = Bit(yes("cbbxHESK_CheckBatteryIn24VMode"), 0);
    return outcome.Result();
}

} // namespace vorn
