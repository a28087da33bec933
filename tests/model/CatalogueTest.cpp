#include "model/Catalogue.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(Catalogue, FamilyOfEveryByte) {
    // The family rule over the whole byte range: exactly the twelve catalogue codes have a family.
    for (int b = 0; b < 256; ++b) {
        Family expected = Family::None;
        if ((b >= 0x23 && b <= 0x29) || b == 0x38 || b == 0x39) {
            expected = Family::A;
        } else if (b == 0x2A || b == 0x2B) {
            expected = Family::B;
        } else if (b == 0x4B) {
            expected = Family::C;
        }
        EXPECT_EQ(FamilyOf(static_cast<std::uint8_t>(b)), expected) << "byte " << b;
    }
}

TEST(Catalogue, ButtonsAndCodesAreUniqueAndInOrder) {
    for (std::size_t i = 0; i < Catalogue.size(); ++i) {
        EXPECT_EQ(Catalogue[i].button, "bbtnDevice_" + std::to_string(i + 1));
        EXPECT_EQ(FindProduct(Catalogue[i].productType), &Catalogue[i]);
        EXPECT_EQ(std::string(Catalogue[i].defaultFileName),
                  "Default_" + std::string(Catalogue[i].model) + ".vorn");
    }
}

TEST(Catalogue, SettingsKeyOrderCoversEveryModelOnce) {
    for (std::uint8_t code : SettingsKeyOrder) {
        EXPECT_NE(FindProduct(code), nullptr);
        EXPECT_EQ(std::count(SettingsKeyOrder.begin(), SettingsKeyOrder.end(), code), 1);
    }
    EXPECT_EQ(FindProduct(SettingsKeyOrder[1])->settingsKey, "DefaultBodeConfig");
    EXPECT_EQ(FindProduct(SettingsKeyOrder[11])->settingsKey, "DefaultGofaConfig");
}

TEST(Catalogue, LookupByModelIgnoresCase) {
    ASSERT_NE(FindProductByModel("bode+zumi"), nullptr);
    EXPECT_EQ(FindProductByModel("bode+zumi")->productType, 0x26);
    EXPECT_EQ(FindProductByModel("BODE+"), nullptr);
    EXPECT_EQ(FindProduct(0x2C), nullptr);
}

TEST(Catalogue, PagesOfEachFamily) {
    EXPECT_EQ(PagesOfFamily(Family::A).size(), 4u);
    EXPECT_EQ(PagesOfFamily(Family::B).front(), "tbsHeskConfig");
    EXPECT_EQ(PagesOfFamily(Family::C).back(), "tbsGofaRadio");
    EXPECT_TRUE(PagesOfFamily(Family::None).empty());
}

} // namespace
} // namespace vorn
