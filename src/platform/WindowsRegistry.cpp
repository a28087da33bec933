#include "platform/Registry.h"
#include "platform/Win32.h"

#include <windows.h>

namespace vorn {

namespace {

// A key opened for reading, closed at the end of the scope.
class RegistryKey {
public:
    explicit RegistryKey(std::string_view keyPath) {
        while (!keyPath.empty() && keyPath.back() == '\\') {
            keyPath.remove_suffix(1);
        }
        // The 64-bit view, where a 64-bit installer writes; read only.
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(keyPath).c_str(), 0, KEY_READ | KEY_WOW64_64KEY,
                            &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::optional<std::vector<std::string>> SystemRegistryValueNames(std::string_view keyPath) {
    const RegistryKey key(keyPath);
    if (key.Get() == nullptr) {
        return std::nullopt;
    }
    DWORD longest = 0;
    if (::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    std::wstring name(longest + 1, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LSTATUS status =
            ::RegEnumValueW(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) {
            break;
        }
        names.push_back(Narrow(std::wstring_view(name.data(), length)));
    }
    return names;
}

std::optional<std::string> SystemRegistryValue(std::string_view keyPath, std::string_view name) {
    const RegistryKey key(keyPath);
    if (key.Get() == nullptr) {
        return std::nullopt;
    }
    const std::wstring valueName = Widen(name);
    DWORD bytes = 0;
    if (::RegGetValueW(key.Get(), nullptr, valueName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes < sizeof(wchar_t)) {
        return std::nullopt;
    }
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(key.Get(), nullptr, valueName.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return Narrow(text);
}

} // namespace vorn
