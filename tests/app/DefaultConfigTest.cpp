#include "ProgramHarness.h"
#include "support/CaseName.h"
#include "support/Paths.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::ProgramHarness;
using test::ReadBytes;
using test::WriteBytes;

std::vector<std::string> DialogTexts(const test::ScriptedOperator& view) {
    std::vector<std::string> texts;
    for (const MessageDialog& dialog : view.Dialogs()) {
        texts.push_back(dialog.text);
    }
    return texts;
}

class DefaultConfig : public ::testing::Test {
protected:
    ProgramHarness h;
    ProgramController& p = h.StartWithModel(4); // BODE
    std::string Image() const {
        const auto& image = p.CurrentConfig().Image;
        return {image.begin(), image.end()};
    }
};

TEST_F(DefaultConfig, FileOfAnotherModelIsRefusedUntilCancelled) {
    const std::string zumi = h.CopyOfDefault("Europe", "Default_ZUMI.vorn", "zumi.vorn");
    h.view.ClearRecords();
    h.view.AnswerOpenFile(zumi);
    h.view.AnswerDialog(DialogResult::Yes); // choose again
    h.view.AnswerOpenFile(zumi);
    h.view.AnswerDialog(DialogResult::Cancel);
    p.mnuFileChangeDefaultConfigClick();

    EXPECT_EQ(
        DialogTexts(h.view),
        std::vector<std::string>(2, "The selected configuration file zumi.vorn is not a BODE configuration. "
                                    "Do you want to select another file?"));
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Error);
    ASSERT_EQ(h.view.OpenDialogs().size(), 2u);
    EXPECT_EQ(h.view.OpenDialogs()[0].title, "Select the new default configuration for BODE");
    EXPECT_EQ(h.view.OpenDialogs()[0].fileName, "Default_BODE.vorn");
    EXPECT_EQ(test::Native(h.view.OpenDialogs()[0].folder + "/"), h.ConfigFolder());
    EXPECT_EQ(h.view.OpenDialogs()[1].fileName, "zumi.vorn") << "the dialog opens again at the chosen file";
    EXPECT_EQ(p.DefaultConfigPaths().Of(0x24), h.ConfigFolder() + "Default_BODE.vorn");
    EXPECT_EQ(h.view.StatusText(), "") << "the status bar is cleared";
    EXPECT_EQ(h.Setting("DefaultBodeConfig"), h.ConfigFolder() + "Default_BODE.vorn");
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default) << "the edited configuration is not touched";
}

TEST_F(DefaultConfig, FileOfTheModelBecomesItsDefault) {
    fs::create_directory(h.root.File("mine"));
    std::string bytes = ReadBytes(h.InstalledDefault("Europe", "Default_BODE.vorn"));
    bytes[41] = 42; // a battery-check interval of its own
    WriteBytes(h.root.File("mine/bode"), "not this one");
    WriteBytes(h.root.File("mine/bode.vorn"), bytes);
    WriteBytes(h.root.File("mine/short.vorn"), bytes.substr(0, 100));
    // A file too short and a folder: the dialog opens again without a word; a name without
    // extension that names no file finds name.vorn.
    h.view.AnswerOpenFile(h.root.File("mine/short.vorn"));
    h.view.AnswerOpenFile(h.root.File("mine"));
    h.view.AnswerOpenFile(h.root.File("mine/missing"));
    h.view.AnswerOpenFile(h.root.File("mine/bode.vorn"));
    h.view.ClearRecords();
    p.ChangeDefaultConfig(0x24);

    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_EQ(h.view.OpenDialogs().size(), 4u);
    EXPECT_EQ(p.DefaultConfigPaths().Of(0x24), h.root.File("mine/bode.vorn"));
    EXPECT_EQ(h.Setting("DefaultBodeConfig"), h.root.File("mine/bode.vorn"));
    EXPECT_EQ(h.view.StatusText(), "The default configuration for BODE is now bode.vorn.");
    // The next BODE button loads it.
    p.bbtnSelectNewDeviceClick(4);
    EXPECT_EQ(Image(), bytes);
    // And the setting survives a restart.
    EXPECT_EQ(h.Start().DefaultConfigPaths().Of(0x24), h.root.File("mine/bode.vorn"));
}

TEST_F(DefaultConfig, NameWithoutExtensionFindsTheConfigurationFile) {
    h.CopyOfDefault("Europe", "Default_BODE.vorn", "other.vorn");
    h.view.AnswerOpenFile(h.root.File("other"));
    p.ChangeDefaultConfig(0x24);
    EXPECT_EQ(p.DefaultConfigPaths().Of(0x24), h.root.File("other.vorn"));
}

TEST_F(DefaultConfig, ByteOfNoModelDoesNothing) {
    h.view.ClearRecords();
    p.ChangeDefaultConfig(0x99);
    EXPECT_TRUE(h.view.OpenDialogs().empty());
    EXPECT_TRUE(h.view.StatusTexts().empty());
}

TEST_F(DefaultConfig, MissingDefaultAsksForANewOneThroughTheDeviceButton) {
    fs::remove(h.ConfigFolder() + "Default_HESK.vorn");
    const std::string before = Image();
    // Cancelled: nothing further is said and the editor stays.
    h.view.ClearRecords();
    h.view.AnswerDialog(DialogResult::Ok);
    h.view.AnswerOpenFile(std::nullopt);
    p.bbtnSelectNewDeviceClick(10);
    EXPECT_EQ(DialogTexts(h.view),
              std::vector<std::string>{"The configuration file " + h.ConfigFolder() +
                                       "Default_HESK.vorn was not found. Please select a new "
                                       "default configuration for HESK."});
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
    EXPECT_EQ(h.view.Caption(), "Default configuration - BODE - VORN Family Programmer");

    // A file of the model chosen: stored, and loaded at once.
    const std::string hesk = h.CopyOfDefault("Europe", "Default_HESK.vorn", "hesk.vorn");
    h.view.AnswerDialog(DialogResult::Ok);
    h.view.AnswerOpenFile(hesk);
    p.bbtnSelectNewDeviceClick(10);
    EXPECT_EQ(p.CurrentConfig().Image[122], 0x2A);
    EXPECT_EQ(p.DefaultConfigPaths().Of(0x2A), hesk);
    EXPECT_EQ(h.view.StatusText(), "Configuration hesk.vorn loaded.");
}

// Default paths as a settings file may hold them: what New does with each.
struct DefaultPathCase {
    const char* name;
    std::string content; // "" : a folder at the path
    bool pathExists;     // set the path to a file that does not exist when false
    std::vector<std::string> messages;
    std::uint8_t loadedType; // 0x24: the BODE default stays
};

class BadDefaultPath : public ::testing::TestWithParam<DefaultPathCase> {};

TEST_P(BadDefaultPath, EndsInItsMessage) {
    const DefaultPathCase& c = GetParam();
    ProgramHarness h;
    h.StartWithRegion(0);
    std::string path = h.root.File("default.vorn");
    if (!c.pathExists) {
        path = "/no/such/drive/Default_TARV.vorn";
    } else if (c.content.empty()) {
        fs::create_directory(path);
    } else {
        WriteBytes(path, c.content);
    }
    // The TARV default points there, as a hand-edited settings file might.
    h.WriteSettings("[VORN Programmer v2]\nRegion=Europe\nDefaultTarvConfig=" + path + "\n");
    ProgramController& p = h.Start();
    p.bbtnSelectNewDeviceClick(4);
    h.view.ClearRecords();
    for (std::size_t i = 0; i < c.messages.size(); ++i) {
        h.view.AnswerDialog(DialogResult::Ok);
    }
    if (!fs::is_regular_file(path)) {
        h.view.AnswerOpenFile(std::nullopt);
    }
    p.bbtnSelectNewDeviceClick(1);
    std::vector<std::string> expected;
    for (std::string text : c.messages) {
        const auto at = text.find("%PATH%");
        if (at != std::string::npos) {
            text.replace(at, 6, path);
        }
        expected.push_back(text);
    }
    EXPECT_EQ(DialogTexts(h.view), expected);
    EXPECT_EQ(p.CurrentConfig().Image[122], c.loadedType);
}

std::string Zumi() {
    return ReadBytes(test::DataFolder() + "DefaultConfig/Europe/Default_ZUMI.vorn");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadDefaultPath,
    ::testing::Values(
        DefaultPathCase{
            "Folder",
            "",
            true,
            {"The configuration file %PATH% was not found. Please select a new default configuration for "
             "TARV."},
            0x24},
        DefaultPathCase{
            "MissingDrive",
            "x",
            false,
            {"The configuration file %PATH% was not found. Please select a new default configuration for "
             "TARV."},
            0x24},
        DefaultPathCase{"Of255Bytes",
                        std::string(255, '\x23'),
                        true,
                        {"The selected configuration could not be loaded."},
                        0x24},
        // New does not look at the model of its default: the file is shown as what it is.
        DefaultPathCase{"OfAnotherModel", Zumi(), true, {}, 0x25}),
    test::CaseName{});

} // namespace
} // namespace vorn
