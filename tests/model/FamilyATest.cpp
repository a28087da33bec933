#include "model/FamilyAFields.h"
#include "model/ValueHelpers.h"
#include "support/TestLists.h"
#include "support/ValidImages.h"

#include <functional>
#include <map>
#include <random>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::EditorFixture;
using test::MissingCode;

Image BaseImage(const CodeLists& lists) {
    std::mt19937 random(11);
    return test::ValidFamilyAImage(random, lists);
}

void RemoveCode(CodeList& list, int code) {
    std::erase_if(list, [code](const std::string& item) { return CodeOfItem(item) == code; });
}

struct FillErrorCase {
    std::string name;
    std::function<void(CodeLists&, Image&)> change;
    int expected;
};

std::vector<FillErrorCase> FillErrorCases() {
    std::vector<FillErrorCase> cases{
        {"InputType5",
         [](CodeLists& l, Image& i) {
             i[43] = static_cast<std::uint8_t>(MissingCode(l.InputTypesBypass, 15));
         },
         43},
        {"InputType6",
         [](CodeLists& l, Image& i) {
             i[44] = static_cast<std::uint8_t>(MissingCode(l.InputTypes, 15) << 4);
         },
         44},
        {"InputType7",
         [](CodeLists& l, Image& i) { i[44] = static_cast<std::uint8_t>(MissingCode(l.InputTypes, 15)); },
         44},
        {"Contact1",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.RelayContacts, 1);
             i[42] = 0x80;
         },
         42},
        {"Contact2",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.RelayContacts, 1);
             i[42] = 0x40;
         },
         42},
        {"Battery24V",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.YesNo, 1);
             i[42] = 0x01;
             i[48] = 0;
         },
         42},
        {"SendAck",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.YesNo, 1);
             i[42] = 0;
             i[48] = 0x01;
         },
         48},
        {"IgnoreAck",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.YesNo, 1);
             i[42] = 0;
             i[48] = 0x02;
         },
         48},
        {"TransmitBand",
         [](CodeLists& l, Image& i) { i[54] = static_cast<std::uint8_t>(MissingCode(l.TransmitBands)); }, 54},
        {"ReceiveBand",
         [](CodeLists& l, Image& i) { i[55] = static_cast<std::uint8_t>(MissingCode(l.ReceiveBands)); }, 55},
        {"ProductName", [](CodeLists& l, Image& i) { RemoveCode(l.DeviceNamesA, i[122]); }, 122},
        {"ProductNameWinsOverVersion",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.DeviceNamesA, i[122]);
             i[47] = 0x31;
         },
         122},
    };
    for (int n = 1; n <= 7; ++n) {
        cases.push_back({"UserConditionA" + std::to_string(n),
                         [n](CodeLists& l, Image& i) {
                             i[95 + n] = static_cast<std::uint8_t>(MissingCode(l.Conditions));
                         },
                         95 + n});
        cases.push_back({"UserConditionB" + std::to_string(n),
                         [n](CodeLists& l, Image& i) {
                             i[102 + n] = static_cast<std::uint8_t>(MissingCode(l.Conditions));
                         },
                         102 + n});
        // The action-reference list holds every nibble; an incomplete one fails.
        cases.push_back({"UserReference" + std::to_string(n),
                         [n](CodeLists& l, Image& i) {
                             for (int m = 1; m <= 8; ++m) {
                                 i[239 + m] &= 0xF0;
                             }
                             for (int m = 1; m <= 7; ++m) {
                                 i[109 + m] &= 0xF0;
                             }
                             i[109 + n] |= 0x0E;
                             RemoveCode(l.ActionReferences, 14);
                         },
                         109 + n});
    }
    for (int n = 1; n <= 8; ++n) {
        cases.push_back({"EventAlarmType" + std::to_string(n),
                         [n](CodeLists& l, Image& i) {
                             i[215 + n] = static_cast<std::uint8_t>(MissingCode(l.RadioEventAlarmTypes));
                         },
                         215 + n});
        cases.push_back({"EventConditionA" + std::to_string(n),
                         [n](CodeLists& l, Image& i) {
                             i[223 + n] = static_cast<std::uint8_t>(MissingCode(l.Conditions));
                         },
                         223 + n});
        cases.push_back({"EventConditionB" + std::to_string(n),
                         [n](CodeLists& l, Image& i) {
                             i[231 + n] = static_cast<std::uint8_t>(MissingCode(l.Conditions));
                         },
                         231 + n});
        cases.push_back({"EventUserType" + std::to_string(n),
                         [n](CodeLists& l, Image& i) {
                             i[239 + n] = static_cast<std::uint8_t>((MissingCode(l.UserTypes, 15) << 4) |
                                                                    (i[239 + n] & 0x0F));
                         },
                         239 + n});
    }
    for (int a = 1; a <= 15; ++a) {
        cases.push_back({"ActionAlarmType" + std::to_string(a),
                         [a](CodeLists& l, Image& i) {
                             i[127 + a] = static_cast<std::uint8_t>(MissingCode(l.ActionAlarmTypes));
                         },
                         127 + a});
        cases.push_back({"Relay1Of" + std::to_string(a),
                         [a](CodeLists& l, Image& i) {
                             i[143 + a] = static_cast<std::uint8_t>(MissingCode(l.RelayActions));
                         },
                         143 + a});
        cases.push_back({"Relay2Of" + std::to_string(a),
                         [a](CodeLists& l, Image& i) {
                             i[159 + a] = static_cast<std::uint8_t>(MissingCode(l.RelayActions));
                         },
                         159 + a});
    }
    return cases;
}

class FamilyAFillErrors : public ::testing::TestWithParam<FillErrorCase> {};

TEST_P(FamilyAFillErrors, RecordTheFieldsAddress) {
    CodeLists lists = test::EnglishLists();
    Image image = BaseImage(lists);
    GetParam().change(lists, image);
    EditorFixture editor(lists);
    EXPECT_EQ(ImageToFields(editor.context, image), GetParam().expected);
    // Every field is still filled: the serial number comes near the end.
    EXPECT_EQ(editor.fields->Get("edtSerialNumber").Text(),
              FormatSerialNumber(image[123], image[124], image[125]));
}

INSTANTIATE_TEST_SUITE_P(Addresses, FamilyAFillErrors, ::testing::ValuesIn(FillErrorCases()),
                         [](const auto& param) { return param.param.name; });

struct StoreErrorCase {
    std::string name;
    std::function<void(FieldModel&)> change;
    int expected;
};

std::vector<StoreErrorCase> StoreErrorCases() {
    std::vector<StoreErrorCase> cases{
        {"CableLengthWithoutSelection", [](FieldModel& f) { f.SetIndex("cbbxCableLength", -1); }, 62},
        {"PulseTimeUntouched", [](FieldModel& f) { f.Clear("medtPulseActivationTime"); }, 49},
        {"MaxShortOver15", [](FieldModel& f) { f.SetText("edtMaxShortTx", "16"); }, 51},
        {"MaxLongOver15", [](FieldModel& f) { f.SetText("edtMaxLongTx", "99"); }, 51},
        // A later failure replaces an earlier one.
        {"LaterFailureWins",
         [](FieldModel& f) {
             f.SetIndex("cbbxCableLength", -1);
             f.SetIndex("cbbxRadioEvent_3_ActionReference", -1);
         },
         242},
    };
    for (int n = 1; n <= 7; ++n) {
        cases.push_back({"UserReference" + std::to_string(n),
                         [n](FieldModel& f) {
                             f.SetIndex("cbbxUserEvent_" + std::to_string(n) + "_ActionReference", -1);
                         },
                         109 + n});
    }
    for (int n = 1; n <= 8; ++n) {
        cases.push_back({"EventReference" + std::to_string(n),
                         [n](FieldModel& f) {
                             f.SetIndex("cbbxRadioEvent_" + std::to_string(n) + "_ActionReference", -1);
                         },
                         239 + n});
    }
    return cases;
}

class FamilyAStoreErrors : public ::testing::TestWithParam<StoreErrorCase> {};

TEST_P(FamilyAStoreErrors, RecordTheFieldsAddress) {
    EditorFixture editor;
    Image image = BaseImage(editor.lists);
    ASSERT_EQ(ImageToFields(editor.context, image), ResultSuccess);
    GetParam().change(*editor.fields);
    EXPECT_EQ(FieldsToImage(editor.context, image), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Addresses, FamilyAStoreErrors, ::testing::ValuesIn(StoreErrorCases()),
                         [](const auto& param) { return param.param.name; });

// Which of two failing fields is reported is decided by the order in which a conversion takes the
// fields: along each chain, a field failing together with the one before it reports its own address.
TEST(FamilyAErrorOrder, TheLaterFieldOfEachPairWins) {
    std::map<std::string, FillErrorCase> fill;
    for (FillErrorCase& c : FillErrorCases()) {
        fill.emplace(c.name, std::move(c));
    }
    for (int n : {1, 8}) {
        fill.emplace("EventReference" + std::to_string(n), FillErrorCase{"",
                                                                         [n](CodeLists& l, Image& i) {
                                                                             for (int m = 1; m <= 8; ++m) {
                                                                                 i[239 + m] &= 0xF0;
                                                                             }
                                                                             i[239 + n] |= 0x0E;
                                                                             RemoveCode(l.ActionReferences,
                                                                                        14);
                                                                         },
                                                                         239 + n});
    }
    std::vector<std::string> fillChain{
        "InputType5",       "InputType7",       "UserConditionA1", "UserConditionA7",  "UserConditionB1",
        "UserConditionB7",  "UserReference1",   "UserReference7",  "Contact2",         "EventAlarmType1",
        "EventAlarmType8",  "EventUserType1",   "EventUserType8",  "EventConditionA1", "EventConditionA8",
        "EventConditionB1", "EventConditionB8", "EventReference1", "EventReference8"};
    for (int a = 1; a <= 15; ++a) {
        fillChain.push_back("ActionAlarmType" + std::to_string(a));
        fillChain.push_back("Relay2Of" + std::to_string(a));
    }
    fillChain.insert(fillChain.end(),
                     {"SendAck", "TransmitBand", "ReceiveBand", "Battery24V", "ProductName"});
    for (std::size_t k = 1; k < fillChain.size(); ++k) {
        CodeLists lists = test::EnglishLists();
        Image image = BaseImage(lists);
        fill.at(fillChain[k - 1]).change(lists, image);
        fill.at(fillChain[k]).change(lists, image);
        EditorFixture editor(lists);
        EXPECT_EQ(ImageToFields(editor.context, image), fill.at(fillChain[k]).expected)
            << fillChain[k - 1] << " then " << fillChain[k];
    }

    std::map<std::string, StoreErrorCase> store;
    for (StoreErrorCase& c : StoreErrorCases()) {
        store.emplace(c.name, std::move(c));
    }
    const std::vector<std::string> storeChain{
        "UserReference1",     "UserReference7",  "CableLengthWithoutSelection",
        "PulseTimeUntouched", "EventReference1", "EventReference8",
        "MaxShortOver15"};
    for (std::size_t k = 1; k < storeChain.size(); ++k) {
        EditorFixture editor;
        Image image = BaseImage(editor.lists);
        ASSERT_EQ(ImageToFields(editor.context, image), ResultSuccess);
        store.at(storeChain[k - 1]).change(*editor.fields);
        store.at(storeChain[k]).change(*editor.fields);
        EXPECT_EQ(FieldsToImage(editor.context, image), store.at(storeChain[k]).expected)
            << storeChain[k - 1] << " then " << storeChain[k];
    }
}

class FamilyA : public ::testing::Test {
protected:
    EditorFixture editor;
    Image image = BaseImage(editor.lists);
    FieldModel& fields = *editor.fields;

    void SetUp() override { ASSERT_EQ(ImageToFields(editor.context, image), ResultSuccess); }
    int Store() { return FieldsToImage(editor.context, image); }
    int Load() { return ImageToFields(editor.context, image); }
};

TEST_F(FamilyA, InputTypeCodeMinusOneStoresZero) {
    editor.lists.InputTypes.push_back("-1=Broken");
    FillChoiceFields(fields, editor.lists, FamilyAFieldRows());
    fields.SetIndex("cbbxUserEvent_7_InputType", static_cast<int>(editor.lists.InputTypes.size()) - 1);
    EXPECT_EQ(Store(), 44);
    EXPECT_EQ(image[44], 0);
}

TEST_F(FamilyA, RadioEventCodeWithWildcardRoundTrip) {
    fields.Clear("edtRadioEvent_1_RadioId");
    EXPECT_EQ(fields.TypeText("edtRadioEvent_1_RadioId", "12*"), KeyResult::Accepted);
    fields.Clear("edtRadioEvent_1_PositionId");
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(image[192], 0x12);
    EXPECT_EQ(image[193], 0x00);
    EXPECT_EQ(image[208] >> 4, 0x3);
    EXPECT_EQ(image[208] & 0x0F, 0x0) << "the position mask of an empty field";
    ASSERT_EQ(Load(), ResultSuccess);
    EXPECT_EQ(fields.Get("edtRadioEvent_1_RadioId").Text(), "12**");
}

TEST_F(FamilyA, AutomaticActions) {
    image[32] = 0x12;
    image[33] = 0xAB;
    image[64] = 0;
    image[65] = 0;
    image[66] = 0x43;
    image[67] = 0x21;
    ASSERT_EQ(Load(), ResultSuccess);
    EXPECT_TRUE(fields.Get("cbAction_1_Auto").Checked());
    EXPECT_FALSE(fields.Get("edtAction_1_RadioId").Enabled());
    EXPECT_EQ(fields.Get("edtAction_1_RadioId").Text(), "12AB");
    EXPECT_FALSE(fields.Get("cbAction_2_Auto").Checked());
    EXPECT_TRUE(fields.Get("edtAction_2_RadioId").Enabled());
    EXPECT_EQ(fields.Get("edtAction_2_RadioId").Text(), "4321");

    // A checked box stores 0x0000 whatever the field shows; unchecked and empty stores 0x0000 too.
    fields.SetText("edtAction_1_RadioId", "7777");
    fields.SetChecked("cbAction_2_Auto", false);
    fields.SetText("edtAction_2_RadioId", "");
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(image[64] | image[65] | image[66] | image[67], 0);
    ASSERT_EQ(Load(), ResultSuccess);
    EXPECT_TRUE(fields.Get("cbAction_2_Auto").Checked());
}

TEST_F(FamilyA, TransmissionCountPairs) {
    struct Case {
        const char* shortText;
        const char* longText;
        std::uint8_t stored;
        int result;
    };
    for (const Case& c : {Case{"16", "3", 0x00, 51}, Case{"0", "0", 0x00, ResultSuccess},
                          Case{"15", "15", 0xFF, ResultSuccess}, Case{"4", "2", 0x42, ResultSuccess},
                          Case{"", "x", 0x00, ResultSuccess}}) {
        fields.SetText("edtMaxShortTx", c.shortText);
        fields.SetText("edtMaxLongTx", c.longText);
        EXPECT_EQ(Store(), c.result) << c.shortText << "/" << c.longText;
        EXPECT_EQ(image[51], c.stored) << c.shortText << "/" << c.longText;
    }
}

TEST(FamilyAPulseTime, TypedTextsStoreAndShowAgain) {
    struct Case {
        char32_t separator;
        const char* typed; // nullptr: field left untouched
        std::uint8_t b49, b50;
        const char* shownAfter;
        int result;
    };
    const Case cases[] = {
        {'.', "6553.5", 0xFF, 0xFF, "6553.5", ResultSuccess},
        {'.', "9999.9", 0xFF, 0xFF, "6553.5", ResultSuccess},
        {'.', "12.3", 0x00, 0x7B, "  12.3", ResultSuccess},
        {'.', nullptr, 0x00, 0x00, "   0.0", 49},
        {'.', ".5", 0x00, 0x05, "   0.5", ResultSuccess},
        {'.', "3", 0x00, 0x1E, "   3.0", ResultSuccess},
        {',', "12,3", 0x00, 0x7B, "  12,3", ResultSuccess},
        {',', "12.3", 0x00, 0x78, "  12,0", ResultSuccess}, // the full stop is refused
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "untouched");
        EditorFixture editor(test::EnglishLists(), c.separator);
        Image image = BaseImage(editor.lists);
        ASSERT_EQ(ImageToFields(editor.context, image), ResultSuccess);
        editor.fields->Clear("medtPulseActivationTime");
        if (c.typed != nullptr) {
            editor.fields->TypeText("medtPulseActivationTime", c.typed);
        }
        EXPECT_EQ(FieldsToImage(editor.context, image), c.result);
        EXPECT_EQ(image[49], c.b49);
        EXPECT_EQ(image[50], c.b50);
        EXPECT_EQ(editor.fields->Get("medtPulseActivationTime").Text(), c.shownAfter);
    }
}

TEST_F(FamilyA, FirmwareVersionShownAndChecked) {
    image[47] = 0x21;
    EXPECT_EQ(Load(), ResultSuccess);
    EXPECT_EQ(fields.Get("edtFirmwareVersion").Text(), "v2.1");
    image[47] = 0x31;
    image[125] = 0x7F;
    EXPECT_EQ(Load(), ResultFirmwareRefused);
    EXPECT_EQ(fields.Get("edtFirmwareVersion").Text(), "v3.1");
    EXPECT_EQ(fields.Get("edtSerialNumber").Text(), FormatSerialNumber(image[123], image[124], 0x7F));
}

TEST_F(FamilyA, FlagBytesKeepOnlyTheirFieldsBits) {
    image[42] = 0xFF;
    image[48] = 0xFF;
    ASSERT_EQ(Load(), ResultSuccess);
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(image[42], 0xC1);
    EXPECT_EQ(image[48], 0x03);
}

TEST_F(FamilyA, UnknownProductNameKeepsTheProductType) {
    // The shown name has no item after a language change: the model byte must survive a save.
    fields.SetText("edtProductName", "SOMETHING ELSE");
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(image[122], 0x23);
}

TEST_F(FamilyA, BytesWrittenDifferentlyCountAsChanged) {
    ProgData data;
    data.Image = image;
    data.Image[48] |= 0x04; // a bit no field keeps
    ImageToFields(editor.context, data.Image);
    data.Snapshot();
    EXPECT_TRUE(data.IsUnchanged());
    FieldsToImage(editor.context, data.ComparisonCopy);
    EXPECT_FALSE(data.IsUnchanged());

    data.Image = image;
    ImageToFields(editor.context, data.Image);
    data.Snapshot();
    FieldsToImage(editor.context, data.ComparisonCopy);
    EXPECT_TRUE(data.IsUnchanged()) << "nothing edited";
    fields.SetText("edtBatteryCheckInterval", std::to_string((image[41] + 1) % 256));
    FieldsToImage(editor.context, data.ComparisonCopy);
    EXPECT_FALSE(data.IsUnchanged());
    fields.SetText("edtBatteryCheckInterval", std::to_string(image[41]));
    FieldsToImage(editor.context, data.ComparisonCopy);
    EXPECT_TRUE(data.IsUnchanged()) << "undoing the edit";
}

} // namespace
} // namespace vorn
