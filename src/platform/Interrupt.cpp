#include "platform/Interrupt.h"

#include <csignal>

namespace vorn {

namespace {

// Written from a signal handler: a lock-free atomic integer is the only safe kind of variable.
volatile std::sig_atomic_t pendingRequest = 0;

} // namespace

StopRequest PendingStopRequest() {
    return static_cast<StopRequest>(pendingRequest);
}

void RequestStop(StopRequest request) {
    if (pendingRequest == 0) {
        pendingRequest = static_cast<std::sig_atomic_t>(request);
    }
}

void ClearStopRequest() {
    pendingRequest = 0;
}

} // namespace vorn
