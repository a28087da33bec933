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

void BuildPreferencesPage(QWidget* page) {
    const auto [left, right, leftLabels, rightLabels] = NewTwoColumns(page);

    QGroupBox* radio = NewGroup(page, "gbRadioParameters");
    QGridLayout* grid = NewGrid(radio);
    int row = 0;
    row = AddRow(grid, row, NewLabel(radio, "lblUnitRadioIdCode"),
                 {NewEdit(radio, "edtUnitRadioIdCode", CodeChars)});
    row = AddRow(grid, row, NewLabel(radio, "lblSendAck"), {NewFixedCombo(radio, "cbbxSendAck", 8)});
    row = AddRow(grid, row, NewLabel(radio, "lblIgnoreAck"), {NewFixedCombo(radio, "cbbxIgnoreAck", 8)});
    row = AddRow(grid, row, NewLabel(radio, "lblMaxShortTx"), {NewEdit(radio, "edtMaxShortTx", 2)});
    row = AddRow(grid, row, NewLabel(radio, "lblMaxLongTx"), {NewEdit(radio, "edtMaxLongTx", 2)});
    row = AddRow(grid, row, NewLabel(radio, "lblMaxNumberOfBursts"),
                 {NewEdit(radio, "edtMaxNumberOfBursts", 2)});
    row = AddRow(grid, row, NewLabel(radio, "lblTimeBetweenBursts"),
                 {NewEdit(radio, "edtTimeBetweenBursts", 2)});
    row = AddRow(grid, row, NewLabel(radio, "lblTxFrequencyBand"),
                 {NewFixedCombo(radio, "cbbxTxFrequencyBand", 14)});
    row = AddRow(grid, row, NewLabel(radio, "lblRxFrequencyBand"),
                 {NewFixedCombo(radio, "cbbxRxFrequencyBand", 14)});
    AddRow(grid, row, NewLabel(radio, "lblHalvoSystemId"), {NewEdit(radio, "edtHalvoSystemId", NumberChars)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(radio);

    QGroupBox* alarms = NewGroup(page, "gbTechnicalAlarms");
    grid = NewGrid(alarms);
    row = 0;
    row = AddRow(grid, row, NewLabel(alarms, "lblRadioTestAlarmInterval"),
                 {NewEdit(alarms, "edtRadioTestAlarmInterval", 3)});
    row = AddRow(grid, row, NewLabel(alarms, "lblNumberOfMissedAckBeforeSleep"),
                 {NewEdit(alarms, "edtNumberOfMissedAckBeforeSleep", 3)});
    row = AddRow(grid, row, NewLabel(alarms, "lblBatteryCheckInterval"),
                 {NewEdit(alarms, "edtBatteryCheckInterval", 3)});
    AddRow(grid, row, NewLabel(alarms, "lblCheckBatteryIn24Vmode"),
           {NewFixedCombo(alarms, "cbbxCheckBatteryIn24Vmode", 8)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(alarms);
    left->addStretch(1);

    QGroupBox* relays = NewGroup(page, "gbRelayOutputs");
    grid = NewGrid(relays);
    row = 0;
    row = AddRow(grid, row, NewLabel(relays, "lblContactType_OUT1"),
                 {NewFixedCombo(relays, "cbbxOutput_1_Contact", 14)});
    row = AddRow(grid, row, NewLabel(relays, "lblGroupActivationCodes_OUT1"),
                 {NewEdit(relays, "edtOutput_1_GroupActivationCode_1", 3),
                  NewEdit(relays, "edtOutput_1_GroupActivationCode_2", 3)});
    row = AddRow(grid, row, NewLabel(relays, "lblContactType_OUT2"),
                 {NewFixedCombo(relays, "cbbxOutput_2_Contact", 14)});
    row = AddRow(grid, row, NewLabel(relays, "lblGroupActivationCodes_OUT2"),
                 {NewEdit(relays, "edtOutput_2_GroupActivationCode_1", 3),
                  NewEdit(relays, "edtOutput_2_GroupActivationCode_2", 3)});
    AddRow(grid, row, NewLabel(relays, "lblPulseActivationTime"),
           {NewEdit(relays, "medtPulseActivationTime", 7)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(relays);

    QGroupBox* info = NewGroup(page, "gbTechnicalInfo");
    grid = NewGrid(info);
    row = 0;
    row = AddRow(grid, row, NewLabel(info, "lblProductionDate"),
                 {NewEdit(info, "edtProductionDate", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblFirmwareType"),
                 {NewEdit(info, "edtFirmwareType", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblFirmwareVersion"),
                 {NewEdit(info, "edtFirmwareVersion", DisplayChars)});
    row =
        AddRow(grid, row, NewLabel(info, "lblProductName"), {NewEdit(info, "edtProductName", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblSerialNumber"),
                 {NewEdit(info, "edtSerialNumber", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblRadioCalibration"),
                 {NewEdit(info, "edtRadioCalibration", DisplayChars)});
    AddRow(grid, row, NewLabel(info, "lblEquipmentType"), {NewEdit(info, "edtEquipmentType", 3)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(info);
    right->addStretch(1);
}

} // namespace vorn::gui
