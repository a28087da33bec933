#include "gui/VornApplication.h"

#include <exception>

#include <QMessageBox>

namespace vorn::gui {

VornApplication::VornApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("vorn-programmer"));
    // No display name: the desktop would add it to every window's title, cutting the dialogs' own
    // titles short (and doubling it in the main window's).
    setOrganizationName(QStringLiteral("ORSK"));
}

bool VornApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(QString::fromStdString(error.what()));
    } catch (...) {
        ShowException(QStringLiteral("An unknown error occurred."));
    }
    return false;
}

void VornApplication::ShowException(const QString& what) {
    QMessageBox box(QMessageBox::Critical, ProgramTitle(), what, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("frmException"));
    box.exec();
}

} // namespace vorn::gui
