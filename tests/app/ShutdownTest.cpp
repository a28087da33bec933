#include "ProgramHarness.h"
#include "support/CaseName.h"
#include "support/FileFaults.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace vorn {
namespace {

namespace fs = std::filesystem;
using test::ProgramHarness;
using test::ReadBytes;

// Changes one field of the BODE default, as the operator would.
void EditBatteryInterval(ProgramController& p, const std::string& value = "12") {
    FieldModel& fields = p.GetEditor().Fields();
    fields.Clear("edtBatteryCheckInterval");
    fields.TypeText("edtBatteryCheckInterval", value);
    fields.Leave("edtBatteryCheckInterval");
}

enum class Entry { Exit, Close };

struct EndCase {
    const char* name;
    bool loadModel;
    bool edit;
    std::vector<DialogResult> answers;   // save question, then any message of the save
    std::optional<std::string> savePath; // the save dialog's answer (relative to the temporary folder)
    bool askSave;                        // the save dialog is shown
    bool ends;
};

class EndingTheProgram : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndingTheProgram, AsksAndEndsOnlyWhenNothingIsLost) {
    const EndCase& c = GetParam();
    for (Entry entry : {Entry::Exit, Entry::Close}) {
        SCOPED_TRACE(entry == Entry::Exit ? "File > Exit" : "closing the window");
        ProgramHarness h;
        ProgramController& p = c.loadModel ? h.StartWithModel(4) : h.StartWithRegion(0);
        if (c.edit) {
            EditBatteryInterval(p);
        }
        EXPECT_EQ(p.HasUnsavedChanges(), c.edit);
        for (DialogResult answer : c.answers) {
            h.view.AnswerDialog(answer);
        }
        if (c.askSave) {
            h.view.AnswerSaveFile(c.savePath ? std::optional(h.root.File(*c.savePath)) : std::nullopt);
        }
        h.view.ClearRecords();
        const bool ended = entry == Entry::Exit ? p.mnuFileExitClick() : p.FormCloseQuery();

        EXPECT_EQ(ended, c.ends);
        EXPECT_EQ(p.Ended(), c.ends);
        EXPECT_EQ(h.view.PendingDialogAnswers(), 0u);
        EXPECT_EQ(h.view.PendingFileAnswers(), 0u);
        EXPECT_EQ(h.view.Dialogs().empty(), !c.edit) << "the question comes only with unsaved changes";
        if (c.edit) {
            EXPECT_EQ(h.view.Dialogs()[0].text,
                      "The configuration has been changed. Do you want to save the changes?");
            EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Information);
            EXPECT_EQ(h.view.Dialogs()[0].buttons.size(), 3u);
        }
        // "OpenSaveDirectory" reaches the file only when the program ends.
        const std::string expectedFolder = c.savePath && c.ends ? h.root.Path() + "/" : h.ConfigFolder();
        EXPECT_EQ(h.Setting("OpenSaveDirectory"), c.ends ? expectedFolder : "");
        if (c.ends) {
            // Once ended, a close that follows asks nothing.
            EXPECT_TRUE(p.FormCloseQuery());
            EXPECT_EQ(h.view.Dialogs().size(), c.answers.size());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EndingTheProgram,
    ::testing::Values(
        EndCase{"NothingLoaded", false, false, {}, std::nullopt, false, true},
        EndCase{"LoadedUnchanged", true, false, {}, std::nullopt, false, true},
        EndCase{"ChangedCancel", true, true, {DialogResult::Cancel}, std::nullopt, false, false},
        EndCase{"ChangedQuestionClosed", true, true, {DialogResult::None}, std::nullopt, false, false},
        EndCase{"ChangedNo", true, true, {DialogResult::No}, std::nullopt, false, true},
        EndCase{"ChangedYesSaveCancelledKeepsRunning",
                true,
                true,
                {DialogResult::Yes},
                std::nullopt,
                true,
                false},
        EndCase{"ChangedYesSaved", true, true, {DialogResult::Yes}, "saved.vorn", true, true},
        EndCase{"ChangedYesSaveFailedKeepsRunning",
                true,
                true,
                {DialogResult::Yes, DialogResult::Ok},
                "missing/folder/saved.vorn",
                true,
                false}),
    test::CaseName{});

TEST(Ending, OpenSaveFolderOfAnOrderlyEndIsTheNextStartsFirstFolder) {
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    fs::create_directory(h.root.File("elsewhere"));
    const std::string file = h.CopyOfDefault("Europe", "Default_BODE.vorn", "elsewhere/MyConfig.vorn");
    h.view.AnswerOpenFile(file);
    p.mnuFileOpenClick();
    EXPECT_EQ(p.OpenSaveDirectory(), h.root.File("elsewhere/"));
    EXPECT_TRUE(p.mnuFileExitClick());

    // A run that is killed stores nothing: the next start still begins in the folder of the last end.
    ProgramController& killed = h.Start();
    h.view.AnswerOpenFile(h.InstalledDefault("Europe", "Default_TARV.vorn"));
    killed.mnuFileOpenClick();
    EXPECT_EQ(killed.OpenSaveDirectory(), h.Install() + "DefaultConfig/Europe/");

    ProgramController& next = h.Start();
    h.view.ClearRecords();
    h.view.AnswerOpenFile(std::nullopt);
    next.mnuFileOpenClick();
    ASSERT_EQ(h.view.OpenDialogs().size(), 1u);
    EXPECT_EQ(h.view.OpenDialogs()[0].folder, h.root.File("elsewhere"));
}

// A file-size limit makes a write fail part-way, also for root.
using test::FileSizeLimit;

TEST(Ending, SaveThatFailsHalfWayLeavesTheOldFileWhole) {
    if (!FileSizeLimit(1 << 20).Active()) {
        GTEST_SKIP() << test::NoSuchThingHere;
    }
    ProgramHarness h;
    ProgramController& p = h.StartWithRegion(0);
    const std::string file = h.CopyOfDefault("Europe", "Default_BODE.vorn", "mine.vorn");
    const std::string before = ReadBytes(file);
    ASSERT_TRUE(p.LoadConfigFile(file));
    EditBatteryInterval(p, "77");
    h.view.AnswerDialog(DialogResult::Ok); // "could not save"
    bool saved = true;
    {
        FileSizeLimit limit(100);
        saved = p.mnuFileSaveClick();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(file), before);
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, "The configuration could not be saved.");
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Opened) << "a failed write changes no state";
    EXPECT_TRUE(p.HasUnsavedChanges());
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(h.root.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 4u) << "install, data, docs, the file and nothing left behind";

    // Exit now asks; Yes and the same failure keep the program and the changes.
    h.view.AnswerDialog(DialogResult::Yes);
    h.view.AnswerSaveFile(file);
    h.view.AnswerDialog(DialogResult::Yes); // overwrite
    h.view.AnswerDialog(DialogResult::Ok);  // could not save
    {
        FileSizeLimit limit(100);
        EXPECT_FALSE(p.mnuFileExitClick());
    }
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_TRUE(p.HasUnsavedChanges());
}

} // namespace
} // namespace vorn
