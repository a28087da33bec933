#pragma once

#include <string>
#include <vector>

// Texts that a view sets on its controls by control name: captions, hints and menu shortcuts. The core
// produces them from the language; the view only applies them.
namespace vorn {

enum class ControlProperty {
    Caption,  // page, group, label, check box, button, menu item, window
    Hint,     // tool-tip text
    Shortcut, // menu shortcut, "Ctrl+O" notation; empty for none
};

struct ControlText {
    std::string control;
    ControlProperty property = ControlProperty::Caption;
    std::string text;
    friend bool operator==(const ControlText&, const ControlText&) = default;
};

// One item of the File > Language menu.
struct LanguageMenuItem {
    std::string name;    // "Language_0", "Language_1", ...
    std::string caption; // the file's display name
    int tag = 0;         // index into the language files
    bool checked = false;
    friend bool operator==(const LanguageMenuItem&, const LanguageMenuItem&) = default;
};

} // namespace vorn
