#include "link/KduProtocol.h"

#include "base/NumberText.h"

namespace vorn {

namespace {

std::uint8_t Checksum(std::string_view payload) {
    unsigned sum = 0;
    for (const char ch : payload) {
        sum += static_cast<unsigned char>(ch);
    }
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

} // namespace

bool IsValidFrame(std::span<const std::uint8_t> collected) {
    const std::size_t length = collected.size();
    if (length < kdu::FrameOverhead || collected.front() != Stx || collected.back() != Etx) {
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = 1; i + 3 < length; ++i) {
        sum = (sum + collected[i]) & 0xFFu;
    }
    const int value = kdu::ChecksumDigitValue(static_cast<char>(collected[length - 3])) * 16 +
                      kdu::ChecksumDigitValue(static_cast<char>(collected[length - 2]));
    return value == static_cast<int>(sum);
}

namespace kdu {

int ChecksumDigitValue(char ch) {
    const int code = static_cast<unsigned char>(ch);
    return code <= '9' ? code - '0' : code - 'A' + 10;
}

std::string FrameOf(std::string_view payload) {
    std::string frame;
    frame += static_cast<char>(Stx);
    frame.append(payload);
    frame += HexByte(Checksum(payload));
    frame += static_cast<char>(Etx);
    return frame;
}

std::string_view PayloadOf(std::string_view frame) {
    if (frame.size() >= FrameOverhead) {
        return frame.substr(1, frame.size() - FrameOverhead);
    }
    return frame.empty() ? frame : frame.substr(1);
}

std::string_view Cut(std::string_view text, TextField field) {
    return text.size() >= field.offset + field.length ? text.substr(field.offset, field.length)
                                                      : std::string_view{};
}

std::string ReadEntryText(std::uint8_t count, std::uint8_t address) {
    return HexByte(count) + HexByte(address);
}

} // namespace kdu

} // namespace vorn
