#include "ProgramHarness.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::ProgramHarness;
using test::ReadBytes;
using test::ReplaceSection;
using test::WriteBytes;

const std::string Question =
    "When selecting a new region, all unsaved changes will be lost and new default config "
    "files for all devices will be loaded. Do You still want to continue?";
const std::string ConfigMissing =
    "The default configurations of the selected region could not be installed. Please "
    "reinstall the program or contact ORSK Electronics.";
const std::vector<std::string> UsaBands{"3=906.2125 MHz", "10=906.4125 MHz", "7=916.2125 MHz",
                                        "11=916.4125 MHz"};

std::string Image(const ProgramController& p) {
    return {p.CurrentConfig().Image.begin(), p.CurrentConfig().Image.end()};
}

TEST(Region, SingleRegionIsChosenWithoutAsking) {
    ProgramHarness h;
    ReplaceSection(h.Install() + "English-1033.lang", "[Regions]", "Chile=Chile, South America");
    ProgramController& p = h.Start();
    EXPECT_TRUE(h.view.RegionDialogs().empty());
    EXPECT_EQ(h.Setting("Region"), "Chile");
    EXPECT_EQ(p.Region(), "Chile");
    EXPECT_EQ(ReadBytes(h.ConfigFolder() + "Default_GLIM.vorn"),
              ReadBytes(h.InstalledDefault("Chile", "Default_GLIM.vorn")));
}

TEST(Region, FirstStartThatCannotCopyAsksAgainNextTime) {
    ProgramHarness h;
    fs::remove(h.InstalledDefault("Europe", "Default_PLOM.vorn"));
    h.view.AnswerDialog(DialogResult::Ok);
    ProgramController& p = h.StartWithRegion(0);
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, ConfigMissing);
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Error);
    EXPECT_EQ(h.Setting("Region"), "");
    EXPECT_EQ(p.Region(), "");
    EXPECT_TRUE(p.Lists().ReceiveBands.empty());
    // The other eleven were copied all the same.
    int copied = 0;
    for (const ProductInfo& product : Catalogue) {
        copied += fs::exists(h.ConfigFolder() + std::string(product.defaultFileName)) ? 1 : 0;
    }
    EXPECT_EQ(copied, 11);

    // Closed without a choice: nothing stored, nothing said.
    h.view.ClearRecords();
    h.view.AnswerSelectRegion({1, DialogResult::None});
    ProgramController& closed = h.Start();
    EXPECT_EQ(h.view.RegionDialogs().size(), 1u);
    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_EQ(h.Setting("Region"), "");
    // A device button says the region is missing and asks again; closed again, nothing is loaded.
    h.view.AnswerDialog(DialogResult::Ok);
    h.view.AnswerSelectRegion({1, DialogResult::None});
    closed.bbtnSelectNewDeviceClick(1);
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, closed.Texts().Text("SELECT_REGION", "MESSAGE-NO_REGION_CHOSEN"));
    EXPECT_EQ(h.view.RegionDialogs().size(), 2u);
    EXPECT_EQ(closed.CurrentConfig().ConfigOrigin, Origin::None);

    // The next start asks again; another region works.
    h.view.ClearRecords();
    h.view.AnswerSelectRegion({1, DialogResult::Ok});
    ProgramController& again = h.Start();
    EXPECT_EQ(h.view.RegionDialogs().size(), 1u);
    EXPECT_EQ(h.Setting("Region"), "China");
    EXPECT_EQ(again.Lists().ReceiveBands, (std::vector<std::string>{"12=866.2125 MHz", "13=866.4125 MHz"}));
}

TEST(Region, ConfigurationFolderThatCannotBeMadeIsReported) {
    ProgramHarness h;
    WriteBytes(h.root.File("docs/ORSK"), "a file in the way");
    h.view.AnswerDialog(DialogResult::Ok);
    ProgramController& p = h.StartWithRegion(0);
    EXPECT_EQ(p.Folders().config, h.ConfigFolder());
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, ConfigMissing);
    EXPECT_EQ(h.Setting("Region"), "");
    // The program runs on; a device button asks for the region again, which fails again.
    h.view.AnswerDialog(DialogResult::Ok);
    h.view.AnswerSelectRegion({0, DialogResult::Ok});
    h.view.AnswerDialog(DialogResult::Ok);
    p.bbtnSelectNewDeviceClick(1);
    EXPECT_EQ(h.view.Dialogs().back().text, ConfigMissing);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::None);
}

TEST(Region, RegistryWithoutTheRegionLeavesTheBandListsEmpty) {
    ProgramHarness h;
    const std::string registry = h.Install() + "Registry.ini";
    ReplaceSection(registry, "[Software\\ORSK\\VORN Programmer v2\\Regions\\Europe\\RxFrequencyBands]", "");
    ReplaceSection(registry, "[Software\\ORSK\\VORN Programmer v2\\Regions\\Europe\\TxFrequencyBands]", "");
    ProgramController& p = h.StartWithRegion(0);
    EXPECT_TRUE(p.Lists().ReceiveBands.empty());
    EXPECT_TRUE(p.Lists().TransmitBands.empty());
    EXPECT_TRUE(p.GetEditor().Fields().Get("cbbxRxFrequencyBand").Items().empty());
    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_EQ(h.Setting("Region"), "Europe");
}

TEST(Region, SameDisplayTextStoresTheFirstName) {
    ProgramHarness h;
    ReplaceSection(h.Install() + "English-1033.lang", "[Regions]", "Europe=Europe\nUSA=Europe\nChina=China");
    h.view.AnswerSelectRegion({1, DialogResult::Ok});
    h.Start();
    EXPECT_EQ(h.Setting("Region"), "Europe");
}

// A language file may offer a region whose name, made into the folder DefaultConfig/<name>/, would
// lead elsewhere. Defaults are laid down where each name leads, so only the name check keeps them out:
// choosing such a region is reported as a region without defaults, and nothing is copied or stored.
struct HostileRegionCase {
    const char* name;
    std::string region;
};

class HostileRegion : public ::testing::TestWithParam<HostileRegionCase> {
protected:
    ProgramHarness h;

    void Offer() {
        const std::string& region = GetParam().region;
        ReplaceSection(h.Install() + "English-1033.lang", "[Regions]", "Europe=Europe\n" + region + "=Evil");
        const std::string target = h.Install() + "DefaultConfig/" + region + "/";
        // Windows allows no control character in a name: nothing can be planted there, and the
        // refusal is still checked.
        std::error_code error;
        fs::create_directories(target, error);
        for (const ProductInfo& product : Catalogue) {
            const std::string name(product.defaultFileName);
            std::ofstream(target + name, std::ios::binary) << Planted(name);
        }
    }
    static std::string Planted(const std::string& name) {
        std::string bytes = "planted " + name;
        bytes.resize(256, '!');
        return bytes;
    }
    // True when no file of the configuration folder came from the hostile folder.
    bool NothingCopied() const {
        for (const ProductInfo& product : Catalogue) {
            const std::string name(product.defaultFileName);
            if (ReadBytes(h.ConfigFolder() + name) == Planted(name)) {
                return false;
            }
        }
        return true;
    }
};

TEST_P(HostileRegion, AtTheFirstStartIsReportedAndNotStored) {
    Offer();
    h.view.AnswerDialog(DialogResult::Ok);
    ProgramController& p = h.StartWithRegion(1);
    // The list shows what the language file offers; the choice fails as a region without defaults.
    ASSERT_EQ(h.view.RegionDialogs().size(), 1u);
    EXPECT_EQ(h.view.RegionDialogs()[0].items, (std::vector<std::string>{"Europe", "Evil"}));
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, ConfigMissing);
    EXPECT_EQ(h.Setting("Region"), "");
    EXPECT_EQ(p.Region(), "");
    EXPECT_TRUE(NothingCopied());
    EXPECT_TRUE(h.trace.Contains("refused: its name"));
}

TEST_P(HostileRegion, AsANewRegionChangesNothing) {
    Offer();
    ProgramController& p = h.StartWithModel(4); // Europe, BODE
    const std::string before = Image(p);
    h.view.ClearRecords();
    h.view.AnswerSelectRegion({1, DialogResult::Ok});
    h.view.AnswerDialog(DialogResult::Yes);
    h.view.AnswerDialog(DialogResult::Ok);
    p.mnuFileSelectNewRegionClick();
    ASSERT_EQ(h.view.Dialogs().size(), 2u);
    EXPECT_EQ(h.view.Dialogs()[1].text, ConfigMissing);
    EXPECT_EQ(h.Setting("Region"), "Europe");
    EXPECT_EQ(p.Region(), "Europe");
    EXPECT_EQ(Image(p), before);
    EXPECT_TRUE(NothingCopied());
}

INSTANTIATE_TEST_SUITE_P(Names, HostileRegion,
                         ::testing::Values(HostileRegionCase{"UpAndOut", "../../evil"},
                                           HostileRegionCase{"ParentFolder", ".."},
                                           HostileRegionCase{"SubFolder", "Europe/evil"},
                                           HostileRegionCase{"Backslash", "Europe\\evil"},
                                           HostileRegionCase{"Escape", "Evil\x1b[2J"},
                                           HostileRegionCase{"C1Control", "Evil\xc2\x9b"}),
                         test::CaseName{});

class NewRegion : public ::testing::Test {
protected:
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(4); // Europe, BODE

    void Choose(int index, DialogResult button = DialogResult::Ok) {
        h.view.ClearRecords();
        h.view.AnswerSelectRegion({index, button});
        p.mnuFileSelectNewRegionClick();
    }
};

TEST_F(NewRegion, TheCurrentRegionOrCloseChangesNothing) {
    Choose(-1);
    ASSERT_EQ(h.view.RegionDialogs().size(), 1u);
    EXPECT_TRUE(h.view.RegionDialogs()[0].closeVisible);
    EXPECT_EQ(h.view.RegionDialogs()[0].selected, 0) << "the stored region is preselected";
    Choose(3, DialogResult::Close);
    EXPECT_TRUE(h.view.Dialogs().empty()) << "nothing asked";
    EXPECT_EQ(h.Setting("Region"), "Europe");
    EXPECT_EQ(p.Region(), "Europe");
}

TEST_F(NewRegion, NoKeepsEverything) {
    FieldModel& fields = p.GetEditor().Fields();
    fields.Clear("edtBatteryCheckInterval");
    fields.TypeText("edtBatteryCheckInterval", "21");
    const std::string bands = p.Lists().ReceiveBands.front();
    h.view.AnswerDialog(DialogResult::No);
    Choose(3);
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, Question) << "a fixed text, in every language";
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Information);
    EXPECT_EQ(h.view.Dialogs()[0].buttons.size(), 2u);
    EXPECT_EQ(h.Setting("Region"), "Europe");
    EXPECT_EQ(p.Lists().ReceiveBands.front(), bands);
    EXPECT_TRUE(p.HasUnsavedChanges());
}

TEST_F(NewRegion, YesLoadsTheNewRegionsDefaultOfTheSameModel) {
    // An opened file, edited, and a default of the model's own: all give way to the new region.
    const std::string file = h.CopyOfDefault("Europe", "Default_BODE.vorn", "mine.vorn");
    ASSERT_TRUE(p.LoadConfigFile(file));
    FieldModel& fields = p.GetEditor().Fields();
    fields.Clear("edtBatteryCheckInterval");
    fields.TypeText("edtBatteryCheckInterval", "21");
    h.view.AnswerOpenFile(file);
    p.ChangeDefaultConfig(0x24);
    ASSERT_EQ(p.DefaultConfigPaths().Of(0x24), file);

    h.view.AnswerDialog(DialogResult::Yes);
    Choose(3);
    EXPECT_EQ(h.view.Dialogs().size(), 1u) << "the unsaved changes are not asked about again";
    EXPECT_EQ(h.Setting("Region"), "USA");
    EXPECT_EQ(p.Region(), "USA");
    EXPECT_EQ(p.Lists().ReceiveBands, UsaBands);
    EXPECT_EQ(p.GetEditor().Fields().Get("cbbxGOFA_RxFrequencyBand").Items().size(), UsaBands.size());
    for (const ProductInfo& product : Catalogue) {
        const std::string name(product.defaultFileName);
        EXPECT_EQ(ReadBytes(h.ConfigFolder() + name), ReadBytes(h.InstalledDefault("USA", name))) << name;
        EXPECT_EQ(h.Setting(std::string(product.settingsKey)), h.ConfigFolder() + name);
    }
    EXPECT_EQ(Image(p), ReadBytes(h.InstalledDefault("USA", "Default_BODE.vorn")));
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, "");
    EXPECT_EQ(h.view.Caption(), "Default configuration - BODE - VORN Family Programmer");
    EXPECT_EQ(p.GetEditor().Fields().Get("cbbxRxFrequencyBand").Text(), "906.2125 MHz");
    EXPECT_FALSE(p.HasUnsavedChanges());
}

TEST_F(NewRegion, RegionThatCannotBeCopiedChangesNothing) {
    fs::remove(h.InstalledDefault("USA", "Default_DADIDU.vorn"));
    const std::string before = Image(p);
    h.view.AnswerDialog(DialogResult::Yes);
    h.view.AnswerDialog(DialogResult::Ok);
    Choose(3);
    ASSERT_EQ(h.view.Dialogs().size(), 2u);
    EXPECT_EQ(h.view.Dialogs()[1].text, ConfigMissing);
    EXPECT_EQ(h.Setting("Region"), "Europe");
    EXPECT_EQ(p.Region(), "Europe");
    EXPECT_EQ(p.Lists().ReceiveBands.size(), 5u);
    EXPECT_EQ(Image(p), before);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
}

TEST_F(NewRegion, MissingTransmitBandsKeepThePreviousList) {
    ReplaceSection(h.Install() + "Registry.ini",
                   "[Software\\ORSK\\VORN Programmer v2\\Regions\\USA\\TxFrequencyBands]", "");
    const CodeList europe = p.Lists().TransmitBands;
    h.view.AnswerDialog(DialogResult::Yes);
    h.view.AnswerDialog(DialogResult::Ok);
    Choose(3);
    // The USA default's transmit band is none of the lists the editor still offers: it says so.
    ASSERT_EQ(h.view.Dialogs().size(), 2u);
    EXPECT_EQ(h.view.Dialogs()[1].text,
              "Error converting data: the value 3 at address 54 could not be shown.");
    EXPECT_EQ(p.Lists().ReceiveBands, UsaBands);
    EXPECT_EQ(p.Lists().TransmitBands, europe);
    EXPECT_EQ(p.GetEditor().Fields().Get("cbbxTxFrequencyBand").Items().size(), europe.size());
}

TEST(NewRegionBeforeAnyModel, ChangesTheRegionAndLoadsNothing) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    h.view.AnswerSelectRegion({1, DialogResult::Ok});
    h.view.AnswerDialog(DialogResult::Yes);
    p.mnuFileSelectNewRegionClick();
    EXPECT_EQ(h.Setting("Region"), "China");
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::None);
    EXPECT_EQ(h.view.Caption(), "VORN Family Programmer");
}

} // namespace
} // namespace vorn
