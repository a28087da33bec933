#include "SimProcess.h"
#include "sim/KduFirmware.h"
#include "support/TempDir.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using test::SimProcess;
using test::TempDir;
namespace fs = std::filesystem;

bool IsLink(const std::string& path) {
    return fs::is_symlink(fs::symlink_status(path));
}

TEST(PtyBridgeTest, LinkReplacesOnlyAnOldLink) {
    TempDir dir;
    struct Case {
        const char* name;
        void (*prepare)(const std::string& path);
        bool started;
    };
    const Case cases[] = {
        {"nothing there", [](const std::string&) {}, true},
        {"a link of an earlier run",
         [](const std::string& path) { fs::create_symlink("/dev/pts/999999", path); }, true},
        {"a regular file", [](const std::string& path) { test::WriteBytes(path, "precious"); }, false},
        {"a folder", [](const std::string& path) { fs::create_directory(path); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File("kdu");
        c.prepare(path);
        const auto before = fs::symlink_status(path).type();
        {
            SimProcess sim({"--link", path});
            if (!c.started) {
                EXPECT_TRUE(sim.Port().empty());
                EXPECT_TRUE(sim.WaitForExit(5s));
                EXPECT_EQ(sim.ExitStatus(), 1);
                EXPECT_EQ(fs::symlink_status(path).type(), before) << "left alone";
                if (fs::is_regular_file(path)) {
                    EXPECT_EQ(test::ReadBytes(path), "precious");
                }
                fs::remove(path);
                continue;
            }
            ASSERT_FALSE(sim.Port().empty());
            ASSERT_TRUE(IsLink(path));
            EXPECT_EQ(fs::read_symlink(path), sim.Port());
            EXPECT_TRUE(sim.Terminate(5s));
        }
        EXPECT_FALSE(fs::exists(fs::symlink_status(path))) << "its own link is removed at the end";
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 0);
    }

    // A file put in the link's place while the simulator runs is somebody else's.
    const std::string path = dir.File("kdu");
    SimProcess sim({"--link", path});
    ASSERT_FALSE(sim.Port().empty());
    fs::remove(path);
    test::WriteBytes(path, "theirs");
    EXPECT_TRUE(sim.Terminate(5s));
    EXPECT_EQ(test::ReadBytes(path), "theirs");
}

// Opens the port as a raw terminal without blocking.
int OpenPort(const std::string& port) {
    const int fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        termios settings{};
        ::tcgetattr(fd, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(fd, TCSANOW, &settings);
    }
    return fd;
}

std::string ReadFor(int fd, std::chrono::milliseconds time) {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd entry{fd, POLLIN, 0};
        if (::poll(&entry, 1, 20) > 0) {
            char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                got.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    return got;
}

// Sends version requests for a while without reading a byte; the count sent.
std::size_t Flood(int fd, std::size_t count) {
    const std::string request = sim::Frame("v");
    std::size_t sent = 0;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (sent < count && std::chrono::steady_clock::now() < deadline) {
        if (::write(fd, request.data(), request.size()) == static_cast<ssize_t>(request.size())) {
            ++sent;
        } else {
            std::this_thread::sleep_for(1ms);
        }
    }
    return sent;
}

TEST(PtyBridgeTest, HostThatNeverReadsCannotWedgeIt) {
    SimProcess sim({"--reply-delay", "0"});
    ASSERT_FALSE(sim.Port().empty());
    const int fd = OpenPort(sim.Port());
    ASSERT_GE(fd, 0);
    // Far more answers than the terminal holds, and none of them read.
    EXPECT_EQ(Flood(fd, 12000), 12000u);
    // Still serving: once the backlog is read, a new request is answered.
    ReadFor(fd, 1000ms);
    const std::string request = sim::Frame("v");
    ASSERT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    EXPECT_FALSE(ReadFor(fd, 500ms).empty());
    // And it stops when asked while the host reads nothing.
    EXPECT_EQ(Flood(fd, 12000), 12000u);
    EXPECT_TRUE(sim.Terminate(3s)) << "SIGTERM must end it";
    ::close(fd);
}

} // namespace
} // namespace vorn
