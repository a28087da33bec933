// The Communication menu, the radio events' get-radio-code buttons and the info poll timer: the
// device service, run on the controller's state with the options the operator chose.
#include "app/ProgramController.h"
#include "files/DefaultConfigs.h"
#include "files/RegionName.h"
#include "lang/TextFormat.h"
#include "lang/TranslatedDialog.h"
#include "model/Catalogue.h"
#include "platform/Interrupt.h"

namespace vorn {

namespace {

constexpr std::string_view OptionOn = "1";
constexpr std::string_view OptionOff = "0";

// The checkable items and the settings keys that keep them.
struct OptionItem {
    std::string_view item;
    std::string_view key;
};
constexpr OptionItem OptionItems[] = {
    {"mnuCommBackupBeforeWrite", BackupBeforeWriteSettingsKey},
    {"mnuCommVerifyAfterWrite", VerifyAfterWriteSettingsKey},
};

} // namespace

SessionOutcome ProgramController::mnuCommReadFromDeviceClick() {
    // A read is one step of the undo history, which takes the configuration it replaced back.
    BeginStep("mnuCommReadFromDevice");
    const SessionOutcome outcome = sessions_->Read().outcome;
    EndStep(outcome == SessionOutcome::Done || outcome == SessionOutcome::ConversionError);
    return outcome;
}

SessionOutcome ProgramController::mnuCommWriteToDeviceClick() {
    return sessions_->Write(WriteOptions()).outcome;
}

SessionOutcome ProgramController::mnuCommChangeIdCodeClick() {
    // The unit's new code in the editor is a step of the undo history, as a captured code is.
    BeginStep("edtHESK_RadioIdCode");
    const SessionOutcome outcome = sessions_->ChangeIdCode().outcome;
    EndStep(false);
    return outcome;
}

SessionOutcome ProgramController::btnRadioEvent_n_GetRadioCodeClick(int n) {
    BeginStep("edtRadioEvent_" + std::to_string(n) + "_RadioId");
    const SessionOutcome outcome = sessions_->CaptureIntoEvent(n).outcome;
    EndStep(false);
    return outcome;
}

void ProgramController::tmrPollKduInfoTimer() {
    sessions_->tmrPollKduInfoTimer();
}

SessionOutcome ProgramController::mnuCommCompareClick() {
    // Taking the device's configuration is a step of the undo history, named as a read; closing the
    // comparison changes nothing and leaves none.
    BeginStep("mnuCommReadFromDevice");
    const SessionOutcome outcome = sessions_->Compare().outcome;
    EndStep(outcome == SessionOutcome::Done || outcome == SessionOutcome::ConversionError);
    return outcome;
}

DeviceOptions ProgramController::WriteOptions() const {
    // An option is on unless the settings say "0": a new settings file has both on.
    return {.verify = settings_.Read(VerifyAfterWriteSettingsKey) != OptionOff,
            .backupFirst = settings_.Read(BackupBeforeWriteSettingsKey) != OptionOff};
}

void ProgramController::ShowWriteOptions() {
    for (const OptionItem& option : OptionItems) {
        window_->SetControlChecked(option.item, settings_.Read(option.key) != OptionOff);
    }
}

void ProgramController::mnuCommBackupBeforeWriteClick() {
    settings_.Write(BackupBeforeWriteSettingsKey,
                    std::string(WriteOptions().backupFirst ? OptionOff : OptionOn));
    ShowWriteOptions();
}

void ProgramController::mnuCommVerifyAfterWriteClick() {
    settings_.Write(VerifyAfterWriteSettingsKey, std::string(WriteOptions().verify ? OptionOff : OptionOn));
    ShowWriteOptions();
}

bool ProgramController::CloseQuery() {
    if (!sessions_->Busy()) {
        return FormCloseQuery();
    }
    const std::string question = texts_.Text("COMMUNICATION", "MESSAGE-CANCEL_SESSION_AND_CLOSE");
    if (ShowMessageDialog(texts_, *dialogs_, question, MessageKind::Confirmation, Buttons::YesNo) ==
        DialogResult::Yes) {
        // The command stops at its next safe point; the window closes once it has returned.
        RequestStop(StopRequest::Cancel);
        closeAfterSession_ = true;
    }
    return false;
}

bool ProgramController::TakeCloseRequest() {
    const bool requested = closeAfterSession_ && !sessions_->Busy();
    if (requested) {
        closeAfterSession_ = false;
    }
    return requested;
}

std::string ProgramController::InstalledDefaultPath(std::uint8_t productType) const {
    const ProductInfo* product = FindProduct(productType);
    // A region name that would leave the defaults folder names no file.
    const std::optional<RegionName> region = RegionName::Check(region_);
    return product == nullptr || !region ? std::string()
                                         : RegionDefaultPath(folders_.installation, *region, *product);
}

bool ProgramController::LoadDefaultForDevice(std::uint8_t productType) {
    const std::string path = InstalledDefaultPath(productType);
    if (path.empty() || !currentConfig_.ReadImageFile(path)) {
        return false;
    }
    currentConfig_.Snapshot();
    currentConfig_.ConfigOrigin = Origin::Default;
    currentConfig_.CurrentFilePath.clear();
    editor_->ImageToFields(currentConfig_.Image);
    return true;
}

ConversionResult ProgramController::LoadFileForDevice(const ProgData::Bytes& image, const std::string& path) {
    currentConfig_.Image = image;
    const ConversionResult loaded = editor_->ImageToFields(currentConfig_.Image);
    if (loaded.Succeeded()) {
        currentConfig_.Snapshot();
        currentConfig_.ConfigOrigin = Origin::Opened;
        currentConfig_.CurrentFilePath = path;
    }
    return loaded;
}

} // namespace vorn
