#pragma once

// The character codes of the keys that the core handles itself, as the windows pass them on.
namespace vorn {

// Control characters that every key filter lets through to the edit control.
inline constexpr char32_t KeyCopy = 3;
inline constexpr char32_t KeyBackspace = 8;
inline constexpr char32_t KeyPaste = 22;
inline constexpr char32_t KeyCut = 24;
// Ends a dialog, or aborts a radio-code capture that has armed it.
inline constexpr int EscapeKey = 27;

} // namespace vorn
