#include "files/RecentFiles.h"

#include "files/SettingsFile.h"
#include "support/TempDir.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using Paths = std::vector<std::string>;

// The list keeps paths in the system's own form (back slashes on Windows).
Paths Native(const Paths& paths) {
    Paths out;
    for (const std::string& path : paths) {
        out.push_back(std::filesystem::path(path).lexically_normal().string());
    }
    return out;
}

// Newest first, each file once however its path is written, eight at most, kept in the settings file
// and read again before each change (another program may have added one meanwhile).
TEST(RecentFiles, KeepsTheLastEightNewestFirstOnceEachInTheSettingsFile) {
    test::TempDir dir;
    SettingsFile settings;
    settings.Open(dir.File("VornProg_v2.ini"), SettingsFile::Access::ReadWrite);
    RecentFiles recent;
    for (int i = 1; i <= 9; ++i) {
        ASSERT_TRUE(recent.Add(settings, "/c/f" + std::to_string(i) + ".vorn"));
    }
    ASSERT_TRUE(recent.Add(settings, "/c//./f5.vorn"));
    const Paths expected = Native({"/c/f5.vorn", "/c/f9.vorn", "/c/f8.vorn", "/c/f7.vorn", "/c/f6.vorn",
                                   "/c/f4.vorn", "/c/f3.vorn", "/c/f2.vorn"});
    EXPECT_EQ(recent.Paths(), expected);

    SettingsFile other; // the other program
    other.Open(settings.Path(), SettingsFile::Access::ReadWrite);
    RecentFiles otherRecent;
    ASSERT_TRUE(otherRecent.Add(other, "/c/f1.vorn"));
    ASSERT_TRUE(recent.Remove(settings, "/c/f9.vorn")); // one that has gone
    SettingsFile reread;
    reread.Open(settings.Path(), SettingsFile::Access::ReadOnly);
    RecentFiles next;
    next.Load(reread);
    EXPECT_EQ(next.Paths(), Native({"/c/f1.vorn", "/c/f5.vorn", "/c/f8.vorn", "/c/f7.vorn", "/c/f6.vorn",
                                    "/c/f4.vorn", "/c/f3.vorn"}));
    EXPECT_EQ(next.MenuCaptions("/c")[1], "&2 " + Native({"~/f5.vorn"})[0]);
}

} // namespace
} // namespace vorn
