#include "gui/TfrmCompare.h"

#include "gui/WindowPlacement.h"
#include "gui/WindowTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vorn::gui {

TfrmCompare::TfrmCompare(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmCompare"));
    setModal(true);
    resize(ClientWidth, ClientHeight);

    auto* lblSummary = new QLabel(QStringLiteral("lblCompareSummary"), this);
    lblSummary->setObjectName(QStringLiteral("lblCompareSummary"));
    lblSummary->setWordWrap(true);

    lvCompare_ = new QTreeWidget(this);
    lvCompare_->setObjectName(QStringLiteral("lvCompare"));
    lvCompare_->setColumnCount(3);
    lvCompare_->setRootIsDecorated(false);
    lvCompare_->setSelectionMode(QAbstractItemView::NoSelection);
    lvCompare_->setWordWrap(true);
    lvCompare_->header()->setSectionResizeMode(QHeaderView::Stretch);

    btnTake_ = new QPushButton(QStringLiteral("btnCompareTake"), this);
    btnTake_->setObjectName(QStringLiteral("btnCompareTake"));
    btnTake_->setAutoDefault(false);
    btnClose_ = new QPushButton(QStringLiteral("btnCompareClose"), this);
    btnClose_->setObjectName(QStringLiteral("btnCompareClose"));
    btnClose_->setDefault(true);
    connect(btnTake_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnCompareTakeClick();
        }
    });
    connect(btnClose_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnCompareCloseClick();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnTake_);
    buttons->addWidget(btnClose_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(lblSummary);
    layout->addWidget(lvCompare_, 1);
    layout->addLayout(buttons);
}

TfrmCompare::~TfrmCompare() {
    Detach();
}

void TfrmCompare::Attach(CompareDialog& dialog) {
    Detach();
    dialog_ = &dialog;
    setWindowTitle(QString::fromStdString(dialog.Caption()));
    ApplyWindowTexts(*this, dialog.ControlTexts());
    QStringList headers;
    for (const std::string& header : dialog.Headers()) {
        headers << QString::fromStdString(header);
    }
    lvCompare_->setHeaderLabels(headers);
    lvCompare_->clear();
    for (const FieldDifference& row : dialog.Rows()) {
        auto* item = new QTreeWidgetItem(lvCompare_, {QString::fromStdString(row.caption),
                                                      QString::fromStdString(row.first),
                                                      QString::fromStdString(row.second)});
        item->setToolTip(0, QString::fromStdString(row.field));
    }
    dialog.SetStateObserver([this] {
        if (dialog_ != nullptr && dialog_->Closed() && isVisible()) {
            done(dialog_->Result());
        }
    });
    btnClose_->setFocus(Qt::OtherFocusReason);
}

void TfrmCompare::Detach() {
    if (dialog_ != nullptr) {
        dialog_->SetStateObserver({});
    }
    dialog_ = nullptr;
}

void TfrmCompare::Show(CompareDialog& dialog) {
    Attach(dialog);
    CentreOverOwner(*this, parentWidget());
    if (!dialog.Closed()) {
        exec();
    }
    dialog.btnCompareCloseClick();
    Detach();
}

void TfrmCompare::reject() {
    if (dialog_ != nullptr && !dialog_->Closed()) {
        dialog_->btnCompareCloseClick();
    }
    if (isVisible()) {
        QDialog::reject();
    }
}

} // namespace vorn::gui
