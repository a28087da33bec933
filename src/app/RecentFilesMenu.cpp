// File > Open recent: the configuration files last opened or saved.
#include "app/ProgramController.h"
#include "platform/Files.h"

namespace vorn {

void ProgramController::AddRecentFile(const std::string& path) {
    recentFiles_.Add(settings_, path);
    ShowRecentFiles();
}

void ProgramController::ShowRecentFiles() {
    window_->SetRecentFiles(recentFiles_.MenuCaptions(platform_.environment("HOME").value_or("")));
}

bool ProgramController::mnuFileRecentClick(int item) {
    const std::vector<std::string>& paths = recentFiles_.Paths();
    if (item < 1 || static_cast<std::size_t>(item) > paths.size()) {
        return false;
    }
    const std::string path = paths[static_cast<std::size_t>(item - 1)];
    if (!FileExists(path)) {
        recentFiles_.Remove(settings_, path);
        ShowRecentFiles();
        Message("FILE", "MESSAGE-RECENT_FILE_NN_IS_GONE", MessageKind::Warning, Buttons::Ok, {path});
        return false;
    }
    if (!EnsureRegion()) {
        return false;
    }
    // As though the operator had chosen it in the open dialog: the dialog's next folder is its folder.
    openSaveDirectory_ = FolderOfPath(path);
    return LoadConfigFile(path);
}

void ProgramController::mnuFileRecentClearClick() {
    recentFiles_.Clear(settings_);
    ShowRecentFiles();
}

} // namespace vorn
