#include "model/FamilyBFields.h"
#include "support/TestLists.h"
#include "support/ValidImages.h"

#include <random>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::EditorFixture;

class FamilyB : public ::testing::Test {
protected:
    EditorFixture editor;
    std::mt19937 random{21};
    Image image = test::ValidFamilyBImage(random, editor.lists);
    FieldModel& fields = *editor.fields;

    int Load() { return ImageToFields(editor.context, image); }
    int Store() { return FieldsToImage(editor.context, image); }
};

TEST_F(FamilyB, TransmissionCountPairs) {
    ASSERT_EQ(Load(), ResultSuccess);
    struct Case {
        const char* shortText;
        const char* longText;
        std::uint8_t stored;
        int result;
    };
    for (const Case& c :
         {Case{"0", "0", 0x00, 51}, Case{"15", "15", 0xFF, ResultSuccess}, Case{"16", "1", 0x00, 51},
          Case{"1", "16", 0x00, 51}, Case{"0", "1", 0x01, ResultSuccess}}) {
        fields.SetText("edtHESK_MaxShortTx", c.shortText);
        fields.SetText("edtHESK_MaxLongTx", c.longText);
        EXPECT_EQ(Store(), c.result) << c.shortText << "/" << c.longText;
        EXPECT_EQ(image[51], c.stored) << c.shortText << "/" << c.longText;
    }
}

TEST_F(FamilyB, FirmwareVersions) {
    image[47] = 0x1F;
    EXPECT_EQ(Load(), ResultSuccess);
    EXPECT_EQ(fields.Get("edtHESK_FirmwareVersion").Text(), "v1.15");
    image[47] = 0x20;
    image[41] = 77;
    EXPECT_EQ(Load(), ResultFirmwareRefused);
    EXPECT_EQ(fields.Get("edtHESK_FirmwareVersion").Text(), "v2.0");
    EXPECT_EQ(fields.Get("edtHESK_BatteryCheckInterval").Text(), "77") << "every field is filled";
}

TEST_F(FamilyB, FlagByteFortyEight) {
    struct Case {
        std::uint8_t stored, ignore, control, back;
    };
    for (const Case& c :
         {Case{0x02, 1, 0, 0x02}, Case{0x06, 1, 0, 0x02}, Case{0x01, 0, 1, 0x01}, Case{0xFF, 1, 1, 0x03}}) {
        image[48] = c.stored;
        ASSERT_EQ(Load(), ResultSuccess);
        EXPECT_EQ(CodeOfText(editor.lists.YesNo, fields.Get("cbbxHESK_IgnoreAck").Text()), c.ignore);
        EXPECT_EQ(CodeOfText(editor.lists.YesNo, fields.Get("cbbxHESK_RadioControlMode").Text()), c.control);
        ASSERT_EQ(Store(), ResultSuccess);
        EXPECT_EQ(image[48], c.back) << int(c.stored);
    }
}

TEST_F(FamilyB, WholeFlagBytesAndProductNames) {
    image[42] = 0xFF;
    image[50] = 0xFE;
    image[122] = 0x2B;
    ASSERT_EQ(Load(), ResultSuccess);
    EXPECT_EQ(fields.Get("edtHESK_ProductName").Text(), std::string(ValuePart(editor.lists.DeviceNamesB[1])));
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(image[42], 0x01);
    EXPECT_EQ(image[50], 0x02);
    EXPECT_EQ(image[122], 0x2B);
}

TEST_F(FamilyB, RadioIdZeroIsAnEmptyField) {
    image[32] = 0;
    image[33] = 0;
    ASSERT_EQ(Load(), ResultSuccess);
    EXPECT_EQ(fields.Get("edtHESK_RadioIdCode").Text(), "");
    image[32] = 0x55;
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(image[32], 0);
    EXPECT_EQ(image[33], 0);
}

TEST_F(FamilyB, OnlyTheProductNameAndTheCountsAreErrors) {
    CodeLists lists = editor.lists;
    lists.YesNo = {"0=No"}; // choices without an item stay empty and report nothing
    lists.DeviceNamesB = {"43=HESK+ZUMI"};
    EditorFixture other(lists);
    image[48] = 0x03;
    image[47] = 0x25;
    EXPECT_EQ(ImageToFields(other.context, image), 122) << "an address wins over the refused version";
    EXPECT_EQ(other.fields->Get("cbbxHESK_IgnoreAck").Index(), -1);
}

} // namespace
} // namespace vorn
