#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// File access as the program needs it: regular files only (a directory, a device or a pipe given as a
// path is refused, never waited on), and writes that replace a file atomically.
namespace vorn {

// What reading the start of a file found.
struct FileStart {
    bool opened = false;    // an existing regular file that could be opened
    std::uint64_t size = 0; // its size, when opened
    bool complete = false;  // the bytes asked for were all read
};
// Reads exactly `size` bytes from the start of an existing regular file, opening it once. The buffer
// is only written when they were all read.
FileStart ReadFileStart(const std::string& path, std::uint8_t* buffer, std::size_t size);
// As ReadFileStart; false when the file is shorter or cannot be read.
bool ReadFilePrefix(const std::string& path, std::uint8_t* buffer, std::size_t size);

// The whole content of a regular file of at most maxBytes bytes; nullopt otherwise.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Writes the data to a temporary file in the target's folder, syncs it and renames it over the
// target, so a failed or interrupted write leaves the old file whole. A symbolic link is followed and
// its target replaced. An existing file keeps its permissions; a new one gets the umask's, never
// world-writable. Refused (false, nothing changed): a target that is not a regular file, or a
// read-only one.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size);
bool WriteFileAtomically(const std::string& path, const std::string& content);

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
