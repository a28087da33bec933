#pragma once

#include "platform/FileError.h"

#include <cstddef>
#include <cstdint>
#include <string>

#ifdef _WIN32
#include "platform/WindowsHandle.h"
#else
#include "platform/Descriptor.h"
#endif

// What each platform's file code (FilesPosix.cpp, FilesWindows.cpp) gives the reads and writes of
// Files.h that are the same on every platform (Files.cpp).
namespace vorn {

#ifdef _WIN32
using OpenFile = WindowsHandle;
using NativeFile = HANDLE;
#else
using OpenFile = Descriptor;
using NativeFile = int;
#endif

// Reads up to size bytes, fewer only at the end of the file; -1 on an error (see LastError()).
long ReadUpTo(NativeFile file, std::uint8_t* buffer, std::size_t size);
// The reason the last system call of this thread failed.
FileError LastError();

// An existing regular file opened for reading, never waiting on a pipe or a device given in its
// place; closed with the object.
class ReadableFile {
public:
    explicit ReadableFile(const std::string& path);

    bool Opened() const { return file_.Valid(); }
    // Why it could not be opened, or why the last read failed.
    FileError Error() const { return error_; }
    std::uint64_t Size() const { return size_; }
    // Up to size bytes, fewer only at the end of the file; -1 when reading failed (see Error()).
    long Read(std::uint8_t* buffer, std::size_t size);

private:
    OpenFile file_;
    std::uint64_t size_ = 0;
    FileError error_ = FileError::None;
};

// The atomic write that WriteFileAtomically describes: None, or why the file was left as it was.
FileError ReplaceFileContent(const std::string& path, const std::uint8_t* data, std::size_t size);

} // namespace vorn
