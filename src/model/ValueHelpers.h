#pragma once

#include "base/KeyCodes.h"
#include "base/NumberText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Conversions between image bytes and the texts the editor shows, and the key tests of the edit
// fields. Positions and lengths of texts count characters (code points of the UTF-8 text).
namespace vorn {

bool IsHexKey(char32_t ch);
bool IsDecimalKey(char32_t ch);
bool IsNumberKey(char32_t ch, char32_t decimalSeparator);
bool IsRadioIdKey(char32_t ch);

struct Hex16 {
    std::uint8_t b0 = 0; // high byte
    std::uint8_t b1 = 0; // low byte
    friend bool operator==(const Hex16&, const Hex16&) = default;
};
// Empty for 0x0000, else four upper-case digits.
std::string FormatHex16(std::uint8_t b0, std::uint8_t b1);
// A text of 1 to 4 characters scanned as a hexadecimal number (as strtoul does: leading blanks, a sign
// and a 0x prefix are taken, the scan stops at the first other character); anything else gives 0, 0.
Hex16 ParseHex16(std::string_view text);

struct RadioId {
    std::uint8_t b0 = 0;
    std::uint8_t b1 = 0;
    std::uint8_t mask = 0; // bit 3 = first digit ... bit 0 = fourth digit is a wildcard
    friend bool operator==(const RadioId&, const RadioId&) = default;
};
inline constexpr char32_t Wildcard = '*';
std::string FormatRadioId(std::uint8_t b0, std::uint8_t b1, std::uint8_t mask);
RadioId ParseRadioId(std::string_view text);

// 0-15 for a hexadecimal digit of either case, 0 for any other character.
int HexDigitOrZero(char32_t ch);
std::uint8_t HexPairValue(char32_t c1, char32_t c2);
// HexPairValue of the characters at the 1-based positions p and p+1, 0 when the text is shorter.
std::uint8_t HexPairAt(std::string_view text, std::size_t p);

// IntOrZero stored into a byte: its low 8 bits.
inline std::uint8_t ByteOrZero(std::string_view text) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(IntOrZero(text)) & 0xFFu);
}

// Writes the low byte of each character, then a zero byte; stops early rather than overrun the
// buffer. Returns the number of characters written (without the zero byte).
std::size_t NarrowCopy(std::string_view text, std::span<char> buffer);

// Production date: bytes YY MM DD in BCD.
std::string FormatBcdDate(std::uint8_t yy, std::uint8_t mm, std::uint8_t dd);
std::array<std::uint8_t, 3> ParseBcdDate(std::string_view text);

// Serial number: 24 bits big-endian, shown in decimal.
std::string FormatSerialNumber(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2);
std::array<std::uint8_t, 3> ParseSerialNumber(std::string_view text);

// Firmware version byte: high nibble major, low nibble minor, shown "v<major>.<minor>".
std::string FormatFirmwareVersion(std::uint8_t version);
std::uint8_t ParseFirmwareVersion(std::string_view text);

} // namespace vorn
