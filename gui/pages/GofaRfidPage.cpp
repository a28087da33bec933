#include "gui/pages/EditorPages.h"
#include "gui/pages/PageBuilder.h"
#include "model/Conversion.h"
#include "model/EditorLayout.h"

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

// The fixed captions beside a row's fields: the switches that set the read value, and the ranges.
struct Decoration {
    const char* name;
    const char* caption;
};
struct RowDecorations {
    const char* row;
    Decoration switchCaption;
    Decoration readRange;
    Decoration overrideRange;
};
constexpr RowDecorations Decorations[] = {
    {"lblGOFA_PositionIdCode",
     {"lblGOFA_PositionSwitches", "S1, S2"},
     {"lblGOFA_PositionReadRange", "(0001-00FF)"},
     {"lblGOFA_PositionRange", "(0001-FFFE)"}},
    {"lblGOFA_Zone", {"lblGOFA_ZoneSwitch", "S3"}, {}, {"lblGOFA_ZoneRange", "(0-F)"}},
    {"lblGOFA_Power",
     {"lblGOFA_PowerSwitch", "DIP7"},
     {"lblGOFA_PowerReadRange", "(50, 100%)"},
     {"lblGOFA_PowerRange", "(10-100%)"}},
    {"lblGOFA_RelaySource", {"lblGOFA_RelaySourceSwitch", "DIP5"}, {}, {}},
    {"lblGOFA_RelayPolarity", {"lblGOFA_RelayPolaritySwitch", "DIP5"}, {}, {}},
    {"lblGOFA_RelayPulseTime", {}, {}, {"lblGOFA_RelayPulseTimeUnit", "(0.1-6553.5s)"}},
    {"lblGOFA_TamperTransmitAlarm", {"lblGOFA_TamperTransmitAlarmSwitch", "DIP6"}, {}, {}},
    {"lblGOFA_ExtInputFunction", {"lblGOFA_ExtInputFunctionSwitch", "DIP4"}, {}, {}},
    {"lblGOFA_ExtInputMode", {"lblGOFA_ExtInputModeSwitch", "DIP3"}, {}, {}},
};

QLabel* Fixed(QWidget* group, const Decoration& decoration) {
    if (decoration.name == nullptr) {
        return nullptr;
    }
    QLabel* label = NewLabel(group, QLatin1String(decoration.name), QString::fromUtf8(decoration.caption));
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

// A read or override field: the lists all as wide, the values as their fields are.
QWidget* SwitchField(QWidget* group, const std::string& field) {
    if (field.empty()) {
        return nullptr;
    }
    const FieldRow* row = FindFieldRow(field);
    if (row != nullptr && row->kind == FieldKind::Choice) {
        return NewFixedCombo(group, QString::fromStdString(field), 14);
    }
    return NewFieldControl(group, field);
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
    auto* rightLabels = new AlignedColumns(page);

    for (const LayoutGroup* layout : GroupsOfPage("tbsGofaRfid")) {
        if (!layout->IsTable()) {
            right->addWidget(NewFormGroup(page, *layout, rightLabels));
            continue;
        }
        SwitchGroup g = NewSwitchGroup(page, layout->group.c_str(), layout->headers.at(0).c_str(),
                                       layout->headers.at(1).c_str());
        // Each row's controls are made in reading order (read field, then override): the tab order.
        for (const LayoutRow& cells : layout->rows) {
            RowDecorations decorations{};
            for (const RowDecorations& d : Decorations) {
                if (cells.label == d.row) {
                    decorations = d;
                }
            }
            QLabel* caption = NewLabel(g.group, QString::fromStdString(cells.label));
            QWidget* read = SwitchField(g.group, cells.fields.at(0));
            QLabel* switchCaption = Fixed(g.group, decorations.switchCaption);
            QLabel* readRange = Fixed(g.group, decorations.readRange);
            QWidget* override = SwitchField(g.group, cells.fields.at(1));
            AddSwitchRow(g, caption, read, switchCaption, readRange, override,
                         Fixed(g.group, decorations.overrideRange));
        }
        for (int c = Caption; c < Override; ++c) {
            aligned[static_cast<std::size_t>(c)]->Add(g.grid, c);
        }
        left->addWidget(g.group);
    }
    left->addStretch(1);
    right->addStretch(1);
}

} // namespace vorn::gui
