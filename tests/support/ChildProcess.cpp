#include "support/ChildProcess.h"

#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vorn::test {

namespace {

bool WriteText(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    return written;
}

} // namespace

int RunInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        return -1;
    }
    if (pid == 0) {
        // Leave at once: no handlers of the test process may run twice.
        ::_exit(body());
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool BecomeUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups) {
    return ::setgroups(groups.size(), groups.data()) == 0 && ::setresgid(gid, gid, gid) == 0 &&
           ::setresuid(uid, uid, uid) == 0;
}

bool MountPrivateTmpfs(const std::string& folder, std::size_t bytes) {
    if (::unshare(CLONE_NEWNS) != 0) {
        // Without privileges a user namespace of our own may still allow it; we stay ourselves inside.
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !WriteText("/proc/self/setgroups", "deny") ||
            !WriteText("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") ||
            !WriteText("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1")) {
            return false;
        }
    }
    const std::string options = "size=" + std::to_string(bytes) +
                                ",mode=0755,uid=" + std::to_string(::geteuid()) +
                                ",gid=" + std::to_string(::getegid());
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

bool RemountReadOnly(const std::string& folder) {
    return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

} // namespace vorn::test
