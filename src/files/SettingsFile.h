#pragma once

#include "platform/FileError.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The settings file "VornProg_v2.ini": one section of text values, shared by every user of the
// machine and by every program that runs at the same time (the window and vornctl). Every write reads
// the file again and changes only the keys written: every other line (other keys, other sections,
// comments) stays as it is, so one program does not undo what another stored meanwhile. The file is
// replaced atomically, so a crash or a full disk leaves the previous file whole.
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
    // Sets the value and merges it into the file at once; false when the file could not be written
    // (the value is kept in memory all the same; LastWriteError says why) or the value holds a line
    // break, which one INI line cannot carry (then neither memory nor file change). A read-only
    // settings file only changes in memory and reports false. A settings file that is a symbolic link
    // another user put into a folder that is not ours is never written through.
    bool Write(std::string_view key, std::string value);
    // Several values in one write of the file (the twelve default paths, say).
    bool Write(const std::vector<std::pair<std::string, std::string>>& values);
    // Why the last write did not reach the file; None after one that did.
    FileError LastWriteError() const { return lastWriteError_; }

    // The file's text with the values merged in: each key's first line in the section gets the new
    // value, a key the section lacks is added after its last entry (the section is added when the
    // text has none), and every other line stays as it is.
    static std::string Merge(std::string_view text,
                             const std::vector<std::pair<std::string, std::string>>& values);

private:
    void Load(std::string_view text);
    void Remember(const std::vector<std::pair<std::string, std::string>>& values);

    std::string path_;
    Access access_ = Access::ReadOnly;
    std::vector<std::pair<std::string, std::string>> entries_;
    FileError lastWriteError_ = FileError::None;
};

} // namespace vorn
