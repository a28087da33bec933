// vorn-draw-pictures: draws each model's device picture into FOLDER/MODEL.png, so that programs without
// a window (vornctl's configuration sheet) show the pictures the window draws. Run by the build.
#include "gui/DevicePictures.h"
#include "model/Catalogue.h"

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorn-draw-pictures FOLDER\n");
        return 1;
    }
    // No display, and no desktop session's runtime folder, is needed to draw.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "vorn-draw-pictures: cannot make %s\n", argv[1]);
        return 1;
    }
    for (std::size_t i = 0; i < vorn::Catalogue.size(); ++i) {
        // Twice the button's size: sharp on paper at the sheet's size.
        const QPixmap picture = vorn::gui::DevicePicture(vorn::gui::DeviceButtonPictures[i], 2.0);
        const QString path =
            folder.filePath(QString::fromLatin1(vorn::Catalogue[i].model) + QStringLiteral(".png"));
        if (!picture.save(path, "PNG")) {
            std::fprintf(stderr, "vorn-draw-pictures: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
