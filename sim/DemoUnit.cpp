#include "sim/DemoUnit.h"

#include "files/DefaultConfigs.h"
#include "model/BandSetting.h"
#include "model/Catalogue.h"
#include "platform/Files.h"

namespace vorn::sim {

namespace {

constexpr std::string_view DemoRegion = "Europe";
constexpr std::size_t ProductTypeByte = 122;
constexpr std::size_t SerialBytes = 123;
constexpr std::size_t RadioIdBytes = 32;
constexpr std::size_t FirmwareVersionByte = 47;

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
    image[FirmwareVersionByte] = FamilyOf(productType) == Family::A ? 0x21 : 0x10;
    return image;
}

std::uint16_t CodeValue(std::string_view code) {
    return static_cast<std::uint16_t>(std::stoul(std::string(code), nullptr, 16));
}

void WriteIdentity(Memory& image, std::uint8_t productType, std::uint32_t serial, std::string_view radioId) {
    image[ProductTypeByte] = productType;
    image[SerialBytes] = static_cast<std::uint8_t>(serial >> 16);
    image[SerialBytes + 1] = static_cast<std::uint8_t>(serial >> 8);
    image[SerialBytes + 2] = static_cast<std::uint8_t>(serial);
    const std::uint16_t code = CodeValue(radioId);
    image[RadioIdBytes] = static_cast<std::uint8_t>(code >> 8);
    image[RadioIdBytes + 1] = static_cast<std::uint8_t>(code);
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
