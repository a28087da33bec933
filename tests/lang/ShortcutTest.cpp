#include "lang/Shortcut.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(ShortcutTest, ValidTextsGiveThePortableForm) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"Ctrl+O", "Ctrl+O"},
        {"ctrl+o", "Ctrl+O"},
        {"Strg+N", "Ctrl+N"},
        {" Ctrl + Shift + S ", "Ctrl+Shift+S"},
        {"Shift+Ctrl+S", "Ctrl+Shift+S"},
        {"Strg+Umschalt+S", "Ctrl+Shift+S"},
        {"Alt+F4", "Alt+F4"},
        {"F12", "F12"},
        {"f5", "F5"},
        {"Ctrl+Del", "Ctrl+Del"},
        {"Strg+Entf", "Ctrl+Del"},
        {"Ctrl+1", "Ctrl+1"},
        {"Ctrl+Bild ab", "Ctrl+PgDown"},
        {"Esc", "Esc"},
        // Invalid: no shortcut.
        {"", ""},
        {"[MENU] 'FILE-NEW-SHORTCUT' IS UNDEFINED", ""},
        {"Ctrl+", ""},
        {"Ctrl++", ""},
        {"Ctrl+Ctrl+O", ""},
        {"Hyper+O", ""},
        {"Ctrl+OO", ""},
        {"F0", ""},
        {"F25", ""},
        {"F05", ""},
        {"Ctrl+\xC3\x96", ""},
        {"+", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormaliseShortcut(c.text), c.expected) << c.text;
    }
}

} // namespace
} // namespace vorn
