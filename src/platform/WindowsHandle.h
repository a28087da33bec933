#pragma once

#include "platform/FileError.h"

#include <windows.h>

// Windows only: a handle closed on every way out of the scope that holds it, and what it opened.
namespace vorn {

// Files are shared with other programs for reading, writing and renaming, as POSIX systems do.
inline constexpr DWORD ShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class WindowsHandle {
public:
    explicit WindowsHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    WindowsHandle(const WindowsHandle&) = delete;
    WindowsHandle& operator=(const WindowsHandle&) = delete;
    ~WindowsHandle() { Close(); }

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }
    // Hands the handle on without closing it.
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    // Closes it; false when the close reported an error (a write that failed late).
    bool Close() {
        const bool closed = !Valid() || ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// The reason an open handle is no regular file: a device (NUL, CON, a COM port), a pipe.
inline FileError KindOfHandle(HANDLE handle) {
    switch (::GetFileType(handle)) {
    case FILE_TYPE_DISK: return FileError::None;
    case FILE_TYPE_PIPE: return FileError::IsFifo;
    case FILE_TYPE_CHAR: return FileError::IsDevice;
    default: return FileError::NotRegularFile;
    }
}

} // namespace vorn
