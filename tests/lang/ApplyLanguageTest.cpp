#include "lang/LanguageController.h"
#include "lang/TextCatalogue.h"
#include "model/Catalogue.h"
#include "model/FieldModel.h"
#include "support/Paths.h"
#include "support/ScriptedOperator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

constexpr const char* SmallLanguage = R"([MENU]
FILE=&File
FILE-NEW-SHORTCUT=Ctrl+N
FILE-OPEN-SHORTCUT=strg+o
FILE-SAVE-SHORTCUT=Control+Nonsense
[TAB_3]
CHECKBOX-AUTOMATIC=Auto
[TAB_2]
HINT-INSERT_WILDCARD=Wildcard
[TAB_RADIO]
LABEL-ID_CODE_8=ID eight
[COMMON]
TEXT-ALARM_TYPE-AUTOMATIC_POSITION=Automatic position
TEXT-ALARM_TYPE-ANY_ALARM_TYPE=Any
TEXT-ALARM_TYPE-ANY_ALARM_TYPE_EXCEPT_BATTERY_AND_TEST=Any but battery
TEXT-ALARM_TYPE-DOOR_ALARM_WITH_USER_INFO=Door
TEXT-ALARM_TYPE-NO_TRANSMISSION=Silent
TEXT-NO_ACTION=No action
[FILE]
STATUS-LANGUAGE_WAS_CHANGED_TO_NN=Language is now %s
[AlarmTypes]
0=Alarm
1=Fire
[YesNo]
0=No
1=Yes
[Conditions]
0=Always
1=Day
2=Night
[Devices]
1=35=TARV
2=37=ZUMI
3=39=GLIM
4=36=BODE
5=38=Twin
6=40=Twin
7=41=PLOM
8=56=3BODE
9=57=3BODE+ZUMI
10=42=HESK
11=43
12=75=DADIDU
)";

// The language files of a test, and a main window's language with a few editor fields.
struct Window {
    test::TempDir dir;
    ListIni reader;
    ListIni changeCodeReader;
    CodeLists lists;
    FieldModel fields;
    test::ScriptedOperator view;
    LanguageController controller{reader, lists, fields, view, view};
    std::vector<std::string> stored;
    int captionUpdates = 0;
    int hintRefreshes = 0;
    bool actionListDirty = false;

    Window() {
        for (const char* name :
             {"cbbxSendAck", "cbbxRadioEvent_1_Condition_A", "cbbxUserEvent_7_ActionReference",
              "cbbxAction_F_AlarmType", "cbbxRadioEvent_8_AlarmType", "cbbxGOFA_Zone"}) {
            fields.Add({.name = name, .kind = FieldKind::Choice});
        }
        fields.Add({.name = "edtUnitRadioIdCode"});
        controller.SetHooks({.changeCodeReader = &changeCodeReader,
                             .refreshOverflowHints = [this] { ++hintRefreshes; },
                             .updateCaption = [this] { ++captionUpdates; },
                             .storeLanguage = [this](const std::string& name) { stored.push_back(name); },
                             .setActionListDirty = [this] { actionListDirty = true; }});
    }
    void Write(const std::string& name, const std::string& text) { test::WriteBytes(dir.File(name), text); }
    std::string Text(const std::string& control, ControlProperty property = ControlProperty::Caption) const {
        return view.ControlTextOf(control, property).value_or("<not set>");
    }
};

TEST(ApplyLanguageTest, SetsTextsListsAndButtons) {
    Window w;
    w.Write("Small-1.lang", SmallLanguage);
    w.controller.SetDecimalSeparator(',');
    const AppliedLanguage applied = w.controller.ApplyLanguage(w.dir.File("Small-1.lang"));

    EXPECT_EQ(w.Text("mnuFile"), "&File");
    EXPECT_EQ(w.Text("mnuFileNew"), "[MENU] 'FILE-NEW' IS UNDEFINED");
    EXPECT_EQ(w.Text("mnuFileNew", ControlProperty::Shortcut), "Ctrl+N");
    EXPECT_EQ(w.Text("mnuFileOpen", ControlProperty::Shortcut), "Ctrl+O");
    EXPECT_EQ(w.Text("mnuFileSave", ControlProperty::Shortcut), "") << "no valid shortcut: none";
    EXPECT_EQ(w.Text("mnuCommReadFromDevice", ControlProperty::Shortcut), "") << "the marker is no shortcut";
    EXPECT_EQ(w.Text("cbAction_A_Auto"), "Auto");
    EXPECT_EQ(w.Text("cbAction_F_Auto"), "Auto");
    EXPECT_EQ(w.Text("edtRadioEvent_8_PositionId", ControlProperty::Hint), "Wildcard");
    EXPECT_EQ(w.Text("edtRadioEvent_1_RadioId", ControlProperty::Hint), "Wildcard");
    EXPECT_EQ(w.Text("lblGOFA_Id8"), "ID eight");
    EXPECT_EQ(w.Text("lblGOFA_RelayPulseTimeUnit"), "(0,1-6553,5s)");
    EXPECT_EQ(w.hintRefreshes, 1);

    EXPECT_EQ(w.lists.RadioEventAlarmTypes,
              (CodeList{"0=Alarm", "1=Fire", "253=Automatic position", "254=Any", "255=Any but battery"}));
    EXPECT_EQ(w.lists.ActionAlarmTypes, (CodeList{"0=Alarm", "1=Fire", "254=Door", "255=Silent"}));
    EXPECT_EQ(w.lists.AlarmTypes, (CodeList{"0=Alarm", "1=Fire"}));
    EXPECT_EQ(w.lists.HexDigits.front(), "0=0");
    EXPECT_EQ(w.lists.HexDigits.back(), "15=F");
    EXPECT_EQ(w.lists.ActionReferences.front(), "0= 1.");
    EXPECT_EQ(w.lists.ActionReferences[14], "14= 15.");
    EXPECT_EQ(w.lists.ActionReferences.back(), "15=No action");
    EXPECT_EQ(w.lists.DeviceNamesB, (CodeList{"42=HESK", "43"}));

    EXPECT_EQ(w.fields.Get("cbbxSendAck").Items(), (std::vector<std::string>{"No", "Yes"}));
    EXPECT_EQ(w.fields.Get("cbbxRadioEvent_8_AlarmType").Items().size(), 5u);
    EXPECT_EQ(w.fields.Get("cbbxAction_F_AlarmType").Items().back(), "Silent");
    EXPECT_EQ(w.fields.Get("cbbxGOFA_Zone").Items().size(), 16u);
    EXPECT_EQ(w.fields.Get("cbbxUserEvent_7_ActionReference").Items().back(), "No action");

    // Device buttons: captions and codes from "Devices"; two models of one name share the first code.
    ASSERT_EQ(applied.deviceButtons.size(), 12u);
    EXPECT_EQ(w.Text("bbtnDevice_1"), "TARV");
    EXPECT_EQ(w.controller.DeviceButtonCode(0), 35);
    EXPECT_EQ(w.Text("bbtnDevice_5"), "Twin");
    EXPECT_EQ(w.Text("bbtnDevice_6"), "Twin");
    EXPECT_EQ(w.controller.DeviceButtonCode(4), 38);
    EXPECT_EQ(w.controller.DeviceButtonCode(5), 38);
    EXPECT_EQ(w.Text("bbtnDevice_11"), "") << "a value without \"=\" shows nothing";
    EXPECT_EQ(w.Text("bbtnDevice_12"), "DADIDU");
    EXPECT_EQ(w.controller.DeviceButtonCode(11), 75);
}

TEST(ApplyLanguageTest, MissingFileGivesMarkersAndOnlyTheProgramsItems) {
    Window w;
    w.controller.ApplyLanguage(w.dir.File("Gone-1.lang"));
    for (const auto& key : MainWindowTextKeys()) {
        if (key.property == ControlProperty::Shortcut) {
            EXPECT_EQ(w.Text(key.control, key.property), "") << key.control;
        } else {
            EXPECT_EQ(w.Text(key.control, key.property),
                      "[" + key.section + "] '" + key.key + "' IS UNDEFINED")
                << key.control;
        }
    }
    EXPECT_EQ(w.lists.RadioEventAlarmTypes.size(), 3u);
    EXPECT_EQ(w.lists.ActionAlarmTypes.size(), 2u);
    EXPECT_TRUE(w.lists.AlarmTypes.empty());
    EXPECT_TRUE(w.lists.YesNo.empty());
    EXPECT_EQ(w.lists.HexDigits.size(), 16u);
    EXPECT_EQ(w.lists.ActionReferences.size(), 16u);
    EXPECT_EQ(w.fields.Get("cbbxRadioEvent_8_AlarmType").Items().size(), 3u);
    EXPECT_TRUE(w.fields.Get("cbbxSendAck").Items().empty());
    for (std::size_t i = 0; i < Catalogue.size(); ++i) {
        EXPECT_EQ(w.Text(std::string(Catalogue[i].button)), "") << Catalogue[i].button;
    }
}

TEST(ApplyLanguageTest, ListsAreRebuiltFromScratch) {
    Window w;
    w.Write("A-1.lang", "[YesNo]\n0=No\n1=Yes\n[Regions]\nEurope=Europe\n");
    w.Write("B-2.lang", "[YesNo]\n0=Nein\n");
    w.lists.ReceiveBands = {"1=869 MHz"};
    w.controller.ApplyLanguage(w.dir.File("A-1.lang"));
    w.controller.ApplyLanguage(w.dir.File("B-2.lang"));
    EXPECT_EQ(w.lists.YesNo, (CodeList{"0=Nein"}));
    EXPECT_TRUE(w.lists.Regions.empty());
    EXPECT_EQ(w.lists.RadioEventAlarmTypes.size(), 3u) << "the program's items are not added twice";
    EXPECT_EQ(w.lists.HexDigits.size(), 16u);
    EXPECT_EQ(w.lists.ReceiveBands, (CodeList{"1=869 MHz"})) << "band lists belong to the region";
}

TEST(ApplyLanguageTest, DropDownsKeepTheirPosition) {
    struct Case {
        const char* name;
        int selected;
        int after; // in a list of two items
    };
    for (const Case c : {Case{"First", 0, 0}, Case{"Last", 1, 1}, Case{"BeyondTheShorterList", 2, -1},
                         Case{"None", -1, -1}}) {
        FieldModel fields;
        fields.Add({.name = "cbbx", .kind = FieldKind::Choice});
        FillDropDown(fields, "cbbx", {"a", "b", "c"});
        fields.SetIndex("cbbx", c.selected);
        FillDropDown(fields, "cbbx", {"x", "y"});
        EXPECT_EQ(fields.Get("cbbx").Items(), (std::vector<std::string>{"x", "y"})) << c.name;
        EXPECT_EQ(fields.Get("cbbx").Index(), c.after) << c.name;
    }
    FieldModel fields;
    fields.Add({.name = "edt"});
    FillDropDown(fields, "edt", {"x"});
    FillDropDown(fields, "missing", {"x"});
    EXPECT_TRUE(fields.Get("edt").Items().empty()) << "a text field is no drop-down list";
}

TEST(ApplyLanguageTest, LanguageChangeKeepsSelectedPositions) {
    Window w;
    w.Write("English-1033.lang", "[Conditions]\n0=Always\n1=Day\n2=Night\n[YesNo]\n0=No\n1=Yes\n"
                                 "[FILE]\nSTATUS-LANGUAGE_WAS_CHANGED_TO_NN=Language changed to %s\n");
    w.Write("Deutsch-1031.lang", "[Conditions]\n0=Immer\n1=Tag\n[YesNo]\n0=Nein\n1=Ja\n"
                                 "[FILE]\nSTATUS-LANGUAGE_WAS_CHANGED_TO_NN=Sprache ist jetzt %s\n");
    w.controller.ChooseAtStartup(w.dir.Path(), "English-1033.lang", {});
    w.controller.ApplyAtFirstShow();
    EXPECT_EQ(w.changeCodeReader.FilePath(), test::Native(w.dir.File("English-1033.lang")));
    w.fields.SetIndex("cbbxSendAck", 1);
    w.fields.SetIndex("cbbxRadioEvent_1_Condition_A", 2);
    w.stored.clear();

    const int deutsch = 0; // sorted: Deutsch before English
    ASSERT_EQ(w.controller.LanguageFiles()[deutsch], "Deutsch-1031.lang");
    EXPECT_TRUE(w.controller.ChangeLanguage(deutsch));
    EXPECT_EQ(w.fields.Get("cbbxSendAck").Text(), "Ja");
    EXPECT_EQ(w.fields.Get("cbbxSendAck").Index(), 1);
    EXPECT_EQ(w.fields.Get("cbbxRadioEvent_1_Condition_A").Index(), -1) << "the German list is shorter";
    EXPECT_EQ(w.controller.LanguageFileName(), "Deutsch-1031.lang");
    EXPECT_EQ(w.changeCodeReader.FilePath(), test::Native(w.dir.File("Deutsch-1031.lang")));
    EXPECT_EQ(w.stored, std::vector<std::string>{"Deutsch-1031.lang"});
    EXPECT_EQ(w.view.StatusText(), "Sprache ist jetzt Deutsch");
    EXPECT_EQ(w.view.CheckedLanguageTag(), deutsch);
    EXPECT_EQ(w.captionUpdates, 1);
    EXPECT_TRUE(w.actionListDirty);
}

TEST(ApplyLanguageTest, LanguageChangeWithTagOfNoFileDoesNothing) {
    Window w;
    w.Write("English-1033.lang", "[YesNo]\n0=No\n");
    w.controller.ChooseAtStartup(w.dir.Path(), "", {});
    w.controller.ApplyAtFirstShow();
    const std::size_t applied = w.view.ApplyCalls();
    for (const int tag : {1, 7, -1}) {
        EXPECT_FALSE(w.controller.ChangeLanguage(tag)) << tag;
    }
    EXPECT_EQ(w.view.ApplyCalls(), applied);
    EXPECT_TRUE(w.view.StatusTexts().empty());
    EXPECT_FALSE(w.actionListDirty);
    EXPECT_EQ(w.captionUpdates, 0);
}

TEST(ApplyLanguageTest, DecimalSeparatorTexts) {
    struct Case {
        char32_t separator;
        const char* unit;
    };
    for (const Case c : {Case{'.', "(0.1-6553.5s)"}, Case{',', "(0,1-6553,5s)"},
                         Case{U'\u066B', "(0\xD9\xAB"
                                         "1-6553\xD9\xAB"
                                         "5s)"}}) {
        EXPECT_EQ(
            DecimalSeparatorTexts(c.separator),
            (std::vector<ControlText>{{"lblGOFA_RelayPulseTimeUnit", ControlProperty::Caption, c.unit}}));
    }
}

} // namespace
} // namespace vorn
