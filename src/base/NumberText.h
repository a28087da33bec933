#pragma once

#include <cstdint>
#include <string_view>

// Numbers written as text, as the configuration files, language files and editor fields hold them.
namespace vorn {

// The text as a signed decimal integer ([+-]digits within 32 bits); 0 for anything else.
std::int32_t IntOrZero(std::string_view text);

} // namespace vorn
