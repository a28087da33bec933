#include "model/PulseTime.h"

#include "base/Utf8.h"
#include "model/InputMask.h"

#include <algorithm>

namespace vorn {

namespace {

constexpr std::int64_t Saturation = 0xFFFFFFFFLL;

std::string Separator(char32_t decimalSeparator) {
    std::string s;
    AppendUtf8(s, decimalSeparator);
    return s;
}

} // namespace

std::string PulseTimeMask(char32_t decimalSeparator) {
    return "0000" + InputMask::LiteralNotation(decimalSeparator) + "0; ";
}

std::string FormatTenths(std::uint32_t tenths, char32_t decimalSeparator) {
    std::string whole = std::to_string(tenths / 10);
    if (whole.size() < 4) {
        whole.insert(0, 4 - whole.size(), ' ');
    }
    return whole + Separator(decimalSeparator) + std::to_string(tenths % 10);
}

std::optional<DecimalTenths> ParseDecimalTenths(std::string_view text, char32_t decimalSeparator) {
    std::u32string chars = DecodeUtf8(text);
    std::erase(chars, U' ');
    std::size_t i = 0;
    bool negative = false;
    if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) {
        negative = chars[i] == '-';
        ++i;
    }
    std::int64_t whole = 0;
    int digits = 0;
    for (; i < chars.size() && chars[i] >= '0' && chars[i] <= '9'; ++i, ++digits) {
        whole = std::min<std::int64_t>(whole * 10 + (chars[i] - '0'), Saturation);
    }
    int firstDecimal = 0;
    bool beyond = false;
    if (i < chars.size() && chars[i] == decimalSeparator) {
        ++i;
        for (int position = 0; i < chars.size() && chars[i] >= '0' && chars[i] <= '9';
             ++i, ++digits, ++position) {
            if (position == 0) {
                firstDecimal = static_cast<int>(chars[i] - '0');
            } else if (chars[i] != '0') {
                beyond = true;
            }
        }
    }
    if (digits == 0 || i != chars.size()) {
        return std::nullopt;
    }
    const std::int64_t tenths = std::min<std::int64_t>(whole * 10 + firstDecimal, Saturation);
    return DecimalTenths{negative ? -tenths : tenths, beyond && !negative};
}

std::optional<std::int64_t> ParseTenths(std::string_view text, char32_t decimalSeparator) {
    const auto parsed = ParseDecimalTenths(text, decimalSeparator);
    return parsed ? std::optional(parsed->tenths) : std::nullopt;
}

} // namespace vorn
