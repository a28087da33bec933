#include "model/FamilyBFields.h"

#include "model/FamilyBMap.h"
#include "model/ValueHelpers.h"

namespace vorn {

using namespace conversion;
using layout::Get;
using layout::High;
using layout::Low;
using layout::Placed;
using layout::Put;

namespace {

using Map = FamilyBMap;

constexpr IdentityFields Identity{"edtHESK_ProductionDate", Map::ProductionDate.address,
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
    auto showNumber = [&](std::string_view field, int value) { ShowText(c, field, Decimal(value)); };
    // Choices without an item for the stored bit stay without a selection and report nothing.
    auto selectBit = [&](std::string_view field, layout::Bit place) {
        SelectCode(c, field, yesNo, Get(image, place));
    };
    ShowText(c, "edtHESK_RadioIdCode", FormatHex16(High(image, Map::RadioId), Low(image, Map::RadioId)));
    showNumber("edtHESK_MaxShortTx", Get(image, Map::MaxShortTx));
    showNumber("edtHESK_MaxLongTx", Get(image, Map::MaxLongTx));
    showNumber("edtHESK_MaxNumberOfBursts", Get(image, Map::MaxNumberOfBursts));
    selectBit("cbbxHESK_IgnoreAck", Map::IgnoreAck);
    selectBit("cbbxHESK_RadioControlMode", Map::RadioControlMode);
    if (FirmwareMajor(Get(image, Map::FirmwareVersion)) >= Map::FirstUnknownFirmwareMajor) {
        outcome.RefuseFirmware();
    }
    if (!ShowIdentity(c, Identity, c.lists.DeviceNamesB, image)) {
        outcome.Fail(ProductTypeAddress);
    }
    showNumber("edtHESK_RadioCalibration", Get(image, Map::RadioCalibration));
    showNumber("edtHESK_EquipmentType", Get(image, Map::EquipmentType));
    selectBit("cbbxHESK_SingleButtonPresence", Map::SingleButtonPresence);
    showNumber("edtHESK_RadioTestAlarmInterval", Get(image, Map::RadioTestAlarmInterval));
    showNumber("edtHESK_NumberOfMissedAck", Get(image, Map::MissedAck));
    showNumber("edtHESK_AutoReadyTime", Get(image, Map::AutoReadyTime));
    selectBit("cbbxHESK_LedFlashIndication", Map::LedFlashIndication);
    showNumber("edtHESK_BatteryCheckInterval", Get(image, Map::BatteryCheckInterval));
    selectBit("cbbxHESK_CheckBatteryIn24VMode", Map::CheckBatteryIn24V);
    return outcome.Result();
}

int FamilyBFieldsToImage(const ConversionContext& c, Image& image) {
    const CodeList& yesNo = c.lists.YesNo;
    ConversionOutcome outcome;
    auto yes = [&](const char* field) { return ShownCode(c, field, yesNo) == 1; };
    auto storeByte = [&](std::string_view field, layout::Byte place) {
        Put(image, place, StoredByte(c, field));
    };

    const Hex16 id = ParseHex16(TextOf(c, "edtHESK_RadioIdCode"));
    Put(image, Map::RadioId, id.b0, id.b1);
    const int maxShort = IntOrZero(TextOf(c, "edtHESK_MaxShortTx"));
    const int maxLong = IntOrZero(TextOf(c, "edtHESK_MaxLongTx"));
    const layout::Byte maxTransmissions{Map::MaxShortTx.address};
    if (maxShort > 15 || maxLong > 15 || (maxShort == 0 && maxLong == 0)) {
        Put(image, maxTransmissions, 0);
        outcome.Fail(maxTransmissions.address);
    } else {
        Put(image, maxTransmissions, Placed(Map::MaxShortTx, maxShort) + Placed(Map::MaxLongTx, maxLong));
    }
    storeByte("edtHESK_MaxNumberOfBursts", Map::MaxNumberOfBursts);
    Put(image, Map::RadioFlags,
        Placed(Map::IgnoreAck, yes("cbbxHESK_IgnoreAck")) |
            Placed(Map::RadioControlMode, yes("cbbxHESK_RadioControlMode")));
    StoreIdentity(c, Identity, c.lists.DeviceNamesB, image);
    storeByte("edtHESK_RadioCalibration", Map::RadioCalibration);
    storeByte("edtHESK_EquipmentType", Map::EquipmentType);
    Put(image, Map::PresenceFlags,
        Placed(Map::SingleButtonPresence, yes("cbbxHESK_SingleButtonPresence")) |
            Placed(Map::LedFlashIndication, yes("cbbxHESK_LedFlashIndication")));
    storeByte("edtHESK_RadioTestAlarmInterval", Map::RadioTestAlarmInterval);
    storeByte("edtHESK_NumberOfMissedAck", Map::MissedAck);
    storeByte("edtHESK_AutoReadyTime", Map::AutoReadyTime);
    storeByte("edtHESK_BatteryCheckInterval", Map::BatteryCheckInterval);
    Put(image, Map::BatteryFlags, Placed(Map::CheckBatteryIn24V, yes("cbbxHESK_CheckBatteryIn24VMode")));
    return outcome.Result();
}

} // namespace vorn
