#include "support/CaseName.h"
#include "support/EditorHarness.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::EditorHarness;

struct TypingCase {
    const char* name;
    const char* field;
    const char* typed;
    const char* lowest; // nullptr: no message expected
    const char* highest;
    const char* textAfter;
    friend void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }
};

class TypingChecks : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypingChecks, RefuseOutOfRangeValuesWhileTyping) {
    EditorHarness h;
    const TypingCase& c = GetParam();
    const auto messages = h.Type(c.field, c.typed);
    if (c.lowest == nullptr) {
        EXPECT_TRUE(messages.empty()) << messages.front();
    } else {
        EXPECT_EQ(messages, std::vector<std::string>{h.RangeMessage(c.lowest, c.highest)});
    }
    EXPECT_EQ(h.fields().Get(c.field).Text(), c.textAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypingChecks,
    ::testing::Values(
        TypingCase{"Byte256", "edtBatteryCheckInterval", "256", "0", "255", ""},
        TypingCase{"Byte255", "edtEquipmentType", "255", nullptr, nullptr, "255"},
        TypingCase{"ByteHesk", "edtHESK_AutoReadyTime", "300", "0", "255", ""},
        TypingCase{"ByteGofa", "edtGOFA_GroupActivationCode", "999", "0", "255", ""},
        TypingCase{"LetterAndMinusIgnored", "edtOutput_1_GroupActivationCode_1", "-a7", nullptr, nullptr,
                   "7"},
        TypingCase{"Nibble16", "edtMaxShortTx", "16", "0", "15", ""},
        TypingCase{"Nibble15", "edtGOFA_MaxLong", "15", nullptr, nullptr, "15"},
        TypingCase{"SystemId65535", "edtHalvoSystemId", "65535", "1", "65534", ""},
        TypingCase{"SystemIdZero", "edtGOFA_HalvoSystemId", "0", nullptr, nullptr, "0"},
        TypingCase{"TestInterval65536", "edtGOFA_RadioTestInterval", "65536", "0", "65535", ""},
        TypingCase{"TestInterval65535", "edtGOFA_RadioTestInterval", "65535", nullptr, nullptr, "65535"},
        TypingCase{"RfidPowerOnTheWay", "edtGOFA_RfidPower", "5", nullptr, nullptr, "5"},
        TypingCase{"RfidPower101", "edtGOFA_RfidPower", "101", "10", "100", "10"},
        TypingCase{"HexLowerCase", "edtUnitRadioIdCode", "abcd", nullptr, nullptr, "ABCD"},
        TypingCase{"HexRefusesWildcard", "edtGOFA_IdCode3", "1*2", nullptr, nullptr, "12"},
        TypingCase{"WildcardAccepted", "edtRadioEvent_2_RadioId", "1*2", nullptr, nullptr, "1*2"},
        TypingCase{"Hex0000", "edtGOFA_Position", "0000", "0001", "FFFE", ""},
        TypingCase{"HexFFFF", "edtRadioEvent_4_PositionId", "ffff", "0001", "FFFE", ""},
        TypingCase{"Hex000", "edtHESK_RadioIdCode", "000", nullptr, nullptr, "000"},
        TypingCase{"Hex0001", "edtGOFA_UnitIdCode", "0001", nullptr, nullptr, "0001"},
        TypingCase{"HexTooLong", "edtGOFA_IdCode1", "12345", nullptr, nullptr, "1234"}),
    test::CaseName());

// A refused value puts back what the field held before the edit, and a number field is not left empty
// where empty would store a 0 nobody typed; where empty has a meaning of its own it stays.
TEST(FieldChecks, RefusedValuesGoBackToTheLastAcceptedOne) {
    struct Case {
        const char* field;
        const char* typed;
        bool refused; // with the range message (its bounds are the typing checks' business)
    };
    for (const Case& c : {Case{"edtMaxShortTx", "99", true}, Case{"edtUnitRadioIdCode", "0000", true},
                          Case{"edtGOFA_RfidPower", "5", true}, Case{"medtPulseActivationTime", "0.0", true},
                          Case{"edtBatteryCheckInterval", "", true}, Case{"edtMaxNumberOfBursts", "", true},
                          Case{"edtHalvoSystemId", "", false}, Case{"edtRadioEvent_1_RadioId", "", false}}) {
        EditorHarness h;
        h.fields().SetText(c.field, c.field[0] == 'm' ? "12.3" : "12");
        const std::string before = h.fields().Get(c.field).Text();
        const std::size_t typing = h.Type(c.field, c.typed).size();
        h.fields().Leave(c.field);
        EXPECT_EQ(typing + h.TakeMessages().size(), c.refused ? 1u : 0u) << c.field;
        EXPECT_EQ(h.fields().Get(c.field).Text(), c.refused ? before : c.typed) << c.field;
    }
}

TEST(FieldChecks, PasteIntoNumberFieldsCountsAsZero) {
    EditorHarness h;
    h.fields().Clear("edtRadioTestAlarmInterval");
    h.fields().Paste("edtRadioTestAlarmInterval", "abc");
    EXPECT_TRUE(h.TakeMessages().empty());
    EXPECT_EQ(h.fields().Get("edtRadioTestAlarmInterval").Text(), "abc");
    h.fields().Clear("edtMaxLongTx");
    h.fields().Paste("edtMaxLongTx", "-1");
    EXPECT_EQ(h.TakeMessages(), std::vector<std::string>{h.RangeMessage("0", "15")});
}

TEST(FieldChecks, PastedReservedHexCodesAreRefusedInEitherCase) {
    for (const char* text : {"FFFF", "ffff", "fFfF", "0000"}) {
        EditorHarness h;
        h.fields().Clear("edtGOFA_IdCode2");
        h.fields().Paste("edtGOFA_IdCode2", text);
        EXPECT_EQ(h.TakeMessages(), std::vector<std::string>{h.RangeMessage("0001", "FFFE")}) << text;
        EXPECT_EQ(h.fields().Get("edtGOFA_IdCode2").Text(), "") << text;
    }
}

TEST(FieldChecks, RfidPowerOnLeaving) {
    for (const char* text : {"5", "0", ""}) {
        EditorHarness h;
        h.Type("edtGOFA_RfidPower", text);
        h.fields().Leave("edtGOFA_RfidPower");
        EXPECT_EQ(h.TakeMessages(), std::vector<std::string>{h.RangeMessage("10", "100")}) << text;
        EXPECT_EQ(h.fields().Get("edtGOFA_RfidPower").Text(), "10");
    }
    EditorHarness h;
    h.Type("edtGOFA_RfidPower", "50");
    h.fields().SetFocus("edtGOFA_Position"); // leaving by moving on
    EXPECT_TRUE(h.TakeMessages().empty());
}

TEST(FieldChecks, PulseTimeOnLeaving) {
    struct Case {
        char32_t separator;
        const char* typed;
        bool refused;
        const char* textAfter;
    };
    for (const Case& c : {Case{'.', "", true, "   3.0"}, Case{'.', "0.0", true, "   3.0"},
                          Case{'.', "6553.6", true, "   3.0"}, Case{'.', "9999.9", true, "   3.0"},
                          Case{'.', "0.1", false, "0   .1"}, Case{'.', "6553.5", false, "6553.5"},
                          Case{',', "", true, "   3,0"}, Case{',', "12,5", false, "12  ,5"}}) {
        EditorHarness h(c.separator);
        h.Type("medtGOFA_RelayPulseTime", c.typed);
        EXPECT_TRUE(h.TakeMessages().empty()) << "nothing is checked while typing";
        h.fields().Leave("medtGOFA_RelayPulseTime");
        const auto messages = h.TakeMessages();
        EXPECT_EQ(messages.size(), c.refused ? 1u : 0u) << c.typed;
        if (c.refused && !messages.empty()) {
            EXPECT_EQ(messages.front(), h.RangeMessage("0.1", "6553.5"))
                << "bounds with a full stop in every locale";
        }
        EXPECT_EQ(h.fields().Get("medtGOFA_RelayPulseTime").Text(), c.textAfter) << c.typed;
    }
}

TEST(FieldChecks, GuardedRulesAreQuietWhileFilling) {
    EditorHarness h;
    h.editor->Filling = true;
    h.fields().SetText("edtUnitRadioIdCode", "FFFF");
    h.fields().SetText("edtGOFA_RadioTestInterval", "70000");
    EXPECT_TRUE(h.TakeMessages().empty());
    EXPECT_EQ(h.fields().Get("edtUnitRadioIdCode").Text(), "FFFF");
    EXPECT_FALSE(h.editor->ActionListDirty);
    // The unguarded rules also run while the editor is filled.
    h.fields().SetText("edtHalvoSystemId", "65535");
    EXPECT_EQ(h.TakeMessages(), std::vector<std::string>{h.RangeMessage("1", "65534")});
    EXPECT_EQ(h.fields().Get("edtHalvoSystemId").Text(), "");
}

TEST(FieldChecks, ValidCodesOfTag999FieldsAskForTheActionList) {
    struct Case {
        const char* field;
        bool dirty;
    };
    for (const Case& c : {Case{"edtUnitRadioIdCode", true}, Case{"edtAction_A_RadioId", true},
                          Case{"edtHESK_RadioIdCode", false}, Case{"edtRadioEvent_1_RadioId", false}}) {
        EditorHarness h;
        h.fields().SetEnabled(c.field, true);
        h.Type(c.field, "12");
        EXPECT_EQ(h.editor->ActionListDirty, c.dirty) << c.field;
    }
}

} // namespace
} // namespace vorn
