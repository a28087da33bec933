#include "model/FieldModel.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

class FieldModelTest : public ::testing::Test {
protected:
    FieldModel model;
    std::vector<std::string> events; // "<field>:<event>" in the order raised

    void SetUp() override {
        model.Add({.name = "edtHex", .maxLength = 4, .keyFilter = KeyFilterKind::HexCode, .tag = 999});
        model.Add({.name = "edtWild", .maxLength = 4, .keyFilter = KeyFilterKind::HexCodeWildcard});
        model.Add({.name = "edtNumber", .maxLength = 3, .keyFilter = KeyFilterKind::Number});
        model.Add({.name = "edtFree"});
        model.Add({.name = "cbbxList", .kind = FieldKind::Choice, .list = "YesNo"});
        model.Add({.name = "cbCheck", .kind = FieldKind::Check});
        for (const Field* field : model.Fields()) {
            for (FieldEvent event : {FieldEvent::Change, FieldEvent::Click, FieldEvent::Exit}) {
                model.On(field->Name(), event, [this, event](const Field& sender) {
                    static constexpr const char* Names[] = {"change", "click", "exit"};
                    events.push_back(sender.Name() + ":" + Names[static_cast<int>(event)]);
                });
            }
        }
    }
};

// The last accepted value: what the program set, or the operator's completed edit; typing alone does
// not accept, and Restore goes back to it. Every change of it is heard with the value before.
TEST_F(FieldModelTest, TheLastAcceptedValueFollowsCompletedEdits) {
    std::vector<std::string> commits; // "<field>:<text before>:<by operator>"
    model.AddCommitObserver([&commits](const FieldCommit& commit) {
        commits.push_back(commit.field.Name() + ":" + commit.before.text + ":" +
                          std::to_string(commit.byOperator));
    });
    model.SetText("edtNumber", "12");
    model.TypeText("edtNumber", "3");
    EXPECT_EQ(model.Get("edtNumber").Committed().text, "12") << "still being typed";
    model.Restore("edtNumber");
    EXPECT_EQ(model.Get("edtNumber").Text(), "12");
    model.TypeText("edtNumber", "4");
    model.Leave("edtNumber");
    model.Click("cbCheck");
    EXPECT_EQ(model.Get("edtNumber").Committed().text, "124");
    EXPECT_TRUE(model.Get("cbCheck").Committed().checked);
    EXPECT_EQ(commits, (std::vector<std::string>{"edtNumber::0", "edtNumber:12:1", "cbCheck::1"}));
}

TEST_F(FieldModelTest, TypingRunsTheKeyFilterThenTheChange) {
    struct Case {
        const char* field;
        const char32_t* keys;
        const char* text;
        int changes;
    };
    const Case cases[] = {
        {"edtHex", U"abcd", "ABCD", 4},  {"edtHex", U"*", "", 0},
        {"edtHex", U"1g2", "12", 2},     {"edtHex", U"12345", "1234", 4},
        {"edtWild", U"a*3f", "A*3F", 4}, {"edtNumber", U"1-a2", "12", 2},
        {"edtNumber", U"1\b2", "2", 3},  {"edtFree", U"a\r b", "a b", 3},
        {"edtHex", U"\b", "", 0},        {"edtFree", U"\u00e9\u00e9", "\u00e9\u00e9", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " typed " + std::to_string(std::u32string(c.keys).size()) +
                     " keys");
        model.SetText(c.field, "");
        events.clear();
        for (const char32_t* k = c.keys; *k; ++k) {
            model.TypeKey(c.field, *k);
        }
        EXPECT_EQ(model.Get(c.field).Text(), c.text);
        EXPECT_EQ(std::count(events.begin(), events.end(), std::string(c.field) + ":change"), c.changes);
    }
}

TEST_F(FieldModelTest, KeyResults) {
    EXPECT_EQ(model.TypeKey("edtHex", 'x'), KeyResult::Discarded);
    EXPECT_EQ(model.TypeText("edtHex", "FFFF"), KeyResult::Accepted);
    EXPECT_EQ(model.TypeKey("edtHex", '1'), KeyResult::TooLong);
    EXPECT_EQ(model.TypeKey("cbbxList", '1'), KeyResult::NotText);
    model.SetEnabled("edtNumber", false);
    EXPECT_EQ(model.TypeKey("edtNumber", '1'), KeyResult::Disabled);
    EXPECT_EQ(model.Get("edtNumber").Text(), "");
    model.SetEnabled("edtNumber", true);
    model.SetVisible("edtNumber", false);
    EXPECT_EQ(model.Paste("edtNumber", "1"), KeyResult::Disabled);
}

TEST_F(FieldModelTest, PasteBypassesTheFilterButNotTheLength) {
    EXPECT_EQ(model.Paste("edtNumber", "-a12345"), KeyResult::Accepted);
    EXPECT_EQ(model.Get("edtNumber").Text(), "-a1");
    EXPECT_EQ(model.Paste("edtNumber", "9"), KeyResult::TooLong);
    EXPECT_EQ(model.Get("edtNumber").Text(), "-a1");
}

TEST_F(FieldModelTest, ProgramSettersRaiseWhatTheControlsRaise) {
    model.SetText("edtFree", "x");
    model.SetText("edtFree", "x"); // same text: no second event
    model.SetItems("cbbxList", {"No", "Yes"});
    model.SetIndex("cbbxList", 1);
    model.SetChecked("cbCheck", true);
    model.SetChecked("cbCheck", true);
    EXPECT_EQ(events, (std::vector<std::string>{"edtFree:change", "cbCheck:click"}));
    EXPECT_EQ(model.Get("cbbxList").Text(), "Yes");
    model.SetIndex("cbbxList", 5);
    EXPECT_EQ(model.Get("cbbxList").Index(), -1);
    EXPECT_EQ(model.Get("cbbxList").Text(), "");
    model.SetIndex("cbbxList", 0);
    model.SetItems("cbbxList", {"Nein", "Ja"});
    EXPECT_EQ(model.Get("cbbxList").Index(), -1) << "new items clear the selection";
}

TEST_F(FieldModelTest, OperatorActsMoveTheFocusAndRaiseExitOnTheOldField) {
    model.SetItems("cbbxList", {"No", "Yes"});
    model.TypeKey("edtHex", '1');
    model.Select("cbbxList", 1);
    model.Select("cbbxList", 1); // the same item again changes nothing
    model.Click("cbCheck");
    model.Leave("cbCheck");
    EXPECT_EQ(events, (std::vector<std::string>{"edtHex:change", "edtHex:exit", "cbbxList:change",
                                                "cbbxList:exit", "cbCheck:click", "cbCheck:exit"}));
    EXPECT_TRUE(model.FocusedName().empty());
    EXPECT_TRUE(model.Get("cbCheck").Checked());
    EXPECT_FALSE(model.Select("cbbxList", 2));
    EXPECT_TRUE(model.SelectText("cbbxList", "No"));
    EXPECT_FALSE(model.SelectText("cbbxList", "Maybe"));
    model.SetEnabled("cbCheck", false);
    EXPECT_FALSE(model.Click("cbCheck"));
    EXPECT_TRUE(model.Get("cbCheck").Checked());
}

TEST_F(FieldModelTest, HandlerMayResetTheTextItRaisedFor) {
    // The range checks empty a field from inside its own change event.
    model.On("edtNumber", FieldEvent::Change, [this](const Field& sender) {
        events.push_back("check " + sender.Text());
        if (sender.Text() == "256") {
            model.SetText(sender.Name(), "");
        }
    });
    model.TypeText("edtNumber", "256");
    EXPECT_EQ(model.Get("edtNumber").Text(), "");
    EXPECT_EQ(events, (std::vector<std::string>{"check 2", "check 25", "check 256", "check "}));
}

TEST_F(FieldModelTest, ObserversHearEveryChange) {
    std::vector<std::pair<std::string, FieldChange>> seen;
    const int id = model.AddObserver([&](const Field& f, FieldChange c) { seen.emplace_back(f.Name(), c); });
    model.SetText("edtFree", "a");
    model.SetEnabled("edtFree", false);
    model.SetHint("cbbxList", "long text", true);
    model.SetTag("cbCheck", 3);
    model.SetFocus("edtHex");
    model.RemoveObserver(id);
    model.SetText("edtFree", "b");
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, FieldChange>>{{"edtFree", FieldChange::Text},
                                                                      {"edtFree", FieldChange::Enabled},
                                                                      {"cbbxList", FieldChange::Hint},
                                                                      {"cbCheck", FieldChange::Tag},
                                                                      {"edtHex", FieldChange::Focus}}));
    EXPECT_EQ(model.Get("cbbxList").Hint(), "long text");
    EXPECT_TRUE(model.Get("cbbxList").HintShown());
}

TEST_F(FieldModelTest, NamesAndOverflowQuery) {
    EXPECT_THROW(model.Get("edtMissing"), std::out_of_range);
    EXPECT_THROW(model.Add({.name = "edtHex"}), std::invalid_argument);
    EXPECT_EQ(model.Fields().front()->Name(), "edtHex");
    EXPECT_EQ(model.Get("edtHex").Tag(), 999);
    EXPECT_FALSE(model.TextOverflows("edtFree"));
    model.SetOverflowQuery([](const Field& f) { return f.Text().size() > 3; });
    model.SetText("edtFree", "abcd");
    EXPECT_TRUE(model.TextOverflows("edtFree"));
}

} // namespace
} // namespace vorn
