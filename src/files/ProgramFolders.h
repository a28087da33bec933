#pragma once

#include "platform/Locale.h"

#include <string>
#include <string_view>

// The three folders of the program, resolved once at start (every path ends with the separator):
// - installation: the shipped data (language files, Registry.ini, DefaultConfig/<region>/);
// - program data: the settings file and the language files in use;
// - configuration: the current region's default configurations, first folder of the file dialogs.
namespace vorn {

struct ProgramFolders {
    std::string installation;
    std::string programData;
    std::string config;
};

enum class FolderCreation {
    Create,    // the program: missing folders are made
    PathsOnly, // a tool that changes nothing on disk: the same paths, nothing created
};

// One shared folder below a machine-wide base folder:
// - no base folder known (no home): the installation folder;
// - the base does not exist: with Create it is made first, as the XDG rules ask of a missing data or
//   documents folder; when it still does not exist, the installation folder;
// - otherwise "ORSK/" and then the whole sub-path are made when missing (a failure is ignored: later
//   reads find nothing and later writes fail where they happen), and the result is base + sub-path.
std::string ResolveSharedFolder(const std::string& base, std::string_view subPath,
                                const std::string& installationFolder, FolderCreation creation);

// The program-data folder first, then the configuration folder, from the environment (XDG variables,
// VORN_INSTALL_DIR) and the executable's path.
ProgramFolders ResolveProgramFolders(const EnvironmentLookup& environment, const std::string& executablePath,
                                     FolderCreation creation);

// Makes a folder and every missing folder above it; true when it exists afterwards.
bool MakeDirectories(const std::string& path);

} // namespace vorn
