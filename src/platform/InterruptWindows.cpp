// The Windows side of platform/Interrupt.h: the console's control handler.
#include "platform/Interrupt.h"

#include <windows.h>

namespace vorn {

namespace {

// How long a closing console waits for the flow to reach its next safe point and close the unit:
// Windows ends the process as soon as the handler returns.
constexpr DWORD CloseGraceMs = 2000;

BOOL WINAPI NoteControlEvent(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT: RequestStop(StopRequest::Interrupt); return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        RequestStop(StopRequest::Terminate);
        ::Sleep(CloseGraceMs);
        return TRUE;
    default: return FALSE;
    }
}

} // namespace

void CatchStopRequests() {
    ::SetConsoleCtrlHandler(NoteControlEvent, TRUE);
}

void IgnoreFileWriteSignals() {
    // Windows has no such signals: a write that fails returns its error.
}

} // namespace vorn
