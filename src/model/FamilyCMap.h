#pragma once

#include "model/SharedMap.h"

namespace vorn {

// The image layout of family C, the positioning unit: the place of every editor field. Both
// conversions of the family read and write the image only through these places. Settings that the
// unit also reads from its own switches have an override here and the switch values as read.
//
// The firmware type, the product-type byte and the serial number sit where every family keeps them
// (SharedMap) and are converted by the shared identity conversion, with the production date
// and firmware version named here. Addresses 38-45, 69-111, 120-121, 126-127 and 138-255 belong to
// no field and are never touched.
struct FamilyCMap {
    using Byte = layout::Byte;
    using Word = layout::Word;
    using Run = layout::Run;
    using Bit = layout::Bit;
    using Nibble = layout::Nibble;

    // Carrier frequencies in Hz, two per band.
    static constexpr Run ReceiveFrequency1{0, 4};
    static constexpr Run ReceiveFrequency2{4, 4};
    static constexpr Run TransmitFrequency1{8, 4};
    static constexpr Run TransmitFrequency2{12, 4};
    static constexpr Word HalvoSystemId{16};
    static constexpr Byte GroupActivationCode{18};
    static constexpr Word RadioTestInterval{19};
    // Overrides of the switch settings.
    static constexpr Word Position{21};
    static constexpr Byte Zone{23};
    static constexpr Byte RfidPower{24};
    static constexpr Byte RelaySource{25};
    static constexpr Word RelayPulseTime{26}; // tenths of a second
    // Holds only this flag and is stored whole.
    static constexpr Byte RelayFlags{28};
    static constexpr Bit RelayPolarity{RelayFlags.address, 0};
    static constexpr Byte TamperTransmitAlarm{29};
    // 1 + 2 × function code + mode code.
    static constexpr Byte ExternalInput{30};
    static constexpr Byte EquipmentType{31};
    static constexpr Word UnitIdCode = SharedMap::RadioId;
    static constexpr Nibble MaxShort{34, layout::Half::High};
    static constexpr Nibble MaxLong{34, layout::Half::Low};
    static constexpr Byte MaxBursts{35};
    static constexpr Byte TimeBetweenBursts{36};
    // Holds only these two flags and is stored whole.
    static constexpr Byte AckFlags{37};
    static constexpr Bit SendAck{AckFlags.address, 6};
    static constexpr Bit IgnoreAck{AckFlags.address, 7};
    static constexpr Byte FirmwareVersion = SharedMap::FirmwareVersion;
    // Receiver ID codes n = 1 to IdCodeCount.
    static constexpr int IdCodeCount = 8;
    static constexpr Word IdCode(int n) { return {46 + 2 * n}; }
    static constexpr Byte AlarmTypeButton{64};
    static constexpr Byte AlarmTypeTamper{65};
    static constexpr Byte AlarmTypeAntennaFailure{66};
    static constexpr Byte AlarmTypeExternalInput{67};
    static constexpr Byte AlarmTypeRadioTest{68};
    static constexpr Word RadioCalibration{112};
    static constexpr Byte RadioTxPower{114};
    static constexpr Byte RadioProtocol{115};
    static constexpr Byte RfidProtocol{116};
    static constexpr Run ProductionDate{117, 3}; // BCD YY MM DD
    // The switches as read: bit k is DIP switch k + 1.
    static constexpr Byte DipSwitches{128};
    static constexpr Bit DipPower{DipSwitches.address, 6};         // DIP7
    static constexpr Bit DipTamperAlarm{DipSwitches.address, 5};   // DIP6
    static constexpr Bit DipRelay{DipSwitches.address, 4};         // DIP5: relay source and polarity
    static constexpr Bit DipInputFunction{DipSwitches.address, 3}; // DIP4
    static constexpr Bit DipInputMode{DipSwitches.address, 2};     // DIP3
    // Rotary switches S1 to S3 as read.
    static constexpr int RotarySwitchCount = 3;
    static constexpr Byte RotarySwitch(int s) { return {128 + s}; }
    static constexpr Word WatchdogReset{132};
    static constexpr Word Potentiometer{134}; // raw value of P1
    static constexpr Byte TamperStatus{136};
    static constexpr Byte AntennaType{137};
};

// Fields that are stored together must share their byte.
static_assert(FamilyCMap::MaxShort.address == FamilyCMap::MaxLong.address);

} // namespace vorn
