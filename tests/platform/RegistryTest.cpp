#include "platform/Registry.h"

#include "support/TempDir.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

namespace vorn {
namespace {

constexpr const char* SmallRegistry =
    "; laid down by the installation\r\n"
    "[Software\\ORSK\\VORN Programmer v2]\r\n"
    "Install Language Code = 1031\r\n"
    "[Software\\ORSK\\VORN Programmer v2\\Regions\\Europe\\RxFrequencyBands\\]\r\n"
    "1=869.2125 MHz\r\n"
    "8=868.2125 MHz\r\n"
    "2=868.7125 MHz\r\n"
    "[Software\\ORSK\\VORN Programmer v2\\Regions\\Empty\\TxFrequencyBands]\r\n";

TEST(RegistryTest, KeysByPathValueNamesInFileOrder) {
    test::TempDir dir;
    test::WriteBytes(dir.File("Registry.ini"), SmallRegistry);
    const Registry registry = Registry::Load(dir.File("Registry.ini"));

    const std::string europe = "Software\\ORSK\\VORN Programmer v2\\Regions\\Europe\\RxFrequencyBands\\";
    ASSERT_TRUE(registry.ValueNames(europe));
    EXPECT_EQ(*registry.ValueNames(europe),
              (std::vector<std::string>{"1=869.2125 MHz", "8=868.2125 MHz", "2=868.7125 MHz"}));
    // Letter case and the trailing "\" do not matter, as in the registry.
    EXPECT_EQ(registry.ValueNames("software\\orsk\\vorn programmer v2\\regions\\europe\\rxfrequencybands"),
              registry.ValueNames(europe));

    const auto empty =
        registry.ValueNames("Software\\ORSK\\VORN Programmer v2\\Regions\\Empty\\TxFrequencyBands\\");
    ASSERT_TRUE(empty) << "an existing key without values";
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(
        registry.ValueNames("Software\\ORSK\\VORN Programmer v2\\Regions\\Europe\\TxFrequencyBands\\"));
    EXPECT_FALSE(registry.HasKey("Software\\ORSK\\VORN Programmer v2\\Regions\\Chile\\"));
    EXPECT_TRUE(registry.HasKey(ProgramRegistryKey));

    EXPECT_EQ(registry.Value(ProgramRegistryKey, "install language code"), "1031");
    EXPECT_FALSE(registry.Value(ProgramRegistryKey, "Other"));
    EXPECT_FALSE(registry.Value("Software\\Missing\\", InstallLanguageValue));
}

// A registry file that gives no keys says why, so the band lists' absence can be reported as what it is.
TEST(RegistryTest, FileWithoutKeysSaysWhy) {
    struct Case {
        const char* name;
        const char* content; // nullptr: no file; "<folder>": a folder in its place
        FileError error;
        const char* problem;
    };
    const Case cases[] = {
        {"Missing", nullptr, FileError::NoSuchFile, "no such file"},
        {"Folder", "<folder>", FileError::IsDirectory, "is a directory"},
        {"Empty", "", FileError::None, "the file holds no keys"},
        {"OnlyComments", "; nothing here\r\n\r\n", FileError::None, "the file holds no keys"},
        {"NoSectionHeader", "1=869.2125 MHz\n", FileError::None, "the file holds no keys"},
        {"OneKey", "[Software\\ORSK]\n", FileError::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir.File("Registry.ini");
        if (c.content != nullptr && std::string(c.content) == "<folder>") {
            std::filesystem::create_directory(path);
        } else if (c.content != nullptr) {
            test::WriteBytes(path, c.content);
        }
        const Registry registry = Registry::Load(path);
        EXPECT_EQ(registry.Path(), path);
        EXPECT_EQ(registry.LoadError(), c.error);
        EXPECT_EQ(registry.Empty(), std::string(c.problem) != "");
        EXPECT_EQ(registry.Problem(), c.problem);
        EXPECT_EQ(registry.HasKey(ProgramRegistryKey), false);
    }
}

struct InstallCase {
    const char* name;
    const char* registry;
    std::map<std::string, std::string> environment;
    const char* expected;
};

TEST(RegistryTest, InstallLanguageCodeFromRegistryElseLocale) {
    const InstallCase cases[] = {
        {"RegistryWins",
         "[Software\\ORSK\\VORN Programmer v2]\nInstall Language Code=1044\n",
         {{"LANG", "de_DE.UTF-8"}},
         "1044"},
        {"NoValueUsesLocale",
         "[Software\\ORSK\\VORN Programmer v2]\nOther=1\n",
         {{"LANG", "de_DE.UTF-8"}},
         "1031"},
        {"EmptyValueUsesLocale",
         "[Software\\ORSK\\VORN Programmer v2]\nInstall Language Code=\n",
         {{"LANG", "en_US"}},
         "1033"},
        {"NoRegistryUsesLocale", "", {{"LC_ALL", "sv_SE.UTF-8"}, {"LANG", "de_DE"}}, "1053"},
        {"UnknownLocale", "", {{"LANG", "C.UTF-8"}}, ""},
        {"NoLocale", "", {}, ""},
    };
    for (const auto& c : cases) {
        const Registry registry = Registry::FromText(c.registry);
        const auto environment = [&](const char* name) -> std::optional<std::string> {
            const auto found = c.environment.find(name);
            if (found == c.environment.end()) {
                return std::nullopt;
            }
            return found->second;
        };
        EXPECT_EQ(InstallLanguageCode(registry, environment), c.expected) << c.name;
    }
}

TEST(LocaleTest, LanguageCodeOfLocale) {
    struct Case {
        const char* locale;
        std::optional<int> code;
    };
    for (const Case c :
         {Case{"de_DE", 1031}, Case{"de_DE.UTF-8", 1031}, Case{"de_AT.utf8@euro", 3079}, Case{"de-CH", 2055},
          Case{"de_BE", 1031}, Case{"de", 1031}, Case{"en_US", 1033}, Case{"en_GB.UTF-8", 2057},
          Case{"EN_us", 1033}, Case{"nb_NO.UTF-8", 1044}, Case{"sv_SE", 1053}, Case{"es_CL", 13322},
          Case{"zh_CN.GB18030", 2052}, Case{"C", std::nullopt}, Case{"POSIX", std::nullopt},
          Case{"C.UTF-8", std::nullopt}, Case{"xx_YY", std::nullopt}, Case{"", std::nullopt}}) {
        EXPECT_EQ(LanguageCodeOfLocale(c.locale), c.code) << c.locale;
    }
}

TEST(LocaleTest, MessagesLocaleTakesTheFirstSetVariable) {
    struct Case {
        std::map<std::string, std::string> environment;
        const char* expected;
    };
    const Case cases[] = {
        {{{"LC_ALL", "fr_FR"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "en_US"}}, "fr_FR"},
        {{{"LC_ALL", ""}, {"LC_MESSAGES", "de_DE"}, {"LANG", "en_US"}}, "de_DE"},
        {{{"LANG", "en_US"}}, "en_US"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        const auto environment = [&](const char* name) -> std::optional<std::string> {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
        EXPECT_EQ(UserMessagesLocale(environment), c.expected);
    }
}

} // namespace
} // namespace vorn
