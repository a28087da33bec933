#include "app/ProgramController.h"

#include "Version.h"
#include "base/AsciiText.h"
#include "lang/TextFormat.h"
#include "lang/TranslatedDialog.h"
#include "model/Catalogue.h"

namespace vorn {

namespace {

template <typename View, typename Silent>
View* Or(View* given, Silent& silent) {
    return given != nullptr ? given : &silent;
}

// The labels of the family B fields that a family B image enables.
constexpr std::string_view HeskEnabledLabels[] = {"lblHESK_BatteryCheckInterval",
                                                  "lblHESK_CheckBatteryIn24VMode"};
constexpr std::string_view HeskEnabledFields[] = {"edtHESK_BatteryCheckInterval",
                                                  "cbbxHESK_CheckBatteryIn24VMode"};
// The menu items a loaded image enables for the rest of the run.
constexpr std::string_view ConfigurationMenus[] = {"mnuFileNew",    "mnuFileSave",
                                                   "mnuFileSaveAs", "mnuFileExportSheet",
                                                   "mnuFilePrint",  "mnuFileChangeDefaultConfig",
                                                   "mnuComm"};

} // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLineOptions options;
    for (const std::string& argument : arguments) {
        const std::string folded = FoldCase(argument);
        if (folded == "-selectnewregion") {
            options.selectNewRegion = true;
        } else if (folded == "-gofaviewall") {
            options.gofaViewAll = true;
        }
    }
    return options;
}

VersionData BuildVersionData() {
    return {ProgramDescription, ProgramVersion, ProgramCompany, ProgramCopyright};
}

ProgramController::ProgramController(RunMode mode, ProgramPlatform platform, ProgramViews views)
    : mode_(mode), platform_(std::move(platform)), dialogs_(Or(views.dialogs, silentDialogs_)),
      window_(Or(views.window, silentWindow_)), wait_(Or(views.wait, silentWait_)),
      pump_(Or(views.pump, silentPump_)), selectRegion_(Or(views.selectRegion, silentSelectRegion_)),
      about_(Or(views.about, silentAbout_)), selectDevice_(Or(views.selectDevice, silentSelectDevice_)),
      receiveRadio_(Or(views.receiveRadio, silentReceiveRadio_)),
      changeCode_(Or(views.changeCode, silentChangeCode_)), sheet_(Or(views.sheet, silentSheet_)),
      backupsView_(Or(views.backups, silentBackups_)), supportLog_(ProgramDataFolder(platform_.environment)),
      tracingDriver_(platform_.driver, supportLog_, platform_.trace),
      link_(tracingDriver_, platform_.clock, platform_.trace) {
    editor_ = std::make_unique<Editor>(lists_, texts_, *dialogs_);
    sessions_ = std::make_unique<DeviceSessions>(SessionContext(
        currentConfig_, *editor_, link_, job_, lists_, texts_,
        SessionViews{*dialogs_, *window_, *wait_, *pump_, *selectDevice_, *receiveRadio_, *changeCode_},
        *this));
    // Backups and the support trace live in the program-data folder of the user, in the window and in
    // vornctl alike.
    sessions_->SetBackupFolder(ProgramDataFolder(platform_.environment));
    sessions_->SetSupportLog(&supportLog_, std::string(WindowTraceName));
    sessions_->SetCompareView(views.compare);
    language_ = std::make_unique<LanguageController>(texts_, lists_, editor_->Fields(), *dialogs_, *window_);
    const char32_t separator = DecimalSeparatorOfLocale(platform_.environment);
    editor_->SetDecimalSeparator(separator);
    language_->SetDecimalSeparator(separator);
    language_->SetHooks({
        .changeCodeReader = &sessions_->ChangeCode().Texts(),
        .refreshOverflowHints =
            [this] {
                editor_->RefreshOverflowHints();
                editor_->RefreshPotentiometerHint();
            },
        .updateCaption = [this] { UpdateCaption(); },
        .storeLanguage = [this](const std::string& name) { settings_.Write(LanguageSettingsKey, name); },
        .setActionListDirty = [this] { editor_->ActionListDirty = true; },
    });
    link_.SetEventPump(pump_);
    // The caption's marker follows every key typed and every completed edit (after the rules it set
    // off); an image being shown updates it once at the end.
    FieldModel& fields = editor_->Fields();
    fields.AddObserver([this, &fields](const Field& field, FieldChange change) {
        if (change == FieldChange::Text && field.Name() == fields.FocusedName()) {
            RefreshModifiedMarker();
            RefreshEditMenu();
        }
    });
    fields.AddCommitObserver([this](const FieldCommit&) {
        RefreshModifiedMarker();
        RefreshEditMenu();
    });
}

void ProgramController::RefreshModifiedMarker() {
    if (!editor_->Filling && mode_ == RunMode::Program && ShowsUnsavedChanges() != modifiedShown_) {
        UpdateCaption();
    }
}

ProgramController::~ProgramController() = default;

bool ProgramController::ChangeLanguage(int tag) {
    if (!language_->ChangeLanguage(tag)) {
        return false;
    }
    // The lists hold the new texts only now: the caption's marker looks again.
    RefreshModifiedMarker();
    editMenuCaptions_ = {};
    RefreshEditMenu();
    ReportLanguageProblems();
    return true;
}

std::string ProgramController::ProductName(std::uint8_t productType) const {
    const std::string name = std::to_string(productType);
    for (const CodeList* list : {&lists_.DeviceNamesA, &lists_.DeviceNamesB, &lists_.DeviceNamesC}) {
        const int index = IndexOfName(*list, name);
        if (index >= 0) {
            const std::string_view value = ValuePart((*list)[static_cast<std::size_t>(index)]);
            if (!value.empty()) {
                return std::string(value);
            }
        }
    }
    return {};
}

std::string ProgramController::ComposeCaption(std::size_t* markerAt) const {
    const std::string name = ProductName(currentConfig_.Image[ProductTypeAddress]);
    std::string prefix;
    switch (currentConfig_.ConfigOrigin) {
    case Origin::Default: prefix = texts_.Text("COMMON", "FORM_CAPTION-DEFAULT") + " - "; break;
    case Origin::Opened:
    case Origin::Saved: prefix = FileNameOfPath(currentConfig_.CurrentFilePath) + " - "; break;
    case Origin::ReadFromDevice:
        prefix = texts_.Text("COMMON", "FORM_CAPTION-READ_FROM_DEVICE") + " - ";
        break;
    default: break;
    }
    const std::string title = texts_.Text("COMMON", "TEXT-APPLICATION_TITLE");
    if (markerAt != nullptr) {
        // Right after the configuration's name: the prefix's name, else the product's, else the title.
        *markerAt = !prefix.empty() ? prefix.size() - 3 : !name.empty() ? name.size() : title.size();
    }
    return name.empty() ? prefix + title : prefix + name + " - " + title;
}

void ProgramController::UpdateCaption() {
    std::size_t markerAt = 0;
    const std::string caption = ComposeCaption(&markerAt);
    modifiedShown_ = ShowsUnsavedChanges();
    window_->SetDocumentCaption(caption, modifiedShown_, markerAt);
}

bool ProgramController::ShowsUnsavedChanges() {
    ProgData::Bytes compared = currentConfig_.ComparisonCopy;
    editor_->FieldsToImageQuietly(compared);
    return compared != currentConfig_.SavedCopy;
}

bool ProgramController::PageTabVisible(std::string_view page) const {
    const auto found = tabVisible_.find(page);
    return found != tabVisible_.end() && found->second;
}

void ProgramController::SetTabVisible(std::string_view page, bool visible) {
    tabVisible_.insert_or_assign(std::string(page), visible);
    window_->SetPageTabVisible(page, visible);
}

void ProgramController::ShowPagesForModel() {
    const Family family = FamilyOf(currentConfig_.Image[ProductTypeAddress]);
    const auto showFamily = [this](Family shown) {
        for (Family f : {Family::A, Family::B, Family::C}) {
            for (std::string_view page : PagesOfFamily(f)) {
                SetTabVisible(page, f == shown);
            }
        }
    };
    switch (family) {
    case Family::A:
        if (!PageTabVisible("tbsButtons")) {
            showFamily(Family::A);
            window_->SetControlVisible("mnuCommChangeIdCode", false);
        }
        if (window_->ActivePage() == DevicePage) {
            window_->SetActivePage("tbsButtons");
        }
        break;
    case Family::B:
        showFamily(Family::B);
        window_->SetControlVisible("mnuCommChangeIdCode", true);
        window_->SetActivePage("tbsHeskConfig");
        for (std::string_view label : HeskEnabledLabels) {
            window_->SetControlEnabled(label, true);
        }
        for (std::string_view field : HeskEnabledFields) {
            editor_->Fields().SetEnabled(field, true);
        }
        break;
    case Family::C:
        showFamily(Family::C);
        window_->SetControlVisible("mnuCommChangeIdCode", false);
        window_->SetActivePage("tbsGofaRfid");
        break;
    case Family::None: break;
    }
    editor_->ActionsPageVisible = PageTabVisible("tbsActions");
    for (std::string_view menu : ConfigurationMenus) {
        window_->SetControlEnabled(menu, true);
    }
}

void ProgramController::tbsSelectDeviceEnterShow() {
    if (const ProductInfo* product = FindProduct(currentConfig_.Image[ProductTypeAddress])) {
        window_->SetFocus(product->button);
    }
}

bool ProgramController::FormKeyPress(int key) {
    if (pendingKey_ != 0 && key == pendingKey_) {
        pendingKey_ = 0;
        return true;
    }
    return false;
}

AboutWindowData ProgramController::AboutData() {
    const VersionData version = BuildVersionData();
    std::string unit = texts_.Text("HELP-ABOUT", "TEXT-NOT_FOUND");
    if (auto answered = sessions_->UnitVersion()) {
        unit = std::move(*answered);
    }
    AboutWindowData data;
    data.caption = texts_.Text("HELP-ABOUT", "FORM-CAPTION_ABOUT");
    data.applicationName = version.description;
    data.applicationVersion = "Version " + version.version;
    data.copyright = version.copyright;
    data.companyName = version.company;
    data.kduInfo = texts_.Text("HELP-ABOUT", "TEXT-KDU_INFO") + " " + unit;
    data.info = SplitLines(texts_.Text("HELP-ABOUT", "MEMO-CONTACT"));
    data.okCaption = texts_.Text("COMMON", "BUTTON-OK");
    return data;
}

void ProgramController::mnuHelpAboutClick() {
    about_->ShowAbout(AboutData());
}

void ProgramController::tmrUpdateActionListTimer() {
    editor_->RebuildActionReferences();
    // Whatever changed the editor in a way no edit reports, the marker catches up within a tick, and
    // so does the Edit menu with a step closed after its last change.
    RefreshModifiedMarker();
    RefreshEditMenu();
}

void ProgramController::UseLanguageFile(const std::string& path) {
    language_->ApplyLanguage(path);
    sessions_->ChangeCode().Texts().LoadFile(path);
    UpdateCaption();
}

DialogResult ProgramController::Message(std::string_view section, std::string_view key, MessageKind kind,
                                        DialogButtons buttons, const std::vector<std::string>& arguments) {
    FormatArgs args(arguments.begin(), arguments.end());
    return ShowMessageDialog(texts_, *dialogs_, FormatText(texts_.Text(section, key), args), kind, buttons);
}

std::string ProgramController::FileText(std::string_view key,
                                        const std::vector<std::string>& arguments) const {
    FormatArgs args(arguments.begin(), arguments.end());
    return FormatText(texts_.Text("FILE", key), args);
}

void ProgramController::InstallationMessage(std::string_view section, std::string_view key,
                                            const std::vector<std::string>& arguments) {
    const ListIni* reader = &texts_;
    ListIni other;
    if (!texts_.Defines(section, key)) {
        // English first, then the other language files in menu order.
        std::vector<std::string> candidates = language_->LanguageFiles();
        const LanguageChoice english = ListIni::ChooseLanguageFile(candidates, FallbackLanguageFile);
        if (!english.fallback) {
            candidates.insert(candidates.begin(), english.name);
        }
        for (const std::string& name : candidates) {
            if (texts_.Folder() + name == texts_.FilePath()) {
                continue;
            }
            other.LoadFile(texts_.Folder() + name);
            if (other.Defines(section, key)) {
                reader = &other;
                break;
            }
        }
    }
    FormatArgs args(arguments.begin(), arguments.end());
    ShowMessageDialog(*reader, *dialogs_, FormatText(reader->Text(section, key), args), MessageKind::Error,
                      Buttons::Ok);
}

} // namespace vorn
