#include "model/KeyFilters.h"

#include "model/ValueHelpers.h"

namespace vorn {

namespace {

char32_t UpperHex(char32_t key) {
    return (key >= 'a' && key <= 'f') ? key - 'a' + 'A' : key;
}

} // namespace

char32_t ValidateRadioIdKeyPress(char32_t key) {
    return IsHexKey(key) ? UpperHex(key) : NoKey;
}

char32_t ValidateRadioIdWildcardKeyPress(char32_t key) {
    return IsRadioIdKey(key) ? UpperHex(key) : NoKey;
}

char32_t ValidateNumericKeyPress(char32_t key) {
    return IsDecimalKey(key) ? key : NoKey;
}

char32_t FilterKey(KeyFilterKind kind, char32_t key) {
    switch (kind) {
    case KeyFilterKind::HexCode: return ValidateRadioIdKeyPress(key);
    case KeyFilterKind::HexCodeWildcard: return ValidateRadioIdWildcardKeyPress(key);
    case KeyFilterKind::Number: return ValidateNumericKeyPress(key);
    case KeyFilterKind::None: break;
    }
    return key;
}

} // namespace vorn
