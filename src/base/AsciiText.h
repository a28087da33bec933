#pragma once

#include <string>
#include <string_view>

// Letter case and blanks of ASCII text. Every other byte passes unchanged, so UTF-8 stays intact.
namespace vorn {

constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// ASCII letters in lower case.
std::string FoldCase(std::string_view text);
// ASCII letters in upper case.
std::string UpperCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix);
// Without leading and trailing spaces and control characters (bytes up to 0x20).
std::string_view TrimBlanks(std::string_view text);
// The text with every "&" doubled: a menu caption shows a single one as an accelerator mark.
std::string EscapeAmpersands(std::string_view text);

} // namespace vorn
