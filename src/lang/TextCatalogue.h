#pragma once

#include "base/CodeLists.h"
#include "view/ControlText.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Which language text feeds which control, and every other text the program reads: the data that
// the language application works from and that a language file is checked against.
namespace vorn {

class ListIni;

// Rows of the editor pages that share one catalogue line; "#" in a key or control name stands for
// the row (numbers 1 to n; actions 1 to 9 then A to F in control names).
enum class RowSet { None, UserEvents, RadioEvents, Actions, GofaIdCodes };

struct CatalogueRow {
    std::string_view section;
    std::string_view key;
    std::string_view control;
    ControlProperty property;
    RowSet rows = RowSet::None;
};

// One text of one control, rows expanded.
struct ControlTextKey {
    std::string section;
    std::string key;
    std::string control;
    ControlProperty property;
};

// The main window's captions, hints and shortcuts.
std::span<const CatalogueRow> MainWindowCatalogue();
std::vector<ControlTextKey> MainWindowTextKeys();

// The texts the other windows take each time they are shown; control names the element (or
// "caption" for the window caption, "" for a text the window's code uses otherwise).
struct WindowTextRow {
    std::string_view window;
    std::string_view section;
    std::string_view key;
    std::string_view control;
};
std::span<const WindowTextRow> OtherWindowTexts();

// Messages, status texts, titles and the other texts the program reads by key. args lists the
// arguments its user passes, in order: 's' a text, 'i' an integer; empty for a text shown as it is.
struct ProgramTextRow {
    std::string_view section;
    std::string_view key;
    std::string_view args;
};
std::span<const ProgramTextRow> ProgramTexts();

// The arguments of a key, as ProgramTexts gives them ("" for a key without arguments or unknown).
std::string_view ArgumentsOf(std::string_view section, std::string_view key);

// Language sections that are lists of "code=text", and the code lists built from them.
struct ListSectionRow {
    std::string_view section;
    CodeList CodeLists::*list;
    bool numericCodes = true; // false: the names are words (region names)
};
std::span<const ListSectionRow> ListSections();

// Items the program adds after a section's entries.
struct AddedItemRow {
    CodeList CodeLists::*list;
    int code;
    std::string_view section;
    std::string_view key;
};
std::span<const AddedItemRow> AddedItems();

// The device-name lists: "Devices" keys first to last, each value "product-type code=model name".
inline constexpr std::string_view DevicesSection = "Devices";
struct DeviceNameRow {
    CodeList CodeLists::*list;
    int firstKey;
    int lastKey;
};
std::span<const DeviceNameRow> DeviceNameLists();

// Every (section, key) the program reads, once each, with its arguments: the main window's texts,
// the other windows' texts and the program texts. The "Devices" keys and list sections are apart.
std::vector<ProgramTextRow> AllTextKeys();

// What is wrong with a language file: keys the program reads that it lacks (or leaves empty),
// placeholders that do not match the arguments a key's user passes, placeholders in texts that are
// shown as they are, list sections that are missing or hold entries that are no "code=text", and
// "Devices" entries that are no "code=name". Empty for a complete file.
std::vector<std::string> LanguageFileProblems(const ListIni& reader);

// The list sections (and "Devices") that a loaded language file lacks or leaves without entries, in
// table order: without them the drop-down lists stay empty and no configuration can be shown.
std::vector<std::string> MissingListSections(const ListIni& reader);

} // namespace vorn
