#include "model/FieldModel.h"

#include "base/Utf8.h"
#include "model/ValueHelpers.h"

#include <stdexcept>

namespace vorn {

namespace {

const std::string EmptyText;

constexpr char32_t MaskDigit = '0';

// The text of a mask with nothing typed: literals in place, blanks as spaces.
std::u32string EmptyMaskText(const std::u32string& mask) {
    std::u32string text = mask;
    for (char32_t& ch : text) {
        if (ch == MaskDigit) {
            ch = ' ';
        }
    }
    return text;
}

// A masked field's text laid over its mask: anything that does not fit becomes the empty text.
std::u32string MaskedText(const std::u32string& mask, const std::string& text) {
    std::u32string chars = DecodeUtf8(text);
    if (chars.size() != mask.size()) {
        return EmptyMaskText(mask);
    }
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const bool fits = mask[i] == MaskDigit ? (chars[i] == ' ' || (chars[i] >= '0' && chars[i] <= '9'))
                                               : chars[i] == mask[i];
        if (!fits) {
            return EmptyMaskText(mask);
        }
    }
    return chars;
}

std::size_t EventSlot(FieldEvent event) {
    return static_cast<std::size_t>(event);
}

} // namespace

const std::string& Field::Text() const {
    if (options_.kind == FieldKind::Choice) {
        return index_ >= 0 && static_cast<std::size_t>(index_) < items_.size()
                   ? items_[static_cast<std::size_t>(index_)]
                   : EmptyText;
    }
    return text_;
}

const Field& FieldModel::Add(FieldOptions options) {
    if (options.name.empty() || byName_.count(options.name) != 0) {
        throw std::invalid_argument("field registered twice or without a name: " + options.name);
    }
    fields_.push_back(std::unique_ptr<Field>(new Field(std::move(options))));
    Field& field = *fields_.back();
    field.text_ = EncodeUtf8(EmptyMaskText(DecodeUtf8(field.options_.inputMask)));
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
        return;
    }
    field.text_ = std::move(text);
    field.caret_ = Utf8Length(field.text_);
    Notify(field, FieldChange::Text);
    Raise(field, FieldEvent::Change);
}

void FieldModel::SetText(std::string_view name, std::string text) {
    Field& field = Mutable(name);
    if (field.Kind() == FieldKind::Text) {
        ReplaceText(field, std::move(text));
    }
}

void FieldModel::SetItems(std::string_view name, std::vector<std::string> items) {
    Field& field = Mutable(name);
    field.items_ = std::move(items);
    field.index_ = -1;
    Notify(field, FieldChange::Items);
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
}

void FieldModel::SetChecked(std::string_view name, bool checked) {
    Field& field = Mutable(name);
    if (field.checked_ != checked) {
        field.checked_ = checked;
        Notify(field, FieldChange::Checked);
        Raise(field, FieldEvent::Click);
    }
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
        field.options_.inputMask = std::move(mask);
        Notify(field, FieldChange::InputMask);
        ReplaceText(field, EncodeUtf8(EmptyMaskText(DecodeUtf8(field.options_.inputMask))));
        field.caret_ = 0;
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

KeyResult FieldModel::TypeKey(std::string_view name, char32_t key) {
    Field& field = Mutable(name);
    if (const KeyResult refused = BeginTextEdit(field); refused != KeyResult::Accepted) {
        return refused;
    }
    if (!field.InputMask().empty()) {
        return TypeMasked(field, key);
    }
    const char32_t passed = FilterKey(field.KeyFilter(), key);
    if (passed == NoKey) {
        return KeyResult::Discarded;
    }
    if (passed == KeyBackspace) {
        std::u32string chars = DecodeUtf8(field.text_);
        if (!chars.empty()) {
            chars.pop_back();
            ReplaceText(field, EncodeUtf8(chars));
        }
        return KeyResult::Accepted;
    }
    if (passed == KeyCopy || passed == KeyPaste || passed == KeyCut) {
        // The clipboard belongs to the view; a paste reaches the core through Paste().
        return KeyResult::Accepted;
    }
    if (passed < 0x20 || passed == 0x7F) {
        return KeyResult::Discarded; // other control keys do not edit a single-line field
    }
    if (field.MaxLength() != 0 && Utf8Length(field.text_) >= field.MaxLength()) {
        return KeyResult::TooLong;
    }
    std::string text = field.text_;
    AppendUtf8(text, passed);
    ReplaceText(field, std::move(text));
    return KeyResult::Accepted;
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

KeyResult FieldModel::TypeMasked(Field& field, char32_t key) {
    const std::u32string mask = DecodeUtf8(field.InputMask());
    std::u32string chars = MaskedText(mask, field.text_);
    std::size_t caret = std::min(field.caret_, mask.size());
    if (key == KeyCopy || key == KeyPaste || key == KeyCut) {
        return KeyResult::Accepted;
    }
    if (key == KeyBackspace) {
        while (caret > 0) {
            --caret;
            if (mask[caret] == MaskDigit) {
                chars[caret] = ' ';
                break;
            }
        }
    } else if (key >= '0' && key <= '9') {
        while (caret < mask.size() && mask[caret] != MaskDigit) {
            ++caret;
        }
        if (caret == mask.size()) {
            return KeyResult::TooLong;
        }
        chars[caret++] = key;
    } else {
        // Typing a literal that lies ahead jumps past it; the positions skipped become blanks.
        const std::size_t literal = mask.find(key, caret);
        if (key == MaskDigit || literal == std::u32string::npos) {
            return KeyResult::Discarded;
        }
        for (std::size_t i = caret; i < literal; ++i) {
            chars[i] = mask[i] == MaskDigit ? U' ' : mask[i];
        }
        caret = literal + 1;
    }
    ReplaceText(field, EncodeUtf8(chars));
    field.caret_ = caret;
    return KeyResult::Accepted;
}

KeyResult FieldModel::Clear(std::string_view name) {
    Field& field = Mutable(name);
    if (const KeyResult refused = BeginTextEdit(field); refused != KeyResult::Accepted) {
        return refused;
    }
    ReplaceText(field, EncodeUtf8(EmptyMaskText(DecodeUtf8(field.InputMask()))));
    field.caret_ = 0;
    return KeyResult::Accepted;
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
    Field& field = Mutable(name);
    if (const KeyResult refused = BeginTextEdit(field); refused != KeyResult::Accepted) {
        return refused;
    }
    if (!field.InputMask().empty()) {
        return TypeText(name, text);
    }
    std::u32string chars = DecodeUtf8(field.text_);
    const std::u32string pasted = DecodeUtf8(text);
    std::size_t room = pasted.size();
    if (field.MaxLength() != 0) {
        room = chars.size() >= field.MaxLength() ? 0 : std::min(room, field.MaxLength() - chars.size());
    }
    if (room == 0 && !pasted.empty()) {
        return KeyResult::TooLong;
    }
    chars.append(pasted, 0, room);
    ReplaceText(field, EncodeUtf8(chars));
    return KeyResult::Accepted;
}

bool FieldModel::Select(std::string_view name, int index) {
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
    Field& field = Mutable(name);
    if (field.Kind() != FieldKind::Check || !Operable(field)) {
        return false;
    }
    SetFocus(name);
    field.checked_ = !field.checked_;
    Notify(field, FieldChange::Checked);
    Raise(field, FieldEvent::Click);
    return true;
}

void FieldModel::Leave(std::string_view name) {
    const Field& field = Get(name);
    if (focused_ == field.Name()) {
        focused_.clear();
    }
    Raise(field, FieldEvent::Exit);
}

void FieldModel::On(std::string_view name, FieldEvent event, Handler handler) {
    Mutable(name).handlers_[EventSlot(event)] = std::move(handler);
}

int FieldModel::AddObserver(Observer observer) {
    const int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void FieldModel::RemoveObserver(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
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
