// The pieces of vornctl's device commands on their own: serial lists, name suggestions, the backups
// folder, the support log's bound and the reading of frames for it.
#include "BackupStore.h"
#include "DeviceCommands.h"
#include "DidYouMean.h"
#include "SerialList.h"
#include "SupportLog.h"
#include "TracingDriver.h"
#include "support/TempDir.h"

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace vorn::cli {
namespace {

using test::TempDir;

TEST(SerialList, TakesListsAndRangesInOrder) {
    struct Case {
        const char* text;
        std::vector<std::uint32_t> serials;
    };
    for (const Case& c : {Case{"1001", {1001}}, Case{"1001,1005-1007", {1001, 1005, 1006, 1007}},
                          Case{" 7 , 3-4 ", {7, 3, 4}}, Case{"16777215", {16777215}}, Case{"1-1", {1}},
                          Case{"000012", {12}}}) {
        std::string error;
        EXPECT_EQ(SerialList::Parse(c.text, error), c.serials) << c.text << ": " << error;
        EXPECT_TRUE(error.empty()) << c.text;
    }
}

TEST(SerialList, RefusesTheWholeListForOneBadEntry) {
    struct Case {
        std::string text;
        const char* says;
    };
    for (const Case& c :
         {Case{"", "entry 1 is empty"}, Case{"1,2,", "entry 3 is empty"}, Case{"0", "out of range"},
          Case{"16777216", "out of range"}, Case{"99999999999999999999", "out of range"},
          Case{"12a", "is not a serial number"}, Case{"-5", "is not a serial number"},
          Case{"1-2-3", "is not a serial number"}, Case{"9-3", "runs backwards"},
          Case{"5,4-6", "5 is listed twice (entry 1 and entry 2)"}, Case{"1-10001", "more than 10000"},
          Case{std::string("1\x1b[2J"), "\"1\\x1B[2J\""}}) {
        std::string error;
        EXPECT_TRUE(SerialList::Parse(c.text, error).empty()) << c.text;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.text << ": " << error;
    }
    // 100 000 single entries: refused at the bound, without building them all.
    std::string many;
    for (int i = 1; i <= 100000; ++i) {
        many += std::to_string(i) + ",";
    }
    many.pop_back();
    std::string error;
    EXPECT_TRUE(SerialList::Parse(many, error).empty());
    EXPECT_NE(error.find("more than 10000"), std::string::npos) << error;
}

TEST(SerialList, ReadsAFileWithCommentsAndNamesTheLine) {
    TempDir dir;
    test::WriteBytes(dir.File("ok.txt"), "# floor 1\n1001\n  1002-1003 # hall\r\n\n1010,1011\n");
    std::string error;
    EXPECT_EQ(SerialList::FromArgument("@" + dir.File("ok.txt"), error),
              (std::vector<std::uint32_t>{1001, 1002, 1003, 1010, 1011}))
        << error;
    test::WriteBytes(dir.File("bad.txt"), "1001\n\n# x\nabc\n");
    EXPECT_TRUE(SerialList::FromArgument("@" + dir.File("bad.txt"), error).empty());
    EXPECT_NE(error.find("bad.txt line 4"), std::string::npos) << error;
    test::WriteBytes(dir.File("empty.txt"), "# nothing\n");
    EXPECT_TRUE(SerialList::FromArgument("@" + dir.File("empty.txt"), error).empty());
    EXPECT_NE(error.find("names no serial number"), std::string::npos) << error;
    EXPECT_TRUE(SerialList::FromArgument("@" + dir.Path(), error).empty());
    EXPECT_NE(error.find("cannot read the serial number list"), std::string::npos) << error;
}

TEST(DidYouMean, SuggestsTheClosestNames) {
    const std::vector<std::string> commands{"show",    "set",       "diff",      "new",     "models",
                                            "regions", "bands",     "region",    "read",    "write",
                                            "capture", "change-id", "unit-info", "backups", "trace"};
    struct Case {
        const char* typed;
        const char* first;
    };
    for (const Case& c :
         {Case{"shwo", "show"}, Case{"wirte", "write"}, Case{"Regions", "regions"}, Case{"backup", "backups"},
          Case{"unitinfo", "unit-info"}, Case{"changeid", "change-id"}}) {
        const auto closest = ClosestNames(c.typed, commands);
        ASSERT_FALSE(closest.empty()) << c.typed;
        EXPECT_EQ(closest.front(), c.first) << c.typed;
    }
    EXPECT_TRUE(ClosestNames("xyzzy", commands).empty());
    EXPECT_EQ(DidYouMean("xyzzy", commands), "");
    EXPECT_EQ(DidYouMean("shw", {"show", "new"}), "; did you mean show or new?");
    EXPECT_EQ(ClosestNames("edtBatteryChek", {"edtSerialNumber", "edtBatteryCheckInterval"}).front(),
              "edtBatteryCheckInterval");
    EXPECT_EQ(NameDistance("ab", "ba"), 1u);
    EXPECT_EQ(NameDistance("HESK", "hesk"), 0u);
}

TEST(BackupStore, NamesParseBackAndNothingElseDoes) {
    const std::time_t when = 1714564800; // 2024-05-01 12:00:00 UTC
    EXPECT_EQ(BackupStore::FileName("TARV", 1001, when, 1), "TARV_1001_20240501T120000Z.vorn");
    EXPECT_EQ(BackupStore::FileName("BODE+ZUMI", 7, when, 3), "BODE+ZUMI_7_20240501T120000Z-3.vorn");
    const auto entry = BackupStore::ParseName("BODE+ZUMI_7_20240501T120000Z-3.vorn");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->model, "BODE+ZUMI");
    EXPECT_EQ(entry->serial, 7u);
    EXPECT_EQ(entry->time, "2024-05-01T12:00:00Z");
    EXPECT_EQ(entry->copy, 3);
    for (const char* other :
         {"TARV_1001_20240501T120000Z.txt", "NOPE_1_20240501T120000Z.vorn", "TARV_x_20240501T120000Z.vorn",
          "TARV_1_20240501120000Z.vorn", "TARV_1_20240501T120000Z-1.vorn", ".backup-0000abcd", "TARV.vorn"}) {
        EXPECT_FALSE(BackupStore::ParseName(other)) << other;
    }
}

TEST(BackupStore, NeverOverwritesAndListsOldestFirst) {
    TempDir dir;
    BackupStore store(dir.Path() + "/");
    ASSERT_EQ(store.Prepare(), "");
    ProgData::Bytes first{};
    first[0] = 1;
    ProgData::Bytes second{};
    second[0] = 2;
    std::string error;
    const std::time_t when = 1714564800;
    const auto a = store.Store(first, "TARV", 1001, when, error);
    const auto b = store.Store(second, "TARV", 1001, when, error);
    const auto c = store.Store(second, "ZUMI", 1002, when - 60, error);
    ASSERT_TRUE(a && b && c) << error;
    EXPECT_NE(*a, *b);
    EXPECT_EQ(test::ReadBytes(*a)[0], '\x01');
    EXPECT_EQ(test::ReadBytes(*b)[0], '\x02');
    test::WriteBytes(store.Folder() + "notes.txt", "kept by someone");
    const auto all = store.List(std::nullopt, error);
    ASSERT_EQ(all.size(), 3u) << error;
    EXPECT_EQ(all[0].path, *c);
    EXPECT_EQ(all[1].path, *a);
    EXPECT_EQ(all[2].path, *b);
    EXPECT_EQ(store.List(1002u, error).size(), 1u);
    // Nothing but the backups is left in the folder: no hidden temporary files.
    int files = 0;
    for ([[maybe_unused]] const auto& item : std::filesystem::directory_iterator(store.Folder())) {
        ++files;
    }
    EXPECT_EQ(files, 4);
}

TEST(BackupStore, AFolderThatCannotBeUsedIsNamed) {
    TempDir dir;
    test::WriteBytes(dir.File("backups"), "a file");
    BackupStore store(dir.Path() + "/");
    EXPECT_NE(store.Prepare().find("it is a file, not a folder"), std::string::npos);
    std::string error;
    EXPECT_FALSE(store.Store(ProgData::Bytes{}, "TARV", 1, 0, error));
    EXPECT_NE(error.find("cannot store the backup"), std::string::npos) << error;
    EXPECT_NE(BackupStore("").Prepare().find("no program-data folder"), std::string::npos);
}

TEST(SupportLog, StaysBoundedAndKeepsTheLastCommand) {
    TempDir dir;
    const std::string folder = dir.Path() + "/";
    const std::string line(200, 'x');
    // Far more than the kept files hold: the log rotates and drops the oldest.
    for (int command = 0; command < 30; ++command) {
        SupportLog log(folder);
        log.Begin({"vornctl", "write", "command" + std::to_string(command)});
        for (int i = 0; i < 1000; ++i) {
            log.Write(SupportLog::Sent, line);
        }
        log.End(0);
        EXPECT_TRUE(log.Problem().empty()) << log.Problem();
    }
    const auto files = SupportLog::Files(folder);
    EXPECT_EQ(files.size(), static_cast<std::size_t>(SupportLog::KeptFiles + 1));
    for (const std::string& file : files) {
        EXPECT_LE(std::filesystem::file_size(file), SupportLog::MaxFileBytes + 2 * line.size()) << file;
    }
    std::string error;
    const std::string last = SupportLog::Read(folder, true, error);
    EXPECT_TRUE(last.starts_with("=== vornctl ")) << last.substr(0, 100);
    EXPECT_NE(last.find("command29"), std::string::npos);
    EXPECT_EQ(last.find("command28"), std::string::npos);
    EXPECT_NE(last.find("exit status 0"), std::string::npos);
}

TEST(SupportLog, ALogInTheWayIsANoteNotAFailure) {
    TempDir dir;
    std::filesystem::create_directory(dir.File(std::string(SupportLog::FileName)));
    std::vector<std::string> notes;
    SupportLog log(dir.Path() + "/");
    log.SetNoteSink([&](const std::string& note) { notes.push_back(note); });
    log.Begin({"vornctl", "unit-info"});
    log.Write(SupportLog::Sent, "v");
    log.End(0);
    EXPECT_FALSE(log.Active());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("support trace cannot be written"), std::string::npos) << notes[0];
    std::string error;
    EXPECT_EQ(SupportLog::Read(dir.Path() + "/", false, error), "");
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}

TEST(TracingDriver, FramesAreExplained) {
    struct Case {
        const char* payload;
        char command;
        bool sent;
        const char* meaning;
    };
    for (const Case& c : {
             Case{"Q01230003E901002010", 'Q', true, "memory job 1: TARV serial 1001, write 32-47"},
             Case{"Q01230003E900003040", 'Q', true, "memory job 1: TARV serial 1001, read 48-111"},
             Case{"q01040006", 'q', true, "radio parameters: band 1"},
             Case{"4D2E0000", 'c', false, "radio code 4D2E"},
             Case{"00000000", 'c', false, "no radio code yet"},
             Case{"05", 'Q', false, "the device did not answer"},
             Case{"03", 'N', false, "done"},
             Case{"n0527", 'n', true, "write entry: 5 bytes at 39"},
             Case{"Qzz", 'Q', true, ""},
         }) {
        EXPECT_EQ(TracingDriver::Meaning(c.payload, c.command, c.sent), c.meaning) << c.payload;
    }
}

TEST(BatchStatus, AnyFailureIsFiveAndTheUnitIsFour) {
    DeviceReport ok;
    DeviceReport failed;
    failed.status = 5;
    DeviceReport noBackup;
    noBackup.status = 3;
    DeviceReport noUnit;
    noUnit.status = 4;
    EXPECT_EQ(DeviceCommands::BatchStatus({ok, ok}, 2), 0);
    EXPECT_EQ(DeviceCommands::BatchStatus({ok, failed, ok}, 3), 5);
    EXPECT_EQ(DeviceCommands::BatchStatus({ok, noBackup}, 2), 5);
    EXPECT_EQ(DeviceCommands::BatchStatus({ok, noUnit}, 5), 4);
    EXPECT_EQ(DeviceCommands::BatchStatus({ok}, 2), 5);
}

} // namespace
} // namespace vorn::cli
