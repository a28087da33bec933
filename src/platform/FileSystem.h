#pragma once

#include "platform/FileError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the command line's own files need beyond reading and replacing one file: folder listings,
// files written once under a new name, renames and removal, and a log that is appended to.
namespace vorn {

// The names in a folder (without "." and ".."), in no particular order; nullopt with the reason when
// it cannot be read (NoSuchFile for a missing folder).
std::optional<std::vector<std::string>> ListFolder(const std::string& folder, FileError& error);

// None when new files can be made in the existing folder, else why not.
FileError CheckFolderWritable(const std::string& folder);

// Writes a new file whole or not at all and never replaces one: the content is written and synced
// under no name (or a hidden one), then given the name, which fails with exists set when the name is
// taken.
FileError WriteNewFile(const std::string& path, const void* data, std::size_t size, bool& exists);

// True when anything has this name: a file, a folder, a link (even a dangling one).
bool PathExists(const std::string& path);
// True for a regular file itself: not a link to one, a folder, a pipe or a device.
bool IsPlainFile(const std::string& path);
// Removes a file; true when it is gone afterwards.
bool RemoveFile(const std::string& path);
// Renames a file, replacing one of the new name; NoSuchFile when there is nothing to rename.
FileError RenameFile(const std::string& from, const std::string& to);

// At most the last `limit` bytes of a regular file, without waiting on a pipe or a device; nullopt
// with the reason otherwise (NoSuchFile for a missing one).
std::optional<std::string> ReadFileTail(const std::string& path, std::uint64_t limit, FileError& error);

// A regular file written only at its end: made when missing (for its owner only), never through a link
// put in its place (LinkLoop) and never a pipe or device waited on (NotRegularFile, IsDirectory, ...).
class AppendFile {
public:
    AppendFile() = default;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;
    ~AppendFile();

    FileError Open(const std::string& path);
    bool IsOpen() const;
    // The size: at opening, then grown by each append.
    std::uint64_t Size() const { return size_; }
    // The file's last byte; nullopt for an empty file or when it cannot be read.
    std::optional<char> LastByte() const;
    // Writes everything at the end; the reason when not all of it could be written.
    FileError Append(std::string_view data);
    void Close();

private:
    std::intptr_t handle_ = -1; // the platform's file descriptor or handle
    std::uint64_t size_ = 0;
};

} // namespace vorn
