#pragma once

#include "model/SharedMap.h"

namespace vorn {

// The image layout of family B, the presence units: the place of every editor field. Both conversions
// of the family read and write the image only through these places.
//
// The firmware type, the product-type byte and the serial number sit where every family keeps them
// (SharedMap) and are converted by the shared identity conversion, with the production date
// and firmware version named here. Every other address belongs to no field and is never touched.
struct FamilyBMap {
    using Byte = layout::Byte;
    using Word = layout::Word;
    using Run = layout::Run;
    using Bit = layout::Bit;
    using Nibble = layout::Nibble;

    static constexpr Word RadioId = SharedMap::RadioId;
    static constexpr Run ProductionDate{34, 3}; // BCD YY MM DD
    static constexpr Byte RadioTestAlarmInterval{39};
    static constexpr Byte MissedAck{40};
    static constexpr Byte BatteryCheckInterval{41};
    // Holds only this flag and is stored whole.
    static constexpr Byte BatteryFlags{42};
    static constexpr Bit CheckBatteryIn24V{BatteryFlags.address, 0};
    static constexpr Byte EquipmentType{43};
    static constexpr Byte FirmwareVersion = SharedMap::FirmwareVersion;
    // Firmware from this major version on keeps its memory otherwise.
    static constexpr int FirstUnknownFirmwareMajor = 2;
    // Holds only these two flags and is stored whole. Bit 0 is the radio control mode here, where
    // family A keeps send acknowledge.
    static constexpr Byte RadioFlags{48};
    static constexpr Bit RadioControlMode{RadioFlags.address, 0};
    static constexpr Bit IgnoreAck{RadioFlags.address, 1};
    static constexpr Byte AutoReadyTime{49};
    // Holds only these two flags and is stored whole.
    static constexpr Byte PresenceFlags{50};
    static constexpr Bit SingleButtonPresence{PresenceFlags.address, 0};
    static constexpr Bit LedFlashIndication{PresenceFlags.address, 1};
    static constexpr Nibble MaxShortTx{51, layout::Half::High};
    static constexpr Nibble MaxLongTx{51, layout::Half::Low};
    static constexpr Byte MaxNumberOfBursts{52};
    static constexpr Byte RadioCalibration{127};
};

// Fields that are stored together must share their byte.
static_assert(FamilyBMap::MaxShortTx.address == FamilyBMap::MaxLongTx.address);

} // namespace vorn
