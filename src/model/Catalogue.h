#pragma once

#include "model/SharedMap.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace vorn {

enum class Family { None, A, B, C };

// The product-name list of the language that names a model (the "Devices" entries, split by family).
enum class DeviceNameList { A, B, C };

struct ProductInfo {
    std::string_view button;  // device button on the device-selection page
    std::string_view model;   // model name
    std::uint8_t productType; // image address 122; also the device button's tag
    Family family;
    std::string_view defaultFileName; // standard default configuration file name
    std::string_view settingsKey;     // settings key of the model's default configuration path
    DeviceNameList nameList;
};

// The twelve models in device-button order. Every dispatch on a product-type byte goes through here.
inline constexpr std::array<ProductInfo, 12> Catalogue{{
    {"bbtnDevice_1", "TARV", 0x23, Family::A, "Default_TARV.vorn", "DefaultTarvConfig", DeviceNameList::A},
    {"bbtnDevice_2", "ZUMI", 0x25, Family::A, "Default_ZUMI.vorn", "DefaultZumiConfig", DeviceNameList::A},
    {"bbtnDevice_3", "GLIM", 0x27, Family::A, "Default_GLIM.vorn", "DefaultGlimConfig", DeviceNameList::A},
    {"bbtnDevice_4", "BODE", 0x24, Family::A, "Default_BODE.vorn", "DefaultBodeConfig", DeviceNameList::A},
    {"bbtnDevice_5", "BODE+ZUMI", 0x26, Family::A, "Default_BODE+ZUMI.vorn", "DefaultBodeZumiConfig",
     DeviceNameList::A},
    {"bbtnDevice_6", "BODE+GLIM", 0x28, Family::A, "Default_BODE+GLIM.vorn", "DefaultBodeGlimConfig",
     DeviceNameList::A},
    {"bbtnDevice_7", "PLOM", 0x29, Family::A, "Default_PLOM.vorn", "DefaultPlomConfig", DeviceNameList::A},
    {"bbtnDevice_8", "3BODE", 0x38, Family::A, "Default_3BODE.vorn", "Default3BodeConfig", DeviceNameList::A},
    {"bbtnDevice_9", "3BODE+ZUMI", 0x39, Family::A, "Default_3BODE+ZUMI.vorn", "Default3BodeZumiConfig",
     DeviceNameList::A},
    {"bbtnDevice_10", "HESK", 0x2A, Family::B, "Default_HESK.vorn", "DefaultHeskConfig", DeviceNameList::B},
    {"bbtnDevice_11", "HESK+ZUMI", 0x2B, Family::B, "Default_HESK+ZUMI.vorn", "DefaultHeskZumiConfig",
     DeviceNameList::B},
    {"bbtnDevice_12", "DADIDU", 0x4B, Family::C, "Default_DADIDU.vorn", "DefaultGofaConfig",
     DeviceNameList::C},
}};

// Order in which the twelve default-configuration keys are read from and written to the settings file.
inline constexpr std::array<std::uint8_t, 12> SettingsKeyOrder{0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
                                                               0x29, 0x38, 0x39, 0x2A, 0x2B, 0x4B};

inline constexpr std::uint8_t ProductTypeAddress = SharedMap::ProductType.address;
inline constexpr int RadioIdAddress = SharedMap::RadioId.address;
inline constexpr int FirmwareVersionAddress = SharedMap::FirmwareVersion.address;
inline constexpr int SerialNumberAddress = SharedMap::SerialNumber.address;

Family FamilyOf(std::uint8_t productType);
// "A", "B", "C", or empty for no family.
std::string_view FamilyName(Family family);
// The catalogue row of a product type, or nullptr for a byte that is none of the twelve models.
const ProductInfo* FindProduct(std::uint8_t productType);
// The catalogue row of a model name (letter case ignored), or nullptr.
const ProductInfo* FindProductByModel(std::string_view model);

// The editor pages of a family, in page order; empty for no family.
std::span<const std::string_view> PagesOfFamily(Family family);

// Inclusive address range of the device memory image.
struct AddressRange {
    int first;
    int last;
};

} // namespace vorn
