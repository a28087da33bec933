#include "lang/TextCatalogue.h"
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

// The language fills every drop-down list from the same code list that the conversions read;
// the band lists are the region's.
TEST(FieldTables, AgreeWithTheLanguagesDropDownTable) {
    std::map<std::string, CodeList CodeLists::*> language;
    for (const DropDownList& list : DropDownLists()) {
        language[list.control] = list.list;
    }
    const std::set<std::string> regionLists{"cbbxTxFrequencyBand", "cbbxRxFrequencyBand",
                                            "cbbxGOFA_TxFrequencyBand", "cbbxGOFA_RxFrequencyBand"};
    std::size_t choices = 0;
    for (const FieldRow* row : AllRows()) {
        if (row->kind != FieldKind::Choice) {
            continue;
        }
        ++choices;
        ASSERT_NE(row->list, nullptr) << row->name;
        if (regionLists.count(row->name) != 0) {
            EXPECT_EQ(language.count(row->name), 0u) << row->name;
            continue;
        }
        ASSERT_EQ(language.count(row->name), 1u) << row->name << " is filled by no language row";
        EXPECT_TRUE(language[row->name] == row->list) << row->name << " shows another list";
    }
    EXPECT_EQ(choices, language.size() + regionLists.size()) << "a language row names no choice field";
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
