#pragma once

#include <string>
#include <string_view>

// An editor field as the operator knows it: by the caption of its label on the page, in the current
// language ("Receive frequency band", "Actions 2: Radio ID code"), for messages that name a field.
namespace vorn {

class ListIni;

// The field's caption; a field without a label of its own is named by its control name.
std::string FieldCaption(const ListIni& texts, std::string_view field);

} // namespace vorn
