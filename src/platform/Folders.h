#pragma once

#include "platform/Locale.h"
#include "platform/Paths.h"

#include <string>

// Where the program's files live on this platform (every path ends with the path separator):
// - installation folder: <exe>/../share/vorn-programmer/ when it exists, else the executable's folder
//   (a build tree, or the program's folder on Windows); VORN_INSTALL_DIR overrides it;
// - program data folder (settings and language files): the machine-wide application-data folder +
//   "ORSK/VORN Programmer v2/". Linux: $XDG_DATA_HOME (default ~/.local/share). Windows: the common
//   application-data known folder (C:\ProgramData), or VORN_PROGRAM_DATA;
// - configuration folder (the region's default configurations): the documents folder +
//   "ORSK/VORN v2 Config/". Linux: the XDG documents folder ($XDG_DOCUMENTS_DIR, else
//   "XDG_DOCUMENTS_DIR" of ~/.config/user-dirs.dirs, else ~/Documents). Windows: the common documents
//   known folder (C:\Users\Public\Documents), or VORN_DOCUMENTS.
namespace vorn {

#ifdef _WIN32
inline constexpr const char* ProgramDataSubPath = "ORSK\\VORN Programmer v2\\";
inline constexpr const char* ConfigSubPath = "ORSK\\VORN v2 Config\\";
#else
inline constexpr const char* ProgramDataSubPath = "ORSK/VORN Programmer v2/";
inline constexpr const char* ConfigSubPath = "ORSK/VORN v2 Config/";
#endif
inline constexpr const char* SettingsFileName = "VornProg_v2.ini";
inline constexpr const char* SettingsSection = "VORN Programmer v2";

// The running executable's full path (empty when it cannot be found out).
std::string ExecutablePath();
std::string InstallationFolder(const std::string& executablePath = ExecutablePath(),
                               const EnvironmentLookup& environment = ProcessEnvironment);
// The machine-wide base folders, separator-terminated; empty when none is known (Linux: no home).
std::string DataBaseFolder(const EnvironmentLookup& environment = ProcessEnvironment);
std::string DocumentsBaseFolder(const EnvironmentLookup& environment = ProcessEnvironment);
std::string ProgramDataFolder(const EnvironmentLookup& environment = ProcessEnvironment);
std::string ConfigFolder(const EnvironmentLookup& environment = ProcessEnvironment);

// The folder part of a path, with its trailing separator; empty for a bare name.
std::string FolderOfPath(const std::string& path);
// The file-name part of a path.
std::string FileNameOfPath(const std::string& path);

// The decimal separator of the user's numeric locale (LC_ALL, LC_NUMERIC, LANG): a comma for the
// languages that write one, else a full stop.
char32_t DecimalSeparatorOfLocale(const EnvironmentLookup& environment = ProcessEnvironment);

} // namespace vorn
