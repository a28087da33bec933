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
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* leftLabels = new AlignedColumns(page);
    auto* rightLabels = new AlignedColumns(page);

    auto label = [](QWidget* group, const char* name) { return NewLabel(group, QLatin1String(name)); };
    auto edit = [](QWidget* group, const char* name, int chars) {
        return NewEdit(group, QLatin1String(name), chars);
    };
    auto combo = [](QWidget* group, const char* name) {
        QComboBox* box = NewCombo(group, QLatin1String(name), 8);
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return box;
    };

    QGroupBox* radio = NewGroup(page, "gbHESK_RadioParameters");
    QGridLayout* grid = NewGrid(radio);
    int row = 0;
    row = AddRow(grid, row, label(radio, "lblHESK_UnitRadioIdCode"),
                 {edit(radio, "edtHESK_RadioIdCode", CodeChars)});
    row = AddRow(grid, row, label(radio, "lblHESK_MaxShortTx"), {edit(radio, "edtHESK_MaxShortTx", 2)});
    row = AddRow(grid, row, label(radio, "lblHESK_MaxLongTx"), {edit(radio, "edtHESK_MaxLongTx", 2)});
    row = AddRow(grid, row, label(radio, "lblHESK_MaxNumberOfBursts"),
                 {edit(radio, "edtHESK_MaxNumberOfBursts", 2)});
    row = AddRow(grid, row, label(radio, "lblHESK_IgnoreAck"), {combo(radio, "cbbxHESK_IgnoreAck")});
    AddRow(grid, row, label(radio, "lblHESK_RadioControlMode"), {combo(radio, "cbbxHESK_RadioControlMode")});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(radio);

    QGroupBox* alarms = NewGroup(page, "gbHESK_TechnicalAlarms");
    grid = NewGrid(alarms);
    row = 0;
    row = AddRow(grid, row, label(alarms, "lblHESK_RadioTestAlarmInterval"),
                 {edit(alarms, "edtHESK_RadioTestAlarmInterval", 3)});
    row = AddRow(grid, row, label(alarms, "lblHESK_NUmberOfMissedAckBeforeSleep"),
                 {edit(alarms, "edtHESK_NumberOfMissedAck", 3)});
    row = AddRow(grid, row, label(alarms, "lblHESK_BatteryCheckInterval"),
                 {edit(alarms, "edtHESK_BatteryCheckInterval", 3)});
    AddRow(grid, row, label(alarms, "lblHESK_CheckBatteryIn24VMode"),
           {combo(alarms, "cbbxHESK_CheckBatteryIn24VMode")});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(alarms);
    left->addStretch(1);

    QGroupBox* presence = NewGroup(page, "gbHESK_PresenceReady");
    grid = NewGrid(presence);
    row = 0;
    row = AddRow(grid, row, label(presence, "lblHESK_SingleButtonPresence"),
                 {combo(presence, "cbbxHESK_SingleButtonPresence")});
    row = AddRow(grid, row, label(presence, "lblHESK_AutoReadyTime"),
                 {edit(presence, "edtHESK_AutoReadyTime", 3)});
    AddRow(grid, row, label(presence, "lblHESK_LedFlashIndication"),
           {combo(presence, "cbbxHESK_LedFlashIndication")});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(presence);

    QGroupBox* info = NewGroup(page, "gbHESK_TechnicalInfo");
    grid = NewGrid(info);
    row = 0;
    row = AddRow(grid, row, label(info, "lblHESK_ProductionDate"),
                 {edit(info, "edtHESK_ProductionDate", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblHESK_FirmwareType"),
                 {edit(info, "edtHESK_FirmwareType", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblHESK_FirmwareVersion"),
                 {edit(info, "edtHESK_FirmwareVersion", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblHESK_ProductName"),
                 {edit(info, "edtHESK_ProductName", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblHESK_SerialNumber"),
                 {edit(info, "edtHESK_SerialNumber", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblHESK_RadioCalibration"),
                 {edit(info, "edtHESK_RadioCalibration", DisplayChars)});
    AddRow(grid, row, label(info, "lblHESK_EquipmentType"), {edit(info, "edtHESK_EquipmentType", 3)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(info);
    right->addStretch(1);
}

} // namespace vorn::gui
