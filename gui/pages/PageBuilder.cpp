#include "gui/pages/PageBuilder.h"

#include "model/Conversion.h"
#include "model/EditorLayout.h"

#include <algorithm>
#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn::gui {

namespace {

QString DesignCaption(const QString& name, const QString& caption) {
    return caption.isEmpty() ? name : caption;
}

// Shown values narrower than a date or a name: what the positioning unit's switches set.
const std::map<std::string, int, std::less<>> NarrowDisplays{
    {"edtGOFA_RotaryS1", 3},
    {"edtGOFA_RotaryS2", 3},
    {"edtGOFA_RotaryS3", 3},
    {"edtGOFA_DipSwitch", 10},
    {"edtGOFA_RfidVant", NumberChars},
    {"edtGOFA_Potentiometer_P1", 3},
    {"edtGOFA_Position_Read", CodeChars},
    {"edtGOFA_Zone_Read", CodeChars},
    {"edtGOFA_RelayPulseTime_Read", 7},
};

// Characters of a field's widest value: short choices, bands and alarm types; typed values as long as
// their field takes (a little more from four characters on, for the caret); shown values as a date.
int FieldChars(const FieldRow& row) {
    if (row.kind == FieldKind::Choice) {
        const std::string_view list = row.listName;
        return list == "YesNo" ? 8 : (list == "AlarmTypes" ? 16 : 14);
    }
    if (const auto narrow = NarrowDisplays.find(row.name); narrow != NarrowDisplays.end()) {
        return narrow->second;
    }
    if (row.maxLength == 0) {
        return DisplayChars;
    }
    const int length = static_cast<int>(row.maxLength);
    return length < 4 ? length : length + 1;
}

} // namespace

QGroupBox* NewGroup(QWidget* parent, const char* name) {
    auto* group = new QGroupBox(QString::fromLatin1(name), parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QGridLayout* NewGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(10, 6, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    return grid;
}

QLabel* NewLabel(QWidget* parent, QAnyStringView name, const QString& caption) {
    const QString objectName = name.toString();
    auto* label = new QLabel(DesignCaption(objectName, caption), parent);
    label->setObjectName(objectName);
    return label;
}

QLabel* NewHeader(QWidget* parent, const QString& name) {
    QLabel* label = NewLabel(parent, name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    label->setWordWrap(true);
    return label;
}

QLineEdit* NewEdit(QWidget* parent, QAnyStringView name, int characters) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name.toString());
    // Digits are the widest characters the fields hold; a little room for the frame and the caret.
    const int text = edit->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0')));
    edit->setFixedWidth(text + 14);
    return edit;
}

QComboBox* NewCombo(QWidget* parent, QAnyStringView name, int minimumCharacters) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name.toString());
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(minimumCharacters);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return combo;
}

QComboBox* NewFixedCombo(QWidget* parent, QAnyStringView name, int minimumCharacters) {
    QComboBox* combo = NewCombo(parent, name, minimumCharacters);
    combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return combo;
}

TwoColumns NewTwoColumns(QWidget* page) {
    auto* columns = new QHBoxLayout(page);
    TwoColumns two{new QVBoxLayout, new QVBoxLayout, new AlignedColumns(page), new AlignedColumns(page)};
    columns->addLayout(two.left, 1);
    columns->addLayout(two.right, 1);
    return two;
}

QCheckBox* NewCheck(QWidget* parent, const QString& name) {
    auto* check = new QCheckBox(name, parent);
    check->setObjectName(name);
    return check;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(DesignCaption(name, caption), parent);
    button->setObjectName(name);
    return button;
}

// Every row as high as a drop-down list, so rows of edits and of lists are spaced alike.
int RowHeight(QWidget* parent) {
    static const int height = [parent] {
        QComboBox probe(parent);
        probe.ensurePolished();
        return probe.sizeHint().height();
    }();
    return height;
}

int AddRow(QGridLayout* grid, int row, QLabel* label, std::initializer_list<QWidget*> controls) {
    return AddRow(grid, row, label, std::vector<QWidget*>(controls));
}

int AddRow(QGridLayout* grid, int row, QLabel* label, const std::vector<QWidget*>& controls) {
    grid->addWidget(label, row, 0, Qt::AlignVCenter);
    if (controls.size() == 1) {
        grid->addWidget(controls.front(), row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    } else {
        // Several controls of one row stay together in the field column.
        auto* together = new QHBoxLayout;
        together->setSpacing(6);
        for (QWidget* control : controls) {
            together->addWidget(control);
        }
        together->addStretch(1);
        grid->addLayout(together, row, 1);
    }
    grid->setRowMinimumHeight(row, RowHeight(label->parentWidget()));
    return row + 1;
}

AlignedColumns::AlignedColumns(QWidget* page) : QObject(page) {}

void AlignedColumns::Add(QGridLayout* grid, int column) {
    columns_.emplace_back(grid, column);
}

void AlignedColumns::Update() {
    int widest = 0;
    for (const auto& [grid, column] : columns_) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            QLayoutItem* item = grid->itemAtPosition(row, column);
            if (item == nullptr || item->widget() == nullptr || item->widget()->isHidden()) {
                continue;
            }
            int rowSpan = 0;
            int columnSpan = 0;
            int itemRow = 0;
            int itemColumn = 0;
            grid->getItemPosition(grid->indexOf(item->widget()), &itemRow, &itemColumn, &rowSpan,
                                  &columnSpan);
            if (columnSpan == 1) {
                widest = std::max(widest, item->sizeHint().width());
            }
        }
    }
    for (const auto& [grid, column] : columns_) {
        grid->setColumnMinimumWidth(column, widest);
    }
}

QWidget* NewFieldControl(QWidget* parent, const std::string& field) {
    const QString name = QString::fromStdString(field);
    const FieldRow* row = FindFieldRow(field);
    if (row == nullptr) {
        return NewEdit(parent, name, DisplayChars);
    }
    switch (row->kind) {
    case FieldKind::Choice: return NewFixedCombo(parent, name, FieldChars(*row));
    case FieldKind::Check: return NewCheck(parent, name);
    case FieldKind::Text: break;
    }
    return NewEdit(parent, name, FieldChars(*row));
}

QGroupBox* NewFormGroup(QWidget* page, const LayoutGroup& layout, AlignedColumns* labels) {
    QGroupBox* group = NewGroup(page, layout.group.c_str());
    QGridLayout* grid = NewGrid(group);
    int row = 0;
    for (const LayoutRow& cells : layout.rows) {
        QLabel* label =
            NewLabel(group, QString::fromStdString(cells.label), QString::fromStdString(cells.caption));
        std::vector<QWidget*> controls;
        for (const std::string& field : cells.fields) {
            controls.push_back(NewFieldControl(group, field));
        }
        row = AddRow(grid, row, label, controls);
    }
    grid->setColumnStretch(2, 1);
    labels->Add(grid, 0);
    return group;
}

void BuildFormPage(QWidget* page) {
    const auto [left, right, leftLabels, rightLabels] = NewTwoColumns(page);
    for (const LayoutGroup* layout : GroupsOfPage(page->objectName().toStdString())) {
        const bool onLeft = layout->column == 0;
        (onLeft ? left : right)->addWidget(NewFormGroup(page, *layout, onLeft ? leftLabels : rightLabels));
    }
    left->addStretch(1);
    right->addStretch(1);
}

void RealignColumns(QWidget* root) {
    for (AlignedColumns* columns : root->findChildren<AlignedColumns*>()) {
        columns->Update();
    }
}

} // namespace vorn::gui
