#include "app/ProgramController.h"
#include "base/Utf8.h"
#include "files/BandLists.h"
#include "files/RegionName.h"
#include "lang/TranslatedDialog.h"

namespace vorn {

namespace {

// A region name for a trace line or a message: control characters escaped.
std::string Shown(std::string_view region) {
    return EscapeControlCharacters(region);
}

} // namespace

bool ProgramController::InstallRegionDefaults(const std::string& region) {
    const auto name = RegionName::Check(region);
    if (!name) {
        // The language file offers a region whose name would not stay inside DefaultConfig/: its
        // defaults cannot be installed, which the operator is told as for any region without them.
        platform_.trace.Write("Region \"" + Shown(region) + "\" refused: its name " +
                              std::string(RegionNameFaultText(FindRegionNameFault(region))));
        return false;
    }
    return CopyRegionDefaults(folders_.installation, *name, folders_.config);
}

void ProgramController::FirstStartRegionSelection() {
    // No Close button: the operator must choose.
    regionDialog_.SetMode(SelectRegionDialog::ModeWithoutClose);
    const std::string region = regionDialog_.SelectRegion(texts_, lists_.Regions, "", *selectRegion_);
    if (region.empty()) {
        return;
    }
    if (!InstallRegionDefaults(region)) {
        // "Region" stays empty, so the choice is offered again at the next start.
        Message("SELECT_REGION", "MESSAGE-CONFIG_MISSING_FOR_SELECTED_REGION", MessageKind::Error,
                Buttons::Ok);
        return;
    }
    StoreRegionSettings(region);
}

bool ProgramController::EnsureRegion() {
    // A tool takes its region from its options; a language without regions has been reported.
    if (!region_.empty() || mode_ != RunMode::Program || lists_.Regions.empty()) {
        return true;
    }
    Message("SELECT_REGION", "MESSAGE-NO_REGION_CHOSEN", MessageKind::Information, Buttons::Ok);
    FirstStartRegionSelection();
    LoadBandLists();
    return !region_.empty();
}

void ProgramController::StoreRegionSettings(const std::string& region) {
    defaultPaths_.Reset(folders_.config);
    const bool pathsStored = defaultPaths_.WriteAll(settings_);
    // Kept in memory all the same, so the program runs with it.
    const bool regionStored = settings_.Write(RegionSettingsKey, region);
    if (!(pathsStored && regionStored) && mode_ == RunMode::Program) {
        // The program runs with the region all the same; the operator learns why it is asked again.
        Message("SELECT_REGION", "MESSAGE-SETTINGS_NOT_STORED_NN_NN", MessageKind::Error, Buttons::Ok,
                {settings_.Path(), std::string(FileErrorText(settings_.LastWriteError()))});
    }
}

void ProgramController::ReportStoredRegionProblem() {
    const std::string stored = settings_.Read(RegionSettingsKey);
    // No region yet is the first start's business; a language without regions has been reported.
    if (stored.empty() || lists_.Regions.empty()) {
        return;
    }
    if (RegionName::Check(stored) && IndexOfName(lists_.Regions, stored) >= 0) {
        return;
    }
    InstallationMessage("SELECT_REGION", "MESSAGE-REGION_NN_OF_SETTINGS_FILE_NN_IS_NOT_IN_LANGUAGE_FILE_NN",
                        {Shown(stored), settings_.Path(), texts_.FilePath()});
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
    if (!InstallRegionDefaults(chosen)) {
        Message("SELECT_REGION", "MESSAGE-CONFIG_MISSING_FOR_SELECTED_REGION", MessageKind::Error,
                Buttons::Ok);
        return;
    }
    StoreRegionSettings(chosen);
    LoadBandLists();
    currentConfig_.CurrentFilePath.clear();
    currentConfig_.ConfigOrigin = Origin::None;
    // Origin none asks nothing: the new region's default of the model being edited is loaded.
    mnuFileNewClick();
}

void ProgramController::LoadBandLists() {
    UseRegion(settings_.Read(RegionSettingsKey));
}

bool ProgramController::UseRegion(const std::string& region) {
    const Registry registry = InstalledRegistry();
    if (registry.Empty()) {
        // Without the file every band list stays as it was and every configuration then fails to show
        // its bands: the window says why, a tool reports it in its own way.
        platform_.trace.Write("No frequency bands in " + registry.Path() + ": " + registry.Problem());
        if (mode_ == RunMode::Program) {
            InstallationMessage("SELECT_REGION", "MESSAGE-FREQUENCY_BANDS_NOT_READ_FROM_NN_NN",
                                {registry.Path(), registry.Problem()});
        }
    }
    const auto name = RegionName::Check(region);
    if (!name) {
        platform_.trace.Write("Band lists not loaded: the region name \"" + Shown(region) + "\" " +
                              std::string(RegionNameFaultText(FindRegionNameFault(region))));
        return false;
    }
    region_ = region;
    vorn::LoadBandLists(registry, *name, lists_, platform_.trace);
    RefillBandDropDowns();
    return true;
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
