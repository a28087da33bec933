#include "sim/SimOptions.h"

#include "base/AsciiText.h"
#include "base/NumberText.h"
#include "model/BandSetting.h"
#include "platform/Files.h"
#include "sim/DemoUnit.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace vorn::sim {

namespace {

// The fields between colons; the last of at most maxFields takes the rest (a file's path may hold a
// colon, as Windows drive letters do).
std::vector<std::string_view> SplitFields(std::string_view text, std::size_t maxFields = SIZE_MAX) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto colon = fields.size() + 1 < maxFields ? text.find(':') : std::string_view::npos;
        fields.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(colon + 1);
    }
}

template <class T>
std::optional<T> ParseNumber(std::string_view text, int base, T max) {
    if (base == 16 && (text.starts_with("0x") || text.starts_with("0X"))) {
        text.remove_prefix(2);
    }
    unsigned long long value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc{} || ptr != end || value > static_cast<unsigned long long>(max)) {
        return std::nullopt;
    }
    return static_cast<T>(value);
}

bool IsRadioCode(std::string_view text) {
    return text.size() == 4 && HexValue(text).has_value();
}

bool LoadImage(std::string_view path, Memory& image, std::string& error) {
    if (!ReadFilePrefix(std::string(path), image.data(), image.size())) {
        error = "cannot read 256 bytes from \"" + std::string(path) + "\"";
        return false;
    }
    return true;
}

} // namespace

std::optional<MemoryDevice> ParseMemoryDevice(std::string_view text, std::string& error) {
    const auto fields = SplitFields(text, 4);
    MemoryDevice device;
    const auto type = ParseNumber<std::uint8_t>(fields[0], 16, 0xFF);
    const auto serial =
        fields.size() > 1 ? ParseNumber<std::uint32_t>(fields[1], 10, 0xFFFFFF) : std::nullopt;
    if (fields.size() > 4 || !type || !serial) {
        error = "a device is TYPE:SERIAL[:BAND[:FILE]] (type in hexadecimal, serial 0-16777215): \"" +
                std::string(text) + "\"";
        return std::nullopt;
    }
    device.ProductType = *type;
    device.SerialNumber = *serial;
    if (fields.size() > 2) {
        const auto band = ParseNumber<std::uint8_t>(fields[2], 10, 0xFF);
        if (!band) {
            error = "bad band in \"" + std::string(text) + "\"";
            return std::nullopt;
        }
        device.Band = *band;
    }
    if (fields.size() > 3 && !LoadImage(fields[3], device.Image, error)) {
        return std::nullopt;
    }
    // The memory tells the same identity as the air does.
    StoreBandSetting(*type, device.Band, device.Image);
    StoreIdentity(device.Image, *type, *serial);
    return device;
}

std::optional<PresenceUnit> ParsePresenceUnit(std::string_view text, std::string& error) {
    const auto fields = SplitFields(text);
    if (fields.size() > 4 || !IsRadioCode(fields[0])) {
        error = "a presence unit is CODE[:TYPE[:PRESS_MS[:FILE]]] with a 4-digit hexadecimal code: \"" +
                std::string(text) + "\"";
        return std::nullopt;
    }
    PresenceUnit unit;
    unit.RadioCode = UpperCase(fields[0]);
    unit.PressAfter = Millis{1000};
    if (fields.size() > 1 && !fields[1].empty()) {
        if (fields[1].size() != 2) {
            error = "the answer type is two characters: \"" + std::string(text) + "\"";
            return std::nullopt;
        }
        unit.TypeCode = std::string(fields[1]);
    }
    if (fields.size() > 2) {
        if (fields[2] == "-") {
            unit.PressAfter = Millis{-1};
        } else if (const auto after = ParseNumber<std::uint32_t>(fields[2], 10, 3600000)) {
            unit.PressAfter = Millis{*after};
        } else {
            error = "bad button time in \"" + std::string(text) + "\"";
            return std::nullopt;
        }
    }
    if (fields.size() > 3 && !LoadImage(fields[3], unit.Image, error)) {
        return std::nullopt;
    }
    const auto code = ParseNumber<std::uint16_t>(unit.RadioCode, 16, 0xFFFF);
    StoreRadioCode(unit.Image, *code);
    return unit;
}

std::optional<Transmitter> ParseTransmitter(std::string_view text, std::string& error) {
    const auto fields = SplitFields(text);
    const auto after = fields.size() > 1 ? ParseNumber<std::uint32_t>(fields[1], 10, 3600000)
                                         : std::optional<std::uint32_t>(500);
    if (fields.size() > 2 || !IsRadioCode(fields[0]) || !after) {
        error =
            "a transmitter is CODE[:AFTER_MS] with a 4-digit hexadecimal code: \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    return Transmitter{UpperCase(fields[0]), Millis{*after}};
}

} // namespace vorn::sim
