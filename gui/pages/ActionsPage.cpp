#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"
#include "model/Conversion.h"

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

    QGroupBox* group = NewGroup(page, "gbActions");
    QGridLayout* grid = NewGrid(group);
    grid->setVerticalSpacing(3);
    enum Column { RowLabel, AlarmType, RadioId, Automatic, Relay1, Relay2 };
    grid->addWidget(NewHeader(group, QStringLiteral("lblAction_AlarmType")), 0, AlarmType);
    grid->addWidget(NewHeader(group, QStringLiteral("lblAction_RadioIdCode")), 0, RadioId, 1, 2);
    grid->addWidget(NewHeader(group, QStringLiteral("lblAction_Relay_1_Action")), 0, Relay1);
    grid->addWidget(NewHeader(group, QStringLiteral("lblAction_Relay_2_Action")), 0, Relay2);

    // Rows 1 to 15 are named 1-9 and A-F in the controls and numbered 1 to 15 on screen.
    for (int i = 1; i <= 15; ++i) {
        const QString row = QString::fromStdString(ActionRowName(i));
        auto* number = NewLabel(group, QStringLiteral("lblAction_") + row, QString::number(i));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, i, RowLabel);
        grid->addWidget(NewCombo(group, QStringLiteral("cbbxAction_%1_AlarmType").arg(row), 20), i,
                        AlarmType);
        grid->addWidget(NewEdit(group, QStringLiteral("edtAction_%1_RadioId").arg(row), CodeChars), i,
                        RadioId);
        grid->addWidget(NewCheck(group, QStringLiteral("cbAction_%1_Auto").arg(row)), i, Automatic);
        grid->addWidget(NewCombo(group, QStringLiteral("cbbxAction_%1_Relay_1").arg(row), 12), i, Relay1);
        grid->addWidget(NewCombo(group, QStringLiteral("cbbxAction_%1_Relay_2").arg(row), 12), i, Relay2);
    }
    grid->setColumnStretch(AlarmType, 6);
    grid->setColumnStretch(Relay1, 3);
    grid->setColumnStretch(Relay2, 3);
    grid->setColumnMinimumWidth(Automatic, 120);

    pageLayout->addWidget(group);
    pageLayout->addStretch(1);
}

} // namespace vorn::gui
