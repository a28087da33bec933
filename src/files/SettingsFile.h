#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The settings file "VornProg_v2.ini": one section of text values, shared by every user of the
// machine. Every write reaches the disk at once and replaces the file atomically, so a crash or a full
// disk leaves the previous file whole.
namespace vorn {

inline constexpr std::string_view LanguageSettingsKey = "Language";
inline constexpr std::string_view OpenSaveDirectorySettingsKey = "OpenSaveDirectory";
inline constexpr std::string_view RegionSettingsKey = "Region";
// (The twelve default-configuration keys are the catalogue's settingsKey column.)

class SettingsFile {
public:
    // Larger files are no settings file of ours: they read as empty (and are replaced at the first
    // write), so a stray huge file neither hangs the start nor fills the memory.
    static constexpr std::size_t MaxBytes = 1024 * 1024;

    enum class Access {
        ReadWrite, // the program: writes go to the disk
        ReadOnly,  // a tool that must not change the program's settings: writes stay in memory
    };

    // Reads the file. A missing, unreadable, oversized or non-regular file reads as empty. The text is
    // decoded as the language files are (UTF-8, UTF-16 with a byte-order mark, else Windows-1252), so a
    // file saved by an editor in another encoding still reads. Keys are matched without regard to
    // letter case; a key or the section written twice reads as its first value.
    void Open(const std::string& path, Access access);

    const std::string& Path() const { return path_; }
    bool Writable() const { return access_ == Access::ReadWrite; }

    // The value of a key of the section, empty when it is missing.
    std::string Read(std::string_view key) const;
    // Sets the value and writes the whole file at once; false when the file could not be written
    // (the value is kept in memory all the same) or the value holds a line break, which one INI line
    // cannot carry (then neither memory nor file change). A read-only settings file only changes in
    // memory and reports false.
    bool Write(std::string_view key, std::string value);
    // Several values in one write of the file (the twelve default paths, say).
    bool Write(const std::vector<std::pair<std::string, std::string>>& values);

    // The file's content as Write produces it: the one section with every key in order.
    std::string Serialise() const;

private:
    std::string path_;
    Access access_ = Access::ReadOnly;
    std::vector<std::pair<std::string, std::string>> entries_;
};

} // namespace vorn
