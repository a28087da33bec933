#pragma once

// The key filters of the editor's free-text fields: each takes the typed character and gives the
// character that reaches the field (possibly changed), or NoKey when the key is discarded.
namespace vorn {

inline constexpr char32_t NoKey = 0;

enum class KeyFilterKind {
    None,            // every key reaches the field
    HexCode,         // hexadecimal digits, letters turned into upper case
    HexCodeWildcard, // as HexCode, and the wildcard "*"
    Number,          // decimal digits
};

char32_t ValidateRadioIdKeyPress(char32_t key);
char32_t ValidateRadioIdWildcardKeyPress(char32_t key);
char32_t ValidateNumericKeyPress(char32_t key);

char32_t FilterKey(KeyFilterKind kind, char32_t key);

} // namespace vorn
