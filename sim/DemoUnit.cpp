#include "sim/DemoUnit.h"

#include "base/NumberText.h"
#include "files/DefaultConfigs.h"
#include "model/BandSetting.h"
#include "model/Catalogue.h"
#include "model/SharedMap.h"
#include "platform/Files.h"

namespace vorn::sim {

namespace {

constexpr std::string_view DemoRegion = "Europe";

// The model's default, or a blank memory whose firmware version the family accepts.
Memory DefaultMemory(const std::string& installFolder, std::uint8_t productType) {
    Memory image{};
    const ProductInfo* product = FindProduct(productType);
    if (product != nullptr &&
        ReadFilePrefix(RegionDefaultPath(installFolder, *RegionName::Check(DemoRegion), *product),
                       image.data(), image.size())) {
        return image;
    }
    image = {};
    layout::Put(image, SharedMap::FirmwareVersion, FamilyOf(productType) == Family::A ? 0x21 : 0x10);
    return image;
}

std::uint16_t CodeValue(std::string_view code) {
    return static_cast<std::uint16_t>(std::stoul(std::string(code), nullptr, 16));
}

void WriteIdentity(Memory& image, std::uint8_t productType, std::uint32_t serial, std::string_view radioId) {
    StoreIdentity(image, productType, serial);
    StoreRadioCode(image, CodeValue(radioId));
}

MemoryDevice Device(const std::string& installFolder, std::uint8_t type, std::uint32_t serial,
                    std::string_view radioId) {
    MemoryDevice device;
    device.ProductType = type;
    device.SerialNumber = serial;
    device.Band = DemoDevices::Band;
    device.Image = DefaultMemory(installFolder, type);
    WriteIdentity(device.Image, type, serial, radioId);
    StoreBandSetting(type, DemoDevices::Band, device.Image);
    return device;
}

} // namespace

void StoreIdentity(Memory& image, std::uint8_t productType, std::uint32_t serial) {
    layout::Put(image, SharedMap::ProductType, productType);
    layout::Put(image, SharedMap::SerialNumber, serial);
}

void StoreRadioCode(Memory& image, std::uint16_t code) {
    layout::Put(image, SharedMap::RadioId, static_cast<std::uint8_t>(code >> 8),
                static_cast<std::uint8_t>(code));
}

std::string RadioCodeOf(const Memory& image) {
    return HexByte(layout::High(image, SharedMap::RadioId)) + HexByte(layout::Low(image, SharedMap::RadioId));
}

bool IsRadioCodeAddress(std::uint32_t address) {
    const auto first = static_cast<std::uint32_t>(SharedMap::RadioId.address);
    return address == first || address == first + 1;
}

SimScenario DemoScenario(const std::string& installFolder) {
    using D = DemoDevices;
    SimScenario scenario;
    scenario.Devices.push_back(Device(installFolder, D::FamilyAType, D::FamilyASerial, D::FamilyARadioId));
    scenario.Devices.push_back(Device(installFolder, D::FamilyCType, D::FamilyCSerial, D::FamilyCRadioId));

    PresenceUnit unit;
    unit.RadioCode = std::string(D::PresenceCode);
    unit.PressAfter = D::ButtonPress;
    unit.Image = DefaultMemory(installFolder, D::FamilyBType);
    WriteIdentity(unit.Image, D::FamilyBType, D::FamilyBSerial, D::PresenceCode);
    scenario.PresenceUnits.push_back(unit);

    scenario.Transmitters.push_back({std::string(D::TransmitterCode), D::TransmitterAfter});
    return scenario;
}

} // namespace vorn::sim
