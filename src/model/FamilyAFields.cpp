#include "model/FamilyAFields.h"

#include "model/ConversionRows.h"
#include "model/FamilyAMap.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

#include <algorithm>

namespace vorn {

using namespace conversion;
using namespace familyA;
using layout::AddressOf;
using layout::Get;
using layout::High;
using layout::Low;
using layout::Place;
using layout::Placed;
using layout::Put;

namespace familyA {

std::string UserEvent(int n, std::string_view role) {
    return "cbbxUserEvent_" + std::to_string(n) + "_" + std::string(role);
}
std::string RadioEvent(int n, std::string_view role) {
    return "cbbxRadioEvent_" + std::to_string(n) + "_" + std::string(role);
}
std::string Action(int i, std::string_view role) {
    return "cbbxAction_" + ActionRowName(i) + "_" + std::string(role);
}
std::string ActionRadioId(int i) {
    return "edtAction_" + ActionRowName(i) + "_RadioId";
}
std::string ActionAuto(int i) {
    return "cbAction_" + ActionRowName(i) + "_Auto";
}

} // namespace familyA

namespace {

using Map = FamilyAMap;

std::string RadioEventCode(int n, const char* role) {
    return "edtRadioEvent_" + std::to_string(n) + "_" + role;
}

constexpr IdentityFields IdentityOfA{"edtProductionDate", Map::ProductionDate.address,
                                     "edtFirmwareType",   "edtFirmwareVersion",
                                     "edtProductName",    "edtSerialNumber"};

// How a field is shown from its place and stored into it. A choice whose value has no item shows
// nothing and, unless said otherwise, records its place. "Paired" fields share their byte: both are
// stored together, and a refused value stores the byte as 0 and records it.
enum class Converter {
    Code,          // a choice's code at its byte or nibble
    LowNibbleCode, // a choice shown from the low nibble of its byte, stored as the whole byte
    PairedCodes,   // paired choices of a byte's halves; a code of -1 is refused
    KeptCode,      // records nothing when shown; without a selection the byte is kept and recorded
    Reference,     // an action reference: without a selection the nibble is cleared and recorded
    Flag,          // a bit as a choice of code 1: the flags of a byte are stored together, the byte whole
    Number,        // a byte in decimal
    Counts,        // paired transmission counts of a byte's halves; above 15 is refused
    Word,          // a 16-bit number in decimal
    RadioCode,     // four hexadecimal digits of a word
    WildcardCode,  // a radio-event code: the word and its wildcard mask
    ActionCode,    // an action's radio code with its automatic box: 0x0000 is automatic
    Automatic,     // the automatic box, converted by the action's radio code row
    PulseTime,     // tenths of a second in a word, reformatted when stored
    Identity,      // the shared identity fields, shown and stored together from this row
    IdentityPart   // one of them after the first: the identity row converts it
};

// The table below is in page order, which registers the fields. Both conversions take the rows by
// group in the order of this list, a group's rows in page order: a failing field records its place
// and the last one wins, so this order decides the error address. Apart from that, the order of
// fields with places of their own shows nowhere, and fields stored together are stored from their
// values whole, wherever their first row stands.
enum class Group {
    InputTypes,
    UserEventConditionsA,
    UserEventConditionsB,
    UserEventReferences,
    CableLength,
    RelayOutputs,
    PositionIds,
    RadioIds,
    RadioEventAlarmTypes,
    UserTypes,
    RadioEventConditionsA,
    RadioEventConditionsB,
    RadioEventReferences,
    Actions,
    RadioAndAlarms,
    Information
};

// One field: its editor row, its place, its converter and group; a radio-event code's wildcard mask
// and the row number of an action's radio code.
struct Row {
    FieldRow field;
    Place place;
    Converter converter;
    Group group;
    layout::Nibble mask{};
    int n = 0;
};

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

std::vector<Row> BuildRows() {
    std::vector<Row> rows;
    auto add = [&rows](FieldRow field, Place place, Converter converter, Group group) {
        rows.push_back({std::move(field), place, converter, group});
    };
    using C = Converter;
    using G = Group;
    // Page tbsButtons: user events (buttons 1-3, ports 4-5, wired inputs 6-7).
    for (int n = 1; n <= Map::UserEventCount; ++n) {
        add(Choice(UserEvent(n, "Condition_A"), &CodeLists::Conditions, "Conditions"),
            Map::UserEventConditionA(n), C::Code, G::UserEventConditionsA);
        add(Choice(UserEvent(n, "Condition_B"), &CodeLists::Conditions, "Conditions"),
            Map::UserEventConditionB(n), C::Code, G::UserEventConditionsB);
        add(Choice(UserEvent(n, "ActionReference"), &CodeLists::ActionReferences, "ActionReferences"),
            Map::UserEventActionReference(n), C::Reference, G::UserEventReferences);
    }
    add(Choice(UserEvent(5, "InputType"), &CodeLists::InputTypesBypass, "InputTypesBypass"),
        Map::UserEvent5InputType, C::LowNibbleCode, G::InputTypes);
    add(Choice(UserEvent(6, "InputType"), &CodeLists::InputTypes, "InputTypes"), Map::UserEvent6InputType,
        C::PairedCodes, G::InputTypes);
    add(Choice(UserEvent(7, "InputType"), &CodeLists::InputTypes, "InputTypes"), Map::UserEvent7InputType,
        C::PairedCodes, G::InputTypes);
    add(Choice("cbbxCableLength", &CodeLists::CableLengths, "CableLengths"), Map::CableLength, C::KeptCode,
        G::CableLength);
    // Page tbsRadioEvents: radio events; position IDs and alarm types carry their row.
    for (int n = 1; n <= Map::RadioEventCount; ++n) {
        const FieldRow position{.name = RadioEventCode(n, "PositionId"),
                                .maxLength = 4,
                                .keyFilter = KeyFilterKind::HexCodeWildcard,
                                .tag = n};
        rows.push_back({position, Map::RadioEventPositionId(n), C::WildcardCode, G::PositionIds,
                        Map::RadioEventPositionMask(n)});
        const FieldRow radioId{.name = RadioEventCode(n, "RadioId"),
                               .maxLength = 4,
                               .keyFilter = KeyFilterKind::HexCodeWildcard};
        rows.push_back(
            {radioId, Map::RadioEventRadioId(n), C::WildcardCode, G::RadioIds, Map::RadioEventRadioMask(n)});
        add(Choice(RadioEvent(n, "AlarmType"), &CodeLists::RadioEventAlarmTypes, "RadioEventAlarmTypes", n),
            Map::RadioEventAlarmType(n), C::Code, G::RadioEventAlarmTypes);
        add(Choice(RadioEvent(n, "Condition_A"), &CodeLists::Conditions, "Conditions"),
            Map::RadioEventConditionA(n), C::Code, G::RadioEventConditionsA);
        add(Choice(RadioEvent(n, "Condition_B"), &CodeLists::Conditions, "Conditions"),
            Map::RadioEventConditionB(n), C::Code, G::RadioEventConditionsB);
        add(Choice(RadioEvent(n, "UserType"), &CodeLists::UserTypes, "UserTypes"), Map::RadioEventUserType(n),
            C::Code, G::UserTypes);
        add(Choice(RadioEvent(n, "ActionReference"), &CodeLists::ActionReferences, "ActionReferences"),
            Map::RadioEventActionReference(n), C::Reference, G::RadioEventReferences);
    }
    // Page tbsActions: actions (named 1-9, A-F); the radio ID fields are disabled by design.
    for (int i = 1; i <= Map::ActionCount; ++i) {
        add(Choice(Action(i, "AlarmType"), &CodeLists::ActionAlarmTypes, "ActionAlarmTypes", i),
            Map::ActionAlarmType(i), C::Code, G::Actions);
        const FieldRow radioId{.name = ActionRadioId(i),
                               .maxLength = 4,
                               .keyFilter = KeyFilterKind::HexCode,
                               .tag = 999,
                               .enabled = false};
        rows.push_back({radioId, Map::ActionRadioId(i), C::ActionCode, G::Actions, {}, i});
        add({.name = ActionAuto(i), .kind = FieldKind::Check, .tag = i}, {}, C::Automatic, G::Actions);
        add(Choice(Action(i, "Relay_1"), &CodeLists::RelayActions, "RelayActions"), Map::ActionRelay1(i),
            C::Code, G::Actions);
        add(Choice(Action(i, "Relay_2"), &CodeLists::RelayActions, "RelayActions"), Map::ActionRelay2(i),
            C::Code, G::Actions);
    }
    // Page tbsPreferences.
    add({.name = "edtUnitRadioIdCode", .maxLength = 4, .keyFilter = KeyFilterKind::HexCode, .tag = 999},
        Map::UnitRadioId, C::RadioCode, G::RadioAndAlarms);
    add(Choice("cbbxSendAck", &CodeLists::YesNo, "YesNo"), Map::SendAck, C::Flag, G::RadioAndAlarms);
    add(Choice("cbbxIgnoreAck", &CodeLists::YesNo, "YesNo"), Map::IgnoreAck, C::Flag, G::RadioAndAlarms);
    add(Number("edtMaxShortTx", 2), Map::MaxShortTx, C::Counts, G::RadioAndAlarms);
    add(Number("edtMaxLongTx", 2), Map::MaxLongTx, C::Counts, G::RadioAndAlarms);
    add(Number("edtMaxNumberOfBursts", 2), Map::MaxNumberOfBursts, C::Number, G::RadioAndAlarms);
    add(Number("edtTimeBetweenBursts", 2), Map::TimeBetweenBursts, C::Number, G::RadioAndAlarms);
    add(Choice("cbbxTxFrequencyBand", &CodeLists::TransmitBands, "TransmitBands"), Map::TxFrequencyBand,
        C::Code, G::RadioAndAlarms);
    add(Choice("cbbxRxFrequencyBand", &CodeLists::ReceiveBands, "ReceiveBands"), Map::RxFrequencyBand,
        C::Code, G::RadioAndAlarms);
    add(Number("edtHalvoSystemId", 5), Map::HalvoSystemId, C::Word, G::RadioAndAlarms);
    add(Number("edtRadioTestAlarmInterval", 3), Map::RadioTestAlarmInterval, C::Number, G::RadioAndAlarms);
    add(Number("edtNumberOfMissedAckBeforeSleep", 3), Map::MissedAckBeforeSleep, C::Number,
        G::RadioAndAlarms);
    add(Number("edtBatteryCheckInterval", 3), Map::BatteryCheckInterval, C::Number, G::RadioAndAlarms);
    add(Choice("cbbxCheckBatteryIn24Vmode", &CodeLists::YesNo, "YesNo"), Map::CheckBatteryIn24V, C::Flag,
        G::RadioAndAlarms);
    add(Choice("cbbxOutput_1_Contact", &CodeLists::RelayContacts, "RelayContacts"), Map::Output1Contact,
        C::Flag, G::RelayOutputs);
    add(Choice("cbbxOutput_2_Contact", &CodeLists::RelayContacts, "RelayContacts"), Map::Output2Contact,
        C::Flag, G::RelayOutputs);
    add(Number("edtOutput_1_GroupActivationCode_1", 3), Map::Output1GroupActivationCode1, C::Number,
        G::RelayOutputs);
    add(Number("edtOutput_1_GroupActivationCode_2", 3), Map::Output1GroupActivationCode2, C::Number,
        G::RelayOutputs);
    add(Number("edtOutput_2_GroupActivationCode_1", 3), Map::Output2GroupActivationCode1, C::Number,
        G::RelayOutputs);
    add(Number("edtOutput_2_GroupActivationCode_2", 3), Map::Output2GroupActivationCode2, C::Number,
        G::RelayOutputs);
    add({.name = "medtPulseActivationTime", .maxLength = 6, .inputMask = PulseTimeMask('.')},
        Map::PulseActivationTime, C::PulseTime, G::RelayOutputs);
    add(Display(IdentityOfA.productionDate), {}, C::Identity, G::Information);
    for (const char* part : {IdentityOfA.firmwareType, IdentityOfA.firmwareVersion, IdentityOfA.productName,
                             IdentityOfA.serialNumber}) {
        add(Display(part), {}, C::IdentityPart, G::Information);
    }
    add(Display("edtRadioCalibration"), Map::RadioCalibration, C::Number, G::Information);
    add(Number("edtEquipmentType", 3), Map::EquipmentType, C::Number, G::Information);
    return rows;
}

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = BuildRows();
    return rows;
}

// The rows in the order both conversions take them.
const std::vector<const Row*>& ConversionOrder() {
    static const std::vector<const Row*> order =
        RowsInOrder(Rows(), [](const Row* row) { return row->group; });
    return order;
}

std::string HexAt(const Image& image, const Place& place) {
    const auto word = std::get<layout::Word>(place);
    return FormatHex16(High(image, word), Low(image, word));
}

// Stores the two halves of a row's byte together from the values of its mates (the row's own
// converter): each value in its half, or 0 with the byte recorded when any value is refused.
void StoreHalves(const Row& row, Image& image, ConversionOutcome& outcome, auto value, auto refused) {
    const std::vector<const Row*> halves = ByteMates(Rows(), row);
    if (halves.front() != &row) {
        return;
    }
    const layout::Byte byte{std::get<layout::Nibble>(row.place).address};
    int stored = 0;
    bool anyRefused = false;
    for (const Row* half : halves) {
        const int v = value(*half);
        anyRefused = anyRefused || refused(v);
        stored += Placed(std::get<layout::Nibble>(half->place), v);
    }
    if (anyRefused) {
        Put(image, byte, 0);
        outcome.Fail(byte.address);
    } else {
        Put(image, byte, stored);
    }
}

} // namespace

const std::vector<FieldRow>& FamilyAFieldRows() {
    static const std::vector<FieldRow> rows = FieldRowsOf(Rows());
    return rows;
}

int FamilyAImageToFields(const ConversionContext& c, const Image& image) {
    ConversionOutcome outcome;
    auto select = [&](const Row& row, int code) {
        if (!SelectCode(c, row.field.name, ListOf(c, row), code)) {
            outcome.Fail(AddressOf(row.place));
        }
    };
    // An automatic action shows the unit code of the image being loaded.
    const std::string unitCode = HexAt(image, Map::UnitRadioId);
    for (const Row* row : ConversionOrder()) {
        const std::string& field = row->field.name;
        switch (row->converter) {
        case Converter::Code:
        case Converter::PairedCodes:
        case Converter::Reference:
        case Converter::Flag: select(*row, ValueAt(image, row->place)); break;
        case Converter::LowNibbleCode: select(*row, ValueAt(image, row->place) & 0x0F); break;
        case Converter::KeptCode: SelectCode(c, field, ListOf(c, *row), ValueAt(image, row->place)); break;
        case Converter::Number:
        case Converter::Counts: ShowText(c, field, Decimal(ValueAt(image, row->place))); break;
        case Converter::Word: ShowWord(c, field, image, AddressOf(row->place)); break;
        case Converter::RadioCode: ShowText(c, field, HexAt(image, row->place)); break;
        case Converter::WildcardCode: {
            const auto code = std::get<layout::Word>(row->place);
            ShowText(c, field,
                     FormatRadioId(High(image, code), Low(image, code),
                                   static_cast<std::uint8_t>(Get(image, row->mask))));
            break;
        }
        case Converter::ActionCode: {
            const std::string code = HexAt(image, row->place);
            const bool automatic = code.empty();
            ShowText(c, field, automatic ? unitCode : code);
            c.fields.SetEnabled(field, !automatic);
            c.fields.SetChecked(ActionAuto(row->n), automatic);
            break;
        }
        case Converter::PulseTime: ShowPulseTime(c, field, image, AddressOf(row->place)); break;
        case Converter::Identity:
            if (FirmwareMajor(Get(image, Map::FirmwareVersion)) != Map::FirmwareMajor) {
                outcome.RefuseFirmware();
            }
            if (!ShowIdentity(c, IdentityOfA, c.lists.DeviceNamesA, image)) {
                outcome.Fail(ProductTypeAddress);
            }
            break;
        case Converter::Automatic:
        case Converter::IdentityPart: break;
        }
    }
    return outcome.Result();
}

int FamilyAFieldsToImage(const ConversionContext& c, Image& image) {
    ConversionOutcome outcome;
    auto shownCode = [&c](const Row& row) { return ShownCode(c, row.field.name, ListOf(c, row)); };
    for (const Row* row : ConversionOrder()) {
        const std::string& field = row->field.name;
        switch (row->converter) {
        case Converter::Code:
        case Converter::LowNibbleCode: PutValue(image, row->place, shownCode(*row)); break;
        case Converter::PairedCodes:
            StoreHalves(*row, image, outcome, shownCode, [](int code) { return code == -1; });
            break;
        case Converter::KeptCode:
        case Converter::Reference:
            if (HasSelection(c, field)) {
                PutValue(image, row->place, shownCode(*row));
                break;
            }
            if (row->converter == Converter::Reference) {
                PutValue(image, row->place, 0);
            }
            outcome.Fail(AddressOf(row->place));
            break;
        case Converter::Flag: StoreFlags(c, Rows(), *row, image); break;
        case Converter::Number: PutValue(image, row->place, StoredByte(c, field)); break;
        case Converter::Counts:
            StoreHalves(
                *row, image, outcome,
                [&c](const Row& count) { return IntOrZero(TextOf(c, count.field.name)); },
                [](int count) { return count > 15; });
            break;
        case Converter::Word: StoreWord(c, field, image, AddressOf(row->place)); break;
        case Converter::RadioCode:
        case Converter::ActionCode: {
            const bool automatic =
                row->converter == Converter::ActionCode && c.fields.Get(ActionAuto(row->n)).Checked();
            const Hex16 code = automatic ? Hex16{} : ParseHex16(TextOf(c, field));
            Put(image, std::get<layout::Word>(row->place), code.b0, code.b1);
            break;
        }
        case Converter::WildcardCode: {
            const RadioId id = ParseRadioId(TextOf(c, field));
            Put(image, std::get<layout::Word>(row->place), id.b0, id.b1);
            Put(image, row->mask, id.mask);
            break;
        }
        case Converter::PulseTime:
            if (!StorePulseTime(c, field, image, AddressOf(row->place))) {
                outcome.Fail(AddressOf(row->place));
            }
            break;
        case Converter::Identity: StoreIdentity(c, IdentityOfA, c.lists.DeviceNamesA, image); break;
        case Converter::Automatic:
        case Converter::IdentityPart: break;
        }
    }
    return outcome.Result();
}

} // namespace vorn
