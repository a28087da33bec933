#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

QString UserEvent(int n, const char* role) {
    return QStringLiteral("cbbxUserEvent_%1_%2").arg(n).arg(QLatin1String(role));
}

QFrame* NewRule(QWidget* parent) {
    auto* rule = new QFrame(parent);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

} // namespace

void BuildButtonsPage(QWidget* page) {
    auto* pageLayout = new QVBoxLayout(page);

    QGroupBox* group = NewGroup(page, "gbButtonPortsInputs");
    QGridLayout* grid = NewGrid(group);
    grid->setVerticalSpacing(9);
    enum Column { RowLabel, InputType, ConditionA, ConditionB, Action, Columns };
    grid->addWidget(NewHeader(group, QStringLiteral("lblUserEvent_InputType")), 0, InputType);
    grid->addWidget(NewHeader(group, QStringLiteral("lblButtonCondition")), 0, ConditionA, 1, 2);
    grid->addWidget(NewHeader(group, QStringLiteral("lblButtonAction")), 0, Action);

    // Rows 1-3 are the device's buttons, 4-5 its ports, 6-7 its wired inputs; a rule parts them.
    int row = 1;
    for (int n = 1; n <= 7; ++n) {
        if (n == 4 || n == 6) {
            grid->addWidget(NewRule(group), row++, RowLabel, 1, Columns);
        }
        grid->addWidget(NewLabel(group, QStringLiteral("lblUserEvent_%1").arg(n)), row, RowLabel);
        if (n >= 5) {
            grid->addWidget(NewCombo(group, UserEvent(n, "InputType"), 24), row, InputType);
        }
        grid->addWidget(NewCombo(group, UserEvent(n, "Condition_A"), 14), row, ConditionA);
        grid->addWidget(NewCombo(group, UserEvent(n, "Condition_B"), 14), row, ConditionB);
        grid->addWidget(NewCombo(group, UserEvent(n, "ActionReference"), 24), row, Action);
        ++row;
    }
    // The cable length belongs to the wired inputs: it sits under their input types.
    grid->addWidget(NewRule(group), row++, RowLabel, 1, Columns);
    auto* cable = NewLabel(group, QStringLiteral("lblInputCableLength"));
    cable->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(cable, row, RowLabel);
    grid->addWidget(NewCombo(group, QStringLiteral("cbbxCableLength"), 14), row, InputType);
    grid->setColumnStretch(InputType, 5);
    grid->setColumnStretch(ConditionA, 3);
    grid->setColumnStretch(ConditionB, 3);
    grid->setColumnStretch(Action, 6);

    pageLayout->addWidget(group);
    pageLayout->addStretch(1);
}

} // namespace vorn::gui
