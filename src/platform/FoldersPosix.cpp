#include "platform/Files.h"
#include "platform/Folders.h"

#include <climits>
#include <string_view>
#include <unistd.h>

namespace vorn {

namespace {

std::string Home(const EnvironmentLookup& environment) {
    const auto home = environment("HOME");
    return home && !home->empty() ? FolderWithSeparator(*home) : std::string();
}

// "XDG_DOCUMENTS_DIR" of user-dirs.dirs: a line such as XDG_DOCUMENTS_DIR="$HOME/Dokumente".
std::string DocumentsFromUserDirs(const std::string& home, const EnvironmentLookup& environment) {
    const auto configHome = environment("XDG_CONFIG_HOME");
    const std::string file =
        (configHome && !configHome->empty() ? FolderWithSeparator(*configHome) : home + ".config/") +
        "user-dirs.dirs";
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
    return value.empty() || value.front() != '/' ? std::string() : FolderWithSeparator(value);
}

} // namespace

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string DataBaseFolder(const EnvironmentLookup& environment) {
    const auto dataHome = environment("XDG_DATA_HOME");
    if (dataHome && !dataHome->empty() && dataHome->front() == '/') {
        return FolderWithSeparator(*dataHome);
    }
    const std::string home = Home(environment);
    return home.empty() ? std::string() : home + ".local/share/";
}

std::string DocumentsBaseFolder(const EnvironmentLookup& environment) {
    const auto documents = environment("XDG_DOCUMENTS_DIR");
    if (documents && !documents->empty() && documents->front() == '/') {
        return FolderWithSeparator(*documents);
    }
    const std::string home = Home(environment);
    if (home.empty()) {
        return {};
    }
    const std::string fromUserDirs = DocumentsFromUserDirs(home, environment);
    return fromUserDirs.empty() ? home + "Documents/" : fromUserDirs;
}

} // namespace vorn
