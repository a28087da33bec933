#include "model/Conversion.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

namespace vorn {
namespace {

std::vector<const FieldRow*> AllRows() {
    std::vector<const FieldRow*> rows;
    for (Family family : {Family::A, Family::B, Family::C}) {
        for (const FieldRow& row : FieldRowsOf(family)) {
            rows.push_back(&row);
        }
    }
    return rows;
}

TEST(FieldTables, NamesAreUniqueAndFindTheirFamily) {
    std::set<std::string> names;
    for (const FieldRow* row : AllRows()) {
        EXPECT_TRUE(names.insert(row->name).second) << row->name;
        EXPECT_EQ(FindFieldRow(row->name), row);
    }
    EXPECT_EQ(FamilyOfField("edtHESK_AutoReadyTime"), Family::B);
    EXPECT_EQ(FamilyOfField("cbbxAction_F_Relay_2"), Family::A);
    EXPECT_EQ(FamilyOfField("edtGOFA_IdCode8"), Family::C);
    EXPECT_EQ(FamilyOfField("lblNothing"), Family::None);
}

// The drop-down lists the language fills and the code list of each, counted per list as the
// language's own table lists them; the four band lists are the region's.
TEST(FieldTables, LanguageFillsEveryDropDownButTheBandLists) {
    const std::map<std::string, int> expected{
        {"InputTypesBypass", 1},
        {"InputTypes", 2},
        {"Conditions", 30},
        {"ActionReferences", 15},
        {"RelayContacts", 2},
        {"CableLengths", 1},
        {"RadioEventAlarmTypes", 8},
        {"UserTypes", 8},
        {"ActionAlarmTypes", 15},
        {"RelayActions", 30},
        {"YesNo", 12},
        {"AntennaTypes", 1},
        {"HexDigits", 1},
        {"PowerHighLow", 1},
        {"RelaySources", 2},
        {"RelayPolarities", 2},
        {"TamperStatus", 1},
        {"ExternalInputModes", 2},
        {"ExternalInputFunctions", 2},
        {"AlarmTypes", 5},
    };
    std::map<std::string, int> filled;
    std::set<std::string> regionFilled;
    for (const FieldRow* row : AllRows()) {
        if (row->kind != FieldKind::Choice) {
            continue;
        }
        if (FilledByLanguage(*row)) {
            ++filled[row->listName];
        } else {
            regionFilled.insert(row->name);
        }
    }
    EXPECT_EQ(filled, expected);
    EXPECT_EQ(regionFilled, (std::set<std::string>{"cbbxTxFrequencyBand", "cbbxRxFrequencyBand",
                                                   "cbbxGOFA_TxFrequencyBand", "cbbxGOFA_RxFrequencyBand"}));
    using L = CodeLists;
    const std::pair<const char*, CodeList CodeLists::*> named[] = {
        {"cbbxAction_F_Relay_2", &L::RelayActions},
        {"cbbxAction_A_AlarmType", &L::ActionAlarmTypes},
        {"cbbxUserEvent_7_Condition_B", &L::Conditions},
        {"cbbxRadioEvent_8_ActionReference", &L::ActionReferences},
        {"cbbxRadioEvent_1_AlarmType", &L::RadioEventAlarmTypes},
        {"cbbxUserEvent_5_InputType", &L::InputTypesBypass},
        {"cbbxUserEvent_6_InputType", &L::InputTypes},
        {"cbbxGOFA_Zone", &L::HexDigits},
        {"cbbxGOFA_TamperTransmitAlarm_Read", &L::YesNo},
    };
    for (const auto& [name, list] : named) {
        ASSERT_NE(FindFieldRow(name), nullptr) << name;
        EXPECT_TRUE(FindFieldRow(name)->list == list) << name;
    }
    EXPECT_EQ(FindFieldRow("cbbxUserEvent_1_InputType"), nullptr);
}

TEST(FieldTables, TagsMaximumLengthsAndDesignStates) {
    struct Case {
        const char* name;
        int tag;
        std::size_t maxLength;
        KeyFilterKind filter;
        bool enabled;
    };
    const Case cases[] = {
        {"edtAction_1_RadioId", 999, 4, KeyFilterKind::HexCode, false},
        {"edtAction_F_RadioId", 999, 4, KeyFilterKind::HexCode, false},
        {"edtUnitRadioIdCode", 999, 4, KeyFilterKind::HexCode, true},
        {"edtRadioEvent_6_PositionId", 6, 4, KeyFilterKind::HexCodeWildcard, true},
        {"edtRadioEvent_6_RadioId", 0, 4, KeyFilterKind::HexCodeWildcard, true},
        {"cbbxRadioEvent_8_AlarmType", 8, 0, KeyFilterKind::None, true},
        {"cbbxAction_C_AlarmType", 12, 0, KeyFilterKind::None, true},
        {"cbAction_E_Auto", 14, 0, KeyFilterKind::None, true},
        {"edtHalvoSystemId", 0, 5, KeyFilterKind::Number, true},
        {"edtMaxShortTx", 0, 2, KeyFilterKind::Number, true},
        {"edtEquipmentType", 0, 3, KeyFilterKind::Number, true},
        {"medtPulseActivationTime", 0, 6, KeyFilterKind::None, true},
        {"edtSerialNumber", 0, 0, KeyFilterKind::None, false},
        {"edtGOFA_RadioTestInterval", 0, 5, KeyFilterKind::Number, true},
        {"edtGOFA_RfidPower", 0, 3, KeyFilterKind::Number, true},
        {"edtGOFA_IdCode4", 0, 4, KeyFilterKind::HexCode, true},
        {"cbbxGOFA_Power_Read", 0, 0, KeyFilterKind::None, false},
        {"edtHESK_RadioIdCode", 0, 4, KeyFilterKind::HexCode, true},
    };
    for (const Case& c : cases) {
        const FieldRow* row = FindFieldRow(c.name);
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_EQ(row->tag, c.tag) << c.name;
        EXPECT_EQ(row->maxLength, c.maxLength) << c.name;
        EXPECT_EQ(row->keyFilter, c.filter) << c.name;
        EXPECT_EQ(row->enabled, c.enabled) << c.name;
    }
    EXPECT_FALSE(FindFieldRow("medtPulseActivationTime")->inputMask.empty());
    EXPECT_FALSE(FindFieldRow("edtGOFA_WatchdogReset")->visible) << "a service field";
}

} // namespace
} // namespace vorn
