#include "model/ProgData.h"

#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/FileFaults.h"
#include "support/TempDir.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<Block> AllBlocks(ProgData& data, ByteState state) {
    std::vector<Block> blocks;
    for (auto block = data.FirstBlock(state); block; block = data.NextBlock(state)) {
        blocks.push_back(*block);
    }
    return blocks;
}

std::string Pattern(std::size_t size, int seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + static_cast<std::size_t>(seed)) & 0xFF);
    }
    return bytes;
}

TEST(ProgDataState, NewObjectIsAllZero) {
    const ProgData data;
    EXPECT_EQ(data.ScanPosition, 0);
    EXPECT_EQ(data.ConfigOrigin, Origin::None);
    EXPECT_TRUE(data.CurrentFilePath.empty());
    for (int a = 0; a < ProgData::ImageSize; ++a) {
        ASSERT_EQ(data.Image[a], 0);
        ASSERT_EQ(data.State[a], ByteState::Idle);
    }
    EXPECT_TRUE(data.IsUnchanged());
}

struct BlockCase {
    const char* name;
    std::vector<AddressRange> marked;
    std::vector<Block> expected;
    friend void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }
};

class BlockSearch : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockSearch, CutsMarkedRangesIntoBlocks) {
    ProgData data;
    for (const AddressRange& r : GetParam().marked) {
        data.MarkRange(r.first, r.last, ByteState::ToRead);
    }
    EXPECT_EQ(AllBlocks(data, ByteState::ToRead), GetParam().expected);
    EXPECT_EQ(data.CountState(ByteState::ToRead), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockSearch,
    ::testing::Values(BlockCase{"FamilyARead", {{32, 247}}, {{32, 64}, {96, 64}, {160, 64}, {224, 24}}},
                      BlockCase{
                          "FamilyCRead", {{0, 37}, {46, 68}, {112, 137}}, {{0, 38}, {46, 23}, {112, 26}}},
                      BlockCase{"ImageEnd", {{250, 255}}, {{250, 6}}}, BlockCase{"Nothing", {}, {}},
                      BlockCase{"AdjacentRangesJoin", {{10, 19}, {20, 29}}, {{10, 20}}},
                      BlockCase{"ExactlySixtyFour", {{0, 63}}, {{0, 64}}},
                      BlockCase{"SixtyFiveSplits", {{0, 64}}, {{0, 64}, {64, 1}}},
                      BlockCase{"WholeImage", {{0, 255}}, {{0, 64}, {64, 64}, {128, 64}, {192, 64}}},
                      BlockCase{"SingleBytes", {{5, 5}, {7, 7}, {255, 255}}, {{5, 1}, {7, 1}, {255, 1}}},
                      BlockCase{"FirstAfterLastDoesNothing", {{40, 30}}, {}},
                      BlockCase{"OutOfImageIsClamped", {{-5, 2}, {254, 300}}, {{0, 3}, {254, 2}}}),
    test::CaseName());

TEST(BlockSearchScan, ScanPositionAfterEachBlock) {
    ProgData data;
    data.MarkRange(250, 255, ByteState::ToRead);
    ASSERT_EQ(data.FirstBlock(ByteState::ToRead), (Block{250, 6}));
    EXPECT_EQ(data.ScanPosition, 256);
    EXPECT_FALSE(data.NextBlock(ByteState::ToRead));
    EXPECT_EQ(data.ScanPosition, 256); // unchanged when nothing is found

    data.ClearStates();
    data.MarkRange(0, 99, ByteState::ToWrite);
    ASSERT_EQ(data.FirstBlock(ByteState::ToWrite), (Block{0, 64}));
    EXPECT_EQ(data.ScanPosition, 64);
    EXPECT_EQ(data.CountState(ByteState::ToWrite), 36);
    ASSERT_EQ(data.NextBlock(ByteState::ToWrite), (Block{64, 36}));
    EXPECT_EQ(data.ScanPosition, 100); // stopped at the first byte in another state
    EXPECT_FALSE(data.NextBlock(ByteState::ToWrite));
    EXPECT_EQ(data.ScanPosition, 100);
}

TEST(BlockSearchScan, OnlyTheWantedStateCounts) {
    ProgData data;
    data.MarkRange(0, 9, ByteState::ToWrite);
    data.MarkRange(10, 19, ByteState::Written);
    data.MarkRange(20, 29, ByteState::ToWrite);
    EXPECT_EQ(AllBlocks(data, ByteState::ToWrite), (std::vector<Block>{{0, 10}, {20, 10}}));
    data.MarkByte(25, ByteState::Idle);
    data.MarkByte(256, ByteState::ToWrite); // outside the image: ignored
    data.MarkByte(-1, ByteState::ToWrite);
    EXPECT_EQ(AllBlocks(data, ByteState::ToWrite), (std::vector<Block>{{0, 10}, {20, 5}, {26, 4}}));
    data.ScanPosition = 0;
    EXPECT_EQ(data.CountState(ByteState::ToWrite), 19);
}

TEST(Copies, SnapshotAndComparison) {
    ProgData data;
    data.Image[10] = 0x55;
    data.Snapshot();
    EXPECT_TRUE(data.IsUnchanged());
    EXPECT_EQ(data.SavedCopy[10], 0x55);
    data.ComparisonCopy[200] = 1;
    EXPECT_FALSE(data.IsUnchanged());
    data.ComparisonCopy[200] = 0;
    EXPECT_TRUE(data.IsUnchanged());
    data.Image[11] = 1; // the working image is not part of the comparison
    EXPECT_TRUE(data.IsUnchanged());
}

struct RecordCase {
    const char* name;
    const char* record;
    std::vector<std::pair<int, int>> stored; // address, value
    friend void PrintTo(const RecordCase& c, std::ostream* os) { *os << c.name; }
};

class ReadRecords : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ReadRecords, StoresTheRecordBytes) {
    ProgData data;
    data.Image.fill(0xEE);
    data.StoreReadRecord(GetParam().record, ByteState::ToRead);
    std::vector<std::pair<int, int>> stored;
    for (int a = 0; a < ProgData::ImageSize; ++a) {
        if (data.State[a] == ByteState::ToRead) {
            stored.emplace_back(a, data.Image[a]);
        } else {
            ASSERT_EQ(data.Image[a], 0xEE) << "address " << a << " changed without being marked";
        }
    }
    EXPECT_EQ(stored, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRecords,
    ::testing::Values(RecordCase{"TwoBytes", "xxxx0220ABCD", {{0x20, 0xAB}, {0x21, 0xCD}}},
                      RecordCase{"LowerCaseDigits", "xxxx0130ff", {{0x30, 0xFF}}},
                      RecordCase{"OtherCharacterCountsAsZero", "xxxx0130G1", {{0x30, 0x01}}},
                      RecordCase{"EightBytes",
                                 "xxxx08000102030405060708",
                                 {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}}},
                      RecordCase{"BeyondTheImageSkipped", "xxxx04FE11223344", {{0xFE, 0x11}, {0xFF, 0x22}}},
                      RecordCase{"ZeroCount", "xxxx0010", {}},
                      RecordCase{"MissingPairsSkipped", "xxxx0310AABB", {{0x10, 0xAA}, {0x11, 0xBB}}},
                      RecordCase{"HalfPairSkipped", "xxxx0210AAB", {{0x10, 0xAA}}},
                      RecordCase{"TooShortForHeader", "xxxx0", {}}, RecordCase{"Empty", "", {}}),
    test::CaseName());

class ImageFiles : public ::testing::Test {
protected:
    TempDir dir;
    ProgData data;

    void SetUp() override {
        for (int a = 0; a < ProgData::ImageSize; ++a) {
            data.Image[a] = static_cast<std::uint8_t>(0xA0 ^ a);
        }
    }
    ProgData::Bytes Previous() const { return data.Image; }
};

TEST_F(ImageFiles, ReadResults) {
    struct Case {
        const char* name;
        std::size_t size; // SIZE_MAX: no file written
        bool ok;
    };
    const Case cases[] = {{"exact", 256, true},  {"longer", 300, true}, {"big", 1024, true},
                          {"short", 200, false}, {"empty", 0, false},   {"missing", SIZE_MAX, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(std::string(c.name) + ".vorn");
        const std::string bytes = Pattern(c.size == SIZE_MAX ? 0 : c.size, 3);
        if (c.size != SIZE_MAX) {
            WriteBytes(path, bytes);
        }
        const ProgData::Bytes before = Previous();
        ASSERT_EQ(data.ReadImageFile(path), c.ok);
        if (c.ok) {
            EXPECT_EQ(std::string(data.Image.begin(), data.Image.end()), bytes.substr(0, 256));
            SetUp();
        } else {
            EXPECT_EQ(data.Image, before) << "a failed read must keep the image";
        }
    }
}

TEST_F(ImageFiles, PathsThatAreNoFile) {
    const ProgData::Bytes before = Previous();
    WriteBytes(dir.File("plain"), Pattern(256, 1));
    struct Case {
        std::string path;
        FileError reason; // the same for reading and writing
    };
    const Case cases[] = {{dir.Path(), FileError::IsDirectory},
                          {dir.File("plain/inner.vorn"), FileError::NotADirectory},
                          {test::NullDevice(), FileError::IsDevice},
                          {"", FileError::NoSuchFile},
                          {dir.File("nothing/here.vorn"), FileError::NoSuchFile}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        FileError error = FileError::None;
        EXPECT_FALSE(data.ReadImageFile(c.path, error));
        EXPECT_EQ(error, c.reason) << FileErrorText(error);
        EXPECT_EQ(ProgData::ImageFileSize(c.path), 0u);
        error = FileError::None;
        EXPECT_FALSE(data.WriteImageFile(c.path, error));
        EXPECT_EQ(error, c.reason) << FileErrorText(error);
    }
    EXPECT_EQ(data.Image, before);
    EXPECT_EQ(ReadBytes(dir.File("plain")), Pattern(256, 1));
}

TEST_F(ImageFiles, PipeIsRefusedWithoutWaiting) {
    const std::string fifo = dir.File("pipe.vorn");
    if (!test::MakeNamedPipe(fifo)) {
        GTEST_SKIP() << test::NoSuchThingHere;
    }
    EXPECT_FALSE(data.ReadImageFile(fifo));
    EXPECT_EQ(ProgData::ImageFileSize(fifo), 0u);
}

TEST_F(ImageFiles, WriteThenReadGivesTheSameBytes) {
    const std::string path = dir.File("config.vorn");
    ASSERT_TRUE(data.WriteImageFile(path));
    EXPECT_EQ(ProgData::ImageFileSize(path), 256u);
    EXPECT_EQ(ReadBytes(path), std::string(data.Image.begin(), data.Image.end()));

    ProgData other;
    ASSERT_TRUE(other.ReadImageFile(path));
    EXPECT_EQ(other.Image, data.Image);

    // Replacing a longer file leaves exactly 256 bytes.
    WriteBytes(path, Pattern(1024, 9));
    EXPECT_EQ(ProgData::ImageFileSize(path), 1024u);
    ASSERT_TRUE(data.WriteImageFile(path));
    EXPECT_EQ(ReadBytes(path), std::string(data.Image.begin(), data.Image.end()));
}

TEST_F(ImageFiles, WriteKeepsPermissionsAndLeavesNoTemporaryFile) {
    if (!test::HasPermissionBits()) {
        GTEST_SKIP() << test::NoSuchThingHere;
    }
    const std::string path = dir.File("kept.vorn");
    WriteBytes(path, Pattern(256, 2));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(data.WriteImageFile(path));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    const std::string fresh = dir.File("fresh.vorn");
    const mode_t old = ::umask(0);
    ASSERT_TRUE(data.WriteImageFile(fresh));
    ::umask(old);
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & S_IWOTH, 0u) << "a new file is never world-writable";

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);
}

TEST_F(ImageFiles, ReadOnlyFileIsNotReplaced) {
    const std::string path = dir.File("locked.vorn");
    WriteBytes(path, Pattern(256, 4));
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(data.WriteImageFile(path));
    EXPECT_EQ(ReadBytes(path), Pattern(256, 4));
}

TEST_F(ImageFiles, WriteThroughSymbolicLinkReplacesItsTarget) {
    const std::string target = dir.File("target.vorn");
    const std::string link = dir.File("link.vorn");
    WriteBytes(target, Pattern(256, 5));
    if (!test::MakeSymbolicLink(target, link)) {
        GTEST_SKIP() << test::NoSuchThingHere;
    }
    ASSERT_TRUE(data.WriteImageFile(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), std::string(data.Image.begin(), data.Image.end()));
}

TEST_F(ImageFiles, FailedWriteLeavesTheOldFileWhole) {
    // A file-size limit makes the write fail part-way, also for root.
    const std::string path = dir.File("old.vorn");
    WriteBytes(path, Pattern(256, 6));
    bool written = true;
    {
        const test::FileSizeLimit limit(100);
        if (!limit.Active()) {
            GTEST_SKIP() << test::NoSuchThingHere;
        }
        written = data.WriteImageFile(path);
    }

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), Pattern(256, 6));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "the temporary file must be removed";
}

} // namespace
} // namespace vorn
