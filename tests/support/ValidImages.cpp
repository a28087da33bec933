#include "support/ValidImages.h"

#include "model/BandTable.h"
#include "model/Catalogue.h"

#include <stdexcept>

namespace vorn::test {

namespace {

std::uint8_t AnyByte(std::mt19937& random) {
    return static_cast<std::uint8_t>(random() & 0xFF);
}

int AnyCodeBelow(std::mt19937& random, const CodeList& list, int limit) {
    CodeList fitting;
    for (const auto& item : list) {
        if (CodeOfItem(item) >= 0 && CodeOfItem(item) < limit) {
            fitting.push_back(item);
        }
    }
    return AnyCode(random, fitting);
}

// A radio ID code with a random wildcard mask and 0 under every wildcard.
void AnyRadioId(std::mt19937& random, Image& image, int address, std::uint8_t& mask) {
    unsigned value = random() & 0xFFFF;
    mask = static_cast<std::uint8_t>(random() % 3 == 0 ? random() & 0x0F : 0);
    for (int k = 0; k < 4; ++k) {
        if ((mask >> (3 - k)) & 1) {
            value &= ~(0xFu << (12 - 4 * k));
        }
    }
    image[address] = static_cast<std::uint8_t>(value >> 8);
    image[address + 1] = static_cast<std::uint8_t>(value);
}

void PutFrequencies(Image& image, int address, int band) {
    const std::uint32_t values[2] = {*FirstFrequency(band), *SecondFrequency(band)};
    for (int f = 0; f < 2; ++f) {
        for (int b = 0; b < 4; ++b) {
            image[address + 4 * f + b] = static_cast<std::uint8_t>(values[f] >> (24 - 8 * b));
        }
    }
}

} // namespace

int AnyCode(std::mt19937& random, const CodeList& list) {
    if (list.empty()) {
        throw std::invalid_argument("empty code list");
    }
    return CodeOfItem(list[random() % list.size()]);
}

int MissingCode(const CodeList& list, int limit) {
    for (int code = limit; code >= 0; --code) {
        if (IndexOfCode(list, code) < 0) {
            return code;
        }
    }
    throw std::invalid_argument("list holds every code");
}

Image ValidFamilyAImage(std::mt19937& random, const CodeLists& l, std::uint8_t productType) {
    Image image{};
    for (auto& b : image) {
        b = AnyByte(random);
    }
    image[43] = static_cast<std::uint8_t>(AnyCodeBelow(random, l.InputTypesBypass, 16));
    image[44] = static_cast<std::uint8_t>(16 * AnyCodeBelow(random, l.InputTypes, 16) +
                                          AnyCodeBelow(random, l.InputTypes, 16));
    for (int n = 1; n <= 7; ++n) {
        image[95 + n] = static_cast<std::uint8_t>(AnyCode(random, l.Conditions));
        image[102 + n] = static_cast<std::uint8_t>(AnyCode(random, l.Conditions));
        image[109 + n] =
            static_cast<std::uint8_t>((image[109 + n] & 0xF0) | AnyCodeBelow(random, l.ActionReferences, 16));
    }
    image[62] = static_cast<std::uint8_t>(AnyCode(random, l.CableLengths));
    image[42] &= 0xC1;
    image[48] &= 0x03;
    for (int n = 1; n <= 8; ++n) {
        std::uint8_t positionMask = 0;
        std::uint8_t radioMask = 0;
        AnyRadioId(random, image, 174 + 2 * n, positionMask);
        AnyRadioId(random, image, 190 + 2 * n, radioMask);
        image[207 + n] = static_cast<std::uint8_t>(radioMask << 4 | positionMask);
        image[215 + n] = static_cast<std::uint8_t>(AnyCode(random, l.RadioEventAlarmTypes));
        image[223 + n] = static_cast<std::uint8_t>(AnyCode(random, l.Conditions));
        image[231 + n] = static_cast<std::uint8_t>(AnyCode(random, l.Conditions));
        image[239 + n] = static_cast<std::uint8_t>(16 * AnyCodeBelow(random, l.UserTypes, 16) +
                                                   AnyCodeBelow(random, l.ActionReferences, 16));
    }
    for (int i = 1; i <= 15; ++i) {
        if (random() % 3 == 0) {
            image[62 + 2 * i] = 0;
            image[63 + 2 * i] = 0;
        }
        image[127 + i] = static_cast<std::uint8_t>(AnyCode(random, l.ActionAlarmTypes));
        image[143 + i] = static_cast<std::uint8_t>(AnyCode(random, l.RelayActions));
        image[159 + i] = static_cast<std::uint8_t>(AnyCode(random, l.RelayActions));
    }
    image[54] = static_cast<std::uint8_t>(AnyCode(random, l.TransmitBands));
    image[55] = static_cast<std::uint8_t>(AnyCode(random, l.ReceiveBands));
    image[47] = static_cast<std::uint8_t>(0x20 | (random() & 0x0F));
    image[122] = productType;
    return image;
}

Image ValidFamilyBImage(std::mt19937& random, const CodeLists&, std::uint8_t productType) {
    Image image{};
    for (auto& b : image) {
        b = AnyByte(random);
    }
    image[42] &= 0x01;
    image[48] &= 0x03;
    image[50] &= 0x03;
    if (image[51] == 0) {
        image[51] = 0x11;
    }
    image[47] &= 0x1F;
    image[122] = productType;
    return image;
}

Image ValidFamilyCImage(std::mt19937& random, const CodeLists& l) {
    Image image{};
    for (auto& b : image) {
        b = AnyByte(random);
    }
    PutFrequencies(image, 0, AnyCode(random, l.ReceiveBands));
    PutFrequencies(image, 8, AnyCode(random, l.TransmitBands));
    image[23] = static_cast<std::uint8_t>(random() % 16);
    image[25] = static_cast<std::uint8_t>(AnyCode(random, l.RelaySources));
    image[28] &= 0x01;
    image[29] = static_cast<std::uint8_t>(AnyCode(random, l.YesNo));
    image[30] = static_cast<std::uint8_t>(1 + random() % 4);
    if (image[34] == 0) {
        image[34] = 0x33;
    }
    image[37] &= 0xC0;
    for (int address = 64; address <= 68; ++address) {
        image[address] = static_cast<std::uint8_t>(AnyCode(random, l.AlarmTypes));
    }
    image[47] = static_cast<std::uint8_t>(0x10 | (random() & 0xEF));
    image[122] = 0x4B;
    for (int address = 129; address <= 131; ++address) {
        image[address] = static_cast<std::uint8_t>(random() % 16);
    }
    image[136] = static_cast<std::uint8_t>(AnyCode(random, l.TamperStatus));
    image[137] = static_cast<std::uint8_t>(AnyCode(random, l.AntennaTypes));
    return image;
}

Image ValidImage(std::mt19937& random, const CodeLists& lists, std::uint8_t productType) {
    switch (FamilyOf(productType)) {
    case Family::A: return ValidFamilyAImage(random, lists, productType);
    case Family::B: return ValidFamilyBImage(random, lists, productType);
    case Family::C: return ValidFamilyCImage(random, lists);
    case Family::None: break;
    }
    throw std::invalid_argument("no family");
}

std::set<int> MappedAddresses(std::uint8_t productType) {
    std::set<int> mapped;
    auto add = [&](int first, int last) {
        for (int a = first; a <= last; ++a) {
            mapped.insert(a);
        }
    };
    switch (FamilyOf(productType)) {
    case Family::A:
        add(32, 36), add(39, 62), add(64, 93), add(96, 116), add(122, 125), add(127, 142), add(144, 158);
        add(160, 174), add(176, 247);
        break;
    case Family::B: add(32, 36), add(39, 43), add(46, 52), add(122, 125), add(127, 127); break;
    case Family::C: add(0, 37), add(46, 68), add(112, 119), add(122, 125), add(128, 137); break;
    case Family::None: break;
    }
    return mapped;
}

} // namespace vorn::test
