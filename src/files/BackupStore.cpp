#include "files/BackupStore.h"

#include "files/ProgramFolders.h"
#include "model/Catalogue.h"
#include "platform/Descriptor.h"
#include "platform/Files.h"
#include "platform/Folders.h"

#include <algorithm>
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

constexpr std::string_view Extension = ".vorn";
constexpr std::size_t StampLength = 16; // 20240501T120000Z

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string Stamp(std::time_t when, bool readable) {
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[32];
    std::strftime(text, sizeof text, readable ? "%Y-%m-%dT%H:%M:%SZ" : "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// The hidden name a file is written under where the file system cannot write unnamed files.
std::string HiddenName(const std::string& folder) {
    static thread_local std::mt19937 generator{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(generator()));
    return folder + ".backup-" + suffix;
}

} // namespace

BackupStore::BackupStore(const std::string& programData)
    : folder_(programData.empty() ? std::string() : programData + std::string(SubFolder)) {}

std::string BackupStore::Prepare() {
    if (folder_.empty()) {
        return "there is no program-data folder (no home folder is known)";
    }
    const std::string folder = folder_.substr(0, folder_.size() - 1);
    if (!MakeDirectories(folder)) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            return "cannot use the backups folder " + folder_ + ": it is a file, not a folder";
        }
        return "cannot make the backups folder " + folder_ + ": " +
               std::string(FileErrorText(FileErrorOfErrno(errno)));
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "cannot write into the backups folder " + folder_ + ": " +
               std::string(FileErrorText(FileErrorOfErrno(errno)));
    }
    return {};
}

FileError BackupStore::WriteNewFile(const std::string& path, const std::uint8_t* data, std::size_t size,
                                    bool& exists) {
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
                return FileErrorOfErrno(errno);
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
    if (!WriteAll(fd.Get(), data, size) || ::fsync(fd.Get()) != 0) {
        const FileError error = FileErrorOfErrno(errno);
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
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Valid()) {
        ::fsync(directory.Get());
    }
    return FileError::None;
}

std::optional<std::string> BackupStore::Store(const ProgData::Bytes& image, std::string_view model,
                                              std::uint32_t serial, std::time_t when, std::string& error) {
    error.clear();
    if (folder_.empty()) {
        error = "there is no program-data folder (no home folder is known)";
        return std::nullopt;
    }
    for (int copy = 1; copy <= MaxCopies; ++copy) {
        const std::string path = folder_ + FileName(model, serial, when, copy);
        bool exists = false;
        const FileError written = WriteNewFile(path, image.data(), image.size(), exists);
        if (written == FileError::None) {
            return path;
        }
        if (!exists) {
            error = "cannot store the backup " + path + ": " + std::string(FileErrorText(written));
            return std::nullopt;
        }
    }
    error = "cannot store the backup: " + std::to_string(MaxCopies) + " backups of " + std::string(model) +
            " " + std::to_string(serial) + " in the same second";
    return std::nullopt;
}

std::string BackupStore::FileName(std::string_view model, std::uint32_t serial, std::time_t when, int copy) {
    return std::string(model) + "_" + std::to_string(serial) + "_" + Stamp(when, false) +
           (copy > 1 ? "-" + std::to_string(copy) : std::string()) + std::string(Extension);
}

std::optional<BackupEntry> BackupStore::ParseName(std::string_view name) {
    if (!name.ends_with(Extension)) {
        return std::nullopt;
    }
    std::string_view rest = name.substr(0, name.size() - Extension.size());
    BackupEntry entry;
    // "-N" after the time stamp.
    if (const auto dash = rest.rfind('-');
        dash != std::string_view::npos && rest.size() - dash - 1 <= 2 && AllDigits(rest.substr(dash + 1))) {
        entry.copy = std::stoi(std::string(rest.substr(dash + 1)));
        if (entry.copy < 2) {
            return std::nullopt;
        }
        rest = rest.substr(0, dash);
    }
    const auto timeSep = rest.rfind('_');
    if (timeSep == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view stamp = rest.substr(timeSep + 1);
    rest = rest.substr(0, timeSep);
    const auto serialSep = rest.rfind('_');
    if (serialSep == std::string_view::npos || stamp.size() != StampLength || stamp[8] != 'T' ||
        stamp.back() != 'Z' || !AllDigits(stamp.substr(0, 8)) || !AllDigits(stamp.substr(9, 6))) {
        return std::nullopt;
    }
    const std::string_view serial = rest.substr(serialSep + 1);
    const ProductInfo* product = FindProductByModel(rest.substr(0, serialSep));
    if (product == nullptr || !AllDigits(serial) || serial.size() > 8) {
        return std::nullopt;
    }
    entry.model = std::string(product->model);
    entry.serial = static_cast<std::uint32_t>(std::stoul(std::string(serial)));
    entry.time = std::string(stamp.substr(0, 4)) + "-" + std::string(stamp.substr(4, 2)) + "-" +
                 std::string(stamp.substr(6, 2)) + "T" + std::string(stamp.substr(9, 2)) + ":" +
                 std::string(stamp.substr(11, 2)) + ":" + std::string(stamp.substr(13, 2)) + "Z";
    return entry;
}

std::vector<BackupEntry> BackupStore::List(std::optional<std::uint32_t> serial, std::string& error) const {
    error.clear();
    std::vector<BackupEntry> entries;
    if (folder_.empty()) {
        return entries;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder_.c_str()), ::closedir);
    if (!directory) {
        if (errno != ENOENT) {
            error = "cannot read the backups folder " + folder_ + ": " +
                    std::string(FileErrorText(FileErrorOfErrno(errno)));
        }
        return entries;
    }
    while (const dirent* item = ::readdir(directory.get())) {
        auto entry = ParseName(item->d_name);
        // Only regular files: a link put there may point anywhere, and a folder or a pipe is no backup.
        struct stat info {};
        if (!entry || (serial && entry->serial != *serial) ||
            ::lstat((folder_ + item->d_name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            continue;
        }
        entry->path = folder_ + item->d_name;
        entries.push_back(std::move(*entry));
    }
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.time != b.time ? a.time < b.time : a.copy != b.copy ? a.copy < b.copy : a.path < b.path;
    });
    return entries;
}

} // namespace vorn
