#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the editor pages arrange the fields: which group of which page holds which rows, and the
// label of each row. The window builds its pages from this table and the configuration sheet prints
// the same groups in the same order, so both always show a field under the same caption.
namespace vorn {

// One row of a group: its label control (the language names it) or, for a label the language does
// not name, the caption it always shows; then the row's fields in column order ("" for an empty
// cell of a table).
struct LayoutRow {
    std::string label;
    std::string caption; // empty: the label's text comes from the language
    std::vector<std::string> fields;
};

// A group box of a page. A form has one label and its fields a row; a table has column headers
// (the header label of each field column; a header spanning several columns is repeated).
struct LayoutGroup {
    std::string page;
    std::string group;
    int column = 0; // 0: the left (or only) column of the page, 1: the right one
    std::vector<std::string> headers;
    std::vector<LayoutRow> rows;

    bool IsTable() const { return !headers.empty(); }
};

// Every group of the seven editor pages, in page order, then column, then top to bottom.
const std::vector<LayoutGroup>& EditorLayout();
// The groups of one page, in that order.
std::vector<const LayoutGroup*> GroupsOfPage(std::string_view page);

} // namespace vorn
