#include "gui/TfrmWait.h"

#include "gui/WindowPlacement.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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

    lblWaitDetail_ = new QLabel(panel);
    lblWaitDetail_->setObjectName(QStringLiteral("lblWaitDetail"));
    lblWaitDetail_->setAlignment(Qt::AlignCenter);
    lblWaitDetail_->hide();

    pbWait_ = new QProgressBar(panel);
    pbWait_->setObjectName(QStringLiteral("pbWait"));
    pbWait_->setTextVisible(false);
    pbWait_->hide(); // hidden at first

    btnWaitCancel_ = new QPushButton(panel);
    btnWaitCancel_->setObjectName(QStringLiteral("btnWaitCancel"));
    btnWaitCancel_->setAutoDefault(false);
    btnWaitCancel_->hide();
    connect(btnWaitCancel_, &QPushButton::clicked, this, [this] {
        if (cancelHandler_) {
            cancelHandler_();
        }
    });
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(12);
    bottom->addWidget(pbWait_, 1);
    bottom->addStretch();
    bottom->addWidget(btnWaitCancel_);

    auto* inPanel = new QVBoxLayout(panel);
    inPanel->setContentsMargins(24, 12, 24, 14);
    inPanel->setSpacing(8);
    inPanel->addWidget(lblInformation_, 1);
    inPanel->addWidget(lblWaitDetail_);
    inPanel->addLayout(bottom);

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

void TfrmWait::SetWaitDetail(const std::string& text) {
    lblWaitDetail_->setText(QString::fromStdString(text));
    lblWaitDetail_->setVisible(!text.empty());
}

void TfrmWait::SetWaitCancel(bool shown, const std::string& caption) {
    btnWaitCancel_->setText(QString::fromStdString(caption));
    btnWaitCancel_->setVisible(shown);
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
