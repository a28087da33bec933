#include "app/ProgramController.h"
#include "model/Catalogue.h"
#include "platform/Files.h"

namespace vorn {

void ProgramController::mnuFileChangeDefaultConfigClick() {
    ChangeDefaultConfig(currentConfig_.Image[ProductTypeAddress]);
}

void ProgramController::ChangeDefaultConfig(std::uint8_t model) {
    if (FindProduct(model) == nullptr) {
        return;
    }
    std::string path = defaultPaths_.Of(model);
    const std::string name = ProductName(model);
    if (!FileExists(path)) {
        Message("FILE", "MESSAGE-CONFIG_NN_NOT_FOUND_SELECT_NEW_CONFIG_FOR_NN", MessageKind::Error,
                Buttons::Ok, {path, name});
    }
    bool accepted = false;
    for (;;) {
        FileDialogSetup setup =
            FileDialog(FileText("TITLE-SELECT_NEW_DEFAULT_CONFIG_FOR_NN", {name}), path, "");
        const auto answer = dialogs_->AskOpenFile(setup);
        if (!answer) {
            break;
        }
        path = *answer;
        if (!FileExists(path) && FileNameOfPath(path).find('.') == std::string::npos) {
            path += ".vorn";
        }
        // A file that is missing or holds no 256 bytes: the dialog simply opens again.
        if (!FileExists(path) || !candidateConfig_.ReadImageFile(path)) {
            continue;
        }
        if (candidateConfig_.Image[ProductTypeAddress] == model) {
            accepted = true;
            break;
        }
        if (Message("FILE", "MESSAGE-ERROR_SELECTED_CONFIG_FILE_NN_IS_NOT_NN_TYPE", MessageKind::Error,
                    Buttons::YesCancel, {FileNameOfPath(path), name}) != DialogResult::Yes) {
            break;
        }
    }
    if (accepted) {
        defaultPaths_.Change(model, path, settings_);
        window_->SetStatusText(
            FileText("STATUS-NEW_DEFAULT_CONFIG_FOR_NN_IS_NOW_NN", {name, FileNameOfPath(path)}));
    } else {
        window_->SetStatusText("");
    }
}

} // namespace vorn
