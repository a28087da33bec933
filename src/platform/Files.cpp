#include "platform/Files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorn {

namespace {

// Closes a descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    bool Close() {
        if (fd_ < 0) {
            return true;
        }
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

// Opens for reading without blocking on a pipe or device, and only keeps a regular file.
int OpenRegularForReading(const std::string& path, struct stat& info) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to size bytes; the count read, or -1 on an error.
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

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        const ssize_t n = ::write(fd, data + total, size - total);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
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

} // namespace

FileStart ReadFileStart(const std::string& path, std::uint8_t* buffer, std::size_t size) {
    FileStart result;
    struct stat info {};
    Descriptor fd(OpenRegularForReading(path, info));
    if (!fd.Valid()) {
        return result;
    }
    result.opened = true;
    result.size = info.st_size < 0 ? 0 : static_cast<std::uint64_t>(info.st_size);
    std::vector<std::uint8_t> data(size);
    if (ReadUpTo(fd.Get(), data.data(), size) != static_cast<long>(size)) {
        return result;
    }
    std::copy(data.begin(), data.end(), buffer);
    result.complete = true;
    return result;
}

bool ReadFilePrefix(const std::string& path, std::uint8_t* buffer, std::size_t size) {
    return ReadFileStart(path, buffer, size).complete;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    struct stat info {};
    Descriptor fd(OpenRegularForReading(path, info));
    if (!fd.Valid() || info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        return std::nullopt;
    }
    // Read one byte more than allowed so that a file that grew since fstat is still refused.
    std::string content(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const long n = ReadUpTo(fd.Get(), reinterpret_cast<std::uint8_t*>(content.data()), content.size());
    if (n < 0 || static_cast<std::size_t>(n) > maxBytes) {
        return std::nullopt;
    }
    content.resize(static_cast<std::size_t>(n));
    return content;
}

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size) {
    if (path.empty()) {
        return false;
    }
    std::string target = path;
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            target = resolved;
        }
    }

    mode_t mode = (0666 & ~CurrentUmask()) & ~static_cast<mode_t>(S_IWOTH);
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || (info.st_mode & 0222) == 0) {
            return false;
        }
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    std::string temporary = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
    Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.Valid()) {
        return false;
    }
    const bool written = WriteAll(fd.Get(), static_cast<const std::uint8_t*>(data), size) &&
                         ::fchmod(fd.Get(), mode) == 0 && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here no longer affects the file's content.
    Descriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Valid()) {
        ::fsync(folder.Get());
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    return WriteFileAtomically(path, content.data(), content.size());
}

std::uint64_t RegularFileSize(const std::string& path) {
    struct stat info {};
    Descriptor fd(OpenRegularForReading(path, info));
    if (!fd.Valid() || info.st_size < 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(info.st_size);
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
