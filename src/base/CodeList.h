#pragma once

#include <string>
#include <string_view>
#include <vector>

// A code list is an ordered list of items "code=display text"; a drop-down list shows the display texts
// in order, so its index is the item index. A stored byte is shown with IndexOfCode and a selection is
// stored with CodeOfText. Comparisons of names and display texts are exact and case-sensitive.
namespace vorn {

using CodeList = std::vector<std::string>;

// The part before the first "=", or empty for an item without "=".
std::string_view NamePart(std::string_view item);
// The part after the first "=", or empty for an item without "=".
std::string_view ValuePart(std::string_view item);
// The name part as a decimal integer, 0 when it is not one.
int CodeOfItem(std::string_view item);

std::vector<std::string> DisplayTexts(const CodeList& list);
// Code of the first item whose display text equals the text; 0 when none does.
int CodeOfText(const CodeList& list, std::string_view displayText);
// Name part of the first item whose display text equals the text; empty when none does.
std::string NameOfText(const CodeList& list, std::string_view displayText);
// Index of the first item whose code equals the code; -1 when none does.
int IndexOfCode(const CodeList& list, int code);
// Index of the first item whose name part equals the name; -1 when none does.
int IndexOfName(const CodeList& list, std::string_view name);
// The code after the given one, wrapping to the first; the first code when the given one is absent.
int NextCode(const CodeList& list, int code);
// The first string that contains the text; empty when none does.
std::string FindContaining(const std::vector<std::string>& list, std::string_view text);

// "code=text" as an item.
std::string MakeItem(int code, std::string_view displayText);

} // namespace vorn
