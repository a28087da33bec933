#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"

#include <array>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

// The columns of the four groups whose settings exist twice: as the unit's switches read them and as
// the override the unit uses when its DIP switch 1 is on.
enum Column { Caption, Read, Switch, ReadRange, Override, Columns };

struct SwitchGroup {
    QGroupBox* group;
    QGridLayout* grid;
    int row = 1;
};

SwitchGroup NewSwitchGroup(QWidget* page, const char* name, const char* readHeader,
                           const char* overrideHeader) {
    SwitchGroup g{NewGroup(page, name), nullptr};
    g.grid = NewGrid(g.group);
    g.grid->addWidget(NewHeader(g.group, QLatin1String(readHeader)), 0, Read, 1, 3);
    g.grid->addWidget(NewHeader(g.group, QLatin1String(overrideHeader)), 0, Override);
    g.grid->setColumnStretch(Override, 1);
    return g;
}

QLabel* Fixed(QWidget* group, const char* name, const char* caption) {
    QLabel* label = NewLabel(group, QLatin1String(name), QString::fromUtf8(caption));
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

// One row: its caption, the read field with the switch that sets it and that field's range, and the
// override field with its range right after it. Any part may be missing.
void AddSwitchRow(SwitchGroup& g, QLabel* caption, QWidget* read, QLabel* switchCaption, QLabel* readRange,
                  QWidget* override, QLabel* overrideRange) {
    g.grid->addWidget(caption, g.row, Caption);
    const std::array<std::pair<QWidget*, int>, 3> cells{
        {{read, Read}, {switchCaption, Switch}, {readRange, ReadRange}}};
    for (const auto& [widget, column] : cells) {
        if (widget != nullptr) {
            g.grid->addWidget(widget, g.row, column, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (override != nullptr) {
        auto* cell = new QHBoxLayout;
        cell->setSpacing(8);
        cell->addWidget(override);
        if (overrideRange != nullptr) {
            cell->addWidget(overrideRange);
        }
        cell->addStretch(1);
        g.grid->addLayout(cell, g.row, Override);
    }
    ++g.row;
}

QComboBox* FixedCombo(QWidget* group, const char* name) {
    QComboBox* combo = NewCombo(group, QLatin1String(name), 14);
    combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return combo;
}

} // namespace

void BuildGofaRfidPage(QWidget* page) {
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    left->setSpacing(4);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    std::array<AlignedColumns*, Columns> aligned{};
    for (auto& column : aligned) {
        column = new AlignedColumns(page);
    }
    auto align = [&](QGridLayout* grid) {
        for (int c = Caption; c < Override; ++c) {
            aligned[static_cast<std::size_t>(c)]->Add(grid, c);
        }
    };

    // Each row's controls are made in reading order (read field, then override): the tab order.
    struct Row {
        QLabel* caption;
        QWidget* read = nullptr;
        QLabel* switchCaption = nullptr;
        QLabel* readRange = nullptr;
        QWidget* override = nullptr;
        QLabel* overrideRange = nullptr;
    };
    auto add = [](SwitchGroup& group, const Row& row) {
        AddSwitchRow(group, row.caption, row.read, row.switchCaption, row.readRange, row.override,
                     row.overrideRange);
    };

    SwitchGroup rfid =
        NewSwitchGroup(page, "gbGOFA_Rfid", "lblGOFA_RfidReadOfSwitches", "lblGOFA_RfidOverride");
    QGroupBox* g = rfid.group;
    Row cells{NewLabel(g, "lblGOFA_PositionIdCode")};
    cells.read = NewEdit(g, "edtGOFA_Position_Read", CodeChars);
    cells.switchCaption = Fixed(g, "lblGOFA_PositionSwitches", "S1, S2");
    cells.readRange = Fixed(g, "lblGOFA_PositionReadRange", "(0001-00FF)");
    cells.override = NewEdit(g, "edtGOFA_Position", CodeChars);
    cells.overrideRange = Fixed(g, "lblGOFA_PositionRange", "(0001-FFFE)");
    add(rfid, cells);
    cells = Row{NewLabel(g, "lblGOFA_Zone")};
    cells.read = NewEdit(g, "edtGOFA_Zone_Read", CodeChars);
    cells.switchCaption = Fixed(g, "lblGOFA_ZoneSwitch", "S3");
    cells.override = FixedCombo(g, "cbbxGOFA_Zone");
    cells.overrideRange = Fixed(g, "lblGOFA_ZoneRange", "(0-F)");
    add(rfid, cells);
    cells = Row{NewLabel(g, "lblGOFA_Power")};
    cells.read = FixedCombo(g, "cbbxGOFA_Power_Read");
    cells.switchCaption = Fixed(g, "lblGOFA_PowerSwitch", "DIP7");
    cells.readRange = Fixed(g, "lblGOFA_PowerReadRange", "(50, 100%)");
    cells.override = NewEdit(g, "edtGOFA_RfidPower", 3);
    cells.overrideRange = Fixed(g, "lblGOFA_PowerRange", "(10-100%)");
    add(rfid, cells);
    cells = Row{NewLabel(g, "lblGOFA_AntennaType")};
    cells.read = FixedCombo(g, "cbbxGOFA_AntennaType_Read");
    add(rfid, cells);
    align(rfid.grid);
    left->addWidget(rfid.group);

    SwitchGroup relay =
        NewSwitchGroup(page, "gbGOFA_Relay", "lblGOFA_RelayReadOfSwitches", "lblGOFA_RelayOverride");
    g = relay.group;
    cells = Row{NewLabel(g, "lblGOFA_RelaySource")};
    cells.read = FixedCombo(g, "cbbxGOFA_RelaySource_Read");
    cells.switchCaption = Fixed(g, "lblGOFA_RelaySourceSwitch", "DIP5");
    cells.override = FixedCombo(g, "cbbxGOFA_RelaySource");
    add(relay, cells);
    cells = Row{NewLabel(g, "lblGOFA_RelayPolarity")};
    cells.read = FixedCombo(g, "cbbxGOFA_RelayPolarity_Read");
    cells.switchCaption = Fixed(g, "lblGOFA_RelayPolaritySwitch", "DIP5");
    cells.override = FixedCombo(g, "cbbxGOFA_RelayPolarity");
    add(relay, cells);
    cells = Row{NewLabel(g, "lblGOFA_RelayPulseTime")};
    cells.read = NewEdit(g, "edtGOFA_RelayPulseTime_Read", 7);
    cells.override = NewEdit(g, "medtGOFA_RelayPulseTime", 7);
    cells.overrideRange = Fixed(g, "lblGOFA_RelayPulseTimeUnit", "(0.1-6553.5s)");
    add(relay, cells);
    align(relay.grid);
    left->addWidget(relay.group);

    SwitchGroup tamper =
        NewSwitchGroup(page, "gbGOFA_Tamper", "lblGOFA_TamperReadOfSwitches", "lblGOFA_TamperOverride");
    g = tamper.group;
    cells = Row{NewLabel(g, "lblGOFA_TamperTransmitAlarm")};
    cells.read = FixedCombo(g, "cbbxGOFA_TamperTransmitAlarm_Read");
    cells.switchCaption = Fixed(g, "lblGOFA_TamperTransmitAlarmSwitch", "DIP6");
    cells.override = FixedCombo(g, "cbbxGOFA_TamperTransmitAlarm");
    add(tamper, cells);
    cells = Row{NewLabel(g, "lblGOFA_TamperStatus")};
    cells.read = FixedCombo(g, "cbbxGOFA_TamperStatus_Read");
    add(tamper, cells);
    align(tamper.grid);
    left->addWidget(tamper.group);

    SwitchGroup input =
        NewSwitchGroup(page, "gbGOFA_ExtInput", "lblGOFA_ExtInputReadOfSwitches", "lblGOFA_ExtInputOverride");
    g = input.group;
    cells = Row{NewLabel(g, "lblGOFA_ExtInputFunction")};
    cells.read = FixedCombo(g, "cbbxGOFA_ExtInputFunction_Read");
    cells.switchCaption = Fixed(g, "lblGOFA_ExtInputFunctionSwitch", "DIP4");
    cells.override = FixedCombo(g, "cbbxGOFA_ExtInputFunction");
    add(input, cells);
    cells = Row{NewLabel(g, "lblGOFA_ExtInputMode")};
    cells.read = FixedCombo(g, "cbbxGOFA_ExtInputMode_Read");
    cells.switchCaption = Fixed(g, "lblGOFA_ExtInputModeSwitch", "DIP3");
    cells.override = FixedCombo(g, "cbbxGOFA_ExtInputMode");
    add(input, cells);
    align(input.grid);
    left->addWidget(input.group);
    left->addStretch(1);

    auto* rightLabels = new AlignedColumns(page);
    QGroupBox* switches = NewGroup(page, "gbGOFA_Switches");
    QGridLayout* grid = NewGrid(switches);
    int row = 0;
    row = AddRow(grid, row, NewLabel(switches, "lblGOFA_RotarySwitchS1"),
                 {NewEdit(switches, "edtGOFA_RotaryS1", 3)});
    row = AddRow(grid, row, NewLabel(switches, "lblGOFA_RotarySwitchS2"),
                 {NewEdit(switches, "edtGOFA_RotaryS2", 3)});
    row = AddRow(grid, row, NewLabel(switches, "lblGOFA_RotarySwitchS3"),
                 {NewEdit(switches, "edtGOFA_RotaryS3", 3)});
    row = AddRow(grid, row, NewLabel(switches, "lblGOFA_DipSwitch"),
                 {NewEdit(switches, "edtGOFA_DipSwitch", 10)});
    // The potentiometer: its raw value and the step it stands for.
    AddRow(grid, row, NewLabel(switches, "lblGOFA_P1"),
           {NewEdit(switches, "edtGOFA_RfidVant", NumberChars),
            NewEdit(switches, "edtGOFA_Potentiometer_P1", 3)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(switches);

    QGroupBox* general = NewGroup(page, "gbGOFA_General");
    grid = NewGrid(general);
    row = 0;
    row = AddRow(grid, row, NewLabel(general, "lblGOFA_ProductionDate"),
                 {NewEdit(general, "edtGOFA_ProductionDate", DisplayChars)});
    row = AddRow(grid, row, NewLabel(general, "lblGOFA_FirmwareType"),
                 {NewEdit(general, "edtGOFA_Firmwaretype", DisplayChars)});
    row = AddRow(grid, row, NewLabel(general, "lblGOFA_FirmwareVersion"),
                 {NewEdit(general, "edtGOFA_FirmwareVersion", DisplayChars)});
    row = AddRow(grid, row, NewLabel(general, "lblGOFA_ProductName"),
                 {NewEdit(general, "edtGOFA_ProductName", DisplayChars)});
    row = AddRow(grid, row, NewLabel(general, "lblGOFA_SerialNumber"),
                 {NewEdit(general, "edtGOFA_SerialNumber", DisplayChars)});
    row = AddRow(grid, row, NewLabel(general, "lblGOFA_RadioCalibration"),
                 {NewEdit(general, "edtGOFA_RadioCalibration", DisplayChars)});
    // The service fields, shown only with "-gofaviewall"; their captions are no language texts.
    row =
        AddRow(grid, row,
               NewLabel(general, QStringLiteral("lblGOFA_RadioProtocol"), QStringLiteral("(Radio protocol)")),
               {NewEdit(general, "edtGOFA_RadioProtocol", DisplayChars)});
    row = AddRow(grid, row,
                 NewLabel(general, QStringLiteral("lblGOFA_RfidProtocol"), QStringLiteral("(RFID protocol)")),
                 {NewEdit(general, "edtGOFA_RfidProtocol", DisplayChars)});
    row =
        AddRow(grid, row,
               NewLabel(general, QStringLiteral("lblGOFA_RadioTxPower"), QStringLiteral("(Radio Tx Power)")),
               {NewEdit(general, "edtGOFA_RadioTxPower", DisplayChars)});
    AddRow(grid, row,
           NewLabel(general, QStringLiteral("lblGOFA_WatchdogReset"), QStringLiteral("(Watchdog reset)")),
           {NewEdit(general, "edtGOFA_WatchdogReset", DisplayChars)});
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(general);
    right->addStretch(1);
}

} // namespace vorn::gui
