#pragma once

#include <string_view>

// Why a file could not be read or written, for a message that tells the user what to fix.
namespace vorn {

enum class FileError {
    None,
    NoSuchFile,
    NotADirectory, // a folder of the path is a file
    PermissionDenied,
    ReadOnlyFile, // no write permission bit at all: the platform's read-only attribute
    ReadOnlyFileSystem,
    DiskFull,
    QuotaExceeded,
    FileTooLarge, // larger than allowed, or the process's file-size limit
    FileTooShort,
    IsDirectory,
    IsFifo,
    IsDevice,
    IsSocket,
    NotRegularFile,
    LinkLoop,
    NameTooLong,
    UnsafeLink,   // another user's link in a shared (sticky, world-writable) folder
    OwnerNotKept, // replacing the file would hand another user's file to us
    InputOutput,
    InUse, // opened by another program that shares it with nobody (Windows)
    Other,
};

// A short English description ("permission denied").
std::string_view FileErrorText(FileError error);
// The reason for a system error number.
FileError FileErrorOfErrno(int error);

} // namespace vorn
