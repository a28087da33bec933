#include "platform/Win32.h"

#include <windows.h>

namespace vorn {

namespace {

struct SystemErrorRow {
    DWORD error;
    FileError reason;
};

constexpr SystemErrorRow SystemErrorRows[] = {
    {ERROR_FILE_NOT_FOUND, FileError::NoSuchFile},
    {ERROR_PATH_NOT_FOUND, FileError::NoSuchFile},
    {ERROR_INVALID_DRIVE, FileError::NoSuchFile},
    {ERROR_BAD_NETPATH, FileError::NoSuchFile},
    {ERROR_DIRECTORY, FileError::NotADirectory},
    {ERROR_ACCESS_DENIED, FileError::PermissionDenied},
    {ERROR_SHARING_VIOLATION, FileError::InUse},
    {ERROR_LOCK_VIOLATION, FileError::InUse},
    {ERROR_WRITE_PROTECT, FileError::ReadOnlyFileSystem},
    {ERROR_DISK_FULL, FileError::DiskFull},
    {ERROR_HANDLE_DISK_FULL, FileError::DiskFull},
    {ERROR_FILE_TOO_LARGE, FileError::FileTooLarge},
    {ERROR_FILENAME_EXCED_RANGE, FileError::NameTooLong},
    {ERROR_CANT_RESOLVE_FILENAME, FileError::LinkLoop},
    {ERROR_CRC, FileError::InputOutput},
    {ERROR_READ_FAULT, FileError::InputOutput},
    {ERROR_WRITE_FAULT, FileError::InputOutput},
    {ERROR_IO_DEVICE, FileError::InputOutput},
};

} // namespace

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    }
    return wide;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf16.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(), length, nullptr, nullptr);
    }
    return narrow;
}

FileError FileErrorOfSystemError(unsigned long error) {
    for (const SystemErrorRow& row : SystemErrorRows) {
        if (row.error == error) {
            return row.reason;
        }
    }
    return FileError::Other;
}

std::string SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? Narrow(std::wstring_view(buffer, length)) : std::string();
    ::LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
        text.pop_back();
    }
    return text.empty() ? "system error " + std::to_string(error) : text;
}

} // namespace vorn
