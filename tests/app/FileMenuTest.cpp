#include "ProgramHarness.h"
#include "lang/TextFormat.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/FileFaults.h"
#include "support/Paths.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::ProgramHarness;
using test::ReadBytes;
using test::WriteBytes;

const std::string Title = "VORN Family Programmer";

std::vector<std::string> DialogTexts(const test::ScriptedOperator& view) {
    std::vector<std::string> texts;
    for (const MessageDialog& dialog : view.Dialogs()) {
        texts.push_back(dialog.text);
    }
    return texts;
}

class FileMenu : public ::testing::Test {
protected:
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    FieldModel& fields = p.GetEditor().Fields();

    void Edit(const std::string& value = "12") {
        fields.Clear("edtBatteryCheckInterval");
        fields.TypeText("edtBatteryCheckInterval", value);
        fields.Leave("edtBatteryCheckInterval");
    }
    std::string Image() const {
        const auto& image = p.CurrentConfig().Image;
        return {image.begin(), image.end()};
    }
};

TEST_F(FileMenu, DeviceButtonsLoadTheirDefaultAndShowTheFamilyPages) {
    p.bbtnSelectNewDeviceClick(10); // HESK
    EXPECT_EQ(h.view.VisibleTabs(), (std::vector<std::string>{"tbsSelectDevice", "tbsHeskConfig"}));
    EXPECT_EQ(h.view.ActivePage(), "tbsHeskConfig");
    EXPECT_EQ(h.view.ControlVisible("mnuCommChangeIdCode"), true);
    EXPECT_EQ(h.view.ControlEnabled("lblHESK_BatteryCheckInterval"), true);
    EXPECT_TRUE(fields.Get("cbbxHESK_CheckBatteryIn24VMode").Enabled());
    for (const char* menu :
         {"mnuFileNew", "mnuFileSave", "mnuFileSaveAs", "mnuFileChangeDefaultConfig", "mnuComm"}) {
        EXPECT_EQ(h.view.ControlEnabled(menu), true) << menu;
    }
    EXPECT_EQ(h.view.Caption(), "Default configuration - HESK - " + Title);
    EXPECT_EQ(h.view.StatusText(), "Configuration Default_HESK.vorn loaded.");
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, "");
    EXPECT_EQ(Image(), ReadBytes(h.ConfigFolder() + "Default_HESK.vorn"));
    EXPECT_FALSE(p.HasUnsavedChanges());

    // TARV, then DADIDU: the family A pages go, the first GOFA page becomes active.
    h.view.SetActivePage("tbsSelectDevice");
    p.bbtnSelectNewDeviceClick(1);
    EXPECT_EQ(h.view.VisibleTabs(),
              (std::vector<std::string>{"tbsSelectDevice", "tbsButtons", "tbsRadioEvents", "tbsActions",
                                        "tbsPreferences"}));
    EXPECT_EQ(h.view.ActivePage(), "tbsButtons");
    EXPECT_EQ(h.view.ControlVisible("mnuCommChangeIdCode"), false);
    // A second family A model keeps the page the operator is on.
    h.view.SetActivePage("tbsActions");
    p.bbtnSelectNewDeviceClick(4);
    EXPECT_EQ(h.view.ActivePage(), "tbsActions");
    EXPECT_EQ(h.view.Caption(), "Default configuration - BODE - " + Title);
    p.bbtnSelectNewDeviceClick(12);
    EXPECT_EQ(h.view.VisibleTabs(),
              (std::vector<std::string>{"tbsSelectDevice", "tbsGofaRfid", "tbsGofaRadio"}));
    EXPECT_EQ(h.view.ActivePage(), "tbsGofaRfid");
    EXPECT_TRUE(h.view.Dialogs().empty());
}

TEST_F(FileMenu, OpenShowsTheFileInTheCaptionAndRemembersItsFolder) {
    fs::create_directory(h.root.File("other"));
    const std::string file = h.CopyOfDefault("Europe", "Default_BODE.vorn", "other/MyConfig.vorn");
    h.view.AnswerOpenFile(file);
    p.mnuFileOpenClick();

    ASSERT_EQ(h.view.OpenDialogs().size(), 1u);
    const FileDialogSetup& setup = h.view.OpenDialogs()[0];
    EXPECT_EQ(setup.title, "Open configuration");
    EXPECT_EQ(setup.filterDescription, "VORN configuration file (*.vorn)");
    EXPECT_EQ(setup.pattern, "*.vorn");
    EXPECT_EQ(test::Native(setup.folder + "/"), h.ConfigFolder()) << "the folder without its trailing slash";
    EXPECT_EQ(setup.fileName, "");
    EXPECT_EQ(h.view.Caption(), "MyConfig.vorn - BODE - " + Title);
    EXPECT_EQ(h.view.StatusText(), "Configuration MyConfig.vorn loaded.");
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Opened);
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, file);
    EXPECT_EQ(p.OpenSaveDirectory(), h.root.File("other/"));

    // The next dialog starts at the file.
    h.view.AnswerOpenFile(std::nullopt);
    p.mnuFileOpenClick();
    EXPECT_EQ(h.view.OpenDialogs()[1].folder, h.root.File("other"));
    EXPECT_EQ(h.view.OpenDialogs()[1].fileName, "MyConfig.vorn");
}

TEST_F(FileMenu, OpenAddsTheExtensionOrAsksAgain) {
    h.CopyOfDefault("Europe", "Default_ZUMI.vorn", "zumi.vorn");
    h.view.AnswerOpenFile(h.root.File("nothing"));
    h.view.AnswerOpenFile(h.root.File("zumi"));
    p.mnuFileOpenClick();
    ASSERT_EQ(h.view.OpenDialogs().size(), 2u);
    EXPECT_EQ(h.view.OpenDialogs()[1].fileName, "nothing") << "the dialog comes back with the name alone";
    EXPECT_EQ(h.view.OpenDialogs()[1].folder, h.root.Path());
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, h.root.File("zumi.vorn"));
    EXPECT_EQ(h.view.Caption(), "zumi.vorn - ZUMI - " + Title);
}

// Files opened and dropped: what each is taken as, and why one is refused.
struct LoadCase {
    const char* name;
    std::string bytes; // "" : a folder; "fifo": a named pipe
    const char* fileName;
    const char* openRefusal; // "" : opened
    const char* dropRefusal; // "" : dropped
};

std::string Bode() {
    return ReadBytes(test::DataFolder() + "DefaultConfig/Europe/Default_BODE.vorn");
}
std::string WithType(std::uint8_t type) {
    std::string bytes = Bode();
    bytes[122] = static_cast<char>(type);
    return bytes;
}

class LoadingFiles : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadingFiles, OpenAndDrop) {
    const LoadCase& c = GetParam();
    for (bool drop : {false, true}) {
        SCOPED_TRACE(drop ? "dropped" : "opened");
        ProgramHarness h;
        ProgramController& p = h.StartWithModel(1);
        const std::string path = h.root.File(c.fileName);
        if (c.bytes.empty()) {
            fs::create_directory(path);
        } else if (c.bytes == "fifo") {
            if (!test::MakeNamedPipe(path)) {
                GTEST_SKIP() << test::NoSuchThingHere;
            }
        } else {
            WriteBytes(path, c.bytes);
        }
        const std::string captionBefore = h.view.Caption();
        h.view.ClearRecords();
        const std::string refusal = drop ? c.dropRefusal : c.openRefusal;
        if (!refusal.empty()) {
            h.view.AnswerDialog(DialogResult::Ok);
        }
        if (drop) {
            p.DropFiles({path});
        } else {
            p.LoadConfigFile(path);
        }
        if (refusal.empty()) {
            EXPECT_TRUE(h.view.Dialogs().empty());
            EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Opened);
            EXPECT_EQ(p.CurrentConfig().CurrentFilePath, path);
            EXPECT_EQ(std::string(p.CurrentConfig().Image.begin(), p.CurrentConfig().Image.end()),
                      c.bytes.substr(0, 256));
            EXPECT_EQ(h.view.PumpCalls(), drop ? 1 : 0) << "a drop lets the window paint before converting";
        } else {
            // The message of the Part, then why.
            const std::string message = drop ? "The dropped file is not a VORN configuration file."
                                             : "The selected configuration could not be loaded.";
            EXPECT_EQ(DialogTexts(h.view), std::vector{message + "\n" + refusal});
            EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
            EXPECT_EQ(p.CurrentConfig().CurrentFilePath, "");
            EXPECT_EQ(h.view.Caption(), captionBefore);
            EXPECT_EQ(p.CurrentConfig().Image[122], 0x23) << "the TARV default stays";
        }
    }
}

const char* const NotVorn = "Its name does not end in .vorn.";

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadingFiles,
    ::testing::Values(
        LoadCase{"Image", Bode(), "a.vorn", "", ""},
        LoadCase{"ExtensionInCapitals", Bode(), "CONFIG.VORN", "", ""},
        LoadCase{"OtherExtension", Bode(), "config.bin", "", NotVorn},
        LoadCase{"NoExtension", Bode(), "config", "", NotVorn},
        LoadCase{"Longer300", Bode() + std::string(44, 'x'), "long.vorn", "",
                 "It holds 300 bytes; a configuration file has 256 or 1024."},
        LoadCase{"Of1024", Bode() + std::string(768, '\0'), "k.vorn", "", ""},
        LoadCase{"Short255", Bode().substr(0, 255), "short.vorn",
                 "The file holds 255 bytes; a configuration has 256.",
                 "It holds 255 bytes; a configuration file has 256 or 1024."},
        LoadCase{"Short200", Bode().substr(0, 200), "short.vorn",
                 "The file holds 200 bytes; a configuration has 256.",
                 "It holds 200 bytes; a configuration file has 256 or 1024."},
        LoadCase{"TenMegabytes", Bode() + std::string(10u << 20, '\0'), "big.vorn", "",
                 "It holds 10486016 bytes; a configuration file has 256 or 1024."},
        LoadCase{"Folder", "", "folder.vorn", "The file cannot be read: is a directory.",
                 "The file cannot be read: is a directory."},
        LoadCase{"Fifo", "fifo", "pipe.vorn", "The file cannot be read: is a FIFO (named pipe).",
                 "The file cannot be read: is a FIFO (named pipe)."},
        LoadCase{
            "UnknownProductType", WithType(0x99), "odd.vorn",
            "It is no VORN configuration: its product-type byte (address 122) is 153, which names no VORN "
            "device.",
            "It is no VORN configuration: its product-type byte (address 122) is 153, which names no VORN "
            "device."}),
    test::CaseName{});

TEST_F(FileMenu, DroppingSeveralFilesLoadsNothing) {
    const std::string a = h.CopyOfDefault("Europe", "Default_BODE.vorn", "a.vorn");
    h.view.AnswerDialog(DialogResult::Ok);
    h.view.AnswerDialog(DialogResult::Ok);
    p.DropFiles({a, a});
    p.DropFiles({});
    EXPECT_EQ(DialogTexts(h.view),
              std::vector<std::string>(2, "Only one configuration file can be dropped at a time."));
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Error);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::None);
}

TEST_F(FileMenu, SavedAndOpenedAgainIsByteIdentical) {
    for (const ProductInfo& product : Catalogue) {
        SCOPED_TRACE(product.model);
        p.bbtnSelectNewDeviceClick(std::stoi(std::string(product.button.substr(11))));
        const std::string file = h.root.File(std::string(product.model) + ".vorn");
        h.view.AnswerSaveFile(file);
        ASSERT_TRUE(p.mnuFileSaveAsClick());
        EXPECT_EQ(ReadBytes(file), ReadBytes(h.ConfigFolder() + std::string(product.defaultFileName)));
        EXPECT_EQ(h.view.StatusText(), "Configuration " + std::string(product.model) + ".vorn saved.");
        EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Saved);
        ASSERT_TRUE(p.LoadConfigFile(file));
        EXPECT_FALSE(p.HasUnsavedChanges());
    }
    EXPECT_TRUE(h.view.Dialogs().empty());
}

TEST_F(FileMenu, SaveAsAddsTheExtensionOnlyToANameWithout) {
    p.bbtnSelectNewDeviceClick(4);
    h.view.AnswerSaveFile(h.root.File("test.txt"));
    EXPECT_TRUE(p.mnuFileSaveAsClick());
    EXPECT_TRUE(fs::exists(h.root.File("test.txt")));
    EXPECT_FALSE(fs::exists(h.root.File("test.txt.vorn")));
    EXPECT_EQ(h.view.Caption(), "test.txt - BODE - " + Title);
    h.view.AnswerSaveFile(h.root.File("plain"));
    EXPECT_TRUE(p.mnuFileSaveAsClick());
    EXPECT_EQ(ReadBytes(h.root.File("plain.vorn")).size(), 256u);
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, h.root.File("plain.vorn"));
    ASSERT_EQ(h.view.SaveDialogs().size(), 2u);
    EXPECT_EQ(h.view.SaveDialogs()[0].fileName, "") << "no file yet: no name, the pattern is the filter's";
    EXPECT_EQ(h.view.SaveDialogs()[0].pattern, "*.vorn");
    EXPECT_EQ(h.view.SaveDialogs()[0].title, "Save configuration as");
    EXPECT_EQ(h.view.SaveDialogs()[1].fileName, "test.txt");
    // A pattern handed back names no file: the dialog asks again.
    p.bbtnSelectNewDeviceClick(4);
    h.view.AnswerSaveFile(h.root.File("*.vorn"));
    h.view.AnswerSaveFile(std::nullopt);
    EXPECT_FALSE(p.mnuFileSaveAsClick());
    EXPECT_EQ(h.view.SaveDialogs().size(), 4u);
    EXPECT_EQ(h.view.SaveDialogs()[3].fileName, "");
    EXPECT_FALSE(fs::exists(h.root.File("*.vorn")));
}

TEST_F(FileMenu, SaveIsSaveAsUntilTheEditorBelongsToAFile) {
    p.bbtnSelectNewDeviceClick(4);
    h.view.AnswerSaveFile(std::nullopt);
    EXPECT_FALSE(p.mnuFileSaveClick());
    EXPECT_EQ(h.view.SaveDialogs().size(), 1u) << "right after New, Save asks where";
    h.view.AnswerSaveFile(h.root.File("b.vorn"));
    EXPECT_TRUE(p.mnuFileSaveClick());
    Edit("33");
    EXPECT_TRUE(p.HasUnsavedChanges());
    EXPECT_TRUE(p.mnuFileSaveClick());
    EXPECT_EQ(h.view.SaveDialogs().size(), 2u) << "after a save, Save writes without a dialog";
    EXPECT_EQ(static_cast<unsigned char>(ReadBytes(h.root.File("b.vorn"))[41]), 33);
    EXPECT_FALSE(p.HasUnsavedChanges());
}

TEST_F(FileMenu, DeclinedOverwriteLeavesTheEditorWithItsOwnFile) {
    const std::string mine = h.CopyOfDefault("Europe", "Default_BODE.vorn", "mine.vorn");
    const std::string theirs = h.CopyOfDefault("Europe", "Default_ZUMI.vorn", "theirs.vorn");
    ASSERT_TRUE(p.LoadConfigFile(mine));
    Edit("44");
    h.view.AnswerSaveFile(theirs);
    h.view.AnswerDialog(DialogResult::No);
    EXPECT_FALSE(p.mnuFileSaveAsClick());
    EXPECT_EQ(DialogTexts(h.view),
              std::vector<std::string>{"The file theirs.vorn already exists. Do you want to replace it?"});
    EXPECT_EQ(h.view.Dialogs()[0].buttons.size(), 2u);
    EXPECT_EQ(ReadBytes(theirs), ReadBytes(h.InstalledDefault("Europe", "Default_ZUMI.vorn")));
    // The refused file does not become the target of the next Save.
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, mine);
    EXPECT_EQ(h.view.Caption(), "mine.vorn - BODE - " + Title);
    EXPECT_TRUE(p.mnuFileSaveClick());
    EXPECT_EQ(static_cast<unsigned char>(ReadBytes(mine)[41]), 44);
    EXPECT_EQ(ReadBytes(theirs), ReadBytes(h.InstalledDefault("Europe", "Default_ZUMI.vorn")));

    // Yes replaces it.
    h.view.AnswerSaveFile(theirs);
    h.view.AnswerDialog(DialogResult::Yes);
    EXPECT_TRUE(p.mnuFileSaveAsClick());
    EXPECT_EQ(ReadBytes(theirs), ReadBytes(mine));
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, theirs);
}

TEST_F(FileMenu, ReadOnlyFileIsNotOverwritten) {
    p.bbtnSelectNewDeviceClick(4);
    const std::string locked = h.CopyOfDefault("Europe", "Default_TARV.vorn", "locked.vorn");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
    h.view.AnswerSaveFile(locked);
    h.view.AnswerDialog(DialogResult::Ok);
    EXPECT_FALSE(p.mnuFileSaveAsClick());
    EXPECT_EQ(DialogTexts(h.view),
              std::vector<std::string>{"The file is read-only. The configuration could not be saved."});
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Information);
    EXPECT_EQ(ReadBytes(locked), ReadBytes(h.InstalledDefault("Europe", "Default_TARV.vorn")));
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
}

TEST_F(FileMenu, SaveThatCannotConvertSaysWhy) {
    p.bbtnSelectNewDeviceClick(12);
    fields.SetIndex("cbbxGOFA_Zone", -1); // no zone: the image cannot take it
    const std::string text = FormatText(p.Texts().Text("FILE", "MESSAGE-FIELD_NN_CANNOT_BE_STORED"),
                                        {p.Texts().Text("TAB_RFID_IO", "LABEL-ZONE") + ": " +
                                         p.Texts().Text("TAB_RFID_IO", "LABEL-OVERRIDE_WHEN_DIP1_IS_ON")});
    for (bool saveAs : {true, false}) {
        h.view.AnswerDialog(DialogResult::Ok);
        EXPECT_FALSE(saveAs ? p.mnuFileSaveAsClick() : p.mnuFileSaveClick());
    }
    EXPECT_EQ(DialogTexts(h.view), std::vector<std::string>(2, text));
    EXPECT_TRUE(h.view.SaveDialogs().empty()) << "nothing to write: no dialog";
}

TEST(FileMenuNew, WithUnsavedChangesAsksFirst) {
    struct Case {
        DialogResult answer;
        std::optional<std::string> saveAs;
        bool loadsNew;
    };
    for (const Case& c :
         {Case{DialogResult::Cancel, std::nullopt, false}, Case{DialogResult::None, std::nullopt, false},
          Case{DialogResult::Yes, std::nullopt, false}, Case{DialogResult::Yes, "kept.vorn", true},
          Case{DialogResult::No, std::nullopt, true}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        ProgramHarness h;
        ProgramController& p = h.StartWithModel(4);
        FieldModel& fields = p.GetEditor().Fields();
        fields.Clear("edtBatteryCheckInterval");
        fields.TypeText("edtBatteryCheckInterval", "99");
        h.view.ClearRecords();
        h.view.AnswerDialog(c.answer);
        if (c.answer == DialogResult::Yes) {
            h.view.AnswerSaveFile(c.saveAs ? std::optional(h.root.File(*c.saveAs)) : std::nullopt);
        }
        p.bbtnSelectNewDeviceClick(2);
        ASSERT_EQ(h.view.Dialogs().size(), 1u);
        EXPECT_EQ(h.view.Dialogs()[0].text, "The BODE configuration has not been saved. Do you want to save "
                                            "it before the new one is loaded?");
        EXPECT_EQ(p.CurrentConfig().Image[122], c.loadsNew ? 0x25 : 0x24);
        EXPECT_EQ(h.view.Caption(), std::string(c.loadsNew ? "Default configuration - ZUMI - "
                                                           : "Default configuration - BODE - ") +
                                        Title);
        EXPECT_EQ(p.HasUnsavedChanges(), !c.loadsNew) << "unsaved changes are never dropped unasked";
        if (c.saveAs) {
            EXPECT_EQ(static_cast<unsigned char>(ReadBytes(h.root.File(*c.saveAs))[41]), 99);
        }
    }
}

// Open... and a dropped file ask as New does; Yes with a save that does not happen keeps the edits.
TEST(FileMenuNew, OpenAndDropAskFirstAsNewDoes) {
    for (bool drop : {false, true}) {
        for (DialogResult answer : {DialogResult::Cancel, DialogResult::Yes, DialogResult::No}) {
            SCOPED_TRACE(std::to_string(drop) + " " + std::to_string(static_cast<int>(answer)));
            ProgramHarness h;
            ProgramController& p = h.StartWithModel(4);
            const std::string zumi = h.CopyOfDefault("Europe", "Default_ZUMI.vorn", "zumi.vorn");
            p.GetEditor().Fields().Clear("edtBatteryCheckInterval");
            p.GetEditor().Fields().TypeText("edtBatteryCheckInterval", "99");
            h.view.ClearRecords();
            h.view.AnswerDialog(answer);
            h.view.AnswerSaveFile(std::nullopt);
            h.view.AnswerOpenFile(zumi);
            drop ? p.DropFiles({zumi}) : p.mnuFileOpenClick();
            ASSERT_EQ(h.view.Dialogs().size(), 1u);
            EXPECT_EQ(h.view.Dialogs()[0].text,
                      "The BODE configuration has not been saved. Do you want to save "
                      "it before the new one is loaded?");
            EXPECT_EQ(p.CurrentConfig().Image[122], answer == DialogResult::No ? 0x25 : 0x24);
        }
    }
}

TEST_F(FileMenu, NewOfTheSameModelReloadsItsDefault) {
    p.bbtnSelectNewDeviceClick(4);
    h.view.AnswerDialog(DialogResult::No);
    Edit("55");
    p.mnuFileNewClick();
    EXPECT_FALSE(p.HasUnsavedChanges());
    EXPECT_EQ(Image(), ReadBytes(h.ConfigFolder() + "Default_BODE.vorn"));
    // Before any model, New has nothing to load.
    ProgramHarness fresh;
    ProgramController& q = fresh.StartWithRegion(0);
    q.mnuFileNewClick();
    EXPECT_EQ(q.CurrentConfig().ConfigOrigin, Origin::None);
    EXPECT_TRUE(fresh.view.Dialogs().empty());
}

} // namespace
} // namespace vorn
