#include "link/KduLink.h"

#include "base/NumberText.h"
#include "model/ValueHelpers.h"
#include "platform/Interrupt.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vorn {

using namespace std::chrono_literals;

KduLink::KduLink(UnitDriver& driver, Clock& clock, TraceSink& trace)
    : driver_(driver), clock_(clock), trace_(trace) {}

KduLink::~KduLink() {
    if (!busy_) {
        CloseUnguarded();
    }
}

void KduLink::Pump() {
    if (pump_ != nullptr) {
        pump_->ProcessPendingEvents();
    }
}

void KduLink::SleepPumping(Millis duration) {
    const Millis end = clock_.Now() + duration;
    // A stop request cuts the line's pulse and settling short: the job that follows is not sent.
    for (Millis now = clock_.Now(); now < end && !StopRequested(); now = clock_.Now()) {
        clock_.Sleep(std::min(PumpSlice, end - now));
        Pump();
    }
}

// --- Open and close -------------------------------------------------------------------------------

int KduLink::Open() {
    return Guarded(1, [this] { return OpenUnguarded(); });
}

int KduLink::OpenUnguarded() {
    if (open_) {
        driver_.Close();
        open_ = false;
    }
    // An event left from an earlier open is released rather than leaked.
    if (eventCreated_) {
        driver_.ReleaseReceiveEvent();
        eventCreated_ = false;
    }
    if (driver_.OpenByDescription(UnitDescription, UnitDriver::OpenByDescriptionFlag) != DriverOk) {
        return 1;
    }
    open_ = true;

    bool failed = false;
    failed |= driver_.SetBaudRate(BaudRate) != DriverOk;
    failed |= driver_.SetDataCharacteristics(8, 2, 0) != DriverOk;
    failed |= driver_.SetFlowControl(0, 0, 0) != DriverOk;
    failed |= driver_.SetModemLineRest() != DriverOk;
    eventCreated_ = driver_.CreateReceiveEvent();
    if (eventCreated_) {
        failed |= driver_.SetEventNotification(UnitDriver::EventReceiveCharacter) != DriverOk;
    } else {
        failed = true;
    }
    return failed ? 1 : 0;
}

void KduLink::Close() {
    Guarded([this] { CloseUnguarded(); });
}

void KduLink::CloseUnguarded() {
    if (open_) {
        PurgeUnguarded();
        driver_.Close();
        open_ = false;
    }
    if (eventCreated_) {
        driver_.ReleaseReceiveEvent();
        eventCreated_ = false;
    }
}

void KduLink::PulseLine() {
    if (busy_ || !open_) {
        return;
    }
    BusyScope scope(busy_);
    driver_.SetModemLinePulse();
    SleepPumping(PulseTime);
    driver_.SetModemLineRest();
    SleepPumping(SettleTime);
}

// --- Sending --------------------------------------------------------------------------------------

void KduLink::PurgeUnguarded() {
    if (!open_) {
        return;
    }
    std::array<std::uint8_t, PurgeChunk> scratch{};
    for (int reads = 0; reads < MaxPurgeReads; ++reads) {
        std::uint32_t count = 0;
        if (driver_.GetQueueStatus(count) != DriverOk || count == 0) {
            return;
        }
        std::uint32_t got = 0;
        const int status = driver_.Read(scratch.data(), std::min<std::uint32_t>(count, PurgeChunk), got);
        trace_.Write("Purging " + std::to_string(count) + " bytes.");
        if (status != DriverOk) {
            return;
        }
    }
}

void KduLink::Append(std::uint8_t b) {
    transmit_[transmitLength_] = b;
    ++transmitLength_;
    transmit_[transmitLength_] = 0;
    checksum_ = static_cast<std::uint8_t>(checksum_ + b);
}

int KduLink::SendFrame(std::string_view payload) {
    return Guarded(0, [&] { return SendFrameUnguarded(payload); });
}

int KduLink::SendFrameUnguarded(std::string_view payload) {
    // A payload that does not fit the transmit buffer, or that a zero byte would cut short, is
    // refused whole rather than sent damaged.
    if (payload.empty() || payload.size() > MaxPayloadLength ||
        payload.find('\0') != std::string_view::npos || !open_) {
        return 0;
    }
    PurgeUnguarded();
    transmitLength_ = 0;
    checksum_ = 0;
    Append(Stx);
    checksum_ = 0;
    for (const char ch : payload) {
        Append(static_cast<std::uint8_t>(ch));
    }
    const std::string digits = HexByte(checksum_);
    const std::uint8_t sum = checksum_;
    Append(static_cast<std::uint8_t>(digits[0]));
    Append(static_cast<std::uint8_t>(digits[1]));
    Append(Etx);
    checksum_ = sum;

    std::uint32_t written = 0;
    if (driver_.Write(transmit_.data(), transmitLength_, written) != DriverOk) {
        return 0;
    }
    return static_cast<int>(written);
}

// --- Receiving ------------------------------------------------------------------------------------

bool KduLink::WaitForData(Millis timeout) {
    return Guarded(false, [&] { return WaitForDataUnguarded(timeout); });
}

bool KduLink::WaitForDataUnguarded(Millis timeout) {
    if (!open_ || !eventCreated_) {
        return false;
    }
    // The wait is cut into slices so that the view is served at least every PumpInterval.
    const Millis deadline = clock_.Now() + std::max(timeout, Millis{0});
    WaitOutcome outcome = WaitOutcome::TimedOut;
    do {
        const Millis sliceStart = clock_.Now();
        const Millis slice = std::clamp(deadline - sliceStart, Millis{0}, PumpSlice);
        outcome = driver_.WaitReceiveEvent(slice);
        if (outcome == WaitOutcome::TimedOut && clock_.Now() < sliceStart + slice) {
            // A driver that gives up early still costs the full slice, so the waits keep their length.
            clock_.Sleep(sliceStart + slice - clock_.Now());
        }
        Pump();
    } while (outcome == WaitOutcome::TimedOut && clock_.Now() < deadline);
    clock_.Sleep(0ms);
    return outcome != WaitOutcome::TimedOut;
}

std::uint32_t KduLink::QueuedCount() {
    return Guarded(std::uint32_t{0}, [this] { return QueuedCountUnguarded(); });
}

std::uint32_t KduLink::QueuedCountUnguarded() {
    if (!open_) {
        return 0;
    }
    std::uint32_t count = 0;
    return driver_.GetQueueStatus(count) == DriverOk ? count : 0;
}

std::size_t KduLink::ReadAvailableUnguarded(std::span<std::uint8_t> buffer) {
    if (!open_) {
        return 0;
    }
    const auto count =
        static_cast<std::uint32_t>(std::min<std::size_t>(buffer.size(), QueuedCountUnguarded()));
    if (count == 0) {
        return 0;
    }
    std::uint32_t got = 0;
    if (driver_.Read(buffer.data(), count, got) != DriverOk) {
        return 0;
    }
    return std::min<std::size_t>(got, count);
}

int KduLink::ReceiveReply(std::string& output, Millis firstWait, int expectedLength) {
    output.clear();
    return Guarded(0, [&] { return ReceiveReplyUnguarded(output, firstWait, expectedLength); });
}

int KduLink::ReceiveReplyUnguarded(std::string& output, Millis firstWait, int expectedLength) {
    output.clear();
    if (!open_) {
        return 0;
    }
    const bool framed = expectedLength > 1;
    driver_.SetTimeouts(ReadTimeoutMs, WriteTimeoutMs);

    std::array<std::uint8_t, ReceiveAreaSize> area{};
    std::size_t count = 0;
    const auto contains = [&](std::uint8_t b) {
        return std::find(area.begin(), area.begin() + static_cast<std::ptrdiff_t>(count), b) !=
               area.begin() + static_cast<std::ptrdiff_t>(count);
    };

    const Millis collectUntil = clock_.Now() + std::max(firstWait, Millis{0}) + MaxCollectTime;
    bool arrived = WaitForDataUnguarded(firstWait);
    Millis lastByteAt = clock_.Now();
    int idleWakeups = 0;
    while (arrived) {
        const std::size_t got =
            ReadAvailableUnguarded(std::span<std::uint8_t>(area.data() + count, ReceiveAreaSize - count));
        count += got;
        if (framed ? (contains(Stx) && contains(Etx)) : static_cast<long>(count) >= expectedLength) {
            break;
        }
        // A full area cannot become a valid frame any more; wake-ups that bring nothing (a unit gone
        // away, a driver that keeps signalling) end the collection once the line has been quiet for
        // the following wait, so a reply never holds the link for ever.
        if (count == ReceiveAreaSize) {
            break;
        }
        if (got > 0) {
            lastByteAt = clock_.Now();
            idleWakeups = 0;
        } else if (++idleWakeups >= MaxIdleWakeups || clock_.Now() - lastByteAt >= FollowingWait) {
            break;
        }
        const Millis left = collectUntil - clock_.Now();
        if (left <= Millis{0}) {
            trace_.Write("Reply cut off after " + std::to_string(count) + " bytes: it took too long");
            break;
        }
        arrived = WaitForDataUnguarded(std::min(FollowingWait, left));
    }

    if (count == 0) {
        return 0;
    }
    if (count == 1) {
        output.assign(1, static_cast<char>(area[0]));
        return 1;
    }
    if (!IsValidFrame(std::span<const std::uint8_t>(area.data(), count))) {
        return 0;
    }
    const std::size_t payload = count - kdu::FrameOverhead;
    output.assign(reinterpret_cast<const char*>(area.data() + 1), payload);
    return static_cast<int>(payload);
}

int KduLink::Transact(std::string_view payload, std::string& output, Millis firstWait, int expectedLength) {
    if (busy_) {
        output.clear();
        return 0;
    }
    BusyScope scope(busy_);
    SendFrameUnguarded(payload);
    return ReceiveReplyUnguarded(output, firstWait, expectedLength);
}

} // namespace vorn
