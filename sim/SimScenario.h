#pragma once

#include "platform/Clock.h"
#include "sim/FaultRule.h"

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace vorn::sim {

using Memory = std::array<std::uint8_t, 256>;

// A family A or C device on the air: answers memory jobs addressed to its product type and serial
// number on its band.
struct MemoryDevice {
    std::uint8_t ProductType = 0x23;
    std::uint32_t SerialNumber = 1;
    std::uint8_t Band = 1;
    Memory Image{};
    // "02" answers before the device's own answer; negative: the scenario's PendingPolls.
    int PendingPolls = -1;
    // After a write of its band setting the device listens on the new band: a family A device takes
    // the band number at address 55, a family C device the band of the receive carrier frequency at
    // 0-3 (its address 55 is an ordinary setting).
    bool FollowsBand = true;
    bool Present = true;
};

// A family B unit: reached by its radio code once its button is pressed.
struct PresenceUnit {
    std::string RadioCode = "12AB";
    std::string TypeCode = "13"; // characters 6-7 of its answer to a device-code request
    Memory Image{};
    // The operator presses the button this long after a device-code request or a radio job for the
    // unit has started; negative: only when the test (or the bridge) calls PressButton.
    Millis PressAfter{-1};
    bool FailsJobs = false; // reports every radio job as failed
    bool Present = true;
};

// A transmitter that sends its radio code once, this long after the unit starts listening.
struct Transmitter {
    std::string Code = "4D2E";
    Millis After{500};
};

// Everything the simulated unit and its air hold: the unit's firmware settings, the devices, the
// transmitters, and the faults to inject.
struct SimScenario {
    static constexpr int Forever = INT_MAX;

    std::string VersionText = "17-1.05 KDU"; // 11 characters; CheckVersion reads 0, 1 and 3
    Millis ReplyDelay{2};                    // from the end of a command to the start of the answer
    int PendingPolls = 2;                    // "02" answers before a device answers a memory job
    int NoAnswerPolls = 2;                   // "02" answers before "05" when no device answers
    Millis AirTime{300};                     // a family B transfer after the button press
    Millis RadioJobTimeout{30000};           // a radio job without contact ends with "05"
    Millis CodeRequestTimeout{30000};        // a device-code request without answer ends with "04"
    std::size_t MaxEntries = 8;              // read or write entries the unit holds (each list)
    // The port exists but this user may not open it (a missing group membership).
    bool OpenDenied = false;

    std::vector<MemoryDevice> Devices;
    std::vector<PresenceUnit> PresenceUnits;
    std::vector<Transmitter> Transmitters;
    std::vector<FaultRule> Faults;
};

} // namespace vorn::sim
