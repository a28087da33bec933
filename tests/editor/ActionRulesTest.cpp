#include "support/EditorHarness.h"
#include "support/ValidImages.h"

#include <random>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::EditorHarness;

class ActionRules : public ::testing::Test {
protected:
    EditorHarness h;
    FieldModel& f = h.fields();
    Image image{};

    void SetUp() override {
        std::mt19937 random(41);
        image = test::ValidFamilyAImage(random, h.lists);
        ASSERT_EQ(h.editor->ImageToFields(image), ResultSuccess);
        h.editor->ActionsPageVisible = true;
    }
    void ChooseCode(const std::string& field, const CodeList& list, int code) {
        ASSERT_TRUE(f.Select(field, IndexOfCode(list, code))) << field << " code " << code;
    }
    std::string Description(int code) {
        return std::string(ValuePart(h.lists.ActionReferences[static_cast<std::size_t>(code)]));
    }
    std::string Text(const char* section, const char* key) { return h.texts.Text(section, key); }
};

TEST_F(ActionRules, UserTypeFollowsTheRadioEventAlarmType) {
    for (const Field* field : f.Fields()) {
        if (field->Name().starts_with("cbbxRadioEvent_") && field->Name().ends_with("_AlarmType")) {
            EXPECT_EQ(field->Tag(), field->Name()[15] - '0');
        }
    }
    for (const std::string& item : h.lists.RadioEventAlarmTypes) {
        const int code = CodeOfItem(item);
        ChooseCode("cbbxRadioEvent_3_AlarmType", h.lists.RadioEventAlarmTypes, code);
        EXPECT_EQ(f.Get("cbbxRadioEvent_3_UserType").Enabled(), code >= 253) << code;
    }
    f.SetIndex("cbbxRadioEvent_3_AlarmType", -1);
    h.editor->UpdateUserTypeEnabling(3);
    EXPECT_FALSE(f.Get("cbbxRadioEvent_3_UserType").Enabled()) << "no selection";
}

TEST_F(ActionRules, NoTransmissionDisablesAutomaticAndRadioId) {
    f.SetChecked("cbAction_5_Auto", false);
    ChooseCode("cbbxAction_5_AlarmType", h.lists.ActionAlarmTypes, 255);
    EXPECT_FALSE(f.Get("cbAction_5_Auto").Enabled());
    EXPECT_FALSE(f.Get("edtAction_5_RadioId").Enabled());
    ChooseCode("cbbxAction_5_AlarmType", h.lists.ActionAlarmTypes, CodeOfItem(h.lists.AlarmTypes.front()));
    EXPECT_TRUE(f.Get("cbAction_5_Auto").Enabled());
    EXPECT_TRUE(f.Get("edtAction_5_RadioId").Enabled()) << "the box is unchecked";
    EXPECT_TRUE(h.editor->ActionListDirty);
    f.Click("cbAction_5_Auto");
    ChooseCode("cbbxAction_5_AlarmType", h.lists.ActionAlarmTypes, 255);
    ChooseCode("cbbxAction_5_AlarmType", h.lists.ActionAlarmTypes, CodeOfItem(h.lists.AlarmTypes.back()));
    EXPECT_FALSE(f.Get("edtAction_5_RadioId").Enabled()) << "the box is checked";
    EXPECT_TRUE(f.Get("cbAction_5_Auto").Checked()) << "the rule never changes the box";
}

TEST_F(ActionRules, AutomaticActionsTakeTheUnitCode) {
    ChooseCode("cbbxAction_2_AlarmType", h.lists.ActionAlarmTypes, CodeOfItem(h.lists.AlarmTypes.front()));
    ChooseCode("cbbxAction_B_AlarmType", h.lists.ActionAlarmTypes, CodeOfItem(h.lists.AlarmTypes.front()));
    f.SetChecked("cbAction_2_Auto", false);
    f.SetChecked("cbAction_B_Auto", false);
    h.Type("edtUnitRadioIdCode", "12AB");
    f.Click("cbAction_2_Auto");
    f.Click("cbAction_B_Auto");
    EXPECT_EQ(f.Get("edtAction_2_RadioId").Text(), "12AB");
    EXPECT_FALSE(f.Get("edtAction_2_RadioId").Enabled());
    h.Type("edtUnitRadioIdCode", "12AC");
    EXPECT_EQ(f.Get("edtAction_2_RadioId").Text(), "12AC");
    EXPECT_EQ(f.Get("edtAction_B_RadioId").Text(), "12AC");
    f.Click("cbAction_B_Auto");
    EXPECT_EQ(f.Get("edtAction_B_RadioId").Text(), "");
    EXPECT_TRUE(f.Get("edtAction_B_RadioId").Enabled());
    EXPECT_EQ(f.FocusedName(), "edtAction_B_RadioId");
    h.Type("edtUnitRadioIdCode", "12AD");
    EXPECT_EQ(f.Get("edtAction_B_RadioId").Text(), "") << "an unchecked row keeps its code";
}

TEST_F(ActionRules, FillingFromAnImageRunsTheDependentUpdates) {
    image[128 + 4] = 255; // action 5 transmits nothing
    image[216] = 254;     // radio event 1: any alarm type
    image[217] = static_cast<std::uint8_t>(CodeOfItem(h.lists.AlarmTypes.front()));
    h.editor->ActionListDirty = false;
    ASSERT_EQ(h.editor->ImageToFields(image), ResultSuccess);
    EXPECT_TRUE(h.editor->ActionListDirty);
    EXPECT_FALSE(f.Get("cbAction_5_Auto").Enabled());
    EXPECT_TRUE(f.Get("cbbxRadioEvent_1_UserType").Enabled());
    EXPECT_FALSE(f.Get("cbbxRadioEvent_2_UserType").Enabled());
    EXPECT_TRUE(h.TakeMessages().empty());
}

TEST_F(ActionRules, Descriptions) {
    const int alarm = CodeOfItem(h.lists.AlarmTypes.front());
    const std::string alarmText(ValuePart(h.lists.AlarmTypes.front()));
    const std::string relayText(ValuePart(h.lists.RelayActions[1]));
    // Row 1: an alarm type, a three-character radio ID and relay 2.
    f.SetChecked("cbAction_1_Auto", false);
    ChooseCode("cbbxAction_1_AlarmType", h.lists.ActionAlarmTypes, alarm);
    h.Type("edtAction_1_RadioId", "ABC");
    ChooseCode("cbbxAction_1_Relay_1", h.lists.RelayActions, 0);
    ChooseCode("cbbxAction_1_Relay_2", h.lists.RelayActions, CodeOfItem(h.lists.RelayActions[1]));
    // Row 2: no transmission, relay 1 only. Row 3: nothing at all. Row 4: a full radio ID.
    ChooseCode("cbbxAction_2_AlarmType", h.lists.ActionAlarmTypes, 255);
    ChooseCode("cbbxAction_2_Relay_1", h.lists.RelayActions, CodeOfItem(h.lists.RelayActions[1]));
    ChooseCode("cbbxAction_2_Relay_2", h.lists.RelayActions, 0);
    ChooseCode("cbbxAction_3_AlarmType", h.lists.ActionAlarmTypes, 255);
    ChooseCode("cbbxAction_3_Relay_1", h.lists.RelayActions, 0);
    ChooseCode("cbbxAction_3_Relay_2", h.lists.RelayActions, 0);
    f.SetChecked("cbAction_4_Auto", false);
    ChooseCode("cbbxAction_4_AlarmType", h.lists.ActionAlarmTypes, alarm);
    h.Type("edtAction_4_RadioId", "1234");
    ChooseCode("cbbxAction_4_Relay_1", h.lists.RelayActions, 0);
    ChooseCode("cbbxAction_4_Relay_2", h.lists.RelayActions, 0);
    const int selected = f.Get("cbbxUserEvent_2_ActionReference").Index();
    f.SetIndex("cbbxUserEvent_3_ActionReference", -1);
    f.SetIndex("cbbxRadioEvent_1_ActionReference", 15);

    h.editor->RebuildActionReferences();
    EXPECT_FALSE(h.editor->ActionListDirty);
    ASSERT_EQ(h.lists.ActionReferences.size(), 16u);
    EXPECT_EQ(Description(0), "1. " + alarmText + ", " + Text("TAB_4", "LABEL-UNIT_ID_CODE") + ". " +
                                  Text("COMMON", "TEXT-RELAY_2") + " " + relayText + ".");
    EXPECT_EQ(Description(1), "2. " + Text("COMMON", "TEXT-RELAY_1") + " " + relayText + ".");
    EXPECT_EQ(Description(2), "3. " + Text("COMMON", "TEXT-NO_ACTION"));
    EXPECT_EQ(Description(3), "4. " + alarmText + ", 1234.");
    EXPECT_EQ(h.lists.ActionReferences[15], "15=" + Text("COMMON", "TEXT-NO_ACTION"));
    EXPECT_EQ(f.Get("cbbxUserEvent_1_ActionReference").Items(), DisplayTexts(h.lists.ActionReferences));
    EXPECT_EQ(f.Get("cbbxUserEvent_2_ActionReference").Index(), selected)
        << "the position survives the refill";
    EXPECT_EQ(f.Get("cbbxUserEvent_3_ActionReference").Index(), -1);
    EXPECT_EQ(f.Get("cbbxRadioEvent_1_ActionReference").Index(), 15);
    EXPECT_EQ(CodeOfText(h.lists.ActionReferences, f.Get("cbbxRadioEvent_1_ActionReference").Text()), 15);
}

TEST_F(ActionRules, NoRebuildWhileAnotherFamilyIsEdited) {
    const CodeList before = h.lists.ActionReferences;
    ChooseCode("cbbxAction_1_AlarmType", h.lists.ActionAlarmTypes, 255);
    h.editor->ActionsPageVisible = false;
    h.editor->RebuildActionReferences();
    EXPECT_FALSE(h.editor->ActionListDirty);
    EXPECT_EQ(h.lists.ActionReferences, before);
    h.editor->ActionsPageVisible = true;
    h.editor->RebuildActionReferences(); // nothing asked for it any more
    EXPECT_EQ(h.lists.ActionReferences, before);
}

TEST_F(ActionRules, OverflowHintsFollowTheViewsMeasure) {
    f.SetOverflowQuery([](const Field& field) { return field.Text().size() > 6; });
    const std::string longText = "Very long alarm type name";
    h.lists.ActionAlarmTypes.push_back("99=" + longText);
    h.editor->FillChoiceFields();
    f.Select("cbbxAction_7_AlarmType", static_cast<int>(h.lists.ActionAlarmTypes.size()) - 1);
    EXPECT_EQ(f.Get("cbbxAction_7_AlarmType").Hint(), longText);
    EXPECT_TRUE(f.Get("cbbxAction_7_AlarmType").HintShown());
    ChooseCode("cbbxAction_7_AlarmType", h.lists.ActionAlarmTypes, 255);
    h.editor->RefreshOverflowHints();
    EXPECT_EQ(f.Get("cbbxAction_7_AlarmType").HintShown(), f.Get("cbbxAction_7_AlarmType").Text().size() > 6);
}

} // namespace
} // namespace vorn
