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
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* leftLabels = new AlignedColumns(page);
    auto* rightLabels = new AlignedColumns(page);

    auto label = [](QWidget* group, const QString& name) { return NewLabel(group, name); };
    auto edit = [](QWidget* group, const QString& name, int chars) { return NewEdit(group, name, chars); };
    auto combo = [](QWidget* group, const QString& name, int chars) {
        QComboBox* box = NewCombo(group, name, chars);
        box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return box;
    };
    using S = QString;

    QGroupBox* receiver = NewGroup(page, "gbGOFA_RadioReceiver");
    QGridLayout* grid = NewGrid(receiver);
    int row = 0;
    for (int n = 1; n <= 8; ++n) {
        row = AddRow(grid, row, label(receiver, QStringLiteral("lblGOFA_Id%1").arg(n)),
                     {edit(receiver, QStringLiteral("edtGOFA_IdCode%1").arg(n), CodeChars)});
    }
    row =
        AddRow(grid, row, label(receiver, S("lblGOFA_SendAck")), {combo(receiver, S("cbbxGOFA_SendAck"), 8)});
    row = AddRow(grid, row, label(receiver, S("lblGOFA_HalvoSystemId")),
                 {edit(receiver, S("edtGOFA_HalvoSystemId"), NumberChars)});
    row = AddRow(grid, row, label(receiver, S("lblGOFA_GroupActivationCode")),
                 {edit(receiver, S("edtGOFA_GroupActivationCode"), 3)});
    AddRow(grid, row, label(receiver, S("lblGOFA_ReceiveFrequencyBand")),
           {combo(receiver, S("cbbxGOFA_RxFrequencyBand"), 14)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(receiver);

    QGroupBox* plugAndPlay = NewGroup(page, "gbGOFA_PlugNPlay");
    grid = NewGrid(plugAndPlay);
    AddRow(grid, 0, label(plugAndPlay, S("lblGOFA_EquipmentType")),
           {edit(plugAndPlay, S("edtGOFA_EquipmentType"), 3)});
    grid->setColumnStretch(2, 1);
    leftLabels->Add(grid, 0);
    left->addWidget(plugAndPlay);
    left->addStretch(1);

    QGroupBox* transmitter = NewGroup(page, "gbGOFA_RadioTransmitter");
    grid = NewGrid(transmitter);
    row = 0;
    row = AddRow(grid, row, label(transmitter, S("lblGOFA_UnitIdCode")),
                 {edit(transmitter, S("edtGOFA_UnitIdCode"), CodeChars)});
    row = AddRow(grid, row, label(transmitter, S("lblGOFA_MaxShort")),
                 {edit(transmitter, S("edtGOFA_MaxShort"), 2)});
    row = AddRow(grid, row, label(transmitter, S("lblGOFA_MaxLong")),
                 {edit(transmitter, S("edtGOFA_MaxLong"), 2)});
    row = AddRow(grid, row, label(transmitter, S("lblGOFA_MaxBursts")),
                 {edit(transmitter, S("edtGOFA_MaxBursts"), 2)});
    row = AddRow(grid, row, label(transmitter, S("lblGOFA_TimeBetweenBursts")),
                 {edit(transmitter, S("edtGOFA_TimeBetweenBursts"), 2)});
    row = AddRow(grid, row, label(transmitter, S("lblGOFA_IgnoreReceivedAck")),
                 {combo(transmitter, S("cbbxGOFA_IgnoreAck"), 8)});
    row = AddRow(grid, row, label(transmitter, S("lblGOFA_RadioTestAlarmInterval")),
                 {edit(transmitter, S("edtGOFA_RadioTestInterval"), NumberChars)});
    AddRow(grid, row, label(transmitter, S("lblGOFA_TransmitFrequencyBand")),
           {combo(transmitter, S("cbbxGOFA_TxFrequencyBand"), 14)});
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
        row = AddRow(grid, row, label(alarms, S(alarm[0])), {combo(alarms, S(alarm[1]), 16)});
    }
    grid->setColumnStretch(2, 1);
    rightLabels->Add(grid, 0);
    right->addWidget(alarms);
    right->addStretch(1);
}

} // namespace vorn::gui
