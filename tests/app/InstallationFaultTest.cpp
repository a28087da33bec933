// The program starts whatever its installation's files hold; where a file is missing, unreadable or
// incomplete, the operator is told which file and why, instead of meeting conversion errors later.
#include "ProgramHarness.h"
#include "lang/LanguageController.h"
#include "support/CaseName.h"
#include "support/FileFaults.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::ProgramHarness;
using test::ReadBytes;
using test::ReplaceSection;
using test::WriteBytes;

const std::vector<std::string> EuropeBands{"1=869.2125 MHz", "2=868.7125 MHz", "6=869.4125 MHz",
                                           "8=868.2125 MHz", "9=868.4125 MHz"};

// ---- Registry.ini ----------------------------------------------------------------------------------

struct RegistryCase {
    const char* name;
    const char* content; // nullptr: removed; "<folder>": a folder in its place; "<unreadable>"
    const char* reason;
};

class RegistryFile : public ::testing::TestWithParam<RegistryCase> {};

TEST_P(RegistryFile, StartsAndSaysWhyTheBandsAreMissing) {
    const RegistryCase& c = GetParam();
    ProgramHarness h;
    const std::string registry = h.Install() + "Registry.ini";
    const std::string kind = c.content == nullptr ? "" : c.content;
    if (kind == "<unreadable>") {
        if (!test::MakeUnreadable(registry)) {
            GTEST_SKIP() << "root reads every file, and Windows has no permission bits; the other cases make "
                            "the registry unusable without them";
        }
    } else {
        fs::remove(registry);
        if (kind == "<folder>") {
            fs::create_directory(registry);
        } else if (c.content != nullptr) {
            WriteBytes(registry, c.content);
        }
    }
    h.view.AnswerDialog(DialogResult::Ok);
    ProgramController& p = h.StartWithRegion(0);

    // The start went its way: the region chosen, its defaults copied, the band lists as they were.
    EXPECT_EQ(h.Setting("Region"), "Europe");
    EXPECT_EQ(ReadBytes(h.ConfigFolder() + "Default_BODE.vorn"),
              ReadBytes(h.InstalledDefault("Europe", "Default_BODE.vorn")));
    EXPECT_TRUE(p.Lists().ReceiveBands.empty());
    EXPECT_EQ(h.view.Caption(), "VORN Family Programmer");
    // And the operator knows why.
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Error);
    EXPECT_EQ(h.view.Dialogs()[0].text,
              "The frequency bands of the regions could not be read from " + registry + " (" + c.reason +
                  "), so the frequency bands of configurations cannot be shown "
                  "correctly. Please reinstall the program or contact ORSK Electronics.");
    EXPECT_TRUE(h.trace.Contains("No frequency bands in " + registry + ": " + c.reason));
}

INSTANTIATE_TEST_SUITE_P(Cases, RegistryFile,
                         ::testing::Values(RegistryCase{"Missing", nullptr, "no such file"},
                                           RegistryCase{"Empty", "", "the file holds no keys"},
                                           RegistryCase{"OnlyComments", "; bands\n\n",
                                                        "the file holds no keys"},
                                           RegistryCase{"Folder", "<folder>", "is a directory"},
                                           RegistryCase{"Unreadable", "<unreadable>", "permission denied"}),
                         test::CaseName{});

TEST(RegistryFile, RegionWithoutBandKeysStaysSilent) {
    // A readable registry that lacks one region's keys is the installation's choice: no message.
    ProgramHarness h;
    const std::string registry = h.Install() + "Registry.ini";
    ReplaceSection(registry, "[Software\\ORSK\\VORN Programmer v2\\Regions\\China\\RxFrequencyBands]", "");
    h.StartWithRegion(1);
    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_TRUE(h.program->Lists().ReceiveBands.empty());
}

// ---- the language file -----------------------------------------------------------------------------

const std::string ListsMessageEnd =
    ". The drop-down lists built from them stay empty, so configurations cannot be "
    "shown correctly. Please choose another language with File > Language, or "
    "reinstall the program.";

TEST(LanguageFile, WithoutListSectionsIsNamedWithThem) {
    ProgramHarness h;
    const std::string language = h.Install() + "English-1033.lang";
    ReplaceSection(language, "[TamperStatus]", "");
    ReplaceSection(language, "[PowerHighLow]", "");
    h.view.AnswerDialog(DialogResult::Ok);
    ProgramController& p = h.StartWithRegion(0);
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, "The language file " + h.DataFolder() +
                                            "English-1033.lang lacks the lists TamperStatus, PowerHighLow" +
                                            ListsMessageEnd);
    // The rest of the start as usual.
    EXPECT_EQ(h.Setting("Region"), "Europe");
    EXPECT_EQ(p.Lists().ReceiveBands, EuropeBands);
}

TEST(LanguageFile, WithoutAnyListOffersNoRegion) {
    ProgramHarness h;
    std::string text = ReadBytes(h.Install() + "English-1033.lang");
    text.erase(text.find("[Devices]"));
    WriteBytes(h.Install() + "English-1033.lang", text);
    h.view.AnswerDialog(DialogResult::Ok);
    h.view.AnswerSelectRegion({-1, DialogResult::Ok});
    ProgramController& p = h.Start();
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_NE(h.view.Dialogs()[0].text.find("lacks the lists AlarmTypes, InputTypes, "), std::string::npos);
    EXPECT_NE(h.view.Dialogs()[0].text.find("PowerHighLow, Devices. "), std::string::npos);
    // The region dialog offers nothing, so nothing is stored and nothing more is said.
    ASSERT_EQ(h.view.RegionDialogs().size(), 1u);
    EXPECT_TRUE(h.view.RegionDialogs()[0].items.empty());
    EXPECT_EQ(h.Setting("Region"), "");
    EXPECT_EQ(p.Region(), "");
}

// The chosen language file gives nothing: its own message would be an undefined marker, so the text
// comes from English.
struct BrokenLanguageCase {
    const char* name;
    std::string content; // "<unreadable>": the shipped file, unreadable
    const char* reason;
};

class BrokenLanguage : public ::testing::TestWithParam<BrokenLanguageCase> {};

TEST_P(BrokenLanguage, IsToldInAnotherLanguage) {
    const BrokenLanguageCase& c = GetParam();
    ProgramHarness h;
    fs::create_directories(h.DataFolder());
    const std::string german = h.DataFolder() + "Deutsch-1031.lang";
    WriteBytes(h.DataFolder() + "English-1033.lang", ReadBytes(h.Install() + "English-1033.lang"));
    // The files are the user's own, not laid down by an earlier version: the start keeps them.
    WriteBytes(h.DataFolder() + std::string(ShippedLanguagesStamp), "");
    if (c.content == "<unreadable>") {
        WriteBytes(german, ReadBytes(h.Install() + "Deutsch-1031.lang"));
        if (!test::MakeUnreadable(german)) {
            GTEST_SKIP() << "root reads every file, and Windows has no permission bits; the other cases make "
                            "the language file unusable without them";
        }
    } else {
        WriteBytes(german, c.content);
    }
    h.WriteSettings("[VORN Programmer v2]\nLanguage=Deutsch-1031.lang\nRegion=Europe\n");
    h.view.AnswerDialog(DialogResult::Ok);
    ProgramController& p = h.Start();
    EXPECT_EQ(p.LanguageFileName(), "Deutsch-1031.lang");
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, "The language file " + german + " cannot be used (" + c.reason +
                                            "). The program shows the names of its texts instead. Please "
                                            "choose another language with File > Language, or reinstall the "
                                            "program.");
    EXPECT_EQ(h.view.Dialogs()[0].buttons.front().caption, "OK");
    // The stored region is not reported again: a language without regions has been.
    EXPECT_EQ(p.Region(), "Europe");
    EXPECT_EQ(p.Lists().ReceiveBands, EuropeBands);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenLanguage,
    ::testing::Values(BrokenLanguageCase{"Empty", "", "the file holds no sections"},
                      BrokenLanguageCase{"NoSections", "Sprache=Deutsch\n", "the file holds no sections"},
                      BrokenLanguageCase{"TooLarge", std::string(MaxLanguageFileBytes + 1, ' '),
                                         "file too large"},
                      BrokenLanguageCase{"Unreadable", "<unreadable>", "permission denied"}),
    test::CaseName{});

TEST(LanguageFile, ChangingToABrokenFileIsTold) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    WriteBytes(h.DataFolder() + "Deutsch-1031.lang", "[COMMON]\nTEXT-APPLICATION_TITLE=VORN\n");
    h.view.ClearRecords();
    h.view.AnswerDialog(DialogResult::Ok);
    ASSERT_TRUE(p.ChangeLanguage(0)); // Deutsch comes first in the menu
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_NE(h.view.Dialogs()[0].text.find("The language file " + h.DataFolder() +
                                            "Deutsch-1031.lang lacks the lists AlarmTypes"),
              std::string::npos)
        << h.view.Dialogs()[0].text;
}

// ---- the stored region -----------------------------------------------------------------------------

struct StoredRegionCase {
    const char* name;
    std::string region;  // as the settings file holds it
    std::string regions; // the language's [Regions] body; empty: as shipped
    std::string shown;   // the region as the message shows it
    bool bandsLoaded;
};

class StoredRegion : public ::testing::TestWithParam<StoredRegionCase> {};

TEST_P(StoredRegion, NotOfTheLanguageNamesTheSettingsFile) {
    const StoredRegionCase& c = GetParam();
    ProgramHarness h;
    if (!c.regions.empty()) {
        ReplaceSection(h.Install() + "English-1033.lang", "[Regions]", c.regions);
    }
    // A key built from the name would find these bands.
    WriteBytes(h.Install() + "Registry.ini", ReadBytes(h.Install() + "Registry.ini") +
                                                 "[Software\\ORSK\\VORN Programmer v2\\Regions\\" + c.region +
                                                 "\\RxFrequencyBands]\n66=planted\n");
    h.WriteSettings("[VORN Programmer v2]\nLanguage=English-1033.lang\nRegion=" + c.region + "\n");
    h.view.AnswerDialog(DialogResult::Ok);
    ProgramController& p = h.Start();
    EXPECT_TRUE(h.view.RegionDialogs().empty()) << "a stored region is not asked for again";
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(
        h.view.Dialogs()[0].text,
        "The region \"" + c.shown + "\" stored in the settings file " + h.SettingsPath() +
            " is not a region of the language file " + h.DataFolder() +
            "English-1033.lang. To choose your region, start the program with the option "
            "-selectnewregion and use File > Select new region..., or delete the line \"Region=\" from the "
            "settings file: the program then asks for the region at its next start.");
    EXPECT_EQ(!p.Lists().ReceiveBands.empty(), c.bandsLoaded);
    EXPECT_EQ(h.Setting("Region"), c.region) << "the operator decides";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredRegion,
    ::testing::Values(StoredRegionCase{"Unknown", "Atlantis", "", "Atlantis", true},
                      // The bands of a region the registry has still load, as they always did.
                      StoredRegionCase{"LanguageLacksIt", "Europe", "USA=USA\nChina=China", "Europe", true},
                      // A name that is no region name never becomes a key.
                      StoredRegionCase{"KeyOfAnother", "USA\\TxFrequencyBands\\x", "",
                                       "USA\\TxFrequencyBands\\x", false},
                      StoredRegionCase{"UpAndOut", "..\\..\\x", "", "..\\..\\x", false},
                      StoredRegionCase{"ControlCharacters", "Eu\x1b[2Jrope", "", "Eu\\x1B[2Jrope", false}),
    test::CaseName{});

} // namespace
} // namespace vorn
