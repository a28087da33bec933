#include "files/SettingsFile.h"

#include "base/IniDocument.h"
#include "base/TextDecoding.h"
#include "platform/Files.h"
#include "platform/Folders.h"

#include <algorithm>

namespace vorn {

void SettingsFile::Open(const std::string& path, Access access) {
    path_ = path;
    access_ = access;
    entries_.clear();
    const auto bytes = ReadWholeFile(path, MaxBytes);
    if (!bytes) {
        return;
    }
    const IniDocument document = IniDocument::Parse(DecodeText(*bytes));
    const IniSection* section = document.FindSection(SettingsSection);
    if (section == nullptr) {
        return;
    }
    for (const IniEntry& entry : section->entries) {
        // Only key=value lines are values; the first of a repeated key is the one that counts.
        if (entry.hasValue && !entry.key.empty() &&
            !std::any_of(entries_.begin(), entries_.end(),
                         [&](const auto& kept) { return EqualsIgnoreCase(kept.first, entry.key); })) {
            entries_.emplace_back(entry.key, entry.value);
        }
    }
}

std::string SettingsFile::Read(std::string_view key) const {
    for (const auto& [name, value] : entries_) {
        if (EqualsIgnoreCase(name, key)) {
            return value;
        }
    }
    return {};
}

bool SettingsFile::Write(std::string_view key, std::string value) {
    return Write({{std::string(key), std::move(value)}});
}

bool SettingsFile::Write(const std::vector<std::pair<std::string, std::string>>& values) {
    bool representable = true;
    for (const auto& [key, value] : values) {
        if (value.find_first_of("\r\n") != std::string::npos) {
            representable = false;
            continue;
        }
        const auto kept = std::find_if(entries_.begin(), entries_.end(),
                                       [&](const auto& entry) { return EqualsIgnoreCase(entry.first, key); });
        if (kept != entries_.end()) {
            kept->second = value;
        } else {
            entries_.emplace_back(key, value);
        }
    }
    return Writable() && WriteFileAtomically(path_, Serialise()) && representable;
}

std::string SettingsFile::Serialise() const {
    std::string text = "[" + std::string(SettingsSection) + "]\n";
    for (const auto& [name, value] : entries_) {
        text += name + "=" + value + "\n";
    }
    return text;
}

} // namespace vorn
