#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// A masked field's text with its caret and selection, in characters (code points). The selection runs
// between the anchor and the caret; there is none when they are equal.
struct MaskedText {
    std::u32string text;
    std::size_t caret = 0;
    std::size_t anchor = 0;
};

// An edit mask in the notation of Qt's QLineEdit::setInputMask, as far as the editor uses it: "0" is a
// digit position that may stay blank, "\" makes the next character a literal, every other character
// is a literal kept in the text, and ";" ends the mask, followed by the blank character (a space when
// none follows). The view hands the same text to its line edit, and each edit below does what the
// line edit does with that mask (overwrite mode), so the view and the core show the same text and
// caret. Digits are "0" to "9" only.
class InputMask {
public:
    // nullopt for an empty notation (no mask). Throws std::invalid_argument for a notation that uses
    // Qt's other mask characters, which these edits do not follow.
    static std::optional<InputMask> Parse(std::string_view notation);
    // A literal character in the notation, escaped when the notation would read it as a mask character.
    static std::string LiteralNotation(char32_t literal);

    std::size_t Size() const { return positions_.size(); }
    char32_t Blank() const { return blank_; }
    bool IsDigitPosition(std::size_t position) const;
    // What a digit position takes: a digit or the blank.
    bool Fits(char32_t ch) const;

    // Literals in place, digit positions blank.
    std::u32string EmptyText() const;
    // A text set by the program, laid over the mask from the left: characters that fit fill the digit
    // positions, a literal jumps to where the mask has it, anything else is dropped; the rest is blank.
    std::u32string Lay(std::u32string_view text) const;

    // Operator edits. Moving the caret onto a literal skips it in the direction of the move, and
    // drops the selection.
    void MoveCaret(MaskedText& edit, std::size_t position) const;
    // Blanks the selected digit positions (literals stay) and puts the caret at the selection's start;
    // false when there was no selection.
    bool RemoveSelection(MaskedText& edit) const;
    // A typed key or a pasted text at the caret, after the selection is removed: each character that
    // fits overwrites the next digit position, a literal typed jumps past the mask's literal (the
    // positions skipped keep their characters), other characters are dropped. The caret ends on the
    // next digit position. Returns how many of the characters were taken.
    std::size_t Insert(MaskedText& edit, std::u32string_view text) const;
    // Blanks the digit position before the caret (skipping literals) and moves there.
    void Backspace(MaskedText& edit) const;
    // Blanks the position at the caret; the caret stays.
    void Delete(MaskedText& edit) const;

private:
    struct Position {
        bool digit = false;
        char32_t literal = 0;
    };

    // Text laid over the mask from a position; `fill` gives the characters of the positions that a
    // literal jump passes over. `taken` counts the characters of the text that went in.
    struct Laid {
        std::u32string chars;
        std::size_t taken = 0;
    };
    Laid LayFrom(std::size_t position, std::u32string_view text, std::u32string_view fill) const;
    std::u32string Cleared(std::size_t from, std::size_t count) const;
    std::size_t NextDigitPosition(std::size_t from) const;
    std::size_t PreviousDigitPosition(std::size_t from) const;
    std::optional<std::size_t> FindLiteral(std::size_t from, char32_t literal) const;

    std::vector<Position> positions_;
    char32_t blank_ = U' ';
};

} // namespace vorn
