#pragma once

#include "model/Conversion.h"

#include <vector>

namespace vorn {

// The editor fields of family A (registration table) and the two conversions.
const std::vector<FieldRow>& FamilyAFieldRows();
int FamilyAImageToFields(const ConversionContext& context, const Image& image);
int FamilyAFieldsToImage(const ConversionContext& context, Image& image);

} // namespace vorn
