#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers written as text, as the configuration files, language files, editor fields and the unit's
// frames hold them.
namespace vorn {

// The text as a signed decimal integer ([+-]digits within 32 bits); 0 for anything else.
std::int32_t IntOrZero(std::string_view text);

// The letters a hexadecimal digit may be written with: the unit writes and reads upper case only.
enum class HexLetters { EitherCase, UpperCase };
// 0 to 15 for a hexadecimal digit; nothing for any other character.
std::optional<int> HexDigitValue(char32_t ch, HexLetters letters = HexLetters::EitherCase);
// The value of 1 to 8 hexadecimal digits; nothing for an empty or longer text or any other character.
std::optional<std::uint32_t> HexValue(std::string_view digits, HexLetters letters = HexLetters::EitherCase);
// The value's low 4 × count bits as that many upper-case hexadecimal digits, most significant first.
std::string HexDigits(std::uint32_t value, std::size_t count);
// Two upper-case hexadecimal digits, high nibble first.
inline std::string HexByte(std::uint8_t b) {
    return HexDigits(b, 2);
}

} // namespace vorn
