// Where every editor field lives in the image, written down here independently of the conversions'
// own maps: each field shows the value found at its place, and storing a field changes its place and
// nothing else. Two places swapped consistently in both conversions fail here, though every round trip
// would still pass.
#include "model/Conversion.h"
#include "support/TestLists.h"
#include "support/ValidImages.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::EditorFixture;

// The bits of one image byte that belong to a field.
struct Spot {
    int address;
    std::uint8_t mask = 0xFF;
};

// What a field shows: its text, the code of its selected item (-1 for none), or its check state.
struct Shown {
    enum class Kind { Text, Code, Check } kind;
    std::string text;
    int code = -1;
    bool checked = false;
    friend bool operator==(const Shown&, const Shown&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Shown& s) {
        switch (s.kind) {
        case Kind::Text: return os << "text \"" << s.text << "\"";
        case Kind::Code: return os << "code " << s.code;
        case Kind::Check: return os << (s.checked ? "checked" : "unchecked");
        }
        return os;
    }
};
Shown Text(std::string text) {
    return {Shown::Kind::Text, std::move(text)};
}
Shown Code(int code) {
    return {Shown::Kind::Code, {}, code};
}
Shown Check(bool checked) {
    return {Shown::Kind::Check, {}, -1, checked};
}

// One field at its place: two values for its spots (each within its spot's mask) and what the field
// shows for each. Fields that are only shown are not stored.
struct PlaceCase {
    std::string field;
    std::vector<Spot> spots;
    std::vector<std::uint8_t> from, to;
    Shown fromShown, toShown;
    bool stored = true;
    friend void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.field; }
};

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

// A whole byte shown in decimal.
PlaceCase Number(std::string field, int address, std::uint8_t from, std::uint8_t to) {
    return {
        std::move(field), {{address}}, {from}, {to}, Text(std::to_string(from)), Text(std::to_string(to)),
    };
}
// A nibble shown in decimal.
PlaceCase NibbleNumber(std::string field, Spot spot, int from, int to) {
    const int shift = std::countr_zero(spot.mask);
    return {std::move(field),
            {spot},
            {static_cast<std::uint8_t>(from << shift)},
            {static_cast<std::uint8_t>(to << shift)},
            Text(std::to_string(from)),
            Text(std::to_string(to))};
}
// A 16-bit big-endian number shown in decimal.
PlaceCase WordNumber(std::string field, int address, unsigned from, unsigned to) {
    return {std::move(field),
            {{address}, {address + 1}},
            {static_cast<std::uint8_t>(from >> 8), static_cast<std::uint8_t>(from)},
            {static_cast<std::uint8_t>(to >> 8), static_cast<std::uint8_t>(to)},
            Text(std::to_string(from)),
            Text(std::to_string(to))};
}
// A 16-bit big-endian code shown as four hexadecimal digits (both values not 0).
PlaceCase Hex(std::string field, int address, unsigned from, unsigned to) {
    PlaceCase c = WordNumber(std::move(field), address, from, to);
    c.fromShown = Text(Hex4(from));
    c.toShown = Text(Hex4(to));
    return c;
}
// A choice selected by the bits of its spot.
PlaceCase Choice(std::string field, Spot spot, int fromCode, int toCode) {
    const int shift = std::countr_zero(spot.mask);
    return {std::move(field),
            {spot},
            {static_cast<std::uint8_t>(fromCode << shift)},
            {static_cast<std::uint8_t>(toCode << shift)},
            Code(fromCode),
            Code(toCode)};
}
PlaceCase ShownOnly(PlaceCase c) {
    c.stored = false;
    return c;
}
PlaceCase Date(std::string field, int address) {
    return {
        std::move(field),   {{address}, {address + 1}, {address + 2}},
        {0x24, 0x01, 0x31}, {0x19, 0x12, 0x05},
        Text("240131"),     Text("191205"),
    };
}
PlaceCase SerialNumber(std::string field) {
    return {
        std::move(field),   {{123}, {124}, {125}}, {0x01, 0x02, 0x03},
        {0xAB, 0xCD, 0xEF}, Text("66051"),         Text("11259375"),
    };
}
PlaceCase FirmwareVersion(std::string field, std::uint8_t from, std::uint8_t to) {
    auto shown = [](std::uint8_t v) {
        return Text("v" + std::to_string(v >> 4) + "." + std::to_string(v & 15));
    };
    return {std::move(field), {{47}}, {from}, {to}, shown(from), shown(to)};
}
std::string NameOf(const CodeList& names, int code) {
    for (const std::string& item : names) {
        if (CodeOfItem(item) == code) {
            return std::string(ValuePart(item));
        }
    }
    return {};
}
PlaceCase ProductName(std::string field, const CodeList& names, std::uint8_t from, std::uint8_t to) {
    return {std::move(field), {{122}}, {from}, {to}, Text(NameOf(names, from)), Text(NameOf(names, to))};
}
// Two carrier frequencies of 32 bits each, big-endian, from the band frequency table.
PlaceCase Band(std::string field, int address, int fromBand, std::array<std::uint32_t, 2> from, int toBand,
               std::array<std::uint32_t, 2> to) {
    PlaceCase c{std::move(field), {}, {}, {}, Code(fromBand), Code(toBand)};
    for (int k = 0; k < 8; ++k) {
        c.spots.push_back({address + k});
        const int shift = 24 - 8 * (k % 4);
        c.from.push_back(static_cast<std::uint8_t>(from[static_cast<std::size_t>(k / 4)] >> shift));
        c.to.push_back(static_cast<std::uint8_t>(to[static_cast<std::size_t>(k / 4)] >> shift));
    }
    return c;
}

// Family A.
std::vector<PlaceCase> FamilyACases() {
    const std::string actionRows = "123456789ABCDEF";
    std::vector<PlaceCase> cases;
    // Page tbsButtons, user events n = 1 to 7.
    for (int n = 1; n <= 7; ++n) {
        const std::string row = "cbbxUserEvent_" + std::to_string(n);
        cases.push_back(Choice(row + "_Condition_A", {95 + n}, 1, 6));
        cases.push_back(Choice(row + "_Condition_B", {102 + n}, 2, 5));
        cases.push_back(Choice(row + "_ActionReference", {109 + n, 0x0F}, 3, 15));
    }
    cases.push_back(Choice("cbbxUserEvent_5_InputType", {43}, 1, 3));
    cases.push_back(Choice("cbbxUserEvent_6_InputType", {44, 0xF0}, 1, 4));
    cases.push_back(Choice("cbbxUserEvent_7_InputType", {44, 0x0F}, 2, 3));
    cases.push_back(Choice("cbbxCableLength", {62}, 0, 2));
    // Page tbsRadioEvents, n = 1 to 8: each code with its wildcard mask.
    for (int n = 1; n <= 8; ++n) {
        const std::string row = std::to_string(n);
        cases.push_back({"edtRadioEvent_" + row + "_PositionId",
                         {{174 + 2 * n}, {175 + 2 * n}, {207 + n, 0x0F}},
                         {0x12, 0x34, 0x00},
                         {0xAB, 0xC0, 0x01},
                         Text("1234"),
                         Text("ABC*")});
        cases.push_back({"edtRadioEvent_" + row + "_RadioId",
                         {{190 + 2 * n}, {191 + 2 * n}, {207 + n, 0xF0}},
                         {0x56, 0x78, 0x00},
                         {0xA0, 0x00, 0x70},
                         Text("5678"),
                         Text("A***")});
        cases.push_back(Choice("cbbxRadioEvent_" + row + "_AlarmType", {215 + n}, 3, 253));
        cases.push_back(Choice("cbbxRadioEvent_" + row + "_Condition_A", {223 + n}, 1, 4));
        cases.push_back(Choice("cbbxRadioEvent_" + row + "_Condition_B", {231 + n}, 2, 6));
        cases.push_back(Choice("cbbxRadioEvent_" + row + "_UserType", {239 + n, 0xF0}, 1, 4));
        cases.push_back(Choice("cbbxRadioEvent_" + row + "_ActionReference", {239 + n, 0x0F}, 2, 14));
    }
    // Page tbsActions, i = 1 to 15 (rows 1-9, A-F).
    for (int i = 1; i <= 15; ++i) {
        const std::string row(1, actionRows[static_cast<std::size_t>(i - 1)]);
        cases.push_back(Choice("cbbxAction_" + row + "_AlarmType", {127 + i}, 5, 255));
        cases.push_back(Hex("edtAction_" + row + "_RadioId", 62 + 2 * i, 0x1234, 0xABCD));
        cases.push_back({"cbAction_" + row + "_Auto",
                         {{62 + 2 * i}, {63 + 2 * i}},
                         {0x43, 0x21},
                         {0x00, 0x00},
                         Check(false),
                         Check(true)});
        cases.push_back(Choice("cbbxAction_" + row + "_Relay_1", {143 + i}, 1, 4));
        cases.push_back(Choice("cbbxAction_" + row + "_Relay_2", {159 + i}, 2, 3));
    }
    // Page tbsPreferences.
    cases.push_back(Hex("edtUnitRadioIdCode", 32, 0x2468, 0xFEDC));
    cases.push_back(Choice("cbbxSendAck", {48, 0x01}, 0, 1));
    cases.push_back(Choice("cbbxIgnoreAck", {48, 0x02}, 0, 1));
    cases.push_back(NibbleNumber("edtMaxShortTx", {51, 0xF0}, 3, 12));
    cases.push_back(NibbleNumber("edtMaxLongTx", {51, 0x0F}, 2, 9));
    cases.push_back(Number("edtMaxNumberOfBursts", 52, 7, 42));
    cases.push_back(Number("edtTimeBetweenBursts", 53, 9, 88));
    cases.push_back(Choice("cbbxTxFrequencyBand", {54}, 2, 9));
    cases.push_back(Choice("cbbxRxFrequencyBand", {55}, 6, 8));
    cases.push_back(WordNumber("edtHalvoSystemId", 56, 258, 48879));
    cases.push_back(Number("edtRadioTestAlarmInterval", 39, 11, 111));
    cases.push_back(Number("edtNumberOfMissedAckBeforeSleep", 40, 12, 122));
    cases.push_back(Number("edtBatteryCheckInterval", 41, 13, 133));
    cases.push_back(Choice("cbbxCheckBatteryIn24Vmode", {42, 0x01}, 0, 1));
    cases.push_back(Choice("cbbxOutput_1_Contact", {42, 0x80}, 0, 1));
    cases.push_back(Choice("cbbxOutput_2_Contact", {42, 0x40}, 0, 1));
    cases.push_back(Number("edtOutput_1_GroupActivationCode_1", 58, 21, 201));
    cases.push_back(Number("edtOutput_1_GroupActivationCode_2", 59, 22, 202));
    cases.push_back(Number("edtOutput_2_GroupActivationCode_1", 60, 23, 203));
    cases.push_back(Number("edtOutput_2_GroupActivationCode_2", 61, 24, 204));
    cases.push_back({"medtPulseActivationTime",
                     {{49}, {50}},
                     {0x00, 0x7B},
                     {0x01, 0x2C},
                     Text("  12.3"),
                     Text("  30.0")});
    cases.push_back(Date("edtProductionDate", 34));
    cases.push_back(Number("edtFirmwareType", 46, 3, 250));
    cases.push_back(FirmwareVersion("edtFirmwareVersion", 0x21, 0x2A));
    cases.push_back(ProductName("edtProductName", test::EnglishLists().DeviceNamesA, 0x23, 0x39));
    cases.push_back(SerialNumber("edtSerialNumber"));
    cases.push_back(Number("edtRadioCalibration", 127, 31, 231));
    cases.push_back(Number("edtEquipmentType", 45, 32, 232));
    return cases;
}

// Family B.
std::vector<PlaceCase> FamilyBCases() {
    return {
        Hex("edtHESK_RadioIdCode", 32, 0x2468, 0xFEDC),
        NibbleNumber("edtHESK_MaxShortTx", {51, 0xF0}, 3, 12),
        NibbleNumber("edtHESK_MaxLongTx", {51, 0x0F}, 2, 9),
        Number("edtHESK_MaxNumberOfBursts", 52, 7, 42),
        Choice("cbbxHESK_IgnoreAck", {48, 0x02}, 0, 1),
        Choice("cbbxHESK_RadioControlMode", {48, 0x01}, 0, 1),
        Date("edtHESK_ProductionDate", 34),
        Number("edtHESK_FirmwareType", 46, 3, 250),
        FirmwareVersion("edtHESK_FirmwareVersion", 0x12, 0x1F),
        ProductName("edtHESK_ProductName", test::EnglishLists().DeviceNamesB, 0x2A, 0x2B),
        SerialNumber("edtHESK_SerialNumber"),
        Number("edtHESK_RadioCalibration", 127, 31, 231),
        Number("edtHESK_EquipmentType", 43, 32, 232),
        Choice("cbbxHESK_SingleButtonPresence", {50, 0x01}, 0, 1),
        Number("edtHESK_RadioTestAlarmInterval", 39, 11, 111),
        Number("edtHESK_NumberOfMissedAck", 40, 12, 122),
        Number("edtHESK_AutoReadyTime", 49, 14, 144),
        Choice("cbbxHESK_LedFlashIndication", {50, 0x02}, 0, 1),
        Number("edtHESK_BatteryCheckInterval", 41, 13, 133),
        Choice("cbbxHESK_CheckBatteryIn24VMode", {42, 0x01}, 0, 1),
    };
}

// Family C. The read-of-switches fields are only shown; the product name has a single code in this
// family, so it cannot change its place (the fill-error cases fix its address).
std::vector<PlaceCase> FamilyCCases() {
    constexpr std::array<std::uint32_t, 2> band2{868712500, 868737500};
    constexpr std::array<std::uint32_t, 2> band6{869412500, 869437500};
    constexpr std::array<std::uint32_t, 2> band8{868212500, 868237500};
    constexpr std::array<std::uint32_t, 2> band9{868412500, 868437500};
    std::vector<PlaceCase> cases{
        // Page tbsGofaRfid.
        Hex("edtGOFA_Position", 21, 0x0102, 0xA0B0),
        ShownOnly({"edtGOFA_Position_Read", {{129}, {130}}, {3, 10}, {12, 5}, Text("003A"), Text("00C5")}),
        Choice("cbbxGOFA_Zone", {23}, 2, 14),
        ShownOnly({"edtGOFA_Zone_Read", {{131}}, {4}, {15}, Text("4"), Text("F")}),
        Number("edtGOFA_RfidPower", 24, 40, 95),
        ShownOnly(Choice("cbbxGOFA_Power_Read", {128, 0x40}, 0, 1)),
        Choice("cbbxGOFA_AntennaType_Read", {137}, 0, 1),
        Choice("cbbxGOFA_RelaySource", {25}, 0, 1),
        Choice("cbbxGOFA_RelayPolarity", {28, 0x01}, 0, 1),
        {"medtGOFA_RelayPulseTime", {{26}, {27}}, {0x00, 0x7B}, {0x01, 0x2C}, Text("  12.3"), Text("  30.0")},
        ShownOnly(Choice("cbbxGOFA_RelaySource_Read", {128, 0x10}, 0, 1)),
        // Inverted: DIP5 on selects code 0.
        ShownOnly({"cbbxGOFA_RelayPolarity_Read", {{128, 0x10}}, {0x00}, {0x10}, Code(1), Code(0)}),
        Choice("cbbxGOFA_TamperTransmitAlarm", {29}, 0, 1),
        ShownOnly(Choice("cbbxGOFA_TamperTransmitAlarm_Read", {128, 0x20}, 0, 1)),
        Choice("cbbxGOFA_TamperStatus_Read", {136}, 0, 1),
        // Byte 30 is 1 + 2 × function code + mode code.
        {"cbbxGOFA_ExtInputFunction", {{30}}, {1}, {3}, Code(0), Code(1)},
        {"cbbxGOFA_ExtInputMode", {{30}}, {1}, {2}, Code(0), Code(1)},
        ShownOnly(Choice("cbbxGOFA_ExtInputFunction_Read", {128, 0x08}, 0, 1)),
        ShownOnly(Choice("cbbxGOFA_ExtInputMode_Read", {128, 0x04}, 0, 1)),
        {"edtGOFA_RotaryS1", {{129}}, {3}, {12}, Text("3"), Text("C")},
        {"edtGOFA_RotaryS2", {{130}}, {5}, {13}, Text("5"), Text("D")},
        {"edtGOFA_RotaryS3", {{131}}, {7}, {14}, Text("7"), Text("E")},
        {"edtGOFA_DipSwitch", {{128}}, {0x41}, {0x82}, Text("1000 0010"), Text("0100 0001")},
        WordNumber("edtGOFA_RfidVant", 134, 1200, 3724),
        ShownOnly(
            {"edtGOFA_Potentiometer_P1", {{134}, {135}}, {0x04, 0xB0}, {0x0E, 0x8C}, Text("4"), Text("11")}),
        Number("edtGOFA_Firmwaretype", 46, 3, 250),
        FirmwareVersion("edtGOFA_FirmwareVersion", 0x12, 0x1A),
        Date("edtGOFA_ProductionDate", 117),
        SerialNumber("edtGOFA_SerialNumber"),
        {"edtGOFA_RadioCalibration", {{112}, {113}}, {0x0A, 0xBC}, {0xF0, 0x0D}, Text("0ABC"), Text("F00D")},
        Number("edtGOFA_RadioTxPower", 114, 17, 170),
        Number("edtGOFA_RadioProtocol", 115, 18, 180),
        Number("edtGOFA_RfidProtocol", 116, 19, 190),
        WordNumber("edtGOFA_WatchdogReset", 132, 515, 60000),
        // Page tbsGofaRadio.
        Choice("cbbxGOFA_SendAck", {37, 0x40}, 0, 1),
        WordNumber("edtGOFA_HalvoSystemId", 16, 258, 48879),
        Number("edtGOFA_GroupActivationCode", 18, 21, 201),
        Band("cbbxGOFA_RxFrequencyBand", 0, 2, band2, 9, band9),
        Hex("edtGOFA_UnitIdCode", 32, 0x2468, 0xFEDC),
        NibbleNumber("edtGOFA_MaxShort", {34, 0xF0}, 3, 12),
        NibbleNumber("edtGOFA_MaxLong", {34, 0x0F}, 2, 9),
        Number("edtGOFA_MaxBursts", 35, 7, 42),
        Number("edtGOFA_TimeBetweenBursts", 36, 9, 88),
        Choice("cbbxGOFA_IgnoreAck", {37, 0x80}, 0, 1),
        WordNumber("edtGOFA_RadioTestInterval", 19, 300, 65000),
        Band("cbbxGOFA_TxFrequencyBand", 8, 6, band6, 8, band8),
        Choice("cbbxGOFA_AlarmTypeButton", {64}, 1, 12),
        Choice("cbbxGOFA_AlarmTypeTamper", {65}, 2, 11),
        Choice("cbbxGOFA_AlarmTypeAntennaFailure", {66}, 3, 10),
        Choice("cbbxGOFA_AlarmTypeExternalInput", {67}, 4, 9),
        Choice("cbbxGOFA_AlarmTypeRadioTest", {68}, 5, 8),
        Number("edtGOFA_EquipmentType", 31, 32, 232),
    };
    for (int n = 1; n <= 8; ++n) {
        cases.push_back(Hex("edtGOFA_IdCode" + std::to_string(n), 46 + 2 * n, 0x1100u + n, 0xE000u + n));
    }
    return cases;
}

std::vector<PlaceCase> StoredOnly(std::vector<PlaceCase> cases) {
    std::erase_if(cases, [](const PlaceCase& c) { return !c.stored; });
    return cases;
}

// The family's product type and a base image that converts completely and comes back unchanged.
struct FamilyCases {
    const char* name;
    std::uint8_t productType;
    std::vector<PlaceCase> (*cases)();
};
constexpr FamilyCases Families[] = {
    {"FamilyA", 0x23, FamilyACases},
    {"FamilyB", 0x2A, FamilyBCases},
    {"FamilyC", 0x4B, FamilyCCases},
};

std::uint8_t ProductTypeOfField(const std::string& field) {
    switch (FamilyOfField(field)) {
    case Family::A: return 0x23;
    case Family::B: return 0x2A;
    case Family::C: return 0x4B;
    case Family::None: break;
    }
    return 0;
}

Image BaseImage(std::uint8_t productType) {
    std::mt19937 random(productType);
    return test::ValidImage(random, test::EnglishLists(), productType);
}

void PutSpots(Image& image, const std::vector<Spot>& spots, const std::vector<std::uint8_t>& values) {
    for (std::size_t k = 0; k < spots.size(); ++k) {
        auto& byte = image[static_cast<std::size_t>(spots[k].address)];
        byte = static_cast<std::uint8_t>((byte & ~spots[k].mask) | (values[k] & spots[k].mask));
    }
}

Shown ShownBy(const EditorFixture& editor, const std::string& name, Shown::Kind kind) {
    const Field& field = editor.fields->Get(name);
    switch (kind) {
    case Shown::Kind::Text: return Text(field.Text());
    case Shown::Kind::Check: return Check(field.Checked());
    case Shown::Kind::Code: {
        const CodeList* list = ChoiceListOf(editor.lists, name);
        return Code(field.Index() < 0 || list == nullptr ? -1 : CodeOfText(*list, field.Text()));
    }
    }
    return {};
}

void SetField(EditorFixture& editor, const std::string& name, const Shown& value) {
    switch (value.kind) {
    case Shown::Kind::Text: editor.fields->SetText(name, value.text); break;
    case Shown::Kind::Check: editor.fields->SetChecked(name, value.checked); break;
    case Shown::Kind::Code:
        editor.fields->SetIndex(name, IndexOfCode(*ChoiceListOf(editor.lists, name), value.code));
        break;
    }
}

class FieldPlace : public ::testing::TestWithParam<PlaceCase> {
protected:
    const PlaceCase& place = GetParam();
    EditorFixture editor;
    Image image = BaseImage(ProductTypeOfField(place.field));
};

// Image to fields: the field follows the value at its place, whatever the other bytes hold.
TEST_P(FieldPlace, ShowsTheValueAtItsPlace) {
    const std::pair<std::vector<std::uint8_t>, Shown> steps[] = {{place.from, place.fromShown},
                                                                 {place.to, place.toShown}};
    for (const auto& [values, shown] : steps) {
        PutSpots(image, place.spots, values);
        ImageToFields(editor.context, image);
        EXPECT_EQ(ShownBy(editor, place.field, shown.kind), shown);
    }
}

class StoredFieldPlace : public FieldPlace {};

// Fields to image: a changed field changes exactly the bits of its place.
TEST_P(StoredFieldPlace, StoresAtItsPlaceOnly) {
    PutSpots(image, place.spots, place.from);
    ASSERT_EQ(ImageToFields(editor.context, image), ResultSuccess);
    ASSERT_EQ(ShownBy(editor, place.field, place.fromShown.kind), place.fromShown);
    SetField(editor, place.field, place.toShown);
    Image stored = image;
    EXPECT_EQ(FieldsToImage(editor.context, stored), ResultSuccess);
    Image expected = image;
    PutSpots(expected, place.spots, place.to);
    std::string differences;
    for (std::size_t a = 0; a < stored.size(); ++a) {
        if (stored[a] != expected[a]) {
            differences += " " + std::to_string(a) + ": " + std::to_string(stored[a]) + " instead of " +
                           std::to_string(expected[a]) + ";";
        }
    }
    EXPECT_EQ(differences, "");
}

std::string FieldName(const ::testing::TestParamInfo<PlaceCase>& info) {
    return info.param.field;
}

INSTANTIATE_TEST_SUITE_P(FamilyA, FieldPlace, ::testing::ValuesIn(FamilyACases()), FieldName);
INSTANTIATE_TEST_SUITE_P(FamilyB, FieldPlace, ::testing::ValuesIn(FamilyBCases()), FieldName);
INSTANTIATE_TEST_SUITE_P(FamilyC, FieldPlace, ::testing::ValuesIn(FamilyCCases()), FieldName);
INSTANTIATE_TEST_SUITE_P(FamilyA, StoredFieldPlace, ::testing::ValuesIn(StoredOnly(FamilyACases())),
                         FieldName);
INSTANTIATE_TEST_SUITE_P(FamilyB, StoredFieldPlace, ::testing::ValuesIn(StoredOnly(FamilyBCases())),
                         FieldName);
INSTANTIATE_TEST_SUITE_P(FamilyC, StoredFieldPlace, ::testing::ValuesIn(StoredOnly(FamilyCCases())),
                         FieldName);

// Every field of every family has its place above, but the two that have none to change.
TEST(FieldPlaces, CoverEveryField) {
    const std::set<std::string> placeless{"edtGOFA_RelayPulseTime_Read", "edtGOFA_ProductName"};
    for (const FamilyCases& family : Families) {
        std::set<std::string> covered;
        for (const PlaceCase& c : family.cases()) {
            EXPECT_TRUE(covered.insert(c.field).second) << c.field << " twice";
            EXPECT_EQ(ProductTypeOfField(c.field), family.productType) << c.field;
        }
        for (const FieldRow& row : FieldRowsOf(FamilyOf(family.productType))) {
            EXPECT_TRUE(covered.count(row.name) != 0 || placeless.count(row.name) != 0)
                << family.name << ": " << row.name << " has no place";
        }
    }
}

} // namespace
} // namespace vorn
