#include "files/ProgramFolders.h"

#include "support/TempDir.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

TEST(ProgramFolders, SharedFolderIsMadeBelowAnExistingBase) {
    TempDir dir;
    const std::string install = dir.File("install/");
    const std::string base = dir.Path() + "/";
    EXPECT_EQ(ResolveSharedFolder(base, "ORSK/VORN v2 Config/", install, FolderCreation::Create),
              base + "ORSK/VORN v2 Config/");
    EXPECT_TRUE(fs::is_directory(base + "ORSK/VORN v2 Config/"));
    // Already there: the same folder.
    EXPECT_EQ(ResolveSharedFolder(base, "ORSK/VORN v2 Config/", install, FolderCreation::Create),
              base + "ORSK/VORN v2 Config/");
}

TEST(ProgramFolders, FallsBackToTheInstallationFolder) {
    TempDir dir;
    const std::string install = dir.File("install/");
    test::WriteBytes(dir.File("file"), "x");
    struct Case {
        std::string base;
        FolderCreation creation;
        std::string result;
    };
    for (const Case& c :
         {Case{"", FolderCreation::Create, install},
          Case{dir.File("file/under/"), FolderCreation::Create, install},
          Case{dir.File("absent/"), FolderCreation::PathsOnly, install},
          Case{dir.File("made/deep/"), FolderCreation::Create, dir.File("made/deep/ORSK/Sub/")}}) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(ResolveSharedFolder(c.base, "ORSK/Sub/", install, c.creation), c.result);
    }
    EXPECT_FALSE(fs::exists(dir.File("absent"))) << "paths only: nothing made";
}

TEST(ProgramFolders, SubFolderThatCannotBeMadeIsStillTheResult) {
    TempDir dir;
    // "ORSK" is a file: the folder cannot be made, later reads find nothing and writes fail there.
    test::WriteBytes(dir.File("ORSK"), "in the way");
    EXPECT_EQ(
        ResolveSharedFolder(dir.Path() + "/", "ORSK/Sub/", dir.File("install/"), FolderCreation::Create),
        dir.Path() + "/ORSK/Sub/");
}

TEST(ProgramFolders, FromTheEnvironment) {
    TempDir dir;
    std::map<std::string, std::string> environment{{"XDG_DATA_HOME", dir.File("data")},
                                                   {"XDG_DOCUMENTS_DIR", dir.File("docs")},
                                                   {"VORN_INSTALL_DIR", dir.File("install")}};
    const EnvironmentLookup lookup = [&](const char* name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        return found == environment.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    const ProgramFolders folders = ResolveProgramFolders(lookup, "/nowhere/bin/x", FolderCreation::Create);
    EXPECT_EQ(folders.installation, dir.File("install/"));
    EXPECT_EQ(folders.programData, dir.File("data/ORSK/VORN Programmer v2/"));
    EXPECT_EQ(folders.config, dir.File("docs/ORSK/VORN v2 Config/"));
    EXPECT_TRUE(fs::is_directory(folders.programData));
    EXPECT_TRUE(fs::is_directory(folders.config));
}

} // namespace
} // namespace vorn
