#pragma once

#include "view/MessageDialog.h"

#include <optional>
#include <string>

// The view as the core sees it is split by role, so that a front end implements only the roles it has
// and a test fake overrides only what it checks. This role: modal message boxes and file dialogs.
namespace vorn {

// How the open or save dialog is set up before it is shown.
struct FileDialogSetup {
    std::string title;
    std::string filterDescription; // the file type as shown to the operator
    std::string pattern;           // "*.vorn"
    std::string folder;            // the folder shown first, without a trailing separator
    std::string fileName;          // the name field's text
};

class DialogView {
public:
    virtual ~DialogView() = default;

    // A standard message box with a fixed text, an icon and one OK button (the boxes shown before any
    // language is loaded).
    virtual void ShowStandardMessage(MessageIcon icon, const std::string& text) = 0;

    // The translated message dialog, modal; returns the result of the button that closed it, or
    // DialogResult::None when it was closed without a choice.
    virtual DialogResult ShowMessageDialog(const MessageDialog& dialog) = 0;

    // The open and save dialogs, modal: the path the operator chose (which need not exist), or nothing
    // when the dialog was cancelled. Neither dialog asks about overwriting: the core does.
    virtual std::optional<std::string> AskOpenFile(const FileDialogSetup& setup) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogSetup& setup) = 0;
};

// Nobody there: messages go unseen, dialogs close without a choice, file dialogs are cancelled.
class SilentDialogView : public DialogView {
public:
    void ShowStandardMessage(MessageIcon, const std::string&) override {}
    DialogResult ShowMessageDialog(const MessageDialog&) override { return DialogResult::None; }
    std::optional<std::string> AskOpenFile(const FileDialogSetup&) override { return std::nullopt; }
    std::optional<std::string> AskSaveFile(const FileDialogSetup&) override { return std::nullopt; }
};

} // namespace vorn
