#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vorn::gui {

void BuildGofaRadioPage(QWidget* page) {
    const auto [left, right, leftLabels, rightLabels] = NewTwoColumns(page);

    QGroupBox* receiver = NewGroup(page, "gbGOFA_RadioReceiver");
    QGridLayout* grid = NewGrid(receiver);
    int row = 0;
    for (int n = 1; n <= 8; ++n) {
        row = AddRow(grid, row, NewLabel(receiver, QStringLiteral("lblGOFA_Id%1").arg(n)),
                     {NewEdit(receiver, QStringLiteral("edtGOFA_IdCode%1").arg(n), CodeChars)});
    }
    row = AddRow(grid, row, NewLabel(receiver, "lblGOFA_SendAck"),
                 {NewFixedCombo(receiver, "cbbxGOFA_SendAck", 8)});
    row = AddRow(grid, row, NewLabel(receiver, "lblGOFA_HalvoSystemId"),
                 {NewEdit(receiver, "edtGOFA_HalvoSystemId", NumberChars)});
    row = AddRow(grid, row, NewLabel(receiver, "lblGOFA_GroupActivationCode"),
                 {NewEdit(receiver, "edtGOFA_GroupActivationCode", 3)});
    AddRow(grid, row, NewLabel(receiver, "lblGOFA_ReceiveFrequencyBand"),
           {NewFixedCombo(receiver, "cbbxGOFA_RxFrequencyBand", 14)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(receiver);

    QGroupBox* plugAndPlay = NewGroup(page, "gbGOFA_PlugNPlay");
    grid = NewGrid(plugAndPlay);
    AddRow(grid, 0, NewLabel(plugAndPlay, "lblGOFA_EquipmentType"),
           {NewEdit(plugAndPlay, "edtGOFA_EquipmentType", 3)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(plugAndPlay);
    left->addStretch(1);

    QGroupBox* transmitter = NewGroup(page, "gbGOFA_RadioTransmitter");
    grid = NewGrid(transmitter);
    row = 0;
    row = AddRow(grid, row, NewLabel(transmitter, "lblGOFA_UnitIdCode"),
                 {NewEdit(transmitter, "edtGOFA_UnitIdCode", CodeChars)});
    row = AddRow(grid, row, NewLabel(transmitter, "lblGOFA_MaxShort"),
                 {NewEdit(transmitter, "edtGOFA_MaxShort", 2)});
    row = AddRow(grid, row, NewLabel(transmitter, "lblGOFA_MaxLong"),
                 {NewEdit(transmitter, "edtGOFA_MaxLong", 2)});
    row = AddRow(grid, row, NewLabel(transmitter, "lblGOFA_MaxBursts"),
                 {NewEdit(transmitter, "edtGOFA_MaxBursts", 2)});
    row = AddRow(grid, row, NewLabel(transmitter, "lblGOFA_TimeBetweenBursts"),
                 {NewEdit(transmitter, "edtGOFA_TimeBetweenBursts", 2)});
    row = AddRow(grid, row, NewLabel(transmitter, "lblGOFA_IgnoreReceivedAck"),
                 {NewFixedCombo(transmitter, "cbbxGOFA_IgnoreAck", 8)});
    row = AddRow(grid, row, NewLabel(transmitter, "lblGOFA_RadioTestAlarmInterval"),
                 {NewEdit(transmitter, "edtGOFA_RadioTestInterval", NumberChars)});
    AddRow(grid, row, NewLabel(transmitter, "lblGOFA_TransmitFrequencyBand"),
           {NewFixedCombo(transmitter, "cbbxGOFA_TxFrequencyBand", 14)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(transmitter);

    QGroupBox* alarms = NewGroup(page, "gbGOFA_AlarmTypes");
    grid = NewGrid(alarms);
    row = 0;
    const char* alarmRows[][2] = {{"lblGOFA_AlarmTypeButton", "cbbxGOFA_AlarmTypeButton"},
                                  {"lblGOFA_AlarmTypeTamper", "cbbxGOFA_AlarmTypeTamper"},
                                  {"lblGOFA_AlarmTypeAntennaFailure", "cbbxGOFA_AlarmTypeAntennaFailure"},
                                  {"lblGOFA_AlarmTypeExternalInput", "cbbxGOFA_AlarmTypeExternalInput"},
                                  {"lblGOFA_AlarmTypeRadioTest", "cbbxGOFA_AlarmTypeRadioTest"}};
    for (const auto& alarm : alarmRows) {
        row = AddRow(grid, row, NewLabel(alarms, alarm[0]), {NewFixedCombo(alarms, alarm[1], 16)});
    }
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(alarms);
    right->addStretch(1);
}

} // namespace vorn::gui
