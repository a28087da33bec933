// Undo and redo of the editor and File > Open recent, through the program controller.
#include "ProgramHarness.h"
#include "session/SelectDeviceDialog.h"
#include "sim/DemoUnit.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using sim::DemoDevices;
using test::ProgramHarness;

// The select-device dialog confirmed with the demo unit's family A device.
struct ConfirmDemoDevice : SilentWaitView, SelectDeviceView {
    void Show(SelectDeviceDialog& dialog) override {
        dialog.Fields().TypeText(SelectDeviceDialog::SerialField, std::to_string(DemoDevices::FamilyASerial));
        dialog.btnWriteOrReadClick();
    }
};

std::string Text(ProgramController& p, std::string_view field) {
    return p.GetEditor().Fields().Get(field).Text();
}

// The TARV default's actions 1 and 2 transmit under the unit's own code.
TEST(EditHistory, OneStepTakesAnEditBackWithEverythingItsRulesChanged) {
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(1);
    FieldModel& fields = p.GetEditor().Fields();
    fields.TypeText("edtUnitRadioIdCode", "12AB");
    EXPECT_EQ(Text(p, "edtAction_2_RadioId"), "12AB") << "copied while typed";
    fields.Leave("edtUnitRadioIdCode");
    fields.Click("cbAction_1_Auto");
    EXPECT_EQ(*h.view.ControlTextOf("mnuEditUndo", ControlProperty::Caption), "&Undo Actions 1: Automatic");
    EXPECT_FALSE(h.view.ControlEnabled("mnuEditRedo").value_or(true));
    fields.TypeText("edtBatteryCheckInterval", "1");
    p.mnuEditUndoClick(); // the typing of a field that is not left yet
    EXPECT_EQ(Text(p, "edtBatteryCheckInterval"), "24");
    EXPECT_EQ(h.view.StatusText(), "Undone: Battery check interval");

    p.mnuEditUndoClick();
    EXPECT_TRUE(fields.Get("cbAction_1_Auto").Checked());
    EXPECT_EQ(Text(p, "edtAction_1_RadioId"), "12AB");
    EXPECT_FALSE(fields.Get("edtAction_1_RadioId").Enabled()) << "the automatic rule's enabling again";
    p.mnuEditUndoClick();
    for (const char* field : {"edtUnitRadioIdCode", "edtAction_1_RadioId", "edtAction_2_RadioId"}) {
        EXPECT_EQ(Text(p, field), "") << field;
    }
    EXPECT_FALSE(h.view.Modified()) << "back to the configuration as loaded";
    EXPECT_FALSE(h.view.ControlEnabled("mnuEditUndo").value_or(true));

    p.mnuEditRedoClick();
    p.mnuEditRedoClick();
    EXPECT_EQ(Text(p, "edtAction_2_RadioId"), "12AB");
    EXPECT_FALSE(fields.Get("cbAction_1_Auto").Checked());
    EXPECT_TRUE(fields.Get("edtAction_1_RadioId").Enabled());
    EXPECT_TRUE(h.view.Modified());

    h.view.AnswerDialog(DialogResult::No);
    ASSERT_TRUE(p.LoadConfigFile(h.CopyOfDefault("Europe", "Default_BODE.vorn", "bode.vorn")));
    EXPECT_FALSE(p.GetEditor().CanUndo()) << "an opened file starts a fresh history";
    EXPECT_FALSE(p.GetEditor().CanRedo());
}

TEST(EditHistory, AReadAndADefaultFromTheDevicePageAreOneStepEachAndNewStartsAfresh) {
    ProgramHarness h;
    ConfirmDemoDevice device;
    h.unit.Scenario() = sim::DemoScenario(h.Install());
    h.wait = &device;
    h.selectDevice = &device;
    ProgramController& p = h.StartWithModel(1);
    FieldModel& fields = p.GetEditor().Fields();
    const std::string defaultCaption = h.view.Caption();
    fields.Clear("edtBatteryCheckInterval");
    fields.TypeText("edtBatteryCheckInterval", "12");
    fields.Leave("edtBatteryCheckInterval");
    ASSERT_EQ(p.mnuCommReadFromDeviceClick(), SessionOutcome::Done);
    EXPECT_EQ(*h.view.ControlTextOf("mnuEditUndo", ControlProperty::Caption), "&Undo Read from device");

    p.mnuEditUndoClick();
    EXPECT_EQ(Text(p, "edtUnitRadioIdCode"), "");
    EXPECT_EQ(Text(p, "edtBatteryCheckInterval"), "12");
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
    EXPECT_EQ(h.view.Caption(), defaultCaption);
    p.mnuEditUndoClick();
    EXPECT_FALSE(h.view.Modified());
    p.mnuEditRedoClick();
    p.mnuEditRedoClick();
    EXPECT_EQ(Text(p, "edtUnitRadioIdCode"), DemoDevices::FamilyARadioId);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::ReadFromDevice);

    h.view.AnswerDialog(DialogResult::No); // the device's configuration is not saved
    p.bbtnSelectNewDeviceClick(10);        // HESK
    EXPECT_EQ(h.view.VisibleTabs(), (std::vector<std::string>{"tbsSelectDevice", "tbsHeskConfig"}));
    p.mnuEditUndoClick();
    EXPECT_EQ(h.view.VisibleTabs().size(), 5U) << "the family A pages again";
    EXPECT_EQ(Text(p, "edtUnitRadioIdCode"), DemoDevices::FamilyARadioId);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::ReadFromDevice);
    EXPECT_TRUE(h.view.Modified());

    h.view.AnswerDialog(DialogResult::No);
    p.mnuFileNewClick();
    EXPECT_FALSE(p.GetEditor().CanUndo());
    EXPECT_FALSE(p.GetEditor().CanRedo());
}

// The list's order and length are the files layer's; here: what adds to it, and a file gone.
TEST(RecentFiles, OpenAndSaveAddAFileAndAGoneOneIsDroppedWithAMessage) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion();
    // The list keeps paths in the system's own form (back slashes on Windows).
    const auto native = [](const std::string& path) {
        return std::filesystem::path(path).lexically_normal().string();
    };
    const std::string gone = native(h.CopyOfDefault("Europe", "Default_BODE.vorn", "gone.vorn"));
    ASSERT_TRUE(p.LoadConfigFile(gone));
    const std::string saved = native(h.root.File("saved.vorn"));
    h.view.AnswerSaveFile(saved);
    ASSERT_TRUE(p.mnuFileSaveAsClick());
    EXPECT_EQ(p.RecentFilePaths(), (std::vector<std::string>{saved, gone}));

    std::filesystem::remove(gone);
    h.view.AnswerDialog(DialogResult::Ok);
    EXPECT_FALSE(p.mnuFileRecentClick(2));
    EXPECT_NE(h.view.Dialogs().back().text.find(gone), std::string::npos);
    EXPECT_EQ(h.Start().RecentFilePaths(), (std::vector<std::string>{saved})) << "remembered so";
}

} // namespace
} // namespace vorn
