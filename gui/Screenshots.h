#pragma once

#include <functional>
#include <vector>

#include <QString>

class QWidget;

namespace vorn::gui {

class TfrmEdit;

// What the screenshots need of the running program: its languages, and the acts that bring each page
// and window on screen.
struct ScreenshotScript {
    int languages = 0;
    std::function<QString(int tag)> languageName; // a short name for the file names ("English")
    std::function<void(int tag)> chooseLanguage;  // File > Language
    std::function<void(int button)> chooseDevice; // a device button: its family's pages
    // Other windows, each built (not shown) over the main window and handed back for the picture; the
    // screenshot code shows, grabs and closes it. Named as the file should be.
    std::vector<std::pair<QString, std::function<QWidget*()>>> windows;
};

// Writes one PNG per page and window to the folder, for every language: the device page, the editor
// pages of the three families, and the other windows. Returns the files written, or an empty list
// when the folder cannot be written.
QStringList WriteScreenshots(TfrmEdit& window, const ScreenshotScript& script, const QString& folder);

} // namespace vorn::gui
