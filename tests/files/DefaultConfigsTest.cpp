#include "files/DefaultConfigs.h"

#include "files/SettingsFile.h"
#include "support/CaseName.h"
#include "support/FileFaults.h"
#include "support/TempDir.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Sources of a copy and whether it succeeds; the destination holds "old" before.
struct CopyCase {
    const char* name;
    const char* source; // "missing", "folder", "fifo", or the bytes of a file
    bool copied;
};

class CopyFile : public ::testing::TestWithParam<CopyCase> {};

TEST_P(CopyFile, CopiesWholeOrLeavesTheDestination) {
    const CopyCase& c = GetParam();
    TempDir dir;
    const std::string source = dir.File("source");
    const std::string destination = dir.File("destination");
    WriteBytes(destination, "old");
    const std::string kind = c.source;
    std::string bytes;
    if (kind == "folder") {
        fs::create_directory(source);
    } else if (kind == "fifo") {
        if (!test::MakeNamedPipe(source)) {
            GTEST_SKIP() << test::NoSuchThingHere;
        }
    } else if (kind == "huge") {
        bytes = std::string(MaxCopyBytes + 1, 'x');
        WriteBytes(source, bytes);
    } else if (kind != "missing") {
        bytes = kind == "image"   ? std::string(256, '\x24')
                : kind == "empty" ? std::string()
                                  : std::string(1024, 'k');
        WriteBytes(source, bytes);
    }
    EXPECT_EQ(CopyFile256(source, destination), c.copied);
    EXPECT_EQ(ReadBytes(destination), c.copied ? bytes : "old");
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyFile,
                         ::testing::Values(CopyCase{"Image", "image", true},
                                           CopyCase{"Kilobyte", "kilobyte", true},
                                           CopyCase{"Empty", "empty", true},
                                           CopyCase{"Missing", "missing", false},
                                           CopyCase{"Folder", "folder", false},
                                           CopyCase{"Fifo", "fifo", false}, CopyCase{"Huge", "huge", false}),
                         test::CaseName{});

TEST(CopyFile, DestinationThatCannotBeWritten) {
    TempDir dir;
    WriteBytes(dir.File("source"), std::string(256, 'a'));
    EXPECT_FALSE(CopyFile256(dir.File("source"), dir.File("no/such/folder/x.vorn")));
    // A path through a regular file fails for root too.
    WriteBytes(dir.File("file"), "x");
    EXPECT_FALSE(CopyFile256(dir.File("source"), dir.File("file/x.vorn")));
}

TEST(DefaultPaths, ResetWritesTheTwelveKeysInTheirOrder) {
    TempDir dir;
    SettingsFile settings;
    settings.Open(dir.File("s.ini"), SettingsFile::Access::ReadWrite);
    DefaultPaths paths;
    paths.Reset("/d/");
    paths.WriteAll(settings);
    EXPECT_EQ(ReadBytes(dir.File("s.ini")), "[VORN Programmer v2]\n"
                                            "DefaultTarvConfig=/d/Default_TARV.vorn\n"
                                            "DefaultBodeConfig=/d/Default_BODE.vorn\n"
                                            "DefaultZumiConfig=/d/Default_ZUMI.vorn\n"
                                            "DefaultBodeZumiConfig=/d/Default_BODE+ZUMI.vorn\n"
                                            "DefaultGlimConfig=/d/Default_GLIM.vorn\n"
                                            "DefaultBodeGlimConfig=/d/Default_BODE+GLIM.vorn\n"
                                            "DefaultPlomConfig=/d/Default_PLOM.vorn\n"
                                            "Default3BodeConfig=/d/Default_3BODE.vorn\n"
                                            "Default3BodeZumiConfig=/d/Default_3BODE+ZUMI.vorn\n"
                                            "DefaultHeskConfig=/d/Default_HESK.vorn\n"
                                            "DefaultHeskZumiConfig=/d/Default_HESK+ZUMI.vorn\n"
                                            "DefaultGofaConfig=/d/Default_DADIDU.vorn\n");
}

} // namespace
} // namespace vorn
