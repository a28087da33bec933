#include "lang/TextCatalogue.h"

#include "lang/ListIni.h"
#include "model/Catalogue.h"
#include "support/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include <gtest/gtest.h>

namespace vorn {
namespace {

// The installation data as the build stages it.
std::string DataFolder() {
    return test::DataFolder();
}

TEST(TextCatalogueTest, RowsExpandToEveryControl) {
    std::map<std::pair<std::string, ControlProperty>, std::string> seen;
    for (const auto& key : MainWindowTextKeys()) {
        EXPECT_EQ(key.control.find('#'), std::string::npos);
        EXPECT_EQ(key.key.find('#'), std::string::npos);
        const auto [it, inserted] = seen.emplace(std::pair{key.control, key.property}, key.key);
        EXPECT_TRUE(inserted) << key.control << " has two texts of one kind";
    }
    struct Expected {
        const char* control;
        ControlProperty property;
        const char* key;
    };
    for (const Expected e :
         {Expected{"cbAction_1_Auto", ControlProperty::Caption, "CHECKBOX-AUTOMATIC"},
          Expected{"cbAction_9_Auto", ControlProperty::Caption, "CHECKBOX-AUTOMATIC"},
          Expected{"cbAction_A_Auto", ControlProperty::Caption, "CHECKBOX-AUTOMATIC"},
          Expected{"cbAction_F_Auto", ControlProperty::Caption, "CHECKBOX-AUTOMATIC"},
          Expected{"edtRadioEvent_8_RadioId", ControlProperty::Hint, "HINT-INSERT_WILDCARD"},
          Expected{"lblGOFA_Id1", ControlProperty::Caption, "LABEL-ID_CODE_1"},
          Expected{"lblGOFA_Id8", ControlProperty::Caption, "LABEL-ID_CODE_8"},
          Expected{"lblUserEvent_7", ControlProperty::Hint, "HINT-INPUT_2"},
          Expected{"cbbxOutput_2_Contact", ControlProperty::Hint, "HINT-CONTACT_TYPE_OUT2"},
          Expected{"mnuFileSaveAs", ControlProperty::Shortcut, "FILE-SAVE_AS-SHORTCUT"}}) {
        const auto found = seen.find({e.control, e.property});
        ASSERT_NE(found, seen.end()) << e.control;
        EXPECT_EQ(found->second, e.key) << e.control;
    }
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                            [](const auto& s) { return s.first.first.starts_with("cbAction_"); }),
              15);
    EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                            [](const auto& s) { return s.first.first.starts_with("edtRadioEvent_"); }),
              16);
}

TEST(TextCatalogueTest, ProgramTextsAreListedOnce) {
    std::set<std::pair<std::string_view, std::string_view>> keys;
    for (const auto& row : ProgramTexts()) {
        EXPECT_TRUE(keys.insert({row.section, row.key}).second) << row.key;
        EXPECT_EQ(row.args.find_first_not_of("si"), std::string_view::npos) << row.key;
    }
    EXPECT_EQ(ArgumentsOf("COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N"), "ss");
    EXPECT_EQ(ArgumentsOf("COMMUNICATION", "MEMO-INSTRUCTIONS"), "s");
    const auto all = AllTextKeys();
    std::set<std::pair<std::string_view, std::string_view>> unique;
    for (const auto& row : all) {
        EXPECT_TRUE(unique.insert({row.section, row.key}).second) << row.key;
    }
}

// The check must find what is wrong, or a passing check of the shipped files would prove nothing.
TEST(TextCatalogueTest, ProblemsOfABrokenFile) {
    ListIni reader;
    reader.LoadBytes("[COMMON]\n"
                     "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N=Between %s and %d\n"
                     "MESSAGE-ERROR_CONVERTING_DATA=Value %d\n"
                     "MESSAGE-INVALID_PRODUCT_TYPE_NN=Type %s %s\n"
                     "BUTTON-OK=OK %s\n"
                     "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN=Event %f\n"
                     "[YesNo]\n0=No\nYes\n"
                     "[Devices]\n1=35=TARV\n2=ZUMI\n");
    const auto problems = LanguageFileProblems(reader);
    auto has = [&](const std::string& fragment) {
        return std::any_of(problems.begin(), problems.end(),
                           [&](const std::string& p) { return p.find(fragment) != std::string::npos; });
    };
    EXPECT_TRUE(has("[MENU] FILE: missing"));
    EXPECT_TRUE(has("MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N: number placeholder for text argument 1"));
    EXPECT_TRUE(has("MESSAGE-ERROR_CONVERTING_DATA: argument 1 is not shown"));
    EXPECT_TRUE(has("MESSAGE-INVALID_PRODUCT_TYPE_NN: placeholder for argument 1 of 1"));
    EXPECT_TRUE(has("BUTTON-OK: placeholder in a text that takes no arguments"));
    EXPECT_TRUE(has("MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN: malformed placeholder \"%f\""));
    EXPECT_TRUE(has("[YesNo] Yes: no code=text entry"));
    EXPECT_TRUE(has("[AlarmTypes]: missing list"));
    EXPECT_TRUE(has("[Devices] 2: no code=name entry"));
    EXPECT_TRUE(has("[Devices] 12: no code=name entry"));
    EXPECT_FALSE(has("[Devices] 1:"));
}

TEST(TextCatalogueTest, MissingListSectionsAreNamedInTableOrder) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<std::string> missing;
    };
    const std::vector<std::string> every{
        "AlarmTypes",         "InputTypes",   "InputTypesBypass", "RelayContacts", "UserTypes",
        "RelayActions",       "YesNo",        "Conditions",       "Regions",       "CableLengths",
        "AntennaTypes",       "RelaySources", "RelayPolarities",  "TamperStatus",  "ExternalInputFunctions",
        "ExternalInputModes", "PowerHighLow", "Devices"};
    std::vector<std::string> allButRegions = every;
    allButRegions.erase(std::find(allButRegions.begin(), allButRegions.end(), "Regions"));
    const Case cases[] = {
        {"Nothing", "", every},
        {"TextsOnly", "[COMMON]\nBUTTON-OK=OK\n", every},
        // A header without entries is no list; letter case of the header does not matter.
        {"EmptySectionCounts", "[regions]\n[AlarmTypes]\n", every},
        {"OneList", "[REGIONS]\nEurope=Europe\n", allButRegions},
    };
    for (const Case& c : cases) {
        ListIni reader;
        reader.LoadBytes(c.text);
        EXPECT_EQ(MissingListSections(reader), c.missing) << c.name;
    }
}

// ---- the shipped language files ------------------------------------------------------------------

const char* const ShippedFiles[] = {"English-1033.lang", "Deutsch-1031.lang"};

ListIni LoadShipped(const char* name) {
    ListIni reader;
    reader.LoadFile(DataFolder() + name);
    return reader;
}

TEST(ShippedLanguageFilesTest, DefineEveryKeyWithTheArgumentsItsUserPasses) {
    ASSERT_FALSE(DataFolder().empty());
    for (const char* name : ShippedFiles) {
        const ListIni reader = LoadShipped(name);
        ASSERT_FALSE(reader.Content().Empty()) << name;
        const auto problems = LanguageFileProblems(reader);
        for (const auto& p : problems) {
            ADD_FAILURE() << name << ": " << p;
        }
        EXPECT_TRUE(MissingListSections(reader).empty()) << name;
        // Texts with line breaks use "~" only in MEMO texts.
        for (const auto& section : reader.Content().Sections()) {
            for (const auto& entry : section.entries) {
                if (!entry.key.starts_with("MEMO-")) {
                    EXPECT_EQ(entry.value.find('~'), std::string::npos) << name << " " << entry.key;
                }
            }
        }
    }
}

std::vector<std::string> Names(const CodeList& list) {
    std::vector<std::string> names;
    for (const auto& item : list) {
        names.emplace_back(NamePart(item));
    }
    return names;
}

TEST(ShippedLanguageFilesTest, ListsHoldTheStoredCodesInTheSameOrder) {
    const ListIni english = LoadShipped("English-1033.lang");
    const ListIni german = LoadShipped("Deutsch-1031.lang");
    std::set<std::string_view> sections;
    for (const auto& row : ListSections()) {
        if (!sections.insert(row.section).second) {
            continue;
        }
        CodeList en;
        CodeList de;
        english.ReadList(row.section, en);
        german.ReadList(row.section, de);
        EXPECT_FALSE(en.empty()) << row.section;
        EXPECT_EQ(Names(en), Names(de)) << row.section << ": a language change keeps positions, not codes";
        const std::vector<std::string> names = Names(en);
        const std::set<std::string> unique(names.begin(), names.end());
        EXPECT_EQ(unique.size(), en.size()) << row.section << " repeats a code";
    }
    for (const char* name : ShippedFiles) {
        const ListIni reader = LoadShipped(name);
        auto codes = [&](const char* section) {
            CodeList list;
            reader.ReadList(section, list);
            std::vector<int> out;
            for (const auto& item : list) {
                out.push_back(CodeOfItem(item));
            }
            return out;
        };
        // Codes as the conversions store them.
        EXPECT_EQ(codes("YesNo"), (std::vector<int>{0, 1})) << name;
        for (const char* binary : {"RelayContacts", "RelaySources", "RelayPolarities",
                                   "ExternalInputFunctions", "ExternalInputModes", "PowerHighLow"}) {
            EXPECT_EQ(codes(binary), (std::vector<int>{0, 1})) << name << " " << binary;
        }
        for (const char* nibble : {"InputTypes", "InputTypesBypass", "UserTypes"}) {
            for (const int code : codes(nibble)) {
                EXPECT_TRUE(code >= 0 && code <= 15) << name << " " << nibble << " " << code;
            }
        }
        for (const char* byteList :
             {"AlarmTypes", "Conditions", "RelayActions", "CableLengths", "AntennaTypes", "TamperStatus"}) {
            for (const int code : codes(byteList)) {
                EXPECT_TRUE(code >= 0 && code <= 255) << name << " " << byteList << " " << code;
            }
        }
        for (const int code : codes("AlarmTypes")) {
            EXPECT_LT(code, 253) << name << ": 253 to 255 are the program's own alarm types";
        }
        EXPECT_EQ(codes("RelayActions").front(), 0) << "code 0 is the relay not used";

        CodeList regions;
        reader.ReadList("Regions", regions);
        EXPECT_EQ(Names(regions), (std::vector<std::string>{"Europe", "China", "Chile", "USA", "Australia"}))
            << name;
        for (std::size_t i = 1; i <= Catalogue.size(); ++i) {
            const std::string value = reader.Text(DevicesSection, std::to_string(i));
            EXPECT_EQ(CodeOfItem(value), Catalogue[i - 1].productType) << name << " Devices " << i;
            EXPECT_EQ(ValuePart(value), Catalogue[i - 1].model) << name << " Devices " << i;
        }
    }
    EXPECT_EQ(english.Text("Regions", "Chile"), "Chile, South America");
}

TEST(ShippedLanguageFilesTest, BothFilesHoldTheSameKeysInTheSameOrder) {
    const ListIni english = LoadShipped("English-1033.lang");
    const ListIni german = LoadShipped("Deutsch-1031.lang");
    auto keys = [](const ListIni& reader) {
        std::vector<std::string> out;
        for (const auto& section : reader.Content().Sections()) {
            for (const auto& entry : section.entries) {
                out.push_back(section.name + "/" + entry.key);
            }
        }
        return out;
    };
    EXPECT_EQ(keys(english), keys(german));
}

} // namespace
} // namespace vorn
