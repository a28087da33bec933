#include "platform/Folders.h"

#include "platform/Files.h"

#include <array>
#include <string_view>

namespace vorn {

namespace {

// Languages whose numbers are written with a decimal comma.
constexpr std::array<std::string_view, 33> CommaLanguages{
    "bg", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi", "fr", "gl", "hr", "hu", "id", "is", "it",
    "lt", "lv", "nb", "nl", "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sr", "sv", "tr", "uk"};

} // namespace

std::string FolderWithSeparator(std::string folder) {
    if (PathSeparator != '/') {
        for (char& c : folder) {
            c = IsPathSeparator(c) ? PathSeparator : c;
        }
    }
    if (!folder.empty() && !IsPathSeparator(folder.back())) {
        folder += PathSeparator;
    }
    return folder;
}

std::size_t PathRootLength(std::string_view path) {
    if (PathSeparator == '/') {
        return path.starts_with('/') ? 1 : 0;
    }
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (drive) {
        return path.size() >= 3 && IsPathSeparator(path[2]) ? 3 : 2;
    }
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
        // \\server\share\ (and \\?\C:\): the root takes two components after the two separators.
        std::size_t at = 2;
        for (int component = 0; component < 2 && at < path.size(); ++component) {
            const auto next = path.find_first_of(PathSeparators, at);
            at = next == std::string_view::npos ? path.size() : next + 1;
        }
        return at;
    }
    return !path.empty() && IsPathSeparator(path[0]) ? 1 : 0;
}

std::string InstallationFolder(const std::string& executablePath, const EnvironmentLookup& environment) {
    const auto overridden = environment("VORN_INSTALL_DIR");
    if (overridden && !overridden->empty()) {
        return FolderWithSeparator(*overridden);
    }
    const std::string exeFolder = FolderWithSeparator(FolderOfPath(executablePath));
    const std::string shared = FolderWithSeparator(exeFolder + "../share/vorn-programmer/");
    return DirectoryExists(shared) ? shared : exeFolder;
}

std::string ProgramDataFolder(const EnvironmentLookup& environment) {
    const std::string base = DataBaseFolder(environment);
    return base.empty() ? std::string() : base + ProgramDataSubPath;
}

std::string ConfigFolder(const EnvironmentLookup& environment) {
    const std::string base = DocumentsBaseFolder(environment);
    return base.empty() ? std::string() : base + ConfigSubPath;
}

std::string FolderOfPath(const std::string& path) {
    const auto slash = path.find_last_of(PathSeparators);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOfPath(const std::string& path) {
    const auto slash = path.find_last_of(PathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

char32_t DecimalSeparatorOfLocale(const EnvironmentLookup& environment) {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const auto value = environment(name);
        if (value && !value->empty()) {
            locale = *value;
            break;
        }
    }
    const std::string language = locale.substr(0, locale.find_first_of("_-.@"));
    for (std::string_view comma : CommaLanguages) {
        if (language == comma) {
            return ',';
        }
    }
    return '.';
}

} // namespace vorn
