#pragma once

#include "app/ProgramController.h"
#include "gui/QtDialogView.h"
#include "gui/QtEventPump.h"
#include "gui/QtTranslations.h"
#include "gui/SheetRenderer.h"
#include "gui/TfrmAbout.h"
#include "gui/TfrmBackups.h"
#include "gui/TfrmChangeCode.h"
#include "gui/TfrmCompare.h"
#include "gui/TfrmEdit.h"
#include "gui/TfrmReceiveRadio.h"
#include "gui/TfrmSelectDevice.h"
#include "gui/TfrmSelectRegion.h"
#include "gui/TfrmWait.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::gui {

// The program as the window runs it: the main window and its dialogs serve the program controller as
// its views, and every menu item, device button, get-radio-code button, dropped file, key press, close
// request and timer tick of the window goes to the controller's operations. The window itself decides
// nothing.
class ProgramWindow {
public:
    explicit ProgramWindow(ProgramPlatform platform);
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    // The start-up: the main window's creation with the command line, then its first showing.
    void Start(const std::vector<std::string>& arguments);

    TfrmEdit& Window() { return window_; }
    TfrmSelectDevice& SelectDevice() { return *selectDevice_; }
    TfrmWait& Wait() { return *wait_; }
    TfrmAbout& About() { return *about_; }
    TfrmReceiveRadio& ReceiveRadio() { return *receiveRadio_; }
    TfrmChangeCode& ChangeCode() { return *changeCode_; }
    TfrmSelectRegion& SelectRegion() { return *selectRegion_; }
    TfrmBackups& Backups() { return *backups_; }
    TfrmCompare& Compare() { return *compare_; }
    QtDialogView& Dialogs() { return dialogs_; }
    SheetRenderer& Sheet() { return sheet_; }
    ProgramController& Controller() { return *controller_; }

    // A menu item of the main window, by name, as the operator chooses it.
    void ChooseMenu(std::string_view item);
    // After a command: the window closes now when the operator asked for it while the command ran.
    void CloseIfAsked();
    // Says in the status bar that the demo unit stands in for the interface unit.
    void ShowDemoUnitNote() { window_.ShowDemoUnitNote(true); }

private:
    TfrmEdit window_;
    QtDialogView dialogs_{&window_};
    QtEventPump pump_;
    SheetRenderer sheet_{&window_};
    std::unique_ptr<TfrmSelectDevice> selectDevice_;
    std::unique_ptr<TfrmWait> wait_;
    std::unique_ptr<TfrmAbout> about_;
    std::unique_ptr<TfrmReceiveRadio> receiveRadio_;
    std::unique_ptr<TfrmChangeCode> changeCode_;
    std::unique_ptr<TfrmSelectRegion> selectRegion_;
    std::unique_ptr<TfrmBackups> backups_;
    std::unique_ptr<TfrmCompare> compare_;
    std::unique_ptr<ProgramController> controller_;
    QtTranslations qtTranslations_;
};

} // namespace vorn::gui
