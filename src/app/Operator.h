#pragma once

#include "lang/ControlText.h"
#include "lang/MessageDialog.h"

#include <string>
#include <vector>

namespace vorn {

// The view as the core sees it: the core never shows anything itself but asks the operator's view.
// The Qt windows implement it; tests implement it with a script.
class Operator {
public:
    virtual ~Operator() = default;

    // A standard message box with a fixed text, an icon and one OK button (the boxes shown before any
    // language is loaded).
    virtual void ShowStandardMessage(MessageIcon icon, const std::string& text) = 0;

    // The translated message dialog, modal; returns the result of the button that closed it, or
    // DialogResult::None when it was closed without a choice.
    virtual DialogResult ShowMessageDialog(const MessageDialog& dialog) = 0;

    // The single text of the main window's status bar; each new text replaces the previous one.
    virtual void SetStatusText(const std::string& text) = 0;

    // Sets captions, hints, shortcuts and edit masks of the main window's controls by name.
    virtual void ApplyControlTexts(const std::vector<ControlText>& texts) = 0;

    // Replaces the items under File > Language and enables or disables that menu.
    virtual void SetLanguageMenu(const std::vector<LanguageMenuItem>& items, bool enabled) = 0;
    // Checks the language item with that tag (the others of the group become unchecked).
    virtual void CheckLanguageMenuItem(int tag) = 0;
};

} // namespace vorn
