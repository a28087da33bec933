// Reply collection and frame check: any bytes, in any pieces, at any times, never read or write
// outside the link's buffers, and a result always agrees with its output.
#include "ScriptedUnit.h"
#include "link/KduLink.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vorn;
    if (size < 3) {
        return 0;
    }
    // Header: expected payload length, size of the pieces, gap between them (up to 255 ms, so gaps
    // below and above the 200 ms wait both occur).
    const int expectedLength = data[0] % 13;
    const std::size_t piece = 1 + data[1] % 32;
    const Millis gap{data[2]};
    const std::uint8_t* body = data + 3;
    const std::size_t bodySize = size - 3;

    VirtualClock clock;
    TraceSink trace(16);
    fuzz::ScriptedUnit unit(clock);
    KduLink link(unit, clock, trace);
    if (link.Open() != 0) {
        __builtin_trap();
    }
    Millis at{0};
    for (std::size_t offset = 0; offset < bodySize; offset += piece) {
        const std::size_t length = bodySize - offset < piece ? bodySize - offset : piece;
        unit.SendAt(at, std::string(reinterpret_cast<const char*>(body + offset), length));
        at += gap;
    }
    std::string output;
    const int result = link.ReceiveReply(output, KduLink::FirstWait, expectedLength);
    const bool consistent =
        result >= 0 && result <= static_cast<int>(KduLink::ReceiveAreaSize) - 4 + 1 &&
        (result == 0 ? output.empty() : output.size() == static_cast<std::size_t>(result));
    if (!consistent) {
        __builtin_trap();
    }
    IsValidFrame(std::span<const std::uint8_t>(body, bodySize));
    link.Close();
    return 0;
}
