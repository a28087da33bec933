#include "model/FamilyAFields.h"

#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

namespace vorn {

using namespace conversion;

namespace {

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

constexpr IdentityFields Identity{
    "edtProductionDate", 34, "edtFirmwareType", "edtFirmwareVersion", "edtProductName", "edtSerialNumber"};

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
    // Page tbsButtons: user events 1-7 (buttons 1-3, ports 4-5, wired inputs 6-7).
    for (int n = 1; n <= 7; ++n) {
        rows.push_back(Choice(UserEvent(n, "Condition_A"), &CodeLists::Conditions, "Conditions"));
        rows.push_back(Choice(UserEvent(n, "Condition_B"), &CodeLists::Conditions, "Conditions"));
        rows.push_back(
            Choice(UserEvent(n, "ActionReference"), &CodeLists::ActionReferences, "ActionReferences"));
    }
    rows.push_back(Choice(UserEvent(5, "InputType"), &CodeLists::InputTypesBypass, "InputTypesBypass"));
    rows.push_back(Choice(UserEvent(6, "InputType"), &CodeLists::InputTypes, "InputTypes"));
    rows.push_back(Choice(UserEvent(7, "InputType"), &CodeLists::InputTypes, "InputTypes"));
    rows.push_back(Choice("cbbxCableLength", &CodeLists::CableLengths, "CableLengths"));
    // Page tbsRadioEvents: radio events 1-8; position IDs and alarm types carry their row.
    for (int n = 1; n <= 8; ++n) {
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
    // Page tbsActions: actions 1-15 (named 1-9, A-F); the radio ID fields are disabled by design.
    for (int i = 1; i <= 15; ++i) {
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

// A choice shown from a bit: code 1 when the bit is set, else 0.
bool SelectBit(const ConversionContext& c, std::string_view field, const CodeList& list, std::uint8_t byte,
               int bit) {
    return SelectCode(c, field, list, (byte >> bit) & 1);
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

    select(UserEvent(5, "InputType"), lists.InputTypesBypass, image[43] & 0x0F, 43);
    select(UserEvent(6, "InputType"), lists.InputTypes, image[44] >> 4, 44);
    select(UserEvent(7, "InputType"), lists.InputTypes, image[44] & 0x0F, 44);
    for (int n = 1; n <= 7; ++n) {
        select(UserEvent(n, "Condition_A"), lists.Conditions, image[95 + n], 95 + n);
    }
    for (int n = 1; n <= 7; ++n) {
        select(UserEvent(n, "Condition_B"), lists.Conditions, image[102 + n], 102 + n);
    }
    for (int n = 1; n <= 7; ++n) {
        select(UserEvent(n, "ActionReference"), lists.ActionReferences, image[109 + n] & 0x0F, 109 + n);
    }
    SelectCode(c, "cbbxCableLength", lists.CableLengths, image[62]);
    if (!SelectBit(c, "cbbxOutput_1_Contact", lists.RelayContacts, image[42], 7)) {
        outcome.Fail(42);
    }
    if (!SelectBit(c, "cbbxOutput_2_Contact", lists.RelayContacts, image[42], 6)) {
        outcome.Fail(42);
    }
    ShowByte(c, "edtOutput_1_GroupActivationCode_1", image[58]);
    ShowByte(c, "edtOutput_1_GroupActivationCode_2", image[59]);
    ShowByte(c, "edtOutput_2_GroupActivationCode_1", image[60]);
    ShowByte(c, "edtOutput_2_GroupActivationCode_2", image[61]);
    ShowPulseTime(c, "medtPulseActivationTime", image, 49);
    for (int n = 1; n <= 8; ++n) {
        ShowText(c, PositionId(n),
                 FormatRadioId(image[174 + 2 * n], image[175 + 2 * n], image[207 + n] & 0x0F));
    }
    for (int n = 1; n <= 8; ++n) {
        ShowText(c, RadioEventId(n),
                 FormatRadioId(image[190 + 2 * n], image[191 + 2 * n], image[207 + n] >> 4));
    }
    for (int n = 1; n <= 8; ++n) {
        select(RadioEventList(n, "AlarmType"), lists.RadioEventAlarmTypes, image[215 + n], 215 + n);
    }
    for (int n = 1; n <= 8; ++n) {
        select(RadioEventList(n, "UserType"), lists.UserTypes, image[239 + n] >> 4, 239 + n);
    }
    for (int n = 1; n <= 8; ++n) {
        select(RadioEventList(n, "Condition_A"), lists.Conditions, image[223 + n], 223 + n);
    }
    for (int n = 1; n <= 8; ++n) {
        select(RadioEventList(n, "Condition_B"), lists.Conditions, image[231 + n], 231 + n);
    }
    for (int n = 1; n <= 8; ++n) {
        select(RadioEventList(n, "ActionReference"), lists.ActionReferences, image[239 + n] & 0x0F, 239 + n);
    }
    // An automatic action shows the unit code of the image being loaded.
    const std::string unitCode = FormatHex16(image[32], image[33]);
    for (int i = 1; i <= 15; ++i) {
        select(ActionList(i, "AlarmType"), lists.ActionAlarmTypes, image[127 + i], 127 + i);
        const std::string code = FormatHex16(image[62 + 2 * i], image[63 + 2 * i]);
        const bool automatic = code.empty();
        ShowText(c, ActionRadioId(i), automatic ? unitCode : code);
        c.fields.SetEnabled(ActionRadioId(i), !automatic);
        c.fields.SetChecked(ActionAuto(i), automatic);
        select(ActionList(i, "Relay_1"), lists.RelayActions, image[143 + i], 143 + i);
        select(ActionList(i, "Relay_2"), lists.RelayActions, image[159 + i], 159 + i);
    }
    ShowText(c, "edtUnitRadioIdCode", unitCode);
    if (!SelectBit(c, "cbbxSendAck", lists.YesNo, image[48], 0)) {
        outcome.Fail(48);
    }
    if (!SelectBit(c, "cbbxIgnoreAck", lists.YesNo, image[48], 1)) {
        outcome.Fail(48);
    }
    ShowByte(c, "edtMaxShortTx", image[51] >> 4);
    ShowByte(c, "edtMaxLongTx", image[51] & 0x0F);
    ShowByte(c, "edtMaxNumberOfBursts", image[52]);
    ShowByte(c, "edtTimeBetweenBursts", image[53]);
    select("cbbxTxFrequencyBand", lists.TransmitBands, image[54], 54);
    select("cbbxRxFrequencyBand", lists.ReceiveBands, image[55], 55);
    ShowWord(c, "edtHalvoSystemId", image, 56);
    ShowByte(c, "edtRadioTestAlarmInterval", image[39]);
    ShowByte(c, "edtNumberOfMissedAckBeforeSleep", image[40]);
    ShowByte(c, "edtBatteryCheckInterval", image[41]);
    if (!SelectBit(c, "cbbxCheckBatteryIn24Vmode", lists.YesNo, image[42], 0)) {
        outcome.Fail(42);
    }
    if ((image[47] >> 4) != 2) {
        outcome.RefuseFirmware();
    }
    if (!ShowIdentity(c, Identity, lists.DeviceNamesA, image)) {
        outcome.Fail(122);
    }
    ShowByte(c, "edtRadioCalibration", image[127]);
    ShowByte(c, "edtEquipmentType", image[45]);
    return outcome.Result();
}

int FamilyAFieldsToImage(const ConversionContext& c, Image& image) {
    const CodeLists& lists = c.lists;
    ConversionOutcome outcome;
    auto code = [&](const std::string& field, const CodeList& list) { return ShownCode(c, field, list); };
    auto byteOf = [](int value) { return static_cast<std::uint8_t>(value & 0xFF); };
    // Low nibble cleared, then the selected code put in; nothing selected is an error.
    auto storeReference = [&](const std::string& field, int address) {
        auto& b = image[static_cast<std::size_t>(address)];
        b &= 0xF0;
        if (HasSelection(c, field)) {
            b |= byteOf(code(field, lists.ActionReferences)) & 0x0F;
        } else {
            outcome.Fail(address);
        }
    };

    image[43] = byteOf(code(UserEvent(5, "InputType"), lists.InputTypesBypass));
    const int input6 = code(UserEvent(6, "InputType"), lists.InputTypes);
    const int input7 = code(UserEvent(7, "InputType"), lists.InputTypes);
    if (input6 == -1 || input7 == -1) {
        image[44] = 0;
        outcome.Fail(44);
    } else {
        image[44] = byteOf(16 * input6 + input7);
    }
    for (int n = 1; n <= 7; ++n) {
        image[95 + n] = byteOf(code(UserEvent(n, "Condition_A"), lists.Conditions));
        image[102 + n] = byteOf(code(UserEvent(n, "Condition_B"), lists.Conditions));
    }
    for (int n = 1; n <= 7; ++n) {
        storeReference(UserEvent(n, "ActionReference"), 109 + n);
    }
    if (HasSelection(c, "cbbxCableLength")) {
        image[62] = byteOf(code("cbbxCableLength", lists.CableLengths));
    } else {
        outcome.Fail(62);
    }
    const bool contact1 = code("cbbxOutput_1_Contact", lists.RelayContacts) == 1;
    const bool contact2 = code("cbbxOutput_2_Contact", lists.RelayContacts) == 1;
    image[58] = StoredByte(c, "edtOutput_1_GroupActivationCode_1");
    image[60] = StoredByte(c, "edtOutput_2_GroupActivationCode_1");
    image[59] = StoredByte(c, "edtOutput_1_GroupActivationCode_2");
    image[61] = StoredByte(c, "edtOutput_2_GroupActivationCode_2");
    if (!StorePulseTime(c, "medtPulseActivationTime", image, 49)) {
        outcome.Fail(49);
    }
    for (int n = 1; n <= 8; ++n) {
        const RadioId id = ParseRadioId(TextOf(c, PositionId(n)));
        image[174 + 2 * n] = id.b0;
        image[175 + 2 * n] = id.b1;
        image[207 + n] = static_cast<std::uint8_t>((image[207 + n] & 0xF0) | (id.mask & 0x0F));
    }
    for (int n = 1; n <= 8; ++n) {
        const RadioId id = ParseRadioId(TextOf(c, RadioEventId(n)));
        image[190 + 2 * n] = id.b0;
        image[191 + 2 * n] = id.b1;
        image[207 + n] = static_cast<std::uint8_t>((image[207 + n] & 0x0F) | ((id.mask & 0x0F) << 4));
    }
    for (int n = 1; n <= 8; ++n) {
        const int userType = code(RadioEventList(n, "UserType"), lists.UserTypes);
        image[239 + n] = static_cast<std::uint8_t>((image[239 + n] & 0x0F) | ((userType << 4) & 0xF0));
    }
    for (int n = 1; n <= 8; ++n) {
        image[215 + n] = byteOf(code(RadioEventList(n, "AlarmType"), lists.RadioEventAlarmTypes));
    }
    for (int n = 1; n <= 8; ++n) {
        image[223 + n] = byteOf(code(RadioEventList(n, "Condition_A"), lists.Conditions));
    }
    for (int n = 1; n <= 8; ++n) {
        image[231 + n] = byteOf(code(RadioEventList(n, "Condition_B"), lists.Conditions));
    }
    for (int n = 1; n <= 8; ++n) {
        storeReference(RadioEventList(n, "ActionReference"), 239 + n);
    }
    for (int i = 1; i <= 15; ++i) {
        image[127 + i] = byteOf(code(ActionList(i, "AlarmType"), lists.ActionAlarmTypes));
        const Hex16 id =
            c.fields.Get(ActionAuto(i)).Checked() ? Hex16{} : ParseHex16(TextOf(c, ActionRadioId(i)));
        image[62 + 2 * i] = id.b0;
        image[63 + 2 * i] = id.b1;
        image[143 + i] = byteOf(code(ActionList(i, "Relay_1"), lists.RelayActions));
        image[159 + i] = byteOf(code(ActionList(i, "Relay_2"), lists.RelayActions));
    }
    const Hex16 unit = ParseHex16(TextOf(c, "edtUnitRadioIdCode"));
    image[32] = unit.b0;
    image[33] = unit.b1;
    image[48] = static_cast<std::uint8_t>((code("cbbxSendAck", lists.YesNo) == 1 ? 0x01 : 0) |
                                          (code("cbbxIgnoreAck", lists.YesNo) == 1 ? 0x02 : 0));
    const int maxShort = IntOrZero(TextOf(c, "edtMaxShortTx"));
    const int maxLong = IntOrZero(TextOf(c, "edtMaxLongTx"));
    if (maxShort > 15 || maxLong > 15) {
        image[51] = 0;
        outcome.Fail(51);
    } else {
        image[51] = byteOf(16 * maxShort + maxLong);
    }
    image[52] = StoredByte(c, "edtMaxNumberOfBursts");
    image[53] = StoredByte(c, "edtTimeBetweenBursts");
    image[54] = byteOf(code("cbbxTxFrequencyBand", lists.TransmitBands));
    image[55] = byteOf(code("cbbxRxFrequencyBand", lists.ReceiveBands));
    StoreWord(c, "edtHalvoSystemId", image, 56);
    image[39] = StoredByte(c, "edtRadioTestAlarmInterval");
    image[40] = StoredByte(c, "edtNumberOfMissedAckBeforeSleep");
    image[41] = StoredByte(c, "edtBatteryCheckInterval");
    const bool battery24V = code("cbbxCheckBatteryIn24Vmode", lists.YesNo) == 1;
    StoreIdentity(c, Identity, lists.DeviceNamesA, image);
    image[127] = StoredByte(c, "edtRadioCalibration");
    image[45] = StoredByte(c, "edtEquipmentType");
    image[42] =
        static_cast<std::uint8_t>((contact1 ? 0x80 : 0) | (contact2 ? 0x40 : 0) | (battery24V ? 0x01 : 0));
    return outcome.Result();
}

} // namespace vorn
