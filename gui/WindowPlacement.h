#pragma once

class QWidget;

namespace vorn::gui {

// Places a window over the middle of another (its frame's middle, halves truncated toward zero); a
// window larger than the owner extends equally to both sides, even past the screen's edge. Nothing
// happens without an owner.
void CentreOverOwner(QWidget& window, const QWidget* owner);

} // namespace vorn::gui
