#pragma once

#include <cstdint>
#include <string>

// Things a test makes in the file system to see how the program copes. Each says false where this
// system has no such thing, and the test then skips with the reason: Windows has no named pipe in a
// folder, no file-size limit, no permission bits and no symbolic link for a plain user.
namespace vorn::test {

inline constexpr const char* NoSuchThingHere = "this system has no such file-system object or limit";

bool MakeNamedPipe(const std::string& path);
bool MakeSymbolicLink(const std::string& target, const std::string& link);
// A file nobody may read; false also for root, who reads every file anyway.
bool MakeUnreadable(const std::string& path);
// The system's permission bits (umask, mode) decide who may write a file.
bool HasPermissionBits();
// A device that reads as empty and takes every write: /dev/null, NUL.
std::string NullDevice();
// The shared folders are found from the home folder, and a process without one falls back to the
// installation folder; Windows always names its common folders.
bool SharedFoldersNeedAHome();

// A limit on the size of the files this process writes, so that a write fails part-way, also for
// root; lifted at the end of the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit();
    bool Active() const { return active_; }

private:
    bool active_ = false;
    std::uint64_t saved_ = 0;
    void (*handler_)(int) = nullptr;
};

} // namespace vorn::test
