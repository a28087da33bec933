#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vorn {

class SettingsFile;

// The configuration files last opened or saved, newest first, each once, as File > Open recent lists
// them. They are kept in the settings file ("RecentFile1" to "RecentFile8"); each change reads the
// list there again first, so two programs running at once both add to it.
class RecentFiles {
public:
    static constexpr std::size_t MaxFiles = 8;

    // Reads the list from the settings (empty and repeated entries skipped).
    void Load(const SettingsFile& settings);
    // Puts a file first (an earlier entry of the same file goes), keeps the newest eight and stores
    // the list; false when the settings file could not be written (the list holds all the same).
    bool Add(SettingsFile& settings, const std::string& path);
    bool Remove(SettingsFile& settings, const std::string& path);
    bool Clear(SettingsFile& settings);

    const std::vector<std::string>& Paths() const { return paths_; }
    // The menu's captions: the number as the accelerator, then the path with the home folder as "~".
    std::vector<std::string> MenuCaptions(const std::string& home) const;

private:
    void Reload(const SettingsFile& settings);
    bool Store(SettingsFile& settings) const;

    std::vector<std::string> paths_;
};

} // namespace vorn
