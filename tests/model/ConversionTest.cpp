#include "model/Conversion.h"

#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/TestLists.h"
#include "support/ValidImages.h"

#include <random>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::EditorFixture;

std::vector<std::string> FieldState(const FieldModel& fields) {
    std::vector<std::string> state;
    for (const Field* f : fields.Fields()) {
        state.push_back(f->Name() + "|" + f->Text() + "|" + std::to_string(f->Index()) + "|" +
                        std::to_string(f->Checked()) + "|" + std::to_string(f->Enabled()));
    }
    return state;
}

TEST(ConversionDispatch, NoFamilyTouchesNeitherEditorNorImage) {
    EditorFixture editor;
    std::mt19937 random(1);
    ASSERT_EQ(ImageToFields(editor.context, test::ValidFamilyAImage(random, editor.lists)), ResultSuccess);
    const auto before = FieldState(*editor.fields);
    for (std::uint8_t type : {0x2C, 0x3A, 0x4A, 0x00, 0xFF}) {
        Image image{};
        image.fill(0x5A);
        image[ProductTypeAddress] = type;
        const Image original = image;
        EXPECT_EQ(ImageToFields(editor.context, image), ResultNoFamily) << int(type);
        EXPECT_EQ(FieldsToImage(editor.context, image), 0) << int(type);
        EXPECT_EQ(image, original);
        EXPECT_FALSE(editor.filling);
    }
    EXPECT_EQ(FieldState(*editor.fields), before);
}

TEST(ConversionDispatch, FillingIsSetOnlyWhileAFamilyConverts) {
    EditorFixture editor;
    std::vector<bool> seen;
    editor.fields->On("edtUnitRadioIdCode", FieldEvent::Change,
                      [&](const Field&) { seen.push_back(editor.filling); });
    std::mt19937 random(2);
    Image image = test::ValidFamilyAImage(random, editor.lists);
    image[32] = 0x12;
    ImageToFields(editor.context, image);
    EXPECT_EQ(seen, std::vector<bool>{true});
    EXPECT_FALSE(editor.filling);
}

struct VersionCase {
    const char* name;
    std::uint8_t productType;
    std::uint8_t version;
    int result;
    friend void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }
};

class FirmwareVersionRule : public ::testing::TestWithParam<VersionCase> {};

TEST_P(FirmwareVersionRule, RefusesOnlyTheFamilysForeignVersions) {
    EditorFixture editor;
    std::mt19937 random(3);
    Image image = test::ValidImage(random, editor.lists, GetParam().productType);
    image[47] = GetParam().version;
    EXPECT_EQ(ImageToFields(editor.context, image), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, FirmwareVersionRule,
                         ::testing::Values(VersionCase{"A_1F", 0x23, 0x1F, ResultFirmwareRefused},
                                           VersionCase{"A_30", 0x39, 0x30, ResultFirmwareRefused},
                                           VersionCase{"A_20", 0x25, 0x20, ResultSuccess},
                                           VersionCase{"A_2F", 0x38, 0x2F, ResultSuccess},
                                           VersionCase{"B_1F", 0x2A, 0x1F, ResultSuccess},
                                           VersionCase{"B_00", 0x2B, 0x00, ResultSuccess},
                                           VersionCase{"B_20", 0x2A, 0x20, ResultFirmwareRefused},
                                           VersionCase{"C_00", 0x4B, 0x00, ResultSuccess},
                                           VersionCase{"C_FF", 0x4B, 0xFF, ResultSuccess},
                                           VersionCase{"C_20", 0x4B, 0x20, ResultSuccess}),
                         test::CaseName());

TEST(CompatibilityRule, MessagesAndArguments) {
    Image image{};
    image[122] = 0x2C;
    image[47] = 0x31;
    image[55] = 7;
    auto m = MessageForResult(ResultNoFamily, image);
    EXPECT_EQ(m.key, "MESSAGE-INVALID_PRODUCT_TYPE_NN");
    EXPECT_EQ(m.arguments, (std::vector<MessageArgument>{44LL}));
    m = MessageForResult(ResultFirmwareRefused, image);
    EXPECT_EQ(m.key, "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN");
    EXPECT_EQ(m.arguments, (std::vector<MessageArgument>{std::string("v3.1")}));
    m = MessageForResult(55, image, "HESK");
    EXPECT_EQ(m.section, "HESK");
    EXPECT_EQ(m.key, "MESSAGE-ERROR_CONVERTING_DATA");
    EXPECT_EQ(m.arguments, (std::vector<MessageArgument>{7LL, 55LL}));
    EXPECT_TRUE(MessageForResult(ResultSuccess, image).section.empty());
}

// Every product type, valid images: shown and stored back byte for byte at the mapped addresses,
// and nothing else is touched.
TEST(ConversionRoundTrip, ValidImagesOfEveryModelComeBackUnchanged) {
    EditorFixture editor;
    std::mt19937 random(4);
    for (const ProductInfo& product : Catalogue) {
        const std::set<int> mapped = test::MappedAddresses(product.productType);
        for (int round = 0; round < 20; ++round) {
            const Image image = test::ValidImage(random, editor.lists, product.productType);
            ASSERT_EQ(ImageToFields(editor.context, image), ResultSuccess)
                << product.model << " round " << round;
            Image target = image;
            for (int a = 0; a < ProgData::ImageSize; ++a) {
                if (mapped.count(a) != 0) {
                    target[a] = static_cast<std::uint8_t>(~image[a]);
                }
            }
            target[ProductTypeAddress] = product.productType;
            if (product.family == Family::A) {
                for (int a = 110; a <= 116; ++a) { // the high nibble of a user event's reference is kept
                    target[a] = static_cast<std::uint8_t>((image[a] & 0xF0) | (target[a] & 0x0F));
                }
            }
            ASSERT_EQ(FieldsToImage(editor.context, target), ResultSuccess) << product.model;
            for (int a = 0; a < ProgData::ImageSize; ++a) {
                ASSERT_EQ(target[a], image[a]) << product.model << " address " << a << " round " << round;
            }
        }
    }
}

// Any 256 bytes under any product type: no crash, and the second pass changes nothing more.
TEST(ConversionRoundTrip, AnyBytesAreStableAfterTheFirstPass) {
    EditorFixture editor;
    std::mt19937 random(5);
    for (int round = 0; round < 600; ++round) {
        Image image{};
        for (auto& b : image) {
            b = static_cast<std::uint8_t>(random());
        }
        if (round % 2 == 0) {
            image[ProductTypeAddress] =
                Catalogue[static_cast<std::size_t>(round / 2) % Catalogue.size()].productType;
        }
        ImageToFields(editor.context, image);
        Image first = image;
        FieldsToImage(editor.context, first);
        ImageToFields(editor.context, first);
        Image second = first;
        FieldsToImage(editor.context, second);
        ASSERT_EQ(second, first) << "round " << round << " type " << int(image[ProductTypeAddress]);
    }
}

} // namespace
} // namespace vorn
