#include "gui/TfrmSelectDevice.h"

#include "gui/FieldBinder.h"
#include "gui/WindowPlacement.h"
#include "gui/WindowTexts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(QLatin1String(name), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

TfrmSelectDevice::TfrmSelectDevice(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmSelectDevice"));
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    auto* group = new QGroupBox(QStringLiteral("gbSelectDeviceInfo"), this);
    group->setObjectName(QStringLiteral("gbSelectDeviceInfo"));
    mmoInstructions_ = new QPlainTextEdit(group);
    mmoInstructions_->setObjectName(QtName(SelectDeviceDialog::InstructionsField));
    mmoInstructions_->setReadOnly(true);
    mmoInstructions_->setFocusPolicy(Qt::ClickFocus);
    cbbxProducts_ = new QComboBox(group);
    cbbxProducts_->setObjectName(QtName(SelectDeviceDialog::ProductsField));
    cbbxProducts_->setMaxVisibleItems(VisibleModels);
    edtSerialNumber_ = new QLineEdit(group);
    edtSerialNumber_->setObjectName(QtName(SelectDeviceDialog::SerialField));
    // Room for the eight digits the field takes, and no more: the number is short.
    edtSerialNumber_->setFixedWidth(
        edtSerialNumber_->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12 + 16);
    cbbxPrimaryFrequencyBand_ = new QComboBox(group);
    cbbxPrimaryFrequencyBand_->setObjectName(QtName(SelectDeviceDialog::BandField));

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(8);
    const std::pair<const char*, QWidget*> rows[] = {
        {"lblDeviceName", cbbxProducts_},
        {"lblSerialNumber", edtSerialNumber_},
        {"lblPrimaryFrequencyBand", cbbxPrimaryFrequencyBand_},
    };
    int row = 0;
    for (const auto& [name, control] : rows) {
        QLabel* label = NewLabel(group, name);
        label->setBuddy(control);
        fields->addWidget(label, row, 0);
        fields->addWidget(control, row, 1, Qt::AlignLeft);
        ++row;
    }
    cbbxProducts_->setMinimumContentsLength(18);
    cbbxPrimaryFrequencyBand_->setMinimumContentsLength(18);
    fields->setColumnStretch(1, 1);

    auto* inGroup = new QVBoxLayout(group);
    inGroup->setSpacing(12);
    inGroup->addWidget(mmoInstructions_, 1);
    inGroup->addLayout(fields);

    btnWriteOrRead_ = new QPushButton(QStringLiteral("btnWriteOrRead"), this);
    btnWriteOrRead_->setObjectName(QStringLiteral("btnWriteOrRead"));
    btnWriteOrRead_->setEnabled(false); // until the serial number is valid
    btnCancel_ = new QPushButton(QStringLiteral("btnCancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    // Enter and Escape are the logic's: no button answers them on its own.
    btnWriteOrRead_->setAutoDefault(false);
    btnCancel_->setAutoDefault(false);
    connect(btnWriteOrRead_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnWriteOrReadClick();
        }
    });
    connect(btnCancel_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnCancelClick();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnWriteOrRead_);
    buttons->addWidget(btnCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    for (QWidget* control :
         {static_cast<QWidget*>(mmoInstructions_), static_cast<QWidget*>(cbbxProducts_),
          static_cast<QWidget*>(edtSerialNumber_), static_cast<QWidget*>(cbbxPrimaryFrequencyBand_)}) {
        control->installEventFilter(this);
    }
    setTabOrder(cbbxProducts_, edtSerialNumber_);
    setTabOrder(edtSerialNumber_, cbbxPrimaryFrequencyBand_);
    setTabOrder(cbbxPrimaryFrequencyBand_, btnWriteOrRead_);
    setTabOrder(btnWriteOrRead_, btnCancel_);
}

TfrmSelectDevice::~TfrmSelectDevice() {
    Detach();
}

void TfrmSelectDevice::Attach(SelectDeviceDialog& dialog) {
    Detach();
    dialog_ = &dialog;
    binder_ = std::make_unique<FieldBinder>(dialog.Fields(), *this);
    setWindowTitle(QString::fromStdString(dialog.Caption()));
    ApplyWindowTexts(*this, dialog.ControlTexts());
    dialog.SetStateObserver([this] { Follow(); });
    btnWriteOrRead_->setEnabled(dialog.ConfirmEnabled());
    // The control the logic gave the focus when it was shown.
    if (QWidget* focused = binder_->WidgetOf(dialog.Fields().FocusedName())) {
        focused->setFocus(Qt::OtherFocusReason);
    }
}

void TfrmSelectDevice::Detach() {
    if (dialog_ != nullptr) {
        dialog_->SetStateObserver({});
    }
    binder_.reset();
    dialog_ = nullptr;
}

void TfrmSelectDevice::Show(SelectDeviceDialog& dialog) {
    Attach(dialog);
    CentreOverOwner(*this, parentWidget());
    if (!dialog.Closed()) {
        exec();
    }
    // However the window went, the logic is closed now (a window closed by other means cancels).
    if (!dialog.Closed()) {
        dialog.FormClose();
    }
    Detach();
}

void TfrmSelectDevice::Follow() {
    if (dialog_ == nullptr) {
        return;
    }
    btnWriteOrRead_->setEnabled(dialog_->ConfirmEnabled());
    if (dialog_->Closed() && isVisible()) {
        done(dialog_->Result());
    }
}

void TfrmSelectDevice::reject() {
    // Escape that reached the dialog itself, and the close box: the logic cancels.
    if (dialog_ != nullptr && !dialog_->Closed()) {
        dialog_->FormClose();
    }
    if (isVisible()) {
        QDialog::reject();
    }
}

bool TfrmSelectDevice::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || dialog_ == nullptr) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::string control = watched->objectName().toStdString();
    switch (key->key()) {
    case Qt::Key_Escape: dialog_->KeyPress(control, SelectDeviceDialog::EscapeKey); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // An open drop-down list takes Enter for its choice first.
        if (auto* combo = qobject_cast<QComboBox*>(watched); combo != nullptr && combo->view()->isVisible()) {
            return false;
        }
        dialog_->KeyPress(control, SelectDeviceDialog::EnterKey);
        return true;
    default: return QDialog::eventFilter(watched, event);
    }
}

} // namespace vorn::gui
