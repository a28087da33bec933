#include "gui/TfrmBackups.h"

#include "gui/FieldBinder.h"
#include "gui/WindowPlacement.h"
#include "gui/WindowTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vorn::gui {

TfrmBackups::TfrmBackups(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmBackups"));
    setModal(true);
    resize(ClientWidth, ClientHeight);

    auto* lblFilter = new QLabel(QStringLiteral("lblBackupsSerialFilter"), this);
    lblFilter->setObjectName(QStringLiteral("lblBackupsSerialFilter"));
    edtSerialFilter_ = new QLineEdit(this);
    edtSerialFilter_->setObjectName(QtName(BackupsDialog::SerialFilterField));
    edtSerialFilter_->setFixedWidth(
        edtSerialFilter_->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12 + 16);
    lblFilter->setBuddy(edtSerialFilter_);
    auto* filter = new QHBoxLayout;
    filter->setSpacing(12);
    filter->addWidget(lblFilter);
    filter->addWidget(edtSerialFilter_);
    filter->addStretch(1);

    lvBackups_ = new QTreeWidget(this);
    lvBackups_->setObjectName(QStringLiteral("lvBackups"));
    lvBackups_->setColumnCount(3);
    lvBackups_->setRootIsDecorated(false);
    lvBackups_->setUniformRowHeights(true);
    lvBackups_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvBackups_->header()->setStretchLastSection(true);
    connect(lvBackups_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (dialog_ != nullptr && !following_) {
            dialog_->Select(item == nullptr ? -1 : lvBackups_->indexOfTopLevelItem(item));
        }
    });
    connect(lvBackups_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnBackupsOpenClick();
        }
    });

    auto* lblNote = new QLabel(QStringLiteral("lblBackupsNote"), this);
    lblNote->setObjectName(QStringLiteral("lblBackupsNote"));
    lblNote->setWordWrap(true);
    lblNote->setTextInteractionFlags(Qt::TextSelectableByMouse);

    btnOpen_ = new QPushButton(QStringLiteral("btnBackupsOpen"), this);
    btnOpen_->setObjectName(QStringLiteral("btnBackupsOpen"));
    btnOpen_->setDefault(true);
    btnClose_ = new QPushButton(QStringLiteral("btnBackupsClose"), this);
    btnClose_->setObjectName(QStringLiteral("btnBackupsClose"));
    btnClose_->setAutoDefault(false);
    connect(btnOpen_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnBackupsOpenClick();
        }
    });
    connect(btnClose_, &QPushButton::clicked, this, [this] {
        if (dialog_ != nullptr) {
            dialog_->btnBackupsCloseClick();
        }
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOpen_);
    buttons->addWidget(btnClose_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(filter);
    layout->addWidget(lvBackups_, 1);
    layout->addWidget(lblNote);
    layout->addLayout(buttons);
}

TfrmBackups::~TfrmBackups() {
    Detach();
}

void TfrmBackups::Attach(BackupsDialog& dialog) {
    Detach();
    dialog_ = &dialog;
    binder_ = std::make_unique<FieldBinder>(dialog.Fields(), *this);
    setWindowTitle(QString::fromStdString(dialog.Caption()));
    ApplyWindowTexts(*this, dialog.ControlTexts());
    QStringList headers;
    for (const std::string& header : dialog.Headers()) {
        headers << QString::fromStdString(header);
    }
    lvBackups_->setHeaderLabels(headers);
    dialog.SetStateObserver([this] { Follow(); });
    Follow();
    edtSerialFilter_->setFocus(Qt::OtherFocusReason);
}

void TfrmBackups::Detach() {
    if (dialog_ != nullptr) {
        dialog_->SetStateObserver({});
    }
    binder_.reset();
    dialog_ = nullptr;
}

void TfrmBackups::Follow() {
    if (dialog_ == nullptr) {
        return;
    }
    following_ = true;
    const std::vector<BackupsDialog::Row>& rows = dialog_->Rows();
    if (lvBackups_->topLevelItemCount() != static_cast<int>(rows.size()) ||
        (!rows.empty() && lvBackups_->topLevelItem(0)->data(0, Qt::UserRole).toString() !=
                              QString::fromStdString(rows.front().path))) {
        lvBackups_->clear();
        for (const BackupsDialog::Row& row : rows) {
            auto* item = new QTreeWidgetItem(lvBackups_, {QString::fromStdString(row.model),
                                                          QString::fromStdString(row.serial),
                                                          QString::fromStdString(row.time)});
            item->setData(0, Qt::UserRole, QString::fromStdString(row.path));
            item->setToolTip(0, QString::fromStdString(row.path));
        }
        for (int column = 0; column < 2; ++column) {
            lvBackups_->resizeColumnToContents(column);
        }
    }
    const int selected = dialog_->Selected();
    lvBackups_->setCurrentItem(selected >= 0 ? lvBackups_->topLevelItem(selected) : nullptr);
    btnOpen_->setEnabled(dialog_->OpenEnabled());
    following_ = false;
    if (dialog_->Closed() && isVisible()) {
        done(dialog_->Result());
    }
}

void TfrmBackups::Show(BackupsDialog& dialog) {
    Attach(dialog);
    CentreOverOwner(*this, parentWidget());
    if (!dialog.Closed()) {
        exec();
    }
    // However the window went, the dialog is closed now.
    dialog.btnBackupsCloseClick();
    Detach();
}

void TfrmBackups::reject() {
    // Escape and the close box: Close.
    if (dialog_ != nullptr && !dialog_->Closed()) {
        dialog_->btnBackupsCloseClick();
    }
    if (isVisible()) {
        QDialog::reject();
    }
}

} // namespace vorn::gui
