#include "lang/ListIni.h"

#include "base/AsciiText.h"
#include "base/TextDecoding.h"
#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <algorithm>

namespace vorn {

std::string UndefinedMarker(std::string_view section, std::string_view key) {
    std::string marker = "[";
    marker += section;
    marker += "] '";
    marker += key;
    marker += "' IS UNDEFINED";
    return marker;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t tilde = text.find('~');
        if (tilde == std::string_view::npos) {
            lines.emplace_back(text);
            break;
        }
        lines.emplace_back(text.substr(0, tilde));
        text.remove_prefix(tilde + 1);
    }
    return lines;
}

std::string LanguageDisplayName(std::string_view fileName) {
    fileName = fileName.substr(0, fileName.find('.'));
    return std::string(fileName.substr(0, fileName.find('-')));
}

void ListIni::SetFolder(std::string folder) {
    if (!folder.empty() && !IsPathSeparator(folder.back())) {
        folder += PathSeparator;
    }
    folder_ = std::move(folder);
}

int ListIni::ListLanguageFiles(std::vector<std::string>& list) const {
    list.clear();
    FileError error = FileError::None;
    const std::string folder = folder_.empty() ? std::string(".") + PathSeparator : folder_;
    for (const std::string& name : ListFolder(folder, error).value_or(std::vector<std::string>{})) {
        if (EndsWithIgnoreCase(name, LanguageFileExtension) && FileExists(folder + name)) {
            list.push_back(name);
        }
    }
    std::sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        const std::string fa = FoldCase(a);
        const std::string fb = FoldCase(b);
        return fa != fb ? fa < fb : a < b;
    });
    return static_cast<int>(list.size());
}

LanguageChoice ListIni::ChooseLanguageFile(const std::vector<std::string>& list, std::string_view wanted) {
    if (list.empty()) {
        return {};
    }
    for (const auto& name : list) {
        if (EqualsIgnoreCase(name, wanted)) {
            return {name, false};
        }
    }
    for (const auto& name : list) {
        if (EqualsIgnoreCase(name, FallbackLanguageFile)) {
            return {name, true};
        }
    }
    return {list.front(), true};
}

void ListIni::LoadFile(const std::string& path) {
    path_ = path;
    const auto bytes = ReadWholeFile(path, MaxLanguageFileBytes, loadError_);
    content_ = bytes ? IniDocument::Parse(DecodeText(*bytes)) : IniDocument{};
}

void ListIni::LoadBytes(std::string_view bytes) {
    content_ = IniDocument::Parse(DecodeText(bytes));
    loadError_ = FileError::None;
}

std::string ListIni::Text(std::string_view section, std::string_view key) const {
    const IniEntry* entry = content_.FindEntry(section, key);
    if (entry == nullptr || entry->value.empty()) {
        return UndefinedMarker(section, key);
    }
    return entry->value;
}

bool ListIni::Defines(std::string_view section, std::string_view key) const {
    const IniEntry* entry = content_.FindEntry(section, key);
    return entry != nullptr && !entry->value.empty();
}

void ListIni::ReadList(std::string_view section, std::vector<std::string>& list) const {
    list.clear();
    if (const IniSection* found = content_.FindSection(section)) {
        list.reserve(found->entries.size());
        for (const auto& entry : found->entries) {
            list.push_back(entry.Line());
        }
    }
}

} // namespace vorn
