#include "gui/TfrmChangeCode.h"

#include "gui/FieldBinder.h"
#include "gui/WindowPlacement.h"
#include "gui/WindowTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn::gui {

TfrmChangeCode::TfrmChangeCode(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmChangeCode"));
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    mmoNote_ = new QPlainTextEdit(this);
    mmoNote_->setObjectName(QtName(ChangeCodeDialog::NoteField));
    mmoNote_->setReadOnly(true);
    mmoNote_->setFocusPolicy(Qt::NoFocus);
    auto* lblNewCode = new QLabel(QStringLiteral("lblNewCode"), this);
    lblNewCode->setObjectName(QStringLiteral("lblNewCode"));
    edtNewCode_ = new QLineEdit(this);
    edtNewCode_->setObjectName(QtName(ChangeCodeDialog::NewCodeField));
    edtNewCode_->setFixedWidth(edtNewCode_->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 24);
    lblNewCode->setBuddy(edtNewCode_);
    auto* code = new QHBoxLayout;
    code->setSpacing(12);
    code->addWidget(lblNewCode);
    code->addWidget(edtNewCode_);
    code->addStretch(1);

    btnChange_ = new QPushButton(QStringLiteral("btnChange"), this);
    btnChange_->setObjectName(QStringLiteral("btnChange"));
    btnChange_->setDefault(true);
    btnClose_ = new QPushButton(QStringLiteral("btnClose"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));
    btnClose_->setAutoDefault(false);
    connect(btnChange_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnChangeClick();
        }
    });
    connect(btnClose_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnCloseClick();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnChange_);
    buttons->addWidget(btnClose_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(mmoNote_, 1);
    layout->addLayout(code);
    layout->addLayout(buttons);
}

TfrmChangeCode::~TfrmChangeCode() {
    Detach();
}

void TfrmChangeCode::Attach(ChangeCodeDialog& dialog) {
    Detach();
    dialog_ = &dialog;
    binder_ = std::make_unique<FieldBinder>(dialog.Fields(), *this);
    setWindowTitle(QString::fromStdString(dialog.Caption()));
    ApplyWindowTexts(*this, dialog.ControlTexts());
    dialog.SetStateObserver([this] {
        if (dialog_ != nullptr && dialog_->Closed() && isVisible()) {
            done(dialog_->Result());
        }
    });
    edtNewCode_->setFocus(Qt::OtherFocusReason);
}

void TfrmChangeCode::Detach() {
    if (dialog_ != nullptr) {
        dialog_->SetStateObserver({});
    }
    binder_.reset();
    dialog_ = nullptr;
}

void TfrmChangeCode::Show(ChangeCodeDialog& dialog) {
    Attach(dialog);
    CentreOverOwner(*this, parentWidget());
    if (!dialog.Closed()) {
        exec();
    }
    // However the window went, the dialog is closed now.
    dialog.btnCloseClick();
    Detach();
}

void TfrmChangeCode::reject() {
    // Escape and the close box: Close.
    if (dialog_ != nullptr && !dialog_->Closed()) {
        dialog_->btnCloseClick();
    }
    if (isVisible()) {
        QDialog::reject();
    }
}

} // namespace vorn::gui
