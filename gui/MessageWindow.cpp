#include "gui/MessageWindow.h"

#include "gui/VornApplication.h"
#include "gui/WindowPlacement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

struct ButtonName {
    DialogButtons mask;
    const char* name;
};
constexpr ButtonName ButtonNames[] = {
    {Buttons::Yes, "btnYes"},           {Buttons::No, "btnNo"},       {Buttons::Ok, "btnOK"},
    {Buttons::Cancel, "btnCancel"},     {Buttons::Abort, "btnAbort"}, {Buttons::Retry, "btnRetry"},
    {Buttons::Ignore, "btnIgnore"},     {Buttons::All, "btnAll"},     {Buttons::NoToAll, "btnNoToAll"},
    {Buttons::YesToAll, "btnYesToAll"}, {Buttons::Help, "btnHelp"},   {Buttons::Close, "btnClose"},
};

QStyle::StandardPixmap IconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning: return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Error: return QStyle::SP_MessageBoxCritical;
    case MessageIcon::Information: return QStyle::SP_MessageBoxInformation;
    case MessageIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MessageIcon::None: break;
    }
    return QStyle::SP_CustomBase;
}

} // namespace

QString MessageWindow::ButtonName(DialogButtons mask) {
    for (const auto& button : ButtonNames) {
        if (button.mask == mask) {
            return QLatin1String(button.name);
        }
    }
    return {};
}

MessageWindow::MessageWindow(const MessageDialog& dialog, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      escape_(dialog.escapeResult) {
    setObjectName(QStringLiteral("frmMessage"));
    setModal(true);
    setWindowTitle(dialog.caption.empty() ? VornApplication::ProgramTitle()
                                          : QString::fromStdString(dialog.caption));

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    if (dialog.icon != MessageIcon::None) {
        const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        auto* icon = new QLabel(this);
        icon->setObjectName(QStringLiteral("imgIcon"));
        icon->setPixmap(style()->standardIcon(IconOf(dialog.icon), nullptr, this).pixmap(side, side));
        icon->setAlignment(Qt::AlignTop);
        body->addWidget(icon, 0, Qt::AlignTop);
    }
    // The text's own line breaks (CR, LF or both) become the label's lines.
    QStringList lines;
    for (const std::string& line : dialog.lines) {
        lines << QString::fromStdString(line);
    }
    auto* text = new QLabel(
        dialog.lines.empty() ? QString::fromStdString(dialog.text) : lines.join(QLatin1Char('\n')), this);
    text->setObjectName(QStringLiteral("lblMessage"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wide enough for a sentence on a line, narrow enough to read.
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    text->setMinimumWidth(22 * em);
    text->setMaximumWidth(40 * em);
    body->addWidget(text, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (std::size_t i = 0; i < dialog.buttons.size(); ++i) {
        const MessageButton& item = dialog.buttons[i];
        auto* button = new QPushButton(QString::fromStdString(item.caption), this);
        button->setObjectName(ButtonName(item.mask));
        button->setMinimumWidth(std::max(button->sizeHint().width(), 7 * em));
        const bool isDefault = static_cast<int>(i) == dialog.defaultButton;
        button->setDefault(isDefault);
        button->setAutoDefault(true);
        if (isDefault) {
            button->setFocus();
        }
        const DialogResult result = item.result;
        if (item.closes) {
            connect(button, &QPushButton::clicked, this, [this, result] {
                result_ = result;
                done(static_cast<int>(result));
            });
        }
        row->addWidget(button);
    }
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(18);
    layout->addLayout(body);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageWindow::reject() {
    result_ = escape_;
    done(static_cast<int>(escape_));
}

void MessageWindow::CentreOverOwner() {
    gui::CentreOverOwner(*this, parentWidget());
}

DialogResult MessageWindow::Ask() {
    CentreOverOwner();
    result_ = DialogResult::None;
    exec();
    return result_;
}

} // namespace vorn::gui
