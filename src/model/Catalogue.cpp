#include "model/Catalogue.h"

#include "base/AsciiText.h"

#include <algorithm>

namespace vorn {

namespace {

constexpr std::array<std::string_view, 4> PagesA{"tbsButtons", "tbsRadioEvents", "tbsActions",
                                                 "tbsPreferences"};
constexpr std::array<std::string_view, 1> PagesB{"tbsHeskConfig"};
constexpr std::array<std::string_view, 2> PagesC{"tbsGofaRfid", "tbsGofaRadio"};

} // namespace

Family FamilyOf(std::uint8_t productType) {
    const ProductInfo* product = FindProduct(productType);
    return product != nullptr ? product->family : Family::None;
}

std::string_view FamilyName(Family family) {
    switch (family) {
    case Family::A: return "A";
    case Family::B: return "B";
    case Family::C: return "C";
    case Family::None: break;
    }
    return {};
}

const ProductInfo* FindProduct(std::uint8_t productType) {
    const auto it = std::find_if(Catalogue.begin(), Catalogue.end(), [productType](const ProductInfo& p) {
        return p.productType == productType;
    });
    return it != Catalogue.end() ? &*it : nullptr;
}

const ProductInfo* FindProductByModel(std::string_view model) {
    const auto it = std::find_if(Catalogue.begin(), Catalogue.end(),
                                 [model](const ProductInfo& p) { return EqualsIgnoreCase(p.model, model); });
    return it != Catalogue.end() ? &*it : nullptr;
}

std::span<const std::string_view> PagesOfFamily(Family family) {
    switch (family) {
    case Family::A: return PagesA;
    case Family::B: return PagesB;
    case Family::C: return PagesC;
    case Family::None: break;
    }
    return {};
}

} // namespace vorn
