#include "platform/Descriptor.h"
#include "platform/Files.h"
#include "platform/ReadableFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pthread.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorn {

FileError LastError() {
    return FileErrorOfErrno(errno);
}

namespace {

// Symbolic links followed in one path at most, as the kernel allows.
constexpr int MaxLinksFollowed = 40;
// Bytes of the target's name kept in a temporary file's name.
constexpr std::size_t TemporaryNamePrefix = 32;

// The reason a path of this kind is no configuration file.
FileError ErrorOfKind(mode_t mode) {
    if (S_ISDIR(mode)) {
        return FileError::IsDirectory;
    }
    if (S_ISFIFO(mode)) {
        return FileError::IsFifo;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileError::IsDevice;
    }
    if (S_ISSOCK(mode)) {
        return FileError::IsSocket;
    }
    return S_ISREG(mode) ? FileError::None : FileError::NotRegularFile;
}

// Opens for reading without blocking on a pipe or device, and only keeps a regular file.
int OpenRegularForReading(const std::string& path, struct stat& info, FileError& error) {
    if (path.empty()) {
        error = FileError::NoSuchFile;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int number = errno;
        struct stat found {};
        // A socket cannot be opened at all: name it by what it is.
        error = number == ENXIO && ::stat(path.c_str(), &found) == 0 ? ErrorOfKind(found.st_mode)
                                                                     : FileErrorOfErrno(number);
        return -1;
    }
    if (::fstat(fd, &info) != 0) {
        error = LastError();
    } else if (!S_ISREG(info.st_mode)) {
        error = ErrorOfKind(info.st_mode);
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

} // namespace

long ReadUpTo(int fd, std::uint8_t* buffer, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ::read(fd, buffer + total, size - total);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        total += static_cast<std::size_t>(n);
    }
    return static_cast<long>(total);
}

namespace {

// Writes everything at the descriptor's position, or from offset when it is not negative; false
// with errno set otherwise.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset = -1) {
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = offset < 0
                              ? ::write(fd, data + total, size - total)
                              : ::pwrite(fd, data + total, size - total, offset + static_cast<off_t>(total));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        total += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A new file: the umask's permissions, never world-writable.
mode_t NewFileMode() {
    return (0666 & ~CurrentUmask()) & ~static_cast<mode_t>(S_IWOTH);
}

// The permissions a replaced file keeps: never set-user-ID, set-group-ID or world-writable.
mode_t KeptMode(mode_t mode) {
    return mode & 0777 & ~static_cast<mode_t>(S_IWOTH);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A fresh hidden name beside the target: the start of the target's name keeps it recognisable, and it
// stays far below the length limit whatever the target's length.
std::string TemporaryName(const std::string& targetName, const char* tag) {
    std::size_t keep = std::min(targetName.size(), TemporaryNamePrefix);
    // Never cut a UTF-8 sequence.
    while (keep > 0 && keep < targetName.size() &&
           (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    static thread_local std::mt19937 generator{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(generator()));
    return "." + targetName.substr(0, keep) + tag + suffix;
}

// A file written beside its target and then renamed over it (or kept as a backup). It has no name
// while it is written where the file system allows it, so a process killed part-way leaves nothing
// behind; it is named only once it is complete. Removed at the end unless renamed or kept.
class TemporaryFile {
public:
    TemporaryFile(std::string folder, std::string targetName, const char* tag)
        : folder_(std::move(folder)), targetName_(std::move(targetName)), tag_(tag) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        fd_.Close();
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }

    FileError Create() {
#ifdef O_TMPFILE
        // Naming an unnamed file goes through /proc; without it, use a named one from the start.
        struct stat proc {};
        if (::stat("/proc/self/fd", &proc) == 0 && S_ISDIR(proc.st_mode)) {
            fd_.Reset(::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
            if (fd_.Valid()) {
                unnamed_ = true;
                return FileError::None;
            }
            // A file system without unnamed files says so in one of these ways.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
                return LastError();
            }
        }
#endif
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string path = folder_ + "/" + TemporaryName(targetName_, tag_);
            fd_.Reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
            if (fd_.Valid()) {
                path_ = path;
                return FileError::None;
            }
            if (errno != EEXIST) {
                return LastError();
            }
        }
        return FileError::Other;
    }

    int Fd() const {
        return fd_.Get();
    }

    // Syncs the content, names an unnamed file and closes it.
    FileError Finish() {
        if (::fsync(fd_.Get()) != 0) {
            return LastError();
        }
        if (unnamed_) {
            const std::string self = "/proc/self/fd/" + std::to_string(fd_.Get());
            for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
                const std::string path = folder_ + "/" + TemporaryName(targetName_, tag_);
                if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                    path_ = path;
                } else if (errno != EEXIST) {
                    return LastError();
                }
            }
            if (path_.empty()) {
                return FileError::Other;
            }
        }
        return fd_.Close() ? FileError::None : LastError();
    }

    FileError RenameOver(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return LastError();
        }
        path_.clear();
        return FileError::None;
    }

    // Leaves the named file in place at the end.
    void Keep() {
        path_.clear();
    }

private:
    std::string folder_;
    std::string targetName_;
    const char* tag_;
    Descriptor fd_;
    std::string path_;
    bool unnamed_ = false;
};

// A link that the kernel's protection of shared folders would not follow: in a sticky,
// world-writable folder, and owned neither by us nor by the folder's owner.
bool IsUnsafeLink(const std::string& folder, const struct stat& link) {
    struct stat info {};
    if (::stat(folder.empty() ? "/" : folder.c_str(), &info) != 0) {
        return true;
    }
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return shared && link.st_uid != ::geteuid() && link.st_uid != info.st_uid;
}

void PushComponents(std::vector<std::string>& pending, const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const auto end = slash == std::string::npos ? path.size() : slash;
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    pending.insert(pending.end(), parts.rbegin(), parts.rend());
}

// Resolves every symbolic link of a path about to be written (the final name may not exist yet),
// refusing unsafe links on the way. The result is absolute and holds no link.
FileError ResolveForWrite(const std::string& path, std::string& resolved) {
    if (path.empty()) {
        return FileError::NoSuchFile;
    }
    if (path.back() == '/') {
        return FileError::IsDirectory;
    }
    std::string current; // absolute, without a trailing "/"; empty for the root
    if (path.front() != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd) == nullptr) {
            return LastError();
        }
        current = cwd;
        if (current == "/") {
            current.clear();
        }
    }
    std::vector<std::string> pending; // components still to walk, the next one last
    PushComponents(pending, path);
    int linksFollowed = 0;
    while (!pending.empty()) {
        const std::string component = pending.back();
        pending.pop_back();
        if (component == ".") {
            continue;
        }
        if (component == "..") {
            // current holds no link, so its parent is the text before its last "/".
            current.resize(std::min(current.size(), current.find_last_of('/')));
            continue;
        }
        const std::string candidate = current + "/" + component;
        struct stat info {};
        if (::lstat(candidate.c_str(), &info) != 0) {
            if (errno == ENOENT && pending.empty()) {
                current = candidate;
                break;
            }
            return LastError();
        }
        if (S_ISLNK(info.st_mode)) {
            if (++linksFollowed > MaxLinksFollowed) {
                return FileError::LinkLoop;
            }
            if (IsUnsafeLink(current, info)) {
                return FileError::UnsafeLink;
            }
            char text[PATH_MAX];
            const ssize_t length = ::readlink(candidate.c_str(), text, sizeof text);
            if (length < 0) {
                return LastError();
            }
            if (length == 0 || static_cast<std::size_t>(length) >= sizeof text) {
                return length == 0 ? FileError::NoSuchFile : FileError::NameTooLong;
            }
            const std::string target(text, static_cast<std::size_t>(length));
            if (target.front() == '/') {
                current.clear();
            }
            PushComponents(pending, target);
            continue;
        }
        if (!pending.empty() && !S_ISDIR(info.st_mode)) {
            return FileError::NotADirectory;
        }
        current = candidate;
    }
    resolved = current.empty() ? "/" : current;
    return FileError::None;
}

void SyncFolder(const std::string& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid()) {
        ::fsync(fd.Get());
    }
}

// Writes a file with several hard links in place, so that all its names keep the one file; its old
// content is saved beside it first and written back when the new content cannot be.
FileError WriteInPlace(const std::string& target, const struct stat& expected, mode_t mode,
                       const std::uint8_t* data, std::size_t size) {
    Descriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK));
    if (!fd.Valid()) {
        return LastError();
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        return LastError();
    }
    if (!S_ISREG(info.st_mode) || info.st_dev != expected.st_dev || info.st_ino != expected.st_ino) {
        return S_ISREG(info.st_mode) ? FileError::Other : ErrorOfKind(info.st_mode);
    }
    std::vector<std::uint8_t> old(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)));
    const long got = ReadUpTo(fd.Get(), old.data(), old.size());
    if (got < 0) {
        return LastError();
    }
    old.resize(static_cast<std::size_t>(got));

    TemporaryFile backup(FolderOf(target), NameOf(target), "~backup-");
    FileError error = backup.Create();
    if (error != FileError::None) {
        return error;
    }
    if (::fchmod(backup.Fd(), 0600) != 0 || !WriteAll(backup.Fd(), old.data(), old.size())) {
        return LastError();
    }
    if ((error = backup.Finish()) != FileError::None) {
        return error;
    }
    const off_t newSize = static_cast<off_t>(size);
    if (!WriteAll(fd.Get(), data, size, 0) || ::ftruncate(fd.Get(), newSize) != 0 || ::fsync(fd.Get()) != 0) {
        const int number = errno;
        const bool restored = WriteAll(fd.Get(), old.data(), old.size(), 0) &&
                              ::ftruncate(fd.Get(), static_cast<off_t>(old.size())) == 0 &&
                              ::fsync(fd.Get()) == 0;
        if (!restored) {
            backup.Keep();
        }
        return FileErrorOfErrno(number);
    }
    if ((info.st_mode & 07777) != mode) {
        // Allowed only to the owner; another owner's permissions stay theirs.
        ::fchmod(fd.Get(), mode);
    }
    return FileError::None;
}

// While a file is written, the file-size limit makes a write fail with EFBIG instead of ending the
// process with SIGXFSZ, so that the old file is restored and the temporary one removed. The signal is
// blocked for this thread only, and one raised on the way is taken before the old mask returns.
class FileSizeSignalGuard {
public:
    FileSizeSignalGuard() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        blocked_ =
            ::pthread_sigmask(SIG_BLOCK, &signal_, &previous_) == 0 && sigismember(&previous_, SIGXFSZ) == 0;
    }
    FileSizeSignalGuard(const FileSizeSignalGuard&) = delete;
    FileSizeSignalGuard& operator=(const FileSizeSignalGuard&) = delete;
    ~FileSizeSignalGuard() {
        if (!blocked_) {
            return;
        }
        const timespec now{};
        while (::sigtimedwait(&signal_, nullptr, &now) == SIGXFSZ) {}
        ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }

private:
    sigset_t signal_{};
    sigset_t previous_{};
    bool blocked_ = false;
};

// Where a write of the path goes (every link resolved) and whether an existing file there may be
// replaced; exists tells whether there is one.
FileError CheckTarget(const std::string& path, std::string& target, struct stat& existing, bool& exists) {
    exists = false;
    if (const FileError error = ResolveForWrite(path, target); error != FileError::None) {
        return error;
    }
    if (::lstat(target.c_str(), &existing) != 0) {
        return errno == ENOENT ? FileError::None : LastError();
    }
    if (!S_ISREG(existing.st_mode)) {
        return ErrorOfKind(existing.st_mode);
    }
    if ((existing.st_mode & 0222) == 0) {
        return FileError::ReadOnlyFile;
    }
    // Write permission on the folder is not enough to replace the file.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return LastError();
    }
    exists = true;
    return FileError::None;
}

} // namespace

ReadableFile::ReadableFile(const std::string& path) {
    struct stat info {};
    file_.Reset(OpenRegularForReading(path, info, error_));
    if (file_.Valid()) {
        size_ = info.st_size < 0 ? 0 : static_cast<std::uint64_t>(info.st_size);
    }
}

FileError ReplaceFileContent(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const FileSizeSignalGuard guard;
    std::string target;
    struct stat existing {};
    bool replacing = false;
    FileError error = CheckTarget(path, target, existing, replacing);
    if (error != FileError::None) {
        return error;
    }
    mode_t mode = NewFileMode();
    if (replacing) {
        mode = KeptMode(existing.st_mode);
        if (existing.st_nlink > 1) {
            return WriteInPlace(target, existing, mode, data, size);
        }
    }

    TemporaryFile temporary(FolderOf(target), NameOf(target), "~");
    if ((error = temporary.Create()) != FileError::None) {
        return error;
    }
    const int fd = temporary.Fd();
    if (replacing) {
        struct stat created {};
        if (::fstat(fd, &created) != 0) {
            return LastError();
        }
        const auto owner = created.st_uid == existing.st_uid ? static_cast<uid_t>(-1) : existing.st_uid;
        const auto group = created.st_gid == existing.st_gid ? static_cast<gid_t>(-1) : existing.st_gid;
        if ((owner != static_cast<uid_t>(-1) || group != static_cast<gid_t>(-1)) &&
            ::fchown(fd, owner, group) != 0) {
            return errno == EPERM ? FileError::OwnerNotKept : LastError();
        }
    }
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, data, size)) {
        return LastError();
    }
    if ((error = temporary.Finish()) != FileError::None ||
        (error = temporary.RenameOver(target)) != FileError::None) {
        return error;
    }
    // Make the rename itself durable; a failure here no longer affects the file's content.
    SyncFolder(FolderOf(target));
    return FileError::None;
}

FileError CheckFileWritable(const std::string& path) {
    std::string target;
    struct stat existing {};
    bool exists = false;
    if (const FileError error = CheckTarget(path, target, existing, exists); error != FileError::None) {
        return error;
    }
    // The new content is written beside the file first, so its folder must take a new file.
    return ::faccessat(AT_FDCWD, FolderOf(target).c_str(), W_OK | X_OK, AT_EACCESS) == 0 ? FileError::None
                                                                                         : LastError();
}

bool IsForeignLink(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return false;
    }
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return true;
    }
    const uid_t us = ::geteuid();
    return link.st_uid != us && link.st_uid != 0 && info.st_uid != us;
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0;
}

bool MakeDirectory(const std::string& path) {
    const mode_t mode = 0777 & ~static_cast<mode_t>(S_IWOTH);
    if (::mkdir(path.c_str(), mode) != 0 && errno != EEXIST) {
        return false;
    }
    return DirectoryExists(path);
}

} // namespace vorn
