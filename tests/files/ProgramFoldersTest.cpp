#include "files/ProgramFolders.h"

#include "support/TempDir.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

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

} // namespace
} // namespace vorn
