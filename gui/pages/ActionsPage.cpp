#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"
#include "model/EditorLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vorn::gui {

void BuildActionsPage(QWidget* page) {
    auto* pageLayout = new QVBoxLayout(page);
    const LayoutGroup& layout = *GroupsOfPage("tbsActions").front();

    QGroupBox* group = NewGroup(page, layout.group.c_str());
    QGridLayout* grid = NewGrid(group);
    grid->setVerticalSpacing(3);
    enum Column { RowLabel, AlarmType, RadioId, Automatic, Relay1, Relay2 };
    grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[0])), 0, AlarmType);
    grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[1])), 0, RadioId, 1, 2);
    grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[3])), 0, Relay1);
    grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[4])), 0, Relay2);

    // The layout's columns: alarm type, radio ID code, automatic, relay 1, relay 2.
    constexpr int ListChars[] = {20, 0, 0, 12, 12};
    int i = 1;
    for (const LayoutRow& cells : layout.rows) {
        auto* number =
            NewLabel(group, QString::fromStdString(cells.label), QString::fromStdString(cells.caption));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, i, RowLabel);
        for (std::size_t c = 0; c < cells.fields.size(); ++c) {
            const QString name = QString::fromStdString(cells.fields[c]);
            const int column = static_cast<int>(c) + 1;
            if (column == RadioId) {
                grid->addWidget(NewEdit(group, name, CodeChars), i, column);
            } else if (column == Automatic) {
                grid->addWidget(NewCheck(group, name), i, column);
            } else {
                grid->addWidget(NewCombo(group, name, ListChars[c]), i, column);
            }
        }
        ++i;
    }
    grid->setColumnStretch(AlarmType, 6);
    grid->setColumnStretch(Relay1, 3);
    grid->setColumnStretch(Relay2, 3);
    grid->setColumnMinimumWidth(Automatic, 120);

    pageLayout->addWidget(group);
    pageLayout->addStretch(1);
}

} // namespace vorn::gui
