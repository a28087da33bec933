#include "base/IniDocument.h"

#include "base/AsciiText.h"

namespace vorn {

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument doc;
    std::size_t current = 0;
    bool inSection = false;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        const std::string_view line = TrimBlanks(text.substr(i, end - i));
        i = end;
        if (i < text.size() && text[i] == '\r') {
            ++i;
            if (i < text.size() && text[i] == '\n') {
                ++i;
            }
        } else if (i < text.size()) {
            ++i; // '\n'
        }
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string name(TrimBlanks(line.substr(1, line.size() - 2)));
            const std::string folded = FoldCase(name);
            const auto found = doc.sectionIndex_.find(folded);
            if (found != doc.sectionIndex_.end()) {
                current = found->second;
            } else {
                current = doc.sections_.size();
                doc.sections_.push_back({name, {}});
                doc.keyIndex_.emplace_back();
                doc.sectionIndex_.emplace(folded, current);
            }
            inSection = true;
            continue;
        }
        if (!inSection) {
            continue;
        }
        IniEntry entry;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            entry.key = std::string(line);
        } else {
            entry.key = std::string(TrimBlanks(line.substr(0, eq)));
            entry.value = std::string(TrimBlanks(line.substr(eq + 1)));
            entry.hasValue = true;
            doc.keyIndex_[current].emplace(FoldCase(entry.key), doc.sections_[current].entries.size());
        }
        doc.sections_[current].entries.push_back(std::move(entry));
    }
    return doc;
}

const IniSection* IniDocument::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(FoldCase(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const IniEntry* IniDocument::FindEntry(std::string_view section, std::string_view key) const {
    const auto s = sectionIndex_.find(FoldCase(section));
    if (s == sectionIndex_.end()) {
        return nullptr;
    }
    const auto& keys = keyIndex_[s->second];
    const auto k = keys.find(FoldCase(key));
    return k == keys.end() ? nullptr : &sections_[s->second].entries[k->second];
}

} // namespace vorn
