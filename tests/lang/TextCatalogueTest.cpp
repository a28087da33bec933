#include "lang/TextCatalogue.h"

#include "lang/LanguageController.h"
#include "lang/ListIni.h"
#include "lang/TextFormat.h"
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

// ---- every language file the build installs -----------------------------------------------------

std::vector<std::string> InstalledLanguageFiles() {
    ListIni folder;
    folder.SetFolder(DataFolder());
    std::vector<std::string> files;
    folder.ListLanguageFiles(files);
    return files;
}

ListIni LoadShipped(std::string_view name) {
    ListIni reader;
    reader.LoadFile(DataFolder() + std::string(name));
    return reader;
}

std::vector<std::string> Names(const CodeList& list) {
    std::vector<std::string> names;
    for (const auto& item : list) {
        names.emplace_back(NamePart(item));
    }
    return names;
}

std::vector<std::string> Keys(const ListIni& reader) {
    std::vector<std::string> out;
    for (const auto& section : reader.Content().Sections()) {
        for (const auto& entry : section.entries) {
            out.push_back(section.name + "/" + entry.key);
        }
    }
    return out;
}

// Which argument each placeholder shows and as what, by argument: a translation may reorder them.
std::vector<std::pair<int, char>> Arguments(const std::string& text) {
    std::vector<std::pair<int, char>> out;
    for (const Placeholder& p : InspectPattern(text).placeholders) {
        out.emplace_back(p.index, p.type);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// The character after a single "&" (the accelerator), ASCII letters in lower case; empty without one.
std::string Accelerator(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        std::size_t length = 1;
        while (i + 1 + length < caption.size() && (caption[i + 1 + length] & 0xC0) == 0x80) {
            ++length;
        }
        std::string letter(caption.substr(i + 1, length));
        if (length == 1 && letter[0] >= 'A' && letter[0] <= 'Z') {
            letter[0] = static_cast<char>(letter[0] - 'A' + 'a');
        }
        return letter;
    }
    return {};
}

// Captions shown side by side, whose accelerators must differ: the menu bar, each menu, the buttons
// of the message dialogs the program shows, and the buttons of the change-ID-code dialog.
const std::vector<std::vector<std::pair<std::string_view, std::string_view>>> ShownTogether{
    {{"MENU", "FILE"}, {"MENU", "EDIT"}, {"MENU", "COMM"}, {"MENU", "HELP"}},
    {{"MENU", "FILE-NEW"},
     {"MENU", "FILE-OPEN"},
     {"MENU", "FILE-RECENT"},
     {"MENU", "FILE-SAVE"},
     {"MENU", "FILE-SAVE_AS"},
     {"MENU", "FILE-LANGUAGE"},
     {"MENU", "FILE-CHANGE_DEFAULT_CONFIG"},
     {"MENU", "FILE-BACKUPS"},
     {"MENU", "FILE-EXPORT_SHEET"},
     {"MENU", "FILE-PRINT"},
     {"MENU", "FILE-EXIT"}},
    {{"MENU", "COMM-READ_FROM_DEVICE"},
     {"MENU", "COMM-WRITE_TO_DEVICE"},
     {"MENU", "COMM-COMPARE"},
     {"MENU", "COMM-BACKUP_BEFORE_WRITE"},
     {"MENU", "COMM-VERIFY_AFTER_WRITE"},
     {"MENU", "COMM-CHANGE_ID_CODE"}},
    {{"MENU", "EDIT-UNDO"}, {"MENU", "EDIT-REDO"}},
    {{"MENU", "EDIT-UNDO_NN"}, {"MENU", "EDIT-REDO_NN"}},
    {{"COMMON", "BUTTON-YES"},
     {"COMMON", "BUTTON-NO"},
     {"COMMON", "BUTTON-CANCEL"},
     {"COMMON", "BUTTON-ABORT"}},
    {{"CHANGE_CODE", "BUTTON-CHANGE"}, {"COMMON", "BUTTON-CLOSE"}},
    {{"BACKUPS", "LABEL-FILTER_SERIAL_NUMBER"}, {"BACKUPS", "BUTTON-OPEN"}, {"COMMON", "BUTTON-CLOSE"}},
    {{"COMPARE", "BUTTON-TAKE_DEVICE_CONFIGURATION"}, {"COMMON", "BUTTON-CLOSE"}},
};

// English is the reference every other language file is held to.
TEST(ReferenceLanguageFileTest, ListsHoldTheCodesTheConversionsStore) {
    const ListIni reader = LoadShipped(FallbackLanguageFile);
    ASSERT_FALSE(reader.Content().Empty()) << DataFolder() << FallbackLanguageFile;
    auto codes = [&](const char* section) {
        CodeList list;
        reader.ReadList(section, list);
        std::vector<int> out;
        for (const auto& item : list) {
            out.push_back(CodeOfItem(item));
        }
        return out;
    };
    EXPECT_EQ(codes("YesNo"), (std::vector<int>{0, 1}));
    for (const char* binary : {"RelayContacts", "RelaySources", "RelayPolarities", "ExternalInputFunctions",
                               "ExternalInputModes", "PowerHighLow"}) {
        EXPECT_EQ(codes(binary), (std::vector<int>{0, 1})) << binary;
    }
    for (const char* nibble : {"InputTypes", "InputTypesBypass", "UserTypes"}) {
        for (const int code : codes(nibble)) {
            EXPECT_TRUE(code >= 0 && code <= 15) << nibble << " " << code;
        }
    }
    for (const char* byteList :
         {"AlarmTypes", "Conditions", "RelayActions", "CableLengths", "AntennaTypes", "TamperStatus"}) {
        for (const int code : codes(byteList)) {
            EXPECT_TRUE(code >= 0 && code <= 255) << byteList << " " << code;
        }
    }
    for (const int code : codes("AlarmTypes")) {
        EXPECT_LT(code, 253) << "253 to 255 are the program's own alarm types";
    }
    EXPECT_EQ(codes("RelayActions").front(), 0) << "code 0 is the relay not used";
    for (const auto& row : ListSections()) {
        CodeList list;
        reader.ReadList(row.section, list);
        const std::vector<std::string> names = Names(list);
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), list.size())
            << row.section << " repeats a code";
    }
    CodeList regions;
    reader.ReadList("Regions", regions);
    EXPECT_EQ(Names(regions), (std::vector<std::string>{"Europe", "China", "Chile", "USA", "Australia"}));
    EXPECT_EQ(reader.Text("Regions", "Chile"), "Chile, South America");
    for (std::size_t i = 1; i <= Catalogue.size(); ++i) {
        const std::string value = reader.Text(DevicesSection, std::to_string(i));
        EXPECT_EQ(CodeOfItem(value), Catalogue[i - 1].productType) << "Devices " << i;
        EXPECT_EQ(ValuePart(value), Catalogue[i - 1].model) << "Devices " << i;
    }
}

class InstalledLanguageFile : public ::testing::TestWithParam<std::string> {};

TEST_P(InstalledLanguageFile, MatchesEnglishAndLeavesNoControlUndefined) {
    const ListIni english = LoadShipped(FallbackLanguageFile);
    const ListIni reader = LoadShipped(GetParam());
    ASSERT_FALSE(reader.Content().Empty());
    for (const auto& p : LanguageFileProblems(reader)) {
        ADD_FAILURE() << p;
    }
    EXPECT_TRUE(MissingListSections(reader).empty());
    ASSERT_EQ(Keys(reader), Keys(english)) << "every section and key of English, in its order";

    for (const auto& section : english.Content().Sections()) {
        for (const auto& entry : section.entries) {
            const std::string where = section.name + "/" + entry.key;
            const std::string own = reader.Content().FindEntry(section.name, entry.key)->value;
            EXPECT_TRUE(own.empty() == entry.value.empty()) << where << ": \"" << own << "\"";
            EXPECT_EQ(Arguments(own), Arguments(entry.value)) << where << ": \"" << own << "\"";
            const auto lineBreaks = [](const std::string& text) {
                return std::count(text.begin(), text.end(), '~');
            };
            EXPECT_EQ(lineBreaks(own), entry.key.starts_with("MEMO-") ? lineBreaks(entry.value) : 0) << where;
        }
    }
    // A language change keeps positions, not codes: the codes of every list are English's, in order.
    for (const auto& row : ListSections()) {
        CodeList own;
        CodeList reference;
        reader.ReadList(row.section, own);
        english.ReadList(row.section, reference);
        EXPECT_EQ(Names(own), Names(reference)) << row.section;
    }
    for (std::size_t i = 1; i <= Catalogue.size(); ++i) {
        const std::string key = std::to_string(i);
        EXPECT_EQ(reader.Text(DevicesSection, key), english.Text(DevicesSection, key)) << "model names stay";
    }

    // Every control of every page gets its text, and every menu shortcut is one the program reads.
    for (const ControlText& text : CatalogueTexts(reader)) {
        EXPECT_EQ(text.text.find("' IS UNDEFINED"), std::string::npos) << text.control;
        EXPECT_FALSE(text.text.empty()) << text.control << ": no text, or a shortcut the program cannot read";
    }
    for (const WindowTextRow& row : OtherWindowTexts()) {
        EXPECT_TRUE(reader.Defines(row.section, row.key)) << row.window << " " << row.key;
    }
    for (const auto& group : ShownTogether) {
        std::set<std::string> letters;
        for (const auto& [section, key] : group) {
            const std::string letter = Accelerator(reader.Text(section, key));
            EXPECT_TRUE(letter.empty() || letters.insert(letter).second)
                << key << ": accelerator \"" << letter << "\" already taken beside it";
        }
    }
}

// Instances are named after the file's place and language code ("Language2_13322"): test names hold
// ASCII letters, digits and "_" only.
INSTANTIATE_TEST_SUITE_P(Installed, InstalledLanguageFile, ::testing::ValuesIn(InstalledLanguageFiles()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string name = "Language" + std::to_string(param.index) + "_";
                             for (const char c : param.param.substr(0, param.param.find('.'))) {
                                 if (c >= '0' && c <= '9') {
                                     name += c;
                                 }
                             }
                             return name;
                         });

} // namespace
} // namespace vorn
