#include "platform/Folders.h"
#include "support/TempDir.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

// The XDG folders, where POSIX desktops keep data and documents.
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

} // namespace
} // namespace vorn
