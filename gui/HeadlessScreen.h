#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace vorn::gui {

// The screen of the offscreen platform. Its own default (800 x 600) is smaller than the window, which
// then fits itself to it; pictures and tests want the window at its full size, or on a screen of a
// size they choose. Writes the platform's configuration into the folder and returns the value for
// QT_QPA_PLATFORM ("offscreen" alone when the file cannot be written).
QByteArray OffscreenPlatform(const QString& folder, QSize screen = {1920, 1080});

} // namespace vorn::gui
