#include "gui/QtDialogView.h"

#include "gui/MessageWindow.h"
#include "gui/VornApplication.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vorn::gui {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

std::optional<std::string> AskFile(QWidget* owner, const FileDialogSetup& setup,
                                   QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, FromUtf8(setup.title), FromUtf8(setup.folder));
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("odlgOpenBinFile")
                                                         : QStringLiteral("sdlgSaveBinFile"));
    dialog.setAcceptMode(mode);
    // The open dialog takes a name without extension too: the program then tries it with ".vorn".
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks about an existing file itself, in the language of the window.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(FileDialogFilter(setup));
    if (!setup.fileName.empty()) {
        dialog.selectFile(FromUtf8(setup.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

QString FileDialogFilter(const FileDialogSetup& setup) {
    const QString description = FromUtf8(setup.filterDescription);
    const QString pattern = FromUtf8(setup.pattern);
    if (pattern.isEmpty() || description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
        return description;
    }
    return description + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

void QtDialogView::ShowStandardMessage(MessageIcon icon, const std::string& text) {
    QMessageBox box(BoxIcon(icon), VornApplication::ProgramTitle(), FromUtf8(text), QMessageBox::Ok, owner_);
    box.setObjectName(QStringLiteral("frmStandardMessage"));
    box.exec();
}

DialogResult QtDialogView::ShowMessageDialog(const MessageDialog& dialog) {
    MessageWindow window(dialog, owner_);
    return window.Ask();
}

std::optional<std::string> QtDialogView::AskOpenFile(const FileDialogSetup& setup) {
    return AskFile(owner_, setup, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtDialogView::AskSaveFile(const FileDialogSetup& setup) {
    return AskFile(owner_, setup, QFileDialog::AcceptSave);
}

} // namespace vorn::gui
