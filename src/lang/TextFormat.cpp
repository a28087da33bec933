#include "lang/TextFormat.h"

#include "base/AsciiText.h"
#include "base/Utf8.h"

#include <charconv>
#include <optional>

namespace vorn {

namespace {

struct Directive {
    std::string_view raw; // the placeholder as written, "%" included
    std::optional<int> index;
    bool leftJustify = false;
    int width = -1;
    int precision = -1;
    char type = 0; // lower case
};

enum class TokenKind { Literal, Percent, Directive, Malformed };

struct Token {
    TokenKind kind;
    std::string_view text; // literal text, or the raw placeholder
    Directive directive;
};

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

// Reads a run of digits as a bounded number; false when there is none or it is too large to be sane.
bool ReadNumber(std::string_view s, std::size_t& i, int& out) {
    const std::size_t start = i;
    long long value = 0;
    while (i < s.size() && IsDigitChar(s[i])) {
        value = value * 10 + (s[i] - '0');
        if (value > MaxFormatWidth) {
            // Keep scanning so the whole run counts as one malformed placeholder.
            value = MaxFormatWidth + 1;
        }
        ++i;
    }
    if (i == start || value > MaxFormatWidth) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

// Parses the placeholder that starts at s[i] == '%'; i moves past it (or past the malformed part).
Token ParsePlaceholder(std::string_view s, std::size_t& i) {
    const std::size_t start = i;
    ++i; // '%'
    auto malformed = [&]() { return Token{TokenKind::Malformed, s.substr(start, i - start), {}}; };
    if (i >= s.size()) {
        return malformed();
    }
    if (s[i] == '%') {
        ++i;
        return Token{TokenKind::Percent, s.substr(start, 2), {}};
    }
    Directive directive;
    // An optional "index:"; digits not followed by ":" are the width.
    std::size_t digitsEnd = i;
    while (digitsEnd < s.size() && IsDigitChar(s[digitsEnd])) {
        ++digitsEnd;
    }
    if (digitsEnd > i && digitsEnd < s.size() && s[digitsEnd] == ':') {
        int index = 0;
        if (!ReadNumber(s, i, index)) {
            i = digitsEnd + 1;
            return malformed();
        }
        directive.index = index;
        ++i; // ':'
    }
    if (i < s.size() && s[i] == '-') {
        directive.leftJustify = true;
        ++i;
    }
    if (i < s.size() && IsDigitChar(s[i])) {
        if (!ReadNumber(s, i, directive.width)) {
            return malformed();
        }
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (!ReadNumber(s, i, directive.precision)) {
            return malformed();
        }
    }
    if (i >= s.size()) {
        return malformed();
    }
    const char c = s[i];
    const char lower = LowerAscii(c);
    switch (lower) {
    case 's':
    case 'd':
    case 'i':
    case 'u':
    case 'x':
        ++i;
        directive.type = lower;
        directive.raw = s.substr(start, i - start);
        return Token{TokenKind::Directive, directive.raw, directive};
    default:
        // Unsupported types and anything else: the placeholder stays as written. A letter is part of
        // it; any other character is left to the literal text that follows.
        if ((lower >= 'a' && lower <= 'z') || lower == '*') {
            ++i;
        }
        return malformed();
    }
}

template <class Visit>
void Scan(std::string_view pattern, Visit&& visit) {
    std::size_t i = 0;
    while (i < pattern.size()) {
        const std::size_t percent = pattern.find('%', i);
        if (percent != i) {
            const std::size_t end = percent == std::string_view::npos ? pattern.size() : percent;
            visit(Token{TokenKind::Literal, pattern.substr(i, end - i), {}});
            i = end;
            continue;
        }
        visit(ParsePlaceholder(pattern, i));
    }
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto* begin = text.data();
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::string Digits(std::uint64_t magnitude, int base) {
    if (magnitude == 0) {
        return "0";
    }
    std::string out;
    while (magnitude != 0) {
        const auto digit = static_cast<int>(magnitude % static_cast<std::uint64_t>(base));
        out.insert(out.begin(), static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10));
        magnitude /= static_cast<std::uint64_t>(base);
    }
    return out;
}

std::string FormatNumber(std::int64_t value, const Directive& directive) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (directive.type == 'u' || directive.type == 'x') {
        // Unsigned views of a negative number wrap as a 32-bit value would.
        magnitude = value < 0 && value >= INT32_MIN ? static_cast<std::uint32_t>(value)
                                                    : static_cast<std::uint64_t>(value);
    } else {
        negative = value < 0;
        magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    }
    std::string digits = Digits(magnitude, directive.type == 'x' ? 16 : 10);
    if (directive.precision > 0 && digits.size() < static_cast<std::size_t>(directive.precision)) {
        digits.insert(0, static_cast<std::size_t>(directive.precision) - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

// The first `count` characters (code points) of a UTF-8 text.
std::string_view CutCharacters(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < count && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
            ++i;
        }
    }
    return text.substr(0, i);
}

std::string Render(const Directive& directive, const FormatArg& arg) {
    std::string body;
    if (directive.type == 's') {
        if (const auto* text = arg.Text()) {
            body = directive.precision >= 0
                       ? std::string(CutCharacters(*text, static_cast<std::size_t>(directive.precision)))
                       : *text;
        } else {
            body = std::to_string(*arg.Number());
        }
    } else {
        std::optional<std::int64_t> number;
        if (const auto* n = arg.Number()) {
            number = *n;
        } else {
            number = ParseInteger(*arg.Text());
        }
        body = number ? FormatNumber(*number, directive) : *arg.Text();
    }
    const std::size_t length = Utf8Length(body);
    if (directive.width > 0 && length < static_cast<std::size_t>(directive.width)) {
        const std::string pad(static_cast<std::size_t>(directive.width) - length, ' ');
        body = directive.leftJustify ? body + pad : pad + body;
    }
    return body;
}

} // namespace

std::string FormatText(std::string_view pattern, const FormatArgs& args) {
    std::string out;
    out.reserve(pattern.size());
    std::size_t next = 0;
    Scan(pattern, [&](const Token& token) {
        switch (token.kind) {
        case TokenKind::Literal: out += token.text; break;
        case TokenKind::Percent: out += '%'; break;
        case TokenKind::Malformed: out += token.text; break;
        case TokenKind::Directive: {
            const std::size_t index =
                token.directive.index ? static_cast<std::size_t>(*token.directive.index) : next;
            next = index + 1;
            if (index < args.size()) {
                out += Render(token.directive, args[index]);
            } else {
                out += token.text;
            }
            break;
        }
        }
    });
    return out;
}

PatternInfo InspectPattern(std::string_view pattern) {
    PatternInfo info;
    int next = 0;
    Scan(pattern, [&](const Token& token) {
        if (token.kind == TokenKind::Malformed) {
            info.malformed.emplace_back(token.text);
        } else if (token.kind == TokenKind::Directive) {
            const int index = token.directive.index ? *token.directive.index : next;
            next = index + 1;
            info.placeholders.push_back({index, token.directive.type});
        }
    });
    return info;
}

} // namespace vorn
