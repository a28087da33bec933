#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"
#include "model/EditorLayout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn::gui {

void BuildRadioEventsPage(QWidget* page) {
    auto* pageLayout = new QVBoxLayout(page);
    const LayoutGroup& layout = *GroupsOfPage("tbsRadioEvents").front();

    QGroupBox* group = NewGroup(page, layout.group.c_str());
    QGridLayout* grid = NewGrid(group);
    grid->setVerticalSpacing(8);
    enum Column {
        RowLabel,
        PositionId,
        RadioId,
        GetCode,
        AlarmType,
        UserType,
        ConditionA,
        ConditionB,
        Action
    };
    // The layout's columns, and where each sits: the radio ID code shares its header with the button
    // that captures it.
    constexpr int GridColumn[] = {PositionId, RadioId, AlarmType, UserType, ConditionA, ConditionB, Action};
    constexpr int ListChars[] = {0, 0, 16, 10, 10, 10, 16};
    auto header = [&](std::size_t column, int span) {
        grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[column])), 0,
                        GridColumn[column], 1, span);
    };
    header(0, 1);
    header(1, 2);
    header(2, 1);
    header(3, 1);
    header(4, 2);
    header(6, 1);

    int n = 1;
    for (const LayoutRow& cells : layout.rows) {
        auto* number =
            NewLabel(group, QString::fromStdString(cells.label), QString::fromStdString(cells.caption));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, n, RowLabel);
        for (std::size_t c = 0; c < cells.fields.size(); ++c) {
            const QString name = QString::fromStdString(cells.fields[c]);
            QWidget* control = ListChars[c] == 0 ? static_cast<QWidget*>(NewEdit(group, name, CodeChars))
                                                 : NewCombo(group, name, ListChars[c]);
            grid->addWidget(control, n, GridColumn[c]);
            if (GridColumn[c] == RadioId) {
                // Captures the code of the transmitter activated next into this row (the window
                // connects it).
                QPushButton* getCode = NewButton(
                    group, QStringLiteral("btnRadioEvent_%1_GetRadioCode").arg(n), QStringLiteral("..."));
                getCode->setFixedWidth(getCode->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
                grid->addWidget(getCode, n, GetCode);
            }
        }
        ++n;
    }
    grid->setColumnStretch(AlarmType, 5);
    grid->setColumnStretch(UserType, 3);
    grid->setColumnStretch(ConditionA, 3);
    grid->setColumnStretch(ConditionB, 3);
    grid->setColumnStretch(Action, 6);

    pageLayout->addWidget(group);
    pageLayout->addStretch(1);
}

} // namespace vorn::gui
