#include "lang/LanguageController.h"
#include "lang/TextFormat.h"
#include "model/FieldModel.h"
#include "platform/Registry.h"
#include "support/CaseName.h"
#include "support/Paths.h"
#include "support/ScriptedOperator.h"
#include "support/TempDir.h"

#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

namespace vorn {
namespace {

struct StartupCase {
    const char* name;
    std::vector<std::string> files;
    const char* stored;
    std::optional<std::string> installCode; // nullopt: the installer code must not be asked for
    const char* chosen;
    const char* infoBoxLanguage; // nullptr: no box
};

class StartupChoice : public ::testing::TestWithParam<StartupCase> {};

TEST_P(StartupChoice, ChoosesAndReports) {
    const auto& c = GetParam();
    test::TempDir dir;
    for (const auto& file : c.files) {
        test::WriteBytes(dir.File(file), "[COMMON]\n");
    }
    ListIni reader;
    CodeLists lists;
    FieldModel fields;
    test::ScriptedOperator view;
    LanguageController controller(reader, lists, fields, view, view);
    std::vector<std::string> stored;
    controller.SetHooks({.storeLanguage = [&](const std::string& name) { stored.push_back(name); }});
    bool asked = false;
    const auto result = controller.ChooseAtStartup(dir.Path(), c.stored, [&] {
        asked = true;
        return c.installCode.value_or("");
    });

    EXPECT_TRUE(result.filesFound);
    EXPECT_EQ(controller.LanguageFileName(), c.chosen);
    EXPECT_EQ(controller.LanguageFilePath(), test::Native(dir.Path() + "/" + c.chosen));
    EXPECT_EQ(asked, c.installCode.has_value());
    EXPECT_EQ(stored, std::vector<std::string>{c.chosen}) << "the choice is stored as \"Language\"";
    if (c.infoBoxLanguage == nullptr) {
        EXPECT_TRUE(view.StandardMessages().empty());
        EXPECT_FALSE(result.fallback);
    } else {
        ASSERT_EQ(view.StandardMessages().size(), 1u);
        EXPECT_EQ(view.StandardMessages()[0].icon, MessageIcon::Information);
        EXPECT_EQ(
            view.StandardMessages()[0].text,
            std::string("The install language was not found.\n\rVORN Family Programmer will start in '") +
                c.infoBoxLanguage + "'.\n\rClick File-Language to select other language(s).");
        EXPECT_TRUE(result.fallback);
    }
    EXPECT_TRUE(view.LanguageMenuEnabled());
    ASSERT_EQ(view.LanguageMenu().size(), c.files.size());
    ASSERT_GE(view.CheckedLanguageTag(), 0);
    EXPECT_EQ(controller.LanguageFiles()[static_cast<std::size_t>(view.CheckedLanguageTag())], c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupChoice,
    ::testing::Values(StartupCase{"InstallerGerman",
                                  {"Deutsch-1031.lang", "English-1033.lang"},
                                  "",
                                  "1031",
                                  "Deutsch-1031.lang",
                                  nullptr},
                      StartupCase{"InstallerNorwegianFallsBackToEnglish",
                                  {"Deutsch-1031.lang", "English-1033.lang"},
                                  "",
                                  "1044",
                                  "English-1033.lang",
                                  "English"},
                      StartupCase{"StoredGoneFallsBackToFirst",
                                  {"Norsk-1044.lang"},
                                  "English-1033.lang",
                                  std::nullopt,
                                  "Norsk-1044.lang",
                                  "Norsk"},
                      StartupCase{"StoredWinsWithoutAskingTheInstaller",
                                  {"Deutsch-1031.lang", "English-1033.lang"},
                                  "Deutsch-1031.lang",
                                  std::nullopt,
                                  "Deutsch-1031.lang",
                                  nullptr},
                      StartupCase{"StoredInOtherCaseOpensTheListedFile",
                                  {"Deutsch-1031.lang", "English-1033.lang"},
                                  "deutsch-1031.lang",
                                  std::nullopt,
                                  "Deutsch-1031.lang",
                                  nullptr},
                      StartupCase{"InstallerCodeOfThreeCharactersIgnored",
                                  {"Deutsch-1031.lang", "English-1033.lang", "X-103.lang"},
                                  "",
                                  "103",
                                  "English-1033.lang",
                                  "English"},
                      StartupCase{"InstallerCodeOfSixCharactersIgnored",
                                  {"Deutsch-1031.lang", "English-1033.lang", "Y-103100.lang"},
                                  "",
                                  "103100",
                                  "English-1033.lang",
                                  "English"},
                      StartupCase{"InstallerCodeOfFiveCharacters",
                                  {"English-1033.lang", "Espanol-13322.lang"},
                                  "",
                                  "13322",
                                  "Espanol-13322.lang",
                                  nullptr},
                      StartupCase{"NoInstallerCode",
                                  {"Deutsch-1031.lang", "English-1033.lang"},
                                  "",
                                  "",
                                  "English-1033.lang",
                                  "English"}),
    test::CaseName{});

// A first start without a stored language follows the user's locale to the installed file of its
// language, for its own country or another; a script it does not read falls back to English.
TEST(LanguageStartupTest, LocaleChoosesAnInstalledFileOfItsLanguage) {
    struct Case {
        const char* locale;
        const char* language;
        bool fallback;
    };
    for (const Case c : {Case{"es_CL.UTF-8", "Español", false}, Case{"es_ES.UTF-8", "Español", false},
                         Case{"es_MX", "Español", false}, Case{"fr_FR.UTF-8", "Français", false},
                         Case{"fr_BE.UTF-8", "Français", false}, Case{"zh_CN.UTF-8", "简体中文", false},
                         Case{"zh_TW.UTF-8", "English", true}, Case{"de_AT.UTF-8", "Deutsch", false},
                         Case{"en_GB.UTF-8", "English", false}, Case{"pt_BR.UTF-8", "English", true}}) {
        ListIni reader;
        CodeLists lists;
        FieldModel fields;
        test::ScriptedOperator view;
        LanguageController controller(reader, lists, fields, view, view);
        const Registry registry = Registry::FromText("[Software\\ORSK\\VORN Programmer v2]\n");
        const auto result = controller.ChooseAtStartup(test::DataFolder(), "", [&] {
            return InstallLanguageCode(registry, [&](const char* name) {
                return std::string_view(name) == "LANG" ? std::optional<std::string>(c.locale) : std::nullopt;
            });
        });
        EXPECT_EQ(LanguageDisplayName(controller.LanguageFileName()), c.language) << c.locale;
        EXPECT_EQ(result.fallback, c.fallback) << c.locale;
    }
}

TEST(LanguageStartupTest, NoLanguageFiles) {
    test::TempDir dir;
    test::WriteBytes(dir.File("notes.txt"), "");
    ListIni reader;
    CodeLists lists;
    FieldModel fields;
    test::ScriptedOperator view;
    LanguageController controller(reader, lists, fields, view, view);
    bool stored = false;
    controller.SetHooks({.storeLanguage = [&](const std::string&) { stored = true; }});
    const auto result = controller.ChooseAtStartup(dir.Path(), "English-1033.lang", [] { return "1033"; });

    EXPECT_FALSE(result.filesFound);
    EXPECT_FALSE(stored) << "nothing is written back without language files";
    EXPECT_EQ(controller.LanguageFileName(), "");
    ASSERT_EQ(view.StandardMessages().size(), 1u);
    EXPECT_EQ(view.StandardMessages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(view.StandardMessages()[0].text,
              "No language files (*.lang) was found in COMMON APPDATA folder.\n\r"
              "Try re-install VORN programmer v2 or contact ORSK Electronics.");
    EXPECT_FALSE(view.LanguageMenuEnabled());
    EXPECT_TRUE(view.LanguageMenu().empty());

    // The program goes on with every text undefined.
    controller.ApplyAtFirstShow();
    EXPECT_EQ(view.ControlTextOf("mnuFile", ControlProperty::Caption), "[MENU] 'FILE' IS UNDEFINED");
}

TEST(LanguageStartupTest, ShippedFilesAreLaidDownAndUpgradedButEditsKept) {
    test::TempDir install;
    test::TempDir data;
    test::WriteBytes(install.File("English-1033.lang"), "[COMMON]\nBUTTON-OK=OK\n");
    test::WriteBytes(install.File("Deutsch-1031.lang"), "[COMMON]\nBUTTON-OK=OK\n");
    test::WriteBytes(install.File("Registry.ini"), "");
    EXPECT_EQ(CopyShippedLanguageFiles(install.Path(), data.Path()), 2);
    EXPECT_EQ(test::ReadBytes(data.File("English-1033.lang")), "[COMMON]\nBUTTON-OK=OK\n");
    EXPECT_FALSE(std::filesystem::exists(data.File("Registry.ini")));
    EXPECT_EQ(CopyShippedLanguageFiles(install.Path(), data.Path()), 0) << "nothing new, nothing copied";

    // An upgrade: German gains a text, a language is added, and the user has edited English.
    test::WriteBytes(data.File("English-1033.lang"), "[COMMON]\nBUTTON-OK=Edited\n");
    test::WriteBytes(data.File("Own-9999.lang"), "[COMMON]\nBUTTON-OK=Mine\n");
    test::WriteBytes(install.File("English-1033.lang"), "[COMMON]\nBUTTON-OK=OK\nBUTTON-NO=No\n");
    test::WriteBytes(install.File("Deutsch-1031.lang"), "[COMMON]\nBUTTON-OK=OK\nBUTTON-NO=Nein\n");
    test::WriteBytes(install.File("Français-1036.lang"), "[COMMON]\nBUTTON-OK=OK\n");
    EXPECT_EQ(CopyShippedLanguageFiles(install.Path(), data.Path()), 2);
    EXPECT_EQ(test::ReadBytes(data.File("Deutsch-1031.lang")), "[COMMON]\nBUTTON-OK=OK\nBUTTON-NO=Nein\n");
    EXPECT_TRUE(std::filesystem::exists(data.File("Français-1036.lang")));
    EXPECT_EQ(test::ReadBytes(data.File("English-1033.lang")), "[COMMON]\nBUTTON-OK=Edited\n");
    EXPECT_EQ(test::ReadBytes(data.File("Own-9999.lang")), "[COMMON]\nBUTTON-OK=Mine\n");

    // Copies laid down before the record existed are the installation's: an upgrade replaces them.
    std::filesystem::remove(data.File(std::string(ShippedLanguagesStamp)));
    EXPECT_EQ(CopyShippedLanguageFiles(install.Path(), data.Path()), 1);
    EXPECT_EQ(test::ReadBytes(data.File("English-1033.lang")), "[COMMON]\nBUTTON-OK=OK\nBUTTON-NO=No\n");
}

TEST(LanguageStartupTest, MenuItemsNameTagAndCheck) {
    const std::vector<std::string> files{"Deutsch-1031.lang", "English-1033.lang", "X.lang"};
    const auto items = LanguageMenuItems(files, "English-1033.lang");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], (LanguageMenuItem{"Language_0", "Deutsch", 0, false}));
    EXPECT_EQ(items[1], (LanguageMenuItem{"Language_1", "English", 1, true}));
    EXPECT_EQ(items[2], (LanguageMenuItem{"Language_2", "X", 2, false}));
    EXPECT_FALSE(LanguageMenuItems(files, "english-1033.lang")[1].checked) << "checked compares exactly";
}

} // namespace
} // namespace vorn
