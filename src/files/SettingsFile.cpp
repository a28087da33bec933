#include "files/SettingsFile.h"

#include "base/AsciiText.h"
#include "base/IniDocument.h"
#include "base/TextDecoding.h"
#include "platform/Files.h"
#include "platform/Folders.h"

#include <algorithm>

namespace vorn {

namespace {

struct Line {
    std::string_view text; // without its line end
    std::string_view end;  // "\n", "\r\n", "\r" or "" for the last line
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines.push_back({text.substr(start), {}});
            break;
        }
        const std::size_t endLength =
            text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n' ? 2 : 1;
        lines.push_back({text.substr(start, stop - start), text.substr(stop, endLength)});
        start = stop + endLength;
    }
    return lines;
}

// "[name]" as the INI dialect reads it: the name, or nothing for any other line.
std::string_view SectionName(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
        return TrimBlanks(trimmed.substr(1, trimmed.size() - 2));
    }
    return {};
}

// The key of a "key=value" line, as the INI dialect reads it; nothing for any other line.
std::string_view KeyOf(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    const auto eq = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || eq == std::string_view::npos) {
        return {};
    }
    return TrimBlanks(trimmed.substr(0, eq));
}

} // namespace

void SettingsFile::Open(const std::string& path, Access access) {
    path_ = path;
    access_ = access;
    lastWriteError_ = FileError::None;
    const auto bytes = ReadWholeFile(path, MaxBytes);
    Load(bytes ? DecodeText(*bytes) : std::string());
}

void SettingsFile::Load(std::string_view text) {
    entries_.clear();
    const IniDocument document = IniDocument::Parse(text);
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

void SettingsFile::Remember(const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& pair : values) {
        // A named reference, not a structured binding: clang before 16 cannot capture those.
        const std::string& key = pair.first;
        const auto kept = std::find_if(entries_.begin(), entries_.end(),
                                       [&](const auto& entry) { return EqualsIgnoreCase(entry.first, key); });
        if (kept != entries_.end()) {
            kept->second = pair.second;
        } else {
            entries_.emplace_back(key, pair.second);
        }
    }
}

bool SettingsFile::Write(const std::vector<std::pair<std::string, std::string>>& values) {
    std::vector<std::pair<std::string, std::string>> representable;
    for (const auto& pair : values) {
        if (pair.second.find_first_of("\r\n") == std::string::npos) {
            representable.push_back(pair);
        }
    }
    const bool allRepresentable = representable.size() == values.size();
    if (!Writable()) {
        Remember(representable);
        lastWriteError_ = FileError::Other;
        return false;
    }
    // What the file holds now, another program's changes included; a file too large to be ours is
    // replaced, any other that cannot be read is left alone rather than lose lines.
    FileError error = FileError::None;
    const auto bytes = ReadWholeFile(path_, MaxBytes, error);
    if (!bytes && error != FileError::NoSuchFile && error != FileError::FileTooLarge) {
        Remember(representable);
        lastWriteError_ = error;
        return false;
    }
    const std::string merged = Merge(bytes ? DecodeText(*bytes) : std::string(), representable);
    if (IsForeignLink(path_)) {
        error = FileError::UnsafeLink;
    } else {
        WriteFileAtomically(path_, merged.data(), merged.size(), error);
    }
    lastWriteError_ = error;
    if (error != FileError::None) {
        Remember(representable);
        return false;
    }
    Load(merged);
    return allRepresentable;
}

std::string SettingsFile::Merge(std::string_view text,
                                const std::vector<std::pair<std::string, std::string>>& values) {
    const std::vector<Line> lines = SplitLines(text);
    // New lines end as the file's first line does.
    const std::string_view newline = !lines.empty() && !lines.front().end.empty() ? lines.front().end : "\n";
    std::vector<std::string> replaced(lines.size());
    std::vector<bool> isReplaced(lines.size(), false);
    std::string added;
    std::size_t insertAfter = lines.size(); // the last entry of the section's first part; none yet
    bool sectionSeen = false;
    bool inSection = false;
    bool inFirstPart = false;
    std::vector<bool> done(values.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const std::string_view name = SectionName(lines[i].text); !name.empty()) {
            inSection = EqualsIgnoreCase(name, SettingsSection);
            inFirstPart = inSection && !sectionSeen;
            if (inFirstPart) {
                sectionSeen = true;
                insertAfter = i;
            }
            continue;
        }
        const std::string_view key = inSection ? KeyOf(lines[i].text) : std::string_view();
        if (key.empty()) {
            continue;
        }
        if (inFirstPart) {
            insertAfter = i;
        }
        for (std::size_t v = 0; v < values.size(); ++v) {
            if (!done[v] && EqualsIgnoreCase(key, values[v].first)) {
                replaced[i] = std::string(key) + "=" + values[v].second;
                isReplaced[i] = true;
                done[v] = true;
            }
        }
    }
    for (std::size_t v = 0; v < values.size(); ++v) {
        if (!done[v]) {
            added += values[v].first + "=" + values[v].second + std::string(newline);
        }
    }
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += isReplaced[i] ? replaced[i] : std::string(lines[i].text);
        // The last line gets an end when something follows it.
        const bool followed = i + 1 < lines.size() || (i == insertAfter && !added.empty());
        out += lines[i].end.empty() && followed ? std::string(newline) : std::string(lines[i].end);
        if (i == insertAfter) {
            out += added;
        }
    }
    if (!sectionSeen && !added.empty()) {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') {
            out += newline;
        }
        out += "[" + std::string(SettingsSection) + "]" + std::string(newline) + added;
    }
    return out;
}

} // namespace vorn
