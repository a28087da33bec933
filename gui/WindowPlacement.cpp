#include "gui/WindowPlacement.h"

#include "view/MessageDialog.h"

#include <QWidget>

namespace vorn::gui {

void CentreOverOwner(QWidget& window, const QWidget* owner) {
    if (owner == nullptr) {
        return;
    }
    window.adjustSize();
    const QRect frame = owner->window()->frameGeometry();
    const WindowOrigin origin =
        CentreOver(frame.left(), frame.top(), frame.width(), frame.height(), window.width(), window.height());
    window.move(origin.left, origin.top);
}

} // namespace vorn::gui
