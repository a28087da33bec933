#include "gui/HeadlessScreen.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vorn::gui {

QByteArray OffscreenPlatform(const QString& folder, QSize screen) {
    const QJsonObject geometry{{QStringLiteral("name"), QStringLiteral("OffscreenScreen")},
                               {QStringLiteral("x"), 0},
                               {QStringLiteral("y"), 0},
                               {QStringLiteral("width"), screen.width()},
                               {QStringLiteral("height"), screen.height()},
                               {QStringLiteral("logicalDpi"), 96},
                               {QStringLiteral("logicalBaseDpi"), 96},
                               {QStringLiteral("dpr"), 1}};
    QFile file(folder + QStringLiteral("/offscreen-screen.json"));
    const QByteArray json = QJsonDocument(QJsonObject{{QStringLiteral("screens"), QJsonArray{geometry}}})
                                .toJson(QJsonDocument::Compact);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size()) {
        return "offscreen";
    }
    return "offscreen:configfile=" + QFile::encodeName(file.fileName());
}

} // namespace vorn::gui
