#include "base/NumberText.h"

#include <cstdint>
#include <limits>

namespace vorn {

std::int32_t IntOrZero(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return 0;
    }
    // The magnitude may reach one beyond the largest value, so that the lowest one is representable.
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return 0;
        }
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) {
            return 0;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min()) {
        return 0;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<int> HexDigitValue(char32_t ch, HexLetters letters) {
    if (ch >= '0' && ch <= '9') {
        return static_cast<int>(ch - '0');
    }
    if (ch >= 'A' && ch <= 'F') {
        return static_cast<int>(ch - 'A') + 10;
    }
    if (letters == HexLetters::EitherCase && ch >= 'a' && ch <= 'f') {
        return static_cast<int>(ch - 'a') + 10;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> HexValue(std::string_view digits, HexLetters letters) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char ch : digits) {
        const auto digit = HexDigitValue(static_cast<unsigned char>(ch), letters);
        if (!digit) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(*digit);
    }
    return value;
}

std::string HexDigits(std::uint32_t value, std::size_t count) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text(count, '0');
    for (std::size_t i = count; i-- > 0; value >>= 4) {
        text[i] = Digits[value & 0x0F];
    }
    return text;
}

} // namespace vorn
