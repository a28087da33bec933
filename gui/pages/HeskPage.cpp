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

void BuildHeskPage(QWidget* page) {
    const auto [left, right, leftLabels, rightLabels] = NewTwoColumns(page);

    QGroupBox* radio = NewGroup(page, "gbHESK_RadioParameters");
    QGridLayout* grid = NewGrid(radio);
    int row = 0;
    row = AddRow(grid, row, NewLabel(radio, "lblHESK_UnitRadioIdCode"),
                 {NewEdit(radio, "edtHESK_RadioIdCode", CodeChars)});
    row = AddRow(grid, row, NewLabel(radio, "lblHESK_MaxShortTx"), {NewEdit(radio, "edtHESK_MaxShortTx", 2)});
    row = AddRow(grid, row, NewLabel(radio, "lblHESK_MaxLongTx"), {NewEdit(radio, "edtHESK_MaxLongTx", 2)});
    row = AddRow(grid, row, NewLabel(radio, "lblHESK_MaxNumberOfBursts"),
                 {NewEdit(radio, "edtHESK_MaxNumberOfBursts", 2)});
    row = AddRow(grid, row, NewLabel(radio, "lblHESK_IgnoreAck"),
                 {NewFixedCombo(radio, "cbbxHESK_IgnoreAck", 8)});
    AddRow(grid, row, NewLabel(radio, "lblHESK_RadioControlMode"),
           {NewFixedCombo(radio, "cbbxHESK_RadioControlMode", 8)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(radio);

    QGroupBox* alarms = NewGroup(page, "gbHESK_TechnicalAlarms");
    grid = NewGrid(alarms);
    row = 0;
    row = AddRow(grid, row, NewLabel(alarms, "lblHESK_RadioTestAlarmInterval"),
                 {NewEdit(alarms, "edtHESK_RadioTestAlarmInterval", 3)});
    row = AddRow(grid, row, NewLabel(alarms, "lblHESK_NUmberOfMissedAckBeforeSleep"),
                 {NewEdit(alarms, "edtHESK_NumberOfMissedAck", 3)});
    row = AddRow(grid, row, NewLabel(alarms, "lblHESK_BatteryCheckInterval"),
                 {NewEdit(alarms, "edtHESK_BatteryCheckInterval", 3)});
    AddRow(grid, row, NewLabel(alarms, "lblHESK_CheckBatteryIn24VMode"),
           {NewFixedCombo(alarms, "cbbxHESK_CheckBatteryIn24VMode", 8)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(alarms);
    left->addStretch(1);

    QGroupBox* presence = NewGroup(page, "gbHESK_PresenceReady");
    grid = NewGrid(presence);
    row = 0;
    row = AddRow(grid, row, NewLabel(presence, "lblHESK_SingleButtonPresence"),
                 {NewFixedCombo(presence, "cbbxHESK_SingleButtonPresence", 8)});
    row = AddRow(grid, row, NewLabel(presence, "lblHESK_AutoReadyTime"),
                 {NewEdit(presence, "edtHESK_AutoReadyTime", 3)});
    AddRow(grid, row, NewLabel(presence, "lblHESK_LedFlashIndication"),
           {NewFixedCombo(presence, "cbbxHESK_LedFlashIndication", 8)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(presence);

    QGroupBox* info = NewGroup(page, "gbHESK_TechnicalInfo");
    grid = NewGrid(info);
    row = 0;
    row = AddRow(grid, row, NewLabel(info, "lblHESK_ProductionDate"),
                 {NewEdit(info, "edtHESK_ProductionDate", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblHESK_FirmwareType"),
                 {NewEdit(info, "edtHESK_FirmwareType", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblHESK_FirmwareVersion"),
                 {NewEdit(info, "edtHESK_FirmwareVersion", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblHESK_ProductName"),
                 {NewEdit(info, "edtHESK_ProductName", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblHESK_SerialNumber"),
                 {NewEdit(info, "edtHESK_SerialNumber", DisplayChars)});
    row = AddRow(grid, row, NewLabel(info, "lblHESK_RadioCalibration"),
                 {NewEdit(info, "edtHESK_RadioCalibration", DisplayChars)});
    AddRow(grid, row, NewLabel(info, "lblHESK_EquipmentType"), {NewEdit(info, "edtHESK_EquipmentType", 3)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(info);
    right->addStretch(1);
}

} // namespace vorn::gui
