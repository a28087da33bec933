#pragma once

#include <string>
#include <string_view>

namespace vorn {

// A menu shortcut written as a language file writes it: modifiers and one key joined by "+", such as
// "Ctrl+O", "Ctrl+Shift+S", "Strg+Umschalt+S", "Ctrl+Mayús+S" or "F5". Modifiers: Ctrl (Strg,
// Control), Shift (Umschalt, Umsch, Mayús, Maj), Alt; keys: a letter or digit, F1 to F24, or a named
// key (Ins, Del, Home, End, PgUp, PgDn, Esc, Enter, Tab, Space, Backspace, Up, Down, Left, Right, and
// their German names). Letter case is ignored. The result is the portable form "Ctrl+Alt+Shift+Key"
// (what Qt's key sequences read), or empty when the text is no valid shortcut: the menu item then has
// none.
std::string NormaliseShortcut(std::string_view text);

} // namespace vorn
