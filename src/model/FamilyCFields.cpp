#include "model/FamilyCFields.h"

#include "base/Utf8.h"
#include "model/BandTable.h"
#include "model/FamilyCMap.h"
#include "model/PulseTime.h"
#include "model/ValueHelpers.h"

#include <array>
#include <cstdlib>

namespace vorn {

using namespace conversion;
using layout::Get;
using layout::High;
using layout::Low;
using layout::Placed;
using layout::Put;

namespace {

using Map = FamilyCMap;

// Reference raw values of the potentiometer steps 1 to 11.
constexpr std::array<int, 11> PotentiometerSteps{1057, 1065, 1131, 1233, 1350, 1540,
                                                 1760, 2068, 2601, 3358, 3724};
constexpr int PotentiometerMinimum = 854;
constexpr int PotentiometerMaximum = 3893;
// Firmware from this version on reports the antenna type and the tamper status.
constexpr std::uint8_t FirmwareWithSwitchStatus = 0x10;

constexpr IdentityFields Identity{"edtGOFA_ProductionDate", Map::ProductionDate.address,
                                  "edtGOFA_Firmwaretype",   "edtGOFA_FirmwareVersion",
                                  "edtGOFA_ProductName",    "edtGOFA_SerialNumber"};

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
    for (int n = 1; n <= Map::IdCodeCount; ++n) {
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
    if (Get(image, Map::FirmwareVersion) < FirmwareWithSwitchStatus) {
        return "---";
    }
    const int value = static_cast<int>(Get(image, Map::Potentiometer));
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

// A band is kept as its two carrier frequencies.
struct BandPlace {
    layout::Run first;
    layout::Run second;
};
constexpr BandPlace ReceiveBand{Map::ReceiveFrequency1, Map::ReceiveFrequency2};
constexpr BandPlace TransmitBand{Map::TransmitFrequency1, Map::TransmitFrequency2};

// A band pair shows its band only when both frequencies belong to the same one.
bool ShowBand(const ConversionContext& c, std::string_view field, const CodeList& bands, const Image& image,
              BandPlace place) {
    const int first = BandOfFrequency(Get(image, place.first));
    const int second = BandOfFrequency(Get(image, place.second));
    if (first != second) {
        c.fields.SetIndex(field, -1);
        return false;
    }
    return SelectCode(c, field, bands, first);
}

// A band without a selection, or one whose frequencies are unknown, keeps the eight bytes.
bool StoreBand(const ConversionContext& c, std::string_view field, const CodeList& bands, Image& image,
               BandPlace place) {
    if (!HasSelection(c, field)) {
        return false;
    }
    const int band = ShownCode(c, field, bands);
    const auto first = FirstFrequency(band);
    const auto second = SecondFrequency(band);
    if (!first || !second) {
        return false;
    }
    Put(image, place.first, *first);
    Put(image, place.second, *second);
    return true;
}

// A choice stored only when it has a selection; false (byte kept) without one.
bool StoreSelected(const ConversionContext& c, std::string_view field, const CodeList& list, Image& image,
                   layout::Byte place) {
    if (!HasSelection(c, field)) {
        return false;
    }
    Put(image, place, ShownCode(c, field, list));
    return true;
}

void ShowHex16(const ConversionContext& c, std::string_view field, const Image& image, layout::Word place) {
    ShowText(c, field, FormatHex16(High(image, place), Low(image, place)));
}

void StoreHex16(const ConversionContext& c, std::string_view field, Image& image, layout::Word place) {
    const Hex16 value = ParseHex16(TextOf(c, field));
    Put(image, place, value.b0, value.b1);
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
    // A choice selected by the value at its place; a value without an item records the place.
    auto selectAt = [&](std::string_view field, const CodeList& list, auto place) {
        select(field, list, Get(image, place), place.address);
    };
    // A read-of-switches choice: code 1 when the DIP switch is on; it records no error.
    auto selectDip = [&](std::string_view field, const CodeList& list, layout::Bit place) {
        select(field, list, Get(image, place), -1);
    };
    auto show = [&](std::string_view field, std::string text) { ShowText(c, field, std::move(text)); };
    auto showNumber = [&](std::string_view field, layout::Byte place) {
        show(field, Decimal(Get(image, place)));
    };
    auto digit = [&](int s) { return SwitchDigit(lists, Get(image, Map::RotarySwitch(s))); };
    const bool switchStatus = Get(image, Map::FirmwareVersion) >= FirmwareWithSwitchStatus;

    show("edtGOFA_Position_Read", "00" + digit(1) + digit(2));
    show("edtGOFA_Zone_Read", digit(3));
    selectDip("cbbxGOFA_Power_Read", lists.PowerHighLow, Map::DipPower);
    if (switchStatus) {
        selectAt("cbbxGOFA_AntennaType_Read", lists.AntennaTypes, Map::AntennaType);
    } else {
        c.fields.SetIndex("cbbxGOFA_AntennaType_Read", -1);
    }
    ShowHex16(c, "edtGOFA_Position", image, Map::Position);
    selectAt("cbbxGOFA_Zone", lists.HexDigits, Map::Zone);
    showNumber("edtGOFA_RfidPower", Map::RfidPower);
    selectDip("cbbxGOFA_RelaySource_Read", lists.RelaySources, Map::DipRelay);
    select("cbbxGOFA_RelayPolarity_Read", lists.RelayPolarities, Get(image, Map::DipRelay) ? 0 : 1, -1);
    show("edtGOFA_RelayPulseTime_Read", EncodeUtf8(std::u32string{U'3', c.decimalSeparator, U'0'}));
    selectAt("cbbxGOFA_RelaySource", lists.RelaySources, Map::RelaySource);
    selectAt("cbbxGOFA_RelayPolarity", lists.RelayPolarities, Map::RelayPolarity);
    ShowPulseTime(c, "medtGOFA_RelayPulseTime", image, Map::RelayPulseTime.address);
    selectDip("cbbxGOFA_TamperTransmitAlarm_Read", lists.YesNo, Map::DipTamperAlarm);
    if (switchStatus) {
        selectAt("cbbxGOFA_TamperStatus_Read", lists.TamperStatus, Map::TamperStatus);
    } else {
        c.fields.SetIndex("cbbxGOFA_TamperStatus_Read", -1);
    }
    selectAt("cbbxGOFA_TamperTransmitAlarm", lists.YesNo, Map::TamperTransmitAlarm);
    selectDip("cbbxGOFA_ExtInputFunction_Read", lists.ExternalInputFunctions, Map::DipInputFunction);
    selectDip("cbbxGOFA_ExtInputMode_Read", lists.ExternalInputModes, Map::DipInputMode);
    const int input = Get(image, Map::ExternalInput);
    const int inputAddress = Map::ExternalInput.address;
    if (input >= 1 && input <= 4) {
        select("cbbxGOFA_ExtInputFunction", lists.ExternalInputFunctions, ((input - 1) >> 1) & 1,
               inputAddress);
        select("cbbxGOFA_ExtInputMode", lists.ExternalInputModes, (input - 1) & 1, inputAddress);
    } else {
        c.fields.SetIndex("cbbxGOFA_ExtInputFunction", -1);
        c.fields.SetIndex("cbbxGOFA_ExtInputMode", -1);
        outcome.Fail(inputAddress);
    }
    for (int s = 1; s <= 3; ++s) {
        const std::string shown = digit(s);
        show("edtGOFA_RotaryS" + std::to_string(s), shown);
        if (shown.empty()) {
            outcome.Fail(Map::RotarySwitch(s).address);
        }
    }
    show("edtGOFA_DipSwitch", DipText(Get(image, Map::DipSwitches)));
    show("edtGOFA_RfidVant", Decimal(Get(image, Map::Potentiometer)));
    show("edtGOFA_Potentiometer_P1", PotentiometerText(image));
    if (!ShowIdentity(c, Identity, lists.DeviceNamesC, image)) {
        outcome.Fail(ProductTypeAddress);
    }
    show("edtGOFA_RadioCalibration",
         HexByte(High(image, Map::RadioCalibration)) + HexByte(Low(image, Map::RadioCalibration)));
    showNumber("edtGOFA_RadioProtocol", Map::RadioProtocol);
    showNumber("edtGOFA_RfidProtocol", Map::RfidProtocol);
    showNumber("edtGOFA_RadioTxPower", Map::RadioTxPower);
    ShowWord(c, "edtGOFA_WatchdogReset", image, Map::WatchdogReset.address);
    for (int n = 1; n <= Map::IdCodeCount; ++n) {
        ShowHex16(c, IdCode(n), image, Map::IdCode(n));
    }
    selectAt("cbbxGOFA_SendAck", lists.YesNo, Map::SendAck);
    ShowWord(c, "edtGOFA_HalvoSystemId", image, Map::HalvoSystemId.address);
    showNumber("edtGOFA_GroupActivationCode", Map::GroupActivationCode);
    if (!ShowBand(c, "cbbxGOFA_RxFrequencyBand", lists.ReceiveBands, image, ReceiveBand)) {
        outcome.Fail(ReceiveBand.first.address);
    }
    ShowHex16(c, "edtGOFA_UnitIdCode", image, Map::UnitIdCode);
    show("edtGOFA_MaxShort", Decimal(Get(image, Map::MaxShort)));
    show("edtGOFA_MaxLong", Decimal(Get(image, Map::MaxLong)));
    showNumber("edtGOFA_MaxBursts", Map::MaxBursts);
    showNumber("edtGOFA_TimeBetweenBursts", Map::TimeBetweenBursts);
    selectAt("cbbxGOFA_IgnoreAck", lists.YesNo, Map::IgnoreAck);
    ShowWord(c, "edtGOFA_RadioTestInterval", image, Map::RadioTestInterval.address);
    if (!ShowBand(c, "cbbxGOFA_TxFrequencyBand", lists.TransmitBands, image, TransmitBand)) {
        outcome.Fail(TransmitBand.first.address);
    }
    for (const AlarmTypeField& alarm : AlarmTypeFields) {
        selectAt(alarm.name, lists.AlarmTypes, alarm.place);
    }
    showNumber("edtGOFA_EquipmentType", Map::EquipmentType);
    return outcome.Result();
}

int FamilyCFieldsToImage(const ConversionContext& c, Image& image) {
    const CodeLists& lists = c.lists;
    ConversionOutcome outcome;
    auto storeOrFail = [&](std::string_view field, const CodeList& list, layout::Byte place) {
        if (!StoreSelected(c, field, list, image, place)) {
            outcome.Fail(place.address);
        }
    };
    auto storeByte = [&](std::string_view field, layout::Byte place) {
        Put(image, place, StoredByte(c, field));
    };

    StoreSelected(c, "cbbxGOFA_AntennaType_Read", lists.AntennaTypes, image, Map::AntennaType);
    StoreHex16(c, "edtGOFA_Position", image, Map::Position);
    storeOrFail("cbbxGOFA_Zone", lists.HexDigits, Map::Zone);
    storeByte("edtGOFA_RfidPower", Map::RfidPower);
    storeOrFail("cbbxGOFA_RelaySource", lists.RelaySources, Map::RelaySource);
    Put(image, Map::RelayFlags,
        Placed(Map::RelayPolarity, ShownCode(c, "cbbxGOFA_RelayPolarity", lists.RelayPolarities) == 1));
    if (!StorePulseTime(c, "medtGOFA_RelayPulseTime", image, Map::RelayPulseTime.address)) {
        outcome.Fail(Map::RelayPulseTime.address);
    }
    StoreSelected(c, "cbbxGOFA_TamperStatus_Read", lists.TamperStatus, image, Map::TamperStatus);
    storeOrFail("cbbxGOFA_TamperTransmitAlarm", lists.YesNo, Map::TamperTransmitAlarm);
    if (HasSelection(c, "cbbxGOFA_ExtInputFunction") && HasSelection(c, "cbbxGOFA_ExtInputMode")) {
        const int function = ShownCode(c, "cbbxGOFA_ExtInputFunction", lists.ExternalInputFunctions);
        const int mode = ShownCode(c, "cbbxGOFA_ExtInputMode", lists.ExternalInputModes);
        Put(image, Map::ExternalInput, 1 + 2 * function + mode);
    } else {
        Put(image, Map::ExternalInput, 0);
        outcome.Fail(Map::ExternalInput.address);
    }
    for (int s = 1; s <= 3; ++s) {
        Put(image, Map::RotarySwitch(s),
            CodeOfText(lists.HexDigits, TextOf(c, "edtGOFA_RotaryS" + std::to_string(s))));
    }
    const auto dip = ParseDipText(TextOf(c, "edtGOFA_DipSwitch"));
    Put(image, Map::DipSwitches, dip.value_or(0));
    if (!dip) {
        outcome.Fail(Map::DipSwitches.address);
    }
    StoreWord(c, "edtGOFA_RfidVant", image, Map::Potentiometer.address);
    StoreIdentity(c, Identity, lists.DeviceNamesC, image);
    const std::string& calibration = TextOf(c, "edtGOFA_RadioCalibration");
    if (Utf8Length(calibration) == 4) {
        StoreHex16(c, "edtGOFA_RadioCalibration", image, Map::RadioCalibration);
    } else {
        Put(image, Map::RadioCalibration, 0, 0);
        outcome.Fail(Map::RadioCalibration.address);
    }
    storeByte("edtGOFA_RadioProtocol", Map::RadioProtocol);
    storeByte("edtGOFA_RfidProtocol", Map::RfidProtocol);
    storeByte("edtGOFA_RadioTxPower", Map::RadioTxPower);
    StoreWord(c, "edtGOFA_WatchdogReset", image, Map::WatchdogReset.address);
    for (int n = 1; n <= Map::IdCodeCount; ++n) {
        StoreHex16(c, IdCode(n), image, Map::IdCode(n));
    }
    const bool sendAck = ShownCode(c, "cbbxGOFA_SendAck", lists.YesNo) == 1;
    StoreWord(c, "edtGOFA_HalvoSystemId", image, Map::HalvoSystemId.address);
    storeByte("edtGOFA_GroupActivationCode", Map::GroupActivationCode);
    if (!StoreBand(c, "cbbxGOFA_RxFrequencyBand", lists.ReceiveBands, image, ReceiveBand)) {
        outcome.Fail(ReceiveBand.first.address);
    }
    StoreHex16(c, "edtGOFA_UnitIdCode", image, Map::UnitIdCode);
    const int maxShort = IntOrZero(TextOf(c, "edtGOFA_MaxShort"));
    const int maxLong = IntOrZero(TextOf(c, "edtGOFA_MaxLong"));
    // An invalid pair is stored as three and three, without an error.
    const bool invalidCounts = maxShort > 15 || maxLong > 15 || (maxShort == 0 && maxLong == 0);
    Put(image, layout::Byte{Map::MaxShort.address},
        invalidCounts ? Placed(Map::MaxShort, 3) + Placed(Map::MaxLong, 3)
                      : Placed(Map::MaxShort, maxShort) + Placed(Map::MaxLong, maxLong));
    storeByte("edtGOFA_MaxBursts", Map::MaxBursts);
    storeByte("edtGOFA_TimeBetweenBursts", Map::TimeBetweenBursts);
    bool ignoreAck = false;
    if (HasSelection(c, "cbbxGOFA_IgnoreAck")) {
        ignoreAck = ShownCode(c, "cbbxGOFA_IgnoreAck", lists.YesNo) == 1;
    } else {
        outcome.Fail(Map::IgnoreAck.address);
    }
    Put(image, Map::AckFlags, Placed(Map::SendAck, sendAck) | Placed(Map::IgnoreAck, ignoreAck));
    StoreWord(c, "edtGOFA_RadioTestInterval", image, Map::RadioTestInterval.address);
    if (!StoreBand(c, "cbbxGOFA_TxFrequencyBand", lists.TransmitBands, image, TransmitBand)) {
        outcome.Fail(TransmitBand.first.address);
    }
    for (const AlarmTypeField& alarm : AlarmTypeFields) {
        storeOrFail(alarm.name, lists.AlarmTypes, alarm.place);
    }
    storeByte("edtGOFA_EquipmentType", Map::EquipmentType);
    return outcome.Result();
}

} // namespace vorn
