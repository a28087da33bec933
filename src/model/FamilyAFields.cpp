#include "model/FamilyAFields.h"

#include "model/FamilyAMap.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

namespace vorn {

using namespace conversion;
using layout::Get;
using layout::High;
using layout::Low;
using layout::Placed;
using layout::Put;

namespace {

using Map = FamilyAMap;

std::string UserEvent(int n, const char* role) {
    return "cbbxUserEvent_" + std::to_string(n) + "_" + role;
}
std::string RadioEventList(int n, const char* role) {
    return "cbbxRadioEvent_" + std::to_string(n) + "_" + role;
}
std::string PositionId(int n) {
    return "edtRadioEvent_" + std::to_string(n) + "_PositionId";
}
std::string RadioEventId(int n) {
    return "edtRadioEvent_" + std::to_string(n) + "_RadioId";
}
std::string ActionList(int i, const char* role) {
    return "cbbxAction_" + ActionRowName(i) + "_" + role;
}
std::string ActionRadioId(int i) {
    return "edtAction_" + ActionRowName(i) + "_RadioId";
}
std::string ActionAuto(int i) {
    return "cbAction_" + ActionRowName(i) + "_Auto";
}

constexpr IdentityFields Identity{"edtProductionDate", Map::ProductionDate.address,
                                  "edtFirmwareType",   "edtFirmwareVersion",
                                  "edtProductName",    "edtSerialNumber"};

FieldRow Choice(std::string name, CodeList CodeLists::*list, const char* listName, int tag = 0) {
    return {
        .name = std::move(name), .kind = FieldKind::Choice, .list = list, .listName = listName, .tag = tag};
}
FieldRow Number(std::string name, std::size_t maxLength) {
    return {.name = std::move(name), .maxLength = maxLength, .keyFilter = KeyFilterKind::Number};
}
FieldRow Display(std::string name) {
    return {.name = std::move(name), .enabled = false};
}

std::vector<FieldRow> BuildRows() {
    std::vector<FieldRow> rows;
    // Page tbsButtons: user events (buttons 1-3, ports 4-5, wired inputs 6-7).
    for (int n = 1; n <= Map::UserEventCount; ++n) {
        rows.push_back(Choice(UserEvent(n, "Condition_A"), &CodeLists::Conditions, "Conditions"));
        rows.push_back(Choice(UserEvent(n, "Condition_B"), &CodeLists::Conditions, "Conditions"));
        rows.push_back(
            Choice(UserEvent(n, "ActionReference"), &CodeLists::ActionReferences, "ActionReferences"));
    }
    rows.push_back(Choice(UserEvent(5, "InputType"), &CodeLists::InputTypesBypass, "InputTypesBypass"));
    rows.push_back(Choice(UserEvent(6, "InputType"), &CodeLists::InputTypes, "InputTypes"));
    rows.push_back(Choice(UserEvent(7, "InputType"), &CodeLists::InputTypes, "InputTypes"));
    rows.push_back(Choice("cbbxCableLength", &CodeLists::CableLengths, "CableLengths"));
    // Page tbsRadioEvents: radio events; position IDs and alarm types carry their row.
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        rows.push_back(
            {.name = PositionId(n), .maxLength = 4, .keyFilter = KeyFilterKind::HexCodeWildcard, .tag = n});
        rows.push_back(
            {.name = RadioEventId(n), .maxLength = 4, .keyFilter = KeyFilterKind::HexCodeWildcard});
        rows.push_back(Choice(RadioEventList(n, "AlarmType"), &CodeLists::RadioEventAlarmTypes,
                              "RadioEventAlarmTypes", n));
        rows.push_back(Choice(RadioEventList(n, "Condition_A"), &CodeLists::Conditions, "Conditions"));
        rows.push_back(Choice(RadioEventList(n, "Condition_B"), &CodeLists::Conditions, "Conditions"));
        rows.push_back(Choice(RadioEventList(n, "UserType"), &CodeLists::UserTypes, "UserTypes"));
        rows.push_back(
            Choice(RadioEventList(n, "ActionReference"), &CodeLists::ActionReferences, "ActionReferences"));
    }
    // Page tbsActions: actions (named 1-9, A-F); the radio ID fields are disabled by design.
    for (int i = 1; i <= Map::ActionCount; ++i) {
        rows.push_back(
            Choice(ActionList(i, "AlarmType"), &CodeLists::ActionAlarmTypes, "ActionAlarmTypes", i));
        rows.push_back({.name = ActionRadioId(i),
                        .maxLength = 4,
                        .keyFilter = KeyFilterKind::HexCode,
                        .tag = 999,
                        .enabled = false});
        rows.push_back({.name = ActionAuto(i), .kind = FieldKind::Check, .tag = i});
        rows.push_back(Choice(ActionList(i, "Relay_1"), &CodeLists::RelayActions, "RelayActions"));
        rows.push_back(Choice(ActionList(i, "Relay_2"), &CodeLists::RelayActions, "RelayActions"));
    }
    // Page tbsPreferences.
    rows.push_back(
        {.name = "edtUnitRadioIdCode", .maxLength = 4, .keyFilter = KeyFilterKind::HexCode, .tag = 999});
    rows.push_back(Choice("cbbxSendAck", &CodeLists::YesNo, "YesNo"));
    rows.push_back(Choice("cbbxIgnoreAck", &CodeLists::YesNo, "YesNo"));
    rows.push_back(Number("edtMaxShortTx", 2));
    rows.push_back(Number("edtMaxLongTx", 2));
    rows.push_back(Number("edtMaxNumberOfBursts", 2));
    rows.push_back(Number("edtTimeBetweenBursts", 2));
    rows.push_back(Choice("cbbxTxFrequencyBand", &CodeLists::TransmitBands, "TransmitBands"));
    rows.push_back(Choice("cbbxRxFrequencyBand", &CodeLists::ReceiveBands, "ReceiveBands"));
    rows.push_back(Number("edtHalvoSystemId", 5));
    rows.push_back(Number("edtRadioTestAlarmInterval", 3));
    rows.push_back(Number("edtNumberOfMissedAckBeforeSleep", 3));
    rows.push_back(Number("edtBatteryCheckInterval", 3));
    rows.push_back(Choice("cbbxCheckBatteryIn24Vmode", &CodeLists::YesNo, "YesNo"));
    rows.push_back(Choice("cbbxOutput_1_Contact", &CodeLists::RelayContacts, "RelayContacts"));
    rows.push_back(Choice("cbbxOutput_2_Contact", &CodeLists::RelayContacts, "RelayContacts"));
    rows.push_back(Number("edtOutput_1_GroupActivationCode_1", 3));
    rows.push_back(Number("edtOutput_1_GroupActivationCode_2", 3));
    rows.push_back(Number("edtOutput_2_GroupActivationCode_1", 3));
    rows.push_back(Number("edtOutput_2_GroupActivationCode_2", 3));
    rows.push_back({.name = "medtPulseActivationTime", .maxLength = 6, .inputMask = PulseTimeMask('.')});
    rows.push_back(Display("edtProductionDate"));
    rows.push_back(Display("edtFirmwareType"));
    rows.push_back(Display("edtFirmwareVersion"));
    rows.push_back(Display("edtProductName"));
    rows.push_back(Display("edtSerialNumber"));
    rows.push_back(Display("edtRadioCalibration"));
    rows.push_back(Number("edtEquipmentType", 3));
    return rows;
}

void ShowByte(const ConversionContext& c, std::string_view field, std::uint8_t value) {
    ShowText(c, field, Decimal(value));
}

} // namespace

const std::vector<FieldRow>& FamilyAFieldRows() {
    static const std::vector<FieldRow> rows = BuildRows();
    return rows;
}

int FamilyAImageToFields(const ConversionContext& c, const Image& image) {
    const CodeLists& lists = c.lists;
    ConversionOutcome outcome;
    auto select = [&](const std::string& field, const CodeList& list, int code, int errorAddress) {
        if (!SelectCode(c, field, list, code)) {
            outcome.Fail(errorAddress);
        }
    };
    // A choice selected by the value at its place; a value without an item records the place.
    auto selectAt = [&](const std::string& field, const CodeList& list, auto place) {
        select(field, list, Get(image, place), place.address);
    };
    auto showByte = [&](std::string_view field, layout::Byte place) {
        ShowByte(c, field, Get(image, place));
    };
    auto hexAt = [&](layout::Word place) { return FormatHex16(High(image, place), Low(image, place)); };
    auto showRadioId = [&](const std::string& field, layout::Word code, layout::Nibble mask) {
        ShowText(
            c, field,
            FormatRadioId(High(image, code), Low(image, code), static_cast<std::uint8_t>(Get(image, mask))));
    };

    select(UserEvent(5, "InputType"), lists.InputTypesBypass, Get(image, Map::UserEvent5InputType) & 0x0F,
           Map::UserEvent5InputType.address);
    selectAt(UserEvent(6, "InputType"), lists.InputTypes, Map::UserEvent6InputType);
    selectAt(UserEvent(7, "InputType"), lists.InputTypes, Map::UserEvent7InputType);
    for (int n = 1; n <= Map::UserEventCount; ++n) {
        selectAt(UserEvent(n, "Condition_A"), lists.Conditions, Map::UserEventConditionA(n));
    }
    for (int n = 1; n <= Map::UserEventCount; ++n) {
        selectAt(UserEvent(n, "Condition_B"), lists.Conditions, Map::UserEventConditionB(n));
    }
    for (int n = 1; n <= Map::UserEventCount; ++n) {
        selectAt(UserEvent(n, "ActionReference"), lists.ActionReferences, Map::UserEventActionReference(n));
    }
    SelectCode(c, "cbbxCableLength", lists.CableLengths, Get(image, Map::CableLength));
    selectAt("cbbxOutput_1_Contact", lists.RelayContacts, Map::Output1Contact);
    selectAt("cbbxOutput_2_Contact", lists.RelayContacts, Map::Output2Contact);
    showByte("edtOutput_1_GroupActivationCode_1", Map::Output1GroupActivationCode1);
    showByte("edtOutput_1_GroupActivationCode_2", Map::Output1GroupActivationCode2);
    showByte("edtOutput_2_GroupActivationCode_1", Map::Output2GroupActivationCode1);
    showByte("edtOutput_2_GroupActivationCode_2", Map::Output2GroupActivationCode2);
    ShowPulseTime(c, "medtPulseActivationTime", image, Map::PulseActivationTime.address);
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        showRadioId(PositionId(n), Map::RadioEventPositionId(n), Map::RadioEventPositionMask(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        showRadioId(RadioEventId(n), Map::RadioEventRadioId(n), Map::RadioEventRadioMask(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        selectAt(RadioEventList(n, "AlarmType"), lists.RadioEventAlarmTypes, Map::RadioEventAlarmType(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        selectAt(RadioEventList(n, "UserType"), lists.UserTypes, Map::RadioEventUserType(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        selectAt(RadioEventList(n, "Condition_A"), lists.Conditions, Map::RadioEventConditionA(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        selectAt(RadioEventList(n, "Condition_B"), lists.Conditions, Map::RadioEventConditionB(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        selectAt(RadioEventList(n, "ActionReference"), lists.ActionReferences,
                 Map::RadioEventActionReference(n));
    }
    // An automatic action shows the unit code of the image being loaded.
    const std::string unitCode = hexAt(Map::UnitRadioId);
    for (int i = 1; i <= Map::ActionCount; ++i) {
        selectAt(ActionList(i, "AlarmType"), lists.ActionAlarmTypes, Map::ActionAlarmType(i));
        const std::string code = hexAt(Map::ActionRadioId(i));
        const bool automatic = code.empty();
        ShowText(c, ActionRadioId(i), automatic ? unitCode : code);
        c.fields.SetEnabled(ActionRadioId(i), !automatic);
        c.fields.SetChecked(ActionAuto(i), automatic);
        selectAt(ActionList(i, "Relay_1"), lists.RelayActions, Map::ActionRelay1(i));
        selectAt(ActionList(i, "Relay_2"), lists.RelayActions, Map::ActionRelay2(i));
    }
    ShowText(c, "edtUnitRadioIdCode", unitCode);
    selectAt("cbbxSendAck", lists.YesNo, Map::SendAck);
    selectAt("cbbxIgnoreAck", lists.YesNo, Map::IgnoreAck);
    ShowByte(c, "edtMaxShortTx", static_cast<std::uint8_t>(Get(image, Map::MaxShortTx)));
    ShowByte(c, "edtMaxLongTx", static_cast<std::uint8_t>(Get(image, Map::MaxLongTx)));
    showByte("edtMaxNumberOfBursts", Map::MaxNumberOfBursts);
    showByte("edtTimeBetweenBursts", Map::TimeBetweenBursts);
    selectAt("cbbxTxFrequencyBand", lists.TransmitBands, Map::TxFrequencyBand);
    selectAt("cbbxRxFrequencyBand", lists.ReceiveBands, Map::RxFrequencyBand);
    ShowWord(c, "edtHalvoSystemId", image, Map::HalvoSystemId.address);
    showByte("edtRadioTestAlarmInterval", Map::RadioTestAlarmInterval);
    showByte("edtNumberOfMissedAckBeforeSleep", Map::MissedAckBeforeSleep);
    showByte("edtBatteryCheckInterval", Map::BatteryCheckInterval);
    selectAt("cbbxCheckBatteryIn24Vmode", lists.YesNo, Map::CheckBatteryIn24V);
    if (FirmwareMajor(Get(image, Map::FirmwareVersion)) != Map::FirmwareMajor) {
        outcome.RefuseFirmware();
    }
    if (!ShowIdentity(c, Identity, lists.DeviceNamesA, image)) {
        outcome.Fail(ProductTypeAddress);
    }
    showByte("edtRadioCalibration", Map::RadioCalibration);
    showByte("edtEquipmentType", Map::EquipmentType);
    return outcome.Result();
}

int FamilyAFieldsToImage(const ConversionContext& c, Image& image) {
    const CodeLists& lists = c.lists;
    ConversionOutcome outcome;
    auto code = [&](const std::string& field, const CodeList& list) { return ShownCode(c, field, list); };
    auto storeByte = [&](std::string_view field, layout::Byte place) {
        Put(image, place, StoredByte(c, field));
    };
    // The low nibble takes the selected code; nothing selected clears it and is an error.
    auto storeReference = [&](const std::string& field, layout::Nibble place) {
        if (HasSelection(c, field)) {
            Put(image, place, code(field, lists.ActionReferences));
        } else {
            Put(image, place, 0);
            outcome.Fail(place.address);
        }
    };
    auto storeRadioId = [&](const std::string& field, layout::Word place, layout::Nibble mask) {
        const RadioId id = ParseRadioId(TextOf(c, field));
        Put(image, place, id.b0, id.b1);
        Put(image, mask, id.mask);
    };

    Put(image, Map::UserEvent5InputType, code(UserEvent(5, "InputType"), lists.InputTypesBypass));
    const int input6 = code(UserEvent(6, "InputType"), lists.InputTypes);
    const int input7 = code(UserEvent(7, "InputType"), lists.InputTypes);
    const layout::Byte inputTypes{Map::UserEvent6InputType.address};
    if (input6 == -1 || input7 == -1) {
        Put(image, inputTypes, 0);
        outcome.Fail(inputTypes.address);
    } else {
        Put(image, inputTypes,
            Placed(Map::UserEvent6InputType, input6) + Placed(Map::UserEvent7InputType, input7));
    }
    for (int n = 1; n <= Map::UserEventCount; ++n) {
        Put(image, Map::UserEventConditionA(n), code(UserEvent(n, "Condition_A"), lists.Conditions));
        Put(image, Map::UserEventConditionB(n), code(UserEvent(n, "Condition_B"), lists.Conditions));
    }
    for (int n = 1; n <= Map::UserEventCount; ++n) {
        storeReference(UserEvent(n, "ActionReference"), Map::UserEventActionReference(n));
    }
    if (HasSelection(c, "cbbxCableLength")) {
        Put(image, Map::CableLength, code("cbbxCableLength", lists.CableLengths));
    } else {
        outcome.Fail(Map::CableLength.address);
    }
    const bool contact1 = code("cbbxOutput_1_Contact", lists.RelayContacts) == 1;
    const bool contact2 = code("cbbxOutput_2_Contact", lists.RelayContacts) == 1;
    storeByte("edtOutput_1_GroupActivationCode_1", Map::Output1GroupActivationCode1);
    storeByte("edtOutput_2_GroupActivationCode_1", Map::Output2GroupActivationCode1);
    storeByte("edtOutput_1_GroupActivationCode_2", Map::Output1GroupActivationCode2);
    storeByte("edtOutput_2_GroupActivationCode_2", Map::Output2GroupActivationCode2);
    if (!StorePulseTime(c, "medtPulseActivationTime", image, Map::PulseActivationTime.address)) {
        outcome.Fail(Map::PulseActivationTime.address);
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        storeRadioId(PositionId(n), Map::RadioEventPositionId(n), Map::RadioEventPositionMask(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        storeRadioId(RadioEventId(n), Map::RadioEventRadioId(n), Map::RadioEventRadioMask(n));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        Put(image, Map::RadioEventUserType(n), code(RadioEventList(n, "UserType"), lists.UserTypes));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        Put(image, Map::RadioEventAlarmType(n),
            code(RadioEventList(n, "AlarmType"), lists.RadioEventAlarmTypes));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        Put(image, Map::RadioEventConditionA(n), code(RadioEventList(n, "Condition_A"), lists.Conditions));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        Put(image, Map::RadioEventConditionB(n), code(RadioEventList(n, "Condition_B"), lists.Conditions));
    }
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        storeReference(RadioEventList(n, "ActionReference"), Map::RadioEventActionReference(n));
    }
    for (int i = 1; i <= Map::ActionCount; ++i) {
        Put(image, Map::ActionAlarmType(i), code(ActionList(i, "AlarmType"), lists.ActionAlarmTypes));
        const Hex16 id =
            c.fields.Get(ActionAuto(i)).Checked() ? Hex16{} : ParseHex16(TextOf(c, ActionRadioId(i)));
        Put(image, Map::ActionRadioId(i), id.b0, id.b1);
        Put(image, Map::ActionRelay1(i), code(ActionList(i, "Relay_1"), lists.RelayActions));
        Put(image, Map::ActionRelay2(i), code(ActionList(i, "Relay_2"), lists.RelayActions));
    }
    const Hex16 unit = ParseHex16(TextOf(c, "edtUnitRadioIdCode"));
    Put(image, Map::UnitRadioId, unit.b0, unit.b1);
    Put(image, Map::AckFlags,
        Placed(Map::SendAck, code("cbbxSendAck", lists.YesNo) == 1) |
            Placed(Map::IgnoreAck, code("cbbxIgnoreAck", lists.YesNo) == 1));
    const int maxShort = IntOrZero(TextOf(c, "edtMaxShortTx"));
    const int maxLong = IntOrZero(TextOf(c, "edtMaxLongTx"));
    const layout::Byte maxTransmissions{Map::MaxShortTx.address};
    if (maxShort > 15 || maxLong > 15) {
        Put(image, maxTransmissions, 0);
        outcome.Fail(maxTransmissions.address);
    } else {
        Put(image, maxTransmissions, Placed(Map::MaxShortTx, maxShort) + Placed(Map::MaxLongTx, maxLong));
    }
    storeByte("edtMaxNumberOfBursts", Map::MaxNumberOfBursts);
    storeByte("edtTimeBetweenBursts", Map::TimeBetweenBursts);
    Put(image, Map::TxFrequencyBand, code("cbbxTxFrequencyBand", lists.TransmitBands));
    Put(image, Map::RxFrequencyBand, code("cbbxRxFrequencyBand", lists.ReceiveBands));
    StoreWord(c, "edtHalvoSystemId", image, Map::HalvoSystemId.address);
    storeByte("edtRadioTestAlarmInterval", Map::RadioTestAlarmInterval);
    storeByte("edtNumberOfMissedAckBeforeSleep", Map::MissedAckBeforeSleep);
    storeByte("edtBatteryCheckInterval", Map::BatteryCheckInterval);
    const bool battery24V = code("cbbxCheckBatteryIn24Vmode", lists.YesNo) == 1;
    StoreIdentity(c, Identity, lists.DeviceNamesA, image);
    storeByte("edtRadioCalibration", Map::RadioCalibration);
    storeByte("edtEquipmentType", Map::EquipmentType);
    Put(image, Map::OutputFlags,
        Placed(Map::Output1Contact, contact1) | Placed(Map::Output2Contact, contact2) |
            Placed(Map::CheckBatteryIn24V, battery24V));
    return outcome.Result();
}

} // namespace vorn
