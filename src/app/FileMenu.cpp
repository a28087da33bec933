#include "app/ProgramController.h"
#include "base/AsciiText.h"
#include "lang/TextFormat.h"
#include "lang/TranslatedDialog.h"
#include "model/Catalogue.h"
#include "model/Conversion.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

namespace vorn {

namespace {

constexpr std::string_view ConfigExtension = ".vorn";
constexpr std::string_view ConfigPattern = "*.vorn";
// A dropped file is a configuration file only at one of these sizes.
constexpr std::uint64_t DroppedFileSizes[] = {256, 1024};

// The extension of the file-name part, from its last "." on; empty without one.
std::string Extension(const std::string& path) {
    const std::string name = FileNameOfPath(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

// A folder as the file dialogs take it: without its trailing separator (a root such as "/" or "C:\"
// stays as it is).
std::string DialogFolder(const std::string& folder) {
    return folder.size() > PathRootLength(folder) && IsPathSeparator(folder.back())
               ? folder.substr(0, folder.size() - 1)
               : folder;
}

// A name the save dialog may hand back that names no file to write: nothing, or a pattern.
bool IsNoFileName(const std::string& path) {
    const std::string name = FileNameOfPath(path);
    return name.empty() || name.find_first_of("*?") != std::string::npos;
}

} // namespace

std::string ProgramController::ConfigFileProblem(const std::string& path, ProgData::Bytes& image) const {
    ProgData::Bytes read{};
    const FileStart start = ReadFileStart(path, read.data(), read.size());
    if (start.error == FileError::FileTooShort) {
        return FileText("TEXT-FILE_HOLDS_NN_BYTES", {std::to_string(start.size)});
    }
    if (!start.complete) {
        return FileText("TEXT-FILE_CANNOT_BE_READ_NN", {std::string(FileErrorText(start.error))});
    }
    if (FamilyOf(read[ProductTypeAddress]) == Family::None) {
        return FileText("TEXT-PRODUCT_TYPE_NN_IS_NO_VORN_DEVICE", {std::to_string(read[ProductTypeAddress])});
    }
    image = read;
    return {};
}

void ProgramController::FileProblemMessage(std::string_view key, const std::string& problem) {
    ShowMessageDialog(texts_, *dialogs_, FileText(key) + "\n" + problem, MessageKind::Error, Buttons::Ok);
}

bool ProgramController::MayReplaceConfiguration() {
    if (currentConfig_.ConfigOrigin == Origin::None || !HasUnsavedChanges()) {
        return true;
    }
    switch (Message("FILE", "MESSAGE-CONFIG_NN_NOT_SAVED_SAVE_IT_BEFORE_LOADING_NEW",
                    MessageKind::Information, Buttons::YesNoCancel,
                    {ProductName(currentConfig_.Image[ProductTypeAddress])})) {
    // The new configuration replaces the edited one only once that is saved.
    case DialogResult::Yes: return mnuFileSaveAsClick();
    case DialogResult::No: return true;
    default: return false;
    }
}

FileDialogSetup ProgramController::FileDialog(std::string title, const std::string& path,
                                              const std::string& emptyName) const {
    FileDialogSetup setup;
    setup.title = std::move(title);
    setup.filterDescription = texts_.Text("FILE", "FILTER-VORN_CONFIGURATION_FILE");
    setup.pattern = std::string(ConfigPattern);
    if (path.empty()) {
        setup.fileName = emptyName;
        setup.folder = DialogFolder(openSaveDirectory_);
    } else {
        setup.fileName = FileNameOfPath(path);
        setup.folder = DialogFolder(FolderOfPath(path));
    }
    return setup;
}

void ProgramController::ReportResult(ConversionResult result, const ProgData::Bytes& image) {
    const CompatibilityMessage message = MessageForResult(result, image);
    if (message.section.empty()) {
        return;
    }
    FormatArgs args;
    for (const MessageArgument& argument : message.arguments) {
        if (const auto* number = std::get_if<long long>(&argument)) {
            args.emplace_back(*number);
        } else {
            args.emplace_back(std::get<std::string>(argument));
        }
    }
    ShowMessageDialog(texts_, *dialogs_, FormatText(texts_.Text(message.section, message.key), args),
                      MessageKind::Error, Buttons::Ok);
}

ConversionResult ProgramController::ShowLoadedImage() {
    ShowPagesForModel();
    const ConversionResult result = editor_->ImageToFields(currentConfig_.Image);
    RefreshModifiedMarker();
    ReportResult(result, currentConfig_.Image);
    return result;
}

bool ProgramController::ConvertEditorForSave(StoreReport& report) {
    ProgData::Bytes image = currentConfig_.Image;
    report = editor_->StoreFields(image);
    // Nothing is written, and the operator learns why (a refused edit has said so itself).
    if (!report.unstorable.empty()) {
        ShowMessageDialog(texts_, *dialogs_, editor_->UnstorableMessage(report), MessageKind::Error,
                          Buttons::Ok);
    } else if (!report.editRefused && !report.result.Succeeded()) {
        ReportResult(report.result, image);
    }
    if (!report.Stored()) {
        return false;
    }
    currentConfig_.Image = image;
    return true;
}

void ProgramController::ReportSaved(const std::string& path, const StoreReport& report) {
    // The window shows what the file holds.
    const std::string note = editor_->ShowStored(currentConfig_.Image, report);
    const std::string saved = FileText("STATUS-CONFIGURATION_NN_SAVED", {FileNameOfPath(path)});
    window_->SetStatusText(note.empty() ? saved : saved + " " + note);
}

void ProgramController::mnuFileNewClick() {
    if (NewConfiguration(std::nullopt)) {
        ClearHistory();
    }
}

void ProgramController::bbtnSelectNewDeviceClick(int button) {
    if (button >= 1 && button <= static_cast<int>(Catalogue.size())) {
        // Another model's default from the device page can be taken back, the edited one with it; the
        // first one is where the history starts.
        const bool first = currentConfig_.ConfigOrigin == Origin::None;
        BeginStep("bbtnDevice");
        const bool loaded =
            NewConfiguration(language_->DeviceButtonCode(static_cast<std::size_t>(button - 1)));
        EndStep(true);
        if (first && loaded) {
            ClearHistory();
        }
    }
}

bool ProgramController::NewConfiguration(std::optional<int> buttonModel) {
    if (editor_->Filling || !EnsureRegion() || !MayReplaceConfiguration()) {
        return false;
    }
    const int model = buttonModel.value_or(currentConfig_.Image[ProductTypeAddress]);
    if (model < 0 || model > 0xFF || FindProduct(static_cast<std::uint8_t>(model)) == nullptr) {
        return false;
    }
    const auto productType = static_cast<std::uint8_t>(model);
    if (!FileExists(defaultPaths_.Of(productType))) {
        ChangeDefaultConfig(productType);
    }
    const std::string path = defaultPaths_.Of(productType);
    if (!currentConfig_.ReadImageFile(path)) {
        // A default that is still missing means the operator chose none: nothing to report.
        if (FileExists(path)) {
            Message("FILE", "MESSAGE-COULD_NOT_LOAD_SELECTED_CONFIGURATION", MessageKind::Error, Buttons::Ok);
        }
        return false;
    }
    currentConfig_.Snapshot();
    ShowLoadedImage();
    // Whatever the conversion said, the editor now holds the default.
    currentConfig_.CurrentFilePath.clear();
    currentConfig_.ConfigOrigin = Origin::Default;
    UpdateCaption();
    window_->SetStatusText(FileText("STATUS-CONFIGURATION_NN_LOADED", {FileNameOfPath(path)}));
    return true;
}

void ProgramController::mnuFileOpenClick() {
    if (!EnsureRegion()) {
        return;
    }
    FileDialogSetup setup = FileDialog(texts_.Text("FILE", "TITLE-OPEN"), currentConfig_.CurrentFilePath, "");
    std::string chosen;
    for (;;) {
        const auto answer = dialogs_->AskOpenFile(setup);
        if (!answer) {
            return;
        }
        chosen = *answer;
        openSaveDirectory_ = FolderOfPath(chosen);
        if (FileExists(chosen)) {
            break;
        }
        if (Extension(chosen).empty() && FileExists(chosen + std::string(ConfigExtension))) {
            chosen += ConfigExtension;
            break;
        }
        setup.fileName = FileNameOfPath(chosen);
        setup.folder = DialogFolder(FolderOfPath(chosen));
    }
    LoadConfigFile(chosen);
}

std::optional<ProgData::Bytes> ProgramController::ImageToReplaceWith(const std::string& path) {
    ProgData::Bytes image{};
    if (const std::string problem = ConfigFileProblem(path, image); !problem.empty()) {
        FileProblemMessage("MESSAGE-COULD_NOT_LOAD_SELECTED_CONFIGURATION", problem);
        return std::nullopt;
    }
    if (!MayReplaceConfiguration()) {
        return std::nullopt;
    }
    return image;
}

bool ProgramController::LoadConfigFile(const std::string& path) {
    const std::optional<ProgData::Bytes> image = ImageToReplaceWith(path);
    if (!image) {
        return false;
    }
    currentConfig_.Image = *image;
    currentConfig_.CurrentFilePath = path;
    currentConfig_.Snapshot();
    currentConfig_.ConfigOrigin = Origin::Opened;
    UpdateCaption();
    if (ShowLoadedImage().Succeeded()) {
        window_->SetStatusText(FileText("STATUS-CONFIGURATION_NN_LOADED", {FileNameOfPath(path)}));
    }
    ClearHistory();
    AddRecentFile(path);
    return true;
}

bool ProgramController::mnuFileSaveClick() {
    if (currentConfig_.ConfigOrigin != Origin::Opened && currentConfig_.ConfigOrigin != Origin::Saved) {
        return mnuFileSaveAsClick();
    }
    bool saved = false;
    StoreReport report;
    if (ConvertEditorForSave(report)) {
        saved = currentConfig_.WriteImageFile(currentConfig_.CurrentFilePath);
        if (saved) {
            currentConfig_.Snapshot();
            ReportSaved(currentConfig_.CurrentFilePath, report);
            currentConfig_.ConfigOrigin = Origin::Saved;
            AddRecentFile(currentConfig_.CurrentFilePath);
        } else {
            Message("FILE", "MESSAGE-COULD_NOT_SAVE_CONFIGURATION", MessageKind::Error, Buttons::Ok);
        }
    }
    UpdateCaption();
    return saved;
}

bool ProgramController::mnuFileSaveAsClick() {
    bool saved = false;
    StoreReport report;
    if (ConvertEditorForSave(report)) {
        // Without a file yet the name is left to the operator: "*.vorn" is the dialog's filter, and a
        // pattern handed back is no name to write under.
        FileDialogSetup setup =
            FileDialog(texts_.Text("FILE", "TITLE-SAVE_AS"), currentConfig_.CurrentFilePath, "");
        auto answer = dialogs_->AskSaveFile(setup);
        while (answer && IsNoFileName(*answer)) {
            setup.fileName.clear();
            setup.folder = DialogFolder(FolderOfPath(*answer));
            answer = dialogs_->AskSaveFile(setup);
        }
        if (answer) {
            std::string path = *answer;
            openSaveDirectory_ = FolderOfPath(path);
            if (Extension(path).empty()) {
                path += ConfigExtension;
            }
            bool write = true;
            if (FileExists(path)) {
                if (IsReadOnlyFile(path)) {
                    Message("FILE", "MESSAGE-FILE_IS_READ_ONLY_COULD_NOT_SAVE", MessageKind::Information,
                            Buttons::Ok);
                    write = false;
                } else {
                    write = Message("FILE", "MESSAGE-FILE_NN_EXISTS_DO_YOU_WANT_TO_OVERWRITE",
                                    MessageKind::Information, Buttons::YesNo,
                                    {FileNameOfPath(path)}) == DialogResult::Yes;
                }
            }
            if (write) {
                saved = currentConfig_.WriteImageFile(path);
                if (saved) {
                    // The editor belongs to the chosen file only once it holds the configuration: a
                    // declined overwrite must not make the next Save write over that file.
                    currentConfig_.CurrentFilePath = path;
                    currentConfig_.Snapshot();
                    ReportSaved(path, report);
                    currentConfig_.ConfigOrigin = Origin::Saved;
                    AddRecentFile(path);
                } else {
                    Message("FILE", "MESSAGE-COULD_NOT_SAVE_CONFIGURATION", MessageKind::Error, Buttons::Ok);
                }
            }
        }
    }
    UpdateCaption();
    return saved;
}

void ProgramController::DropFiles(const std::vector<std::string>& paths) {
    if (paths.size() != 1) {
        Message("FILE", "MESSAGE-CANNOT_DRAG_DROP_MORE_THAN_ONE_CONFIG_FILE", MessageKind::Error,
                Buttons::Ok);
        return;
    }
    const std::string& path = paths.front();
    // The size of a regular file only: a folder, a pipe or a device is no configuration file.
    const std::uint64_t size = ProgData::ImageFileSize(path);
    const bool sizeFits = std::find(std::begin(DroppedFileSizes), std::end(DroppedFileSizes), size) !=
                          std::end(DroppedFileSizes);
    ProgData::Bytes image{};
    std::string problem;
    if (FoldCase(Extension(path)) != ConfigExtension) {
        problem = FileText("TEXT-NAME_DOES_NOT_END_IN_VORN");
    } else if (!sizeFits && FileExists(path)) {
        problem = FileText("TEXT-DROPPED_FILE_HOLDS_NN_BYTES", {std::to_string(size)});
    } else {
        // A folder or a pipe says what it is; a file of the right size may still be no configuration.
        problem = ConfigFileProblem(path, image);
    }
    if (!problem.empty()) {
        FileProblemMessage("MESSAGE-DROPPED_FILE_IS_NOT_A_VORN_CONFIG_FILE", problem);
        return;
    }
    if (!EnsureRegion() || !MayReplaceConfiguration()) {
        return;
    }
    currentConfig_.Image = image;
    currentConfig_.Snapshot();
    currentConfig_.CurrentFilePath = path;
    currentConfig_.ConfigOrigin = Origin::Opened;
    UpdateCaption();
    ShowPagesForModel();
    pump_->ProcessPendingEvents();
    const ConversionResult result = editor_->ImageToFields(currentConfig_.Image);
    RefreshModifiedMarker();
    ReportResult(result, currentConfig_.Image);
    if (result.Succeeded()) {
        window_->SetStatusText(FileText("STATUS-CONFIGURATION_NN_LOADED", {FileNameOfPath(path)}));
    }
    ClearHistory();
    AddRecentFile(path);
}

bool ProgramController::OpenCommandLineFile(const std::string& path) {
    // As though the operator had chosen it in the open dialog: the dialog's next folder is its folder.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string full = error ? path : absolute.string();
    openSaveDirectory_ = FolderOfPath(full);
    return LoadConfigFile(full);
}

} // namespace vorn
