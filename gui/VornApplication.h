#pragma once

#include <QApplication>

namespace vorn::gui {

// The application object: an exception that escapes an event handler is shown in an error box, and
// the program goes on with its event loop, rather than ending without a word.
class VornApplication : public QApplication {
public:
    VornApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The error box for an exception (also used when one escapes the start-up).
    static void ShowException(const QString& what);
    // The program's title, for a box that has no caption of its own.
    static QString ProgramTitle() { return QStringLiteral("VORN Family Programmer"); }
};

} // namespace vorn::gui
