#pragma once

#include "base/CodeList.h"
#include "base/IniDocument.h"
#include "platform/FileError.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The language reader: one loaded language file, looked up by section and key. The main window keeps
// one; the change-ID-code dialog keeps a second that loads the same file.
namespace vorn {

// Language files above this size count as unreadable (empty content): no real one comes near it.
inline constexpr std::size_t MaxLanguageFileBytes = 16u * 1024u * 1024u;
inline constexpr std::string_view LanguageFileExtension = ".lang";
inline constexpr std::string_view FallbackLanguageFile = "English-1033.lang";

struct LanguageChoice {
    std::string name; // empty when the list is empty
    bool fallback = false;
    friend bool operator==(const LanguageChoice&, const LanguageChoice&) = default;
};

class ListIni {
public:
    ListIni() = default;

    // The folder of the language files; a trailing separator is added when missing.
    void SetFolder(std::string folder);
    const std::string& Folder() const { return folder_; }

    // Clears the list and adds the name of every regular file in the folder whose name ends with
    // ".lang" (any letter case). Sorted by name, ignoring letter case, so the language menu and the
    // fallback to the first file do not depend on the file system's enumeration order.
    int ListLanguageFiles(std::vector<std::string>& list) const;

    // The wanted name when the list holds it (letter case ignored; the result is spelled as in the
    // list, so the file can be opened on a case-sensitive file system), else "English-1033.lang" or
    // the first entry with the fallback flag set; empty without fallback for an empty list.
    static LanguageChoice ChooseLanguageFile(const std::vector<std::string>& list, std::string_view wanted);

    // Replaces the content by the file's; a missing, unreadable or oversized file gives empty content
    // (LoadError says why).
    void LoadFile(const std::string& path);
    // Replaces the content by a text already in memory (the bytes of a file, decoded as a file is).
    void LoadBytes(std::string_view bytes);
    const std::string& FilePath() const { return path_; }
    // Why the last LoadFile read nothing; None when it read the file.
    FileError LoadError() const { return loadError_; }
    const IniDocument& Content() const { return content_; }

    // The value, or "[section] 'key' IS UNDEFINED" when the key is missing or its value is empty.
    std::string Text(std::string_view section, std::string_view key) const;
    // True when Text would give a value rather than the undefined marker.
    bool Defines(std::string_view section, std::string_view key) const;
    // Clears the list and copies every entry of the section, in file order, as "key=value" (the bare
    // line for an entry without "="); a missing section leaves it empty.
    void ReadList(std::string_view section, std::vector<std::string>& list) const;

private:
    std::string path_;
    std::string folder_;
    IniDocument content_;
    FileError loadError_ = FileError::None;
};

// The marker that stands for a missing text.
std::string UndefinedMarker(std::string_view section, std::string_view key);

// The lines of a "MEMO-" text, separated by "~": "a~~b" gives a, an empty line and b; a trailing "~"
// adds no empty line; an empty text gives no lines.
std::vector<std::string> SplitLines(std::string_view text);

// The name a language file is shown under: everything from the first "." on is cut, then everything
// from the first "-" on ("English-1033.lang" gives "English").
std::string LanguageDisplayName(std::string_view fileName);

} // namespace vorn
