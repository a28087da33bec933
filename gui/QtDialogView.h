#pragma once

#include "view/DialogView.h"

#include <QString>

class QWidget;

namespace vorn::gui {

// The core's message and file dialogs as Qt windows, modal over the main window.
class QtDialogView : public DialogView {
public:
    explicit QtDialogView(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void ShowStandardMessage(MessageIcon icon, const std::string& text) override;
    DialogResult ShowMessageDialog(const MessageDialog& dialog) override;
    std::optional<std::string> AskOpenFile(const FileDialogSetup& setup) override;
    std::optional<std::string> AskSaveFile(const FileDialogSetup& setup) override;

private:
    QWidget* owner_;
};

// The file-type filter of a file dialog: the description, and the pattern after it unless the
// description already names it ("VORN configuration file (*.vorn)").
QString FileDialogFilter(const FileDialogSetup& setup);

} // namespace vorn::gui
