#include "model/FamilyCFields.h"

#include "base/Utf8.h"
#include "model/BandTable.h"
#include "model/ConversionRows.h"
#include "model/FamilyCMap.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace vorn {

namespace {

using namespace conversion;
using Map = FamilyCMap;
using layout::AddressOf;
using layout::Place;

// Reference raw values of the potentiometer steps 1 to 11.
constexpr std::array<int, 11> PotentiometerSteps{1057, 1065, 1131, 1233, 1350, 1540,
                                                 1760, 2068, 2601, 3358, 3724};
constexpr int PotentiometerMinimum = 854;
constexpr int PotentiometerMaximum = 3893;
// Firmware from this version on reports the antenna type and the tamper status.
constexpr std::uint8_t FirmwareWithSwitchStatus = 0x10;

constexpr IdentityFields IdentityOfC{"edtGOFA_ProductionDate", Map::ProductionDate.address,
                                     "edtGOFA_Firmwaretype",   "edtGOFA_FirmwareVersion",
                                     "edtGOFA_ProductName",    "edtGOFA_SerialNumber"};

// How a field is shown from its place and stored into it. Display-only converters store nothing.
enum class Converter {
    HexCode,       // four hexadecimal digits of a word
    Number,        // a byte in decimal
    WordNumber,    // a word in decimal
    Count,         // a nibble in decimal, stored with the other count of its byte: an invalid pair as 3 and 3
    Choice,        // the item of the byte's code; an error without one, the byte kept without a selection
    Status,        // a choice as read, known from firmware 1.0 on; stored only with a selection
    Flag,          // a bit as a choice: the flags of a byte are stored together, the byte whole
    ExternalInput, // the function and mode choices of one byte: 1 + 2 × function + mode (1 to 4)
    Band,          // a band as its two carrier frequencies, the second at the row's second place
    PulseTime,     // tenths of a second through the pulse-time mask
    Calibration,   // a word as four hexadecimal digits, 0000 too; another length is stored as 0, an error
    Identity,      // the shared identity fields, shown and stored together from this row
    IdentityPart,  // one of them after the first: the identity row converts it
    RotarySwitch,  // the digit of a rotary switch as read; an error without one
    DipSwitches,   // the eight DIP switches as read, "1000 0010"
    SwitchBit,     // display: a DIP switch as a choice, code 1 when it is on
    InvertedBit,   // display: a DIP switch as a choice, code 0 when it is on
    SwitchDigit,   // display: the digit of a rotary switch
    PositionRead,  // display: the position the rotary switches at the row's two places set, "00" first
    PulseTimeRead, // display: the pulse time the switches give, always 3.0
    Potentiometer, // display: the step of the potentiometer's raw value
};

// One field: its editor row, its place in the image and its converter; the second place of a field
// kept in two; whether storing it without a selection is an error (where its converter does not say);
// and its group, counted in page order.
struct Row {
    FieldRow field;
    Place place;
    Converter converter;
    Place second{};
    bool selectionRequired = false;
    int group = 0;
};

Row Hex(std::string name, layout::Word place) {
    return {{.name = std::move(name), .maxLength = 4, .keyFilter = KeyFilterKind::HexCode},
            place,
            Converter::HexCode};
}
Row Number(std::string name, std::size_t maxLength, Place place, Converter converter = Converter::Number) {
    return {{.name = std::move(name), .maxLength = maxLength, .keyFilter = KeyFilterKind::Number},
            place,
            converter};
}
Row Choice(std::string name, CodeList CodeLists::*list, const char* listName, Place place,
           Converter converter = Converter::Choice, Place second = {}) {
    return {{.name = std::move(name), .kind = FieldKind::Choice, .list = list, .listName = listName},
            place,
            converter,
            second};
}
Row ReadChoice(std::string name, CodeList CodeLists::*list, const char* listName, Place place,
               Converter converter) {
    Row row = Choice(std::move(name), list, listName, place, converter);
    row.field.enabled = false;
    return row;
}
Row Display(std::string name, Converter converter, Place place = {}, Place second = {}) {
    return {{.name = std::move(name), .enabled = false}, place, converter, second};
}
Row Required(Row row) {
    row.selectionRequired = true;
    return row;
}
// The service fields, shown only in the service view.
Row Service(std::string name, Converter converter, Place place) {
    Row row = Display(std::move(name), converter, place);
    row.field.visible = false;
    return row;
}

struct AlarmTypeField {
    const char* name;
    layout::Byte place;
};
constexpr std::array<AlarmTypeField, 5> AlarmTypeFields{{
    {"cbbxGOFA_AlarmTypeButton", Map::AlarmTypeButton},
    {"cbbxGOFA_AlarmTypeTamper", Map::AlarmTypeTamper},
    {"cbbxGOFA_AlarmTypeAntennaFailure", Map::AlarmTypeAntennaFailure},
    {"cbbxGOFA_AlarmTypeExternalInput", Map::AlarmTypeExternalInput},
    {"cbbxGOFA_AlarmTypeRadioTest", Map::AlarmTypeRadioTest},
}};

// Group gbGOFA_Switches: the switches and the potentiometer as read.
std::vector<Row> SwitchesGroup() {
    std::vector<Row> rows;
    for (int s = 1; s <= Map::RotarySwitchCount; ++s) {
        rows.push_back(
            Display("edtGOFA_RotaryS" + std::to_string(s), Converter::RotarySwitch, Map::RotarySwitch(s)));
    }
    rows.push_back(Display("edtGOFA_DipSwitch", Converter::DipSwitches, Map::DipSwitches));
    rows.push_back(Display("edtGOFA_RfidVant", Converter::WordNumber, Map::Potentiometer));
    rows.push_back(Display("edtGOFA_Potentiometer_P1", Converter::Potentiometer, Map::Potentiometer));
    return rows;
}

// Page tbsGofaRadio, one group for the conversions: it shows no values as read.
std::vector<Row> RadioPage() {
    std::vector<Row> rows;
    for (int n = 1; n <= Map::IdCodeCount; ++n) {
        rows.push_back(Hex("edtGOFA_IdCode" + std::to_string(n), Map::IdCode(n)));
    }
    const std::array settings{
        Choice("cbbxGOFA_SendAck", &CodeLists::YesNo, "YesNo", Map::SendAck, Converter::Flag),
        Number("edtGOFA_HalvoSystemId", 5, Map::HalvoSystemId, Converter::WordNumber),
        Number("edtGOFA_GroupActivationCode", 3, Map::GroupActivationCode),
        Choice("cbbxGOFA_RxFrequencyBand", &CodeLists::ReceiveBands, "ReceiveBands", Map::ReceiveFrequency1,
               Converter::Band, Map::ReceiveFrequency2),
        Hex("edtGOFA_UnitIdCode", Map::UnitIdCode),
        Number("edtGOFA_MaxShort", 2, Map::MaxShort, Converter::Count),
        Number("edtGOFA_MaxLong", 2, Map::MaxLong, Converter::Count),
        Number("edtGOFA_MaxBursts", 2, Map::MaxBursts),
        Number("edtGOFA_TimeBetweenBursts", 2, Map::TimeBetweenBursts),
        Required(Choice("cbbxGOFA_IgnoreAck", &CodeLists::YesNo, "YesNo", Map::IgnoreAck, Converter::Flag)),
        Number("edtGOFA_RadioTestInterval", 5, Map::RadioTestInterval, Converter::WordNumber),
        Choice("cbbxGOFA_TxFrequencyBand", &CodeLists::TransmitBands, "TransmitBands",
               Map::TransmitFrequency1, Converter::Band, Map::TransmitFrequency2),
    };
    rows.insert(rows.end(), settings.begin(), settings.end());
    for (const AlarmTypeField& alarm : AlarmTypeFields) {
        rows.push_back(Choice(alarm.name, &CodeLists::AlarmTypes, "AlarmTypes", alarm.place));
    }
    rows.push_back(Number("edtGOFA_EquipmentType", 3, Map::EquipmentType));
    return rows;
}

// Both pages, group by group, in the order of the pages, which is the order the fields are
// registered in. The conversions walk every group's display-only fields before its settings: on
// page tbsGofaRfid these are the values the unit read from its own switches, so that of a failing
// reading and a failing setting that overrides it, the setting's address is reported (the last
// failure wins). Nothing else depends on the order within a group: fields stored together are
// stored whole from their values, wherever the first of them stands.
std::vector<Row> BuildRows() {
    const std::vector<std::vector<Row>> groups{
        // Page tbsGofaRfid: groups gbGOFA_Rfid, gbGOFA_Relay, gbGOFA_Tamper, gbGOFA_ExtInput, then
        // gbGOFA_Switches and gbGOFA_General, which show only displays.
        {
            Hex("edtGOFA_Position", Map::Position),
            Display("edtGOFA_Position_Read", Converter::PositionRead, Map::RotarySwitch(1),
                    Map::RotarySwitch(2)),
            Choice("cbbxGOFA_Zone", &CodeLists::HexDigits, "HexDigits", Map::Zone),
            Display("edtGOFA_Zone_Read", Converter::SwitchDigit, Map::RotarySwitch(3)),
            Number("edtGOFA_RfidPower", 3, Map::RfidPower),
            ReadChoice("cbbxGOFA_Power_Read", &CodeLists::PowerHighLow, "PowerHighLow", Map::DipPower,
                       Converter::SwitchBit),
            ReadChoice("cbbxGOFA_AntennaType_Read", &CodeLists::AntennaTypes, "AntennaTypes",
                       Map::AntennaType, Converter::Status),
        },
        {
            Choice("cbbxGOFA_RelaySource", &CodeLists::RelaySources, "RelaySources", Map::RelaySource),
            Choice("cbbxGOFA_RelayPolarity", &CodeLists::RelayPolarities, "RelayPolarities",
                   Map::RelayPolarity, Converter::Flag),
            {{.name = "medtGOFA_RelayPulseTime", .maxLength = 6, .inputMask = PulseTimeMask('.')},
             Map::RelayPulseTime,
             Converter::PulseTime},
            ReadChoice("cbbxGOFA_RelaySource_Read", &CodeLists::RelaySources, "RelaySources", Map::DipRelay,
                       Converter::SwitchBit),
            ReadChoice("cbbxGOFA_RelayPolarity_Read", &CodeLists::RelayPolarities, "RelayPolarities",
                       Map::DipRelay, Converter::InvertedBit),
            Display("edtGOFA_RelayPulseTime_Read", Converter::PulseTimeRead),
        },
        {
            Choice("cbbxGOFA_TamperTransmitAlarm", &CodeLists::YesNo, "YesNo", Map::TamperTransmitAlarm),
            ReadChoice("cbbxGOFA_TamperTransmitAlarm_Read", &CodeLists::YesNo, "YesNo", Map::DipTamperAlarm,
                       Converter::SwitchBit),
            ReadChoice("cbbxGOFA_TamperStatus_Read", &CodeLists::TamperStatus, "TamperStatus",
                       Map::TamperStatus, Converter::Status),
        },
        {
            Choice("cbbxGOFA_ExtInputFunction", &CodeLists::ExternalInputFunctions, "ExternalInputFunctions",
                   Map::ExternalInput, Converter::ExternalInput),
            Choice("cbbxGOFA_ExtInputMode", &CodeLists::ExternalInputModes, "ExternalInputModes",
                   Map::ExternalInput, Converter::ExternalInput),
            ReadChoice("cbbxGOFA_ExtInputFunction_Read", &CodeLists::ExternalInputFunctions,
                       "ExternalInputFunctions", Map::DipInputFunction, Converter::SwitchBit),
            ReadChoice("cbbxGOFA_ExtInputMode_Read", &CodeLists::ExternalInputModes, "ExternalInputModes",
                       Map::DipInputMode, Converter::SwitchBit),
        },
        SwitchesGroup(),
        {
            Display(IdentityOfC.firmwareType, Converter::Identity),
            Display(IdentityOfC.firmwareVersion, Converter::IdentityPart),
            Display(IdentityOfC.productionDate, Converter::IdentityPart),
            Display(IdentityOfC.productName, Converter::IdentityPart),
            Display(IdentityOfC.serialNumber, Converter::IdentityPart),
            Display("edtGOFA_RadioCalibration", Converter::Calibration, Map::RadioCalibration),
            Service("edtGOFA_RadioTxPower", Converter::Number, Map::RadioTxPower),
            Service("edtGOFA_RadioProtocol", Converter::Number, Map::RadioProtocol),
            Service("edtGOFA_RfidProtocol", Converter::Number, Map::RfidProtocol),
            Service("edtGOFA_WatchdogReset", Converter::WordNumber, Map::WatchdogReset),
        },
        RadioPage(),
    };
    std::vector<Row> rows;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (Row row : groups[g]) {
            row.group = static_cast<int>(g);
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = BuildRows();
    return rows;
}

// The rows in the order both conversions take them.
const std::vector<const Row*>& ConversionOrder() {
    static const std::vector<const Row*> order = RowsInOrder(Rows(), [](const Row* row) {
        return std::pair{row->group, row->field.enabled};
    });
    return order;
}

layout::Byte ByteOf(const Row& row) {
    return std::get<layout::Byte>(row.place);
}

bool SwitchStatusKnown(const Image& image) {
    return layout::Get(image, Map::FirmwareVersion) >= FirmwareWithSwitchStatus;
}

// The switch digit of a rotary switch byte: "0" to "F", empty beyond 15.
std::string SwitchDigit(const CodeLists& lists, const Image& image, const Place& place) {
    const std::uint8_t value = layout::Get(image, std::get<layout::Byte>(place));
    const int index = value <= 15 ? IndexOfCode(lists.HexDigits, value) : -1;
    return index < 0 ? std::string()
                     : std::string(ValuePart(lists.HexDigits[static_cast<std::size_t>(index)]));
}

std::string DipText(std::uint8_t dip) {
    std::string text;
    for (int k = 0; k < 8; ++k) {
        if (k == 4) {
            text += ' ';
        }
        text += ((dip >> k) & 1) ? '1' : '0';
    }
    return text;
}

std::optional<std::uint8_t> ParseDipText(std::string_view text) {
    const std::u32string chars = DecodeUtf8(text);
    if (chars.size() != 9) {
        return std::nullopt;
    }
    unsigned dip = 0;
    for (int k = 0; k < 8; ++k) {
        const std::size_t position = static_cast<std::size_t>(k < 4 ? k : k + 1);
        if (chars[position] == '1') {
            dip |= 1u << k;
        }
    }
    return static_cast<std::uint8_t>(dip);
}

std::string PotentiometerText(const Image& image, layout::Word place) {
    if (!SwitchStatusKnown(image)) {
        return "---";
    }
    const int value = static_cast<int>(layout::Get(image, place));
    if (value < PotentiometerMinimum || value > PotentiometerMaximum) {
        return "???";
    }
    int step = 0;
    int smallest = 0;
    for (std::size_t s = 0; s < PotentiometerSteps.size(); ++s) {
        const int distance = std::abs(value - PotentiometerSteps[s]);
        if (step != 0 && distance > smallest) {
            break;
        }
        step = static_cast<int>(s) + 1;
        smallest = distance;
    }
    return Decimal(step);
}

std::string HexWordText(const Image& image, const Place& place) {
    const auto word = std::get<layout::Word>(place);
    return FormatHex16(layout::High(image, word), layout::Low(image, word));
}

void StoreHexWord(const ConversionContext& c, std::string_view field, Image& image, const Place& place) {
    const Hex16 value = ParseHex16(TextOf(c, field));
    layout::Put(image, std::get<layout::Word>(place), value.b0, value.b1);
}

// A band pair shows its band only when both frequencies belong to the same one.
bool ShowBand(const ConversionContext& c, const Row& row, const Image& image) {
    const int first = BandOfFrequency(layout::Get(image, std::get<layout::Run>(row.place)));
    const int second = BandOfFrequency(layout::Get(image, std::get<layout::Run>(row.second)));
    if (first != second) {
        c.fields.SetIndex(row.field.name, -1);
        return false;
    }
    return SelectCode(c, row.field.name, ListOf(c, row), first);
}

// A band without a selection, or one whose frequencies are unknown, keeps the eight bytes.
bool StoreBand(const ConversionContext& c, const Row& row, Image& image) {
    if (!HasSelection(c, row.field.name)) {
        return false;
    }
    const int band = ShownCode(c, row.field.name, ListOf(c, row));
    const auto first = FirstFrequency(band);
    const auto second = SecondFrequency(band);
    if (!first || !second) {
        return false;
    }
    layout::Put(image, std::get<layout::Run>(row.place), *first);
    layout::Put(image, std::get<layout::Run>(row.second), *second);
    return true;
}

// A choice stored only when it has a selection; false (byte kept) without one.
bool StoreSelected(const ConversionContext& c, const Row& row, Image& image) {
    if (!HasSelection(c, row.field.name)) {
        return false;
    }
    layout::Put(image, ByteOf(row), ShownCode(c, row.field.name, ListOf(c, row)));
    return true;
}

// Image to fields of one row; false when the row's address is to be reported.
bool ShowRow(const ConversionContext& c, const Row& row, const Image& image, ConversionOutcome& outcome) {
    const std::string_view field = row.field.name;
    switch (row.converter) {
    case Converter::HexCode: ShowText(c, field, HexWordText(image, row.place)); break;
    case Converter::Number: ShowText(c, field, Decimal(layout::Get(image, ByteOf(row)))); break;
    case Converter::WordNumber: ShowWord(c, field, image, AddressOf(row.place)); break;
    case Converter::Count:
        ShowText(c, field, Decimal(layout::Get(image, std::get<layout::Nibble>(row.place))));
        break;
    case Converter::Choice: return SelectCode(c, field, ListOf(c, row), layout::Get(image, ByteOf(row)));
    case Converter::Status:
        if (SwitchStatusKnown(image)) {
            return SelectCode(c, field, ListOf(c, row), layout::Get(image, ByteOf(row)));
        }
        c.fields.SetIndex(field, -1);
        break;
    case Converter::Flag:
        return SelectCode(c, field, ListOf(c, row), layout::Get(image, std::get<layout::Bit>(row.place)));
    case Converter::ExternalInput: {
        const std::vector<const Row*> pair = ByteMates(Rows(), row);
        if (pair.front() != &row) {
            break;
        }
        // The byte less one holds the codes as bits, the function's above the mode's.
        const int input = layout::Get(image, ByteOf(row));
        const bool valid = input >= 1 && input <= 4;
        bool shown = valid;
        int shift = static_cast<int>(pair.size());
        for (const Row* choice : pair) {
            --shift;
            if (valid) {
                shown = SelectCode(c, choice->field.name, ListOf(c, *choice), ((input - 1) >> shift) & 1) &&
                        shown;
            } else {
                c.fields.SetIndex(choice->field.name, -1);
            }
        }
        return shown;
    }
    case Converter::Band: return ShowBand(c, row, image);
    case Converter::PulseTime: ShowPulseTime(c, field, image, AddressOf(row.place)); break;
    case Converter::Calibration: {
        const auto word = std::get<layout::Word>(row.place);
        ShowText(c, field, HexByte(layout::High(image, word)) + HexByte(layout::Low(image, word)));
        break;
    }
    case Converter::Identity:
        if (!ShowIdentity(c, IdentityOfC, c.lists.DeviceNamesC, image)) {
            outcome.Fail(ProductTypeAddress);
        }
        break;
    case Converter::IdentityPart: break;
    case Converter::RotarySwitch: {
        std::string digit = SwitchDigit(c.lists, image, row.place);
        const bool shown = !digit.empty();
        ShowText(c, field, std::move(digit));
        return shown;
    }
    case Converter::DipSwitches: ShowText(c, field, DipText(layout::Get(image, ByteOf(row)))); break;
    case Converter::SwitchBit:
        SelectCode(c, field, ListOf(c, row), layout::Get(image, std::get<layout::Bit>(row.place)));
        break;
    case Converter::InvertedBit:
        SelectCode(c, field, ListOf(c, row), layout::Get(image, std::get<layout::Bit>(row.place)) ? 0 : 1);
        break;
    case Converter::SwitchDigit: ShowText(c, field, SwitchDigit(c.lists, image, row.place)); break;
    case Converter::PositionRead:
        ShowText(c, field,
                 "00" + SwitchDigit(c.lists, image, row.place) + SwitchDigit(c.lists, image, row.second));
        break;
    case Converter::PulseTimeRead:
        ShowText(c, field, EncodeUtf8(std::u32string{U'3', c.decimalSeparator, U'0'}));
        break;
    case Converter::Potentiometer:
        ShowText(c, field, PotentiometerText(image, std::get<layout::Word>(row.place)));
        break;
    }
    return true;
}

// Fields to image of one row; false when the row's address is to be reported.
bool StoreRow(const ConversionContext& c, const Row& row, Image& image) {
    const std::string_view field = row.field.name;
    switch (row.converter) {
    case Converter::HexCode: StoreHexWord(c, field, image, row.place); break;
    case Converter::Number: layout::Put(image, ByteOf(row), StoredByte(c, field)); break;
    case Converter::WordNumber: StoreWord(c, field, image, AddressOf(row.place)); break;
    case Converter::Count: {
        const std::vector<const Row*> pair = ByteMates(Rows(), row);
        if (pair.front() != &row) {
            break;
        }
        // An invalid pair is stored as three and three, without an error.
        bool allZero = true;
        bool tooLarge = false;
        int value = 0;
        int threes = 0;
        for (const Row* count : pair) {
            const auto place = std::get<layout::Nibble>(count->place);
            const int n = IntOrZero(TextOf(c, count->field.name));
            allZero = allZero && n == 0;
            tooLarge = tooLarge || n > 15;
            value += layout::Placed(place, n);
            threes += layout::Placed(place, 3);
        }
        layout::Put(image, layout::Byte{std::get<layout::Nibble>(row.place).address},
                    allZero || tooLarge ? threes : value);
        break;
    }
    case Converter::Choice: return StoreSelected(c, row, image);
    case Converter::Status: StoreSelected(c, row, image); break;
    case Converter::Flag:
        StoreFlags(c, Rows(), row, image);
        return !row.selectionRequired || HasSelection(c, field);
    case Converter::ExternalInput: {
        const std::vector<const Row*> pair = ByteMates(Rows(), row);
        if (pair.front() != &row) {
            break;
        }
        int bits = 0;
        for (const Row* choice : pair) {
            if (!HasSelection(c, choice->field.name)) {
                layout::Put(image, ByteOf(row), 0);
                return false;
            }
            bits = 2 * bits + ShownCode(c, choice->field.name, ListOf(c, *choice));
        }
        layout::Put(image, ByteOf(row), 1 + bits);
        break;
    }
    case Converter::Band: return StoreBand(c, row, image);
    case Converter::PulseTime: return StorePulseTime(c, field, image, AddressOf(row.place));
    case Converter::Calibration:
        if (Utf8Length(TextOf(c, field)) != 4) {
            layout::Put(image, std::get<layout::Word>(row.place), 0, 0);
            return false;
        }
        StoreHexWord(c, field, image, row.place);
        break;
    case Converter::Identity: StoreIdentity(c, IdentityOfC, c.lists.DeviceNamesC, image); break;
    case Converter::RotarySwitch:
        layout::Put(image, ByteOf(row), CodeOfText(c.lists.HexDigits, TextOf(c, field)));
        break;
    case Converter::DipSwitches: {
        const auto dip = ParseDipText(TextOf(c, field));
        layout::Put(image, ByteOf(row), dip.value_or(0));
        return dip.has_value();
    }
    case Converter::IdentityPart:
    case Converter::SwitchBit:
    case Converter::InvertedBit:
    case Converter::SwitchDigit:
    case Converter::PositionRead:
    case Converter::PulseTimeRead:
    case Converter::Potentiometer: break;
    }
    return true;
}

} // namespace

const std::vector<FieldRow>& FamilyCFieldRows() {
    static const std::vector<FieldRow> rows = FieldRowsOf(Rows());
    return rows;
}

int FamilyCImageToFields(const ConversionContext& c, const Image& image) {
    ConversionOutcome outcome;
    for (const Row* row : ConversionOrder()) {
        if (!ShowRow(c, *row, image, outcome)) {
            outcome.Fail(AddressOf(row->place));
        }
    }
    return outcome.Result();
}

int FamilyCFieldsToImage(const ConversionContext& c, Image& image) {
    ConversionOutcome outcome;
    for (const Row* row : ConversionOrder()) {
        if (!StoreRow(c, *row, image)) {
            outcome.Fail(AddressOf(row->place));
        }
    }
    return outcome.Result();
}

} // namespace vorn
