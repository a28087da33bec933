#pragma once

#include <string>
#include <string_view>

namespace vorn {

// The bytes of a text file as UTF-8. A byte-order mark selects UTF-8 (EF BB BF), UTF-16 little-endian
// (FF FE) or UTF-16 big-endian (FE FF) and is dropped. Without a mark the bytes are taken as UTF-8 when
// they are valid UTF-8, else as Windows-1252 (the code page such files are written in on the desktop
// they come from). Whatever cannot be decoded (a lone surrogate, an odd last byte, a broken UTF-8
// sequence after a UTF-8 mark) becomes U+FFFD, so the result is always valid UTF-8.
std::string DecodeText(std::string_view bytes);

} // namespace vorn
