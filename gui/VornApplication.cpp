#include "gui/VornApplication.h"

#include <exception>

#include <QMessageBox>

namespace vorn::gui {

VornApplication::VornApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("vorn-programmer"));
    setApplicationDisplayName(QStringLiteral("VORN Family Programmer"));
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
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), what, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("frmException"));
    box.exec();
}

} // namespace vorn::gui
