#pragma once

#include "platform/Locale.h"

#include <string>

// Where the program's files live on this platform (every path ends with "/"):
// - installation folder: <exe>/../share/vorn-programmer/ when it exists, else the executable's folder
//   (a build tree); VORN_INSTALL_DIR overrides it;
// - program data folder (settings and language files): $XDG_DATA_HOME (default ~/.local/share) +
//   "ORSK/VORN Programmer v2/";
// - configuration folder (the region's default configurations): the XDG documents folder
//   ($XDG_DOCUMENTS_DIR, else "XDG_DOCUMENTS_DIR" of ~/.config/user-dirs.dirs, else ~/Documents) +
//   "ORSK/VORN v2 Config/".
namespace vorn {

inline constexpr const char* ProgramDataSubPath = "ORSK/VORN Programmer v2/";
inline constexpr const char* ConfigSubPath = "ORSK/VORN v2 Config/";
inline constexpr const char* SettingsFileName = "VornProg_v2.ini";
inline constexpr const char* SettingsSection = "VORN Programmer v2";

// The running executable's full path (empty when it cannot be found out).
std::string ExecutablePath();
std::string InstallationFolder(const std::string& executablePath = ExecutablePath(),
                               const EnvironmentLookup& environment = ProcessEnvironment);
// The machine-wide base folders, "/"-terminated; empty when the environment names no home.
std::string DataBaseFolder(const EnvironmentLookup& environment = ProcessEnvironment);
std::string DocumentsBaseFolder(const EnvironmentLookup& environment = ProcessEnvironment);
std::string ProgramDataFolder(const EnvironmentLookup& environment = ProcessEnvironment);
std::string ConfigFolder(const EnvironmentLookup& environment = ProcessEnvironment);

// The folder part of a path, with its trailing "/"; empty for a bare name.
std::string FolderOfPath(const std::string& path);
// The file-name part of a path.
std::string FileNameOfPath(const std::string& path);

// The decimal separator of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG): a comma for the
// languages that write one, else a full stop.
char32_t DecimalSeparatorOfLocale(const EnvironmentLookup& environment = ProcessEnvironment);

} // namespace vorn
