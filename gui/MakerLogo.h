#pragma once

#include <QPixmap>

namespace vorn::gui {

inline constexpr int MakerLogoSize = 75;

// The maker's logo of the about window, 75 x 75 pixels, drawn by the program: a round badge with the
// maker's letters under a radio wave.
QPixmap MakerLogo(qreal devicePixelRatio = 1.0);

} // namespace vorn::gui
