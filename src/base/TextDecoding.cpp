#include "base/TextDecoding.h"

#include "base/Utf8.h"

#include <array>

namespace vorn {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves undefined map to the C1
// control of the same value, as the desktop's own conversion does.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string FromWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) {
            AppendUtf8(out, Cp1252High[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) -> char32_t {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? static_cast<char32_t>((b0 << 8) | b1) : static_cast<char32_t>((b1 << 8) | b0);
    };
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        const char32_t u = unit(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < bytes.size()) {
            const char32_t low = unit(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        // A lone surrogate becomes U+FFFD (AppendUtf8 refuses surrogates).
        AppendUtf8(out, u);
    }
    if (i < bytes.size()) {
        AppendUtf8(out, ReplacementCharacter); // odd last byte
    }
    return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

std::string DecodeText(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        const std::string_view rest = bytes.substr(3);
        return IsValidUtf8(rest) ? std::string(rest) : EncodeUtf8(DecodeUtf8(rest));
    }
    if (StartsWith(bytes, "\xFF\xFE")) {
        return FromUtf16(bytes.substr(2), false);
    }
    if (StartsWith(bytes, "\xFE\xFF")) {
        return FromUtf16(bytes.substr(2), true);
    }
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return FromWindows1252(bytes);
}

} // namespace vorn
