#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"
#include "model/EditorLayout.h"
#include "model/FamilyAMap.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

QFrame* NewRule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

// The lists of each column: input type, conditions A and B, the action.
constexpr int ColumnChars[] = {24, 14, 14, 24};

} // namespace

void BuildButtonsPage(QWidget* page) {
    auto* pageLayout = new QVBoxLayout(page);
    const LayoutGroup& layout = *GroupsOfPage("tbsButtons").front();

    QGroupBox* group = NewGroup(page, layout.group.c_str());
    QGridLayout* grid = NewGrid(group);
    grid->setVerticalSpacing(9);
    enum Column { RowLabel, InputType, ConditionA, ConditionB, Action, Columns };
    grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[0])), 0, InputType);
    grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[1])), 0, ConditionA, 1, 2);
    grid->addWidget(NewHeader(group, QString::fromStdString(layout.headers[3])), 0, Action);

    // Rows 1-3 are the device's buttons, 4-5 its ports, 6-7 its wired inputs, then the wired inputs'
    // cable length under their input types; a rule parts them.
    constexpr std::size_t CableLengthRow = FamilyAMap::UserEventCount;
    int row = 1;
    for (std::size_t n = 0; n < layout.rows.size(); ++n) {
        if (n == 3 || n == 5 || n == CableLengthRow) {
            grid->addWidget(NewRule(group), row++, RowLabel, 1, Columns);
        }
        const LayoutRow& cells = layout.rows[n];
        QLabel* label = NewLabel(group, QString::fromStdString(cells.label));
        if (n == CableLengthRow) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        grid->addWidget(label, row, RowLabel);
        for (std::size_t c = 0; c < cells.fields.size(); ++c) {
            if (!cells.fields[c].empty()) {
                grid->addWidget(NewCombo(group, QString::fromStdString(cells.fields[c]), ColumnChars[c]), row,
                                static_cast<int>(c) + 1);
            }
        }
        ++row;
    }
    grid->setColumnStretch(InputType, 5);
    grid->setColumnStretch(ConditionA, 3);
    grid->setColumnStretch(ConditionB, 3);
    grid->setColumnStretch(Action, 6);

    pageLayout->addWidget(group);
    pageLayout->addStretch(1);
}

} // namespace vorn::gui
