#include "gui/DevicePictures.h"

#include <cmath>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vorn::gui {

namespace {

// One palette for every picture, so the buttons read as one family of devices.
const QColor Outline(0x44, 0x4d, 0x5a);
const QColor BodyLight(0xfb, 0xfc, 0xfd);
const QColor BodyDark(0xcf, 0xd5, 0xdd);
const QColor Red(0xd8, 0x35, 0x2c);
const QColor Green(0x2e, 0x9c, 0x4f);
const QColor Blue(0x2c, 0x6b, 0xcc);
const QColor Amber(0xf4, 0xbc, 0x1c);
const QColor Wave(0x2c, 0x6b, 0xcc);
const QColor Metal(0x9a, 0xa3, 0xaf);

QPen OutlinePen(qreal width = 1.6) {
    QPen pen(Outline, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A device housing: light plastic, lit from above.
void Body(QPainter& p, const QRectF& rect, qreal radius) {
    QLinearGradient shade(rect.topLeft(), rect.bottomLeft());
    shade.setColorAt(0.0, BodyLight);
    shade.setColorAt(1.0, BodyDark);
    p.setPen(OutlinePen());
    p.setBrush(shade);
    p.drawRoundedRect(rect, radius, radius);
}

// A round push button with a small highlight.
void Button(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    shade.setColorAt(0.0, colour.lighter(150));
    shade.setColorAt(0.6, colour);
    shade.setColorAt(1.0, colour.darker(130));
    p.setPen(QPen(colour.darker(170), 1.4));
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
}

// A small status lamp.
void Led(QPainter& p, const QPointF& centre, const QColor& colour) {
    p.setPen(QPen(colour.darker(160), 1.0));
    p.setBrush(colour.lighter(120));
    p.drawEllipse(centre, 2.6, 2.6);
}

// Radio waves leaving a point, opening toward an angle (degrees, counter-clockwise from east).
void Waves(QPainter& p, const QPointF& origin, qreal angle) {
    QPen pen(Wave, 2.4);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 5.0 * i;
        const QRectF box(origin.x() - r, origin.y() - r, 2 * r, 2 * r);
        p.drawArc(box, static_cast<int>((angle - 40) * 16), 80 * 16);
    }
}

// 1001: a pendant transmitter with one large button, worn on a cord.
void Pendant(QPainter& p) {
    p.setPen(OutlinePen(2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(46, 14), 6, 6);
    Body(p, QRectF(28, 20, 36, 68), 17);
    Led(p, QPointF(46, 33), Green);
    Button(p, QPointF(46, 60), 12.5, Red);
    Waves(p, QPointF(68, 30), 45);
}

// 1002: a relay unit with its screw terminals and a stub antenna.
void RelayUnit(QPainter& p) {
    p.setPen(OutlinePen(2.2));
    p.drawLine(QPointF(24, 30), QPointF(24, 12));
    p.setBrush(Outline);
    p.drawEllipse(QPointF(24, 11), 2.5, 2.5);
    Body(p, QRectF(10, 30, 80, 50), 6);
    // The relay: a coil and the contact it moves.
    p.setPen(OutlinePen(1.4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(20, 40, 14, 18));
    p.drawLine(QPointF(20, 58), QPointF(34, 40));
    p.setPen(OutlinePen(1.8));
    p.drawLine(QPointF(42, 56), QPointF(58, 44));
    p.setBrush(Outline);
    p.drawEllipse(QPointF(42, 56), 2.0, 2.0);
    p.drawEllipse(QPointF(60, 56), 2.0, 2.0);
    QPen dashed = OutlinePen(1.0);
    dashed.setStyle(Qt::DashLine);
    p.setPen(dashed);
    p.drawLine(QPointF(34, 49), QPointF(50, 49));
    Led(p, QPointF(80, 38), Green);
    Led(p, QPointF(80, 46), Amber);
    // The terminal strip.
    p.setPen(OutlinePen(1.2));
    for (int i = 0; i < 5; ++i) {
        const QRectF terminal(18 + i * 13.5, 64, 11, 11);
        p.setBrush(QColor(0x3f, 0x7f, 0x4f));
        p.drawRect(terminal);
        p.setBrush(Metal);
        p.drawEllipse(terminal.center(), 3.2, 3.2);
        p.drawLine(terminal.center() - QPointF(2.2, 0), terminal.center() + QPointF(2.2, 0));
    }
}

// 1003: a transmitter with a signal lamp on top.
void LampTransmitter(QPainter& p) {
    // Rays of the lamp.
    QPen ray(Amber.darker(115), 2.2);
    ray.setCapStyle(Qt::RoundCap);
    p.setPen(ray);
    const QPointF lamp(50, 40);
    for (int i = 0; i < 5; ++i) {
        const qreal a = (20 + i * 35) * 3.14159265 / 180.0;
        const QPointF direction(std::cos(a), -std::sin(a));
        p.drawLine(lamp + direction * 26, lamp + direction * 33);
    }
    // The dome.
    QRadialGradient glow(QPointF(45, 26), 20);
    glow.setColorAt(0.0, Amber.lighter(160));
    glow.setColorAt(1.0, Amber);
    p.setPen(QPen(Amber.darker(160), 1.4));
    p.setBrush(glow);
    QPainterPath dome;
    dome.moveTo(34, 40);
    dome.arcTo(QRectF(34, 18, 32, 44), 180, -180);
    dome.closeSubpath();
    p.drawPath(dome);
    Body(p, QRectF(24, 40, 52, 48), 8);
    Button(p, QPointF(50, 66), 10, Blue);
    Led(p, QPointF(68, 48), Green);
}

// 1004: a wall transmitter with two buttons.
void WallTransmitter(QPainter& p) {
    Body(p, QRectF(20, 14, 56, 74), 9);
    Led(p, QPointF(66, 24), Green);
    Button(p, QPointF(48, 40), 11, Green);
    Button(p, QPointF(48, 68), 11, Red);
    Waves(p, QPointF(80, 18), 45);
}

// 1007: a pull-cord unit: pulling the cord gives the alarm.
void PullCord(QPainter& p) {
    Body(p, QRectF(24, 8, 52, 44), 7);
    Button(p, QPointF(50, 28), 9, Red);
    Led(p, QPointF(67, 16), Green);
    p.setPen(OutlinePen(2.0));
    p.drawLine(QPointF(50, 52), QPointF(50, 80));
    QPainterPath handle;
    handle.moveTo(50, 78);
    handle.lineTo(58, 93);
    handle.lineTo(42, 93);
    handle.closeSubpath();
    p.setPen(QPen(Red.darker(170), 1.4));
    p.setBrush(Red);
    p.drawPath(handle);
    Waves(p, QPointF(80, 12), 45);
}

// 1008: a transmitter with three buttons.
void ThreeButtons(QPainter& p) {
    Body(p, QRectF(10, 26, 80, 54), 9);
    Led(p, QPointF(80, 36), Green);
    Button(p, QPointF(28, 58), 9.5, Red);
    Button(p, QPointF(50, 58), 9.5, Green);
    Button(p, QPointF(72, 58), 9.5, Blue);
    Waves(p, QPointF(82, 22), 45);
}

// Two devices in one picture: the second sits in front, lower right.
template <typename Back, typename Front>
void Combination(QPainter& p, Back back, Front front) {
    p.save();
    p.translate(38, 34);
    p.scale(0.62, 0.62);
    back(p);
    p.restore();
    p.save();
    p.translate(-4, 2);
    p.scale(0.66, 0.66);
    front(p);
    p.restore();
}

} // namespace

QPixmap DevicePicture(int number, qreal devicePixelRatio) {
    if (number < FirstDevicePicture || number > LastDevicePicture) {
        return {};
    }
    const int side = static_cast<int>(std::lround(DevicePictureSize * devicePixelRatio));
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (number) {
    case 1001: Pendant(p); break;
    case 1002: RelayUnit(p); break;
    case 1003: LampTransmitter(p); break;
    case 1004: WallTransmitter(p); break;
    case 1005: Combination(p, RelayUnit, WallTransmitter); break;
    case 1006: Combination(p, LampTransmitter, WallTransmitter); break;
    case 1007: PullCord(p); break;
    case 1008: ThreeButtons(p); break;
    case 1009: Combination(p, RelayUnit, ThreeButtons); break;
    default: break;
    }
    return pixmap;
}

} // namespace vorn::gui
