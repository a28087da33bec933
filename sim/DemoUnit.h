#pragma once

#include "sim/SimScenario.h"

#include <cstdint>
#include <string>
#include <string_view>

// The demo unit: the simulated interface unit with one device of every family at fixed, documented
// places, so every communication command can be tried without hardware (vornctl --simulate,
// vorn-kdu-sim --demo). The README lists these values.
namespace vorn::sim {

// The identity a simulated unit's memory tells, at the places where every family keeps it.
void StoreIdentity(Memory& image, std::uint8_t productType, std::uint32_t serial);
void StoreRadioCode(Memory& image, std::uint16_t code);
// The radio code in the memory, as four upper-case hexadecimal digits.
std::string RadioCodeOf(const Memory& image);
// True for the two bytes of the radio code.
bool IsRadioCodeAddress(std::uint32_t address);

struct DemoDevices {
    // Family A: a TARV transmitter.
    static constexpr std::uint8_t FamilyAType = 0x23;
    static constexpr std::uint32_t FamilyASerial = 1001;
    static constexpr std::string_view FamilyARadioId = "1234";
    // Family C: a DADIDU positioning unit.
    static constexpr std::uint8_t FamilyCType = 0x4B;
    static constexpr std::uint32_t FamilyCSerial = 3001;
    static constexpr std::string_view FamilyCRadioId = "3456";
    // Both listen on band 1 (869.2125 MHz, the first band of Europe).
    static constexpr std::uint8_t Band = 1;
    // Family B: a HESK presence unit, whose button is pressed this long after a request.
    static constexpr std::uint8_t FamilyBType = 0x2A;
    static constexpr std::uint32_t FamilyBSerial = 2001;
    static constexpr std::string_view PresenceCode = "12AB";
    static constexpr Millis ButtonPress{1500};
    // A transmitter that sends its code this long after the unit starts listening.
    static constexpr std::string_view TransmitterCode = "4D2E";
    static constexpr Millis TransmitterAfter{1000};
};

// The demo scenario. The devices' memories start as the Europe defaults of their models from the
// installation folder's DefaultConfig (left as zeros with the device's identity when a file is
// missing), with the identities above written in.
SimScenario DemoScenario(const std::string& installFolder);

} // namespace vorn::sim
