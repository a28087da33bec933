#include "files/ProgramFolders.h"

#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Paths.h"

#include <algorithm>

namespace vorn {

bool MakeDirectories(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (DirectoryExists(path)) {
        return true;
    }
    // Every folder on the way down, from the first below the root.
    for (std::size_t slash =
             path.find_first_of(PathSeparators, std::max<std::size_t>(PathRootLength(path), 1));
         slash != std::string::npos; slash = path.find_first_of(PathSeparators, slash + 1)) {
        const std::string upper = path.substr(0, slash);
        if (!DirectoryExists(upper) && !MakeDirectory(upper)) {
            return false;
        }
    }
    return MakeDirectory(path);
}

std::string ResolveSharedFolder(const std::string& base, std::string_view subPath,
                                const std::string& installationFolder, FolderCreation creation) {
    if (base.empty()) {
        return installationFolder;
    }
    const bool create = creation == FolderCreation::Create;
    if (!DirectoryExists(base) && !(create && MakeDirectories(base))) {
        return installationFolder;
    }
    const std::string folder = base + std::string(subPath);
    if (create) {
        const auto firstSlash = subPath.find_first_of(PathSeparators);
        if (firstSlash != std::string_view::npos) {
            MakeDirectory(base + std::string(subPath.substr(0, firstSlash)));
        }
        MakeDirectory(folder);
    }
    return folder;
}

ProgramFolders ResolveProgramFolders(const EnvironmentLookup& environment, const std::string& executablePath,
                                     FolderCreation creation) {
    ProgramFolders folders;
    folders.installation = InstallationFolder(executablePath, environment);
    folders.programData =
        ResolveSharedFolder(DataBaseFolder(environment), ProgramDataSubPath, folders.installation, creation);
    folders.config =
        ResolveSharedFolder(DocumentsBaseFolder(environment), ConfigSubPath, folders.installation, creation);
    return folders;
}

} // namespace vorn
