#pragma once

#include <cstdint>

// An observer of the session engine, for front ends that show how far a transfer has come (vornctl's
// progress bar and per-device figures). The engine only reports to it: what it sends, when, and on
// which band stay the same with or without one. The window passes none.
namespace vorn {

// Session results (the numbers are those the support trace shows).
enum SessionResult : int {
    SessionNothingToTransfer = 0,
    SessionUnitNotOpened = 1,
    SessionFirmwareTooOld = 2,
    SessionTimeOut = 3,
    SessionComplete = 4,
    // A stop request ended the session at a safe point (between two commands); the blocks done so far
    // are marked, the rest keep their state.
    SessionInterrupted = 5,
};

// Where a session stands before one memory job.
struct SessionStep {
    bool write = false;
    int block = 0;     // the block this job moves, 1 to blocks
    int blocks = 0;    // blocks of the session
    int bytesDone = 0; // bytes moved by the jobs done so far
    int bytes = 0;     // bytes of the session
    std::uint8_t band = 0;
    int retries = 0; // jobs of this block that failed before this one
};

class SessionProgress {
public:
    virtual ~SessionProgress() = default;
    // Before every memory job, the first attempt at a block and every repeat (on the same or the next
    // band) alike.
    virtual void JobStarting(const SessionStep& step) = 0;
    // When the session ends: its result (a SessionResult, passed as its number) and the band last used.
    virtual void SessionEnded(int result, const SessionStep& last) = 0;
};

} // namespace vorn
