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
    auto combo = [](QWidget* group, const char* name, int chars) {
        QComboBox* box = NewCombo(group, QLatin1String(name), chars);
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return box;
    };

    QGroupBox* radio = NewGroup(page, "gbRadioParameters");
    QGridLayout* grid = NewGrid(radio);
    int row = 0;
    row =
        AddRow(grid, row, label(radio, "lblUnitRadioIdCode"), {edit(radio, "edtUnitRadioIdCode", CodeChars)});
    row = AddRow(grid, row, label(radio, "lblSendAck"), {combo(radio, "cbbxSendAck", 8)});
    row = AddRow(grid, row, label(radio, "lblIgnoreAck"), {combo(radio, "cbbxIgnoreAck", 8)});
    row = AddRow(grid, row, label(radio, "lblMaxShortTx"), {edit(radio, "edtMaxShortTx", 2)});
    row = AddRow(grid, row, label(radio, "lblMaxLongTx"), {edit(radio, "edtMaxLongTx", 2)});
    row = AddRow(grid, row, label(radio, "lblMaxNumberOfBursts"), {edit(radio, "edtMaxNumberOfBursts", 2)});
    row = AddRow(grid, row, label(radio, "lblTimeBetweenBursts"), {edit(radio, "edtTimeBetweenBursts", 2)});
    row = AddRow(grid, row, label(radio, "lblTxFrequencyBand"), {combo(radio, "cbbxTxFrequencyBand", 14)});
    row = AddRow(grid, row, label(radio, "lblRxFrequencyBand"), {combo(radio, "cbbxRxFrequencyBand", 14)});
    AddRow(grid, row, label(radio, "lblHalvoSystemId"), {edit(radio, "edtHalvoSystemId", NumberChars)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(radio);

    QGroupBox* alarms = NewGroup(page, "gbTechnicalAlarms");
    grid = NewGrid(alarms);
    row = 0;
    row = AddRow(grid, row, label(alarms, "lblRadioTestAlarmInterval"),
                 {edit(alarms, "edtRadioTestAlarmInterval", 3)});
    row = AddRow(grid, row, label(alarms, "lblNumberOfMissedAckBeforeSleep"),
                 {edit(alarms, "edtNumberOfMissedAckBeforeSleep", 3)});
    row = AddRow(grid, row, label(alarms, "lblBatteryCheckInterval"),
                 {edit(alarms, "edtBatteryCheckInterval", 3)});
    AddRow(grid, row, label(alarms, "lblCheckBatteryIn24Vmode"),
           {combo(alarms, "cbbxCheckBatteryIn24Vmode", 8)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(alarms);
    left->addStretch(1);

    QGroupBox* relays = NewGroup(page, "gbRelayOutputs");
    grid = NewGrid(relays);
    row = 0;
    row =
        AddRow(grid, row, label(relays, "lblContactType_OUT1"), {combo(relays, "cbbxOutput_1_Contact", 14)});
    row = AddRow(grid, row, label(relays, "lblGroupActivationCodes_OUT1"),
                 {edit(relays, "edtOutput_1_GroupActivationCode_1", 3),
                  edit(relays, "edtOutput_1_GroupActivationCode_2", 3)});
    row =
        AddRow(grid, row, label(relays, "lblContactType_OUT2"), {combo(relays, "cbbxOutput_2_Contact", 14)});
    row = AddRow(grid, row, label(relays, "lblGroupActivationCodes_OUT2"),
                 {edit(relays, "edtOutput_2_GroupActivationCode_1", 3),
                  edit(relays, "edtOutput_2_GroupActivationCode_2", 3)});
    AddRow(grid, row, label(relays, "lblPulseActivationTime"), {edit(relays, "medtPulseActivationTime", 7)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(relays);

    QGroupBox* info = NewGroup(page, "gbTechnicalInfo");
    grid = NewGrid(info);
    row = 0;
    row =
        AddRow(grid, row, label(info, "lblProductionDate"), {edit(info, "edtProductionDate", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblFirmwareType"), {edit(info, "edtFirmwareType", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblFirmwareVersion"),
                 {edit(info, "edtFirmwareVersion", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblProductName"), {edit(info, "edtProductName", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblSerialNumber"), {edit(info, "edtSerialNumber", DisplayChars)});
    row = AddRow(grid, row, label(info, "lblRadioCalibration"),
                 {edit(info, "edtRadioCalibration", DisplayChars)});
    AddRow(grid, row, label(info, "lblEquipmentType"), {edit(info, "edtEquipmentType", 3)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(info);
    right->addStretch(1);
}

} // namespace vorn::gui
