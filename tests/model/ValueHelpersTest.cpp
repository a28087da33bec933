#include "model/ValueHelpers.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(KeyTests, AcceptedCharacters) {
    struct Case {
        char32_t ch;
        bool hex, decimal, number, radioId;
    };
    const Case cases[] = {
        {'0', true, true, true, true},
        {'9', true, true, true, true},
        {'a', true, false, false, true},
        {'F', true, false, false, true},
        {'g', false, false, false, false},
        {'G', false, false, false, false},
        {'*', false, false, false, true},
        {',', false, false, true, false},
        {'.', false, false, false, false},
        {'-', false, false, false, false},
        {' ', false, false, false, false},
        {3, true, true, true, true},
        {8, true, true, true, true},
        {22, true, true, true, true},
        {24, true, true, true, true},
        {13, false, false, false, false},
        {27, false, false, false, false},
        {U'\u00e9', false, false, false, false},
        {U'\uff11', false, false, false, false}, // full-width digit one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<std::uint32_t>(c.ch));
        EXPECT_EQ(IsHexKey(c.ch), c.hex);
        EXPECT_EQ(IsDecimalKey(c.ch), c.decimal);
        EXPECT_EQ(IsNumberKey(c.ch, ','), c.number);
        EXPECT_EQ(IsRadioIdKey(c.ch), c.radioId);
    }
    EXPECT_TRUE(IsNumberKey('.', '.'));
    EXPECT_FALSE(IsNumberKey(',', '.'));
}

TEST(Hex, HexByteAndFormatHex16) {
    EXPECT_EQ(HexByte(0x0A), "0A");
    EXPECT_EQ(HexByte(0xFF), "FF");
    EXPECT_EQ(HexByte(0x00), "00");
    EXPECT_EQ(FormatHex16(0, 0), "");
    EXPECT_EQ(FormatHex16(0, 1), "0001");
    EXPECT_EQ(FormatHex16(0xAB, 0xCD), "ABCD");
}

TEST(Hex, ParseHex16Cases) {
    struct Case {
        const char* text;
        Hex16 expected;
    };
    const Case cases[] = {
        {"", {0, 0}},           {"12345", {0, 0}},      {"1", {0x00, 0x01}}, {"abcd", {0xAB, 0xCD}},
        {"ABCD", {0xAB, 0xCD}}, {"12G4", {0x00, 0x12}}, {"G", {0, 0}},       {"FFFF", {0xFF, 0xFF}},
        {" 1F", {0x00, 0x1F}},  {"0x1F", {0x00, 0x1F}}, {"****", {0, 0}},    {"0", {0, 0}},
        {"\xC3\xA9", {0, 0}}, // one non-ASCII character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseHex16(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(RadioIdCodes, ParseExamples) {
    struct Case {
        const char* text;
        RadioId expected;
    };
    const Case cases[] = {
        {"12", {0x00, 0x12, 0x0}},
        {"*", {0x00, 0x00, 0xF}},
        {"1*", {0x10, 0x00, 0x7}},
        {"*1", {0x00, 0x01, 0xE}},
        {"A*3F", {0xA0, 0x3F, 0x4}},
        {"12*", {0x12, 0x00, 0x3}},
        {"12345", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"a*3f", {0xA0, 0x3F, 0x4}},
        {"1*2", {0x01, 0x02, 0x2}}, // inner wildcard: zero-filled in front, no completion
        {"ZZ", {0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseRadioId(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(RadioIdCodes, FormatExamples) {
    EXPECT_EQ(FormatRadioId(0, 0, 0), "");
    EXPECT_EQ(FormatRadioId(0, 0, 0xF), "****");
    EXPECT_EQ(FormatRadioId(0x12, 0x34, 0x1), "123*");
    EXPECT_EQ(FormatRadioId(0x12, 0x00, 0x3), "12**");
    EXPECT_EQ(FormatRadioId(0x00, 0x05, 0x8), "*005");
}

TEST(RadioIdCodes, ShownTextParsesBackToTheSameCode) {
    // Holds for every code whose digits under a wildcard are 0 (the form the parser produces).
    for (unsigned value = 0; value < 0x10000; value += 0x0F1) {
        for (unsigned mask = 0; mask < 16; ++mask) {
            unsigned clean = value;
            for (int k = 0; k < 4; ++k) {
                if ((mask >> (3 - k)) & 1) {
                    clean &= ~(0xFu << (12 - 4 * k));
                }
            }
            const auto b0 = static_cast<std::uint8_t>(clean >> 8);
            const auto b1 = static_cast<std::uint8_t>(clean & 0xFF);
            const RadioId parsed = ParseRadioId(FormatRadioId(b0, b1, static_cast<std::uint8_t>(mask)));
            ASSERT_EQ(parsed, (RadioId{b0, b1, static_cast<std::uint8_t>(mask)}))
                << value << " mask " << mask;
        }
    }
}

TEST(HexPairs, ValueAndAt) {
    EXPECT_EQ(HexPairValue('0', 'A'), 0x0A);
    EXPECT_EQ(HexPairValue('f', 'f'), 0xFF);
    EXPECT_EQ(HexPairValue('G', '1'), 0x01);
    EXPECT_EQ(HexPairValue('-', '-'), 0x00);
    EXPECT_EQ(HexPairAt("xx1F", 3), 0x1F);
    EXPECT_EQ(HexPairAt("xx1F", 4), 0x00); // only one character left
    EXPECT_EQ(HexPairAt("xx1F", 0), 0x00);
    EXPECT_EQ(HexPairAt("", 1), 0x00);
}

TEST(IntOrZeroTest, Cases) {
    struct Case {
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"255", 255},
        {"-5", -5},
        {"+7", 7},
        {"", 0},
        {"-", 0},
        {"12a", 0},
        {" 12", 0},
        {"12 ", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},
        {"99999999999999999999999999", 0},
        {"-99999999999999999999999999", 0},
        {"\xD9\xA3", 0}, // Arabic-Indic digit three
        {"1.5", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IntOrZero(c.text), c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(ByteOrZero("256"), 0);
    EXPECT_EQ(ByteOrZero("257"), 1);
    EXPECT_EQ(ByteOrZero("-1"), 0xFF);
}

TEST(NarrowCopyTest, LowBytesThenZeroWithinTheBuffer) {
    char buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    EXPECT_EQ(NarrowCopy("12AB", buffer), 4u);
    EXPECT_EQ(std::string(buffer), "12AB");

    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(NarrowCopy("12AB", small), 2u);
    EXPECT_EQ(std::string(small, 3), std::string("12\0", 3));

    EXPECT_EQ(NarrowCopy("\xC3\xA9", buffer), 1u); // U+00E9 keeps its low byte
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 0xE9);
    EXPECT_EQ(NarrowCopy("abc", std::span<char>()), 0u);
}

TEST(BcdDate, ShowAndStore) {
    EXPECT_EQ(FormatBcdDate(0x24, 0x01, 0x31), "240131");
    EXPECT_EQ(ParseBcdDate("240131"), (std::array<std::uint8_t, 3>{0x24, 0x01, 0x31}));
    EXPECT_EQ(ParseBcdDate("24013"), (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(ParseBcdDate("2401311"), (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(ParseBcdDate(""), (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(ParseBcdDate("ab01zz"), (std::array<std::uint8_t, 3>{0xAB, 0x01, 0x00}));
}

TEST(SerialNumber, ShowAndStore) {
    EXPECT_EQ(FormatSerialNumber(0, 0, 0), "0");
    EXPECT_EQ(FormatSerialNumber(0x01, 0x02, 0x03), "66051");
    EXPECT_EQ(FormatSerialNumber(0xFF, 0xFF, 0xFF), "16777215");
    EXPECT_EQ(ParseSerialNumber("66051"), (std::array<std::uint8_t, 3>{1, 2, 3}));
    EXPECT_EQ(ParseSerialNumber("16777216"), (std::array<std::uint8_t, 3>{0, 0, 0})); // 24 bits kept
    EXPECT_EQ(ParseSerialNumber("-1"), (std::array<std::uint8_t, 3>{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ParseSerialNumber("x"), (std::array<std::uint8_t, 3>{0, 0, 0}));
}

TEST(FirmwareVersion, ShowAndParse) {
    EXPECT_EQ(FormatFirmwareVersion(0x21), "v2.1");
    EXPECT_EQ(FormatFirmwareVersion(0x1F), "v1.15");
    struct Case {
        const char* text;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {"v2.1", 0x21},   {"v1.15", 0x1F}, {"2.1", 0},  {"v21", 0},       {"v.1", 0},     {"v2.", 0},
        {"v15.15", 0xFF}, {"v2.10", 0x2A}, {"V2.1", 0}, {"v2.1.0", 0x20}, {"v1234.5", 0}, {"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseFirmwareVersion(c.text), c.expected) << '"' << c.text << '"';
    }
    for (int b = 0; b < 256; ++b) {
        const auto version = static_cast<std::uint8_t>(b);
        EXPECT_EQ(ParseFirmwareVersion(FormatFirmwareVersion(version)), version);
    }
}

} // namespace
} // namespace vorn
