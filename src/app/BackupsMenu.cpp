// File > Device backups...: the configurations kept from devices, and opening one of them.
#include "app/ProgramController.h"
#include "model/Conversion.h"

namespace vorn {

void ProgramController::mnuFileBackupsClick() {
    if (sessions_->Busy()) {
        return;
    }
    backupsDialog_.Prepare(texts_, sessions_->Backups());
    backupsDialog_.FormShow();
    backupsView_->Show(backupsDialog_);
    if (backupsDialog_.Result() == BackupsDialog::ResultOpen) {
        OpenBackup(backupsDialog_.SelectedPath());
    }
}

bool ProgramController::OpenBackup(const std::string& path) {
    const std::optional<ProgData::Bytes> image = ImageToReplaceWith(path);
    if (!image) {
        return false;
    }
    // A device's configuration, as a read would have left it: no file of its own, so Save asks for a
    // new name and the backup stays as it was kept.
    currentConfig_.Image = *image;
    currentConfig_.CurrentFilePath.clear();
    currentConfig_.Snapshot();
    currentConfig_.ConfigOrigin = Origin::ReadFromDevice;
    UpdateCaption();
    if (ShowLoadedImage().Succeeded()) {
        window_->SetStatusText(FileText("STATUS-CONFIGURATION_NN_LOADED", {FileNameOfPath(path)}));
    }
    ClearHistory(); // another configuration: a fresh undo history, as after Open
    return true;
}

} // namespace vorn
