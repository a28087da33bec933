#pragma once

#include "model/KeyFilters.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
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
    Focus
};

// Outcome of an operator's key press or paste.
enum class KeyResult {
    Accepted,  // the key reached the field
    Discarded, // the field's key filter refused it
    TooLong,   // the field is at its maximum length
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
    // Text fields with an edit mask: "0" is an optional digit, any other character a literal kept in
    // the text; blanks are spaces. Typing fills the digit positions from the caret and typing a
    // literal jumps past it, as a masked line edit does.
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
    const std::string& InputMask() const { return options_.inputMask; }
    const std::string& Hint() const { return hint_; }
    bool HintShown() const { return hintShown_; }

    // Text fields: the text. Choice fields: the display text of the selected item, empty without one.
    const std::string& Text() const;
    const std::vector<std::string>& Items() const { return items_; }
    int Index() const { return index_; }
    bool Checked() const { return checked_; }

private:
    friend class FieldModel;
    explicit Field(FieldOptions options) : options_(std::move(options)) {}

    FieldOptions options_;
    std::string text_;
    std::vector<std::string> items_;
    int index_ = -1;
    bool checked_ = false;
    std::size_t caret_ = 0; // masked fields: the position typing goes on at
    std::string hint_;
    bool hintShown_ = false;
    std::array<std::function<void(const Field&)>, 3> handlers_;
};

// The editor's fields by control name, in registration order. Program-side setters behave as the
// controls do when code sets them: a new text raises Change, a new check state raises Click, a new
// selection or list raises nothing. Operator acts (typing, pasting, choosing, clicking, leaving) move
// the keyboard focus to the field first, as a real window does, and are refused on a disabled or
// hidden field.
class FieldModel {
public:
    using Handler = std::function<void(const Field& sender)>;
    using Observer = std::function<void(const Field& field, FieldChange change)>;
    using OverflowQuery = std::function<bool(const Field& field)>;

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

    // Operator acts.
    KeyResult TypeKey(std::string_view name, char32_t key);
    // Types each character in turn; stops at the first key that is not accepted and returns its result.
    KeyResult TypeText(std::string_view name, std::string_view text);
    // Inserts text as a paste does: not filtered by key, cut at the maximum length. A masked field
    // takes the text as typed keys.
    KeyResult Paste(std::string_view name, std::string_view text);
    // Selects all of a text field's content and deletes it (a masked field keeps its literals).
    KeyResult Clear(std::string_view name);
    bool Select(std::string_view name, int index);
    // Chooses the first item with that display text; false when there is none.
    bool SelectText(std::string_view name, std::string_view displayText);
    bool Click(std::string_view name);
    void Leave(std::string_view name);

    // The handler of one event of one field, as a control's event property: setting replaces it.
    void On(std::string_view name, FieldEvent event, Handler handler);

    int AddObserver(Observer observer);
    void RemoveObserver(int id);

    // Whether a field's current text is wider than the field can show; the view measures it.
    void SetOverflowQuery(OverflowQuery query) { overflowQuery_ = std::move(query); }
    bool TextOverflows(std::string_view name) const;

private:
    Field& Mutable(std::string_view name);
    void Notify(const Field& field, FieldChange change);
    void Raise(const Field& field, FieldEvent event);
    void ReplaceText(Field& field, std::string text);
    KeyResult TypeMasked(Field& field, char32_t key);
    // Refuses an edit of a field that is no text field or cannot be operated; else moves the focus to it.
    KeyResult BeginTextEdit(Field& field);
    bool Operable(const Field& field) const { return field.options_.enabled && field.options_.visible; }

    std::vector<std::unique_ptr<Field>> fields_;
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::unordered_map<std::string, Field*, NameHash, std::equal_to<>> byName_;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserverId_ = 1;
    std::string focused_;
    OverflowQuery overflowQuery_;
};

// Replaces a drop-down list's items and selects the same position again when it still exists.
// Controls the field model does not hold as choice fields are left alone.
void FillDropDown(FieldModel& fields, std::string_view control, std::vector<std::string> items);

} // namespace vorn
