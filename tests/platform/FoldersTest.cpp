#include "platform/Folders.h"

#include "support/Paths.h"
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

TEST(Folders, InstallationFolder) {
    test::TempDir root;
    std::filesystem::create_directories(root.File("bin"));
    const std::string exe = root.File("bin/vorn-programmer");
    EXPECT_EQ(InstallationFolder(exe, Environment({})), test::Native(root.Path() + "/bin/"));
    std::filesystem::create_directories(root.File("share/vorn-programmer"));
    EXPECT_EQ(InstallationFolder(exe, Environment({})),
              test::Native(root.Path() + "/bin/../share/vorn-programmer/"));
    EXPECT_EQ(InstallationFolder(exe, Environment({{"VORN_INSTALL_DIR", "/opt/vorn"}})),
              test::Native("/opt/vorn/"));
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
