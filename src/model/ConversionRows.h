#pragma once

#include "model/Conversion.h"
#include "model/ImageLayout.h"

#include <algorithm>
#include <cstdint>
#include <variant>
#include <vector>

// Pieces of a family's conversion table, one row per field that carries the field's editor row
// (`field`), its place in the image (`place`) and how it is converted (`converter`), walked by both
// conversions.
namespace vorn::conversion {

// The editor rows of a table, in the table's order.
template <typename Row>
std::vector<FieldRow> FieldRowsOf(const std::vector<Row>& rows) {
    std::vector<FieldRow> fields;
    fields.reserve(rows.size());
    for (const Row& row : rows) {
        fields.push_back(row.field);
    }
    return fields;
}

// The rows in the order of their key, rows of the same key in table order: the order in which both
// conversions take them.
template <typename Row, typename Key>
std::vector<const Row*> RowsInOrder(const std::vector<Row>& rows, Key key) {
    std::vector<const Row*> ordered;
    ordered.reserve(rows.size());
    for (const Row& row : rows) {
        ordered.push_back(&row);
    }
    std::ranges::stable_sort(ordered, {}, key);
    return ordered;
}

// The rows of the same converter whose place shares the row's byte, in table order: the fields that
// are stored together into that byte. The first of them stores it.
template <typename Row>
std::vector<const Row*> ByteMates(const std::vector<Row>& rows, const Row& row) {
    std::vector<const Row*> mates;
    for (const Row& other : rows) {
        if (other.converter == row.converter &&
            layout::AddressOf(other.place) == layout::AddressOf(row.place)) {
            mates.push_back(&other);
        }
    }
    return mates;
}

// The code list of a choice row.
template <typename Row>
const CodeList& ListOf(const ConversionContext& c, const Row& row) {
    return c.lists.*row.field.list;
}

// Flags stored together, the byte whole: each flag's bit is set when its choice shows code 1. Called
// for each flag row; the first of the byte's flags stores the byte, the others nothing.
template <typename Row>
void StoreFlags(const ConversionContext& c, const std::vector<Row>& rows, const Row& row, Image& image) {
    const std::vector<const Row*> flags = ByteMates(rows, row);
    if (flags.front() != &row) {
        return;
    }
    std::uint8_t byte = 0;
    for (const Row* flag : flags) {
        byte |= layout::Placed(std::get<layout::Bit>(flag->place),
                               ShownCode(c, flag->field.name, ListOf(c, *flag)) == 1);
    }
    layout::Put(image, layout::Byte{std::get<layout::Bit>(row.place).address}, byte);
}

// The value at a byte, nibble or bit place.
inline int ValueAt(const Image& image, const layout::Place& place) {
    if (const auto* byte = std::get_if<layout::Byte>(&place)) {
        return layout::Get(image, *byte);
    }
    if (const auto* nibble = std::get_if<layout::Nibble>(&place)) {
        return layout::Get(image, *nibble);
    }
    return layout::Get(image, std::get<layout::Bit>(place));
}

// Stores a value at a byte place (its low 8 bits) or a nibble place (its low 4 bits, the other half
// kept).
inline void PutValue(Image& image, const layout::Place& place, int value) {
    if (const auto* nibble = std::get_if<layout::Nibble>(&place)) {
        layout::Put(image, *nibble, value);
    } else {
        layout::Put(image, std::get<layout::Byte>(place), value);
    }
}

} // namespace vorn::conversion
