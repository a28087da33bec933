#include "files/BackupStore.h"

#include "files/ProgramFolders.h"
#include "model/Catalogue.h"
#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/System.h"

#include <algorithm>

namespace vorn {

namespace {

constexpr std::string_view Extension = ".vorn";
constexpr std::size_t StampLength = 16; // 20240501T120000Z

std::string Stamp(std::time_t when, bool readable) {
    const std::tm utc = UtcTime(when);
    char text[32];
    std::strftime(text, sizeof text, readable ? "%Y-%m-%dT%H:%M:%SZ" : "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

} // namespace

BackupStore::BackupStore(const std::string& programData)
    : folder_(programData.empty() ? std::string() : programData + std::string(SubFolder) + PathSeparator) {}

std::string BackupStore::Prepare() {
    if (folder_.empty()) {
        return "there is no program-data folder (no home folder is known)";
    }
    const std::string folder = folder_.substr(0, folder_.size() - 1);
    if (!MakeDirectories(folder)) {
        if (PathExists(folder) && !DirectoryExists(folder)) {
            return "cannot use the backups folder " + folder_ + ": it is a file, not a folder";
        }
        // Why: the nearest folder above that exists cannot take a new folder (permissions, a
        // read-only file system).
        std::string above = FolderOfPath(folder);
        while (!above.empty() && !DirectoryExists(above)) {
            above = FolderOfPath(above.substr(0, above.size() - 1));
        }
        const FileError why = above.empty() ? FileError::None : CheckFolderWritable(above);
        return "cannot make the backups folder " + folder_ +
               (why == FileError::None ? std::string() : ": " + std::string(FileErrorText(why)));
    }
    if (const FileError error = CheckFolderWritable(folder); error != FileError::None) {
        return "cannot write into the backups folder " + folder_ + ": " + std::string(FileErrorText(error));
    }
    return {};
}

FileError BackupStore::WriteNewFile(const std::string& path, const std::uint8_t* data, std::size_t size,
                                    bool& exists) {
    return vorn::WriteNewFile(path, data, size, exists);
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
    FileError listError = FileError::None;
    const auto names = ListFolder(folder_, listError);
    if (!names) {
        if (listError != FileError::NoSuchFile) {
            error =
                "cannot read the backups folder " + folder_ + ": " + std::string(FileErrorText(listError));
        }
        return entries;
    }
    for (const std::string& name : *names) {
        auto entry = ParseName(name);
        // Only regular files: a link put there may point anywhere, and a folder or a pipe is no backup.
        if (!entry || (serial && entry->serial != *serial) || !IsPlainFile(folder_ + name)) {
            continue;
        }
        entry->path = folder_ + name;
        entries.push_back(std::move(*entry));
    }
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.time != b.time ? a.time < b.time : a.copy != b.copy ? a.copy < b.copy : a.path < b.path;
    });
    return entries;
}

} // namespace vorn
