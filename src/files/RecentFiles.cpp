#include "files/RecentFiles.h"

#include "base/AsciiText.h"
#include "files/SettingsFile.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace vorn {

namespace {

std::string KeyOf(std::size_t number) {
    return "RecentFile" + std::to_string(number);
}

// One file however its path is written ("a//b/./c.vorn" is "a/b/c.vorn").
std::string Normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

} // namespace

void RecentFiles::Load(const SettingsFile& settings) {
    paths_.clear();
    for (std::size_t number = 1; number <= MaxFiles; ++number) {
        const std::string path = settings.Read(KeyOf(number));
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), Normal(path)) == paths_.end()) {
            paths_.push_back(Normal(path));
        }
    }
}

void RecentFiles::Reload(const SettingsFile& settings) {
    if (!settings.Writable()) {
        return; // a tool's settings change in memory only
    }
    // Only the list is read again: the settings object keeps what it holds (a value a failed write
    // kept in memory, say).
    SettingsFile stored;
    stored.Open(settings.Path(), SettingsFile::Access::ReadOnly);
    Load(stored);
}

bool RecentFiles::Add(SettingsFile& settings, const std::string& path) {
    Reload(settings);
    const std::string normal = Normal(path);
    std::erase(paths_, normal);
    paths_.insert(paths_.begin(), normal);
    if (paths_.size() > MaxFiles) {
        paths_.resize(MaxFiles);
    }
    return Store(settings);
}

bool RecentFiles::Remove(SettingsFile& settings, const std::string& path) {
    Reload(settings);
    std::erase(paths_, Normal(path));
    return Store(settings);
}

bool RecentFiles::Clear(SettingsFile& settings) {
    paths_.clear();
    return Store(settings);
}

bool RecentFiles::Store(SettingsFile& settings) const {
    std::vector<std::pair<std::string, std::string>> values;
    for (std::size_t number = 1; number <= MaxFiles; ++number) {
        values.emplace_back(KeyOf(number), number <= paths_.size() ? paths_[number - 1] : std::string());
    }
    return settings.Write(values);
}

std::vector<std::string> RecentFiles::MenuCaptions(const std::string& home) const {
    std::vector<std::string> captions;
    // The list holds paths in the system's own form, so the home folder is compared in it too.
    constexpr char Separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string prefix = home.empty() ? home : Normal(home);
    if (!prefix.empty() && prefix.back() != Separator) {
        prefix += Separator;
    }
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        std::string shown = paths_[i];
        if (prefix.size() > 1 && shown.starts_with(prefix)) {
            shown = std::string("~") + Separator + shown.substr(prefix.size());
        }
        captions.push_back("&" + std::to_string(i + 1) + " " + EscapeAmpersands(shown));
    }
    return captions;
}

} // namespace vorn
