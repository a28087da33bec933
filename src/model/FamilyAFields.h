#pragma once

#include "model/Conversion.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The editor fields of family A (registration table) and the two conversions.
const std::vector<FieldRow>& FamilyAFieldRows();
int FamilyAImageToFields(const ConversionContext& context, const Image& image);
int FamilyAFieldsToImage(const ConversionContext& context, Image& image);

// The control names of family A's repeated rows: the choices "cbbxUserEvent_<n>_<role>",
// "cbbxRadioEvent_<n>_<role>" and "cbbxAction_<i>_<role>" (i named by ActionRowName), an action's
// radio ID field and its automatic box.
namespace familyA {
std::string UserEvent(int n, std::string_view role);
std::string RadioEvent(int n, std::string_view role);
std::string Action(int i, std::string_view role);
std::string ActionRadioId(int i);
std::string ActionAuto(int i);
} // namespace familyA

} // namespace vorn
