#include "platform/Folders.h"
#include "platform/Win32.h"

#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

namespace vorn {

namespace {

// A known folder ("C:\ProgramData\"), or empty when Windows cannot name it.
std::string KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* path = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path != nullptr) {
        folder = FolderWithSeparator(Narrow(path));
    }
    ::CoTaskMemFree(path);
    return folder;
}

// A folder given by the environment in place of a known one (a portable set-up, the tests).
std::string Overridden(const EnvironmentLookup& environment, const char* name) {
    const auto value = environment(name);
    return value && PathRootLength(*value) > 0 ? FolderWithSeparator(*value) : std::string();
}

} // namespace

std::string ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string DataBaseFolder(const EnvironmentLookup& environment) {
    const std::string overridden = Overridden(environment, "VORN_PROGRAM_DATA");
    // The common application-data folder (CSIDL_COMMON_APPDATA), shared by every user of the machine.
    return overridden.empty() ? KnownFolder(FOLDERID_ProgramData) : overridden;
}

std::string DocumentsBaseFolder(const EnvironmentLookup& environment) {
    const std::string overridden = Overridden(environment, "VORN_DOCUMENTS");
    // The common documents folder (CSIDL_COMMON_DOCUMENTS).
    return overridden.empty() ? KnownFolder(FOLDERID_PublicDocuments) : overridden;
}

} // namespace vorn
