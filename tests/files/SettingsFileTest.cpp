#include "files/SettingsFile.h"

#include "support/FileFaults.h"
#include "support/TempDir.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(SettingsFile, EveryWriteReachesTheFileAtOnce) {
    TempDir dir;
    const std::string path = dir.File("VornProg_v2.ini");
    SettingsFile settings;
    settings.Open(path, SettingsFile::Access::ReadWrite);
    EXPECT_EQ(settings.Read("Language"), "");
    EXPECT_TRUE(settings.Write("Language", "English-1033.lang"));
    EXPECT_EQ(ReadBytes(path), "[VORN Programmer v2]\nLanguage=English-1033.lang\n");
    EXPECT_TRUE(settings.Write("Region", "USA"));
    EXPECT_TRUE(settings.Write("language", "Deutsch-1031.lang")) << "keys match in any letter case";
    EXPECT_EQ(ReadBytes(path), "[VORN Programmer v2]\nLanguage=Deutsch-1031.lang\nRegion=USA\n");

    SettingsFile again;
    again.Open(path, SettingsFile::Access::ReadOnly);
    EXPECT_EQ(again.Read("REGION"), "USA");
}

TEST(SettingsFile, EveryWriteMergesIntoTheFileAsItIsThen) {
    TempDir dir;
    const std::string path = dir.File("s.ini");
    const std::string before =
        "; comment\r\n[VORN Programmer v2]\r\n  Custom = kept value \r\nRegion=China\r\n"
        "[Other]\r\nRegion=Nowhere\r\n[VORN Programmer v2]\r\nRegion=USA\r\nLine without equals\r\n";
    WriteBytes(path, before);
    SettingsFile window;
    window.Open(path, SettingsFile::Access::ReadWrite);
    EXPECT_EQ(window.Read("Custom"), "kept value");
    EXPECT_EQ(window.Read("Region"), "China");
    // Another program (vornctl region) stores a region while the window runs.
    SettingsFile tool;
    tool.Open(path, SettingsFile::Access::ReadWrite);
    EXPECT_TRUE(tool.Write("region", "Chile"));
    // The window's next write keeps it, and every line it does not write.
    EXPECT_TRUE(window.Write("Language", "X.lang"));
    std::string after = before;
    after.replace(after.find("Region=China\r\n"), 14, "Region=Chile\r\nLanguage=X.lang\r\n");
    EXPECT_EQ(ReadBytes(path), after);
    EXPECT_EQ(window.Read("Region"), "Chile");
}

TEST(SettingsFile, ValueWithALineBreakIsRefused) {
    TempDir dir;
    const std::string path = dir.File("s.ini");
    SettingsFile settings;
    settings.Open(path, SettingsFile::Access::ReadWrite);
    settings.Write("Region", "Europe");
    // A path that would inject a line of its own.
    EXPECT_FALSE(settings.Write("OpenSaveDirectory", "/tmp/a\nRegion=Evil/"));
    EXPECT_EQ(settings.Read("OpenSaveDirectory"), "");
    EXPECT_EQ(ReadBytes(path), "[VORN Programmer v2]\nRegion=Europe\n");
}

TEST(SettingsFile, ReadOnlyChangesOnlyMemory) {
    TempDir dir;
    const std::string path = dir.File("s.ini");
    WriteBytes(path, "[VORN Programmer v2]\nRegion=China\n");
    SettingsFile settings;
    settings.Open(path, SettingsFile::Access::ReadOnly);
    EXPECT_FALSE(settings.Write("Region", "USA"));
    EXPECT_EQ(settings.Read("Region"), "USA");
    EXPECT_EQ(ReadBytes(path), "[VORN Programmer v2]\nRegion=China\n");
}

TEST(SettingsFile, WriteThatFailsHalfWayLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string path = dir.File("s.ini");
    const std::string old = "[VORN Programmer v2]\nRegion=China\n";
    WriteBytes(path, old);
    SettingsFile settings;
    settings.Open(path, SettingsFile::Access::ReadWrite);
    bool written = true;
    {
        const test::FileSizeLimit limit(40);
        if (!limit.Active()) {
            GTEST_SKIP() << test::NoSuchThingHere;
        }
        written = settings.Write("Language", "A-very-long-language-file-name-1033.lang");
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()),
        1);
}

} // namespace
} // namespace vorn
