#include "model/BandSetting.h"

#include "model/BandTable.h"
#include "model/Catalogue.h"

namespace vorn {

namespace {

constexpr int CarrierBytes = FamilyCMap::ReceiveFrequency1.length;
static_assert(FamilyCMap::ReceiveFrequency2.address == FamilyCReceiveCarrierAddress + CarrierBytes);

std::uint32_t Frequency(const ProgData::Bytes& image, int address) {
    std::uint32_t value = 0;
    for (int i = 0; i < CarrierBytes; ++i) {
        value = value << 8 | image[static_cast<std::size_t>(address + i)];
    }
    return value;
}

void StoreFrequency(ProgData::Bytes& image, int address, std::uint32_t frequency) {
    for (int i = 0; i < CarrierBytes; ++i) {
        image[static_cast<std::size_t>(address + i)] =
            static_cast<std::uint8_t>(frequency >> (8 * (CarrierBytes - 1 - i)));
    }
}

} // namespace

bool CoversBandSetting(std::uint8_t productType, int address, int length) {
    const auto touches = [&](int first, int last) { return address <= last && first < address + length; };
    switch (FamilyOf(productType)) {
    case Family::A: return touches(FamilyABandAddress, FamilyABandAddress);
    case Family::C:
        return touches(FamilyCReceiveCarrierAddress, FamilyCReceiveCarrierAddress + CarrierBytes - 1);
    case Family::B:
    case Family::None: break;
    }
    return false;
}

std::optional<std::uint8_t> BandSetting(std::uint8_t productType, const ProgData::Bytes& image) {
    switch (FamilyOf(productType)) {
    case Family::A: return image[FamilyABandAddress];
    case Family::C: {
        // 0 Hz is no carrier at all, although the band table lists it under band 1.
        const std::uint32_t frequency = Frequency(image, FamilyCReceiveCarrierAddress);
        const int band = frequency == 0 ? 0 : BandOfFrequency(frequency);
        return band == 0 ? std::nullopt : std::optional<std::uint8_t>(static_cast<std::uint8_t>(band));
    }
    case Family::B:
    case Family::None: break;
    }
    return std::nullopt;
}

void StoreBandSetting(std::uint8_t productType, std::uint8_t band, ProgData::Bytes& image) {
    switch (FamilyOf(productType)) {
    case Family::A: image[FamilyABandAddress] = band; break;
    case Family::C:
        if (const auto first = FirstFrequency(band), second = SecondFrequency(band); first && second) {
            StoreFrequency(image, FamilyCReceiveCarrierAddress, *first);
            StoreFrequency(image, FamilyCReceiveCarrierAddress + CarrierBytes, *second);
        }
        break;
    case Family::B:
    case Family::None: break;
    }
}

} // namespace vorn
