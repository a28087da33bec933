#include "gui/Screenshots.h"

#include "gui/TfrmEdit.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QWidget>

namespace vorn::gui {

namespace {

// A device button of each family: its pages are then on screen.
struct FamilyShot {
    int button;
    const char* name;
};
constexpr FamilyShot Families[] = {{4, "bode"}, {10, "hesk"}, {12, "dadidu"}};

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

bool Save(const QPixmap& picture, const QString& path, QStringList& written) {
    if (!picture.save(path, "PNG")) {
        return false;
    }
    written << path;
    return true;
}

} // namespace

QStringList WriteScreenshots(TfrmEdit& window, const ScreenshotScript& script, const QString& folder) {
    QStringList written;
    if (!QDir().mkpath(folder)) {
        return {};
    }
    const QDir dir(folder);
    QTabWidget* pages = window.PageControl();
    // Layouts settle only on a shown window (on the offscreen platform too).
    window.show();
    window.EnsurePagesBuilt();
    for (int tag = 0; tag < script.languages; ++tag) {
        script.chooseLanguage(tag);
        const QString prefix = script.languageName(tag).toLower() + QLatin1Char('-');
        pages->setCurrentIndex(0);
        Settle();
        if (!Save(window.grab(), dir.filePath(prefix + QStringLiteral("device.png")), written)) {
            return {};
        }
        for (const FamilyShot& family : Families) {
            script.chooseDevice(family.button);
            for (int i = 1; i < pages->count(); ++i) {
                if (!pages->isTabVisible(i)) {
                    continue;
                }
                pages->setCurrentIndex(i);
                Settle();
                const QString page = pages->widget(i)->objectName();
                if (!Save(window.grab(), dir.filePath(prefix + page + QStringLiteral(".png")), written)) {
                    return {};
                }
            }
        }
        for (const auto& [name, build] : script.windows) {
            QWidget* other = build();
            if (other == nullptr) {
                continue;
            }
            other->show();
            Settle();
            const bool saved =
                Save(other->grab(), dir.filePath(prefix + name + QStringLiteral(".png")), written);
            other->close();
            delete other;
            if (!saved) {
                return {};
            }
        }
    }
    return written;
}

} // namespace vorn::gui
