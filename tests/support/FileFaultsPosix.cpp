#include "support/FileFaults.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn::test {

bool MakeNamedPipe(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
    return ::symlink(target.c_str(), link.c_str()) == 0;
}

bool MakeUnreadable(const std::string& path) {
    return ::geteuid() != 0 && ::chmod(path.c_str(), 0) == 0;
}

bool HasPermissionBits() {
    return true;
}

bool SharedFoldersNeedAHome() {
    return true;
}

std::string NullDevice() {
    return "/dev/null";
}

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return;
    }
    saved_ = limit.rlim_cur;
    // The write fails with EFBIG instead of ending the process.
    handler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    struct rlimit limit {};
    if (active_ && ::getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = static_cast<rlim_t>(saved_);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, handler_);
}

} // namespace vorn::test
