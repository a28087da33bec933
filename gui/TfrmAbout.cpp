#include "gui/TfrmAbout.h"

#include "gui/MakerLogo.h"
#include "gui/WindowPlacement.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

QLabel* NewLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(QLatin1String(name), parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    imgLogo_ = new QLabel(this);
    imgLogo_->setObjectName(QStringLiteral("imgLogo"));
    imgLogo_->setFixedSize(MakerLogoSize, MakerLogoSize);
    imgLogo_->setPixmap(MakerLogo(devicePixelRatioF()));
    imgLogo_->hide(); // shown once the window is first filled

    lblApplicationName_ = NewLabel(this, "lblApplicationName");
    QFont title = lblApplicationName_->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.25);
    lblApplicationName_->setFont(title);
    lblApplicationVersion_ = NewLabel(this, "lblApplicationVersion");
    lblCopyright_ = NewLabel(this, "lblCopyright");
    lblCompanyName_ = NewLabel(this, "lblCompanyName");
    lblKduInfo_ = NewLabel(this, "lblKduInfo");
    mmoInfo_ = new QPlainTextEdit(this);
    mmoInfo_->setObjectName(QStringLiteral("mmoInfo"));
    mmoInfo_->setReadOnly(true);
    btnOk_ = new QPushButton(QStringLiteral("OK"), this);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    connect(btnOk_, &QPushButton::clicked, this, &QDialog::accept);

    auto* names = new QVBoxLayout;
    names->setSpacing(4);
    names->addWidget(lblApplicationName_);
    names->addWidget(lblApplicationVersion_);
    names->addSpacing(6);
    names->addWidget(lblCopyright_);
    names->addWidget(lblCompanyName_);
    names->addStretch(1);
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(imgLogo_, 0, Qt::AlignTop);
    top->addLayout(names, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(lblKduInfo_);
    layout->addWidget(mmoInfo_, 1);
    layout->addLayout(buttons);
}

void TfrmAbout::Fill(const AboutWindowData& about) {
    setWindowTitle(QString::fromStdString(about.caption));
    lblApplicationName_->setText(QString::fromStdString(about.applicationName));
    lblApplicationVersion_->setText(QString::fromStdString(about.applicationVersion));
    lblCopyright_->setText(QString::fromStdString(about.copyright));
    lblCompanyName_->setText(QString::fromStdString(about.companyName));
    lblKduInfo_->setText(QString::fromStdString(about.kduInfo));
    QStringList lines;
    for (const std::string& line : about.info) {
        lines << QString::fromStdString(line);
    }
    mmoInfo_->setPlainText(lines.join(QLatin1Char('\n')));
    btnOk_->setText(QString::fromStdString(about.okCaption));
    imgLogo_->show();
}

void TfrmAbout::ShowAbout(const AboutWindowData& about) {
    Fill(about);
    CentreOverOwner(*this, parentWidget());
    exec();
}

} // namespace vorn::gui
