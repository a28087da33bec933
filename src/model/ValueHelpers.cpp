#include "model/ValueHelpers.h"

#include "base/Utf8.h"

#include <limits>

namespace vorn {

namespace {

bool IsClipboardOrBackspace(char32_t ch) {
    return ch == KeyCopy || ch == KeyBackspace || ch == KeyPaste || ch == KeyCut;
}

bool IsDigit(char32_t ch) {
    return ch >= '0' && ch <= '9';
}

bool IsHexDigit(char32_t ch) {
    return HexDigitValue(ch).has_value();
}

std::string FormatUnsigned(std::uint32_t value) {
    return std::to_string(value);
}

} // namespace

bool IsHexKey(char32_t ch) {
    return IsHexDigit(ch) || IsClipboardOrBackspace(ch);
}

bool IsDecimalKey(char32_t ch) {
    return IsDigit(ch) || IsClipboardOrBackspace(ch);
}

bool IsNumberKey(char32_t ch, char32_t decimalSeparator) {
    return IsDigit(ch) || ch == decimalSeparator || IsClipboardOrBackspace(ch);
}

bool IsRadioIdKey(char32_t ch) {
    return IsHexKey(ch) || ch == Wildcard;
}

std::string FormatHex16(std::uint8_t b0, std::uint8_t b1) {
    if (b0 == 0 && b1 == 0) {
        return {};
    }
    return HexByte(b0) + HexByte(b1);
}

Hex16 ParseHex16(std::string_view text) {
    const std::u32string chars = DecodeUtf8(text);
    if (chars.empty() || chars.size() > 4) {
        return {};
    }
    std::size_t i = 0;
    while (i < chars.size() && (chars[i] == ' ' || (chars[i] >= '\t' && chars[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) {
        negative = chars[i] == '-';
        ++i;
    }
    if (i + 2 < chars.size() && chars[i] == '0' && (chars[i + 1] == 'x' || chars[i + 1] == 'X') &&
        IsHexDigit(chars[i + 2])) {
        i += 2;
    }
    std::uint32_t value = 0;
    for (; i < chars.size() && IsHexDigit(chars[i]); ++i) {
        value = value * 16 + static_cast<std::uint32_t>(HexDigitOrZero(chars[i]));
    }
    if (negative) {
        value = 0u - value;
    }
    return {static_cast<std::uint8_t>((value >> 8) & 0xFF), static_cast<std::uint8_t>(value & 0xFF)};
}

std::string FormatRadioId(std::uint8_t b0, std::uint8_t b1, std::uint8_t mask) {
    std::string text = FormatHex16(b0, b1);
    if ((mask & 0x0F) == 0) {
        return text;
    }
    if (text.empty()) {
        text = "0000";
    }
    for (int k = 0; k < 4; ++k) {
        if ((mask >> (3 - k)) & 1) {
            text[static_cast<std::size_t>(k)] = '*';
        }
    }
    return text;
}

RadioId ParseRadioId(std::string_view text) {
    std::u32string chars = DecodeUtf8(text);
    if (chars.size() > 4) {
        return {};
    }
    if (!chars.empty() && chars.size() < 4) {
        if (chars.front() == Wildcard) {
            chars.insert(0, 4 - chars.size(), Wildcard);
        } else if (chars.back() == Wildcard) {
            chars.append(4 - chars.size(), Wildcard);
        }
    }
    chars.insert(0, 4 - chars.size(), U'0');
    unsigned value = 0;
    unsigned mask = 0;
    for (char32_t ch : chars) {
        value *= 16;
        mask *= 2;
        if (ch == Wildcard) {
            mask += 1;
        } else {
            value += static_cast<unsigned>(HexDigitOrZero(ch));
        }
    }
    return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF),
            static_cast<std::uint8_t>(mask)};
}

int HexDigitOrZero(char32_t ch) {
    return HexDigitValue(ch).value_or(0);
}

std::uint8_t HexPairValue(char32_t c1, char32_t c2) {
    return static_cast<std::uint8_t>(16 * HexDigitOrZero(c1) + HexDigitOrZero(c2));
}

std::uint8_t HexPairAt(std::string_view text, std::size_t p) {
    const std::u32string chars = DecodeUtf8(text);
    if (p == 0 || chars.size() < p + 1) {
        return 0;
    }
    return HexPairValue(chars[p - 1], chars[p]);
}

std::size_t NarrowCopy(std::string_view text, std::span<char> buffer) {
    if (buffer.empty()) {
        return 0;
    }
    std::size_t written = 0;
    for (char32_t ch : DecodeUtf8(text)) {
        if (written + 1 >= buffer.size()) {
            break;
        }
        buffer[written++] = static_cast<char>(static_cast<unsigned char>(ch & 0xFF));
    }
    buffer[written] = '\0';
    return written;
}

std::string FormatBcdDate(std::uint8_t yy, std::uint8_t mm, std::uint8_t dd) {
    return HexByte(yy) + HexByte(mm) + HexByte(dd);
}

std::array<std::uint8_t, 3> ParseBcdDate(std::string_view text) {
    if (Utf8Length(text) != 6) {
        return {0, 0, 0};
    }
    return {HexPairAt(text, 1), HexPairAt(text, 3), HexPairAt(text, 5)};
}

std::string FormatSerialNumber(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    return FormatUnsigned(static_cast<std::uint32_t>(b0) * 65536u + static_cast<std::uint32_t>(b1) * 256u +
                          b2);
}

std::array<std::uint8_t, 3> ParseSerialNumber(std::string_view text) {
    const auto value = static_cast<std::uint32_t>(IntOrZero(text));
    return {static_cast<std::uint8_t>((value >> 16) & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>(value & 0xFF)};
}

std::string FormatFirmwareVersion(std::uint8_t version) {
    return "v" + std::to_string(version >> 4) + "." + std::to_string(version & 0x0F);
}

std::uint8_t ParseFirmwareVersion(std::string_view text) {
    const std::u32string chars = DecodeUtf8(text);
    const std::size_t n = chars.size();
    const std::size_t dot = chars.find(U'.'); // 0-based; the 1-based position d is dot + 1
    if (n < 4 || n > 6 || chars.find(U'v') != 0 || dot == std::u32string::npos) {
        return 0;
    }
    const std::string major = EncodeUtf8(chars.substr(1, dot > 1 ? dot - 1 : 0));
    const std::string minor = EncodeUtf8(chars.substr(dot + 1));
    const auto value = static_cast<std::uint32_t>(16 * IntOrZero(major) + IntOrZero(minor));
    return static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace vorn
