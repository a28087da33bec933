#include "platform/Descriptor.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {

namespace {

FileError LastError() {
    return FileErrorOfErrno(errno);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The hidden name a file is written under where the file system cannot write unnamed files.
std::string HiddenName(const std::string& folder) {
    static thread_local std::mt19937 generator{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(generator()));
    return folder + ".backup-" + suffix;
}

void SyncFolder(const std::string& folder) {
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Valid()) {
        ::fsync(directory.Get());
    }
}

} // namespace

std::optional<std::vector<std::string>> ListFolder(const std::string& folder, FileError& error) {
    error = FileError::None;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.c_str()), ::closedir);
    if (!directory) {
        error = LastError();
        return std::nullopt;
    }
    std::vector<std::string> names;
    while (const dirent* item = ::readdir(directory.get())) {
        const std::string_view name = item->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    return names;
}

FileError CheckFolderWritable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? FileError::None : LastError();
}

FileError WriteNewFile(const std::string& path, const void* data, std::size_t size, bool& exists) {
    exists = false;
    const std::string folder = FolderOfPath(path).empty() ? "./" : FolderOfPath(path);
    std::string hidden;
    Descriptor fd;
#ifdef O_TMPFILE
    fd.Reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
#endif
    const bool unnamed = fd.Valid();
    if (!unnamed) {
        for (int attempt = 0; attempt < 100 && !fd.Valid(); ++attempt) {
            hidden = HiddenName(folder);
            fd.Reset(::open(hidden.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
            if (!fd.Valid() && errno != EEXIST) {
                return LastError();
            }
        }
        if (!fd.Valid()) {
            return FileError::Other;
        }
    }
    // Removes the hidden name at every way out; the unnamed file goes with its descriptor.
    const auto cleanUp = [&hidden] {
        if (!hidden.empty()) {
            ::unlink(hidden.c_str());
        }
    };
    if (!WriteAll(fd.Get(), static_cast<const char*>(data), size) || ::fsync(fd.Get()) != 0) {
        const FileError error = LastError();
        cleanUp();
        return error;
    }
    int linked = -1;
    if (unnamed) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd.Get());
        linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
    } else {
        linked = ::link(hidden.c_str(), path.c_str());
    }
    const int linkError = errno;
    const bool closed = fd.Close();
    cleanUp();
    if (linked != 0) {
        exists = linkError == EEXIST;
        return FileErrorOfErrno(linkError);
    }
    if (!closed) {
        ::unlink(path.c_str());
        return FileError::InputOutput;
    }
    // The new name itself is made durable with its folder.
    SyncFolder(folder);
    return FileError::None;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsPlainFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

FileError RenameFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? FileError::None : LastError();
}

std::optional<std::string> ReadFileTail(const std::string& path, std::uint64_t limit, FileError& error) {
    error = FileError::None;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
    if (!fd.Valid()) {
        error = LastError();
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = FileError::NotRegularFile;
        return std::nullopt;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    const std::uint64_t start = size > limit ? size - limit : 0;
    std::string content(static_cast<std::size_t>(size - start), '\0');
    std::size_t got = 0;
    while (got < content.size()) {
        const ssize_t n =
            ::pread(fd.Get(), content.data() + got, content.size() - got, static_cast<off_t>(start + got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    content.resize(got);
    return content;
}

AppendFile::~AppendFile() {
    Close();
}

FileError AppendFile::Open(const std::string& path) {
    Close();
    // Never waits on a pipe put in its place, never follows a link put there.
    const int fd =
        ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) {
        return LastError();
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileError::NotRegularFile;
    }
    ::fcntl(fd, F_SETFL, O_APPEND);
    handle_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return FileError::None;
}

bool AppendFile::IsOpen() const {
    return handle_ >= 0;
}

std::optional<char> AppendFile::LastByte() const {
    char last = 0;
    if (handle_ < 0 || size_ == 0 ||
        ::pread(static_cast<int>(handle_), &last, 1, static_cast<off_t>(size_ - 1)) != 1) {
        return std::nullopt;
    }
    return last;
}

FileError AppendFile::Append(std::string_view data) {
    if (handle_ < 0) {
        return FileError::Other;
    }
    if (!WriteAll(static_cast<int>(handle_), data.data(), data.size())) {
        return LastError();
    }
    size_ += data.size();
    return FileError::None;
}

void AppendFile::Close() {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
        handle_ = -1;
    }
}

} // namespace vorn
