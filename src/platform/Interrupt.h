#pragma once

// Requests from outside to stop the program (Ctrl+C in its terminal, the system asking it to end) and
// the signals of file writes. A program that catches stop requests is not ended where it stands: the
// request is noted, and the device flows stop at their next safe point, close the unit and return, so
// the port is left usable. The platform's own file (InterruptPosix.cpp) installs the handlers; the
// note itself is the same everywhere.
namespace vorn {

enum class StopRequest {
    None,
    Interrupt, // Ctrl+C (SIGINT)
    Terminate, // the system asks the program to end (SIGTERM)
    Cancel,    // the operator cancelled the running session (the wait window's Cancel, or Escape)
};

// From now on a stop request is noted instead of ending the process. A request that was ignored when
// the program started (a background job of a shell) stays ignored.
void CatchStopRequests();
// From now on the file-size limit makes a write fail (EFBIG) and a closed pipe likewise (EPIPE),
// instead of ending the process, so each writer can report or drop what it could not write.
void IgnoreFileWriteSignals();

// The first stop request since the start (or since ClearStopRequest); None while there is none.
StopRequest PendingStopRequest();
// Notes a request as the platform's handler does (safe inside a signal handler); the first one stays.
void RequestStop(StopRequest request);
void ClearStopRequest();
inline bool StopRequested() {
    return PendingStopRequest() != StopRequest::None;
}

} // namespace vorn
