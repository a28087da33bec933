#include "sim/RealTimeUnit.h"

#include <algorithm>
#include <thread>

namespace vorn::sim {

namespace {

// The longest nap of a wait: short, so a wait never oversleeps its end by more than this.
constexpr Millis LongestNap{5};

} // namespace

RealTimeUnit::RealTimeUnit(SimScenario scenario)
    : unit_(clock_, std::move(scenario)), start_(std::chrono::steady_clock::now()) {}

Millis RealTimeUnit::Now() {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start_);
}

void RealTimeUnit::Sync() {
    clock_.AdvanceTo(Now());
}

int RealTimeUnit::OpenByDescription(std::string_view description, std::uint32_t flags) {
    Sync();
    return unit_.OpenByDescription(description, flags);
}

int RealTimeUnit::Close() {
    Sync();
    return unit_.Close();
}

int RealTimeUnit::SetBaudRate(std::uint32_t baud) {
    Sync();
    return unit_.SetBaudRate(baud);
}

int RealTimeUnit::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                         std::uint8_t parity) {
    Sync();
    return unit_.SetDataCharacteristics(wordLength, stopBits, parity);
}

int RealTimeUnit::SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) {
    Sync();
    return unit_.SetFlowControl(flowControl, xon, xoff);
}

int RealTimeUnit::SetModemLinePulse() {
    Sync();
    return unit_.SetModemLinePulse();
}

int RealTimeUnit::SetModemLineRest() {
    Sync();
    return unit_.SetModemLineRest();
}

int RealTimeUnit::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    Sync();
    return unit_.SetTimeouts(readMs, writeMs);
}

int RealTimeUnit::GetQueueStatus(std::uint32_t& waiting) {
    Sync();
    return unit_.GetQueueStatus(waiting);
}

bool RealTimeUnit::CreateReceiveEvent() {
    Sync();
    return unit_.CreateReceiveEvent();
}

void RealTimeUnit::ReleaseReceiveEvent() {
    unit_.ReleaseReceiveEvent();
}

int RealTimeUnit::SetEventNotification(std::uint32_t mask) {
    Sync();
    return unit_.SetEventNotification(mask);
}

WaitOutcome RealTimeUnit::WaitReceiveEvent(Millis timeout) {
    const Millis deadline = Now() + std::max(timeout, Millis{0});
    for (;;) {
        Sync();
        // A wait of no time: whatever is due by now has happened; has a character come?
        const WaitOutcome outcome = unit_.WaitReceiveEvent(Millis{0});
        if (outcome != WaitOutcome::TimedOut) {
            return outcome;
        }
        const Millis now = Now();
        if (now >= deadline) {
            return WaitOutcome::TimedOut;
        }
        Millis nap = std::min(deadline - now, LongestNap);
        if (const auto due = clock_.NextDue()) {
            nap = std::clamp(*due - clock_.Now(), Millis{0}, nap);
        }
        std::this_thread::sleep_for(nap);
    }
}

int RealTimeUnit::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) {
    Sync();
    return unit_.Read(buffer, count, done);
}

int RealTimeUnit::Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) {
    Sync();
    return unit_.Write(data, count, done);
}

} // namespace vorn::sim
