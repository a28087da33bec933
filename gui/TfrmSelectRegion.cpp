#include "gui/TfrmSelectRegion.h"

#include "gui/FieldBinder.h"
#include "gui/WindowPlacement.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn::gui {

TfrmSelectRegion::TfrmSelectRegion(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("frmSelectRegion"));
    setModal(true);
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("gbxRegion"));
    lblSelectRegion_ = new QLabel(QStringLiteral("Select your region"), group);
    lblSelectRegion_->setObjectName(QStringLiteral("lblSelectRegion"));
    cbbxRegion_ = new QComboBox(group);
    cbbxRegion_->setObjectName(
        QString::fromLatin1(SelectRegionDialog::RegionField.data(),
                            static_cast<qsizetype>(SelectRegionDialog::RegionField.size())));
    // Laid out for the longest region name the language files give ("Chile, South America").
    cbbxRegion_->setMinimumContentsLength(22);
    cbbxRegion_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lblSelectRegion_->setBuddy(cbbxRegion_);
    auto* inGroup = new QVBoxLayout(group);
    inGroup->addWidget(lblSelectRegion_);
    inGroup->addWidget(cbbxRegion_);

    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnClose_ = new QPushButton(QStringLiteral("Close"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->hide(); // hidden when the dialog is created
    connect(btnOk_, &QPushButton::clicked, this, [this] { Press(&SelectRegionDialog::OkClick); });
    connect(btnClose_, &QPushButton::clicked, this, [this] { Press(&SelectRegionDialog::CloseClick); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk_);
    buttons->addWidget(btnClose_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TfrmSelectRegion::~TfrmSelectRegion() {
    Detach();
}

void TfrmSelectRegion::Attach(SelectRegionDialog& dialog) {
    Detach();
    dialog_ = &dialog;
    binder_ = std::make_unique<FieldBinder>(dialog.Fields(), *this);
    setWindowTitle(QString::fromStdString(dialog.Caption()));
    for (const ControlText& text : dialog.ControlTexts()) {
        if (auto* label = findChild<QLabel*>(QString::fromStdString(text.control))) {
            label->setText(QString::fromStdString(text.text));
        } else if (auto* button = findChild<QPushButton*>(QString::fromStdString(text.control))) {
            button->setText(QString::fromStdString(text.text));
        }
    }
    btnClose_->setVisible(dialog.CloseVisible());
}

void TfrmSelectRegion::Detach() {
    binder_.reset();
    dialog_ = nullptr;
}

void TfrmSelectRegion::Show(SelectRegionDialog& dialog) {
    Attach(dialog);
    CentreOverOwner(*this, parentWidget());
    exec();
    Detach();
}

void TfrmSelectRegion::Press(void (SelectRegionDialog::*button)()) {
    if (dialog_ == nullptr) {
        return;
    }
    (dialog_->*button)();
    if (dialog_->Closed()) {
        accept();
    }
}

} // namespace vorn::gui
