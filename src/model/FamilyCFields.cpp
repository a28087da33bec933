#include "model/FamilyCFields.h"

#include "base/Utf8.h"
#include "model/BandTable.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

#include <array>
#include <cstdlib>

namespace vorn {

using namespace conversion;

namespace {

// Reference raw values of the potentiometer steps 1 to 11.
constexpr std::array<int, 11> PotentiometerSteps{1057, 1065, 1131, 1233, 1350, 1540,
                                                 1760, 2068, 2601, 3358, 3724};
constexpr int PotentiometerMinimum = 854;
constexpr int PotentiometerMaximum = 3893;
// Firmware from this version on reports the antenna type and the tamper status.
constexpr std::uint8_t FirmwareWithSwitchStatus = 0x10;

// Bits of the DIP switch byte as read.
constexpr int DipPower = 6;         // DIP7
constexpr int DipTamperAlarm = 5;   // DIP6
constexpr int DipRelay = 4;         // DIP5: relay source and polarity
constexpr int DipInputFunction = 3; // DIP4
constexpr int DipInputMode = 2;     // DIP3

constexpr IdentityFields Identity{"edtGOFA_ProductionDate", 117,
                                  "edtGOFA_Firmwaretype",   "edtGOFA_FirmwareVersion",
                                  "edtGOFA_ProductName",    "edtGOFA_SerialNumber"};

struct AlarmTypeField {
    const char* name;
    int address;
};
constexpr std::array<AlarmTypeField, 5> AlarmTypeFields{{
    {"cbbxGOFA_AlarmTypeButton", 64},
    {"cbbxGOFA_AlarmTypeTamper", 65},
    {"cbbxGOFA_AlarmTypeAntennaFailure", 66},
    {"cbbxGOFA_AlarmTypeExternalInput", 67},
    {"cbbxGOFA_AlarmTypeRadioTest", 68},
}};

std::string IdCode(int n) {
    return "edtGOFA_IdCode" + std::to_string(n);
}

FieldRow Choice(std::string name, CodeList CodeLists::*list, const char* listName, bool enabled = true) {
    return {.name = std::move(name),
            .kind = FieldKind::Choice,
            .list = list,
            .listName = listName,
            .enabled = enabled};
}
FieldRow ReadChoice(std::string name, CodeList CodeLists::*list, const char* listName) {
    return Choice(std::move(name), list, listName, false);
}
FieldRow Hex(std::string name) {
    return {.name = std::move(name), .maxLength = 4, .keyFilter = KeyFilterKind::HexCode};
}
FieldRow Number(std::string name, std::size_t maxLength) {
    return {.name = std::move(name), .maxLength = maxLength, .keyFilter = KeyFilterKind::Number};
}
FieldRow Display(std::string name, bool visible = true) {
    return {.name = std::move(name), .enabled = false, .visible = visible};
}

std::vector<FieldRow> BuildRows() {
    std::vector<FieldRow> rows{
        // Page tbsGofaRfid.
        Hex("edtGOFA_Position"),
        Display("edtGOFA_Position_Read"),
        Choice("cbbxGOFA_Zone", &CodeLists::HexDigits, "HexDigits"),
        Display("edtGOFA_Zone_Read"),
        Number("edtGOFA_RfidPower", 3),
        ReadChoice("cbbxGOFA_Power_Read", &CodeLists::PowerHighLow, "PowerHighLow"),
        ReadChoice("cbbxGOFA_AntennaType_Read", &CodeLists::AntennaTypes, "AntennaTypes"),
        Choice("cbbxGOFA_RelaySource", &CodeLists::RelaySources, "RelaySources"),
        Choice("cbbxGOFA_RelayPolarity", &CodeLists::RelayPolarities, "RelayPolarities"),
        {.name = "medtGOFA_RelayPulseTime", .maxLength = 6, .inputMask = PulseTimeMask('.')},
        ReadChoice("cbbxGOFA_RelaySource_Read", &CodeLists::RelaySources, "RelaySources"),
        ReadChoice("cbbxGOFA_RelayPolarity_Read", &CodeLists::RelayPolarities, "RelayPolarities"),
        Display("edtGOFA_RelayPulseTime_Read"),
        Choice("cbbxGOFA_TamperTransmitAlarm", &CodeLists::YesNo, "YesNo"),
        ReadChoice("cbbxGOFA_TamperTransmitAlarm_Read", &CodeLists::YesNo, "YesNo"),
        ReadChoice("cbbxGOFA_TamperStatus_Read", &CodeLists::TamperStatus, "TamperStatus"),
        Choice("cbbxGOFA_ExtInputFunction", &CodeLists::ExternalInputFunctions, "ExternalInputFunctions"),
        Choice("cbbxGOFA_ExtInputMode", &CodeLists::ExternalInputModes, "ExternalInputModes"),
        ReadChoice("cbbxGOFA_ExtInputFunction_Read", &CodeLists::ExternalInputFunctions,
                   "ExternalInputFunctions"),
        ReadChoice("cbbxGOFA_ExtInputMode_Read", &CodeLists::ExternalInputModes, "ExternalInputModes"),
        Display("edtGOFA_RotaryS1"),
        Display("edtGOFA_RotaryS2"),
        Display("edtGOFA_RotaryS3"),
        Display("edtGOFA_DipSwitch"),
        Display("edtGOFA_RfidVant"),
        Display("edtGOFA_Potentiometer_P1"),
        Display("edtGOFA_Firmwaretype"),
        Display("edtGOFA_FirmwareVersion"),
        Display("edtGOFA_ProductionDate"),
        Display("edtGOFA_ProductName"),
        Display("edtGOFA_SerialNumber"),
        Display("edtGOFA_RadioCalibration"),
        // Service fields, shown only in the service view.
        Display("edtGOFA_RadioTxPower", false),
        Display("edtGOFA_RadioProtocol", false),
        Display("edtGOFA_RfidProtocol", false),
        Display("edtGOFA_WatchdogReset", false),
    };
    // Page tbsGofaRadio.
    for (int n = 1; n <= 8; ++n) {
        rows.push_back(Hex(IdCode(n)));
    }
    rows.push_back(Choice("cbbxGOFA_SendAck", &CodeLists::YesNo, "YesNo"));
    rows.push_back(Number("edtGOFA_HalvoSystemId", 5));
    rows.push_back(Number("edtGOFA_GroupActivationCode", 3));
    rows.push_back(Choice("cbbxGOFA_RxFrequencyBand", &CodeLists::ReceiveBands, "ReceiveBands"));
    rows.push_back(Hex("edtGOFA_UnitIdCode"));
    rows.push_back(Number("edtGOFA_MaxShort", 2));
    rows.push_back(Number("edtGOFA_MaxLong", 2));
    rows.push_back(Number("edtGOFA_MaxBursts", 2));
    rows.push_back(Number("edtGOFA_TimeBetweenBursts", 2));
    rows.push_back(Choice("cbbxGOFA_IgnoreAck", &CodeLists::YesNo, "YesNo"));
    rows.push_back(Number("edtGOFA_RadioTestInterval", 5));
    rows.push_back(Choice("cbbxGOFA_TxFrequencyBand", &CodeLists::TransmitBands, "TransmitBands"));
    for (const AlarmTypeField& alarm : AlarmTypeFields) {
        rows.push_back(Choice(alarm.name, &CodeLists::AlarmTypes, "AlarmTypes"));
    }
    rows.push_back(Number("edtGOFA_EquipmentType", 3));
    return rows;
}

// The switch digit of a rotary switch byte: "0" to "F", empty beyond 15.
std::string SwitchDigit(const CodeLists& lists, std::uint8_t value) {
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

std::string PotentiometerText(const Image& image) {
    if (image[47] < FirmwareWithSwitchStatus) {
        return "---";
    }
    const int value = 256 * image[134] + image[135];
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

std::uint32_t Frequency(const Image& image, int address) {
    const auto a = static_cast<std::size_t>(address);
    return (static_cast<std::uint32_t>(image[a]) << 24) | (static_cast<std::uint32_t>(image[a + 1]) << 16) |
           (static_cast<std::uint32_t>(image[a + 2]) << 8) | image[a + 3];
}

void StoreFrequency(Image& image, int address, std::uint32_t frequency) {
    const auto a = static_cast<std::size_t>(address);
    image[a] = static_cast<std::uint8_t>(frequency >> 24);
    image[a + 1] = static_cast<std::uint8_t>(frequency >> 16);
    image[a + 2] = static_cast<std::uint8_t>(frequency >> 8);
    image[a + 3] = static_cast<std::uint8_t>(frequency);
}

// A band pair shows its band only when both frequencies belong to the same one.
bool ShowBand(const ConversionContext& c, std::string_view field, const CodeList& bands, const Image& image,
              int address) {
    const int first = BandOfFrequency(Frequency(image, address));
    const int second = BandOfFrequency(Frequency(image, address + 4));
    if (first != second) {
        c.fields.SetIndex(field, -1);
        return false;
    }
    return SelectCode(c, field, bands, first);
}

// A band without a selection, or one whose frequencies are unknown, keeps the eight bytes.
bool StoreBand(const ConversionContext& c, std::string_view field, const CodeList& bands, Image& image,
               int address) {
    if (!HasSelection(c, field)) {
        return false;
    }
    const int band = ShownCode(c, field, bands);
    const auto first = FirstFrequency(band);
    const auto second = SecondFrequency(band);
    if (!first || !second) {
        return false;
    }
    StoreFrequency(image, address, *first);
    StoreFrequency(image, address + 4, *second);
    return true;
}

// A choice stored only when it has a selection; false (byte kept) without one.
bool StoreSelected(const ConversionContext& c, std::string_view field, const CodeList& list, Image& image,
                   int address) {
    if (!HasSelection(c, field)) {
        return false;
    }
    image[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(ShownCode(c, field, list) & 0xFF);
    return true;
}

void StoreHex16(const ConversionContext& c, std::string_view field, Image& image, int address) {
    const Hex16 value = ParseHex16(TextOf(c, field));
    image[static_cast<std::size_t>(address)] = value.b0;
    image[static_cast<std::size_t>(address) + 1] = value.b1;
}

} // namespace

const std::vector<FieldRow>& FamilyCFieldRows() {
    static const std::vector<FieldRow> rows = BuildRows();
    return rows;
}

int FamilyCImageToFields(const ConversionContext& c, const Image& image) {
    const CodeLists& lists = c.lists;
    ConversionOutcome outcome;
    auto select = [&](std::string_view field, const CodeList& list, int code, int errorAddress) {
        if (!SelectCode(c, field, list, code) && errorAddress >= 0) {
            outcome.Fail(errorAddress);
        }
    };
    auto show = [&](std::string_view field, std::string text) { ShowText(c, field, std::move(text)); };
    const std::uint8_t dip = image[128];
    auto dipBit = [dip](int bit) { return (dip >> bit) & 1; };
    const bool switchStatus = image[47] >= FirmwareWithSwitchStatus;

    show("edtGOFA_Position_Read", "00" + SwitchDigit(lists, image[129]) + SwitchDigit(lists, image[130]));
    show("edtGOFA_Zone_Read", SwitchDigit(lists, image[131]));
    select("cbbxGOFA_Power_Read", lists.PowerHighLow, dipBit(DipPower), -1);
    if (switchStatus) {
        select("cbbxGOFA_AntennaType_Read", lists.AntennaTypes, image[137], 137);
    } else {
        c.fields.SetIndex("cbbxGOFA_AntennaType_Read", -1);
    }
    show("edtGOFA_Position", FormatHex16(image[21], image[22]));
    select("cbbxGOFA_Zone", lists.HexDigits, image[23], 23);
    show("edtGOFA_RfidPower", Decimal(image[24]));
    select("cbbxGOFA_RelaySource_Read", lists.RelaySources, dipBit(DipRelay), -1);
    select("cbbxGOFA_RelayPolarity_Read", lists.RelayPolarities, dipBit(DipRelay) ? 0 : 1, -1);
    show("edtGOFA_RelayPulseTime_Read", EncodeUtf8(std::u32string{U'3', c.decimalSeparator, U'0'}));
    select("cbbxGOFA_RelaySource", lists.RelaySources, image[25], 25);
    select("cbbxGOFA_RelayPolarity", lists.RelayPolarities, image[28] & 1, 28);
    ShowPulseTime(c, "medtGOFA_RelayPulseTime", image, 26);
    select("cbbxGOFA_TamperTransmitAlarm_Read", lists.YesNo, dipBit(DipTamperAlarm), -1);
    if (switchStatus) {
        select("cbbxGOFA_TamperStatus_Read", lists.TamperStatus, image[136], 136);
    } else {
        c.fields.SetIndex("cbbxGOFA_TamperStatus_Read", -1);
    }
    select("cbbxGOFA_TamperTransmitAlarm", lists.YesNo, image[29], 29);
    select("cbbxGOFA_ExtInputFunction_Read", lists.ExternalInputFunctions, dipBit(DipInputFunction), -1);
    select("cbbxGOFA_ExtInputMode_Read", lists.ExternalInputModes, dipBit(DipInputMode), -1);
    const int input = image[30];
    if (input >= 1 && input <= 4) {
        select("cbbxGOFA_ExtInputFunction", lists.ExternalInputFunctions, ((input - 1) >> 1) & 1, 30);
        select("cbbxGOFA_ExtInputMode", lists.ExternalInputModes, (input - 1) & 1, 30);
    } else {
        c.fields.SetIndex("cbbxGOFA_ExtInputFunction", -1);
        c.fields.SetIndex("cbbxGOFA_ExtInputMode", -1);
        outcome.Fail(30);
    }
    for (int s = 0; s < 3; ++s) {
        const int address = 129 + s;
        const std::string digit = SwitchDigit(lists, image[static_cast<std::size_t>(address)]);
        show("edtGOFA_RotaryS" + std::to_string(s + 1), digit);
        if (digit.empty()) {
            outcome.Fail(address);
        }
    }
    show("edtGOFA_DipSwitch", DipText(dip));
    show("edtGOFA_RfidVant", Decimal(256L * image[134] + image[135]));
    show("edtGOFA_Potentiometer_P1", PotentiometerText(image));
    if (!ShowIdentity(c, Identity, lists.DeviceNamesC, image)) {
        outcome.Fail(122);
    }
    show("edtGOFA_RadioCalibration", HexByte(image[112]) + HexByte(image[113]));
    show("edtGOFA_RadioProtocol", Decimal(image[115]));
    show("edtGOFA_RfidProtocol", Decimal(image[116]));
    show("edtGOFA_RadioTxPower", Decimal(image[114]));
    ShowWord(c, "edtGOFA_WatchdogReset", image, 132);
    for (int n = 1; n <= 8; ++n) {
        show(IdCode(n), FormatHex16(image[46 + 2 * n], image[47 + 2 * n]));
    }
    select("cbbxGOFA_SendAck", lists.YesNo, (image[37] >> 6) & 1, 37);
    ShowWord(c, "edtGOFA_HalvoSystemId", image, 16);
    show("edtGOFA_GroupActivationCode", Decimal(image[18]));
    if (!ShowBand(c, "cbbxGOFA_RxFrequencyBand", lists.ReceiveBands, image, 0)) {
        outcome.Fail(0);
    }
    show("edtGOFA_UnitIdCode", FormatHex16(image[32], image[33]));
    show("edtGOFA_MaxShort", Decimal(image[34] >> 4));
    show("edtGOFA_MaxLong", Decimal(image[34] & 0x0F));
    show("edtGOFA_MaxBursts", Decimal(image[35]));
    show("edtGOFA_TimeBetweenBursts", Decimal(image[36]));
    select("cbbxGOFA_IgnoreAck", lists.YesNo, (image[37] >> 7) & 1, 37);
    ShowWord(c, "edtGOFA_RadioTestInterval", image, 19);
    if (!ShowBand(c, "cbbxGOFA_TxFrequencyBand", lists.TransmitBands, image, 8)) {
        outcome.Fail(8);
    }
    for (const AlarmTypeField& alarm : AlarmTypeFields) {
        select(alarm.name, lists.AlarmTypes, image[static_cast<std::size_t>(alarm.address)], alarm.address);
    }
    show("edtGOFA_EquipmentType", Decimal(image[31]));
    return outcome.Result();
}

int FamilyCFieldsToImage(const ConversionContext& c, Image& image) {
    const CodeLists& lists = c.lists;
    ConversionOutcome outcome;
    auto storeOrFail = [&](std::string_view field, const CodeList& list, int address) {
        if (!StoreSelected(c, field, list, image, address)) {
            outcome.Fail(address);
        }
    };

    StoreSelected(c, "cbbxGOFA_AntennaType_Read", lists.AntennaTypes, image, 137);
    StoreHex16(c, "edtGOFA_Position", image, 21);
    storeOrFail("cbbxGOFA_Zone", lists.HexDigits, 23);
    image[24] = StoredByte(c, "edtGOFA_RfidPower");
    storeOrFail("cbbxGOFA_RelaySource", lists.RelaySources, 25);
    image[28] = ShownCode(c, "cbbxGOFA_RelayPolarity", lists.RelayPolarities) == 1 ? 1 : 0;
    if (!StorePulseTime(c, "medtGOFA_RelayPulseTime", image, 26)) {
        outcome.Fail(26);
    }
    StoreSelected(c, "cbbxGOFA_TamperStatus_Read", lists.TamperStatus, image, 136);
    storeOrFail("cbbxGOFA_TamperTransmitAlarm", lists.YesNo, 29);
    if (HasSelection(c, "cbbxGOFA_ExtInputFunction") && HasSelection(c, "cbbxGOFA_ExtInputMode")) {
        const int function = ShownCode(c, "cbbxGOFA_ExtInputFunction", lists.ExternalInputFunctions);
        const int mode = ShownCode(c, "cbbxGOFA_ExtInputMode", lists.ExternalInputModes);
        image[30] = static_cast<std::uint8_t>((1 + 2 * function + mode) & 0xFF);
    } else {
        image[30] = 0;
        outcome.Fail(30);
    }
    for (int s = 0; s < 3; ++s) {
        image[static_cast<std::size_t>(129 + s)] = static_cast<std::uint8_t>(
            CodeOfText(lists.HexDigits, TextOf(c, "edtGOFA_RotaryS" + std::to_string(s + 1))) & 0xFF);
    }
    const auto dip = ParseDipText(TextOf(c, "edtGOFA_DipSwitch"));
    image[128] = dip.value_or(0);
    if (!dip) {
        outcome.Fail(128);
    }
    StoreWord(c, "edtGOFA_RfidVant", image, 134);
    StoreIdentity(c, Identity, lists.DeviceNamesC, image);
    const std::string& calibration = TextOf(c, "edtGOFA_RadioCalibration");
    if (Utf8Length(calibration) == 4) {
        StoreHex16(c, "edtGOFA_RadioCalibration", image, 112);
    } else {
        image[112] = 0;
        image[113] = 0;
        outcome.Fail(112);
    }
    image[115] = StoredByte(c, "edtGOFA_RadioProtocol");
    image[116] = StoredByte(c, "edtGOFA_RfidProtocol");
    image[114] = StoredByte(c, "edtGOFA_RadioTxPower");
    StoreWord(c, "edtGOFA_WatchdogReset", image, 132);
    for (int n = 1; n <= 8; ++n) {
        StoreHex16(c, IdCode(n), image, 46 + 2 * n);
    }
    const bool sendAck = ShownCode(c, "cbbxGOFA_SendAck", lists.YesNo) == 1;
    StoreWord(c, "edtGOFA_HalvoSystemId", image, 16);
    image[18] = StoredByte(c, "edtGOFA_GroupActivationCode");
    if (!StoreBand(c, "cbbxGOFA_RxFrequencyBand", lists.ReceiveBands, image, 0)) {
        outcome.Fail(0);
    }
    StoreHex16(c, "edtGOFA_UnitIdCode", image, 32);
    const int maxShort = IntOrZero(TextOf(c, "edtGOFA_MaxShort"));
    const int maxLong = IntOrZero(TextOf(c, "edtGOFA_MaxLong"));
    const bool invalidCounts = maxShort > 15 || maxLong > 15 || (maxShort == 0 && maxLong == 0);
    image[34] = invalidCounts ? 0x33 : static_cast<std::uint8_t>((16 * maxShort + maxLong) & 0xFF);
    image[35] = StoredByte(c, "edtGOFA_MaxBursts");
    image[36] = StoredByte(c, "edtGOFA_TimeBetweenBursts");
    bool ignoreAck = false;
    if (HasSelection(c, "cbbxGOFA_IgnoreAck")) {
        ignoreAck = ShownCode(c, "cbbxGOFA_IgnoreAck", lists.YesNo) == 1;
    } else {
        outcome.Fail(37);
    }
    image[37] = static_cast<std::uint8_t>((sendAck ? 0x40 : 0) | (ignoreAck ? 0x80 : 0));
    StoreWord(c, "edtGOFA_RadioTestInterval", image, 19);
    if (!StoreBand(c, "cbbxGOFA_TxFrequencyBand", lists.TransmitBands, image, 8)) {
        outcome.Fail(8);
    }
    for (const AlarmTypeField& alarm : AlarmTypeFields) {
        storeOrFail(alarm.name, lists.AlarmTypes, alarm.address);
    }
    image[31] = StoredByte(c, "edtGOFA_EquipmentType");
    return outcome.Result();
}

} // namespace vorn
