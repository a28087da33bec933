#include "model/BandTable.h"
#include "model/FamilyCFields.h"
#include "support/TestLists.h"
#include "support/ValidImages.h"

#include <functional>
#include <random>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::EditorFixture;
using test::MissingCode;

void PutFrequency(Image& image, int address, std::uint32_t f) {
    for (int b = 0; b < 4; ++b) {
        image[address + b] = static_cast<std::uint8_t>(f >> (24 - 8 * b));
    }
}

std::uint32_t GetFrequency(const Image& image, int address) {
    return static_cast<std::uint32_t>(image[address]) << 24 |
           static_cast<std::uint32_t>(image[address + 1]) << 16 |
           static_cast<std::uint32_t>(image[address + 2]) << 8 | image[address + 3];
}

void RemoveCode(CodeList& list, int code) {
    std::erase_if(list, [code](const std::string& item) { return CodeOfItem(item) == code; });
}

TEST(BandTableTest, Lookups) {
    struct Case {
        std::uint32_t frequency;
        int band;
    };
    for (const Case& c : {Case{0, 1}, Case{869212500, 1}, Case{869237500, 1}, Case{868712500, 2},
                          Case{868737500, 2}, Case{921437500, 15}, Case{869212499, 0}, Case{1, 0}}) {
        EXPECT_EQ(BandOfFrequency(c.frequency), c.band) << c.frequency;
    }
    EXPECT_EQ(FirstFrequency(1), 869212500u);
    EXPECT_EQ(SecondFrequency(1), 869237500u);
    EXPECT_EQ(FirstFrequency(15), 921412500u);
    EXPECT_FALSE(FirstFrequency(4));
    EXPECT_FALSE(SecondFrequency(5));
    EXPECT_FALSE(FirstFrequency(0));
}

class FamilyC : public ::testing::Test {
protected:
    EditorFixture editor;
    std::mt19937 random{31};
    Image image = test::ValidFamilyCImage(random, editor.lists);
    FieldModel& fields = *editor.fields;

    int Load() { return ImageToFields(editor.context, image); }
    int Store() { return FieldsToImage(editor.context, image); }
    int Code(const char* field, const CodeList& list) { return CodeOfText(list, fields.Get(field).Text()); }
};

TEST_F(FamilyC, ReceiveBands) {
    struct Case {
        std::uint32_t f1, f2;
        int band; // -1: no selection
        int result;
    };
    for (const Case& c : {Case{869212500, 869237500, 1, ResultSuccess}, Case{0, 0, 1, ResultSuccess},
                          Case{869212500, 868712500, -1, 0}, Case{1234, 1234, -1, 0}}) {
        PutFrequency(image, 0, c.f1);
        PutFrequency(image, 4, c.f2);
        EXPECT_EQ(Load(), c.result) << c.f1 << "/" << c.f2;
        if (c.band < 0) {
            EXPECT_EQ(fields.Get("cbbxGOFA_RxFrequencyBand").Index(), -1);
        } else {
            EXPECT_EQ(Code("cbbxGOFA_RxFrequencyBand", editor.lists.ReceiveBands), c.band);
        }
    }
    // Without a selection the eight bytes are kept.
    PutFrequency(image, 0, 869212500);
    PutFrequency(image, 4, 868712500);
    Load();
    EXPECT_EQ(Store(), 0);
    EXPECT_EQ(GetFrequency(image, 0), 869212500u);
    EXPECT_EQ(GetFrequency(image, 4), 868712500u);
}

TEST_F(FamilyC, BandOneStoresItsCarrierFrequencies) {
    PutFrequency(image, 8, 0);
    PutFrequency(image, 12, 0);
    ASSERT_EQ(Load(), ResultSuccess);
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(GetFrequency(image, 8), 869212500u);
    EXPECT_EQ(GetFrequency(image, 12), 869237500u);
}

TEST_F(FamilyC, BandCodeWithoutFrequenciesKeepsTheBytes) {
    editor.lists.ReceiveBands.push_back("4=Band four");
    FillChoiceFields(fields, editor.lists, FamilyCFieldRows());
    ASSERT_EQ(Load(), ResultSuccess);
    const std::uint32_t before = GetFrequency(image, 0);
    fields.SetIndex("cbbxGOFA_RxFrequencyBand", static_cast<int>(editor.lists.ReceiveBands.size()) - 1);
    EXPECT_EQ(Store(), 0);
    EXPECT_EQ(GetFrequency(image, 0), before);
}

TEST_F(FamilyC, ExternalInput) {
    for (int v = 0; v <= 6; ++v) {
        image[30] = static_cast<std::uint8_t>(v);
        const bool valid = v >= 1 && v <= 4;
        EXPECT_EQ(Load(), valid ? ResultSuccess : 30) << v;
        if (valid) {
            EXPECT_EQ(Code("cbbxGOFA_ExtInputFunction", editor.lists.ExternalInputFunctions), (v - 1) >> 1);
            EXPECT_EQ(Code("cbbxGOFA_ExtInputMode", editor.lists.ExternalInputModes), (v - 1) & 1);
            ASSERT_EQ(Store(), ResultSuccess);
            EXPECT_EQ(image[30], v);
        } else {
            EXPECT_EQ(fields.Get("cbbxGOFA_ExtInputFunction").Index(), -1);
            EXPECT_EQ(Store(), 30);
            EXPECT_EQ(image[30], 0);
        }
    }
}

TEST_F(FamilyC, SwitchesAsRead) {
    image[128] = 0x41;
    image[129] = 3;
    image[130] = 10;
    image[131] = 16;
    EXPECT_EQ(Load(), 131);
    EXPECT_EQ(fields.Get("edtGOFA_DipSwitch").Text(), "1000 0010");
    EXPECT_EQ(Code("cbbxGOFA_Power_Read", editor.lists.PowerHighLow), 1);
    EXPECT_EQ(Code("cbbxGOFA_TamperTransmitAlarm_Read", editor.lists.YesNo), 0);
    EXPECT_EQ(Code("cbbxGOFA_RelaySource_Read", editor.lists.RelaySources), 0);
    EXPECT_EQ(Code("cbbxGOFA_RelayPolarity_Read", editor.lists.RelayPolarities), 1);
    EXPECT_EQ(Code("cbbxGOFA_ExtInputFunction_Read", editor.lists.ExternalInputFunctions), 0);
    EXPECT_EQ(Code("cbbxGOFA_ExtInputMode_Read", editor.lists.ExternalInputModes), 0);
    EXPECT_EQ(fields.Get("edtGOFA_Position_Read").Text(), "003A");
    EXPECT_EQ(fields.Get("edtGOFA_Zone_Read").Text(), "");
    EXPECT_EQ(fields.Get("edtGOFA_RotaryS3").Text(), "");
    EXPECT_EQ(fields.Get("edtGOFA_RelayPulseTime_Read").Text(), "3.0");
}

TEST_F(FamilyC, DipTextStoring) {
    ASSERT_EQ(Load(), ResultSuccess);
    struct Case {
        const char* text;
        std::uint8_t stored;
        int result;
    };
    for (const Case& c :
         {Case{"1000 0010", 0x41, ResultSuccess}, Case{"1111x1111", 0xFF, ResultSuccess},
          Case{"0000 0001", 0x80, ResultSuccess}, Case{"1000 001", 0x00, 128}, Case{"", 0x00, 128}}) {
        fields.SetText("edtGOFA_DipSwitch", c.text);
        EXPECT_EQ(Store(), c.result) << c.text;
        EXPECT_EQ(image[128], c.stored) << c.text;
    }
}

TEST_F(FamilyC, OldFirmwareShowsNoSwitchStatus) {
    image[47] = 0x09;
    image[136] = static_cast<std::uint8_t>(MissingCode(editor.lists.TamperStatus));
    EXPECT_EQ(Load(), ResultSuccess);
    EXPECT_EQ(fields.Get("cbbxGOFA_AntennaType_Read").Index(), -1);
    EXPECT_EQ(fields.Get("cbbxGOFA_TamperStatus_Read").Index(), -1);
    EXPECT_EQ(fields.Get("edtGOFA_Potentiometer_P1").Text(), "---");
    image[47] = 0x10;
    EXPECT_EQ(Load(), 136);
    EXPECT_GE(fields.Get("cbbxGOFA_AntennaType_Read").Index(), 0);
}

TEST_F(FamilyC, PotentiometerSteps) {
    struct Case {
        int raw;
        const char* shown;
    };
    for (const Case& c :
         {Case{853, "???"}, Case{854, "1"}, Case{1061, "2"}, Case{1200, "4"}, Case{3724, "11"},
          Case{3893, "11"}, Case{3894, "???"}, Case{1057, "1"}, Case{1098, "3"}}) {
        image[134] = static_cast<std::uint8_t>(c.raw >> 8);
        image[135] = static_cast<std::uint8_t>(c.raw & 0xFF);
        Load();
        EXPECT_EQ(fields.Get("edtGOFA_Potentiometer_P1").Text(), c.shown) << c.raw;
        EXPECT_EQ(fields.Get("edtGOFA_RfidVant").Text(), std::to_string(c.raw));
    }
}

TEST_F(FamilyC, TransmissionCountsAreNeverAnError) {
    ASSERT_EQ(Load(), ResultSuccess);
    struct Case {
        const char* shortText;
        const char* longText;
        std::uint8_t stored;
    };
    for (const Case& c :
         {Case{"0", "0", 0x33}, Case{"4", "2", 0x42}, Case{"16", "1", 0x33}, Case{"1", "0", 0x10}}) {
        fields.SetText("edtGOFA_MaxShort", c.shortText);
        fields.SetText("edtGOFA_MaxLong", c.longText);
        EXPECT_EQ(Store(), ResultSuccess);
        EXPECT_EQ(image[34], c.stored) << c.shortText << "/" << c.longText;
    }
}

TEST_F(FamilyC, AcknowledgeChoices) {
    ASSERT_EQ(Load(), ResultSuccess);
    fields.SetIndex("cbbxGOFA_IgnoreAck", -1);
    fields.SetIndex("cbbxGOFA_SendAck", IndexOfCode(editor.lists.YesNo, 1));
    EXPECT_EQ(Store(), 37);
    EXPECT_EQ(image[37], 0x40);
    fields.SetIndex("cbbxGOFA_IgnoreAck", IndexOfCode(editor.lists.YesNo, 1));
    fields.SetIndex("cbbxGOFA_SendAck", -1);
    EXPECT_EQ(Store(), ResultSuccess) << "send acknowledge without a selection is no error";
    EXPECT_EQ(image[37], 0x80);
}

struct StoreErrorCase {
    std::string name;
    std::function<void(FieldModel&)> change;
    int expected;
};

class FamilyCStoreErrors : public ::testing::TestWithParam<StoreErrorCase> {};

TEST_P(FamilyCStoreErrors, RecordTheFieldsAddress) {
    EditorFixture editor;
    std::mt19937 random(32);
    Image image = test::ValidFamilyCImage(random, editor.lists);
    ASSERT_EQ(ImageToFields(editor.context, image), ResultSuccess);
    GetParam().change(*editor.fields);
    EXPECT_EQ(FieldsToImage(editor.context, image), GetParam().expected);
}

std::vector<StoreErrorCase> StoreErrorCases() {
    std::vector<StoreErrorCase> cases{
        {"Zone", [](FieldModel& f) { f.SetIndex("cbbxGOFA_Zone", -1); }, 23},
        {"RelaySource", [](FieldModel& f) { f.SetIndex("cbbxGOFA_RelaySource", -1); }, 25},
        {"PulseTime", [](FieldModel& f) { f.Clear("medtGOFA_RelayPulseTime"); }, 26},
        {"TamperAlarm", [](FieldModel& f) { f.SetIndex("cbbxGOFA_TamperTransmitAlarm", -1); }, 29},
        {"ExternalInput", [](FieldModel& f) { f.SetIndex("cbbxGOFA_ExtInputMode", -1); }, 30},
        {"DipSwitches", [](FieldModel& f) { f.SetText("edtGOFA_DipSwitch", "1"); }, 128},
        {"Calibration", [](FieldModel& f) { f.SetText("edtGOFA_RadioCalibration", "ABC"); }, 112},
        {"ReceiveBand", [](FieldModel& f) { f.SetIndex("cbbxGOFA_RxFrequencyBand", -1); }, 0},
        {"IgnoreAck", [](FieldModel& f) { f.SetIndex("cbbxGOFA_IgnoreAck", -1); }, 37},
        {"TransmitBand", [](FieldModel& f) { f.SetIndex("cbbxGOFA_TxFrequencyBand", -1); }, 8},
        {"LaterWins",
         [](FieldModel& f) { f.SetIndex("cbbxGOFA_Zone", -1), f.SetIndex("cbbxGOFA_AlarmTypeTamper", -1); },
         65},
    };
    const char* alarms[] = {"Button", "Tamper", "AntennaFailure", "ExternalInput", "RadioTest"};
    for (int k = 0; k < 5; ++k) {
        cases.push_back(
            {std::string("AlarmType") + alarms[k],
             [k, alarms](FieldModel& f) { f.SetIndex(std::string("cbbxGOFA_AlarmType") + alarms[k], -1); },
             64 + k});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Addresses, FamilyCStoreErrors, ::testing::ValuesIn(StoreErrorCases()),
                         [](const auto& param) { return param.param.name; });

struct FillErrorCase {
    std::string name;
    std::function<void(CodeLists&, Image&)> change;
    int expected;
};

class FamilyCFillErrors : public ::testing::TestWithParam<FillErrorCase> {};

TEST_P(FamilyCFillErrors, RecordTheFieldsAddress) {
    CodeLists lists = test::EnglishLists();
    std::mt19937 random(33);
    Image image = test::ValidFamilyCImage(random, lists);
    GetParam().change(lists, image);
    EditorFixture editor(lists);
    EXPECT_EQ(ImageToFields(editor.context, image), GetParam().expected);
}

std::vector<FillErrorCase> FillErrorCases() {
    auto missing = [](CodeList CodeLists::*list, int address) {
        return [list, address](CodeLists& l, Image& i) {
            i[address] = static_cast<std::uint8_t>(MissingCode(l.*list));
        };
    };
    auto both = [](auto first, auto second) {
        return [first, second](CodeLists& l, Image& i) {
            first(l, i);
            second(l, i);
        };
    };
    std::vector<FillErrorCase> cases{
        {"AntennaType", missing(&CodeLists::AntennaTypes, 137), 137},
        // Of two failures the later one wins: within a group the switches as read come first.
        {"AntennaTypeThenZone",
         both(missing(&CodeLists::AntennaTypes, 137), [](CodeLists&, Image& i) { i[23] = 16; }), 23},
        {"TamperStatusThenTamperAlarm",
         both(missing(&CodeLists::TamperStatus, 136), missing(&CodeLists::YesNo, 29)), 29},
        {"RelaySourceThenTamperStatus",
         both(missing(&CodeLists::RelaySources, 25), missing(&CodeLists::TamperStatus, 136)), 136},
        {"Zone", [](CodeLists&, Image& i) { i[23] = 16; }, 23},
        {"RelaySource", missing(&CodeLists::RelaySources, 25), 25},
        {"RelayPolarity",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.RelayPolarities, 1);
             i[28] = 1;
         },
         28},
        {"TamperStatus", missing(&CodeLists::TamperStatus, 136), 136},
        {"TamperAlarm", missing(&CodeLists::YesNo, 29), 29},
        {"ExternalInput", [](CodeLists&, Image& i) { i[30] = 5; }, 30},
        {"ExternalInputListLacksCode",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.ExternalInputModes, 1);
             i[30] = 2;
         },
         30},
        {"RotaryS1", [](CodeLists&, Image& i) { i[129] = 0x20; }, 129},
        {"RotaryS2", [](CodeLists&, Image& i) { i[130] = 0x20; }, 130},
        {"RotaryS3", [](CodeLists&, Image& i) { i[131] = 0x20; }, 131},
        {"ProductName", [](CodeLists& l, Image&) { l.DeviceNamesC.clear(); }, 122},
        {"SendAck",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.YesNo, 1);
             i[29] = 0;
             i[37] = 0x40;
         },
         37},
        {"IgnoreAck",
         [](CodeLists& l, Image& i) {
             RemoveCode(l.YesNo, 1);
             i[29] = 0;
             i[37] = 0x80;
         },
         37},
        {"ReceiveBandNotInRegion",
         [](CodeLists& l, Image& i) {
             l.ReceiveBands = {"2=868.7125 MHz"};
             PutFrequency(i, 0, 921212500);
             PutFrequency(i, 4, 921237500);
         },
         0},
        {"TransmitBandsDiffer", [](CodeLists&, Image& i) { PutFrequency(i, 12, 5); }, 8},
    };
    for (int address = 64; address <= 68; ++address) {
        cases.push_back(
            {"AlarmType" + std::to_string(address), missing(&CodeLists::AlarmTypes, address), address});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Addresses, FamilyCFillErrors, ::testing::ValuesIn(FillErrorCases()),
                         [](const auto& param) { return param.param.name; });

TEST_F(FamilyC, CalibrationAndServiceFields) {
    image[112] = 0x0A;
    image[113] = 0xBC;
    ASSERT_EQ(Load(), ResultSuccess);
    EXPECT_EQ(fields.Get("edtGOFA_RadioCalibration").Text(), "0ABC");
    EXPECT_FALSE(fields.Get("edtGOFA_WatchdogReset").Visible());
    image[132] = 0x01;
    image[133] = 0x02;
    fields.SetText("edtGOFA_WatchdogReset", "515");
    ASSERT_EQ(Store(), ResultSuccess);
    EXPECT_EQ(image[132], 0x02);
    EXPECT_EQ(image[133], 0x03);
}

} // namespace
} // namespace vorn
