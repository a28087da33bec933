#include "gui/WindowTexts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>

namespace vorn::gui {

void ApplyWindowTexts(QWidget& window, const std::vector<ControlText>& texts) {
    for (const ControlText& text : texts) {
        auto* widget = window.findChild<QWidget*>(QString::fromStdString(text.control));
        if (widget == nullptr) {
            continue;
        }
        const QString value = QString::fromStdString(text.text);
        if (text.property == ControlProperty::Hint) {
            widget->setToolTip(value);
        } else if (text.property != ControlProperty::Caption) {
            continue;
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(value);
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            group->setTitle(value);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(value);
        }
    }
}

QString JoinLines(const std::vector<std::string>& lines) {
    QStringList joined;
    for (const std::string& line : lines) {
        joined << QString::fromStdString(line);
    }
    return joined.join(QLatin1Char('\n'));
}

} // namespace vorn::gui
