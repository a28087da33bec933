#pragma once

#include "base/IniDocument.h"
#include "platform/FileError.h"
#include "platform/Locale.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The machine's read-only registry, kept in "Registry.ini" in the installation folder: one section
// per key path below the local-machine root, such as
//   [Software\ORSK\VORN Programmer v2\Regions\Europe\RxFrequencyBands]
// Each entry line is one value: its whole line is the value's name (the band
// lists use names such as "1=869.2125 MHz"), and a line "name=data" gives the data of that name
// ("Install Language Code=1033"). Key paths match without regard to letter case or a trailing "\".
// Where the system has a registry of its own (Windows), a loaded registry reads the local-machine keys
// the installer laid down first, and a key or value missing there from the file.
// The program never writes either.
namespace vorn {

inline constexpr std::string_view RegistryFileName = "Registry.ini";
inline constexpr std::string_view ProgramRegistryKey = "Software\\ORSK\\VORN Programmer v2\\";
inline constexpr std::string_view InstallLanguageValue = "Install Language Code";

class Registry {
public:
    Registry() = default;
    // A missing or unreadable file gives a registry without keys; LoadError says why.
    static Registry Load(const std::string& path);
    static Registry FromText(std::string_view bytes);

    // The file it was loaded from (empty for FromText).
    const std::string& Path() const { return path_; }
    // Why the file could not be read; None when it was.
    FileError LoadError() const { return loadError_; }
    // True when it holds no key at all (a missing, unreadable or empty file).
    bool Empty() const;
    // Why the registry holds nothing, for a message: the read error ("no such file"), or "the file
    // holds no keys" for one that was read; empty when it holds keys.
    std::string Problem() const;

    bool HasKey(std::string_view keyPath) const;
    // The names of all values of the key, in file order; nullopt when the key does not exist.
    std::optional<std::vector<std::string>> ValueNames(std::string_view keyPath) const;
    // The data of a "name=data" value; nullopt when the key or the value does not exist.
    std::optional<std::string> Value(std::string_view keyPath, std::string_view name) const;

private:
    IniDocument content_;
    std::string path_;
    FileError loadError_ = FileError::None;
    bool system_ = false; // the system's registry is read first
};

// The system's own registry below the local-machine root, read only: on Windows HKEY_LOCAL_MACHINE
// (its 64-bit view); elsewhere there is none and both give nullopt.
// The names of all values of a key, in the registry's order; nullopt when the key does not exist.
std::optional<std::vector<std::string>> SystemRegistryValueNames(std::string_view keyPath);
// The text of a value; nullopt when the key or the value does not exist or holds no text.
std::optional<std::string> SystemRegistryValue(std::string_view keyPath, std::string_view name);

// The language code the installer chose: "Install Language Code" of the program's key; when the
// registry has none, the code of the user's locale (de_DE gives "1031"); empty when neither is known.
std::string InstallLanguageCode(const Registry& registry,
                                const EnvironmentLookup& environment = ProcessEnvironment);

} // namespace vorn
