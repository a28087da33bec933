#pragma once

#include <array>

#include <QPixmap>

// The nine pictures of the device buttons, 100 x 100 pixels, drawn by the program itself: a pendant
// transmitter, a relay unit, a transmitter with a signal lamp, a wall transmitter with two buttons, a
// pull-cord unit, a three-button transmitter, and the combinations of a transmitter with a relay unit
// or a lamp. Each picture has its number (1001 to 1009); several device buttons share one.
namespace vorn::gui {

inline constexpr int DevicePictureSize = 100;
inline constexpr int FirstDevicePicture = 1001;
inline constexpr int LastDevicePicture = 1009;

// The picture of that number at the given device pixel ratio; a null pixmap for another number.
QPixmap DevicePicture(int number, qreal devicePixelRatio = 1.0);

// The picture each device button shows, bbtnDevice_1 first.
inline constexpr std::array<int, 12> DeviceButtonPictures{1001, 1002, 1003, 1004, 1005, 1006,
                                                          1007, 1008, 1009, 1008, 1009, 1001};

} // namespace vorn::gui
