#pragma once

#include "model/ImageLayout.h"

namespace vorn {

// The places every family keeps in the same bytes of its image: the unit radio ID code, the
// firmware type and version (high nibble major, low nibble minor), the product type and the serial
// number. The family maps, the catalogue and the identity conversion take them from here.
struct SharedMap {
    static constexpr layout::Word RadioId{32};
    static constexpr layout::Byte FirmwareType{46};
    static constexpr layout::Byte FirmwareVersion{47};
    static constexpr layout::Byte ProductType{122};
    static constexpr layout::Run SerialNumber{123, 3}; // big-endian
};

constexpr int FirmwareMajor(std::uint8_t version) {
    return version >> 4;
}

} // namespace vorn
