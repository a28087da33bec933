#include "SimProcess.h"
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "link/SerialUnitDriver.h"
#include "support/CaseName.h"
#include "support/TempDir.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using test::SimProcess;
using test::TempDir;

// A link over the serial backend to a fixed port, in real time.
struct PortLink {
    explicit PortLink(std::string port)
        : driver(SerialPortOptions{std::move(port)}), link(driver, clock, trace) {}

    RealClock clock;
    TraceSink trace;
    SerialUnitDriver driver;
    KduLink link;
};

std::string PatternImage() {
    std::string image(256, '\0');
    for (int i = 0; i < 256; ++i) {
        image[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    }
    return image;
}

MemoryJob Job(std::uint8_t direction, std::uint32_t address, std::uint8_t length) {
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = 0x23;
    job.SerialNumber = 1234;
    job.Direction = direction;
    job.Address = address;
    job.Length = length;
    return job;
}

TEST(SerialBackendTest, ReadAndWriteJobsOverThePseudoTerminal) {
    TempDir dir;
    test::WriteBytes(dir.File("device.vorn"), PatternImage());
    SimProcess sim({"--device", "23:1234:1:" + dir.File("device.vorn")});
    ASSERT_FALSE(sim.Port().empty());
    PortLink port(sim.Port());

    MemoryJob read = Job(JobRead, 56, 64);
    ASSERT_EQ(RunMemoryJob(port.link, read), JobDone);
    for (int i = 0; i < 64; ++i) {
        ASSERT_EQ(read.Data[i], ((56 + i) * 7 + 3) & 0xFF) << i;
    }

    // The sequence counter runs on from job to job, as the program's one job record keeps it.
    MemoryJob write = Job(JobWrite, 200, 3);
    write.SequenceCounter = read.SequenceCounter;
    write.Data = {0xCA, 0xFE, 0x01};
    ASSERT_EQ(RunMemoryJob(port.link, write), JobDone);
    MemoryJob back = Job(JobRead, 199, 5);
    back.SequenceCounter = write.SequenceCounter;
    ASSERT_EQ(RunMemoryJob(port.link, back), JobDone);
    EXPECT_EQ(back.Data[0], (199 * 7 + 3) & 0xFF);
    EXPECT_EQ(back.Data[1], 0xCA);
    EXPECT_EQ(back.Data[3], 0x01);
    EXPECT_FALSE(port.link.IsOpen());
}

struct FaultCase {
    const char* name;
    std::string fault;
    int result;
    std::string output;
    friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
};

class SerialFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SerialFaultTest, RepliesAreCollectedAndCheckedInRealTime) {
    SimProcess sim({"--fault", GetParam().fault});
    ASSERT_FALSE(sim.Port().empty());
    PortLink port(sim.Port());
    ASSERT_EQ(port.link.Open(), 0);
    std::string version = "stale";
    EXPECT_EQ(port.link.GetVersion(version), GetParam().result);
    EXPECT_EQ(version, GetParam().output);
    port.link.Close();
}

INSTANTIATE_TEST_SUITE_P(Faults, SerialFaultTest,
                         ::testing::Values(FaultCase{"SplitShortGap", "v:split=4/120", 0, "17-1.05 KDU"},
                                           FaultCase{"SplitLongGap", "v:split=4/300", 2, ""},
                                           FaultCase{"WrongChecksum", "v:checksum", 2, ""},
                                           FaultCase{"LowerCaseChecksum", "v:lowercase", 2, ""},
                                           FaultCase{"StrayBytes", "v:stray=FF41", 2, ""},
                                           FaultCase{"Silence", "v:silence", 2, ""},
                                           FaultCase{"Refusal", "v:raw=15", 2, ""}),
                         test::CaseName{});

TEST(SerialBackendTest, LateBytesArePurgedBeforeTheNextCommand) {
    SimProcess sim({"--fault", "v:stray-after=4C415445/30"});
    ASSERT_FALSE(sim.Port().empty());
    PortLink port(sim.Port());
    ASSERT_EQ(port.link.Open(), 0);
    std::string version;
    EXPECT_EQ(port.link.GetVersion(version), 0);
    port.clock.Sleep(150ms);
    EXPECT_EQ(port.link.GetVersion(version), 0);
    EXPECT_EQ(version, "17-1.05 KDU");
    EXPECT_EQ(port.trace.Lines(), std::vector<std::string>{"Purging 4 bytes."});
    port.link.Close();
}

TEST(SerialBackendTest, TimeOutsAndEntryLimitsComeFromTheSimulatorsOptions) {
    SimProcess sim({"--presence", "12AB:13:-", "--max-entries", "1", "--radio-job-timeout", "300",
                    "--code-request-timeout", "200"});
    ASSERT_FALSE(sim.Port().empty());
    PortLink port(sim.Port());
    ASSERT_EQ(port.link.Open(), 0);
    EXPECT_EQ(port.link.AddWriteEntry("0120AA"), CommandOk);
    EXPECT_EQ(port.link.AddWriteEntry("0121BB"), CommandEntryRefused);
    ASSERT_EQ(port.link.StartRadioJob("12AB"), CommandOk);
    ASSERT_EQ(port.link.RequestDeviceCode("FFFF", "2E2F"), CommandOk);
    port.clock.Sleep(400ms); // nobody presses the button
    std::string status;
    EXPECT_EQ(port.link.PollWriteStatus(status), CommandOk);
    EXPECT_EQ(status, "05");
    EXPECT_EQ(port.link.PollDeviceCode(status), CommandOk);
    EXPECT_EQ(status, "04");
    port.link.Close();
}

TEST(SerialBackendTest, TheDemoDevicesAnswer) {
    SimProcess sim({"--demo", "--pending", "0"});
    ASSERT_FALSE(sim.Port().empty());
    PortLink port(sim.Port());
    MemoryJob job = Job(JobRead, 122, 4);
    job.SerialNumber = 1001;
    ASSERT_EQ(RunMemoryJob(port.link, job), JobDone);
    EXPECT_EQ(job.Data[0], 0x23);
    EXPECT_EQ(job.Data[3], 1001 & 0xFF);
    job.SerialNumber = 3001;
    job.ProductTypeNumber = 0x4B;
    ASSERT_EQ(RunMemoryJob(port.link, job), JobDone);
    EXPECT_EQ(job.Data[0], 0x4B);
}

TEST(SerialBackendTest, UnplugInTheMiddleOfAReply) {
    SimProcess sim({"--device", "23:1234:1", "--pending", "0", "--fault", "Q$:unplug=12"});
    ASSERT_FALSE(sim.Port().empty());
    PortLink port(sim.Port());
    MemoryJob job = Job(JobRead, 32, 64);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunMemoryJob(port.link, job), JobNoReply);
    // The port hung up: the remaining polls fail at once instead of waiting for a unit that is gone.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_FALSE(port.link.IsOpen());
    EXPECT_TRUE(sim.WaitForExit(5s));

    EXPECT_EQ(port.link.Open(), 1);
    EXPECT_NE(port.driver.LastOpenError().find("does not exist"), std::string::npos)
        << port.driver.LastOpenError();
    port.link.Close();
    EXPECT_EQ(RunMemoryJob(port.link, job), JobNotOpened);
}

TEST(SerialBackendTest, PortIsOpenedExclusively) {
    SimProcess sim({});
    ASSERT_FALSE(sim.Port().empty());
    PortLink first(sim.Port());
    PortLink second(sim.Port());
    ASSERT_EQ(first.link.Open(), 0);
    EXPECT_EQ(second.link.Open(), 1);
    EXPECT_NE(second.driver.LastOpenError().find("in use"), std::string::npos)
        << second.driver.LastOpenError();
    second.link.Close();
    first.link.Close();
    EXPECT_EQ(second.link.Open(), 0);
    second.link.Close();
}

// A sysfs tree with one USB serial adapter: /sys/class/tty/<name>/device leads to the USB interface,
// whose parent carries idVendor and the product string.
void FakeUsbTty(const TempDir& dir, const std::string& name, const std::string& product) {
    namespace fs = std::filesystem;
    const fs::path sys = dir.File("sys");
    const fs::path usb = sys / "devices" / "pci0000:00" / "usb1" / ("1-" + name);
    const fs::path interface = usb / (name + ":1.0");
    fs::create_directories(interface / name);
    fs::create_directories(sys / "class" / "tty" / name);
    test::WriteBytes((usb / "idVendor").string(), "0403\n");
    test::WriteBytes((usb / "product").string(), product + "\n");
    fs::create_directory_symlink(interface / name, sys / "class" / "tty" / name / "device");
}

TEST(SerialBackendTest, FindsTheUnitByItsUsbProductString) {
    namespace fs = std::filesystem;
    SimProcess sim({});
    ASSERT_FALSE(sim.Port().empty());
    TempDir dir;
    FakeUsbTty(dir, "ttyUSB0", "Some Other Adapter");
    FakeUsbTty(dir, "ttyUSB1", std::string(KduLink::UnitDescription));
    fs::create_directories(dir.File("sys/class/tty/tty0")); // a virtual terminal: no device
    fs::create_directories(dir.File("dev"));
    fs::create_symlink(sim.Port(), dir.File("dev/ttyUSB1"));

    EXPECT_EQ(
        SerialUnitDriver::FindPortsByProduct(dir.File("sys"), dir.File("dev"), KduLink::UnitDescription),
        std::vector<std::string>{dir.File("dev/ttyUSB1")});

    SerialUnitDriver driver(SerialPortOptions{"", dir.File("sys"), dir.File("dev")});
    RealClock clock;
    TraceSink trace;
    KduLink link(driver, clock, trace);
    ASSERT_EQ(link.Open(), 0);
    EXPECT_EQ(driver.OpenPath(), dir.File("dev/ttyUSB1"));
    EXPECT_EQ(link.CheckVersion("17-1"), 0);
    link.Close();

    SerialUnitDriver nowhere(SerialPortOptions{"", dir.File("no-sys"), dir.File("dev")});
    EXPECT_EQ(nowhere.OpenByDescription(KduLink::UnitDescription, UnitDriver::OpenByDescriptionFlag),
              DriverNotFound);
    EXPECT_NE(nowhere.LastOpenError().find(KduLink::UnitDescription), std::string::npos);
}

TEST(SerialBackendTest, ExplicitPortComesFromTheOptionOrTheEnvironment) {
    ::setenv("VORN_KDU_PORT", "/dev/pts/77", 1);
    EXPECT_EQ(PortOverride(""), "/dev/pts/77");
    EXPECT_EQ(PortOverride("/dev/ttyUSB3"), "/dev/ttyUSB3");
    ::unsetenv("VORN_KDU_PORT");
    EXPECT_EQ(PortOverride(""), "");
}

TEST(SerialBackendTest, PortsThatCannotBeUsedAreReportedClearly) {
    TempDir dir;
    test::WriteBytes(dir.File("plain"), "x");
    struct Case {
        std::string path;
        int status;
        std::string words;
    };
    for (const Case& c : {Case{dir.File("missing"), DriverNotFound, "does not exist"},
                          Case{dir.File("plain"), DriverNotFound, "not a serial port"}}) {
        SerialUnitDriver driver(SerialPortOptions{c.path});
        EXPECT_EQ(driver.OpenByDescription(KduLink::UnitDescription, UnitDriver::OpenByDescriptionFlag),
                  c.status);
        EXPECT_NE(driver.LastOpenError().find(c.words), std::string::npos) << driver.LastOpenError();
    }
}

TEST(SerialBackendTest, PermissionDeniedNamesTheDialoutGroup) {
    // A terminal nobody but root may open; as root the check runs in a child that gives up root.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string port = ::ptsname(master);
    ASSERT_EQ(::chmod(port.c_str(), ::geteuid() == 0 ? 0600 : 0000), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(3);
        }
        SerialUnitDriver driver(SerialPortOptions{port});
        const int status =
            driver.OpenByDescription(KduLink::UnitDescription, UnitDriver::OpenByDescriptionFlag);
        const std::string text = driver.LastOpenError();
        const bool clear = text.find("Permission denied on " + port) != std::string::npos &&
                           text.find("\"dialout\"") != std::string::npos;
        ::_exit(status == DriverAccessDenied && clear ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(master);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace vorn
