#pragma once

#include "platform/FileError.h"

#include <string>
#include <string_view>

// Windows only: what the platform's Windows side shares. The core's texts are UTF-8; the Win32 API's
// are UTF-16.
namespace vorn {

// Bytes that are no UTF-8 become U+FFFD.
std::wstring Widen(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);

// The reason behind a Win32 error code (GetLastError).
FileError FileErrorOfSystemError(unsigned long error);

// The system's own words for a Win32 error code, without the trailing line break.
std::string SystemErrorText(unsigned long error);

} // namespace vorn
