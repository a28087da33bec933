#include "platform/FileError.h"

#include "base/TextTable.h"

#include <cerrno>

namespace vorn {

namespace {

constexpr TextRow<FileError> FileErrorRows[] = {
    {FileError::None, "no error"},
    {FileError::NoSuchFile, "no such file"},
    {FileError::NotADirectory, "a folder in the path is a file"},
    {FileError::PermissionDenied, "permission denied"},
    {FileError::ReadOnlyFile, "the file is read-only"},
    {FileError::ReadOnlyFileSystem, "read-only file system"},
    {FileError::DiskFull, "disk full"},
    {FileError::QuotaExceeded, "disk quota exceeded"},
    {FileError::FileTooLarge, "file too large"},
    {FileError::FileTooShort, "file too short"},
    {FileError::IsDirectory, "is a directory"},
    {FileError::IsFifo, "is a FIFO (named pipe)"},
    {FileError::IsDevice, "is a device"},
    {FileError::IsSocket, "is a socket"},
    {FileError::NotRegularFile, "not a regular file"},
    {FileError::LinkLoop, "too many levels of symbolic links (a link loop)"},
    {FileError::NameTooLong, "file name too long"},
    {FileError::UnsafeLink, "a symbolic link of another user in a shared folder"},
    {FileError::OwnerNotKept, "owned by another user or group, who would lose it"},
    {FileError::InputOutput, "input/output error"},
    {FileError::InUse, "in use by another program"},
    {FileError::Other, "system error"},
};

struct ErrnoRow {
    int number;
    FileError error;
};

constexpr ErrnoRow ErrnoRows[] = {
    {ENOENT, FileError::NoSuchFile},        {ENOTDIR, FileError::NotADirectory},
    {EACCES, FileError::PermissionDenied},  {EPERM, FileError::PermissionDenied},
    {EROFS, FileError::ReadOnlyFileSystem}, {ENOSPC, FileError::DiskFull},
#ifdef EDQUOT // not in the Windows C library
    {EDQUOT, FileError::QuotaExceeded},
#endif
    {EFBIG, FileError::FileTooLarge},       {EISDIR, FileError::IsDirectory},
    {ENXIO, FileError::NotRegularFile},     {ENODEV, FileError::NotRegularFile},
    {ELOOP, FileError::LinkLoop},           {ENAMETOOLONG, FileError::NameTooLong},
    {EIO, FileError::InputOutput},
};

} // namespace

std::string_view FileErrorText(FileError error) {
    return TextOf(FileErrorRows, error, "system error");
}

FileError FileErrorOfErrno(int error) {
    for (const ErrnoRow& row : ErrnoRows) {
        if (row.number == error) {
            return row.error;
        }
    }
    return FileError::Other;
}

} // namespace vorn
