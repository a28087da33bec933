#include "app/ProgramController.h"
#include "files/BandLists.h"
#include "lang/TranslatedDialog.h"

namespace vorn {

void ProgramController::FirstStartRegionSelection() {
    // No Close button: the operator must choose.
    regionDialog_.SetMode(SelectRegionDialog::ModeWithoutClose);
    const std::string region = regionDialog_.SelectRegion(texts_, lists_.Regions, "", *selectRegion_);
    if (region.empty()) {
        return;
    }
    if (!CopyRegionDefaults(folders_.installation, region, folders_.config)) {
        // "Region" stays empty, so the choice is offered again at the next start.
        Message("SELECT_REGION", "MESSAGE-CONFIG_MISSING_FOR_SELECTED_REGION", MessageKind::Error,
                Buttons::Ok);
        return;
    }
    defaultPaths_.Reset(folders_.config);
    defaultPaths_.WriteAll(settings_);
    settings_.Write(RegionSettingsKey, region);
}

void ProgramController::mnuFileSelectNewRegionClick() {
    const std::string current = settings_.Read(RegionSettingsKey);
    regionDialog_.SetMode(SelectRegionDialog::ModeWithClose);
    const std::string chosen = regionDialog_.SelectRegion(texts_, lists_.Regions, current, *selectRegion_);
    if (chosen.empty() || chosen == current) {
        return;
    }
    if (ShowMessageDialog(texts_, *dialogs_, NewRegionQuestion, MessageKind::Information, Buttons::YesNo) !=
        DialogResult::Yes) {
        return;
    }
    if (!CopyRegionDefaults(folders_.installation, chosen, folders_.config)) {
        Message("SELECT_REGION", "MESSAGE-CONFIG_MISSING_FOR_SELECTED_REGION", MessageKind::Error,
                Buttons::Ok);
        return;
    }
    defaultPaths_.Reset(folders_.config);
    defaultPaths_.WriteAll(settings_);
    settings_.Write(RegionSettingsKey, chosen);
    LoadBandLists();
    currentConfig_.CurrentFilePath.clear();
    currentConfig_.ConfigOrigin = Origin::None;
    // Origin none asks nothing: the new region's default of the model being edited is loaded.
    mnuFileNewClick();
}

void ProgramController::LoadBandLists() {
    UseRegion(settings_.Read(RegionSettingsKey));
}

void ProgramController::UseRegion(const std::string& region) {
    region_ = region;
    vorn::LoadBandLists(InstalledRegistry(), region_, lists_, platform_.trace);
    RefillBandDropDowns();
}

Registry ProgramController::InstalledRegistry() const {
    return Registry::Load(folders_.installation + std::string(RegistryFileName));
}

void ProgramController::RefillBandDropDowns() {
    FieldModel& fields = editor_->Fields();
    FillDropDown(fields, "cbbxTxFrequencyBand", DisplayTexts(lists_.TransmitBands));
    FillDropDown(fields, "cbbxRxFrequencyBand", DisplayTexts(lists_.ReceiveBands));
    FillDropDown(fields, "cbbxGOFA_TxFrequencyBand", DisplayTexts(lists_.TransmitBands));
    FillDropDown(fields, "cbbxGOFA_RxFrequencyBand", DisplayTexts(lists_.ReceiveBands));
}

} // namespace vorn
