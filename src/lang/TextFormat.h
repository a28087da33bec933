#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Placeholder texts of the language files ("Device %s read", "%0:s ... %0:s") are filled by this
// formatter, never by printf: a translated text is data, and a broken one must not crash or read
// arguments that were not passed.
//
// Placeholders: "%" [index ":"] ["-"] [width] ["." precision] type, type one of s, d, i, u, x (either
// case); "%%" is a percent sign. An index chooses the argument; a placeholder without one takes the
// argument after the previous placeholder's. Width pads with spaces (left-justified with "-");
// precision cuts a text to that many characters or gives a number that many digits at least.
//
// Harmless rendering: a placeholder that is malformed, of another type (e, f, g, n, m, p, "*"), wider
// than MaxFormatWidth, or that names an argument that was not passed, stays in the result as written.
// A number placeholder given a text that is no integer shows the text; "%s" given a number shows it
// in decimal.
namespace vorn {

inline constexpr int MaxFormatWidth = 256;

class FormatArg {
public:
    FormatArg(std::string_view text) : value_(std::string(text)) {}
    FormatArg(const char* text) : value_(std::string(text == nullptr ? "" : text)) {}
    FormatArg(const std::string& text) : value_(text) {}
    FormatArg(std::string&& text) : value_(std::move(text)) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) FormatArg(T number)
        : value_(static_cast<std::int64_t>(number)) {}

    bool IsText() const { return std::holds_alternative<std::string>(value_); }
    bool IsNumber() const { return !IsText(); }
    const std::string* Text() const { return std::get_if<std::string>(&value_); }
    const std::int64_t* Number() const { return std::get_if<std::int64_t>(&value_); }

private:
    std::variant<std::string, std::int64_t> value_;
};

using FormatArgs = std::vector<FormatArg>;

std::string FormatText(std::string_view pattern, const FormatArgs& args);

// What a pattern asks for, for checking a language file against the arguments its users pass.
struct Placeholder {
    int index = 0; // the argument it takes
    char type = 0; // 's', 'd', 'i', 'u' or 'x' (lower case)
};
struct PatternInfo {
    std::vector<Placeholder> placeholders;
    // Text of each malformed or unsupported placeholder (rendered as written).
    std::vector<std::string> malformed;
};
PatternInfo InspectPattern(std::string_view pattern);

} // namespace vorn
