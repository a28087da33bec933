#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/ReadableFile.h"
#include "platform/Win32.h"
#include "platform/WindowsHandle.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>
#include <windows.h>

// Files on Windows: the same contract as on POSIX systems, with the Win32 API. Files are opened
// sharing reading and writing with others, as the program's other instances and editors expect, and
// made with the default security of their folder (never a null access-control list, which would let
// every user of the machine change them).
namespace vorn {

FileError LastError() {
    return FileErrorOfSystemError(::GetLastError());
}

namespace {

// Bytes of the target's name kept in a temporary file's name.
constexpr std::size_t TemporaryNamePrefix = 32;

// What a path names, without opening it: a folder, no such thing, or None for anything else.
FileError KindOfPath(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return LastError();
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileError::IsDirectory : FileError::None;
}

// Windows says "path not found" also when a folder of the path is a file; the user is told which.
FileError ExplainMissing(const std::string& path, FileError error) {
    if (error != FileError::NoSuchFile) {
        return error;
    }
    std::string above = path;
    for (;;) {
        while (!above.empty() && IsPathSeparator(above.back())) {
            above.pop_back();
        }
        const auto cut = above.find_last_of(PathSeparators);
        if (cut == std::string::npos || cut < PathRootLength(above)) {
            return error;
        }
        above.resize(cut);
        const DWORD attributes = ::GetFileAttributesW(Widen(above).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? error : FileError::NotADirectory;
        }
    }
}

// Opens an existing regular file for reading and gives its size.
FileError OpenRegularForReading(const std::string& path, WindowsHandle& file, std::uint64_t& size) {
    if (path.empty()) {
        return FileError::NoSuchFile;
    }
    const std::wstring wide = Widen(path);
    file.Reset(::CreateFileW(wide.c_str(), GENERIC_READ, ShareEverything, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        // A folder cannot be opened as a file: name it by what it is.
        const DWORD number = ::GetLastError();
        return KindOfPath(wide) == FileError::IsDirectory
                   ? FileError::IsDirectory
                   : ExplainMissing(path, FileErrorOfSystemError(number));
    }
    if (const FileError kind = KindOfHandle(file.Get()); kind != FileError::None) {
        file.Close();
        return kind;
    }
    LARGE_INTEGER length{};
    if (::GetFileSizeEx(file.Get(), &length) == 0) {
        const FileError error = LastError();
        file.Close();
        return error;
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    return FileError::None;
}

} // namespace

long ReadUpTo(HANDLE file, std::uint8_t* buffer, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        DWORD got = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size - total, 1u << 20));
        if (::ReadFile(file, buffer + total, wanted, &got, nullptr) == 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        total += got;
    }
    return static_cast<long>(total);
}

namespace {

bool WriteAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        DWORD put = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size - total, 1u << 20));
        if (::WriteFile(file, data + total, wanted, &put, nullptr) == 0) {
            return false;
        }
        if (put == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        total += put;
    }
    return true;
}

// A fresh hidden-by-name file beside the target, made exclusively; its path, or empty with the reason.
std::wstring CreateTemporary(const std::string& target, const char* tag, WindowsHandle& file,
                             FileError& error) {
    const std::string folder = FolderOfPath(target);
    const std::string name = FileNameOfPath(target);
    std::size_t keep = std::min(name.size(), TemporaryNamePrefix);
    // Never cut a UTF-8 sequence.
    while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    static thread_local std::mt19937 generator{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(generator()));
        const std::wstring path = Widen(folder + "." + name.substr(0, keep) + tag + suffix);
        file.Reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) {
            return path;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            error = LastError();
            return {};
        }
    }
    error = FileError::Other;
    return {};
}

// Writes a file with several hard links in place, so that all its names keep the one file; its old
// content is saved beside it first and written back when the new content cannot be.
FileError WriteInPlace(const std::string& target, HANDLE file, const std::uint8_t* data, std::size_t size) {
    LARGE_INTEGER length{};
    if (::GetFileSizeEx(file, &length) == 0) {
        return LastError();
    }
    std::vector<std::uint8_t> old(static_cast<std::size_t>(length.QuadPart));
    const long got = ReadUpTo(file, old.data(), old.size());
    if (got < 0) {
        return LastError();
    }
    old.resize(static_cast<std::size_t>(got));

    FileError error = FileError::None;
    WindowsHandle backup;
    const std::wstring backupPath = CreateTemporary(target, "~backup-", backup, error);
    if (backupPath.empty()) {
        return error;
    }
    if (!WriteAll(backup.Get(), old.data(), old.size()) || ::FlushFileBuffers(backup.Get()) == 0) {
        error = LastError();
        backup.Close();
        ::DeleteFileW(backupPath.c_str());
        return error;
    }
    backup.Close();
    const auto rewrite = [file](const std::uint8_t* bytes, std::size_t count) {
        LARGE_INTEGER start{};
        return ::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0 && WriteAll(file, bytes, count) &&
               ::SetEndOfFile(file) != 0 && ::FlushFileBuffers(file) != 0;
    };
    if (!rewrite(data, size)) {
        error = LastError();
        // The backup stays only when even the old content could not be put back.
        if (rewrite(old.data(), old.size())) {
            ::DeleteFileW(backupPath.c_str());
        }
        return error;
    }
    ::DeleteFileW(backupPath.c_str());
    return FileError::None;
}

// The checks of the atomic write before anything is written: the target does not exist yet, or it is
// a writable regular file, opened in existing to show that the user may write the file itself (not
// only its folder).
FileError CheckTarget(const std::string& path, WindowsHandle& existing) {
    if (path.empty()) {
        return FileError::NoSuchFile;
    }
    if (IsPathSeparator(path.back())) {
        return FileError::IsDirectory;
    }
    const std::wstring target = Widen(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? FileError::None : ExplainMissing(path, LastError());
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileError::IsDirectory;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return FileError::ReadOnlyFile;
    }
    existing.Reset(::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, ShareEverything, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!existing.Valid()) {
        return LastError();
    }
    return KindOfHandle(existing.Get());
}

} // namespace

ReadableFile::ReadableFile(const std::string& path) : error_(OpenRegularForReading(path, file_, size_)) {}

FileError ReplaceFileContent(const std::string& path, const std::uint8_t* data, std::size_t size) {
    WindowsHandle existing;
    if (const FileError error = CheckTarget(path, existing); error != FileError::None) {
        return error;
    }
    const bool replacing = existing.Valid();
    if (replacing) {
        BY_HANDLE_FILE_INFORMATION information{};
        if (::GetFileInformationByHandle(existing.Get(), &information) != 0 &&
            information.nNumberOfLinks > 1) {
            return WriteInPlace(path, existing.Get(), data, size);
        }
        existing.Close();
    }

    const std::wstring target = Widen(path);
    FileError error = FileError::None;
    WindowsHandle temporary;
    const std::wstring temporaryPath = CreateTemporary(path, "~", temporary, error);
    if (temporaryPath.empty()) {
        return ExplainMissing(path, error);
    }
    const bool written = WriteAll(temporary.Get(), data, size) && ::FlushFileBuffers(temporary.Get()) != 0;
    error = written ? FileError::None : LastError();
    if (!temporary.Close() && written) {
        error = LastError();
    }
    if (error == FileError::None) {
        // ReplaceFileW keeps the replaced file's security and attributes; where it cannot be used
        // (another volume's rules, a file system without it), a replacing move does the same job.
        const bool moved =
            (replacing && ::ReplaceFileW(target.c_str(), temporaryPath.c_str(), nullptr,
                                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0) ||
            ::MoveFileExW(temporaryPath.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        if (moved) {
            return FileError::None;
        }
        error = LastError();
    }
    ::DeleteFileW(temporaryPath.c_str());
    return error;
}

FileError CheckFileWritable(const std::string& path) {
    // The checks of the atomic write, with nothing written: the file itself, then its folder, which
    // must take the new content's temporary file.
    WindowsHandle existing;
    if (const FileError error = CheckTarget(path, existing); error != FileError::None) {
        return error;
    }
    const std::string folder = FolderOfPath(path);
    return CheckFolderWritable(folder.empty() ? std::string(".") + PathSeparator : folder);
}

bool IsForeignLink(const std::string&) {
    // Making a symbolic link takes a privilege on Windows (administrators, or developer mode), so
    // another plain user cannot plant one; the file's access-control list guards the rest.
    return false;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsReadOnlyFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool MakeDirectory(const std::string& path) {
    // The folder's default security, inherited from the folder above.
    if (::CreateDirectoryW(Widen(path).c_str(), nullptr) == 0 && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    return DirectoryExists(path);
}

} // namespace vorn
