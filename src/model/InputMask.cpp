#include "model/InputMask.h"

#include "base/Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace vorn {

namespace {

// Qt's mask characters other than "0": positions for letters, other digit kinds and case changes.
constexpr std::u32string_view OtherMaskCharacters = U"AaNnXx9DdHhBb#<>!{}[]";

} // namespace

std::string InputMask::LiteralNotation(char32_t literal) {
    std::string notation;
    if (literal == U'0' || literal == U'\\' ||
        OtherMaskCharacters.find(literal) != std::u32string_view::npos) {
        notation = "\\";
    }
    AppendUtf8(notation, literal);
    return notation;
}

std::optional<InputMask> InputMask::Parse(std::string_view notation) {
    const std::u32string chars = DecodeUtf8(notation);
    const std::size_t delimiter = chars.find(U';');
    const std::u32string_view mask = std::u32string_view(chars).substr(0, delimiter);
    if (mask.empty()) {
        return std::nullopt;
    }
    InputMask parsed;
    if (delimiter != std::u32string::npos && delimiter + 1 < chars.size()) {
        parsed.blank_ = chars[delimiter + 1];
    }
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char32_t ch = mask[i];
        if (ch == U'\\' && i + 1 < mask.size()) {
            parsed.positions_.push_back({false, mask[++i]});
        } else if (ch == U'0') {
            parsed.positions_.push_back({true, 0});
        } else if (OtherMaskCharacters.find(ch) != std::u32string_view::npos || ch == U'\\') {
            throw std::invalid_argument("input mask not supported by the editor: " + std::string(notation));
        } else {
            parsed.positions_.push_back({false, ch});
        }
    }
    return parsed;
}

bool InputMask::IsDigitPosition(std::size_t position) const {
    return position < positions_.size() && positions_[position].digit;
}

bool InputMask::Fits(char32_t ch) const {
    return (ch >= U'0' && ch <= U'9') || ch == blank_;
}

std::u32string InputMask::Cleared(std::size_t from, std::size_t count) const {
    std::u32string cleared;
    for (std::size_t i = from; i < from + count && i < positions_.size(); ++i) {
        cleared += positions_[i].digit ? blank_ : positions_[i].literal;
    }
    return cleared;
}

std::u32string InputMask::EmptyText() const {
    return Cleared(0, positions_.size());
}

std::size_t InputMask::NextDigitPosition(std::size_t from) const {
    for (std::size_t i = from; i < positions_.size(); ++i) {
        if (positions_[i].digit) {
            return i;
        }
    }
    return positions_.size();
}

std::size_t InputMask::PreviousDigitPosition(std::size_t from) const {
    for (std::size_t i = std::min(from + 1, positions_.size()); i-- > 0;) {
        if (positions_[i].digit) {
            return i;
        }
    }
    return 0;
}

std::optional<std::size_t> InputMask::FindLiteral(std::size_t from, char32_t literal) const {
    for (std::size_t i = from; i < positions_.size(); ++i) {
        if (!positions_[i].digit && positions_[i].literal == literal) {
            return i;
        }
    }
    return std::nullopt;
}

InputMask::Laid InputMask::LayFrom(std::size_t position, std::u32string_view text,
                                   std::u32string_view fill) const {
    // The line edit's rule for a mask whose only input positions are digit positions: a character
    // that does not fit one position fits none.
    Laid laid;
    std::size_t i = position;
    for (std::size_t k = 0; i < positions_.size() && k < text.size();) {
        const char32_t ch = text[k];
        if (!positions_[i].digit) {
            laid.chars += positions_[i].literal;
            if (ch == positions_[i].literal) {
                ++k;
                ++laid.taken;
            }
            ++i;
            continue;
        }
        if (Fits(ch)) {
            laid.chars += ch;
            ++laid.taken;
            ++i;
        } else if (const auto literal = FindLiteral(i, ch)) {
            // A single literal typed right behind the same literal does not jump to a later one.
            if (text.size() != 1 || i == 0 || positions_[i - 1].digit || positions_[i - 1].literal != ch) {
                laid.chars.append(fill.substr(i, *literal - i + 1));
                ++laid.taken;
                i = *literal + 1;
            }
        }
        ++k;
    }
    return laid;
}

std::u32string InputMask::Lay(std::u32string_view text) const {
    const std::u32string empty = EmptyText();
    std::u32string laid = LayFrom(0, text, empty).chars;
    laid += empty.substr(laid.size());
    return laid;
}

void InputMask::MoveCaret(MaskedText& edit, std::size_t position) const {
    position = std::min(position, positions_.size());
    if (position != edit.caret) {
        position = position > edit.caret ? NextDigitPosition(position) : PreviousDigitPosition(position);
    }
    edit.caret = edit.anchor = position;
}

bool InputMask::RemoveSelection(MaskedText& edit) const {
    if (edit.anchor == edit.caret) {
        return false;
    }
    const std::size_t start = std::min(edit.anchor, edit.caret);
    const std::size_t count = std::max(edit.anchor, edit.caret) - start;
    edit.text.replace(start, count, Cleared(start, count));
    edit.caret = edit.anchor = start;
    return true;
}

std::size_t InputMask::Insert(MaskedText& edit, std::u32string_view text) const {
    RemoveSelection(edit);
    const Laid laid = LayFrom(edit.caret, text, edit.text);
    edit.text.replace(edit.caret, laid.chars.size(), laid.chars);
    edit.caret = edit.anchor = NextDigitPosition(edit.caret + laid.chars.size());
    return laid.taken;
}

void InputMask::Backspace(MaskedText& edit) const {
    if (RemoveSelection(edit) || edit.caret == 0) {
        return;
    }
    edit.caret = edit.anchor = PreviousDigitPosition(edit.caret - 1);
    edit.text.replace(edit.caret, 1, Cleared(edit.caret, 1));
}

void InputMask::Delete(MaskedText& edit) const {
    if (RemoveSelection(edit) || edit.caret >= positions_.size()) {
        return;
    }
    edit.text.replace(edit.caret, 1, Cleared(edit.caret, 1));
}

} // namespace vorn
