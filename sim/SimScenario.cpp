#include "sim/SimScenario.h"

#include "model/BandTable.h"
#include "model/Catalogue.h"

namespace vorn::sim {

namespace {

constexpr int BandAddress = 55;    // family A
constexpr int ReceiveCarrier1 = 0; // family C: two 32-bit frequencies, big-endian
constexpr int ReceiveCarrier2 = 4;

std::uint32_t Frequency(const Memory& image, int address) {
    const auto a = static_cast<std::size_t>(address);
    return std::uint32_t{image[a]} << 24 | std::uint32_t{image[a + 1]} << 16 |
           std::uint32_t{image[a + 2]} << 8 | std::uint32_t{image[a + 3]};
}

void StoreFrequency(Memory& image, int address, std::uint32_t frequency) {
    for (int i = 0; i < 4; ++i) {
        image[static_cast<std::size_t>(address + i)] = static_cast<std::uint8_t>(frequency >> (24 - 8 * i));
    }
}

} // namespace

std::optional<std::uint8_t> BandOfMemory(std::uint8_t productType, const Memory& image) {
    switch (FamilyOf(productType)) {
    case Family::A: return image[BandAddress];
    case Family::C: {
        const std::uint32_t frequency = Frequency(image, ReceiveCarrier1);
        const int band = frequency == 0 ? 0 : BandOfFrequency(frequency);
        if (band == 0) {
            return std::nullopt;
        }
        return static_cast<std::uint8_t>(band);
    }
    case Family::B:
    case Family::None: break;
    }
    return std::nullopt;
}

bool CoversBandSetting(std::uint8_t productType, std::uint32_t address, std::uint32_t length) {
    const auto touches = [&](std::uint32_t first, std::uint32_t last) {
        return address <= last && first < address + length;
    };
    switch (FamilyOf(productType)) {
    case Family::A: return touches(BandAddress, BandAddress);
    case Family::C: return touches(ReceiveCarrier1, ReceiveCarrier1 + 3);
    case Family::B:
    case Family::None: break;
    }
    return false;
}

void StoreBandInMemory(std::uint8_t productType, std::uint8_t band, Memory& image) {
    switch (FamilyOf(productType)) {
    case Family::A: image[BandAddress] = band; break;
    case Family::C:
        if (const auto first = FirstFrequency(band), second = SecondFrequency(band); first && second) {
            StoreFrequency(image, ReceiveCarrier1, *first);
            StoreFrequency(image, ReceiveCarrier2, *second);
        }
        break;
    case Family::B:
    case Family::None: break;
    }
}

} // namespace vorn::sim
