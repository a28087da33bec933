#pragma once

#include "model/FamilyAMap.h"
#include "model/FamilyCMap.h"
#include "model/ProgData.h"

#include <cstdint>
#include <optional>

// Where a device keeps the receive band it listens on: a family A device as its receive band number, a
// family C device as the pair of receive carrier frequencies (its byte at family A's band address is an
// ordinary setting). A write of that memory moves the device to the new band.
namespace vorn {

inline constexpr int FamilyABandAddress = FamilyAMap::RxFrequencyBand.address;
// Two 32-bit frequencies, big-endian.
inline constexpr int FamilyCReceiveCarrierAddress = FamilyCMap::ReceiveFrequency1.address;

// True when length bytes from address touch the memory that sets the band (family C: the first
// receive carrier frequency, which names the band).
bool CoversBandSetting(std::uint8_t productType, int address, int length);
// The band the image sets; nothing for a family without one, or a family C frequency of no band.
std::optional<std::uint8_t> BandSetting(std::uint8_t productType, const ProgData::Bytes& image);
// Puts the band into the image as the family keeps it; a family C band without known carrier
// frequencies leaves the bytes.
void StoreBandSetting(std::uint8_t productType, std::uint8_t band, ProgData::Bytes& image);

} // namespace vorn
