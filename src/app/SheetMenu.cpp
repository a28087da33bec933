#include "app/ConfigurationSheet.h"
#include "app/ProgramController.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <ctime>

namespace vorn {

namespace {

constexpr std::string_view SheetExtension = ".pdf";

// Today in the user's time zone, as the sheet dates itself.
std::string Today() {
    const std::tm local = LocalTime(std::time(nullptr));
    char text[16] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// A file name without its extension ("bode.vorn" is "bode").
std::string Stem(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

SheetDocument ProgramController::ConfigurationSheet() {
    const std::uint8_t type = currentConfig_.Image[ProductTypeAddress];
    // Where the configuration came from: its file, or what the caption says instead of one.
    std::string file;
    switch (currentConfig_.ConfigOrigin) {
    case Origin::Opened:
    case Origin::Saved: file = FileNameOfPath(currentConfig_.CurrentFilePath); break;
    case Origin::Default: file = texts_.Text("COMMON", "FORM_CAPTION-DEFAULT"); break;
    case Origin::ReadFromDevice: file = texts_.Text("COMMON", "FORM_CAPTION-READ_FROM_DEVICE"); break;
    case Origin::None: break;
    }
    const std::string model = ProductName(type);
    const SheetInput input{texts_, editor_->Fields(), currentConfig_.Image,    model,
                           file,   Today(),           sheet_->PictureUri(type)};
    return {ConfigurationSheetHtml(input), FileText("TEXT-CONFIGURATION_SHEET") + " - " + model, type};
}

bool ProgramController::mnuFileExportSheetClick() {
    if (currentConfig_.ConfigOrigin == Origin::None) {
        return false;
    }
    const SheetDocument sheet = ConfigurationSheet();
    const std::string& current = currentConfig_.CurrentFilePath;
    // Named after the configuration's file, or its model when it has none.
    const std::string name = (current.empty() ? ProductName(currentConfig_.Image[ProductTypeAddress])
                                              : Stem(FileNameOfPath(current))) +
                             std::string(SheetExtension);
    FileDialogSetup setup = FileDialog(FileText("TITLE-EXPORT_SHEET"), current, name);
    setup.filterDescription = FileText("FILTER-PDF_FILE");
    setup.pattern = "*" + std::string(SheetExtension);
    setup.fileName = name;
    const auto answer = dialogs_->AskSaveFile(setup);
    if (!answer) {
        return false;
    }
    std::string path = *answer;
    if (FileNameOfPath(path).find('.') == std::string::npos) {
        path += SheetExtension;
    }
    if (FileExists(path) &&
        Message("FILE", "MESSAGE-FILE_NN_EXISTS_DO_YOU_WANT_TO_OVERWRITE", MessageKind::Information,
                Buttons::YesNo, {FileNameOfPath(path)}) != DialogResult::Yes) {
        return false;
    }
    if (!sheet_->WritePdf(sheet, path)) {
        Message("FILE", "MESSAGE-COULD_NOT_WRITE_SHEET_NN", MessageKind::Error, Buttons::Ok, {path});
        return false;
    }
    window_->SetStatusText(FileText("STATUS-SHEET_NN_WRITTEN", {FileNameOfPath(path)}));
    return true;
}

void ProgramController::mnuFilePrintClick() {
    if (currentConfig_.ConfigOrigin == Origin::None) {
        return;
    }
    switch (sheet_->Print(ConfigurationSheet())) {
    case PrintOutcome::Printed: window_->SetStatusText(FileText("STATUS-SHEET_PRINTED")); break;
    case PrintOutcome::Failed:
        Message("FILE", "MESSAGE-COULD_NOT_PRINT_SHEET", MessageKind::Error, Buttons::Ok);
        break;
    case PrintOutcome::Cancelled: break;
    }
}

} // namespace vorn
