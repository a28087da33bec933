#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The serial numbers of a batch: "1001,1005-1009", or "@PATH" naming a file with one serial number
// (or range) a line and "#" comments. The list is taken whole or not at all: one bad entry refuses
// it, so a typing error never sends a write to a device the operator did not mean.
namespace vorn::cli {

class SerialList {
public:
    static constexpr std::uint32_t MinSerial = 1;
    static constexpr std::uint32_t MaxSerial = 16777215;
    // A building's worth of devices, with room to spare; more is surely a mistyped range.
    static constexpr std::size_t MaxEntries = 10000;
    // A list file larger than this holds no list of at most MaxEntries serial numbers.
    static constexpr std::size_t MaxFileBytes = 1024 * 1024;

    // The serial numbers in the order given; empty with a reason in error when the text is refused.
    static std::vector<std::uint32_t> Parse(std::string_view text, std::string& error);
    // As Parse; "@PATH" reads the file first (the error then names it, and the line).
    static std::vector<std::uint32_t> FromArgument(std::string_view argument, std::string& error);
};

} // namespace vorn::cli
