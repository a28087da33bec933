#include "ProgramHarness.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/Paths.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ProgramHarness;

// What the operator sets before a save, and what the saved file then shows: the window equals it, or
// the save is refused with a message naming the fields.
struct StoreCase {
    const char* name;
    int button; // the model's device button
    std::function<void(FieldModel&)> edit;
    std::vector<std::string> shownOtherwise; // field captions the status bar names; empty: none
    std::vector<std::pair<std::string, std::string>> shown; // field, its text after the save ("1"/"0": a box)
    std::string refused;                                    // the captions of a refused save
};

class StoredAsShown : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StoredAsShown, AfterASaveTheWindowShowsWhatTheFileHolds) {
    const StoreCase& c = GetParam();
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(c.button);
    FieldModel& fields = p.GetEditor().Fields();
    c.edit(fields);
    const std::string file = h.root.File("saved.vorn");
    h.view.ClearRecords();
    if (!c.refused.empty()) {
        h.view.AnswerDialog(DialogResult::Ok);
        EXPECT_FALSE(p.mnuFileSaveAsClick());
        ASSERT_EQ(h.view.Dialogs().size(), 1u);
        EXPECT_EQ(h.view.Dialogs()[0].text,
                  FormatText(p.Texts().Text("FILE", "MESSAGE-FIELD_NN_CANNOT_BE_STORED"), {c.refused}));
        EXPECT_TRUE(h.view.SaveDialogs().empty()) << "nothing to write: no file is asked for";
        return;
    }
    h.view.AnswerSaveFile(file);
    ASSERT_TRUE(p.mnuFileSaveAsClick());
    std::string note;
    for (const std::string& caption : c.shownOtherwise) {
        note += (note.empty() ? "" : ", ") + caption;
    }
    const std::string saved = "Configuration saved.vorn saved.";
    EXPECT_EQ(h.view.StatusText(),
              note.empty()
                  ? saved
                  : saved + " " + FormatText(p.Texts().Text("FILE", "STATUS-SHOWN_AS_STORED_NN"), {note}));
    for (const auto& [field, text] : c.shown) {
        const Field& shown = fields.Get(field);
        EXPECT_EQ(shown.Kind() == FieldKind::Check ? std::string(shown.Checked() ? "1" : "0") : shown.Text(),
                  text)
            << field;
    }
    EXPECT_FALSE(p.HasUnsavedChanges());
    // Every field equals what the file shows when it is opened again.
    ProgramHarness other;
    ProgramController& reopened = other.StartWithRegion(0);
    ASSERT_TRUE(reopened.LoadConfigFile(file));
    for (const FieldRow& row : FieldRowsOf(FamilyOf(p.CurrentConfig().Image[ProductTypeAddress]))) {
        EXPECT_EQ(reopened.GetEditor().Fields().Get(row.name).Value(), fields.Get(row.name).Value())
            << row.name;
    }
}

void Type(FieldModel& fields, const char* field, const char* text) {
    fields.Clear(field);
    fields.TypeText(field, text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredAsShown,
    ::testing::Values(StoreCase{"UntickedAutomaticWithoutCode",
                                1,
                                [](FieldModel& f) { f.Click("cbAction_2_Auto"); },
                                {"Actions 2: Automatic"},
                                {{"cbAction_2_Auto", "1"}},
                                ""},
                      StoreCase{"ShortCodesAndLeadingZerosStillBeingTyped",
                                1,
                                [](FieldModel& f) {
                                    Type(f, "edtRadioEvent_1_RadioId", "12*");
                                    Type(f, "edtBatteryCheckInterval", "007");
                                },
                                {"Radio events 1: Radio ID code", "Battery check interval"},
                                {{"edtRadioEvent_1_RadioId", "12**"}, {"edtBatteryCheckInterval", "7"}},
                                ""},
                      StoreCase{"PositioningUnitWithoutTransmissions",
                                12,
                                [](FieldModel& f) {
                                    Type(f, "edtGOFA_MaxShort", "0");
                                    Type(f, "edtGOFA_MaxLong", "0");
                                },
                                {"Max. number of short transmissions", "Max. number of long transmissions"},
                                {{"edtGOFA_MaxShort", "3"}, {"edtGOFA_MaxLong", "3"}},
                                ""},
                      StoreCase{"NoReceiveBand",
                                4,
                                [](FieldModel& f) { f.SetIndex("cbbxRxFrequencyBand", -1); },
                                {},
                                {},
                                "Receive frequency band"}),
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
