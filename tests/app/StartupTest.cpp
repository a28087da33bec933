#include "ProgramHarness.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/FileFaults.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::ProgramHarness;
using test::ReadBytes;
using test::WriteBytes;

const std::vector<std::string> EuropeBands{"1=869.2125 MHz", "2=868.7125 MHz", "6=869.4125 MHz",
                                           "8=868.2125 MHz", "9=868.4125 MHz"};
const std::vector<std::string> RegionTexts{"Europe", "China", "Chile, South America", "USA", "Australia"};
const std::string Title = "VORN Family Programmer";

TEST(Startup, FirstStartOnEmptyFoldersEndToEnd) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);

    // Folders made, the language files laid down, English chosen from the locale without a box.
    EXPECT_TRUE(fs::is_directory(h.DataFolder()));
    EXPECT_TRUE(fs::is_directory(h.ConfigFolder()));
    EXPECT_TRUE(fs::is_regular_file(h.DataFolder() + "English-1033.lang"));
    EXPECT_TRUE(fs::is_regular_file(h.DataFolder() + "Deutsch-1031.lang"));
    EXPECT_EQ(p.LanguageFolder(), h.DataFolder());
    EXPECT_EQ(p.LanguageFileName(), "English-1033.lang");
    EXPECT_TRUE(h.view.StandardMessages().empty());
    EXPECT_TRUE(h.view.LanguageMenuEnabled());

    // The region asked for once, without a Close button, with the language's regions.
    ASSERT_EQ(h.view.RegionDialogs().size(), 1u);
    const auto& shown = h.view.RegionDialogs()[0];
    EXPECT_FALSE(shown.closeVisible);
    EXPECT_EQ(shown.items, RegionTexts);
    EXPECT_EQ(shown.selected, 0);
    EXPECT_EQ(shown.caption, Title);

    // The region's defaults copied, and the settings hold the language, the twelve paths, the region.
    for (const ProductInfo& product : Catalogue) {
        const std::string name(product.defaultFileName);
        EXPECT_EQ(ReadBytes(h.ConfigFolder() + name), ReadBytes(h.InstalledDefault("Europe", name))) << name;
        EXPECT_EQ(h.Setting(std::string(product.settingsKey)), h.ConfigFolder() + name);
        EXPECT_EQ(p.DefaultConfigPaths().Of(product.productType), h.ConfigFolder() + name);
    }
    EXPECT_EQ(h.Setting("Language"), "English-1033.lang");
    EXPECT_EQ(h.Setting("Region"), "Europe");
    EXPECT_EQ(h.Setting("OpenSaveDirectory"), "") << "written only at an orderly end";

    // The band lists and their four drop-down lists, with the traces.
    EXPECT_EQ(p.Lists().ReceiveBands, EuropeBands);
    EXPECT_EQ(p.Lists().TransmitBands, EuropeBands);
    for (const char* list : {"cbbxTxFrequencyBand", "cbbxRxFrequencyBand", "cbbxGOFA_TxFrequencyBand",
                             "cbbxGOFA_RxFrequencyBand"}) {
        EXPECT_EQ(p.GetEditor().Fields().Get(list).Items().size(), EuropeBands.size()) << list;
    }
    EXPECT_TRUE(h.trace.Contains("Load RxFrequencyBands for region Europe"));
    EXPECT_TRUE(h.trace.Contains("[4] 9=868.4125 MHz"));

    // The window as it starts: the device page alone, the configuration menus disabled.
    EXPECT_EQ(h.view.VisibleTabs(), std::vector<std::string>{"tbsSelectDevice"});
    for (const char* menu :
         {"mnuFileNew", "mnuFileSave", "mnuFileSaveAs", "mnuFileChangeDefaultConfig", "mnuComm"}) {
        EXPECT_EQ(h.view.ControlEnabled(menu), false) << menu;
    }
    EXPECT_EQ(h.view.ControlVisible("mnuFileSelectNewRegion"), false);
    EXPECT_EQ(h.view.ControlVisible("bbtnDevice_11"), true);
    EXPECT_EQ(h.view.ControlVisible("bbtnDevice_12"), true);
    EXPECT_EQ(h.view.Caption(), Title);
    EXPECT_TRUE(h.view.Dialogs().empty());

    // A second start asks nothing and changes nothing.
    const std::string settings = h.SettingsText();
    h.view.ClearRecords();
    ProgramController& again = h.Start();
    EXPECT_TRUE(h.view.RegionDialogs().empty());
    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_TRUE(h.view.StandardMessages().empty());
    EXPECT_EQ(h.SettingsText(), settings);
    EXPECT_EQ(again.Region(), "Europe");
    EXPECT_EQ(again.Lists().ReceiveBands, EuropeBands);
}

TEST(Startup, SettingsFileHasOneSectionAndEveryKeyOnce) {
    ProgramHarness h;
    h.StartWithRegion(3);
    h.program->mnuFileExitClick();
    const IniDocument settings = IniDocument::Parse(h.SettingsText());
    ASSERT_EQ(settings.Sections().size(), 1u);
    EXPECT_EQ(settings.Sections()[0].name, "VORN Programmer v2");
    // Language, the twelve default paths, Region, OpenSaveDirectory.
    EXPECT_EQ(settings.Sections()[0].entries.size(), 15u);
    EXPECT_EQ(h.Setting("Region"), "USA");
}

TEST(Startup, InstallerLanguageChoosesGerman) {
    ProgramHarness h;
    h.environment["LANG"] = "de_DE.UTF-8";
    h.StartWithRegion(0);
    EXPECT_EQ(h.program->LanguageFileName(), "Deutsch-1031.lang");
    EXPECT_EQ(h.Setting("Language"), "Deutsch-1031.lang");
    EXPECT_TRUE(h.view.StandardMessages().empty());
    EXPECT_EQ(h.program->Texts().FilePath(), h.DataFolder() + "Deutsch-1031.lang");
    EXPECT_EQ(h.program->ChangeCodeTexts().FilePath(), h.program->Texts().FilePath());
}

// Settings files as they may be found: what each key reads as, and that the start survives them.
struct SettingsCase {
    const char* name;
    std::string content;
    const char* language; // chosen language file
    const char* region;   // stored region after the start ("" : the region was asked for)
};

class StartupSettings : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(StartupSettings, ReadAsExpected) {
    const SettingsCase& c = GetParam();
    ProgramHarness h;
    h.WriteSettings(c.content);
    if (std::string(c.region).empty()) {
        h.view.AnswerSelectRegion({0, DialogResult::Ok});
    }
    ProgramController& p = h.Start();
    EXPECT_EQ(p.LanguageFileName(), c.language);
    EXPECT_EQ(p.Region(), std::string(c.region).empty() ? "Europe" : c.region);
    // Whatever was there (and stays: writes merge), the file now holds the language.
    EXPECT_EQ(h.Setting("Language"), c.language);
}

std::string Utf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

std::string Binary() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>((i * 7919) % 256);
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupSettings,
    ::testing::Values(
        SettingsCase{"Stored", "[VORN Programmer v2]\nLanguage=Deutsch-1031.lang\nRegion=China\n",
                     "Deutsch-1031.lang", "China"},
        SettingsCase{"KeysInOtherCase", "[vorn programmer V2]\nlanguage=Deutsch-1031.lang\nREGION=USA\n",
                     "Deutsch-1031.lang", "USA"},
        SettingsCase{"SectionTwiceFirstWins",
                     "[VORN Programmer v2]\nLanguage=Deutsch-1031.lang\n[Other]\nRegion=USA\n"
                     "[VORN Programmer v2]\nLanguage=English-1033.lang\nRegion=Chile\n",
                     "Deutsch-1031.lang", "Chile"},
        SettingsCase{"Utf16WithByteOrderMark",
                     Utf16Le("[VORN Programmer v2]\r\nLanguage=Deutsch-1031.lang\r\nRegion=USA\r\n"),
                     "Deutsch-1031.lang", "USA"},
        SettingsCase{"Binary", Binary(), "English-1033.lang", ""},
        SettingsCase{"Huge", "[VORN Programmer v2]\nRegion=China\n" + std::string(3u << 20, 'x'),
                     "English-1033.lang", ""},
        SettingsCase{"StoredLanguageGone", "[VORN Programmer v2]\nLanguage=Klingon-9999.lang\nRegion=USA\n",
                     "English-1033.lang", "USA"},
        SettingsCase{"Empty", "", "English-1033.lang", ""}),
    test::CaseName{});

TEST(Startup, EmptyDefaultKeysAreFilledAndWrittenBack) {
    ProgramHarness h;
    h.WriteSettings(
        "[VORN Programmer v2]\nRegion=Europe\nDefaultZumiConfig=\nDefaultBodeConfig=/elsewhere/b.vorn\n");
    ProgramController& p = h.Start();
    EXPECT_EQ(p.DefaultConfigPaths().Of(0x25), h.ConfigFolder() + "Default_ZUMI.vorn");
    EXPECT_EQ(h.Setting("DefaultZumiConfig"), h.ConfigFolder() + "Default_ZUMI.vorn");
    EXPECT_EQ(h.Setting("DefaultGofaConfig"), h.ConfigFolder() + "Default_DADIDU.vorn");
    EXPECT_EQ(h.Setting("DefaultBodeConfig"), "/elsewhere/b.vorn") << "a stored path is kept as it is";
    EXPECT_TRUE(h.view.RegionDialogs().empty());
}

TEST(Startup, SettingsPathThatIsNoFileDoesNotStopTheProgram) {
    for (const char* kind : {"folder", "fifo"}) {
        SCOPED_TRACE(kind);
        ProgramHarness h;
        fs::create_directories(h.DataFolder());
        if (std::string(kind) == "folder") {
            fs::create_directory(h.SettingsPath());
        } else {
            if (!test::MakeNamedPipe(h.SettingsPath())) {
                GTEST_SKIP() << test::NoSuchThingHere;
            }
        }
        h.view.AnswerDialog(DialogResult::Ok);
        ProgramController& p = h.StartWithRegion(1);
        // Nothing could be stored, which the operator is told, but the region chosen holds for this run.
        ASSERT_EQ(h.view.Dialogs().size(), 1u);
        EXPECT_NE(h.view.Dialogs()[0].text.find("could not be stored in " + h.SettingsPath()),
                  std::string::npos);
        EXPECT_EQ(p.Region(), "China");
        EXPECT_FALSE(p.Lists().ReceiveBands.empty());
        EXPECT_FALSE(fs::is_regular_file(h.SettingsPath()));
        EXPECT_TRUE(p.mnuFileExitClick());
    }
}

// The two options, compared as whole arguments in any letter case.
struct OptionCase {
    const char* name;
    std::vector<std::string> arguments;
    bool selectNewRegion;
    bool gofaViewAll;
};

class StartupOptions : public ::testing::TestWithParam<OptionCase> {};

TEST_P(StartupOptions, ShowWhatTheyName) {
    const OptionCase& c = GetParam();
    ProgramHarness h;
    h.view.AnswerSelectRegion({0, DialogResult::Ok});
    ProgramController& p = h.Start(c.arguments);
    EXPECT_EQ(h.view.ControlVisible("mnuFileSelectNewRegion"), c.selectNewRegion);
    EXPECT_EQ(p.GofaServiceView(), c.gofaViewAll);
    for (const char* field :
         {"edtGOFA_RadioProtocol", "edtGOFA_RfidProtocol", "edtGOFA_RadioTxPower", "edtGOFA_WatchdogReset"}) {
        EXPECT_EQ(p.GetEditor().Fields().Get(field).Visible(), c.gofaViewAll) << field;
    }
    EXPECT_EQ(h.view.ControlVisible("lblGOFA_WatchdogReset"), c.gofaViewAll);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupOptions,
    ::testing::Values(
        OptionCase{"None", {}, false, false},
        OptionCase{"SelectNewRegion", {"-selectnewregion"}, true, false},
        OptionCase{"OtherCase", {"-SelectNewRegion", "-GOFAVIEWALL"}, true, true},
        OptionCase{"OrderAndStrangersIgnored", {"file.vorn", "-gofaviewall", "--x"}, false, true},
        OptionCase{"SomethingAddedDoesNothing", {"-selectnewregion=1", "-gofaviewall2"}, false, false},
        OptionCase{"WithoutDash", {"selectnewregion"}, false, false}),
    test::CaseName{});

TEST(Startup, NoLanguageFileAnywhere) {
    ProgramHarness h;
    for (const auto& entry : fs::directory_iterator(h.Install())) {
        if (entry.path().extension() == ".lang") {
            fs::remove(entry.path());
        }
    }
    // No regions to offer: OK gives no region, and nothing is stored.
    h.view.AnswerSelectRegion({-1, DialogResult::Ok});
    ProgramController& p = h.Start();
    ASSERT_EQ(h.view.StandardMessages().size(), 1u);
    EXPECT_EQ(h.view.StandardMessages()[0].icon, MessageIcon::Error);
    EXPECT_NE(h.view.StandardMessages()[0].text.find("No language files"), std::string::npos);
    EXPECT_FALSE(h.view.LanguageMenuEnabled());
    EXPECT_FALSE(fs::exists(h.SettingsPath())) << "without a language nothing is written back";
    EXPECT_TRUE(h.view.VisibleTabs().empty()) << "the device tab is made visible only with a language";
    EXPECT_EQ(p.Region(), "");
    EXPECT_EQ(h.view.Caption(), "[COMMON] 'TEXT-APPLICATION_TITLE' IS UNDEFINED");
}

TEST(Startup, InstallationFolderStandsInForTheSharedFolders) {
    // No home at all: both folders are the installation folder, and the program still starts.
    if (!test::SharedFoldersNeedAHome()) {
        GTEST_SKIP() << "Windows always names its common folders";
    }
    ProgramHarness h;
    h.environment.erase("HOME");
    h.environment.erase("XDG_DATA_HOME");
    h.environment.erase("XDG_DOCUMENTS_DIR");
    ProgramController& p = h.StartWithRegion(0);
    EXPECT_EQ(p.Folders().programData, h.Install());
    EXPECT_EQ(p.Folders().config, h.Install());
    EXPECT_EQ(p.LanguageFolder(), h.Install());
    EXPECT_TRUE(fs::is_regular_file(h.Install() + "VornProg_v2.ini"));
    EXPECT_TRUE(fs::is_regular_file(h.Install() + "Default_BODE.vorn"));
}

TEST(Startup, MissingBaseFoldersAreMadeOrReplaced) {
    // A data folder that does not exist yet is made (as the XDG rules ask); one that cannot be made,
    // because a file stands in its way, gives way to the installation folder.
    ProgramHarness h;
    h.environment["XDG_DATA_HOME"] = h.environment["VORN_PROGRAM_DATA"] = h.root.File("fresh/share");
    WriteBytes(h.root.File("blocker"), "a file");
    h.environment["XDG_DOCUMENTS_DIR"] = h.environment["VORN_DOCUMENTS"] = h.root.File("blocker/Documents");
    ProgramController& p = h.Construct();
    p.FormCreate({});
    EXPECT_EQ(p.Folders().programData, test::Native(h.root.File("fresh/share/ORSK/VORN Programmer v2/")));
    EXPECT_TRUE(fs::is_directory(p.Folders().programData));
    EXPECT_EQ(p.Folders().config, h.Install());
}

TEST(Startup, ToolReadsButChangesNothing) {
    ProgramHarness h;
    h.WriteSettings("[VORN Programmer v2]\nLanguage=Deutsch-1031.lang\nRegion=USA\n");
    fs::remove_all(h.root.File("docs"));
    const std::string before = h.SettingsText();
    ProgramController& p = h.Start({}, RunMode::Tool);
    EXPECT_EQ(p.LanguageFileName(), "Deutsch-1031.lang");
    EXPECT_EQ(p.LanguageFolder(), h.Install()) << "no files copied: the installation's are read";
    EXPECT_EQ(p.Region(), "USA");
    EXPECT_FALSE(p.Lists().ReceiveBands.empty());
    EXPECT_TRUE(p.mnuFileExitClick());
    EXPECT_EQ(h.SettingsText(), before);
    EXPECT_FALSE(fs::exists(h.root.File("docs")));
    EXPECT_FALSE(fs::exists(h.DataFolder() + "English-1033.lang"));
}

} // namespace
} // namespace vorn
