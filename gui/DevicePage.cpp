#include "gui/DevicePage.h"

#include "gui/DevicePictures.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

// Where each button sits: the transmitters' grid, then the two columns.
struct Place {
    int column; // 0-2 the grid, 3 the presence units, 4 the positioning unit
    int row;
};
constexpr Place Places[DevicePage::ButtonCount] = {
    {0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 0}, {3, 1}, {4, 0},
};

QFrame* NewSeparator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

DevicePage::DevicePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tbsSelectDevice"));
    const int spacing = 14;
    auto* grid = new QGridLayout;
    grid->setSpacing(spacing);
    auto* presence = new QVBoxLayout;
    presence->setSpacing(spacing);
    auto* positioning = new QVBoxLayout;
    positioning->setSpacing(spacing);

    QFont caption = font();
    caption.setPointSize(CaptionPointSize);
    const qreal ratio = devicePixelRatioF();
    // Created in number order, so that the tab order is the buttons' order.
    for (int n = 1; n <= ButtonCount; ++n) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("bbtnDevice_%1").arg(n));
        button->setFixedSize(ButtonSide, ButtonSide);
        button->setFont(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(DevicePictureSize, DevicePictureSize));
        button->setIcon(QIcon(DevicePicture(DeviceButtonPictures[static_cast<std::size_t>(n - 1)], ratio)));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAutoRaise(false);
        connect(button, &QToolButton::clicked, this, [this, n] {
            if (choose_) {
                choose_(n);
            }
        });
        const Place place = Places[n - 1];
        if (place.column < 3) {
            grid->addWidget(button, place.row, place.column);
        } else if (place.column == 3) {
            presence->addWidget(button);
        } else {
            positioning->addWidget(button);
        }
    }
    presence->addStretch(1);
    positioning->addStretch(1);

    auto* row = new QHBoxLayout;
    row->setSpacing(28);
    row->addLayout(grid);
    row->addWidget(NewSeparator(this));
    row->addLayout(presence);
    row->addWidget(NewSeparator(this));
    row->addLayout(positioning);

    auto* outer = new QVBoxLayout(this);
    outer->addStretch(1);
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(row);
    centred->addStretch(1);
    outer->addLayout(centred);
    outer->addStretch(1);
}

QToolButton* DevicePage::Button(int number) const {
    return findChild<QToolButton*>(QStringLiteral("bbtnDevice_%1").arg(number));
}

} // namespace vorn::gui
