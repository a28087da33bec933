#pragma once

#include "base/CodeLists.h"
#include "editor/Editor.h"
#include "lang/ListIni.h"
#include "lang/TextFormat.h"
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "model/ProgData.h"
#include "session/SessionHost.h"
#include "session/SessionProgress.h"
#include "view/ChangeCodeView.h"
#include "view/DialogView.h"
#include "view/EventPump.h"
#include "view/MainWindowView.h"
#include "view/MessageDialog.h"
#include "view/ReceiveRadioView.h"
#include "view/SelectDeviceView.h"
#include "view/WaitView.h"

#include <string>
#include <string_view>
#include <vector>

// What the device flows work with: the main window's state (the configuration being edited, the
// editor, the link and the job, the code lists, the language), the views, and the host for the rest of
// the main window. Everything is owned elsewhere and given by reference.
namespace vorn {

class WaitWindow;

// The second line under the unit-not-found message when the user may not open the port.
inline constexpr std::string_view AccessDeniedSection = "COMMON";
inline constexpr std::string_view AccessDeniedKey = "MESSAGE-KDU_ACCESS_DENIED_DIALOUT";

struct SessionViews {
    DialogView& dialogs;
    MainWindowView& window;
    WaitView& wait;
    EventPump& pump;
    SelectDeviceView& selectDevice;
    ReceiveRadioView& receiveRadio;
    ChangeCodeView& changeCode;
};

// How a device command ended, for front ends that report it other than by the window (vornctl's exit
// status). The window shows the flow's messages.
enum class SessionOutcome {
    NotRun,             // nothing done: another family's command, or a flow already runs
    Done,               // the transfer or change is complete
    Cancelled,          // the operator cancelled a dialog, a question or the session itself
    Refused,            // the operator's input was refused (a message says why)
    UnitNotFound,       // the unit could not be opened
    FirmwareTooOld,     // the unit's firmware is older than needed
    NoAnswer,           // the device did not answer (or left parameters untransferred)
    DeviceFailed,       // the device or the unit reported a failure, or the device is incompatible
    ConversionError,    // the image and the editor do not convert into one another
    InternalError,      // a session that had nothing to do
    Interrupted,        // a stop request from outside ended it at a safe point; no message was shown
    QuestionUnanswered, // a question got no answer (a front end with nobody to give one)
    ButtonNotPressed,   // the presence unit's button was not pressed within the wait
    BackupFailed,       // the device's configuration could not be kept as a backup: nothing written
};
// The outcome's name in the support trace ("done", "cancelled", ...).
std::string_view OutcomeName(SessionOutcome outcome);

// One session the flows ran (memory jobs): how it ended and where it stood then.
struct SessionRecord {
    SessionResult result = SessionNothingToTransfer;
    SessionStep last;
};

class SessionContext {
public:
    // The main window's control that gets the focus back after a session.
    static constexpr std::string_view MainWindowControl = "frmEdit";

    SessionContext(ProgData& config, Editor& editor, KduLink& link, MemoryJob& job, CodeLists& lists,
                   const ListIni& texts, SessionViews views, SessionHost& host);

    ProgData& config; // CurrentConfig
    Editor& editor;
    KduLink& link;
    MemoryJob& job;
    CodeLists& lists;
    const ListIni& texts;
    SessionViews views;
    SessionHost& host;
    // An observer of every session the flows run (vornctl's progress line; none in the window, whose
    // wait window shows the block and the band).
    SessionProgress* progress = nullptr;

    // What the flows of the current command said and ran, for its result: the last message (a dialog
    // that asks nothing, or a question left unanswered), the last text of any kind, and the sessions.
    std::string lastMessage;
    std::string lastText;
    std::vector<SessionRecord> sessions;
    // A new command: what was said and run for the last one is forgotten.
    void ForgetCommand();

    // The language's text, formatted with the arguments.
    std::string Text(std::string_view section, std::string_view key, const FormatArgs& args = {}) const;
    // A status text: only the status bar.
    void Status(const std::string& text);
    // A message: the status bar, then an error dialog with OK.
    void Message(const std::string& text);
    // A dialog (the status bar is left alone).
    DialogResult Dialog(const std::string& text, MessageKind kind, DialogButtons buttons);
    // The unit-not-found text; when this user may not open the port, a second line says which group
    // the user must join.
    std::string UnitNotFoundText() const;

    // Hourglass, main window disabled, the wait window shown with the text, its Cancel button and,
    // as the jobs go, the block being moved (n of N), the band being tried and the bytes done in its
    // progress bar; then the session; then the wait window closed, the window enabled, the cursor
    // restored and the focus back on the main window. The session's result; it is also recorded.
    SessionResult RunSessionShown(ProgData& data, const std::string& text, WaitWindow& wait);
};

} // namespace vorn
