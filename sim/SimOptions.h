#pragma once

#include "sim/SimScenario.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorn::sim {

// Texts of the simulator's command line, each turned into a part of the scenario. On failure the
// result is empty and error says why.

// "TYPE:SERIAL[:BAND[:FILE]]": product type in hexadecimal (23, 0x4B), serial number and band in
// decimal (band 1 when left out), and a 256-byte image file as the device's memory.
std::optional<MemoryDevice> ParseMemoryDevice(std::string_view text, std::string& error);
// "CODE[:TYPE[:PRESS_MS[:FILE]]]": radio code (4 hexadecimal digits), answer type ("13" when left
// out), the button pressed this long after a request (1000 ms when left out; "-" never) and an image.
std::optional<PresenceUnit> ParsePresenceUnit(std::string_view text, std::string& error);
// "CODE[:AFTER_MS]": a transmitter that sends its code this long after listening starts (500 ms).
std::optional<Transmitter> ParseTransmitter(std::string_view text, std::string& error);

} // namespace vorn::sim
