// vornctl for many devices, run as the real program: batches over vorn-kdu-sim's pseudo-terminal, the
// read-back that catches a device losing a byte, backups, per-device JSON and the support trace.
#include "lang/ListIni.h"
#include "sim/pty/SimProcess.h"
#include "support/Paths.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using nlohmann::json;
using test::ProcessResult;
using test::SimProcess;
using test::TempDir;

class BatchCommands : public ::testing::Test {
protected:
    TempDir home;
    TempDir work;
    const std::string tarv = test::DataFolder() + "DefaultConfig/Europe/Default_TARV.vorn";

    std::string ProgramData() const { return home.File("data") + "/ORSK/VORN Programmer v2/"; }
    ProcessResult Run(const std::vector<std::string>& arguments) {
        return test::RunProcess(VORNCTL_PATH, arguments,
                                {"HOME=" + home.Path(), "XDG_DATA_HOME=" + home.File("data"),
                                 "XDG_CONFIG_HOME=" + home.File("config"), "LANG=C",
                                 "LC_ALL=", "LC_NUMERIC=", "VORN_KDU_PORT=", "VORN_DEBUG=0"});
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    // A family A device of the simulator holding the Europe default of TARV.
    std::string Device(int serial) const { return "23:" + std::to_string(serial) + ":1:" + tarv; }
    // The file with a changed setting, so a write has something to show.
    std::string Changed() {
        const std::string changed = work.File("changed.vorn");
        EXPECT_EQ(Run({"set", tarv, "edtBatteryCheckInterval=33", "-o", changed}).status, 0);
        return changed;
    }
};

TEST_F(BatchCommands, AFiveDeviceBatchGoesPastTheOneThatNeverAnswers) {
    // 1003 is not on the air.
    SimProcess sim({"--pending", "0", "--no-answer-polls", "0", "--device", Device(1001), "--device",
                    Device(1002), "--device", Device(1004), "--device", Device(1005)});
    ASSERT_FALSE(sim.Port().empty());
    const std::string changed = Changed();
    const ProcessResult r = Run(
        {"--port", sim.Port(), "write", changed, "--serials", "1001-1005", "--change-id", "no", "--quiet"});
    EXPECT_EQ(r.status, 5) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(lines[static_cast<std::size_t>(i)]);
        EXPECT_TRUE(lines[static_cast<std::size_t>(i)].starts_with(std::to_string(1001 + i) + "  "));
        const bool failed = i == 2;
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].find("  written  ") != std::string::npos, !failed);
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].find("  failed  ") != std::string::npos, failed);
        if (!failed) {
            EXPECT_NE(lines[static_cast<std::size_t>(i)].find("band 1 (869.2125 MHz)"), std::string::npos);
        }
    }
    EXPECT_TRUE(lines[5].starts_with("total: 4 written, 1 failed of 5 devices in ")) << lines[5];
    // --quiet: the failure's message, but no status texts and no progress.
    EXPECT_EQ(r.err.find("Writing to"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No answer from TARV with serial number 1003"), std::string::npos) << r.err;

    // The fifth device really holds the new setting.
    const std::string back = work.File("back.vorn");
    ASSERT_EQ(Run({"--port", sim.Port(), "read", "--model", "TARV", "--serial", "1005", "-o", back}).status,
              0);
    const ProcessResult shown = Run({"show", back, "--json"});
    EXPECT_EQ(json::parse(shown.out)["fields"]["edtBatteryCheckInterval"]["text"], "33");
}

TEST_F(BatchCommands, VerifyCatchesADeviceThatDropsAByte) {
    // The device acknowledges every write but never stores address 41 (the battery check interval).
    SimProcess sim(
        {"--pending", "0", "--device", Device(1001), "--device", Device(1002), "--fault", "Q:drop=41*-1"});
    ASSERT_FALSE(sim.Port().empty());
    const std::string changed = Changed();
    ProcessResult r = Run({"--port", sim.Port(), "write", changed, "--serial", "1001", "--change-id", "no"});
    EXPECT_EQ(r.status, 0) << "without the read-back the loss goes unnoticed: " << r.err;

    r = Run({"--port", sim.Port(), "write", changed, "--serial", "1001", "--change-id", "no", "--verify",
             "--json"});
    EXPECT_EQ(r.status, 5) << r.err;
    const json report = json::parse(r.out);
    EXPECT_EQ(report["verify"], "failed");
    EXPECT_EQ(report["result"], 5);
    ASSERT_EQ(report["verifyDifferences"].size(), 1u) << report.dump();
    EXPECT_EQ(report["verifyDifferences"][0]["address"], 41);
    EXPECT_NE(report["resultText"].get<std::string>().find("byte 41"), std::string::npos) << report.dump();
}

TEST_F(BatchCommands, VerifyPassesOnEveryFamilyOfTheDemoUnit) {
    const std::string hesk = work.File("hesk.vorn");
    ASSERT_EQ(Run({"--simulate", "read", "--model", "HESK", "-o", hesk}).status, 0);
    const std::string dadidu = work.File("dadidu.vorn");
    ASSERT_EQ(Run({"--simulate", "read", "--model", "DADIDU", "--serial", "3001", "-o", dadidu}).status, 0);
    struct Case {
        std::string file;
        std::vector<std::string> target;
    };
    for (const Case& c :
         {Case{Changed(), {"--serial", "1001"}}, Case{hesk, {}}, Case{dadidu, {"--serial", "3001"}}}) {
        std::vector<std::string> arguments{"--simulate", "write",    c.file,  "--change-id",
                                           "yes",        "--verify", "--json"};
        arguments.insert(arguments.end(), c.target.begin(), c.target.end());
        const ProcessResult r = Run(arguments);
        SCOPED_TRACE(c.file);
        EXPECT_EQ(r.status, 0) << r.err;
        const json report = json::parse(r.out);
        EXPECT_EQ(report["verify"], "passed") << report.dump();
        EXPECT_GT(report["bytes"].get<int>(), 0) << report.dump();
    }
}

TEST_F(BatchCommands, ABackupIsKeptBeforeTheWrite) {
    const std::string changed = work.File("abcd.vorn");
    ASSERT_EQ(Run({"set", tarv, "edtUnitRadioIdCode=ABCD", "-o", changed}).status, 0);
    const ProcessResult r =
        Run({"--simulate", "write", changed, "--serial", "1001", "--change-id", "yes", "--backup", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json report = json::parse(r.out);
    const std::string backup = report["backup"];
    EXPECT_TRUE(backup.starts_with(ProgramData() + "backups/TARV_1001_")) << backup;
    // The backup holds the device as it was: the radio ID code of before.
    const ProcessResult shown = Run({"show", backup, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(json::parse(shown.out)["fields"]["edtUnitRadioIdCode"]["text"], "1234");

    // The trace shows the order: the backup's read jobs before the first write job.
    const std::string trace = Run({"trace", "--last"}).out;
    const auto read = trace.find(", read 32-");
    const auto write = trace.find(", write ");
    ASSERT_NE(read, std::string::npos) << trace;
    ASSERT_NE(write, std::string::npos) << trace;
    EXPECT_LT(read, write);

    const ProcessResult listed = Run({"backups", "--serial", "1001", "--json"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    ASSERT_EQ(json::parse(listed.out).size(), 1u) << listed.out;
    EXPECT_EQ(json::parse(listed.out)[0]["path"], backup);
    EXPECT_TRUE(json::parse(Run({"backups", "--serial", "1002", "--json"}).out).empty());
}

TEST_F(BatchCommands, NoBackupFolderNoWrite) {
    std::filesystem::create_directories(ProgramData());
    test::WriteBytes(ProgramData() + "backups", "a file where the folder should be");
    const ProcessResult r =
        Run({"--simulate", "write", Changed(), "--serial", "1001", "--change-id", "no", "--backup"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("backups folder"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"trace", "--last"}).out.find(", write "), std::string::npos);
    // A read keeps its image all the same, and says that the backup is missing.
    const std::string read = work.File("read.vorn");
    const ProcessResult r2 = Run({"--simulate", "read", "--model", "TARV", "--serial", "1001", "-o", read});
    EXPECT_EQ(r2.status, 3) << r2.err;
    EXPECT_TRUE(std::filesystem::exists(read));
}

TEST_F(BatchCommands, JsonOfABatchParsesBackOneObjectPerDevice) {
    const ProcessResult r =
        Run({"--simulate", "write", Changed(), "--serials", "1001,1002", "--change-id", "no", "--json"});
    EXPECT_EQ(r.status, 5) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    const json first = json::parse(lines[0]);
    const json second = json::parse(lines[1]);
    EXPECT_EQ(first["serial"], 1001);
    EXPECT_EQ(first["model"], "TARV");
    EXPECT_EQ(first["result"], 0);
    EXPECT_EQ(first["band"], 1);
    EXPECT_GT(first["blocks"].get<int>(), 0);
    EXPECT_GT(first["bytes"].get<int>(), 0);
    EXPECT_GT(first["seconds"].get<double>(), 0);
    EXPECT_TRUE(first["verify"].is_null());
    EXPECT_TRUE(first["backup"].is_null());
    EXPECT_EQ(second["serial"], 1002);
    EXPECT_EQ(second["result"], 5);
    EXPECT_NE(second["resultText"].get<std::string>().find("1002"), std::string::npos);
}

TEST_F(BatchCommands, BadSerialListsAreRefusedBeforeAnyDeviceIsTouched) {
    const std::string list = work.File("list.txt");
    test::WriteBytes(list, "# building A\n1001\n1002 # lobby\n\n1001\n");
    struct Case {
        std::string serials;
        int status;
        std::string says;
    };
    const std::vector<Case> cases{
        {"1001,1001", 2, "listed twice"},
        {"0", 2, "out of range"},
        {"16777216", 2, "out of range"},
        {"1001,abc", 2, "\"abc\" is not a serial number"},
        {"1-100000", 2, "more than 10000"},
        {"1005-1001", 2, "runs backwards"},
        {"1001,,1002", 2, "entry 2 is empty"},
        {"@" + list, 2, "is listed twice"},
        {"@" + work.File("none.txt"), 2, "no such file"},
    };
    const std::string changed = Changed();
    for (const Case& c : cases) {
        const ProcessResult r =
            Run({"--simulate", "write", changed, "--serials", c.serials, "--change-id", "no"});
        SCOPED_TRACE(c.serials);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(Run({"trace", "--last"}).out.find("memory job"), std::string::npos);
    }
    // A batch without the answer to the ID code question.
    const ProcessResult r = Run({"--simulate", "write", changed, "--serials", "1001"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("--change-id"), std::string::npos) << r.err;
}

TEST_F(BatchCommands, TheTraceShowsTheLastCommandsFramesReadably) {
    ASSERT_EQ(Run({"--simulate", "unit-info"}).status, 0);
    ASSERT_EQ(Run({"--simulate", "capture"}).status, 0);
    const ProcessResult last = Run({"trace", "--last"});
    ASSERT_EQ(last.status, 0) << last.err;
    EXPECT_NE(last.out.find("=== vornctl "), std::string::npos);
    EXPECT_NE(last.out.find("capture"), std::string::npos);
    EXPECT_EQ(last.out.find("unit-info"), std::string::npos) << "only the last command";
    EXPECT_NE(last.out.find("(radio code 4D2E)"), std::string::npos) << last.out;
    EXPECT_NE(last.out.find("exit status 0"), std::string::npos);
    const ProcessResult all = Run({"trace"});
    EXPECT_NE(all.out.find("unit-info"), std::string::npos);
    EXPECT_NE(all.out.find("< 17-1.05 KDU"), std::string::npos) << all.out;
}

TEST_F(BatchCommands, ACorruptTraceLogPrintsHarmlessly) {
    std::filesystem::create_directories(ProgramData());
    test::WriteBytes(ProgramData() + "vornctl-trace.log", std::string("\x1b[2J\xff\xfe garbage\0\n", 17));
    ProcessResult r = Run({"trace"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.out.find('\0'), std::string::npos);
    // The next command appends to it, and --last finds that command.
    ASSERT_EQ(Run({"--simulate", "unit-info"}).status, 0);
    r = Run({"trace", "--last"});
    EXPECT_TRUE(r.out.starts_with("=== vornctl ")) << r.out;
    // A log that cannot be written does not stop a command.
    std::filesystem::remove(ProgramData() + "vornctl-trace.log");
    std::filesystem::create_directory(ProgramData() + "vornctl-trace.log");
    r = Run({"--simulate", "unit-info"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("support trace cannot be written"), std::string::npos) << r.err;
}

} // namespace
} // namespace vorn
