#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Win32.h"
#include "platform/WindowsHandle.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <windows.h>

namespace vorn {

namespace {

FileError LastError() {
    return FileErrorOfSystemError(::GetLastError());
}

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
    while (size > 0) {
        DWORD put = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
        if (::WriteFile(file, data, wanted, &put, nullptr) == 0) {
            return false;
        }
        if (put == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        data += put;
        size -= put;
    }
    return true;
}

std::wstring HiddenName(const std::string& folder) {
    static thread_local std::mt19937 generator{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(generator()));
    return Widen(folder + ".backup-" + suffix);
}

} // namespace

std::optional<std::vector<std::string>> ListFolder(const std::string& folder, FileError& error) {
    error = FileError::None;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(Widen(FolderWithSeparator(folder) + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD number = ::GetLastError();
        // An existing empty folder has no entry at all, not even "." at a drive's root.
        if (number == ERROR_FILE_NOT_FOUND && DirectoryExists(folder)) {
            return std::vector<std::string>{};
        }
        error = number == ERROR_DIRECTORY ? FileError::NotADirectory : FileErrorOfSystemError(number);
        return std::nullopt;
    }
    std::vector<std::string> names;
    do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(Narrow(name));
        }
    } while (::FindNextFileW(search, &found) != 0);
    ::FindClose(search);
    return names;
}

FileError CheckFolderWritable(const std::string& folder) {
    // Windows decides by the folder's access-control list and the user's groups: try it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring probe = HiddenName(FolderWithSeparator(folder));
        WindowsHandle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file.Valid()) {
            return FileError::None;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return LastError();
        }
    }
    return FileError::Other;
}

FileError WriteNewFile(const std::string& path, const void* data, std::size_t size, bool& exists) {
    exists = false;
    const std::string folder =
        FolderOfPath(path).empty() ? std::string(".") + PathSeparator : FolderOfPath(path);
    std::wstring hidden;
    WindowsHandle file;
    for (int attempt = 0; attempt < 100 && !file.Valid(); ++attempt) {
        hidden = HiddenName(folder);
        file.Reset(::CreateFileW(hidden.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        if (!file.Valid() && ::GetLastError() != ERROR_FILE_EXISTS) {
            return LastError();
        }
    }
    if (!file.Valid()) {
        return FileError::Other;
    }
    const bool written =
        WriteAll(file.Get(), static_cast<const char*>(data), size) && ::FlushFileBuffers(file.Get()) != 0;
    FileError error = written ? FileError::None : LastError();
    if (!file.Close() && written) {
        error = LastError();
    }
    // A move that does not replace: it fails when the name is taken.
    if (error == FileError::None &&
        ::MoveFileExW(hidden.c_str(), Widen(path).c_str(), MOVEFILE_WRITE_THROUGH) == 0) {
        const DWORD number = ::GetLastError();
        exists = number == ERROR_ALREADY_EXISTS || number == ERROR_FILE_EXISTS;
        error = FileErrorOfSystemError(number);
    }
    if (error != FileError::None) {
        ::DeleteFileW(hidden.c_str());
    }
    return error;
}

bool PathExists(const std::string& path) {
    return !path.empty() && ::GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsPlainFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) ==
               0;
}

bool RemoveFile(const std::string& path) {
    return ::DeleteFileW(Widen(path).c_str()) != 0 || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

FileError RenameFile(const std::string& from, const std::string& to) {
    return ::MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0
               ? FileError::None
               : LastError();
}

std::optional<std::string> ReadFileTail(const std::string& path, std::uint64_t limit, FileError& error) {
    error = FileError::None;
    const std::wstring wide = Widen(path);
    WindowsHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, ShareEverything, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        error = LastError();
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (KindOfHandle(file.Get()) != FileError::None ||
        ::GetFileInformationByHandle(file.Get(), &information) == 0 ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = FileError::NotRegularFile;
        return std::nullopt;
    }
    const std::uint64_t size =
        (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    const std::uint64_t start = size > limit ? size - limit : 0;
    LARGE_INTEGER offset{};
    offset.QuadPart = static_cast<LONGLONG>(start);
    std::string content(static_cast<std::size_t>(size - start), '\0');
    std::size_t got = 0;
    if (::SetFilePointerEx(file.Get(), offset, nullptr, FILE_BEGIN) != 0) {
        while (got < content.size()) {
            DWORD n = 0;
            const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size() - got, 1u << 20));
            if (::ReadFile(file.Get(), content.data() + got, wanted, &n, nullptr) == 0 || n == 0) {
                break;
            }
            got += n;
        }
    }
    content.resize(got);
    return content;
}

AppendFile::~AppendFile() {
    Close();
}

FileError AppendFile::Open(const std::string& path) {
    Close();
    // Opens a link itself rather than what it points to, so one put in the log's place is refused.
    const HANDLE file = ::CreateFileW(Widen(path).c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return PathExists(path) && DirectoryExists(path) ? FileError::IsDirectory : LastError();
    }
    WindowsHandle held(file);
    BY_HANDLE_FILE_INFORMATION information{};
    if (KindOfHandle(file) != FileError::None || ::GetFileInformationByHandle(file, &information) == 0) {
        return FileError::NotRegularFile;
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        return FileError::LinkLoop;
    }
    size_ = (static_cast<std::uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    handle_ = reinterpret_cast<std::intptr_t>(held.Release());
    return FileError::None;
}

bool AppendFile::IsOpen() const {
    return handle_ != -1;
}

std::optional<char> AppendFile::LastByte() const {
    if (handle_ == -1 || size_ == 0) {
        return std::nullopt;
    }
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(size_ - 1);
    at.OffsetHigh = static_cast<DWORD>((size_ - 1) >> 32);
    char last = 0;
    DWORD got = 0;
    if (::ReadFile(reinterpret_cast<HANDLE>(handle_), &last, 1, &got, &at) == 0 || got != 1) {
        return std::nullopt;
    }
    return last;
}

FileError AppendFile::Append(std::string_view data) {
    if (handle_ == -1) {
        return FileError::Other;
    }
    if (!WriteAll(reinterpret_cast<HANDLE>(handle_), data.data(), data.size())) {
        return LastError();
    }
    size_ += data.size();
    return FileError::None;
}

void AppendFile::Close() {
    if (handle_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
        handle_ = -1;
    }
}

} // namespace vorn
