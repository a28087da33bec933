#pragma once

#include <cstddef>
#include <string_view>

// Tables that give each value of an enumeration its text, one row a value.
namespace vorn {

template <typename Value>
struct TextRow {
    Value value;
    std::string_view text;
};

// The text of the value's row; `otherwise` when the table has none.
template <typename Value, std::size_t Count>
constexpr std::string_view TextOf(const TextRow<Value> (&rows)[Count], Value value,
                                  std::string_view otherwise) {
    for (const TextRow<Value>& row : rows) {
        if (row.value == value) {
            return row.text;
        }
    }
    return otherwise;
}

} // namespace vorn
