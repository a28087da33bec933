#pragma once

#include "model/ProgData.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <variant>

// Where a value sits in the device memory image: a whole byte, a big-endian number over several
// bytes, one bit or one nibble of a byte. The family maps name the place of every field with these,
// and the family conversions reach the image through them, so that each place is written down once.
namespace vorn::layout {

using Image = ProgData::Bytes;

// One whole byte.
struct Byte {
    int address;
};
// A 16-bit number: the high byte at address, the low byte at address + 1.
struct Word {
    int address;
};
// A number of 1 to 4 bytes, most significant byte first.
struct Run {
    int address;
    int length;
};
// One bit of a byte (bit 0 is the least significant).
struct Bit {
    int address;
    int bit;
};
enum class Half { High, Low };
// One half of a byte.
struct Nibble {
    int address;
    Half half;
};

constexpr std::size_t Index(int address) {
    return static_cast<std::size_t>(address);
}

inline std::uint8_t Get(const Image& image, Byte place) {
    return image[Index(place.address)];
}
// Stores the value's low 8 bits.
inline void Put(Image& image, Byte place, int value) {
    image[Index(place.address)] = static_cast<std::uint8_t>(value & 0xFF);
}

inline std::uint8_t High(const Image& image, Word place) {
    return image[Index(place.address)];
}
inline std::uint8_t Low(const Image& image, Word place) {
    return image[Index(place.address) + 1];
}
inline unsigned Get(const Image& image, Word place) {
    return 256u * High(image, place) + Low(image, place);
}
inline void Put(Image& image, Word place, std::uint8_t high, std::uint8_t low) {
    image[Index(place.address)] = high;
    image[Index(place.address) + 1] = low;
}

inline std::uint32_t Get(const Image& image, Run place) {
    std::uint32_t value = 0;
    for (int k = 0; k < place.length; ++k) {
        value = (value << 8) | image[Index(place.address + k)];
    }
    return value;
}
// Stores the value's low 8 × length bits.
inline void Put(Image& image, Run place, std::uint32_t value) {
    for (int k = place.length - 1; k >= 0; --k) {
        image[Index(place.address + k)] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

// 0 or 1.
inline int Get(const Image& image, Bit place) {
    return (image[Index(place.address)] >> place.bit) & 1;
}
// The bit in its place, for a byte that is assembled whole from its flags.
constexpr std::uint8_t Placed(Bit place, bool set) {
    return static_cast<std::uint8_t>(set ? 1u << place.bit : 0u);
}

constexpr int Shift(Nibble place) {
    return place.half == Half::High ? 4 : 0;
}
// 0 to 15.
inline int Get(const Image& image, Nibble place) {
    return (image[Index(place.address)] >> Shift(place)) & 0x0F;
}
// Stores the value's low 4 bits; the other half of the byte is kept.
inline void Put(Image& image, Nibble place, int value) {
    const unsigned mask = 0x0Fu << Shift(place);
    auto& byte = image[Index(place.address)];
    byte =
        static_cast<std::uint8_t>((byte & ~mask) | ((static_cast<unsigned>(value) << Shift(place)) & mask));
}
// The value moved into its half, not masked, for a byte that is assembled whole from its two halves.
constexpr int Placed(Nibble place, int value) {
    return place.half == Half::High ? 16 * value : value;
}

// The first and last address a place takes, for the ranges that are read and written whole.
constexpr int FirstAddress(auto place) {
    return place.address;
}
constexpr int LastAddress(Byte place) {
    return place.address;
}
constexpr int LastAddress(Word place) {
    return place.address + 1;
}
constexpr int LastAddress(Run place) {
    return place.address + place.length - 1;
}
constexpr int LastAddress(Nibble place) {
    return place.address;
}

// The place of one field in a family's field table; none for a field that another row converts.
using Place = std::variant<std::monostate, Byte, Word, Run, Bit, Nibble>;

// The (first) address of a place, -1 for none.
constexpr int AddressOf(const Place& place) {
    return std::visit(
        [](const auto& p) {
            if constexpr (std::is_same_v<std::decay_t<decltype(p)>, std::monostate>) {
                return -1;
            } else {
                return p.address;
            }
        },
        place);
}

} // namespace vorn::layout
