#include "files/SettingsFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

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

} // namespace
} // namespace vorn
