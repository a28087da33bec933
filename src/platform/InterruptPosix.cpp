// The POSIX side of platform/Interrupt.h: signal handlers.

#include "platform/Interrupt.h"

#include <csignal>

namespace vorn {

namespace {

extern "C" void NoteStopSignal(int number) {
    RequestStop(number == SIGINT ? StopRequest::Interrupt : StopRequest::Terminate);
}

void Catch(int number) {
    struct sigaction current {};
    if (::sigaction(number, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait or a read from the terminal returns at once, so the request is seen.
    action.sa_flags = 0;
    ::sigaction(number, &action, nullptr);
}

void Ignore(int number) {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(number, &action, nullptr);
}

} // namespace

void CatchStopRequests() {
    Catch(SIGINT);
    Catch(SIGTERM);
}

void IgnoreFileWriteSignals() {
    Ignore(SIGXFSZ);
    Ignore(SIGPIPE);
}

} // namespace vorn
