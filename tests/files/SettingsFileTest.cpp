#include "files/SettingsFile.h"

#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Another user's link in a folder of another user is never written through (the other reasons a
// settings file cannot be written reach vornctl region's message, tested there).
TEST(SettingsFile, APlantedLinkIsNotFollowed) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can give a link and a folder to another user here";
    }
    TempDir dir;
    const std::string folder = dir.File("shared");
    std::filesystem::create_directory(folder);
    WriteBytes(dir.File("victim"), "mine");
    const std::string path = folder + "/VornProg_v2.ini";
    std::filesystem::create_symlink(dir.File("victim"), path);
    ASSERT_EQ(::lchown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    SettingsFile settings;
    settings.Open(path, SettingsFile::Access::ReadWrite);
    EXPECT_FALSE(settings.Write("Region", "USA"));
    EXPECT_EQ(settings.LastWriteError(), FileError::UnsafeLink);
    EXPECT_EQ(ReadBytes(dir.File("victim")), "mine");
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
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 40;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = settings.Write("Language", "A-very-long-language-file-name-1033.lang");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()),
        1);
}

} // namespace
} // namespace vorn
