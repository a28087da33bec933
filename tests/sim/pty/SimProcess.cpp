#include "SimProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vorn::test {

std::string SimProcess::Executable() {
    return VORN_KDU_SIM_EXECUTABLE;
}

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const std::string executable = Executable();
    std::vector<char*> argv{const_cast<char*>(executable.c_str())};
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const int spawned = ::posix_spawn(&pid_, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        pid_ = -1;
        ::close(out[0]);
        return;
    }
    // The first line is the port; give the simulator a few seconds to print it.
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd entry{out[0], POLLIN, 0};
        if (::poll(&entry, 1, 100) <= 0) {
            continue;
        }
        char ch = 0;
        if (::read(out[0], &ch, 1) != 1) {
            break;
        }
        if (ch == '\n') {
            port_ = line;
            break;
        }
        line += ch;
    }
    ::close(out[0]);
}

SimProcess::~SimProcess() {
    // A simulator that does not stop when asked must not hang the tests.
    Terminate(std::chrono::seconds(5));
}

bool SimProcess::WaitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pid_ > 0) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool SimProcess::Terminate(std::chrono::milliseconds timeout) {
    if (pid_ <= 0) {
        return true;
    }
    ::kill(pid_, SIGTERM);
    if (WaitForExit(timeout)) {
        return true;
    }
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return false;
}

} // namespace vorn::test
