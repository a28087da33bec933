#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The relay pulse-time fields: tenths of a second, edited through a mask of four optional digits, the
// locale's decimal separator and one optional digit, blanks shown as spaces.
namespace vorn {

// The one mask of the pulse-time fields, in the input-mask notation that the field model edits with
// and the view hands to its line edit unchanged: four optional digits, the separator as a literal,
// one optional digit, blanks as spaces ("0000.0; ", "0000,0; ").
std::string PulseTimeMask(char32_t decimalSeparator);
// Tenths shown as the mask shows them: digits right-aligned before the separator, one decimal
// ("  12.3", "   0.0", "6553.5").
std::string FormatTenths(std::uint32_t tenths, char32_t decimalSeparator);
// The number a text holds after its spaces are removed, as tenths cut toward zero; nullopt when it
// is no decimal number in the locale's format (the separator alone, for instance). Values beyond the
// 32-bit range saturate.
std::optional<std::int64_t> ParseTenths(std::string_view text, char32_t decimalSeparator);

// A decimal number in the locale's format (spaces removed) as whole tenths cut toward zero, and
// whether digits after the first decimal make it larger than that.
struct DecimalTenths {
    std::int64_t tenths = 0;
    bool beyondTenths = false;
};
std::optional<DecimalTenths> ParseDecimalTenths(std::string_view text, char32_t decimalSeparator);

} // namespace vorn
