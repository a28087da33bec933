#pragma once

#include "model/FieldModel.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QObject>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace vorn::gui {

// Binds the widgets of a window to a core field model, both ways. Every QLineEdit, QPlainTextEdit (a
// memo), QComboBox and QCheckBox below the root whose objectName is a field's name mirrors that field (text,
// caret and selection, input mask, items, selection, check state, enabled, visible, hint) and hands the
// operator's acts to the model: a line edit's own edit as ProposeText (the core runs the key filter,
// the maximum length and the mask, and the widget shows whatever the field then holds), caret and
// selection moves, a choice, a click, and leaving the field. The model decides; the widget follows.
//
// The main window's editor and every dialog with a field model use this one binder. The model must
// outlive the binder.
class FieldBinder : public QObject {
public:
    FieldBinder(FieldModel& model, QWidget& root);
    ~FieldBinder() override;
    // Binds the field widgets below another root (controls made later, a page built on demand); each
    // shows its field's state at once.
    void Bind(QWidget& root);
    FieldBinder(const FieldBinder&) = delete;
    FieldBinder& operator=(const FieldBinder&) = delete;

    // The widget bound to a field, or nullptr.
    QWidget* WidgetOf(std::string_view field) const;
    // The fields of the model that no widget shows (a window is expected to show them all).
    std::vector<std::string> UnboundFields() const;

    // A hint the window sets on a bound control (from the language); the field's own hint (the
    // overflow hint of a list) replaces it while the field shows that.
    void SetStaticHint(std::string_view field, const QString& hint);

    // Whether a field's text is wider than its widget can show (the model asks through this).
    bool TextOverflows(const Field& field) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QWidget* widget = nullptr;
        FieldKind kind = FieldKind::Text;
        QString staticHint;
    };

    void BindLineEdit(const std::string& name, QLineEdit* edit);
    void BindMemo(const std::string& name, QPlainTextEdit* memo);
    void BindComboBox(const std::string& name, QComboBox* combo);
    void BindCheckBox(const std::string& name, QCheckBox* check);
    void ShowAll(const Field& field);
    void Show(const Field& field, FieldChange change);
    void ShowText(const Field& field, QLineEdit* edit);
    void ShowItems(const Field& field, QComboBox* combo);
    void ShowHint(const Field& field);
    void ForwardCaret(const std::string& name, QLineEdit* edit);
    const Binding* Find(std::string_view field) const;

    FieldModel& model_;
    std::unordered_map<std::string, Binding> bindings_;
    std::unordered_map<QObject*, std::string> names_;
    int observer_ = 0;
    // Set while the binder itself changes a widget, so that the widget's signals are not taken for
    // the operator's acts.
    int updating_ = 0;
};

// A line edit's text as the field holds it: a masked one with its blanks.
QString ShownText(const QLineEdit& edit);

} // namespace vorn::gui
