#pragma once

// The text helpers lived here once; session/ and cli/ still reach them through this header.
#include "base/AsciiText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The INI dialect of the language files (and of the registry stand-in):
// - every line is trimmed of spaces and control characters at both ends; empty lines are skipped;
// - a line starting with ";" is a comment;
// - "[name]" opens a section (the name trimmed); lines before the first section are ignored;
// - any other line is an entry: key and value are the trimmed texts before and after the first "=",
//   a line without "=" is an entry without value;
// - section and key names match without regard to (ASCII) letter case; entries keep file order.
// A section that appears twice continues the first one. When a key appears twice, lookups find the
// first; the list of entries holds both.
namespace vorn {

struct IniEntry {
    std::string key; // the whole trimmed line for an entry without "="
    std::string value;
    bool hasValue = false; // the line holds "="

    // "key=value", or the bare line for an entry without "=".
    std::string Line() const { return hasValue ? key + "=" + value : key; }
};

struct IniSection {
    std::string name;
    std::vector<IniEntry> entries;
};

class IniDocument {
public:
    IniDocument() = default;
    // Parses UTF-8 text; lines end at CR, LF or CR LF.
    static IniDocument Parse(std::string_view text);

    bool Empty() const { return sections_.empty(); }
    const std::vector<IniSection>& Sections() const { return sections_; }
    const IniSection* FindSection(std::string_view name) const;
    // An entry with "=" whose key matches; entries without "=" have no key to be found by.
    const IniEntry* FindEntry(std::string_view section, std::string_view key) const;

private:
    std::vector<IniSection> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;          // folded name -> section
    std::vector<std::unordered_map<std::string, std::size_t>> keyIndex_; // per section: folded key -> entry
};

} // namespace vorn
