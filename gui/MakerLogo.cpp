#include "gui/MakerLogo.h"

#include <cmath>

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace vorn::gui {

QPixmap MakerLogo(qreal devicePixelRatio) {
    const int side = static_cast<int>(std::lround(MakerLogoSize * devicePixelRatio));
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QColor deep(0x1f, 0x4e, 0x9a);
    const QColor light(0x3f, 0x86, 0xdb);
    QLinearGradient badge(0, 0, 0, MakerLogoSize);
    badge.setColorAt(0.0, light);
    badge.setColorAt(1.0, deep);
    p.setPen(QPen(deep.darker(140), 1.5));
    p.setBrush(badge);
    p.drawEllipse(QRectF(2, 2, MakerLogoSize - 4, MakerLogoSize - 4));

    // A radio wave over the letters.
    QPen wave(Qt::white, 2.6);
    wave.setCapStyle(Qt::RoundCap);
    p.setPen(wave);
    p.setBrush(Qt::NoBrush);
    const QPointF origin(37.5, 36);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 6.0 * i;
        p.drawArc(QRectF(origin.x() - r, origin.y() - r, 2 * r, 2 * r), 50 * 16, 80 * 16);
    }
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(origin, 2.6, 2.6);

    QFont letters(QStringLiteral("Sans Serif"));
    letters.setPixelSize(17);
    letters.setBold(true);
    letters.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    p.setFont(letters);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 40, MakerLogoSize, 24), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("ORSK"));
    return pixmap;
}

} // namespace vorn::gui
