#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

// Texts are UTF-8 in the core. A "character" of a field (maximum length, positions) is one code point.
inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// Decodes UTF-8; every byte that does not start a valid sequence becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
// True when the text is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t ch);
std::string EncodeUtf8(std::u32string_view text);
std::size_t Utf8Length(std::string_view text);

// C0 and C1 control characters and DEL: none of them belongs in a name or on a terminal.
bool IsControlCharacter(char32_t ch);
// The text with every control character written as an escape ("\x1B", "\u009B") and every byte
// that is no UTF-8 as U+FFFD, so that text from data files can be shown on a terminal or in a message.
std::string EscapeControlCharacters(std::string_view text);

} // namespace vorn
