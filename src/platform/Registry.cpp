#include "platform/Registry.h"

#include "base/AsciiText.h"
#include "base/TextDecoding.h"
#include "platform/Files.h"

namespace vorn {

namespace {

// Registry files are small; anything larger is not one.
constexpr std::size_t MaxRegistryBytes = 4u * 1024u * 1024u;

std::string_view SectionName(std::string_view keyPath) {
    while (!keyPath.empty() && keyPath.back() == '\\') {
        keyPath.remove_suffix(1);
    }
    return keyPath;
}

} // namespace

Registry Registry::Load(const std::string& path) {
    FileError error = FileError::None;
    const auto bytes = ReadWholeFile(path, MaxRegistryBytes, error);
    Registry registry = bytes ? FromText(*bytes) : Registry{};
    registry.path_ = path;
    registry.loadError_ = bytes ? FileError::None : error;
    registry.system_ = true;
    return registry;
}

Registry Registry::FromText(std::string_view bytes) {
    Registry registry;
    // Section names are stored without a trailing "\" so that both spellings of a key path meet.
    std::string text = DecodeText(bytes);
    std::string normalised;
    normalised.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line = TrimBlanks(std::string_view(text).substr(i, end - i));
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            normalised += '[';
            normalised += SectionName(TrimBlanks(line.substr(1, line.size() - 2)));
            normalised += ']';
        } else {
            normalised += line;
        }
        normalised += '\n';
        i = end + 1;
    }
    registry.content_ = IniDocument::Parse(normalised);
    return registry;
}

bool Registry::Empty() const {
    return content_.Empty() && !(system_ && SystemRegistryValueNames(ProgramRegistryKey));
}

std::string Registry::Problem() const {
    if (!Empty()) {
        return {};
    }
    return loadError_ != FileError::None ? std::string(FileErrorText(loadError_)) : "the file holds no keys";
}

bool Registry::HasKey(std::string_view keyPath) const {
    return content_.FindSection(SectionName(keyPath)) != nullptr ||
           (system_ && SystemRegistryValueNames(keyPath));
}

std::optional<std::vector<std::string>> Registry::ValueNames(std::string_view keyPath) const {
    if (system_) {
        if (auto names = SystemRegistryValueNames(keyPath)) {
            return names;
        }
    }
    const IniSection* section = content_.FindSection(SectionName(keyPath));
    if (section == nullptr) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    names.reserve(section->entries.size());
    for (const auto& entry : section->entries) {
        names.push_back(entry.Line());
    }
    return names;
}

std::optional<std::string> Registry::Value(std::string_view keyPath, std::string_view name) const {
    if (system_) {
        if (auto value = SystemRegistryValue(keyPath, name)) {
            return value;
        }
    }
    const IniEntry* entry = content_.FindEntry(SectionName(keyPath), name);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return entry->value;
}

std::string InstallLanguageCode(const Registry& registry, const EnvironmentLookup& environment) {
    if (const auto code = registry.Value(ProgramRegistryKey, InstallLanguageValue); code && !code->empty()) {
        return *code;
    }
    if (const auto code = LanguageCodeOfLocale(UserMessagesLocale(environment))) {
        return std::to_string(*code);
    }
    return {};
}

} // namespace vorn
