#include "app/ProgramController.h"
#include "lang/LanguageController.h"
#include "lang/TextCatalogue.h"
#include "model/Catalogue.h"
#include "platform/Registry.h"

namespace vorn {

namespace {

constexpr std::string_view ServiceControls[] = {"lblGOFA_RadioProtocol", "lblGOFA_RfidProtocol",
                                                "lblGOFA_RadioTxPower", "lblGOFA_WatchdogReset"};
// Disabled until the first model has been loaded.
constexpr std::string_view MenusDisabledAtStart[] = {"mnuFileNew",    "mnuFileSave",
                                                     "mnuFileSaveAs", "mnuFileExportSheet",
                                                     "mnuFilePrint",  "mnuFileChangeDefaultConfig",
                                                     "mnuComm"};

bool HasLanguageFiles(const std::string& folder) {
    ListIni probe;
    probe.SetFolder(folder);
    std::vector<std::string> files;
    return probe.ListLanguageFiles(files) > 0;
}

} // namespace

void ProgramController::ShowDesignState() {
    for (Family family : {Family::A, Family::B, Family::C}) {
        for (std::string_view page : PagesOfFamily(family)) {
            SetTabVisible(page, false);
        }
    }
    for (std::string_view menu : MenusDisabledAtStart) {
        window_->SetControlEnabled(menu, false);
    }
    window_->SetControlVisible("mnuFileSelectNewRegion", false);
    window_->SetControlVisible("bbtnDevice_11", false);
    window_->SetControlVisible("bbtnDevice_12", false);
}

void ProgramController::FormCreate(const std::vector<std::string>& arguments) {
    const bool program = mode_ == RunMode::Program;
    editor_->Filling = false;
    editor_->ActionListDirty = false;

    folders_ = ResolveProgramFolders(platform_.environment, platform_.executablePath,
                                     program ? FolderCreation::Create : FolderCreation::PathsOnly);
    if (program) {
        // The installer lays the language files down in the program-data folder; here the first start
        // does it.
        CopyShippedLanguageFiles(folders_.installation, folders_.programData);
    }
    settings_.Open(folders_.programData + SettingsFileName,
                   program ? SettingsFile::Access::ReadWrite : SettingsFile::Access::ReadOnly);
    defaultPaths_.Load(settings_, folders_.config);
    openSaveDirectory_ = settings_.Read(OpenSaveDirectorySettingsKey);
    if (openSaveDirectory_.empty()) {
        openSaveDirectory_ = folders_.config;
    }
    recentFiles_.Load(settings_);
    ShowRecentFiles();
    // A program-data folder that could not be given the language files (not writable, say) leaves the
    // program to read the installation's own.
    languageFolder_ = HasLanguageFiles(folders_.programData) || !HasLanguageFiles(folders_.installation)
                          ? folders_.programData
                          : folders_.installation;
    texts_.SetFolder(languageFolder_);
    ShowDesignState();
    currentConfig_.ConfigOrigin = Origin::None;

    const StartupLanguage language =
        language_->ChooseAtStartup(languageFolder_, settings_.Read(LanguageSettingsKey), [this] {
            return InstallLanguageCode(InstalledRegistry(), platform_.environment);
        });
    if (language.filesFound) {
        defaultPaths_.WriteAll(settings_);
        SetTabVisible(DevicePage, true);
    }

    options_ = ParseCommandLine(arguments);
    if (options_.selectNewRegion) {
        window_->SetControlVisible("mnuFileSelectNewRegion", true);
    }
    gofaServiceView_ = options_.gofaViewAll;
    editor_->SetGofaServiceView(gofaServiceView_);
    for (std::string_view label : ServiceControls) {
        window_->SetControlVisible(label, gofaServiceView_);
    }
}

void ProgramController::FormShow() {
    window_->SetControlVisible("bbtnDevice_11", true);
    window_->SetControlVisible("bbtnDevice_12", true);
    language_->ApplyAtFirstShow();
    if (mode_ == RunMode::Program) {
        ReportLanguageProblems();
        if (settings_.Read(RegionSettingsKey).empty()) {
            FirstStartRegionSelection();
        }
        ReportStoredRegionProblem();
    }
    LoadBandLists();
    ShowWriteOptions();
    UpdateCaption();
    RefreshEditMenu();
}

void ProgramController::ReportLanguageProblems() {
    // Without any language file the fixed box of the creation has said so.
    if (LanguageFileName().empty()) {
        return;
    }
    const FileError error = texts_.LoadError();
    if (error != FileError::None || texts_.Content().Empty()) {
        const std::string reason =
            error != FileError::None ? std::string(FileErrorText(error)) : "the file holds no sections";
        InstallationMessage("FILE", "MESSAGE-LANGUAGE_FILE_NN_CANNOT_BE_USED_NN",
                            {texts_.FilePath(), reason});
        return;
    }
    const std::vector<std::string> missing = MissingListSections(texts_);
    if (!missing.empty()) {
        std::string names;
        for (const std::string& name : missing) {
            names += (names.empty() ? "" : ", ") + name;
        }
        InstallationMessage("FILE", "MESSAGE-LANGUAGE_FILE_NN_LACKS_THE_LISTS_NN",
                            {texts_.FilePath(), names});
    }
}

bool ProgramController::HasUnsavedChanges() {
    // The result is not looked at: a field that does not convert leaves its byte, which still counts.
    editor_->FieldsToImage(currentConfig_.ComparisonCopy);
    return !currentConfig_.IsUnchanged();
}

void ProgramController::EndProgram() {
    settings_.Write(OpenSaveDirectorySettingsKey, openSaveDirectory_);
    ended_ = true;
}

bool ProgramController::AskToSaveAndEnd() {
    switch (Message("FILE", "MESSAGE-DO_YOU_WANT_TO_SAVE_CHANGES", MessageKind::Information,
                    Buttons::YesNoCancel)) {
    case DialogResult::Yes:
        // Nothing unsaved is lost silently: a save that was cancelled or failed keeps the program running.
        if (!mnuFileSaveAsClick()) {
            return false;
        }
        break;
    case DialogResult::No: break;
    default: return false;
    }
    EndProgram();
    return true;
}

bool ProgramController::mnuFileExitClick() {
    if (ended_) {
        return true;
    }
    if (!HasUnsavedChanges()) {
        EndProgram();
        return true;
    }
    return AskToSaveAndEnd();
}

bool ProgramController::FormCloseQuery() {
    // Closing after File > Exit has ended the program asks nothing again.
    return mnuFileExitClick();
}

} // namespace vorn
