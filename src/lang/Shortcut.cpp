#include "lang/Shortcut.h"

#include "base/AsciiText.h"

#include <array>
#include <vector>

namespace vorn {

namespace {

struct NameRow {
    std::string_view name;      // as written, letter case ignored
    std::string_view canonical; // portable form
};

constexpr NameRow Modifiers[] = {
    {"ctrl", "Ctrl"},   {"strg", "Ctrl"},   {"control", "Ctrl"}, {"shift", "Shift"}, {"umschalt", "Shift"},
    {"umsch", "Shift"}, {"mayús", "Shift"}, {"mayus", "Shift"},  {"maj", "Shift"},   {"alt", "Alt"},
};

constexpr NameRow NamedKeys[] = {
    {"ins", "Ins"},        {"insert", "Ins"},
    {"einfg", "Ins"},      {"del", "Del"},
    {"delete", "Del"},     {"entf", "Del"},
    {"home", "Home"},      {"pos1", "Home"},
    {"end", "End"},        {"ende", "End"},
    {"pgup", "PgUp"},      {"pageup", "PgUp"},
    {"bild auf", "PgUp"},  {"pgdn", "PgDown"},
    {"pgdown", "PgDown"},  {"pagedown", "PgDown"},
    {"bild ab", "PgDown"}, {"esc", "Esc"},
    {"escape", "Esc"},     {"enter", "Return"},
    {"return", "Return"},  {"eingabe", "Return"},
    {"tab", "Tab"},        {"space", "Space"},
    {"leer", "Space"},     {"backspace", "Backspace"},
    {"bksp", "Backspace"}, {"up", "Up"},
    {"oben", "Up"},        {"down", "Down"},
    {"unten", "Down"},     {"left", "Left"},
    {"links", "Left"},     {"right", "Right"},
    {"rechts", "Right"},
};

constexpr std::string_view ModifierOrder[] = {"Ctrl", "Alt", "Shift"};

std::string_view Find(std::string_view word, const auto& table) {
    for (const auto& row : table) {
        if (EqualsIgnoreCase(word, row.name)) {
            return row.canonical;
        }
    }
    return {};
}

// The canonical key name of a word, or empty.
std::string KeyName(std::string_view word) {
    if (word.size() == 1) {
        const char c = word[0];
        const char upper = UpperAscii(c);
        if ((upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9')) {
            return std::string(1, upper);
        }
        return {};
    }
    if ((word[0] == 'F' || word[0] == 'f') && word.size() <= 3) {
        int n = 0;
        for (const char c : word.substr(1)) {
            if (c < '0' || c > '9') {
                return {};
            }
            n = n * 10 + (c - '0');
        }
        if (word[1] != '0' && n >= 1 && n <= 24) {
            return "F" + std::to_string(n);
        }
        return {};
    }
    return std::string(Find(word, NamedKeys));
}

} // namespace

std::string NormaliseShortcut(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return {};
    }
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = text.find('+', start);
        words.push_back(TrimBlanks(text.substr(start, plus == std::string_view::npos ? plus : plus - start)));
        if (plus == std::string_view::npos) {
            break;
        }
        start = plus + 1;
    }
    std::array<bool, 3> held{};
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::string_view modifier = Find(words[i], Modifiers);
        if (modifier.empty()) {
            return {};
        }
        for (std::size_t m = 0; m < held.size(); ++m) {
            if (modifier == ModifierOrder[m]) {
                if (held[m]) {
                    return {}; // the same modifier twice
                }
                held[m] = true;
            }
        }
    }
    const std::string key = KeyName(words.back());
    if (key.empty()) {
        return {};
    }
    std::string out;
    for (std::size_t m = 0; m < held.size(); ++m) {
        if (held[m]) {
            out += ModifierOrder[m];
            out += '+';
        }
    }
    return out + key;
}

} // namespace vorn
