#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"

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

    QGroupBox* group = NewGroup(page, "gbRadioEvents");
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
    grid->addWidget(NewHeader(group, QStringLiteral("lblRadioEvent_PositionIdCode")), 0, PositionId);
    grid->addWidget(NewHeader(group, QStringLiteral("lblRadioEvent_RadioIdCode")), 0, RadioId, 1, 2);
    grid->addWidget(NewHeader(group, QStringLiteral("lblRadioEvent_AlarmType")), 0, AlarmType);
    grid->addWidget(NewHeader(group, QStringLiteral("lblRadioEvent_UserType")), 0, UserType);
    grid->addWidget(NewHeader(group, QStringLiteral("lblRadioEvent_Condition")), 0, ConditionA, 1, 2);
    grid->addWidget(NewHeader(group, QStringLiteral("lblRadioEvent_Action")), 0, Action);

    for (int n = 1; n <= 8; ++n) {
        const QString row = QString::number(n);
        auto list = [&](const char* role) {
            return QStringLiteral("cbbxRadioEvent_%1_%2").arg(row, QLatin1String(role));
        };
        auto* number = NewLabel(group, QStringLiteral("lblRadioEvent_") + row, row);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, n, RowLabel);
        grid->addWidget(NewEdit(group, QStringLiteral("edtRadioEvent_%1_PositionId").arg(row), CodeChars), n,
                        PositionId);
        grid->addWidget(NewEdit(group, QStringLiteral("edtRadioEvent_%1_RadioId").arg(row), CodeChars), n,
                        RadioId);
        // Captures the code of the transmitter activated next into this row (the window connects it).
        QPushButton* getCode =
            NewButton(group, QStringLiteral("btnRadioEvent_%1_GetRadioCode").arg(row), QStringLiteral("..."));
        getCode->setFixedWidth(getCode->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
        grid->addWidget(getCode, n, GetCode);
        grid->addWidget(NewCombo(group, list("AlarmType"), 16), n, AlarmType);
        grid->addWidget(NewCombo(group, list("UserType"), 10), n, UserType);
        grid->addWidget(NewCombo(group, list("Condition_A"), 10), n, ConditionA);
        grid->addWidget(NewCombo(group, list("Condition_B"), 10), n, ConditionB);
        grid->addWidget(NewCombo(group, list("ActionReference"), 16), n, Action);
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
