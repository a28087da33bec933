#include "gui/TfrmReceiveRadio.h"

#include "gui/DevicePictures.h"
#include "gui/WindowPlacement.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

// The presence units' pictures: the same as their device buttons'.
constexpr int Picture1 = 1008;
constexpr int Picture2 = 1009;

QLabel* NewPicture(QWidget* parent, const char* name, int picture) {
    auto* image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->setFixedSize(DevicePictureSize, DevicePictureSize);
    image->setPixmap(DevicePicture(picture, parent->devicePixelRatioF()));
    image->hide(); // the flow chooses the picture
    return image;
}

} // namespace

TfrmReceiveRadio::TfrmReceiveRadio(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmReceiveRadio"));
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    gbTransmitter_ = new QGroupBox(this);
    gbTransmitter_->setObjectName(QStringLiteral("gbTransmitter"));
    gbTransmitter_->setFixedWidth(GroupWidth);
    imgTransmitter1_ = NewPicture(gbTransmitter_, "imgTransmitter_1", Picture1);
    imgTransmitter2_ = NewPicture(gbTransmitter_, "imgTransmitter_2", Picture2);
    lblAction_ = new QLabel(gbTransmitter_);
    lblAction_->setObjectName(QStringLiteral("lblAction"));
    lblAction_->setWordWrap(true);
    QFont larger = lblAction_->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.15);
    lblAction_->setFont(larger);
    auto* inGroup = new QHBoxLayout(gbTransmitter_);
    inGroup->setContentsMargins(14, 10, 14, 12);
    inGroup->setSpacing(18);
    inGroup->addWidget(imgTransmitter1_);
    inGroup->addWidget(imgTransmitter2_);
    inGroup->addWidget(lblAction_, 0, Qt::AlignVCenter);
    inGroup->addStretch(1);

    btbtnAbort_ = new QPushButton(QStringLiteral("Abort"), this);
    btbtnAbort_->setObjectName(QStringLiteral("btbtnAbort"));
    btbtnAbort_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    btbtnAbort_->setDefault(true);
    connect(btbtnAbort_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btbtnAbortClick();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btbtnAbort_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(gbTransmitter_, 1);
    layout->addLayout(buttons);

    tmrPollKduInfo_ = new QTimer(this);
    tmrPollKduInfo_->setObjectName(QStringLiteral("tmrPollKduInfo"));
    connect(tmrPollKduInfo_, &QTimer::timeout, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->Tick();
        }
    });
}

TfrmReceiveRadio::~TfrmReceiveRadio() {
    Detach();
}

int TfrmReceiveRadio::ActionGroupWidth() const {
    return gbTransmitter_->width();
}

void TfrmReceiveRadio::Attach(ReceiveRadioDialog& dialog) {
    Detach();
    dialog_ = &dialog;
    setWindowTitle(QString::fromStdString(dialog.Caption()));
    gbTransmitter_->setTitle(QString::fromStdString(dialog.GroupCaption()));
    lblAction_->setFixedWidth(dialog.ActionLabelWidth());
    lblAction_->setText(QString::fromStdString(dialog.ActionText()));
    btbtnAbort_->setText(QString::fromStdString(dialog.AbortCaption()));
    imgTransmitter1_->setVisible(dialog.Picture1Visible());
    imgTransmitter2_->setVisible(dialog.Picture2Visible());
    dialog.SetStateObserver([this] {
        if (dialog_ != nullptr && dialog_->Closed() && isVisible()) {
            done(dialog_->Result());
        }
    });
}

void TfrmReceiveRadio::Detach() {
    tmrPollKduInfo_->stop();
    if (dialog_ != nullptr) {
        dialog_->SetStateObserver({});
    }
    dialog_ = nullptr;
}

void TfrmReceiveRadio::Show(ReceiveRadioDialog& dialog) {
    Attach(dialog);
    CentreOverOwner(*this, parentWidget());
    // The info poll runs while the window waits, at the pace the logic asks for.
    tmrPollKduInfo_->start(static_cast<int>(dialog.TickInterval().count()));
    if (!dialog.Closed()) {
        exec();
    }
    Detach();
}

void TfrmReceiveRadio::reject() {
    // Escape is Abort; the logic closes the window.
    if (dialog_ != nullptr && !dialog_->Closed()) {
        dialog_->btbtnAbortClick();
    }
    if (isVisible()) {
        QDialog::reject();
    }
}

} // namespace vorn::gui
