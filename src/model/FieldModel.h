#pragma once

#include "model/EditHistory.h"
#include "model/FieldValue.h"
#include "model/InputMask.h"
#include "model/KeyFilters.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn {

enum class FieldKind { Text, Choice, Check };

// The events a control raises for the core's handlers.
enum class FieldEvent {
    Change, // text changed, or the operator chose another item
    Click,  // a check box changed its state
    Exit,   // the field lost the keyboard focus
};

// What changed in a field, for the views that mirror it.
enum class FieldChange {
    Text,
    Items,
    Index,
    Checked,
    Enabled,
    Visible,
    Tag,
    Hint,
    MaxLength,
    InputMask,
    Focus,
    Selection, // the caret or the selection moved; a Text change carries its caret and selection along
};

// Outcome of an operator's edit of a text field.
enum class KeyResult {
    Accepted,  // the edit reached the field
    Discarded, // the field's key filter (or its mask) refused it
    TooLong,   // the field is at its maximum length (a masked field: no position left at the caret)
    Disabled,  // the field is disabled or hidden
    NotText,   // the field is no text field
};

struct FieldOptions {
    std::string name;
    FieldKind kind = FieldKind::Text;
    std::string list;          // choice fields: name of the code list they show
    std::size_t maxLength = 0; // text fields, in characters; 0 for no limit
    KeyFilterKind keyFilter = KeyFilterKind::None;
    int tag = 0;
    bool enabled = true;
    bool visible = true;
    // Text fields with an edit mask, in Qt's input-mask notation as InputMask describes it ("0000.0; ");
    // the view sets the same text on its line edit.
    std::string inputMask;
};

// One editor control as the core sees it. Its state changes only through the FieldModel, so that
// views and handlers hear of every change.
class Field {
public:
    const std::string& Name() const { return options_.name; }
    FieldKind Kind() const { return options_.kind; }
    const std::string& List() const { return options_.list; }
    std::size_t MaxLength() const { return options_.maxLength; }
    KeyFilterKind KeyFilter() const { return options_.keyFilter; }
    int Tag() const { return options_.tag; }
    bool Enabled() const { return options_.enabled; }
    bool Visible() const { return options_.visible; }
    // The edit mask in Qt's notation, ready for QLineEdit::setInputMask; empty for none.
    const std::string& InputMask() const { return options_.inputMask; }
    const std::string& Hint() const { return hint_; }
    bool HintShown() const { return hintShown_; }

    // Text fields: the text. Choice fields: the display text of the selected item, empty without one.
    const std::string& Text() const;
    const std::vector<std::string>& Items() const { return items_; }
    int Index() const { return index_; }
    bool Checked() const { return checked_; }

    // Text fields: the caret and the selection, in characters (code points). The selection runs
    // between the anchor and the caret, as in a line edit (QLineEdit::cursorPosition, selectionStart).
    std::size_t Caret() const { return caret_; }
    std::size_t SelectionStart() const { return std::min(anchor_, caret_); }
    std::size_t SelectionLength() const { return caret_ > anchor_ ? caret_ - anchor_ : anchor_ - caret_; }
    bool HasSelection() const { return anchor_ != caret_; }

    // What the field holds now, and its last accepted value: what it held when the program last set
    // it or when the operator last completed an edit of it (left the text field, chose an item,
    // clicked the box), after the field's handlers had their say. A value a check refuses goes back
    // to it; the two differ only while the operator is still typing into the field.
    FieldValue Value() const;
    const FieldValue& Committed() const { return committed_; }

private:
    friend class FieldModel;
    explicit Field(FieldOptions options) : options_(std::move(options)) {}

    FieldOptions options_;
    std::string text_;
    std::vector<std::string> items_;
    int index_ = -1;
    bool checked_ = false;
    std::optional<vorn::InputMask> mask_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::string hint_;
    bool hintShown_ = false;
    std::array<std::function<void(const Field&)>, 3> handlers_;
    FieldValue committed_;
};

// A field's last accepted value changed: the value before, and whether the operator's act or the
// program (loading an image, a rule setting another field) gave the new one.
struct FieldCommit {
    const Field& field;
    FieldValue before;
    bool byOperator = false;
};

// The editor's fields by control name, in registration order. Program-side setters behave as the
// controls do when code sets them: a new text raises Change (and puts the caret at its end), a new
// check state raises Click, a new selection or list raises nothing. Operator acts (typing, pasting,
// deleting, placing the caret, choosing, clicking, leaving) move the keyboard focus to the field
// first, as a real window does, and are refused on a disabled or hidden field.
//
// Text edits work at the caret as a line edit's do: a typed key replaces the selection, Backspace and
// Delete remove the selection or one character, a paste replaces the selection. A typed key goes
// through the field's key filter first; a refused key changes nothing, text, caret and selection
// alike. Every edit that changes the text raises Change once, with the caret already in place; a
// refused edit raises nothing. A masked field edits in overwrite mode through its InputMask.
//
// Binding a line edit: give it the field's InputMask, show Text, Caret and the selection whenever
// observers hear Text or Selection, forward cursor and selection moves with SetCaret / SetSelection,
// and forward each edit either as the act itself (TypeKey, Backspace, Delete, Paste) or, from a
// widget that only reports its new text, with ProposeText. A masked line edit's displayText (blanks
// included) is the field's text. Leave the line edit's own maxLength alone: the core refuses the
// edits beyond MaxLength, while a line edit would also cut a longer text the program shows (a stored
// 255 in a two-digit field).
class FieldModel {
public:
    using Handler = std::function<void(const Field& sender)>;
    using Observer = std::function<void(const Field& field, FieldChange change)>;
    using OverflowQuery = std::function<bool(const Field& field)>;
    using CommitObserver = std::function<void(const FieldCommit& commit)>;

    FieldModel() = default;
    FieldModel(const FieldModel&) = delete;
    FieldModel& operator=(const FieldModel&) = delete;

    // Registers a field; a name may be registered once.
    const Field& Add(FieldOptions options);

    bool Has(std::string_view name) const { return Find(name) != nullptr; }
    const Field* Find(std::string_view name) const;
    // Throws std::out_of_range naming the field when there is none of that name.
    const Field& Get(std::string_view name) const;
    std::vector<const Field*> Fields() const;

    // Program-side changes.
    void SetText(std::string_view name, std::string text);
    void SetItems(std::string_view name, std::vector<std::string> items); // clears the selection
    void SetIndex(std::string_view name, int index);                      // -1 for an index out of range
    void SetChecked(std::string_view name, bool checked);
    void SetEnabled(std::string_view name, bool enabled);
    void SetVisible(std::string_view name, bool visible);
    void SetTag(std::string_view name, int tag);
    void SetHint(std::string_view name, std::string hint, bool shown);
    void SetMaxLength(std::string_view name, std::size_t maxLength);
    // Sets the edit mask; the field then holds the mask's empty text.
    void SetInputMask(std::string_view name, std::string mask);
    // Moves the keyboard focus; the field that had it raises Exit first.
    void SetFocus(std::string_view name);
    const std::string& FocusedName() const { return focused_; }

    // Operator acts on text fields.
    // Places the caret and drops the selection; a position beyond the text changes nothing, as in a
    // line edit. A masked field's caret moved onto a literal skips it in the direction of the move.
    KeyResult SetCaret(std::string_view name, std::size_t position);
    // Selects `length` characters from `start`, as QLineEdit::setSelection: a negative length selects
    // backwards, and the caret ends at start + length, within the text; a start beyond the text
    // changes nothing.
    KeyResult SetSelection(std::string_view name, std::size_t start, std::ptrdiff_t length);
    // A key press at the caret: the key filter, then the character replaces the selection. Backspace
    // (8) deletes as Backspace() does; copy, paste and cut (3, 22, 24) leave the text alone, since the
    // clipboard belongs to the view; other control keys are discarded.
    KeyResult TypeKey(std::string_view name, char32_t key);
    KeyResult Backspace(std::string_view name);
    KeyResult Delete(std::string_view name);
    // Types each character in turn; stops at the first key that is not accepted and returns its result.
    KeyResult TypeText(std::string_view name, std::string_view text);
    // Inserts text at the caret as a paste does, replacing the selection: not filtered by key, cut at
    // the maximum length. A masked field lays it over its mask as a masked line edit does.
    KeyResult Paste(std::string_view name, std::string_view text);
    // A widget's own edit, reported as the text it now shows and its caret. The core works out which
    // range was replaced by what (the caret marks the end of the inserted text) and runs that as the
    // act: nothing inserted is a Delete of the range, one character a typed key, more a paste (a
    // masked field overwrites: a range shown empty again is a Delete, other text is typed at the
    // range's start). When the field then holds the proposed text, the caret is the proposed one;
    // otherwise observers hear Text, even when the field's text did not change, so that the widget
    // shows the field's text again.
    KeyResult ProposeText(std::string_view name, std::string_view text, std::size_t caret);
    // Selects all of a text field's content and deletes it (a masked field keeps its literals).
    KeyResult Clear(std::string_view name);
    bool Select(std::string_view name, int index);
    // Chooses the first item with that display text; false when there is none.
    bool SelectText(std::string_view name, std::string_view displayText);
    bool Click(std::string_view name);
    void Leave(std::string_view name);

    // The last accepted value (Field::Committed). Program-side setters accept what they set; Leave,
    // Select and Click accept the operator's edit once the field's handlers have run. Commit accepts
    // the current value now; Restore puts the last accepted value back as a program-side set does
    // (a text field raises Change, a check field Click).
    void Commit(std::string_view name);
    void Restore(std::string_view name);
    // Observers of every change of a last accepted value (an undo history, say).
    int AddCommitObserver(CommitObserver observer);
    void RemoveCommitObserver(int id);
    // Sets a field's value as a program-side set of its kind does (SetText, SetIndex, SetChecked).
    void SetValue(std::string_view name, const FieldValue& value);
    // The focused field holds an edit of the operator that is not accepted yet (it is being typed).
    bool Editing() const;

    // The undo history: every change of a last accepted value, grouped into the operator's steps.
    EditHistory& History() { return history_; }
    const EditHistory& History() const { return history_; }

    // The handler of one event of one field, as a control's event property: setting replaces it.
    void On(std::string_view name, FieldEvent event, Handler handler);

    int AddObserver(Observer observer);
    void RemoveObserver(int id);

    // Whether a field's current text is wider than the field can show; the view measures it.
    void SetOverflowQuery(OverflowQuery query) { overflowQuery_ = std::move(query); }
    bool TextOverflows(std::string_view name) const;

private:
    // An act of the operator (typing, choosing, clicking, leaving); the history hears when the
    // outermost one is over.
    class OperatorAct;

    Field& Mutable(std::string_view name);
    void Notify(const Field& field, FieldChange change);
    void Raise(const Field& field, FieldEvent event);
    void ReplaceText(Field& field, std::string text);
    // Stores an edit's result: observers hear Text and Change is raised when the text changed,
    // observers hear Selection when only the caret or the selection moved.
    void StoreEdit(Field& field, const std::u32string& text, std::size_t caret, std::size_t anchor);
    void StoreEdit(Field& field, const MaskedText& edit) {
        StoreEdit(field, edit.text, edit.caret, edit.anchor);
    }
    void Accept(Field& field, bool byOperator);
    MaskedText EditOf(const Field& field) const;
    KeyResult TypeAtCaret(Field& field, char32_t key);
    KeyResult TypeMasked(Field& field, char32_t key);
    KeyResult DeleteAtCaret(Field& field, bool backward);
    KeyResult PasteAtCaret(Field& field, std::u32string_view text);
    // Refuses an edit of a field that is no text field or cannot be operated; else moves the focus to it.
    KeyResult BeginTextEdit(Field& field);
    // The operator's edit of a text field, as one act: edit(field) once BeginTextEdit accepts it.
    template <typename Edit>
    KeyResult OperatorTextEdit(std::string_view name, Edit edit);
    bool Operable(const Field& field) const { return field.options_.enabled && field.options_.visible; }

    std::vector<std::unique_ptr<Field>> fields_;
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::unordered_map<std::string, Field*, NameHash, std::equal_to<>> byName_;
    std::vector<std::pair<int, Observer>> observers_;
    std::vector<std::pair<int, CommitObserver>> commitObservers_;
    int nextObserverId_ = 1;
    std::string focused_;
    OverflowQuery overflowQuery_;
    EditHistory history_;
    int operatorActs_ = 0;
};

// Replaces a drop-down list's items and selects the same position again when it still exists.
// Controls the field model does not hold as choice fields are left alone.
void FillDropDown(FieldModel& fields, std::string_view control, std::vector<std::string> items);

} // namespace vorn
