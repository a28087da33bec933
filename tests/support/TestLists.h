#pragma once

#include "base/CodeLists.h"
#include "model/Conversion.h"
#include "model/FieldModel.h"

#include <memory>

namespace vorn::test {

// The main window's code lists as the English language file and a region's band lists fill them.
const CodeLists& EnglishLists();

// A field model with every editor field registered and filled from the lists, and a conversion
// context over it.
struct EditorFixture {
    explicit EditorFixture(const CodeLists& lists = EnglishLists(), char32_t separator = '.');
    std::unique_ptr<FieldModel> fields;
    CodeLists lists;
    bool filling = false;
    ConversionContext context;
};

} // namespace vorn::test
