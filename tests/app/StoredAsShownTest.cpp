#include "ProgramHarness.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/Paths.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ProgramHarness;

// What the operator sets before a save, and what the saved file then shows: the window equals it, or
// the save is refused with a message naming the fields.
struct StoreCase {
    const char* name;
    int button; // the model's device button
    std::vector<std::pair<const char*, const char*>>
        typed;        // field, text ("": the box clicked, a list emptied)
    std::string note; // captions the status bar or the refusal names
    std::vector<std::pair<std::string, std::string>> shown; // a field's text after the save
    bool refused = false;
};

class StoredAsShown : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StoredAsShown, AfterASaveTheWindowShowsWhatTheFileHolds) {
    const StoreCase& c = GetParam();
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(c.button);
    FieldModel& fields = p.GetEditor().Fields();
    for (const auto& [field, text] : c.typed) {
        if (fields.Get(field).Kind() == FieldKind::Check) {
            fields.Click(field);
        } else if (fields.Get(field).Kind() == FieldKind::Choice) {
            fields.SetIndex(field, -1);
        } else {
            fields.Clear(field);
            fields.TypeText(field, text);
        }
    }
    h.view.ClearRecords();
    h.view.AnswerDialog(DialogResult::Ok);
    h.view.AnswerSaveFile(h.root.File("saved.vorn"));
    EXPECT_EQ(p.mnuFileSaveAsClick(), !c.refused);
    if (c.refused) {
        EXPECT_EQ(h.view.Dialogs().at(0).text,
                  FormatText(p.Texts().Text("FILE", "MESSAGE-FIELD_NN_CANNOT_BE_STORED"), {c.note}));
        EXPECT_TRUE(h.view.SaveDialogs().empty()) << "nothing to write: no file is asked for";
        return;
    }
    EXPECT_EQ(h.view.StatusText(),
              "Configuration saved.vorn saved. " +
                  FormatText(p.Texts().Text("FILE", "STATUS-SHOWN_AS_STORED_NN"), {c.note}));
    for (const auto& [field, text] : c.shown) {
        EXPECT_EQ(fields.Get(field).Text(), text) << field;
    }
    // Every field equals what the file shows when it is opened again.
    ProgramHarness other;
    ProgramController& reopened = other.StartWithRegion(0);
    ASSERT_TRUE(reopened.LoadConfigFile(h.root.File("saved.vorn")));
    for (const FieldRow& row : FieldRowsOf(FamilyOf(p.CurrentConfig().Image[ProductTypeAddress]))) {
        EXPECT_EQ(reopened.GetEditor().Fields().Get(row.name).Value(), fields.Get(row.name).Value())
            << row.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredAsShown,
    ::testing::Values(
        StoreCase{"UntickedAutomaticWithoutCode", 1, {{"cbAction_2_Auto", ""}}, "Actions 2: Automatic", {}},
        StoreCase{"ShortCodesAndLeadingZerosStillBeingTyped",
                  1,
                  {{"edtRadioEvent_1_RadioId", "12*"}, {"edtBatteryCheckInterval", "007"}},
                  "Radio events 1: Radio ID code, Battery check interval",
                  {{"edtRadioEvent_1_RadioId", "12**"}, {"edtBatteryCheckInterval", "7"}}},
        StoreCase{"PositioningUnitWithoutTransmissions",
                  12,
                  {{"edtGOFA_MaxShort", "0"}, {"edtGOFA_MaxLong", "0"}},
                  "Max. number of short transmissions, Max. number of long transmissions",
                  {{"edtGOFA_MaxShort", "3"}, {"edtGOFA_MaxLong", "3"}}},
        StoreCase{"NoReceiveBand", 4, {{"cbbxRxFrequencyBand", ""}}, "Receive frequency band", {}, true}),
    test::CaseName{});

TEST(StoredAsShown, APotentiometerOutsideItsStepsSaysSoInItsHint) {
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(12); // its default measures 0: outside the steps
    const Field& p1 = p.GetEditor().Fields().Get("edtGOFA_Potentiometer_P1");
    EXPECT_EQ(p1.Text(), "???");
    EXPECT_TRUE(p1.HintShown());
    EXPECT_EQ(p1.Hint(),
              "The measured value 0 lies outside steps 1 to 11 (854 to 3893), so no step is shown.");
    ProgData::Bytes image = p.CurrentConfig().Image;
    image[134] = 0x04; // 1200: step 4
    image[135] = 0xB0;
    p.GetEditor().ImageToFields(image);
    EXPECT_FALSE(p1.HintShown());
}

} // namespace
} // namespace vorn
