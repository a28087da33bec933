#pragma once

#include "editor/Editor.h"
#include "model/Conversion.h"

#include <string>
#include <vector>

// The editor's fields of a configuration as the editor would show them, without touching the editor:
// what a comparison with a device and a read-back name, by the captions the pages give the fields.
namespace vorn {

// An image shown in a field model of its own, with the editor's lists, masks and decimal separator.
class ShownFields {
public:
    ShownFields(Editor& editor, const Image& image);

    // The fields of the image's family, in table order.
    const std::vector<FieldRow>& Rows() const { return *rows_; }
    const Field& Get(const std::string& name) const { return fields_.Get(name); }
    // As the page shows it: a text field's text, a list's chosen item, a box checked or not.
    std::string Shown(const std::string& name) const;

private:
    FieldModel fields_; // before rows_, which is known once the image is shown in it
    const std::vector<FieldRow>* rows_;
};

// A field whose value differs between two configurations of one family.
struct FieldDifference {
    std::string field;   // control name
    std::string caption; // in the current language
    std::string first;   // as shown in each
    std::string second;
};

// The fields that differ between two images of the same family, in table order; every field of both
// when the families differ.
std::vector<FieldDifference> DifferingFields(Editor& editor, const ListIni& texts, const Image& first,
                                             const Image& second);

// The captions of the fields a byte feeds: those that show otherwise than in `shown` (the image
// shown) when the byte at the address holds the other value; empty for a byte of no field.
std::string CaptionsOfByte(Editor& editor, const ListIni& texts, const ShownFields& shown, const Image& image,
                           int address, std::uint8_t other);

} // namespace vorn
