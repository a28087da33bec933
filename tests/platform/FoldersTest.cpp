#include "platform/Folders.h"

#include "support/TempDir.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

namespace vorn {
namespace {

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    };
}

TEST(Folders, DataAndDocumentFolders) {
    struct Case {
        std::map<std::string, std::string> environment;
        std::string programData;
        std::string config;
    };
    const Case cases[] = {
        {{{"HOME", "/home/ana"}},
         "/home/ana/.local/share/ORSK/VORN Programmer v2/",
         "/home/ana/Documents/ORSK/VORN v2 Config/"},
        {{{"HOME", "/home/ana/"}, {"XDG_DATA_HOME", "/data"}, {"XDG_DOCUMENTS_DIR", "/docs"}},
         "/data/ORSK/VORN Programmer v2/",
         "/docs/ORSK/VORN v2 Config/"},
        {{{"HOME", "/h"}, {"XDG_DATA_HOME", "relative"}},
         "/h/.local/share/ORSK/VORN Programmer v2/",
         "/h/Documents/ORSK/VORN v2 Config/"},
        {{}, "", ""},
    };
    for (const Case& c : cases) {
        const auto env = Environment(c.environment);
        EXPECT_EQ(ProgramDataFolder(env), c.programData);
        EXPECT_EQ(ConfigFolder(env), c.config);
    }
}

TEST(Folders, DocumentsFromUserDirs) {
    test::TempDir home;
    std::filesystem::create_directories(home.File(".config"));
    test::WriteBytes(home.File(".config/user-dirs.dirs"),
                     "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                     "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(DocumentsBaseFolder(Environment({{"HOME", home.Path()}})), home.Path() + "/Dokumente/");
}

TEST(Folders, InstallationFolder) {
    test::TempDir root;
    std::filesystem::create_directories(root.File("bin"));
    const std::string exe = root.File("bin/vorn-programmer");
    EXPECT_EQ(InstallationFolder(exe, Environment({})), root.Path() + "/bin/");
    std::filesystem::create_directories(root.File("share/vorn-programmer"));
    EXPECT_EQ(InstallationFolder(exe, Environment({})), root.Path() + "/bin/../share/vorn-programmer/");
    EXPECT_EQ(InstallationFolder(exe, Environment({{"VORN_INSTALL_DIR", "/opt/vorn"}})), "/opt/vorn/");
}

TEST(Folders, PathParts) {
    EXPECT_EQ(FolderOfPath("/a/b/c.vorn"), "/a/b/");
    EXPECT_EQ(FileNameOfPath("/a/b/c.vorn"), "c.vorn");
    EXPECT_EQ(FolderOfPath("c.vorn"), "");
    EXPECT_EQ(FileNameOfPath("c.vorn"), "c.vorn");
}

TEST(Folders, DecimalSeparatorOfTheNumericLocale) {
    struct Case {
        std::map<std::string, std::string> environment;
        char32_t separator;
    };
    const Case cases[] = {
        {{{"LANG", "de_DE.UTF-8"}}, ','},
        {{{"LANG", "en_US.UTF-8"}}, '.'},
        {{{"LANG", "en_US.UTF-8"}, {"LC_NUMERIC", "fr_FR.UTF-8"}}, ','},
        {{{"LC_ALL", "C"}, {"LC_NUMERIC", "de_DE"}}, '.'},
        {{{"LANG", "sv"}}, ','},
        {{}, '.'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecimalSeparatorOfLocale(Environment(c.environment)), c.separator);
    }
}

} // namespace
} // namespace vorn
