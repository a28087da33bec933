#pragma once

#include <string>

namespace vorn {

// What a field holds, as far as the configuration is concerned: the text of a text field, the
// selected position of a choice field, the state of a check field (the other members stay at their
// defaults). The caret, the selection and the items are not part of it.
struct FieldValue {
    std::string text;
    int index = -1;
    bool checked = false;
    friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

} // namespace vorn
