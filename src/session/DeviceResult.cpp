#include "session/DeviceResult.h"

namespace vorn {

std::vector<AddressRange> RangesInState(const ProgData::States& states, ByteState state) {
    std::vector<AddressRange> ranges;
    for (int address = 0; address < ProgData::ImageSize; ++address) {
        if (states[static_cast<std::size_t>(address)] != state) {
            continue;
        }
        if (!ranges.empty() && ranges.back().last == address - 1) {
            ranges.back().last = address;
        } else {
            ranges.push_back({address, address});
        }
    }
    return ranges;
}

std::string RangesText(const std::vector<AddressRange>& ranges) {
    std::string text;
    for (const AddressRange& range : ranges) {
        text += (text.empty() ? "" : ", ") + std::to_string(range.first) +
                (range.last != range.first ? "-" + std::to_string(range.last) : std::string());
    }
    return text;
}

} // namespace vorn
