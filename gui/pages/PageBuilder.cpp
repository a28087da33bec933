#include "gui/pages/PageBuilder.h"

#include <algorithm>

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
    grid->addWidget(label, row, 0, Qt::AlignVCenter);
    if (controls.size() == 1) {
        grid->addWidget(*controls.begin(), row, 1, Qt::AlignLeft | Qt::AlignVCenter);
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

void RealignColumns(QWidget* root) {
    for (AlignedColumns* columns : root->findChildren<AlignedColumns*>()) {
        columns->Update();
    }
}

} // namespace vorn::gui
