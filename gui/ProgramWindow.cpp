#include "gui/ProgramWindow.h"

#include <QTimer>

namespace vorn::gui {

namespace {

// Each menu item of the main window and the controller's handler it runs. The communication items
// run the device sessions, which come with their windows.
struct MenuRoute {
    std::string_view item;
    void (*run)(ProgramController& program, TfrmEdit& window);
};

constexpr MenuRoute MenuRoutes[] = {
    {"mnuFileNew", [](ProgramController& p, TfrmEdit&) { p.mnuFileNewClick(); }},
    {"mnuFileOpen", [](ProgramController& p, TfrmEdit&) { p.mnuFileOpenClick(); }},
    {"mnuFileRecentClear", [](ProgramController& p, TfrmEdit&) { p.mnuFileRecentClearClick(); }},
    {"mnuFileSave", [](ProgramController& p, TfrmEdit&) { p.mnuFileSaveClick(); }},
    {"mnuFileSaveAs", [](ProgramController& p, TfrmEdit&) { p.mnuFileSaveAsClick(); }},
    {"mnuFileExportSheet", [](ProgramController& p, TfrmEdit&) { p.mnuFileExportSheetClick(); }},
    {"mnuFilePrint", [](ProgramController& p, TfrmEdit&) { p.mnuFilePrintClick(); }},
    {"mnuFileChangeDefaultConfig",
     [](ProgramController& p, TfrmEdit&) { p.mnuFileChangeDefaultConfigClick(); }},
    {"mnuFileSelectNewRegion", [](ProgramController& p, TfrmEdit&) { p.mnuFileSelectNewRegionClick(); }},
    {"mnuFileBackups", [](ProgramController& p, TfrmEdit&) { p.mnuFileBackupsClick(); }},
    {"mnuFileExit",
     [](ProgramController& p, TfrmEdit& window) {
         // Once the program has ended, closing the window asks nothing again.
         if (p.mnuFileExitClick()) {
             window.close();
         }
     }},
    {"mnuEditUndo", [](ProgramController& p, TfrmEdit&) { p.mnuEditUndoClick(); }},
    {"mnuEditRedo", [](ProgramController& p, TfrmEdit&) { p.mnuEditRedoClick(); }},
    {"mnuCommReadFromDevice", [](ProgramController& p, TfrmEdit&) { p.mnuCommReadFromDeviceClick(); }},
    {"mnuCommWriteToDevice", [](ProgramController& p, TfrmEdit&) { p.mnuCommWriteToDeviceClick(); }},
    {"mnuCommChangeIdCode", [](ProgramController& p, TfrmEdit&) { p.mnuCommChangeIdCodeClick(); }},
    {"mnuCommCompare", [](ProgramController& p, TfrmEdit&) { p.mnuCommCompareClick(); }},
    {"mnuCommBackupBeforeWrite", [](ProgramController& p, TfrmEdit&) { p.mnuCommBackupBeforeWriteClick(); }},
    {"mnuCommVerifyAfterWrite", [](ProgramController& p, TfrmEdit&) { p.mnuCommVerifyAfterWriteClick(); }},
    {"mnuHelpAbout", [](ProgramController& p, TfrmEdit&) { p.mnuHelpAboutClick(); }},
};

} // namespace

ProgramWindow::ProgramWindow(ProgramPlatform platform) {
    // The other six windows, in the order the program makes them; each lives as long as the program.
    selectDevice_ = std::make_unique<TfrmSelectDevice>(&window_);
    wait_ = std::make_unique<TfrmWait>(&window_);
    about_ = std::make_unique<TfrmAbout>(&window_);
    receiveRadio_ = std::make_unique<TfrmReceiveRadio>(&window_);
    changeCode_ = std::make_unique<TfrmChangeCode>(&window_);
    selectRegion_ = std::make_unique<TfrmSelectRegion>(&window_);
    backups_ = std::make_unique<TfrmBackups>(&window_);
    compare_ = std::make_unique<TfrmCompare>(&window_);
    controller_ = std::make_unique<ProgramController>(RunMode::Program, std::move(platform),
                                                      ProgramViews{.dialogs = &dialogs_,
                                                                   .window = &window_,
                                                                   .wait = wait_.get(),
                                                                   .pump = &pump_,
                                                                   .selectRegion = selectRegion_.get(),
                                                                   .about = about_.get(),
                                                                   .selectDevice = selectDevice_.get(),
                                                                   .receiveRadio = receiveRadio_.get(),
                                                                   .changeCode = changeCode_.get(),
                                                                   .sheet = &sheet_,
                                                                   .backups = backups_.get(),
                                                                   .compare = compare_.get()});
    window_.BindFields(controller_->GetEditor().Fields());
    ProgramController& program = *controller_;
    window_.SetHandlers({
        .menu = [this](std::string_view item) { ChooseMenu(item); },
        .language =
            [this, &program](int tag) {
                if (program.ChangeLanguage(tag)) {
                    qtTranslations_.Use(program.LanguageFileName());
                }
            },
        .deviceButton = [&program](int button) { program.bbtnSelectNewDeviceClick(button); },
        .drop = [&program](const std::vector<std::string>& paths) { program.DropFiles(paths); },
        .keyPress = [&program](int key) { return program.FormKeyPress(key); },
        // While a device command runs the operator is asked whether to cancel it; the window then
        // closes once the unit is let go.
        .closeQuery = [&program] { return program.CloseQuery(); },
        .devicePageShown = [&program] { program.tbsSelectDeviceEnterShow(); },
        .tick = [&program] { program.tmrUpdateActionListTimer(); },
        .getRadioCode =
            [this, &program](int event) {
                program.btnRadioEvent_n_GetRadioCodeClick(event);
                CloseIfAsked();
            },
        .recentFile = [&program](int item) { program.mnuFileRecentClick(item); },
    });
    wait_->SetKeyHandler([&program](int key) { return program.Sessions().Wait().FormKeyPress(key); });
    wait_->SetCancelHandler([&program] { program.Sessions().Wait().CancelClick(); });
}

void ProgramWindow::CloseIfAsked() {
    if (controller_->TakeCloseRequest()) {
        // Once the command's own event handling has ended.
        QTimer::singleShot(0, &window_, [this] { window_.close(); });
    }
}

ProgramWindow::~ProgramWindow() {
    // The window's controls let go of the editor's fields before the controller goes.
    window_.SetHandlers({});
    wait_->SetKeyHandler({});
    wait_->SetCancelHandler({});
    window_.UnbindFields();
}

void ProgramWindow::ChooseMenu(std::string_view item) {
    for (const MenuRoute& route : MenuRoutes) {
        if (route.item == item) {
            route.run(*controller_, window_);
            CloseIfAsked();
            return;
        }
    }
}

void ProgramWindow::Start(const std::vector<std::string>& arguments) {
    controller_->FormCreate(arguments);
    // Qt's own texts (the file dialogs, key names) in the chosen language from the first window on.
    qtTranslations_.Use(controller_->LanguageFileName());
    window_.ActionListTimer()->start(static_cast<int>(ProgramController::ActionListInterval.count()));
    window_.CentreOnScreen();
    window_.show();
    controller_->FormShow();
}

} // namespace vorn::gui
