#include "model/BandSetting.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(BandSettingTest, WhereEachFamilyKeepsItsBand) {
    struct Case {
        std::uint8_t type;
        int address;
        int length;
        bool covers;
    };
    for (const Case& c : {Case{0x23, 48, 8, true}, Case{0x23, 48, 7, false}, Case{0x39, 55, 1, true},
                          Case{0x4B, 48, 21, false}, Case{0x4B, 0, 21, true}, Case{0x4B, 3, 1, true},
                          Case{0x4B, 4, 4, false}, Case{0x2A, 0, 64, false}, Case{0x00, 55, 1, false}}) {
        EXPECT_EQ(CoversBandSetting(c.type, c.address, c.length), c.covers)
            << int(c.type) << " " << c.address << "/" << c.length;
    }
}

TEST(BandSettingTest, StoredAndReadBackByFamily) {
    ProgData::Bytes image{};
    StoreBandSetting(0x23, 9, image);
    EXPECT_EQ(image[55], 9);
    EXPECT_EQ(BandSetting(0x23, image), 9);

    image = {};
    EXPECT_EQ(BandSetting(0x4B, image), std::nullopt); // no carrier at all
    StoreBandSetting(0x4B, 1, image);                  // band 1 stores its real pair
    EXPECT_EQ(image[0], 0x33);
    EXPECT_EQ(image[3], 0x54);
    EXPECT_EQ(image[55], 0);
    EXPECT_EQ(BandSetting(0x4B, image), 1);
    StoreBandSetting(0x4B, 4, image); // no frequencies known for band 4: the bytes stay
    EXPECT_EQ(BandSetting(0x4B, image), 1);
    image[2] = 0x99; // a frequency of no band
    EXPECT_EQ(BandSetting(0x4B, image), std::nullopt);
    EXPECT_EQ(BandSetting(0x2A, image), std::nullopt);
}

} // namespace
} // namespace vorn
