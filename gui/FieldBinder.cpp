#include "gui/FieldBinder.h"

#include <stdexcept>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>

namespace vorn::gui {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The core counts characters as code points, a QString in UTF-16 units.
int Utf16Index(const QString& text, std::size_t codePoints) {
    int index = 0;
    for (std::size_t n = 0; n < codePoints && index < text.size(); ++n) {
        index += text.at(index).isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
    }
    return index;
}

std::size_t CodePointIndex(const QString& text, int utf16) {
    std::size_t count = 0;
    for (int i = 0; i < utf16 && i < text.size(); ++i) {
        if (!text.at(i).isLowSurrogate()) {
            ++count;
        }
    }
    return count;
}

// Focus that moves because a dialog or a popup opened does not leave the field: the field is left
// when the keyboard focus goes to another control of the same window.
bool LeavesField(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

QString ShownText(const QLineEdit& edit) {
    return edit.inputMask().isEmpty() ? edit.text() : edit.displayText();
}

FieldBinder::FieldBinder(FieldModel& model, QWidget& root) : model_(model) {
    Bind(root);
    observer_ = model_.AddObserver([this](const Field& field, FieldChange change) { Show(field, change); });
    model_.SetOverflowQuery([this](const Field& field) { return TextOverflows(field); });
}

void FieldBinder::Bind(QWidget& root) {
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const std::string name = widget->objectName().toStdString();
        const Field* field = name.empty() ? nullptr : model_.Find(name);
        if (field == nullptr) {
            continue;
        }
        if (const auto bound = bindings_.find(name); bound != bindings_.end()) {
            if (bound->second.widget == widget) {
                continue;
            }
            throw std::logic_error("two widgets for the field " + name);
        }
        auto* edit = qobject_cast<QLineEdit*>(widget);
        auto* combo = qobject_cast<QComboBox*>(widget);
        auto* check = qobject_cast<QCheckBox*>(widget);
        auto* memo = qobject_cast<QPlainTextEdit*>(widget);
        if (field->Kind() == FieldKind::Text && edit != nullptr) {
            BindLineEdit(name, edit);
        } else if (field->Kind() == FieldKind::Text && memo != nullptr) {
            BindMemo(name, memo);
        } else if (field->Kind() == FieldKind::Choice && combo != nullptr) {
            BindComboBox(name, combo);
        } else if (field->Kind() == FieldKind::Check && check != nullptr) {
            BindCheckBox(name, check);
        } else {
            throw std::logic_error("the widget " + name + " is of another kind than its field");
        }
        bindings_[name] = Binding{widget, field->Kind(), widget->toolTip()};
        names_[widget] = name;
        widget->installEventFilter(this);
        ShowAll(*field);
    }
}

FieldBinder::~FieldBinder() {
    model_.RemoveObserver(observer_);
    model_.SetOverflowQuery({});
}

const FieldBinder::Binding* FieldBinder::Find(std::string_view field) const {
    const auto found = bindings_.find(std::string(field));
    return found != bindings_.end() ? &found->second : nullptr;
}

QWidget* FieldBinder::WidgetOf(std::string_view field) const {
    const Binding* binding = Find(field);
    return binding != nullptr ? binding->widget : nullptr;
}

std::vector<std::string> FieldBinder::UnboundFields() const {
    std::vector<std::string> unbound;
    for (const Field* field : model_.Fields()) {
        if (bindings_.count(field->Name()) == 0) {
            unbound.push_back(field->Name());
        }
    }
    return unbound;
}

void FieldBinder::SetStaticHint(std::string_view field, const QString& hint) {
    const auto found = bindings_.find(std::string(field));
    if (found == bindings_.end()) {
        return;
    }
    found->second.staticHint = hint;
    ShowHint(model_.Get(field));
}

void FieldBinder::BindLineEdit(const std::string& name, QLineEdit* edit) {
    // The core keeps the maximum length: a line edit's own would cut a longer text the program shows.
    edit->setMaxLength(32767);
    connect(edit, &QLineEdit::textEdited, this, [this, name, edit] {
        if (updating_ != 0) {
            return;
        }
        const QString text = ShownText(*edit);
        model_.ProposeText(name, text.toStdString(), CodePointIndex(text, edit->cursorPosition()));
    });
    connect(edit, &QLineEdit::cursorPositionChanged, this, [this, name, edit] { ForwardCaret(name, edit); });
    connect(edit, &QLineEdit::selectionChanged, this, [this, name, edit] { ForwardCaret(name, edit); });
}

void FieldBinder::BindMemo(const std::string& name, QPlainTextEdit* memo) {
    // A memo's lines are its field's text, separated by line breaks; a read-only one only shows it.
    connect(memo, &QPlainTextEdit::textChanged, this, [this, name, memo] {
        if (updating_ != 0 || memo->isReadOnly()) {
            return;
        }
        const QString text = memo->toPlainText();
        model_.ProposeText(name, text.toStdString(), CodePointIndex(text, memo->textCursor().position()));
    });
}

void FieldBinder::ForwardCaret(const std::string& name, QLineEdit* edit) {
    if (updating_ != 0 || !edit->hasFocus()) {
        return;
    }
    const Field& field = model_.Get(name);
    const QString text = ShownText(*edit);
    if (text.toStdString() != field.Text()) {
        return; // an edit is on its way; the model places the caret with it
    }
    const std::size_t caret = CodePointIndex(text, edit->cursorPosition());
    if (edit->hasSelectedText()) {
        const int start = edit->selectionStart();
        const int end = start + edit->selectedText().size();
        const int anchor = edit->cursorPosition() == start ? end : start;
        const std::size_t anchorPoint = CodePointIndex(text, anchor);
        if (field.HasSelection() && field.Caret() == caret &&
            (field.SelectionStart() == std::min(anchorPoint, caret))) {
            return;
        }
        model_.SetSelection(name, anchorPoint,
                            static_cast<std::ptrdiff_t>(caret) - static_cast<std::ptrdiff_t>(anchorPoint));
    } else if (field.Caret() != caret || field.HasSelection()) {
        model_.SetCaret(name, caret);
    }
}

void FieldBinder::BindComboBox(const std::string& name, QComboBox* combo) {
    // Long items must not widen the page: the layout gives the list its width, and an item that does
    // not fit shows in the list's hint.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(combo, &QComboBox::activated, this, [this, name, combo](int index) {
        if (updating_ != 0) {
            return;
        }
        if (!model_.Select(name, index)) {
            ++updating_;
            combo->setCurrentIndex(model_.Get(name).Index());
            --updating_;
        }
    });
}

void FieldBinder::BindCheckBox(const std::string& name, QCheckBox* check) {
    connect(check, &QCheckBox::clicked, this, [this, name, check] {
        if (updating_ != 0) {
            return;
        }
        model_.Click(name);
        // Refused or not, the box shows the field's state.
        ++updating_;
        check->setChecked(model_.Get(name).Checked());
        --updating_;
    });
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const auto found = names_.find(watched);
        if (found != names_.end() && updating_ == 0 &&
            LeavesField(static_cast<QFocusEvent*>(event)->reason())) {
            const std::string& name = found->second;
            if (event->type() == QEvent::FocusIn) {
                model_.SetFocus(name);
            } else if (model_.FocusedName() == name) {
                model_.Leave(name);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void FieldBinder::ShowAll(const Field& field) {
    for (FieldChange change :
         {FieldChange::InputMask, FieldChange::Items, FieldChange::Index, FieldChange::Text,
          FieldChange::Checked, FieldChange::Enabled, FieldChange::Visible, FieldChange::Hint}) {
        Show(field, change);
    }
}

void FieldBinder::Show(const Field& field, FieldChange change) {
    const Binding* binding = Find(field.Name());
    if (binding == nullptr) {
        return;
    }
    QWidget* widget = binding->widget;
    ++updating_;
    switch (change) {
    case FieldChange::Text:
    case FieldChange::Selection:
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            ShowText(field, edit);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
            if (memo->toPlainText() != FromUtf8(field.Text())) {
                memo->setPlainText(FromUtf8(field.Text()));
            }
        }
        break;
    case FieldChange::InputMask:
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->setInputMask(FromUtf8(field.InputMask()));
            ShowText(field, edit);
        }
        break;
    case FieldChange::Items:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            ShowItems(field, combo);
        }
        break;
    case FieldChange::Index:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            combo->setCurrentIndex(field.Index());
        }
        break;
    case FieldChange::Checked:
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setChecked(field.Checked());
        }
        break;
    case FieldChange::Enabled: widget->setEnabled(field.Enabled()); break;
    case FieldChange::Visible: widget->setVisible(field.Visible()); break;
    case FieldChange::Hint: ShowHint(field); break;
    case FieldChange::Focus:
        if (!widget->hasFocus() && widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
        }
        break;
    case FieldChange::Tag:
    case FieldChange::MaxLength: break;
    }
    --updating_;
}

void FieldBinder::ShowText(const Field& field, QLineEdit* edit) {
    const QString text = FromUtf8(field.Text());
    if (ShownText(*edit) != text) {
        edit->setText(text);
    }
    const int caret = Utf16Index(text, field.Caret());
    if (field.HasSelection()) {
        const std::size_t anchorPoint = field.Caret() == field.SelectionStart()
                                            ? field.SelectionStart() + field.SelectionLength()
                                            : field.SelectionStart();
        const int anchor = Utf16Index(text, anchorPoint);
        edit->setSelection(anchor, caret - anchor);
    } else {
        edit->setCursorPosition(caret);
    }
}

void FieldBinder::ShowItems(const Field& field, QComboBox* combo) {
    QStringList items;
    items.reserve(static_cast<int>(field.Items().size()));
    for (const std::string& item : field.Items()) {
        items.push_back(FromUtf8(item));
    }
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(field.Index());
}

void FieldBinder::ShowHint(const Field& field) {
    const Binding* binding = Find(field.Name());
    if (binding == nullptr) {
        return;
    }
    binding->widget->setToolTip(field.HintShown() ? FromUtf8(field.Hint()) : binding->staticHint);
}

bool FieldBinder::TextOverflows(const Field& field) const {
    const Binding* binding = Find(field.Name());
    if (binding == nullptr) {
        return false;
    }
    QWidget* widget = binding->widget;
    const QString text = FromUtf8(field.Text());
    const int textWidth = widget->fontMetrics().horizontalAdvance(text);
    // The room for the text is what the style leaves beside the drop-down button and the frame.
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.currentText = text;
        const QRect room =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        return textWidth > room.width();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        const QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        const QMargins margins = edit->textMargins();
        return textWidth > room.width() - margins.left() - margins.right();
    }
    return false;
}

} // namespace vorn::gui
