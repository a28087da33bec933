#pragma once

#include "model/SharedMap.h"

namespace vorn {

// The image layout of family A, the nine transmitter models: the place of every editor field. Both
// conversions of the family read and write the image only through these places. Row places take the
// row: user events n = 1 to 7, radio events n = 1 to 8, actions i = 1 to 15.
//
// The firmware type, the product-type byte and the serial number sit where every family keeps them
// (SharedMap) and are converted by the shared identity conversion, with the production date
// and firmware version named here. Addresses 0-31, 37-38, 63, 94-95, 117-121, 126, 143, 159, 175 and
// 248-255 belong to no field and are never touched.
struct FamilyAMap {
    // The rows of the three tables.
    static constexpr int UserEventCount = 7;
    static constexpr int RadioEventCount = 8;
    static constexpr int ActionCount = 15;
    // An action reference names action i as i - 1; the code after the last action means none.
    static constexpr int NoActionReference = ActionCount;

    using Byte = layout::Byte;
    using Word = layout::Word;
    using Run = layout::Run;
    using Bit = layout::Bit;
    using Nibble = layout::Nibble;
    static constexpr layout::Half High = layout::Half::High;
    static constexpr layout::Half Low = layout::Half::Low;

    // Page tbsButtons.
    // Shown from the low nibble, stored as the whole byte.
    static constexpr Byte UserEvent5InputType{43};
    static constexpr Nibble UserEvent6InputType{44, High};
    static constexpr Nibble UserEvent7InputType{44, Low};
    static constexpr Byte CableLength{62};
    static constexpr Byte UserEventConditionA(int n) { return {95 + n}; }
    static constexpr Byte UserEventConditionB(int n) { return {102 + n}; }
    // The high nibble belongs to no field and is kept.
    static constexpr Nibble UserEventActionReference(int n) { return {109 + n, Low}; }

    // Page tbsRadioEvents. Each code has a wildcard mask of one bit per digit.
    static constexpr Word RadioEventPositionId(int n) { return {174 + 2 * n}; }
    static constexpr Nibble RadioEventPositionMask(int n) { return {207 + n, Low}; }
    static constexpr Word RadioEventRadioId(int n) { return {190 + 2 * n}; }
    static constexpr Nibble RadioEventRadioMask(int n) { return {207 + n, High}; }
    static constexpr Byte RadioEventAlarmType(int n) { return {215 + n}; }
    static constexpr Byte RadioEventConditionA(int n) { return {223 + n}; }
    static constexpr Byte RadioEventConditionB(int n) { return {231 + n}; }
    static constexpr Nibble RadioEventUserType(int n) { return {239 + n, High}; }
    static constexpr Nibble RadioEventActionReference(int n) { return {239 + n, Low}; }

    // Page tbsActions. A radio ID of 0x0000 makes the action automatic.
    static constexpr Word ActionRadioId(int i) { return {62 + 2 * i}; }
    static constexpr Byte ActionAlarmType(int i) { return {127 + i}; }
    static constexpr Byte ActionRelay1(int i) { return {143 + i}; }
    static constexpr Byte ActionRelay2(int i) { return {159 + i}; }

    // Page tbsPreferences.
    static constexpr Word UnitRadioId = SharedMap::RadioId;
    static constexpr Run ProductionDate{34, 3}; // BCD YY MM DD
    static constexpr Byte RadioTestAlarmInterval{39};
    static constexpr Byte MissedAckBeforeSleep{40};
    static constexpr Byte BatteryCheckInterval{41};
    // Holds only these three flags and is stored whole.
    static constexpr Byte OutputFlags{42};
    static constexpr Bit Output1Contact{OutputFlags.address, 7};
    static constexpr Bit Output2Contact{OutputFlags.address, 6};
    static constexpr Bit CheckBatteryIn24V{OutputFlags.address, 0};
    static constexpr Byte EquipmentType{45};
    static constexpr Byte FirmwareVersion = SharedMap::FirmwareVersion;
    // The one firmware major version whose memory this map describes.
    static constexpr int FirmwareMajor = 2;
    // Holds only these two flags and is stored whole.
    static constexpr Byte AckFlags{48};
    static constexpr Bit SendAck{AckFlags.address, 0};
    static constexpr Bit IgnoreAck{AckFlags.address, 1};
    static constexpr Word PulseActivationTime{49}; // tenths of a second
    static constexpr Nibble MaxShortTx{51, High};
    static constexpr Nibble MaxLongTx{51, Low};
    static constexpr Byte MaxNumberOfBursts{52};
    static constexpr Byte TimeBetweenBursts{53};
    static constexpr Byte TxFrequencyBand{54};
    static constexpr Byte RxFrequencyBand{55};
    static constexpr Word HalvoSystemId{56};
    static constexpr Byte Output1GroupActivationCode1{58};
    static constexpr Byte Output1GroupActivationCode2{59};
    static constexpr Byte Output2GroupActivationCode1{60};
    static constexpr Byte Output2GroupActivationCode2{61};
    static constexpr Byte RadioCalibration{127};
};

// Fields that are stored together must share their byte.
static_assert(FamilyAMap::UserEvent6InputType.address == FamilyAMap::UserEvent7InputType.address);
static_assert(FamilyAMap::MaxShortTx.address == FamilyAMap::MaxLongTx.address);

} // namespace vorn
