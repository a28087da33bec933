#include "ProgramHarness.h"
#include "Version.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

using test::ProgramHarness;

const std::string Title = "VORN Family Programmer";

TEST(MainWindow, CaptionFollowsTheOrigin) {
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(4);
    p.CurrentConfig().CurrentFilePath = h.root.File("MyConfig.vorn");
    struct Case {
        Origin origin;
        std::string caption;
    };
    for (const Case& c : {Case{Origin::None, "BODE - " + Title},
                          Case{Origin::Default, "Default configuration - BODE - " + Title},
                          Case{Origin::Opened, "MyConfig.vorn - BODE - " + Title},
                          Case{Origin::Saved, "MyConfig.vorn - BODE - " + Title},
                          Case{Origin::ReadFromDevice, "Read from device - BODE - " + Title},
                          Case{static_cast<Origin>(9), "BODE - " + Title}}) {
        p.CurrentConfig().ConfigOrigin = c.origin;
        p.UpdateCaption();
        EXPECT_EQ(h.view.Caption(), c.caption) << static_cast<int>(c.origin);
    }
    // A byte that no name list names: no product part.
    p.CurrentConfig().Image[122] = 0x99;
    p.CurrentConfig().ConfigOrigin = Origin::Opened;
    p.UpdateCaption();
    EXPECT_EQ(h.view.Caption(), "MyConfig.vorn - " + Title);
}

TEST(MainWindow, DevicePageFocusesTheEditedModel) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    p.tbsSelectDeviceEnterShow();
    EXPECT_EQ(h.view.Focus(), "") << "no model yet";
    for (int button : {4, 10, 12, 9}) {
        p.bbtnSelectNewDeviceClick(button);
        p.tbsSelectDeviceEnterShow();
        EXPECT_EQ(h.view.Focus(), "bbtnDevice_" + std::to_string(button));
    }
}

TEST(MainWindow, ArmedEscapeIsDiscardedOnce) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    EXPECT_FALSE(p.FormKeyPress(ProgramController::EscapeKey)) << "nothing armed";
    p.PendingKey() = ProgramController::EscapeKey;
    EXPECT_FALSE(p.FormKeyPress('a'));
    EXPECT_EQ(p.PendingKey(), ProgramController::EscapeKey);
    EXPECT_TRUE(p.FormKeyPress(ProgramController::EscapeKey));
    EXPECT_EQ(p.PendingKey(), 0) << "the capture sees its abort request";
    EXPECT_FALSE(p.FormKeyPress(ProgramController::EscapeKey)) << "the second press acts normally";
}

TEST(MainWindow, AboutWindowShowsTheBuildAndTheUnit) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    p.mnuHelpAboutClick();
    ASSERT_EQ(h.view.AboutWindows().size(), 1u);
    const AboutWindowData& about = h.view.AboutWindows()[0];
    EXPECT_EQ(about.caption, "About VORN Family Programmer");
    EXPECT_EQ(about.applicationName, Title);
    EXPECT_EQ(about.applicationVersion, std::string("Version ") + ProgramVersion);
    EXPECT_EQ(about.companyName, "Orsk Electronics");
    EXPECT_FALSE(about.copyright.empty());
    EXPECT_EQ(about.kduInfo, "KDU radio interface: 17-1.05 KDU"); // the simulated unit
    EXPECT_EQ(about.info,
              (std::vector<std::string>{"Orsk Electronics", "",
                                        "For questions and support please contact your ORSK distributor."}));
    EXPECT_EQ(about.okCaption, "OK");

    // No unit, or one that does not tell its version.
    h.unit.Unplug();
    EXPECT_EQ(p.AboutData().kduInfo, "KDU radio interface: not found");
    h.unit.Replug();
    h.unit.Scenario().Faults.push_back({.match = "v", .kind = sim::FaultKind::Silence});
    EXPECT_EQ(p.AboutData().kduInfo, "KDU radio interface: not found");
    h.unit.Scenario().VersionText = "18-1.00 KDU";
    EXPECT_EQ(p.AboutData().kduInfo, "KDU radio interface: 18-1.00 KDU");
    EXPECT_FALSE(h.unit.IsOpen());
}

TEST(MainWindow, ActionListTimerRebuildsOnlyForFamilyA) {
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(4);
    EXPECT_EQ(p.Lists().ActionReferences.front(), "0= 1.") << "until the first tick";
    EXPECT_TRUE(p.GetEditor().ActionListDirty);
    p.tmrUpdateActionListTimer();
    EXPECT_FALSE(p.GetEditor().ActionListDirty);
    EXPECT_NE(p.Lists().ActionReferences.front(), "0= 1.");
    EXPECT_EQ(p.Lists().ActionReferences.front().substr(0, 5), "0=1. ");

    // A presence unit shows no actions page: the flag is cleared without a rebuild.
    p.bbtnSelectNewDeviceClick(10);
    const CodeList before = p.Lists().ActionReferences;
    p.GetEditor().ActionListDirty = true;
    p.tmrUpdateActionListTimer();
    EXPECT_FALSE(p.GetEditor().ActionListDirty);
    EXPECT_EQ(p.Lists().ActionReferences, before);
}

TEST(MainWindow, LanguageChangeIsStoredAndReachesCaptionAndActions) {
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(4);
    p.tmrUpdateActionListTimer();
    ASSERT_EQ(p.Language().LanguageFiles().front(), "Deutsch-1031.lang");
    EXPECT_FALSE(p.ChangeLanguage(7));
    EXPECT_TRUE(p.ChangeLanguage(0));
    EXPECT_EQ(h.Setting("Language"), "Deutsch-1031.lang");
    EXPECT_EQ(p.ChangeCodeTexts().FilePath(), h.DataFolder() + "Deutsch-1031.lang");
    EXPECT_EQ(h.view.Caption(), p.Texts().Text("COMMON", "FORM_CAPTION-DEFAULT") + " - BODE - " +
                                    p.Texts().Text("COMMON", "TEXT-APPLICATION_TITLE"));
    EXPECT_NE(h.view.Caption(), "Default configuration - BODE - " + Title);
    EXPECT_TRUE(p.GetEditor().ActionListDirty);
    EXPECT_EQ(h.view.CheckedLanguageTag(), 0);
    // The next start speaks German without asking.
    ProgramController& next = h.Start();
    EXPECT_EQ(next.LanguageFileName(), "Deutsch-1031.lang");
    EXPECT_TRUE(h.view.StandardMessages().empty());
}

} // namespace
} // namespace vorn
