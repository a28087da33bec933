#include "model/FieldModel.h"

#include "base/Utf8.h"
#include "model/ValueHelpers.h"

#include <exception>
#include <stdexcept>
#include <utility>

namespace vorn {

namespace {

const std::string EmptyText;

// The text a field shows for a program-set text: a masked field lays it over its mask.
std::string ShownText(const std::optional<InputMask>& mask, std::string text) {
    return mask ? EncodeUtf8(mask->Lay(DecodeUtf8(text))) : text;
}

bool IsClipboardKey(char32_t key) {
    return key == KeyCopy || key == KeyPaste || key == KeyCut;
}

std::size_t EventSlot(FieldEvent event) {
    return static_cast<std::size_t>(event);
}

// Observers are kept with an id of the model's, by which they are removed again.
template <typename Callback>
int AddWithId(std::vector<std::pair<int, Callback>>& list, int& nextId, Callback callback) {
    const int id = nextId++;
    list.emplace_back(id, std::move(callback));
    return id;
}

template <typename Callback>
void RemoveById(std::vector<std::pair<int, Callback>>& list, int id) {
    std::erase_if(list, [id](const auto& entry) { return entry.first == id; });
}

} // namespace

class FieldModel::OperatorAct {
public:
    explicit OperatorAct(FieldModel& model) : model_(model), exceptions_(std::uncaught_exceptions()) {
        ++model_.operatorActs_;
    }
    ~OperatorAct() {
        if (--model_.operatorActs_ == 0 && std::uncaught_exceptions() == exceptions_) {
            model_.history_.ActEnded(model_.Editing());
        }
    }
    OperatorAct(const OperatorAct&) = delete;
    OperatorAct& operator=(const OperatorAct&) = delete;

private:
    FieldModel& model_;
    int exceptions_;
};

const std::string& Field::Text() const {
    if (options_.kind == FieldKind::Choice) {
        return index_ >= 0 && static_cast<std::size_t>(index_) < items_.size()
                   ? items_[static_cast<std::size_t>(index_)]
                   : EmptyText;
    }
    return text_;
}

FieldValue Field::Value() const {
    FieldValue value;
    switch (options_.kind) {
    case FieldKind::Text: value.text = text_; break;
    case FieldKind::Choice: value.index = index_; break;
    case FieldKind::Check: value.checked = checked_; break;
    }
    return value;
}

const Field& FieldModel::Add(FieldOptions options) {
    if (options.name.empty() || byName_.count(options.name) != 0) {
        throw std::invalid_argument("field registered twice or without a name: " + options.name);
    }
    auto mask = InputMask::Parse(options.inputMask); // refuses a mask it cannot edit before anything changes
    fields_.push_back(std::unique_ptr<Field>(new Field(std::move(options))));
    Field& field = *fields_.back();
    field.mask_ = std::move(mask);
    if (field.mask_) {
        field.text_ = EncodeUtf8(field.mask_->EmptyText());
    }
    field.committed_ = field.Value();
    byName_.emplace(field.Name(), &field);
    return field;
}

const Field* FieldModel::Find(std::string_view name) const {
    const auto it = byName_.find(name);
    return it != byName_.end() ? it->second : nullptr;
}

const Field& FieldModel::Get(std::string_view name) const {
    const Field* field = Find(name);
    if (field == nullptr) {
        throw std::out_of_range("unknown field: " + std::string(name));
    }
    return *field;
}

Field& FieldModel::Mutable(std::string_view name) {
    return const_cast<Field&>(Get(name));
}

std::vector<const Field*> FieldModel::Fields() const {
    std::vector<const Field*> all;
    all.reserve(fields_.size());
    for (const auto& field : fields_) {
        all.push_back(field.get());
    }
    return all;
}

void FieldModel::Notify(const Field& field, FieldChange change) {
    // Copy: an observer may add or remove observers.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers) {
        observer(field, change);
    }
}

void FieldModel::Raise(const Field& field, FieldEvent event) {
    // Copy: a handler may replace itself.
    const Handler handler = field.handlers_[EventSlot(event)];
    if (handler) {
        handler(field);
    }
}

void FieldModel::ReplaceText(Field& field, std::string text) {
    if (field.text_ == text) {
        // As in a line edit, setting the text puts the caret at its end even when nothing changed.
        const std::size_t end = Utf8Length(field.text_);
        if (field.caret_ != end || field.anchor_ != end) {
            field.caret_ = field.anchor_ = end;
            Notify(field, FieldChange::Selection);
        }
        return;
    }
    field.text_ = std::move(text);
    field.caret_ = field.anchor_ = Utf8Length(field.text_);
    Notify(field, FieldChange::Text);
    Raise(field, FieldEvent::Change);
}

void FieldModel::StoreEdit(Field& field, const std::u32string& text, std::size_t caret, std::size_t anchor) {
    std::string encoded = EncodeUtf8(text);
    if (field.text_ == encoded) {
        if (field.caret_ != caret || field.anchor_ != anchor) {
            field.caret_ = caret;
            field.anchor_ = anchor;
            Notify(field, FieldChange::Selection);
        }
        return;
    }
    // The caret is in place before the handlers run: one of them may set the text again.
    field.text_ = std::move(encoded);
    field.caret_ = caret;
    field.anchor_ = anchor;
    Notify(field, FieldChange::Text);
    Raise(field, FieldEvent::Change);
}

MaskedText FieldModel::EditOf(const Field& field) const {
    MaskedText edit{DecodeUtf8(field.text_), field.caret_, field.anchor_};
    if (field.mask_ && edit.text.size() != field.mask_->Size()) {
        edit.text = field.mask_->Lay(edit.text);
    }
    edit.caret = std::min(edit.caret, edit.text.size());
    edit.anchor = std::min(edit.anchor, edit.text.size());
    return edit;
}

void FieldModel::Accept(Field& field, bool byOperator) {
    FieldValue value = field.Value();
    if (value == field.committed_) {
        return;
    }
    FieldCommit commit{field, std::exchange(field.committed_, std::move(value)), byOperator};
    history_.Heard(field.Name(), commit.before, field.committed_, byOperator, operatorActs_ > 0 || Editing());
    // Copy: an observer may add or remove observers.
    const auto observers = commitObservers_;
    for (const auto& [id, observer] : observers) {
        observer(commit);
    }
}

void FieldModel::Commit(std::string_view name) {
    Accept(Mutable(name), false);
}

void FieldModel::Restore(std::string_view name) {
    Field& field = Mutable(name);
    const FieldValue committed = field.committed_;
    switch (field.Kind()) {
    case FieldKind::Text: ReplaceText(field, committed.text); break;
    case FieldKind::Choice: SetIndex(name, committed.index); break;
    case FieldKind::Check: SetChecked(name, committed.checked); break;
    }
    Accept(field, false);
}

void FieldModel::SetValue(std::string_view name, const FieldValue& value) {
    Field& field = Mutable(name);
    switch (field.Kind()) {
    case FieldKind::Text: // as accepted before: a masked field's text is already laid over its mask
        ReplaceText(field, value.text);
        Accept(field, false);
        break;
    case FieldKind::Choice: SetIndex(name, value.index); break;
    case FieldKind::Check: SetChecked(name, value.checked); break;
    }
}

bool FieldModel::Editing() const {
    const Field* field = focused_.empty() ? nullptr : Find(focused_);
    return field != nullptr && field->Value() != field->committed_;
}

int FieldModel::AddCommitObserver(CommitObserver observer) {
    return AddWithId(commitObservers_, nextObserverId_, std::move(observer));
}

void FieldModel::RemoveCommitObserver(int id) {
    RemoveById(commitObservers_, id);
}

void FieldModel::SetText(std::string_view name, std::string text) {
    Field& field = Mutable(name);
    if (field.Kind() == FieldKind::Text) {
        ReplaceText(field, ShownText(field.mask_, std::move(text)));
        Accept(field, false);
    }
}

void FieldModel::SetItems(std::string_view name, std::vector<std::string> items) {
    Field& field = Mutable(name);
    field.items_ = std::move(items);
    field.index_ = -1;
    Notify(field, FieldChange::Items);
    Accept(field, false);
}

void FieldModel::SetIndex(std::string_view name, int index) {
    Field& field = Mutable(name);
    if (index < 0 || static_cast<std::size_t>(index) >= field.items_.size()) {
        index = -1;
    }
    if (field.index_ != index) {
        field.index_ = index;
        Notify(field, FieldChange::Index);
    }
    Accept(field, false);
}

void FieldModel::SetChecked(std::string_view name, bool checked) {
    Field& field = Mutable(name);
    if (field.checked_ != checked) {
        field.checked_ = checked;
        Notify(field, FieldChange::Checked);
        Raise(field, FieldEvent::Click);
    }
    Accept(field, false);
}

void FieldModel::SetEnabled(std::string_view name, bool enabled) {
    Field& field = Mutable(name);
    if (field.options_.enabled != enabled) {
        field.options_.enabled = enabled;
        Notify(field, FieldChange::Enabled);
    }
}

void FieldModel::SetVisible(std::string_view name, bool visible) {
    Field& field = Mutable(name);
    if (field.options_.visible != visible) {
        field.options_.visible = visible;
        Notify(field, FieldChange::Visible);
    }
}

void FieldModel::SetTag(std::string_view name, int tag) {
    Field& field = Mutable(name);
    if (field.options_.tag != tag) {
        field.options_.tag = tag;
        Notify(field, FieldChange::Tag);
    }
}

void FieldModel::SetHint(std::string_view name, std::string hint, bool shown) {
    Field& field = Mutable(name);
    if (field.hint_ != hint || field.hintShown_ != shown) {
        field.hint_ = std::move(hint);
        field.hintShown_ = shown;
        Notify(field, FieldChange::Hint);
    }
}

void FieldModel::SetMaxLength(std::string_view name, std::size_t maxLength) {
    Field& field = Mutable(name);
    if (field.options_.maxLength != maxLength) {
        field.options_.maxLength = maxLength;
        Notify(field, FieldChange::MaxLength);
    }
}

void FieldModel::SetInputMask(std::string_view name, std::string mask) {
    Field& field = Mutable(name);
    if (field.options_.inputMask != mask) {
        field.mask_ = InputMask::Parse(mask);
        field.options_.inputMask = std::move(mask);
        Notify(field, FieldChange::InputMask);
        StoreEdit(field, field.mask_ ? field.mask_->EmptyText() : std::u32string(), 0, 0);
        Accept(field, false);
    }
}

void FieldModel::SetFocus(std::string_view name) {
    const Field& target = Get(name);
    if (focused_ == target.Name()) {
        return;
    }
    if (!focused_.empty()) {
        Leave(focused_);
    }
    focused_ = target.Name();
    Notify(target, FieldChange::Focus);
}

KeyResult FieldModel::BeginTextEdit(Field& field) {
    if (field.Kind() != FieldKind::Text) {
        return KeyResult::NotText;
    }
    if (!Operable(field)) {
        return KeyResult::Disabled;
    }
    SetFocus(field.Name());
    return KeyResult::Accepted;
}

template <typename Edit>
KeyResult FieldModel::OperatorTextEdit(std::string_view name, Edit edit) {
    const OperatorAct act(*this);
    Field& field = Mutable(name);
    if (const KeyResult refused = BeginTextEdit(field); refused != KeyResult::Accepted) {
        return refused;
    }
    return edit(field);
}

KeyResult FieldModel::SetCaret(std::string_view name, std::size_t position) {
    Field& field = Mutable(name);
    if (const KeyResult refused = BeginTextEdit(field); refused != KeyResult::Accepted) {
        return refused;
    }
    MaskedText edit = EditOf(field);
    if (position > edit.text.size()) {
        return KeyResult::Accepted; // a line edit ignores a position beyond its text
    }
    if (field.mask_) {
        field.mask_->MoveCaret(edit, position);
    } else {
        edit.caret = edit.anchor = position;
    }
    StoreEdit(field, edit);
    return KeyResult::Accepted;
}

KeyResult FieldModel::SetSelection(std::string_view name, std::size_t start, std::ptrdiff_t length) {
    Field& field = Mutable(name);
    if (const KeyResult refused = BeginTextEdit(field); refused != KeyResult::Accepted) {
        return refused;
    }
    MaskedText edit = EditOf(field);
    const std::size_t size = edit.text.size();
    if (start > size) {
        return KeyResult::Accepted;
    }
    edit.anchor = start;
    const std::size_t span = static_cast<std::size_t>(length < 0 ? -length : length);
    edit.caret = length < 0 ? edit.anchor - std::min(span, edit.anchor) : std::min(edit.anchor + span, size);
    StoreEdit(field, edit);
    return KeyResult::Accepted;
}

KeyResult FieldModel::TypeKey(std::string_view name, char32_t key) {
    return OperatorTextEdit(name, [&](Field& field) { return TypeAtCaret(field, key); });
}

KeyResult FieldModel::TypeAtCaret(Field& field, char32_t key) {
    if (field.mask_) {
        return TypeMasked(field, key);
    }
    const char32_t passed = FilterKey(field.KeyFilter(), key);
    if (passed == NoKey) {
        return KeyResult::Discarded;
    }
    if (passed == KeyBackspace) {
        return DeleteAtCaret(field, true);
    }
    if (IsClipboardKey(passed)) {
        return KeyResult::Accepted;
    }
    if (passed < 0x20 || passed == 0x7F) {
        return KeyResult::Discarded; // other control keys do not edit a single-line field
    }
    MaskedText edit = EditOf(field);
    const std::size_t start = std::min(edit.anchor, edit.caret);
    const std::size_t selected = std::max(edit.anchor, edit.caret) - start;
    if (field.MaxLength() != 0 && edit.text.size() - selected >= field.MaxLength()) {
        return KeyResult::TooLong;
    }
    edit.text.replace(start, selected, 1, passed);
    StoreEdit(field, edit.text, start + 1, start + 1);
    return KeyResult::Accepted;
}

KeyResult FieldModel::TypeMasked(Field& field, char32_t key) {
    if (IsClipboardKey(key)) {
        return KeyResult::Accepted;
    }
    if (key == KeyBackspace) {
        return DeleteAtCaret(field, true);
    }
    if (key < 0x20 || key == 0x7F) {
        return KeyResult::Discarded;
    }
    // As in the masked line edit, a printable key removes the selection even when the mask then
    // refuses the key.
    const InputMask& mask = *field.mask_;
    MaskedText edit = EditOf(field);
    mask.RemoveSelection(edit);
    const bool atEnd = edit.caret >= mask.Size();
    const std::size_t taken = mask.Insert(edit, std::u32string(1, key));
    StoreEdit(field, edit);
    // The caret skips a literal once the digits before it are typed; the literal typed next then
    // changes nothing, as in the line edit, and counts as taken so that "12.3" types in full.
    const bool literalPassed =
        edit.caret > 0 && !mask.IsDigitPosition(edit.caret - 1) && edit.text[edit.caret - 1] == key;
    if (taken != 0 || literalPassed) {
        return KeyResult::Accepted;
    }
    return atEnd && mask.Fits(key) ? KeyResult::TooLong : KeyResult::Discarded;
}

KeyResult FieldModel::Backspace(std::string_view name) {
    return TypeKey(name, KeyBackspace);
}

KeyResult FieldModel::Delete(std::string_view name) {
    return OperatorTextEdit(name, [&](Field& field) { return DeleteAtCaret(field, false); });
}

KeyResult FieldModel::DeleteAtCaret(Field& field, bool backward) {
    MaskedText edit = EditOf(field);
    if (field.mask_) {
        backward ? field.mask_->Backspace(edit) : field.mask_->Delete(edit);
    } else if (edit.anchor != edit.caret) {
        const std::size_t start = std::min(edit.anchor, edit.caret);
        edit.text.erase(start, std::max(edit.anchor, edit.caret) - start);
        edit.caret = edit.anchor = start;
    } else if (backward && edit.caret > 0) {
        edit.text.erase(--edit.caret, 1);
        edit.anchor = edit.caret;
    } else if (!backward && edit.caret < edit.text.size()) {
        edit.text.erase(edit.caret, 1);
    }
    StoreEdit(field, edit);
    return KeyResult::Accepted;
}

KeyResult FieldModel::Clear(std::string_view name) {
    return OperatorTextEdit(name, [&](Field& field) {
        StoreEdit(field, field.mask_ ? field.mask_->EmptyText() : std::u32string(), 0, 0);
        return KeyResult::Accepted;
    });
}

KeyResult FieldModel::TypeText(std::string_view name, std::string_view text) {
    for (char32_t ch : DecodeUtf8(text)) {
        const KeyResult result = TypeKey(name, ch);
        if (result != KeyResult::Accepted) {
            return result;
        }
    }
    return KeyResult::Accepted;
}

KeyResult FieldModel::Paste(std::string_view name, std::string_view text) {
    return OperatorTextEdit(name, [&](Field& field) { return PasteAtCaret(field, DecodeUtf8(text)); });
}

KeyResult FieldModel::PasteAtCaret(Field& field, std::u32string_view pasted) {
    MaskedText edit = EditOf(field);
    if (field.mask_) {
        const InputMask& mask = *field.mask_;
        mask.RemoveSelection(edit);
        const bool atEnd = edit.caret >= mask.Size();
        const std::size_t taken = mask.Insert(edit, pasted);
        StoreEdit(field, edit);
        if (taken != 0 || pasted.empty()) {
            return KeyResult::Accepted;
        }
        return atEnd ? KeyResult::TooLong : KeyResult::Discarded;
    }
    const std::size_t start = std::min(edit.anchor, edit.caret);
    const std::size_t selected = std::max(edit.anchor, edit.caret) - start;
    const std::size_t kept = edit.text.size() - selected;
    std::size_t room = pasted.size();
    if (field.MaxLength() != 0) {
        room = kept >= field.MaxLength() ? 0 : std::min(room, field.MaxLength() - kept);
    }
    if (room == 0 && !pasted.empty()) {
        return KeyResult::TooLong;
    }
    edit.text.replace(start, selected, pasted.substr(0, room));
    StoreEdit(field, edit.text, start + room, start + room);
    return KeyResult::Accepted;
}

KeyResult FieldModel::ProposeText(std::string_view name, std::string_view text, std::size_t caret) {
    const OperatorAct act(*this);
    Field& field = Mutable(name);
    if (const KeyResult refused = BeginTextEdit(field); refused != KeyResult::Accepted) {
        return refused;
    }
    const std::u32string before = DecodeUtf8(field.text_);
    const std::u32string proposed = DecodeUtf8(text);
    caret = std::min(caret, proposed.size());
    if (proposed == before) {
        // Nothing to edit (a selection of blanks deleted, say): the widget's caret stands.
        StoreEdit(field, before, caret, caret);
        return KeyResult::Accepted;
    }
    // The widget's caret ends the inserted text, so the unchanged tail lies behind it; the common
    // head is what remains in front.
    std::size_t tail = 0;
    while (tail < before.size() && tail < proposed.size() - caret &&
           before[before.size() - 1 - tail] == proposed[proposed.size() - 1 - tail]) {
        ++tail;
    }
    std::size_t head = 0;
    while (head < before.size() - tail && head < proposed.size() - tail && before[head] == proposed[head]) {
        ++head;
    }
    const std::u32string inserted = proposed.substr(head, proposed.size() - tail - head);
    const std::size_t oldCaret = field.caret_;
    const std::size_t oldAnchor = field.anchor_;
    // A masked line edit overwrites: a range it shows empty again was deleted, and other text shown
    // over a range was typed at the range's start.
    const std::size_t removed = before.size() - tail - head;
    const bool deleted =
        field.mask_ ? inserted == field.mask_->EmptyText().substr(head, removed) : inserted.empty();
    field.anchor_ = head;
    field.caret_ = field.mask_ && !deleted ? head : before.size() - tail;
    KeyResult result = KeyResult::Accepted;
    if (deleted) {
        result = DeleteAtCaret(field, false);
    } else if (inserted.size() == 1) {
        result = TypeAtCaret(field, inserted.front());
    } else {
        result = PasteAtCaret(field, inserted);
    }
    const std::u32string after = DecodeUtf8(field.text_);
    if (after == proposed) {
        if (field.caret_ != caret || field.anchor_ != caret) {
            field.caret_ = field.anchor_ = caret;
            Notify(field, FieldChange::Selection);
        }
    } else if (after == before) {
        // Refused: the field keeps its text and caret, and the widget is told to show them again.
        field.caret_ = oldCaret;
        field.anchor_ = oldAnchor;
        Notify(field, FieldChange::Text);
    }
    return result;
}

bool FieldModel::Select(std::string_view name, int index) {
    const OperatorAct act(*this);
    Field& field = Mutable(name);
    if (field.Kind() != FieldKind::Choice || !Operable(field) || index < 0 ||
        static_cast<std::size_t>(index) >= field.items_.size()) {
        return false;
    }
    SetFocus(name);
    if (field.index_ != index) {
        field.index_ = index;
        Notify(field, FieldChange::Index);
        Raise(field, FieldEvent::Change);
    }
    Accept(field, true);
    return true;
}

bool FieldModel::SelectText(std::string_view name, std::string_view displayText) {
    const Field& field = Get(name);
    for (std::size_t i = 0; i < field.items_.size(); ++i) {
        if (field.items_[i] == displayText) {
            return Select(name, static_cast<int>(i));
        }
    }
    return false;
}

bool FieldModel::Click(std::string_view name) {
    const OperatorAct act(*this);
    Field& field = Mutable(name);
    if (field.Kind() != FieldKind::Check || !Operable(field)) {
        return false;
    }
    SetFocus(name);
    field.checked_ = !field.checked_;
    Notify(field, FieldChange::Checked);
    Raise(field, FieldEvent::Click);
    Accept(field, true);
    return true;
}

void FieldModel::Leave(std::string_view name) {
    const OperatorAct act(*this);
    Field& field = Mutable(name);
    if (focused_ == field.Name()) {
        focused_.clear();
    }
    Raise(field, FieldEvent::Exit);
    Accept(field, true);
}

void FieldModel::On(std::string_view name, FieldEvent event, Handler handler) {
    Mutable(name).handlers_[EventSlot(event)] = std::move(handler);
}

int FieldModel::AddObserver(Observer observer) {
    return AddWithId(observers_, nextObserverId_, std::move(observer));
}

void FieldModel::RemoveObserver(int id) {
    RemoveById(observers_, id);
}

bool FieldModel::TextOverflows(std::string_view name) const {
    const Field& field = Get(name);
    return overflowQuery_ ? overflowQuery_(field) : false;
}

void FillDropDown(FieldModel& fields, std::string_view control, std::vector<std::string> items) {
    const Field* field = fields.Find(control);
    if (field == nullptr || field->Kind() != FieldKind::Choice) {
        return;
    }
    const int old = field->Index();
    const std::size_t count = items.size();
    fields.SetItems(control, std::move(items));
    if (old >= 0 && static_cast<std::size_t>(old) < count) {
        fields.SetIndex(control, old);
    }
}

} // namespace vorn
