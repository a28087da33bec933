// vornctl's device commands, run as the real program: over a pseudo-terminal against vorn-kdu-sim,
// and against its own demo unit (--simulate).
#include "lang/ListIni.h"
#include "lang/TextFormat.h"
#include "sim/pty/SimProcess.h"
#include "support/Paths.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <csignal>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using nlohmann::json;
using test::ProcessResult;
using test::SimProcess;
using test::TempDir;

class DeviceCommands : public ::testing::Test {
protected:
    DeviceCommands() { english.LoadFile(test::DataFolder() + "English-1033.lang"); }

    TempDir home; // no settings file: English and the first region (Europe)
    TempDir work;
    ListIni english;

    std::vector<std::string> Environment() const {
        return {"HOME=" + home.Path(),
                "XDG_DATA_HOME=" + home.File("data"),
                "XDG_CONFIG_HOME=" + home.File("config"),
                "LANG=C",
                "LC_ALL=",
                "LC_NUMERIC=",
                "VORN_KDU_PORT=",
                "VORN_DEBUG=0"};
    }
    ProcessResult Run(const std::vector<std::string>& arguments) {
        return test::RunProcess(VORNCTL_PATH, arguments, Environment());
    }
    // vornctl in a child of its own with the stop signals' default handling and, when given, a
    // file-size limit (ulimit -f); `stop` runs while it works. Its exit status (-1: a signal ended it)
    // and all it printed.
    ProcessResult RunLimited(const std::vector<std::string>& arguments, rlim_t fileLimit,
                             const std::function<void(pid_t)>& stop = {}) {
        int out[2];
        EXPECT_EQ(::pipe(out), 0);
        std::vector<std::string> environment = Environment();
        std::vector<char*> argv{const_cast<char*>(VORNCTL_PATH)};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const rlimit limit{fileLimit, fileLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGINT, SIG_DFL);
            std::signal(SIGTERM, SIG_DFL);
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(out[1], STDERR_FILENO);
            for (std::string& entry : environment) {
                ::putenv(entry.data());
            }
            ::execv(VORNCTL_PATH, argv.data());
            ::_exit(127);
        }
        if (stop) {
            stop(pid);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(out[1]);
        ProcessResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, {}, {}};
        char buffer[65536];
        result.err.assign(
            buffer, static_cast<std::size_t>(std::max<ssize_t>(::read(out[0], buffer, sizeof buffer), 0)));
        ::close(out[0]);
        return result;
    }
    json Fields(const std::string& file) {
        const ProcessResult shown = Run({"show", file, "--json"});
        EXPECT_EQ(shown.status, 0) << shown.err;
        return json::parse(shown.out)["fields"];
    }
    std::string Text(std::string_view section, std::string_view key, const FormatArgs& args = {}) const {
        return FormatText(english.Text(section, key), args);
    }
    static bool Says(const ProcessResult& r, const std::string& text) {
        return r.err.find("vornctl: " + text + "\n") != std::string::npos;
    }
};

TEST_F(DeviceCommands, FamilyAReadAndWriteOverAPseudoTerminal) {
    SimProcess sim({"--demo", "--pending", "0"});
    ASSERT_FALSE(sim.Port().empty());
    const std::string read = work.File("read.vorn");
    ProcessResult r = Run({"--port", sim.Port(), "read", "--model", "TARV", "--serial", "1001", "-o", read});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Says(r, Text("COMMUNICATION", "STATUS-DEVICE_NNNN_READ_OK", {"TARV", 1001}))) << r.err;
    json fields = Fields(read);
    EXPECT_EQ(fields["edtUnitRadioIdCode"]["text"], "1234");
    EXPECT_EQ(fields["edtSerialNumber"]["text"], "1001");

    const std::string changed = work.File("changed.vorn");
    r = Run({"set", read, "edtBatteryCheckInterval=33", "edtUnitRadioIdCode=ABCD", "-o", changed});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Run({"--port", sim.Port(), "write", changed, "--serial", "1001", "--change-id", "yes"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Says(r, Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", {"TARV", 1001}))) << r.err;

    const std::string back = work.File("back.vorn");
    r = Run({"--port", sim.Port(), "read", "--model", "TARV", "--serial", "1001", "-o", back});
    ASSERT_EQ(r.status, 0) << r.err;
    fields = Fields(back);
    EXPECT_EQ(fields["edtBatteryCheckInterval"]["text"], "33");
    EXPECT_EQ(fields["edtUnitRadioIdCode"]["text"], "ABCD");
}

TEST_F(DeviceCommands, FamilyCReadAndWriteOverAPseudoTerminal) {
    SimProcess sim({"--demo", "--pending", "0"});
    ASSERT_FALSE(sim.Port().empty());
    const std::string read = work.File("read.vorn");
    ProcessResult r =
        Run({"--port", sim.Port(), "read", "--model", "DADIDU", "--serial", "3001", "-o", read});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Fields(read)["edtGOFA_UnitIdCode"]["text"], "3456");

    const std::string changed = work.File("changed.vorn");
    ASSERT_EQ(Run({"set", read, "edtGOFA_RfidPower=55", "-o", changed}).status, 0);
    r = Run({"--port", sim.Port(), "write", changed, "--serial", "3001"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string back = work.File("back.vorn");
    ASSERT_EQ(Run({"--port", sim.Port(), "read", "--model", "DADIDU", "--serial", "3001", "-o", back}).status,
              0);
    EXPECT_EQ(Fields(back)["edtGOFA_RfidPower"]["text"], "55");
}

TEST_F(DeviceCommands, AUnitBelow17_1IsStatus4) {
    SimProcess sim({"--demo", "--unit-version", "16-1.05 KDU"});
    ASSERT_FALSE(sim.Port().empty());
    const ProcessResult r =
        Run({"--port", sim.Port(), "read", "--model", "TARV", "--serial", "1001", "-o", work.File("x.vorn")});
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_TRUE(Says(r, english.Text("COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE"))) << r.err;
    EXPECT_FALSE(std::filesystem::exists(work.File("x.vorn")));
}

TEST_F(DeviceCommands, NoUnitIsStatus4WithTheReason) {
    const ProcessResult r = Run({"--port", work.File("no-such-port"), "unit-info"});
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(Says(r, english.Text("COMMON", "MESSAGE-KDU_NOT_FOUND"))) << r.err;
    EXPECT_NE(r.err.find("does not exist"), std::string::npos) << r.err;
}

TEST_F(DeviceCommands, UnitInfoOfTheDemoUnit) {
    const ProcessResult r = Run({"--simulate", "unit-info"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, english.Text("HELP-ABOUT", "TEXT-KDU_INFO") + " 17-1.05 KDU\n");
}

TEST_F(DeviceCommands, FamilyBReadAndWriteOnTheDemoUnit) {
    const std::string read = work.File("hesk.vorn");
    ProcessResult r = Run({"--simulate", "read", "--model", "HESK", "-o", read});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Says(r, english.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_READ_CONFIGURATION"))) << r.err;
    EXPECT_TRUE(Says(r, english.Text("HESK", "MESSAGE-READ_FROM_DEVICE_COMPLETE"))) << r.err;
    EXPECT_EQ(Fields(read)["edtHESK_RadioIdCode"]["text"], "12AB");

    const std::string changed = work.File("changed.vorn");
    ASSERT_EQ(Run({"set", read, "edtHESK_RadioIdCode=BEEF", "-o", changed}).status, 0);
    r = Run({"--simulate", "write", changed, "--change-id", "no"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Says(r, english.Text("HESK", "MESSAGE-WRITE_COMPLETE"))) << r.err;
    // The question without an answer, and without a terminal: nothing is written.
    r = Run({"--simulate", "write", changed});
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_FALSE(Says(r, english.Text("HESK", "MESSAGE-WRITE_COMPLETE"))) << r.err;
}

TEST_F(DeviceCommands, TheIdQuestionWithoutAnAnswerStopsBeforeWriting) {
    const std::string read = work.File("tarv.vorn");
    ASSERT_EQ(Run({"--simulate", "read", "--model", "TARV", "--serial", "1001", "-o", read}).status, 0);
    const std::string changed = work.File("changed.vorn");
    ASSERT_EQ(Run({"set", read, "edtUnitRadioIdCode=ABCD", "-o", changed}).status, 0);
    ProcessResult r = Run({"--simulate", "write", changed, "--serial", "1001"});
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_TRUE(Says(r, Text("COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY",
                             {"1234", "ABCD"})))
        << r.err;
    EXPECT_FALSE(Says(r, Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", {"TARV", 1001}))) << r.err;
    r = Run({"--simulate", "write", changed, "--serial", "1001", "--change-id", "no"});
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(DeviceCommands, CaptureAndChangeIdOnTheDemoUnit) {
    ProcessResult r = Run({"--simulate", "capture"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "4D2E\n");
    r = Run({"--simulate", "change-id", "beef"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Says(r, english.Text("CHANGE_CODE", "MESSAGE-DEVICE_ID_CODE_CHANGED"))) << r.err;
    r = Run({"--simulate", "change-id", "12AB"}); // the code the unit has
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(DeviceCommands, AFileSizeLimitDropsTheTraceAndStopsABackupBeforeTheWrite) {
    const std::string file = work.File("tarv.vorn");
    ASSERT_EQ(Run({"new", "TARV", "-o", file}).status, 0);
    // A write's trace outgrows 4 KiB: the trace is dropped with one note, the write goes on to its end.
    ProcessResult r =
        RunLimited({"--simulate", "write", file, "--serial", "1001", "--change-id", "no"}, 4096);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Says(r, Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", {"TARV", 1001}))) << r.err;
    EXPECT_NE(r.err.find("trace cannot be written"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("trace cannot be written"), r.err.rfind("trace cannot be written")) << r.err;
    // A backup of 256 bytes cannot be kept under 200: nothing is written.
    r = RunLimited({"--simulate", "write", file, "--serial", "1001", "--change-id", "no", "--backup"}, 200);
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("file too large; nothing was written"), std::string::npos) << r.err;
}

TEST_F(DeviceCommands, CtrlCOrATerminationRequestEndsAWriteAtASafePointWithThePortFree) {
    const std::string file = work.File("tarv.vorn");
    ASSERT_EQ(Run({"new", "TARV", "-o", file}).status, 0);
    const std::string trace = home.File("data/ORSK/VORN Programmer v2/vornctl-trace.log");
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        // The first block is written, the second one's polls stay "pending" (for 30 s).
        SimProcess sim({"--demo", "--pending", "0", "--fault", "Q$:payload=02@2*-1"});
        ASSERT_FALSE(sim.Port().empty());
        std::filesystem::remove(trace);
        const ProcessResult r = RunLimited(
            {"--port", sim.Port(), "write", file, "--serial", "1001", "--change-id", "no"}, RLIM_INFINITY,
            [&](pid_t pid) {
                for (int i = 0; i < 1000; ++i) {
                    std::ifstream in(trace);
                    if (std::string(std::istreambuf_iterator<char>(in), {}).find("memory job 3:") !=
                        std::string::npos) {
                        break;
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
                ::kill(pid, signal);
            });
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_NE(r.err.find("7 bytes were confirmed written"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("the unit was closed"), std::string::npos) << r.err;
        // The port is free for the next command at once.
        EXPECT_EQ(Run({"--port", sim.Port(), "unit-info"}).status, 0);
    }
}

struct StatusCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
};

TEST_F(DeviceCommands, ExitStatusOfRefusalsAndFailures) {
    const std::string tarv = test::DataFolder() + "DefaultConfig/Europe/Default_TARV.vorn";
    const std::string hesk = test::DataFolder() + "DefaultConfig/Europe/Default_HESK.vorn";
    const std::string out = work.File("out.vorn");
    const std::vector<StatusCase> cases{
        {"DeviceDoesNotAnswer", {"--simulate", "read", "--model", "TARV", "--serial", "1002", "-o", out}, 5},
        {"BandOfAnotherRegion",
         {"--simulate", "read", "--model", "TARV", "--serial", "1001", "--band", "3", "-o", out},
         2},
        {"NoSerial", {"--simulate", "read", "--model", "TARV", "-o", out}, 1},
        {"SerialZero", {"--simulate", "read", "--model", "TARV", "--serial", "0", "-o", out}, 2},
        {"SerialAbove24Bits", {"--simulate", "write", tarv, "--serial", "16777216"}, 2},
        {"OutputInAMissingFolderBeforeTheMissingUnit",
         {"--port", work.File("no-port"), "read", "--model", "TARV", "--serial", "1", "-o",
          work.File("no/x")},
         3},
        {"SerialForAPresenceUnit", {"--simulate", "write", hesk, "--serial", "5"}, 1},
        {"UnknownModel", {"--simulate", "read", "--model", "NOPE", "--serial", "1", "-o", out}, 2},
        {"AnswerNeitherYesNorNo",
         {"--simulate", "write", tarv, "--serial", "1001", "--change-id", "maybe"},
         1},
        {"NewCodeZero", {"--simulate", "change-id", "0000"}, 2},
        {"NewCodeOfThreeDigits", {"--simulate", "change-id", "12G4"}, 2},
        {"MissingFile", {"--simulate", "write", work.File("none.vorn"), "--serial", "1001"}, 3},
    };
    for (const StatusCase& c : cases) {
        const ProcessResult r = Run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DeviceCommands, MessagesAreTheLanguagesTexts) {
    ListIni german;
    german.LoadFile(test::DataFolder() + "Deutsch-1031.lang");
    const ProcessResult r = Run({"--lang", "Deutsch-1031.lang", "--simulate", "read", "--model", "TARV",
                                 "--serial", "1002", "-o", work.File("x.vorn")});
    EXPECT_EQ(r.status, 5);
    EXPECT_TRUE(
        Says(r, FormatText(german.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT"), {"TARV", 1002})))
        << r.err;
}

} // namespace
} // namespace vorn
