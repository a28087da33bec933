#include "base/Utf8.h"
#include "model/FieldModel.h"
#include "model/InputMask.h"
#include "model/PulseTime.h"
#include "support/EditorHarness.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// Edits as a line edit reports them: at a caret, over a selection, and as a widget's new text. The
// masked cases were recorded from a QLineEdit with the same input mask, so the view and the core
// agree on every text and caret.
namespace vorn {
namespace {

struct Replayed {
    KeyResult last = KeyResult::Accepted; // of the last act
    int changes = 0;                      // Change events after the initial text
};

// Replays a script of acts separated by "|": X<text> sets the text as the program does, C<n> places
// the caret, S<start>,<length> selects, T<keys> types keys one by one (going on after a refused key,
// as an operator does), B is Backspace, D is Delete, P<text> pastes.
// The counts go to `replayed`, which must outlive the field's Change handler.
void Replay(FieldModel& model, const std::string& field, const std::string& script, Replayed& replayed) {
    model.On(field, FieldEvent::Change, [&replayed](const Field&) { ++replayed.changes; });
    std::size_t from = 0;
    while (from <= script.size()) {
        std::size_t end = script.find('|', from);
        end = end == std::string::npos ? script.size() : end;
        const std::string act = script.substr(from, end - from);
        from = end + 1;
        if (act.empty()) {
            continue;
        }
        const std::string arg = act.substr(1);
        switch (act[0]) {
        case 'X':
            model.Clear(field); // the caret ends after the new text even when it is the same
            model.SetText(field, arg);
            replayed.changes = 0;
            break;
        case 'C': replayed.last = model.SetCaret(field, std::stoul(arg)); break;
        case 'S': {
            const std::size_t comma = arg.find(',');
            replayed.last =
                model.SetSelection(field, std::stoul(arg.substr(0, comma)), std::stol(arg.substr(comma + 1)));
            break;
        }
        case 'T':
            for (char32_t key : DecodeUtf8(arg)) {
                replayed.last = model.TypeKey(field, key);
            }
            break;
        case 'B': replayed.last = model.Backspace(field); break;
        case 'D': replayed.last = model.Delete(field); break;
        case 'P': replayed.last = model.Paste(field, arg); break;
        default: ADD_FAILURE() << "unknown act " << act;
        }
    }
}

std::string WithSeparator(std::string text, char separator) {
    for (char& ch : text) {
        ch = ch == '.' ? separator : ch;
    }
    return text;
}

class FieldEdit : public ::testing::Test {
protected:
    FieldModel model;
    Replayed replayed;
    std::vector<std::string> seen; // observer notifications, "<field>:<change>"

    void SetUp() override {
        model.Add({.name = "edtHex", .maxLength = 4, .keyFilter = KeyFilterKind::HexCode});
        model.Add({.name = "edtNumber", .maxLength = 3, .keyFilter = KeyFilterKind::Number});
        model.Add({.name = "edtFree"});
        model.Add({.name = "medtTime", .maxLength = 6, .inputMask = PulseTimeMask('.')});
        model.AddObserver([this](const Field& field, FieldChange change) {
            if (change == FieldChange::Text || change == FieldChange::Selection) {
                seen.push_back(field.Name() + (change == FieldChange::Text ? ":text" : ":selection"));
            }
        });
    }
};

// Recorded from QLineEdit with the input mask "0000.0; ": the text it shows (blanks included) and
// its cursor position. The same table holds with a comma for the full stop.
TEST_F(FieldEdit, MaskedPulseTimeEditsMatchTheLineEdit) {
    struct Case {
        const char* script;
        const char* text;
        std::size_t caret;
    };
    const Case cases[] = {
        // Typing into an empty field: digits fill from the left, the separator jumps, the blank types.
        {"T12", "12  . ", 2},
        {"T12.3", "12  .3", 6},
        {"T1234", "1234. ", 5},
        {"T12345", "1234.5", 6},
        {"T123456", "1234.5", 6},
        {"T1a2", "12  . ", 2},
        {"T.5", "    .5", 6},
        {"T 1", " 1  . ", 2},
        {"T12..3", "12  .3", 6},
        // Typing at a caret: overwrite, literals skipped, the positions jumped over kept.
        {"X  12.3|C2|T5", "  52.3", 3},
        {"X  12.3|C3|T1", "  11.3", 5},
        {"X  12.3|C0|T1", "1 12.3", 1},
        {"X  12.3|C0|T.", "  12.3", 5},
        {"X  12.3|C1|T.", "  12.3", 5},
        {"X  12.3|C5|T.", "  12.3", 5},
        {"X  12.3|C5|T9", "  12.9", 6},
        {"X  12.3|C6|T4", "  12.3", 6},
        {"X  12.3|C2|T ", "   2.3", 3},
        // Backspace and Delete blank a position; the caret never rests before a literal.
        {"X  12.3|C5|B", "  1 .3", 3},
        {"X  12.3|C4|B", "   2.3", 2},
        {"X  12.3|C0|B", "  12.3", 0},
        {"X  12.3|C2|D", "   2.3", 2},
        {"X  12.3|C4|D", "  1 .3", 3},
        {"X  12.3|C6|D", "  12.3", 6},
        {"X  12.3|C0|C4", "  12.3", 5},
        {"X  12.3|C0|C4|B", "  1 .3", 3},
        // Selections are blanked, literals stay; a refused key still removes the selection.
        {"X  12.3|S2,4|B", "    . ", 2},
        {"X  12.3|S2,4|D", "    . ", 2},
        {"X  12.3|S5,-2|B", "  1 .3", 3},
        {"X  12.3|S4,2|B", "  12. ", 4},
        {"X  12.3|S0,6|T7", "7   . ", 1},
        {"X  12.3|S0,6|Ta", "    . ", 0},
        {"X  12.3|S1,2|Ta", "   2.3", 1},
        {"X  12.3|S3,2|T9", "  19.3", 5},
        {"X  12.3|S4,1|T9", "  12.9", 6},
        {"X  12.3|S1,1|T.", "  12.3", 5},
        // Pastes are laid over the mask from the caret in one go.
        {"P12.3", "12  .3", 6},
        {"P1a2", "12  . ", 2},
        {"Pabc", "    . ", 0},
        {"X  12.3|S0,6|P9", "9   . ", 1},
        {"X  12.3|S2,2|P45", "  45.3", 5},
        {"X  12.3|C2|P.7", "  12.7", 6},
        {"X  12.3|C2|P3.", "  32.3", 5},
        {"X  12.3|C2|P..7", "  12.7", 6},
        {"X  12.3|C0|P12345678", "1234.5", 6},
        {"X  12.3|C0|P1 2", "1 22.3", 3},
        {"X  12.3|S2,2|P", "    .3", 2},
        {"X  12.3|C5|P99", "  12.9", 6},
        {"X  12.3|C6|P1", "  12.3", 6},
        // A text set by the program is laid over the mask from the left.
        {"X12.3", "12  .3", 6},
        {"X6553.5", "6553.5", 6},
        {"X3.0", "3   .0", 6},
        {"X12345", "1234.5", 6},
        {"Xabc", "    . ", 6},
    };
    for (char separator : {'.', ','}) {
        for (const Case& c : cases) {
            const std::string script = WithSeparator(c.script, separator);
            SCOPED_TRACE("\"" + script + "\"");
            FieldModel masked;
            masked.Add({.name = "medtTime", .maxLength = 6, .inputMask = PulseTimeMask(separator)});
            Replayed counts;
            Replay(masked, "medtTime", script, counts);
            EXPECT_EQ(masked.Get("medtTime").Text(), WithSeparator(c.text, separator));
            EXPECT_EQ(masked.Get("medtTime").Caret(), c.caret);
            EXPECT_FALSE(masked.Get("medtTime").HasSelection());
        }
    }
}

TEST_F(FieldEdit, TheOtherSeparatorIsNoLiteral) {
    struct Case {
        char separator;
        const char* script;
        const char* text;
        std::size_t caret;
    };
    for (const Case& c :
         {Case{'.', "T12,3", "123 . ", 3}, Case{',', "T12.3", "123 , ", 3}, Case{'.', "X12,3", "123 . ", 6},
          Case{',', "X  12.3", "  12,3", 6}, Case{'.', "X1,5", "15  . ", 6}}) {
        SCOPED_TRACE(c.script);
        FieldModel masked;
        masked.Add({.name = "medtTime", .inputMask = PulseTimeMask(c.separator)});
        Replayed counts;
        Replay(masked, "medtTime", c.script, counts);
        EXPECT_EQ(masked.Get("medtTime").Text(), c.text);
        EXPECT_EQ(masked.Get("medtTime").Caret(), c.caret);
    }
}

TEST_F(FieldEdit, MaskedResultsAndChanges) {
    struct Case {
        const char* script;
        KeyResult last;
        int changes;
    };
    const Case cases[] = {
        {"X  12.3|C2|T5", KeyResult::Accepted, 1},
        {"X  12.3|C2|Ta", KeyResult::Discarded, 0},
        {"X  12.3|C2|T,", KeyResult::Discarded, 0},
        {"X  12.3|C6|T4", KeyResult::TooLong, 0},
        {"X  12.3|C6|T.", KeyResult::Discarded, 0},
        {"X  12.3|C1|T.", KeyResult::Accepted, 0}, // the caret jumps, the text stays
        {"T1234|T.", KeyResult::Accepted, 4},      // the caret already passed the separator
        {"X  12.3|S1,2|Ta", KeyResult::Discarded, 1},
        {"X  12.3|C0|B", KeyResult::Accepted, 0},
        {"X  12.3|S2,4|D", KeyResult::Accepted, 1},
        {"Pabc", KeyResult::Discarded, 0},
        {"X  12.3|C6|P1", KeyResult::TooLong, 0},
        {"P1.5", KeyResult::Accepted, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        model.Clear("medtTime");
        replayed = {};
        Replay(model, "medtTime", c.script, replayed);
        EXPECT_EQ(replayed.last, c.last);
        EXPECT_EQ(replayed.changes, c.changes);
    }
}

TEST_F(FieldEdit, EditsAtTheCaretAndOverTheSelection) {
    struct Case {
        const char* field;
        const char* script;
        const char* text;
        std::size_t caret;
        std::size_t selected;
        KeyResult last;
        int changes;
    };
    const Case cases[] = {
        // Typing in the middle goes through the key filter, which may turn the key into another.
        {"edtHex", "X12|C1|Ta", "1A2", 2, 0, KeyResult::Accepted, 1},
        {"edtHex", "X12|C1|Tg", "12", 1, 0, KeyResult::Discarded, 0},
        {"edtHex", "X1234|S1,2|Tx", "1234", 3, 2, KeyResult::Discarded, 0},
        {"edtNumber", "X12|C0|T-", "12", 0, 0, KeyResult::Discarded, 0},
        {"edtFree", "X\u00e9t\u00e9|C1|Tx", "\u00e9xt\u00e9", 2, 0, KeyResult::Accepted, 1},
        {"edtFree", "Xab|C1|T\r", "ab", 1, 0, KeyResult::Discarded, 0},
        // A selection is replaced, even in a full field; without one a full field refuses.
        {"edtHex", "X1234|S1,2|Tf", "1F4", 2, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|S3,-2|Tf", "1F4", 2, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|C2|T5", "1234", 2, 0, KeyResult::TooLong, 0},
        // Backspace and Delete, with and without a selection, at both ends.
        {"edtHex", "X1234|C2|B", "134", 1, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|C2|D", "124", 2, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|S1,2|B", "14", 1, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|S3,-2|D", "14", 1, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|C0|B", "1234", 0, 0, KeyResult::Accepted, 0},
        {"edtHex", "X1234|C4|D", "1234", 4, 0, KeyResult::Accepted, 0},
        // A paste is not filtered by key but cut at the maximum length, and replaces the selection.
        {"edtHex", "X12|C1|Pg3zz9", "1g32", 3, 0, KeyResult::Accepted, 1},
        {"edtHex", "X|P12ab34", "12ab", 4, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|S0,4|P5678x", "5678", 4, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|S1,2|Pxyz", "1xy4", 3, 0, KeyResult::Accepted, 1},
        {"edtHex", "X1234|C4|P5", "1234", 4, 0, KeyResult::TooLong, 0},
        {"edtHex", "X12|S0,2|P", "", 0, 0, KeyResult::Accepted, 1},
        // A position beyond the text is ignored; a selection ends within the text.
        {"edtFree", "Xabc|C1|C9|Tx", "axbc", 2, 0, KeyResult::Accepted, 1},
        {"edtFree", "Xabc|S1,9|B", "a", 1, 0, KeyResult::Accepted, 1},
        {"edtFree", "Xabc|C1|S9,-2|B", "bc", 0, 0, KeyResult::Accepted, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " \"" + c.script + "\"");
        replayed = {};
        Replay(model, c.field, c.script, replayed);
        const Field& field = model.Get(c.field);
        EXPECT_EQ(field.Text(), c.text);
        EXPECT_EQ(field.Caret(), c.caret);
        EXPECT_EQ(field.SelectionLength(), c.selected);
        EXPECT_EQ(replayed.last, c.last);
        EXPECT_EQ(replayed.changes, c.changes);
    }
}

TEST_F(FieldEdit, ProposedTextsRunAsTheEditTheyShow) {
    struct Case {
        const char* field;
        const char* before; // script
        const char* proposed;
        std::size_t proposedCaret;
        KeyResult result;
        const char* text;
        std::size_t caret;
        int changes;
    };
    const Case cases[] = {
        {"edtHex", "X12", "12a", 3, KeyResult::Accepted, "12A", 3, 1},        // typed at the end
        {"edtHex", "X12|C1", "1a2", 2, KeyResult::Accepted, "1A2", 2, 1},     // typed in the middle
        {"edtHex", "X1234|S1,2", "1f4", 2, KeyResult::Accepted, "1F4", 2, 1}, // over a selection
        {"edtHex", "X12|C1", "1g2", 2, KeyResult::Discarded, "12", 1, 0},     // refused key
        {"edtHex", "X1234|C2", "12534", 3, KeyResult::TooLong, "1234", 2, 0}, // at the maximum
        {"edtHex", "X1234|C2", "134", 1, KeyResult::Accepted, "134", 1, 1},   // Backspace
        {"edtHex", "X1234|C2", "124", 2, KeyResult::Accepted, "124", 2, 1},   // Delete
        {"edtHex", "X12|C1", "1xyz2", 4, KeyResult::Accepted, "1xy2", 3, 1},  // paste, cut
        {"edtHex", "X11", "111", 1, KeyResult::Accepted, "111", 1, 1},        // the caret places it
        {"edtHex", "X12", "12", 1, KeyResult::Accepted, "12", 1, 0},          // caret only
        {"medtTime", "X  12.3|C5", "  1 .3", 3, KeyResult::Accepted, "  1 .3", 3, 1},
        {"medtTime", "X  12.3|C2", "  52.3", 3, KeyResult::Accepted, "  52.3", 3, 1},
        {"medtTime", "X  12.3|C2", "  a2.3", 3, KeyResult::Discarded, "  12.3", 2, 0},
        {"medtTime", "X  12.3|S1,2", " 7 2.3", 2, KeyResult::Accepted, " 7 2.3", 2, 1},
        {"medtTime", "X  12.3|S2,4", "    . ", 2, KeyResult::Accepted, "    . ", 2, 1},
        {"medtTime", "X    . |S4,2", "    . ", 4, KeyResult::Accepted, "    . ", 4, 0}, // blanks deleted
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " \"" + c.before + "\" to \"" + c.proposed + "\"");
        Replay(model, c.field, c.before, replayed);
        seen.clear();
        replayed.changes = 0;
        EXPECT_EQ(model.ProposeText(c.field, c.proposed, c.proposedCaret), c.result);
        const Field& field = model.Get(c.field);
        EXPECT_EQ(field.Text(), c.text);
        EXPECT_EQ(field.Caret(), c.caret);
        EXPECT_FALSE(field.HasSelection());
        EXPECT_EQ(replayed.changes, c.changes);
        // A widget that shows anything else than the field is told to show the field again.
        if (field.Text() != c.proposed) {
            EXPECT_NE(std::find(seen.begin(), seen.end(), std::string(c.field) + ":text"), seen.end());
        }
    }
}

TEST_F(FieldEdit, CaretAndSelectionAreOperatorActs) {
    model.SetText("edtFree", "abcd");
    model.SetFocus("edtHex");
    seen.clear();
    EXPECT_EQ(model.SetSelection("edtFree", 3, -2), KeyResult::Accepted);
    EXPECT_EQ(model.FocusedName(), "edtFree");
    EXPECT_EQ(model.Get("edtFree").Caret(), 1u);
    EXPECT_EQ(model.Get("edtFree").SelectionStart(), 1u);
    EXPECT_EQ(model.Get("edtFree").SelectionLength(), 2u);
    EXPECT_EQ(model.SetCaret("edtFree", 2), KeyResult::Accepted);
    EXPECT_FALSE(model.Get("edtFree").HasSelection());
    EXPECT_EQ(seen, (std::vector<std::string>{"edtFree:selection", "edtFree:selection"}));
    model.SetText("edtFree", "xy");
    EXPECT_EQ(model.Get("edtFree").Caret(), 2u) << "a program-set text puts the caret at its end";
    model.SetEnabled("edtFree", false);
    EXPECT_EQ(model.SetCaret("edtFree", 0), KeyResult::Disabled);
    EXPECT_EQ(model.Get("edtFree").Caret(), 2u);
}

// The change handlers (range checks) hear a text widget's edit exactly as they hear a key press.
TEST_F(FieldEdit, HandlersHearEveryEditAsAKeyPress) {
    std::vector<std::string> checks;
    const auto bind = [&](FieldModel& fields) {
        fields.On("edtNumber", FieldEvent::Change, [&checks, &fields](const Field& sender) {
            checks.push_back(sender.Text());
            if (!sender.Text().empty() && std::stoi(sender.Text()) > 255) {
                fields.SetText(sender.Name(), "");
            }
        });
    };
    bind(model);
    model.TypeText("edtNumber", "25");
    model.SetCaret("edtNumber", 1);
    model.TypeKey("edtNumber", '6');
    const std::vector<std::string> typed = checks;
    EXPECT_EQ(typed, (std::vector<std::string>{"2", "25", "265", ""}));

    FieldModel other;
    other.Add({.name = "edtNumber", .maxLength = 3, .keyFilter = KeyFilterKind::Number});
    checks.clear();
    bind(other);
    other.ProposeText("edtNumber", "2", 1);
    other.ProposeText("edtNumber", "25", 2);
    other.ProposeText("edtNumber", "265", 2);
    EXPECT_EQ(checks, typed);
    EXPECT_EQ(other.Get("edtNumber").Text(), "");
    EXPECT_EQ(other.Get("edtNumber").Caret(), 0u);
}

// A paste into a hexadecimal field skips the key filter, and the editor's reserved-code check sees
// the pasted text as the field holds it, once per paste.
TEST(FieldEditInEditor, PastedCodesMeetTheReservedCodeCheck) {
    struct Case {
        const char* before;
        std::size_t caret;
        const char* pasted;
        const char* text;
        bool refused;
    };
    for (const Case& c : {Case{"", 0, "0000", "", true}, Case{"", 0, "000000", "", true},
                          Case{"00", 1, "00", "00", true}, Case{"", 0, "12g4", "12g4", false},
                          Case{"F", 0, "FFF", "F", true}, Case{"0001", 4, "0", "0001", false}}) {
        SCOPED_TRACE(std::string(c.before) + " + " + c.pasted);
        test::EditorHarness h;
        FieldModel& fields = h.fields();
        fields.SetText("edtGOFA_UnitIdCode", c.before);
        fields.SetCaret("edtGOFA_UnitIdCode", c.caret);
        h.TakeMessages();
        fields.Paste("edtGOFA_UnitIdCode", c.pasted);
        const auto messages = h.TakeMessages();
        EXPECT_EQ(messages.size(), c.refused ? 1u : 0u);
        EXPECT_EQ(fields.Get("edtGOFA_UnitIdCode").Text(), c.text);
    }
}

TEST(InputMaskNotation, OnlyWhatTheEditsFollow) {
    EXPECT_FALSE(InputMask::Parse("").has_value());
    EXPECT_FALSE(InputMask::Parse(";x").has_value());
    const auto time = InputMask::Parse("0000,0; ");
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(time->EmptyText(), U"    , ");
    EXPECT_EQ(InputMask::Parse("00-0")->EmptyText(), U"  - ") << "blank is a space without one given";
    EXPECT_EQ(InputMask::Parse("0\\00;_")->EmptyText(), U"_0_") << "an escaped 0 is a literal";
    for (const char* unsupported : {"9999.9; ", "!9999,9;1; ", "HH", ">00", "000\\"}) {
        EXPECT_THROW(InputMask::Parse(unsupported), std::invalid_argument) << unsupported;
    }
    // Every separator becomes a literal the notation reads back.
    for (char32_t separator : {U'.', U',', U'\u066B', U'0', U'9', U'#'}) {
        const auto parsed = InputMask::Parse(PulseTimeMask(separator));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->EmptyText(), std::u32string(U"    ") + separator + U" ");
    }
    EXPECT_EQ(PulseTimeMask('.'), "0000.0; ");
    EXPECT_EQ(PulseTimeMask(','), "0000,0; ");
}

} // namespace
} // namespace vorn
