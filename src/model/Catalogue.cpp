#include "model/Catalogue.h"

#include "base/AsciiText.h"

#include <algorithm>

namespace vorn {

namespace {

constexpr std::array<std::string_view, 4> PagesA{"tbsButtons", "tbsRadioEvents", "tbsActions",
                                                 "tbsPreferences"};
constexpr std::array<std::string_view, 1> PagesB{"tbsHeskConfig"};
constexpr std::array<std::string_view, 2> PagesC{"tbsGofaRfid", "tbsGofaRadio"};

constexpr std::array<AddressRange, 1> ReadA{{{32, 247}}};
constexpr std::array<AddressRange, 3> WrittenA{{{39, 45}, {48, 116}, {128, 247}}};
constexpr std::array<AddressRange, 4> ReadB{{{32, 36}, {39, 43}, {46, 52}, {122, 127}}};
constexpr std::array<AddressRange, 2> WrittenB{{{39, 43}, {48, 52}}};
constexpr std::array<AddressRange, 3> ReadC{{{0, 37}, {46, 68}, {112, 137}}};
constexpr std::array<AddressRange, 4> WrittenC{{{0, 20}, {23, 31}, {34, 37}, {48, 68}}};

const std::array<FamilyMemory, 3> FamilyMemories{{
    {Family::A, ReadA, WrittenA},
    {Family::B, ReadB, WrittenB},
    {Family::C, ReadC, WrittenC},
}};

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

const FamilyMemory* MemoryOfFamily(Family family) {
    const auto it = std::find_if(FamilyMemories.begin(), FamilyMemories.end(),
                                 [family](const FamilyMemory& m) { return m.family == family; });
    return it != FamilyMemories.end() ? &*it : nullptr;
}

} // namespace vorn
