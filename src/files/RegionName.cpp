#include "files/RegionName.h"

#include "base/TextTable.h"
#include "base/Utf8.h"

namespace vorn {

namespace {

constexpr TextRow<RegionNameFault> FaultRows[] = {
    {RegionNameFault::None, "a usable region name"},
    {RegionNameFault::Empty, "is empty"},
    {RegionNameFault::Separator, "holds a path separator (/ or \\)"},
    {RegionNameFault::ParentFolder, "is or holds a folder reference (. or ..)"},
    {RegionNameFault::ControlCharacter, "holds a control character"},
    {RegionNameFault::NotUtf8, "is no valid UTF-8 text"},
};

} // namespace

std::string_view RegionNameFaultText(RegionNameFault fault) {
    return TextOf(FaultRows, fault, "is no usable region name");
}

RegionNameFault FindRegionNameFault(std::string_view text) {
    if (text.empty()) {
        return RegionNameFault::Empty;
    }
    if (!IsValidUtf8(text)) {
        return RegionNameFault::NotUtf8;
    }
    if (text.find_first_of("/\\") != std::string_view::npos) {
        return RegionNameFault::Separator;
    }
    if (text == "." || text.find("..") != std::string_view::npos) {
        return RegionNameFault::ParentFolder;
    }
    for (const char32_t ch : DecodeUtf8(text)) {
        if (IsControlCharacter(ch)) {
            return RegionNameFault::ControlCharacter;
        }
    }
    return RegionNameFault::None;
}

std::optional<RegionName> RegionName::Check(std::string_view text) {
    if (FindRegionNameFault(text) != RegionNameFault::None) {
        return std::nullopt;
    }
    return RegionName(std::string(text));
}

} // namespace vorn
