#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <QAnyStringView>
#include <QObject>
#include <QString>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace vorn {
struct LayoutGroup;
}

// The pieces the editor pages are built from. Every control gets the name the core and the language
// know it by (objectName); the captions the language sets start as the control's name, the fixed
// ones (row numbers, switch and unit captions) as their text. Controls are created row by row, so
// the keyboard's tab order follows the rows.
namespace vorn::gui {

// Widths of the fields, in characters of the field's font.
inline constexpr int CodeChars = 5;     // four hexadecimal digits or wildcards
inline constexpr int NumberChars = 5;   // up to five digits
inline constexpr int DisplayChars = 12; // production date, product name, serial number...

QGroupBox* NewGroup(QWidget* parent, const char* name);
// A grid for a group's rows: compact spacing, the label column first.
QGridLayout* NewGrid(QGroupBox* group);
QLabel* NewLabel(QWidget* parent, QAnyStringView name, const QString& caption = {});
// A column header: bottom-aligned, so headers of different heights end on one line.
QLabel* NewHeader(QWidget* parent, const QString& name);
QLineEdit* NewEdit(QWidget* parent, QAnyStringView name, int characters);
QComboBox* NewCombo(QWidget* parent, QAnyStringView name, int minimumCharacters);
// A list as wide as its minimum, for short choices that should not stretch across the group.
QComboBox* NewFixedCombo(QWidget* parent, QAnyStringView name, int minimumCharacters);
QCheckBox* NewCheck(QWidget* parent, const QString& name);
QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption);

// The control of an editor field as its field table describes it (a list, a check box or a text
// field), as wide as the values it holds.
QWidget* NewFieldControl(QWidget* parent, const std::string& field);

// Adds a labelled row to a form-like grid: the label in column 0, the controls after it, and
// returns the next row.
int AddRow(QGridLayout* grid, int row, QLabel* label, std::initializer_list<QWidget*> controls);
int AddRow(QGridLayout* grid, int row, QLabel* label, const std::vector<QWidget*>& controls);

class AlignedColumns;

// A page of two columns of groups; each column's label column is aligned across its groups.
struct TwoColumns {
    QVBoxLayout* left;
    QVBoxLayout* right;
    AlignedColumns* leftLabels;
    AlignedColumns* rightLabels;
};
TwoColumns NewTwoColumns(QWidget* page);

// Keeps columns of several grids equally wide, so that groups stacked on a page line up. The
// widths follow the captions, which change with the language: Update() after the texts changed.
class AlignedColumns : public QObject {
    Q_OBJECT

public:
    explicit AlignedColumns(QWidget* page);
    void Add(QGridLayout* grid, int column);
    void Update();

private:
    std::vector<std::pair<QGridLayout*, int>> columns_;
};

// Updates every AlignedColumns below a widget (after a language change).
void RealignColumns(QWidget* root);

// A group of labelled rows, as the editor layout lists them; its label column joins labels.
QGroupBox* NewFormGroup(QWidget* page, const LayoutGroup& layout, AlignedColumns* labels);
// A page whose groups are all forms: each in its column of the layout, stacked from the top.
void BuildFormPage(QWidget* page);

} // namespace vorn::gui
