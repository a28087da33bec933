#include "gui/TfrmWait.h"

#include "gui/WindowPlacement.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

constexpr int EscapeKey = 27;

} // namespace

TfrmWait::TfrmWait(QWidget* owner) : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmWait"));
    setFixedSize(ClientWidth, ClientHeight);
    setFocusPolicy(Qt::StrongFocus);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlWait"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);

    lblInformation_ = new QLabel(panel);
    lblInformation_->setObjectName(QStringLiteral("lblInformation"));
    lblInformation_->setAlignment(Qt::AlignCenter);
    lblInformation_->setWordWrap(true);
    QFont large = lblInformation_->font();
    large.setPixelSize(InformationPixels);
    lblInformation_->setFont(large);

    pbWait_ = new QProgressBar(panel);
    pbWait_->setObjectName(QStringLiteral("pbWait"));
    pbWait_->setTextVisible(false);
    pbWait_->hide(); // hidden at first

    auto* inPanel = new QVBoxLayout(panel);
    inPanel->setContentsMargins(24, 16, 24, 20);
    inPanel->setSpacing(12);
    inPanel->addWidget(lblInformation_, 1);
    inPanel->addWidget(pbWait_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
}

void TfrmWait::ShowWait(const std::string& text) {
    SetWaitText(text);
    CentreOverOwner(*this, parentWidget());
    show();
    raise();
    // It takes the keys while it is up, so Escape reaches it.
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void TfrmWait::SetWaitText(const std::string& text) {
    lblInformation_->setText(QString::fromStdString(text));
}

void TfrmWait::SetWaitProgress(bool visible, int maximum, int position) {
    pbWait_->setRange(0, maximum);
    pbWait_->setValue(position);
    pbWait_->setVisible(visible);
}

void TfrmWait::CloseWait() {
    hide();
}

void TfrmWait::keyPressEvent(QKeyEvent* event) {
    int code = 0;
    if (event->key() == Qt::Key_Escape) {
        code = EscapeKey;
    } else if (!event->text().isEmpty()) {
        code = event->text().at(0).unicode();
    }
    if (code != 0 && keyHandler_ && keyHandler_(code)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TfrmWait::closeEvent(QCloseEvent* event) {
    // The program closes it when its work is done, not the desktop.
    event->ignore();
}

} // namespace vorn::gui
