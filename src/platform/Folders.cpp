#include "platform/Folders.h"

#include "platform/Files.h"

#include <array>
#include <climits>
#include <string_view>
#include <unistd.h>

namespace vorn {

namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string Home(const EnvironmentLookup& environment) {
    const auto home = environment("HOME");
    return home && !home->empty() ? WithSlash(*home) : std::string();
}

// "XDG_DOCUMENTS_DIR" of user-dirs.dirs: a line such as XDG_DOCUMENTS_DIR="$HOME/Dokumente".
std::string DocumentsFromUserDirs(const std::string& home, const EnvironmentLookup& environment) {
    const auto configHome = environment("XDG_CONFIG_HOME");
    const std::string file =
        (configHome && !configHome->empty() ? WithSlash(*configHome) : home + ".config/") + "user-dirs.dirs";
    const auto content = ReadWholeFile(file, 64 * 1024);
    if (!content) {
        return {};
    }
    constexpr std::string_view Key = "XDG_DOCUMENTS_DIR=\"";
    const auto start = content->find(Key);
    if (start == std::string::npos) {
        return {};
    }
    const auto valueStart = start + Key.size();
    const auto end = content->find('"', valueStart);
    if (end == std::string::npos) {
        return {};
    }
    std::string value = content->substr(valueStart, end - valueStart);
    if (value.starts_with("$HOME/")) {
        value = home + value.substr(6);
    } else if (value == "$HOME") {
        value = home;
    }
    return value.empty() || value.front() != '/' ? std::string() : WithSlash(value);
}

// Languages whose numbers are written with a decimal comma.
constexpr std::array<std::string_view, 33> CommaLanguages{
    "bg", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi", "fr", "gl", "hr", "hu", "id", "is", "it",
    "lt", "lv", "nb", "nl", "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sr", "sv", "tr", "uk"};

} // namespace

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string InstallationFolder(const std::string& executablePath, const EnvironmentLookup& environment) {
    const auto overridden = environment("VORN_INSTALL_DIR");
    if (overridden && !overridden->empty()) {
        return WithSlash(*overridden);
    }
    const std::string exeFolder = FolderOfPath(executablePath);
    const std::string shared = exeFolder + "../share/vorn-programmer/";
    return DirectoryExists(shared) ? shared : exeFolder;
}

std::string DataBaseFolder(const EnvironmentLookup& environment) {
    const auto dataHome = environment("XDG_DATA_HOME");
    if (dataHome && !dataHome->empty() && dataHome->front() == '/') {
        return WithSlash(*dataHome);
    }
    const std::string home = Home(environment);
    return home.empty() ? std::string() : home + ".local/share/";
}

std::string DocumentsBaseFolder(const EnvironmentLookup& environment) {
    const auto documents = environment("XDG_DOCUMENTS_DIR");
    if (documents && !documents->empty() && documents->front() == '/') {
        return WithSlash(*documents);
    }
    const std::string home = Home(environment);
    if (home.empty()) {
        return {};
    }
    const std::string fromUserDirs = DocumentsFromUserDirs(home, environment);
    return fromUserDirs.empty() ? home + "Documents/" : fromUserDirs;
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
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOfPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
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
