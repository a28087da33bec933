#pragma once

#include "platform/FileError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// File access as the program needs it: regular files only (a directory, a device or a pipe given as a
// path is refused, never waited on), and writes that replace a file atomically.
namespace vorn {

// What reading the start of a file found.
struct FileStart {
    bool opened = false;               // an existing regular file that could be opened
    std::uint64_t size = 0;            // its size, when opened
    bool complete = false;             // the bytes asked for were all read
    FileError error = FileError::None; // why not opened or not complete (FileTooShort: a shorter file)
};
// Reads exactly `size` bytes from the start of an existing regular file, opening it once. The buffer
// is only written when they were all read.
FileStart ReadFileStart(const std::string& path, std::uint8_t* buffer, std::size_t size);
// As ReadFileStart; false when the file is shorter or cannot be read.
bool ReadFilePrefix(const std::string& path, std::uint8_t* buffer, std::size_t size);

// The whole content of a regular file of at most maxBytes bytes; nullopt otherwise.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes, FileError& error);

// Writes the data to a temporary file in the target's folder, syncs it and renames it over the
// target, so a failed or interrupted write leaves the old file whole. The temporary file has no name
// while it is written (where the file system allows), so a process killed part-way leaves nothing
// behind, and its name is short, so targets with names near the length limit work. The file-size
// limit fails the write (FileTooLarge) instead of ending the process.
// - Symbolic links are followed and their final target replaced, except a link in a shared folder
//   (sticky and world-writable) that belongs neither to us nor to the folder's owner: another user
//   may have planted it there to make us overwrite a file of our own (UnsafeLink).
// - An existing file must be writable by us itself, not only its folder. It keeps its owner and
//   group; where we cannot give them back (another user's file in a folder we may write) the write is
//   refused rather than taking the file over (OwnerNotKept). It keeps its permissions, except that
//   set-user-ID, set-group-ID and world-writable bits are dropped.
// - A file with several hard links is written in place, so every name keeps seeing the same file;
//   its old content is first saved to a backup file in the folder, restored on failure and removed
//   after success (it stays only when even the restore failed).
// - A new file gets the umask's permissions, never world-writable.
// Refused (false, nothing changed): a target that is not a regular file, or a read-only one.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size);
bool WriteFileAtomically(const std::string& path, const std::string& content);
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size, FileError& error);

// Whether WriteFileAtomically could write the path now (the same checks, nothing written): None, or
// the reason it would fail. For a check before long work whose result is to be written there.
FileError CheckFileWritable(const std::string& path);

// A symbolic link that another user (not the superuser) put into a folder that is not ours: writing
// through it would let that user choose which of our files is replaced. False for anything else.
bool IsForeignLink(const std::string& path);

// Size of an existing regular file; 0 when it cannot be opened or is not a regular file.
std::uint64_t RegularFileSize(const std::string& path);

bool FileExists(const std::string& path);      // a regular file (links followed)
bool DirectoryExists(const std::string& path); // a directory (links followed)
// An existing regular file without any write permission bit: the platform's read-only attribute.
bool IsReadOnlyFile(const std::string& path);
// Creates one directory with default permissions (umask, never world-writable); true when it exists
// afterwards.
bool MakeDirectory(const std::string& path);

} // namespace vorn
