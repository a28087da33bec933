#pragma once

#include "model/Conversion.h"

#include <vector>

namespace vorn {

// The editor fields of family C (registration table) and the two conversions.
const std::vector<FieldRow>& FamilyCFieldRows();
int FamilyCImageToFields(const ConversionContext& context, const Image& image);
int FamilyCFieldsToImage(const ConversionContext& context, Image& image);

} // namespace vorn
