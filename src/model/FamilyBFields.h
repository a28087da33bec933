#pragma once

#include "model/Conversion.h"

#include <vector>

namespace vorn {

// The editor fields of family B (registration table) and the two conversions.
const std::vector<FieldRow>& FamilyBFieldRows();
int FamilyBImageToFields(const ConversionContext& context, const Image& image);
int FamilyBFieldsToImage(const ConversionContext& context, Image& image);

} // namespace vorn
