#pragma once

#include "base/CodeLists.h"
#include "base/KeyCodes.h"
#include "editor/Editor.h"
#include "files/BackupsDialog.h"
#include "files/DefaultConfigs.h"
#include "files/ProgramFolders.h"
#include "files/RecentFiles.h"
#include "files/SelectRegionDialog.h"
#include "files/SettingsFile.h"
#include "files/SupportLog.h"
#include "lang/LanguageController.h"
#include "lang/ListIni.h"
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "model/ProgData.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/Locale.h"
#include "platform/Registry.h"
#include "session/DeviceSessions.h"
#include "session/SessionHost.h"
#include "session/TracingDriver.h"
#include "view/AboutView.h"
#include "view/ChangeCodeView.h"
#include "view/DialogView.h"
#include "view/EventPump.h"
#include "view/MainWindowView.h"
#include "view/MessageDialog.h"
#include "view/ReceiveRadioView.h"
#include "view/SelectDeviceView.h"
#include "view/SheetView.h"
#include "view/WaitView.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program controller: the main window's state and its handlers, and the one way every front end
// starts the program. The window (gui/) binds its controls and menus to these operations; vornctl
// (cli/) starts through it as a tool that asks nothing and changes nothing on disk. The device flows
// (session/) work on the state it owns and call back the main-window operations they need through
// SessionHost, which the controller is.
namespace vorn {

// The two command-line options: each argument is compared in lower case and as a whole, so
// "-SelectNewRegion" works and "-selectnewregion=1" does nothing; other arguments are ignored.
struct CommandLineOptions {
    bool selectNewRegion = false; // "-selectnewregion": File > Select new region... is shown
    bool gofaViewAll = false;     // "-gofaviewall": the four service fields of the positioning unit
};
CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments);

enum class RunMode {
    // The desktop program: missing folders are made, the shipped language files copied, the settings
    // written, and the region asked for at the first start.
    Program,
    // A tool such as vornctl: reads the program's settings and data as the program would, but creates,
    // copies and writes nothing and asks no question. Without a stored region the band lists stay
    // empty until UseRegion.
    Tool,
};

// The views of the front end. A role left empty is served by a do-nothing view.
struct ProgramViews {
    DialogView* dialogs = nullptr;
    MainWindowView* window = nullptr;
    WaitView* wait = nullptr;
    EventPump* pump = nullptr;
    SelectRegionView* selectRegion = nullptr;
    AboutView* about = nullptr;
    SelectDeviceView* selectDevice = nullptr;
    ReceiveRadioView* receiveRadio = nullptr;
    ChangeCodeView* changeCode = nullptr;
    SheetView* sheet = nullptr;
    BackupsView* backups = nullptr;
    CompareView* compare = nullptr;
};

// What the controller needs of the platform: the unit's driver, the clock and the debug trace for the
// link, and where to find the folders (tests move them with the environment).
struct ProgramPlatform {
    UnitDriver& driver;
    Clock& clock;
    TraceSink& trace;
    EnvironmentLookup environment = ProcessEnvironment;
    std::string executablePath = ExecutablePath();
};

// The application's name, company and copyright of the about window (the build's version data).
struct VersionData {
    std::string description;
    std::string version;
    std::string company;
    std::string copyright;
};
VersionData BuildVersionData();

// The settings of the Communication menu's two checkable items ("1" on, "0" off; on when missing).
inline constexpr std::string_view BackupBeforeWriteSettingsKey = "BackupBeforeWrite";
inline constexpr std::string_view VerifyAfterWriteSettingsKey = "VerifyAfterWrite";
// The name the window's device commands carry in the support trace.
inline constexpr std::string_view WindowTraceName = "vorn-programmer";

// The question before a region change; a fixed text, not taken from the language file.
inline constexpr std::string_view NewRegionQuestion =
    "When selecting a new region, all unsaved changes will be lost and new default config files for all "
    "devices will be loaded. Do You still want to continue?";

class ProgramController : public SessionHost {
public:
    // The action-list timer's interval; the view runs tmrUpdateActionListTimer at this pace.
    static constexpr Millis ActionListInterval{350};
    static constexpr int EscapeKey = vorn::EscapeKey;
    // The device page: its tab stays visible, so the operator can always choose another model.
    static constexpr std::string_view DevicePage = "tbsSelectDevice";

    ProgramController(RunMode mode, ProgramPlatform platform, ProgramViews views = {});
    ProgramController(const ProgramController&) = delete;
    ProgramController& operator=(const ProgramController&) = delete;
    ~ProgramController() override;

    // ---- Start-up and end (StartupFlow.cpp) -------------------------------------------------------
    // Creation of the main window: folders, settings, default paths, the language choice, the options.
    void FormCreate(const std::vector<std::string>& arguments);
    // First show: the language applied, the region asked for at the first start, the band lists, the
    // caption.
    void FormShow();
    // File > Exit and closing the window: true when the program ends ("OpenSaveDirectory" is then
    // written). With unsaved changes the operator is asked; Yes runs Save as... and ends only when it
    // saved. Once ended, FormCloseQuery answers true without asking again.
    bool mnuFileExitClick();
    bool FormCloseQuery();
    bool Ended() const { return ended_; }
    // The editor converted into the comparison copy differs from the copy taken at the last load or
    // save.
    bool HasUnsavedChanges();

    // ---- File menu (FileMenu.cpp) -------------------------------------------------------------------
    // File > New: the current model's default configuration.
    void mnuFileNewClick();
    // A device button, 1 (bbtnDevice_1) to 12: that model's default configuration.
    void bbtnSelectNewDeviceClick(int button);
    void mnuFileOpenClick();
    // Reads a file into the editor; false (with a message) when it holds no 256 bytes.
    bool LoadConfigFile(const std::string& path);
    // File > Save and File > Save as...: true when the file was written.
    bool mnuFileSaveClick();
    bool mnuFileSaveAsClick();
    // Files dropped on the main window, in the order the shell lists them.
    void DropFiles(const std::vector<std::string>& paths);
    // A file named on the command line (the desktop's "open with"), once the program has started: it is
    // opened as Open... opens the file the operator chose.
    bool OpenCommandLineFile(const std::string& path);

    // ---- File > Open recent (RecentFilesMenu.cpp)
    // ---------------------------------------------------------- An item of the list, 1 (the newest) to 8:
    // opened as Open... opens the file the operator chose (unsaved changes asked about first). A file that is
    // gone is taken off the list with a message. True when it was loaded.
    bool mnuFileRecentClick(int item);
    void mnuFileRecentClearClick();
    const std::vector<std::string>& RecentFilePaths() const { return recentFiles_.Paths(); }

    // ---- The Edit menu (EditMenu.cpp)
    // ------------------------------------------------------------------------ Undo and redo of the editor
    // (Editor::Undo), with the configuration a read or a default replaced, the caption's marker of unsaved
    // changes and the page that shows the change.
    void mnuEditUndoClick();
    void mnuEditRedoClick();
    // The two items enabled when they have something to do, each naming what it would take back or
    // forward.
    void RefreshEditMenu();

    // ---- The configuration sheet (SheetMenu.cpp) ------------------------------------------------------
    // The sheet of the configuration in the editor, in the current language, dated today.
    SheetDocument ConfigurationSheet();
    // File > Export configuration sheet...: a PDF file the operator names. True when it was written.
    bool mnuFileExportSheetClick();
    // File > Print...: the sheet on a printer the operator chooses.
    void mnuFilePrintClick();

    // ---- Default configurations and regions (DefaultConfigMenu.cpp, RegionMenu.cpp) ------------------
    void mnuFileChangeDefaultConfigClick();
    // Lets the operator choose a new default file for a model (a product-type byte).
    void ChangeDefaultConfig(std::uint8_t model);
    void mnuFileSelectNewRegionClick();
    // Band lists of the stored region, and the four band drop-down lists refilled.
    void LoadBandLists();
    // The installation's read-only registry ("Registry.ini"), read afresh at each use as the
    // registry would be: the installer's language code and the band lists.
    Registry InstalledRegistry() const;

    // ---- The main window (ProgramController.cpp) -----------------------------------------------------
    // A language menu item: false when the tag names no language file.
    bool ChangeLanguage(int tag);
    std::string ProductName(std::uint8_t productType) const;
    // The caption for the current state (and where the marker of unsaved changes belongs in it), and
    // setting it on the window with that marker.
    std::string ComposeCaption(std::size_t* markerAt = nullptr) const;
    void UpdateCaption() override;
    // The unsaved-changes check without touching the editor, for the caption's marker: it runs at
    // every edit.
    bool ShowsUnsavedChanges();
    void RefreshModifiedMarker();
    void ShowPagesForModel() override;
    void tbsSelectDeviceEnterShow();
    // A key press that reaches the main window: true when it was the armed abort key, which is then
    // disarmed and the press discarded.
    bool FormKeyPress(int key);
    void mnuHelpAboutClick();
    // The about window's texts as mnuHelpAboutClick shows them (the unit is asked for its version).
    AboutWindowData AboutData();
    // One tick of tmrUpdateActionList.
    void tmrUpdateActionListTimer();

    // ---- The Communication menu and the radio events' buttons (DeviceMenu.cpp) ---------------------------
    // Each returns how it ended (the window shows the flow's messages; vornctl maps it to its status).
    // A command given while another one runs does nothing.
    SessionOutcome mnuCommReadFromDeviceClick();
    SessionOutcome mnuCommWriteToDeviceClick();
    // Family B: the change-ID-code dialog, modal over the middle of the main window; other families:
    // nothing.
    SessionOutcome mnuCommChangeIdCodeClick();
    // The get-radio-code button of radio event n (the button's tag, 1 to 8).
    SessionOutcome btnRadioEvent_n_GetRadioCodeClick(int n);
    // One tick of tmrPollKduInfo (every 500 ms while the receive-radio dialog waits; the dialog's modal
    // loop ticks it through ReceiveRadioDialog::Tick).
    void tmrPollKduInfoTimer();
    // Communication > Compare with device...: the device read into an image of its own and the
    // fields that differ shown, with the choice to take the device's configuration.
    SessionOutcome mnuCommCompareClick();
    // Communication > Back up the device before writing, > Verify after writing: checkable, stored
    // in the settings, on until the operator turns them off.
    void mnuCommBackupBeforeWriteClick();
    void mnuCommVerifyAfterWriteClick();
    // What a write from the window does besides writing, as the two items stand.
    DeviceOptions WriteOptions() const;
    // The two items' check marks as the settings have them.
    void ShowWriteOptions();
    // The window's close box: while a device command runs, the operator is asked whether to cancel
    // it; Yes asks the command to stop and the window closes once it has (TakeCloseRequest). Without
    // one it is FormCloseQuery.
    bool CloseQuery();
    // True once after a command ended that the operator wanted to close the window for.
    bool TakeCloseRequest();

    // ---- File > Device backups... (BackupsMenu.cpp) ----------------------------------------------------
    // The backups window; the backup chosen there opens as a configuration without a file, so Save
    // asks for a new name and a backup is never overwritten.
    void mnuFileBackupsClick();
    bool OpenBackup(const std::string& path);
    BackupsDialog& BackupsWindow() { return backupsDialog_; }

    // ---- A device command's configuration, for a tool (DeviceMenu.cpp) ------------------------------
    // The region's default configuration of a model from the installation (a tool copies no
    // defaults), in the editor as after its device button; false (nothing changed) when the
    // installation lacks it.
    bool LoadDefaultForDevice(std::uint8_t productType);
    std::string InstalledDefaultPath(std::uint8_t productType) const;
    // A configuration file's image in the editor as File > Open leaves it; the conversion's result
    // (the file state changes only on success).
    ConversionResult LoadFileForDevice(const ProgData::Bytes& image, const std::string& path);
    // The support trace that every device command writes into.
    SupportLog& SupportTrace() { return supportLog_; }
    // The device flows and the windows they show (select-device, wait, receive-radio, change-ID-code),
    // for the views that bind them.
    DeviceSessions& Sessions() { return *sessions_; }

    // ---- For a tool: this run only, nothing stored ------------------------------------------------------
    // Applies a language file given by path.
    void UseLanguageFile(const std::string& path);
    // Loads the band lists of a region and refills the band drop-down lists; false (lists and Region()
    // as they were) for a name that is no usable region name, which never becomes a registry key.
    bool UseRegion(const std::string& region);

    // ---- State --------------------------------------------------------------------------------------------
    RunMode Mode() const { return mode_; }
    ProgData& CurrentConfig() { return currentConfig_; }
    const ProgData& CurrentConfig() const { return currentConfig_; }
    ListIni& Texts() { return texts_; }
    const ListIni& Texts() const { return texts_; }
    // The change-ID-code dialog's own reader; it always loads the file the main window loads.
    ListIni& ChangeCodeTexts() { return sessions_->ChangeCode().Texts(); }
    CodeLists& Lists() { return lists_; }
    const CodeLists& Lists() const { return lists_; }
    Editor& GetEditor() { return *editor_; }
    LanguageController& Language() { return *language_; }
    KduLink& Link() { return link_; }
    MemoryJob& Job() { return job_; }
    TraceSink& Trace() { return platform_.trace; }
    const ProgramFolders& Folders() const { return folders_; }
    // The folder the language files are read from: the program-data folder, or the installation
    // folder when the program-data folder holds none.
    const std::string& LanguageFolder() const { return languageFolder_; }
    SettingsFile& Settings() { return settings_; }
    const DefaultPaths& DefaultConfigPaths() const { return defaultPaths_; }
    const std::string& OpenSaveDirectory() const { return openSaveDirectory_; }
    const std::string& LanguageFileName() const { return language_->LanguageFileName(); }
    // The region whose band lists are loaded (the stored one, or the tool's).
    const std::string& Region() const { return region_; }
    bool GofaServiceView() const { return gofaServiceView_; }
    // The armed abort key of a radio-code capture: the capture sets it to EscapeKey and treats it as
    // an abort request once FormKeyPress has cleared it.
    int& PendingKey() override { return pendingKey_; }
    bool PageTabVisible(std::string_view page) const;

    // The views, for the flows that show their own windows.
    DialogView& Dialogs() { return *dialogs_; }
    MainWindowView& Window() { return *window_; }
    WaitView& Wait() { return *wait_; }
    EventPump& Pump() { return *pump_; }
    SelectRegionDialog& RegionDialog() { return regionDialog_; }

private:
    // StartupFlow.cpp
    void ShowDesignState();
    // A language file that cannot be read or lacks its list sections: told with its path.
    void ReportLanguageProblems();
    void EndProgram();
    bool AskToSaveAndEnd();
    // FileMenu.cpp
    // New with the model of a device button, or (nullopt) of the current image; true when the default
    // was loaded.
    bool NewConfiguration(std::optional<int> buttonModel);
    // Pages, then the image into the editor, then the conversion's message; the result.
    ConversionResult ShowLoadedImage();
    void ReportResult(ConversionResult result, const ProgData::Bytes& image);
    FileDialogSetup FileDialog(std::string title, const std::string& path,
                               const std::string& emptyName) const;
    // The editor into the image for a save; false (the operator told why) when nothing is to be written.
    bool ConvertEditorForSave(StoreReport& report);
    // The status after a save, and the window showing what the file holds.
    void ReportSaved(const std::string& path, const StoreReport& report);
    // Why a file is no configuration the editor can take (too short, unreadable, no VORN model), in
    // the language; "" and the image read when it is one.
    std::string ConfigFileProblem(const std::string& path, ProgData::Bytes& image) const;
    // The File menu's message of a key, with the file's problem on a line of its own.
    void FileProblemMessage(std::string_view key, const std::string& problem);
    // Before another configuration replaces the edited one: with unsaved changes the operator is
    // asked as New asks; false when the edited one stays (Cancel, or Yes and the save did not happen).
    bool MayReplaceConfiguration();
    // The image of a configuration file that may replace the one on screen (the unsaved-changes
    // question answered); nothing, with the reason shown, otherwise.
    std::optional<ProgData::Bytes> ImageToReplaceWith(const std::string& path);
    // The program does not go on without a region: a region question that was closed comes back,
    // after a message that says the region is missing; false while there is still none.
    bool EnsureRegion();
    // RegionMenu.cpp
    void FirstStartRegionSelection();
    // CopyRegionDefaults for a chosen region; a name that could leave the defaults' folder fails.
    bool InstallRegionDefaults(const std::string& region);
    // A stored region that the language does not offer, or that is no usable name: told with the
    // settings file and how to choose another.
    void ReportStoredRegionProblem();
    void RefillBandDropDowns();
    // The chosen region and its default paths into the settings; a settings file that cannot be
    // written is reported.
    void StoreRegionSettings(const std::string& region);
    // RecentFilesMenu.cpp
    void AddRecentFile(const std::string& path);
    void ShowRecentFiles();
    // EditMenu.cpp
    void UndoOrRedo(bool forward);
    // A command that is one step of the undo history, such as a read; with replacesConfiguration the
    // step also takes the configuration around the fields back.
    void BeginStep(std::string label);
    void EndStep(bool replacesConfiguration);
    // A new configuration in the editor (New, Open...) starts a fresh history.
    void ClearHistory();
    // What a step did, in the current language, for the Edit menu's captions.
    std::string StepName(std::string_view label, const EditStep* step) const;
    void ShowPageOfStep(const EditStep& step);
    // ProgramController.cpp
    void SetTabVisible(std::string_view page, bool visible);
    DialogResult Message(std::string_view section, std::string_view key, MessageKind kind,
                         DialogButtons buttons, const std::vector<std::string>& arguments = {});
    std::string FileText(std::string_view key, const std::vector<std::string>& arguments = {}) const;
    // An error message about the installation's own files: in the current language, else, when the
    // current file lacks the text (it may be the broken file itself), in English or another language.
    void InstallationMessage(std::string_view section, std::string_view key,
                             const std::vector<std::string>& arguments);

    RunMode mode_;
    ProgramPlatform platform_;
    SilentDialogView silentDialogs_;
    SilentMainWindowView silentWindow_;
    SilentWaitView silentWait_;
    SilentEventPump silentPump_;
    SilentSelectRegionView silentSelectRegion_;
    SilentAboutView silentAbout_;
    SilentSelectDeviceView silentSelectDevice_;
    SilentReceiveRadioView silentReceiveRadio_;
    SilentChangeCodeView silentChangeCode_;
    SilentSheetView silentSheet_;
    DialogView* dialogs_;
    MainWindowView* window_;
    WaitView* wait_;
    EventPump* pump_;
    SelectRegionView* selectRegion_;
    AboutView* about_;
    SelectDeviceView* selectDevice_;
    ReceiveRadioView* receiveRadio_;
    ChangeCodeView* changeCode_;
    SheetView* sheet_;
    SilentBackupsView silentBackups_;
    BackupsView* backupsView_;

    ProgData currentConfig_;
    ProgData candidateConfig_;
    ListIni texts_;
    CodeLists lists_;
    std::unique_ptr<Editor> editor_;
    std::unique_ptr<LanguageController> language_;
    // Every frame to and from the unit goes through the support trace's driver.
    SupportLog supportLog_;
    TracingDriver tracingDriver_;
    KduLink link_;
    MemoryJob job_;
    SelectRegionDialog regionDialog_;
    std::unique_ptr<DeviceSessions> sessions_;
    BackupsDialog backupsDialog_;
    bool closeAfterSession_ = false;

    ProgramFolders folders_;
    std::string languageFolder_;
    SettingsFile settings_;
    DefaultPaths defaultPaths_;
    std::string openSaveDirectory_;
    std::string region_;
    CommandLineOptions options_;
    bool gofaServiceView_ = false;
    int pendingKey_ = 0;
    bool ended_ = false;
    bool modifiedShown_ = false;
    std::map<std::string, bool, std::less<>> tabVisible_;
    RecentFiles recentFiles_;
    ConfigurationState stepStart_;
    // The Edit menu's captions as last set (undo, redo).
    std::array<std::string, 2> editMenuCaptions_;
};

} // namespace vorn
