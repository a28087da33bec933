#pragma once

#include "link/UnitDriver.h"
#include "platform/Clock.h"

#include <deque>
#include <string>

namespace vorn::fuzz {

// A unit that sends given bytes at given virtual times and nothing else.
class ScriptedUnit final : public UnitDriver {
public:
    explicit ScriptedUnit(VirtualClock& clock) : clock_(clock) {}

    void SendAt(Millis at, std::string bytes) {
        clock_.Schedule(at, [this, bytes = std::move(bytes)] {
            queue_.insert(queue_.end(), bytes.begin(), bytes.end());
            signalled_ = true;
        });
    }

    int OpenByDescription(std::string_view, std::uint32_t) override { return DriverOk; }
    int Close() override { return DriverOk; }
    int SetBaudRate(std::uint32_t) override { return DriverOk; }
    int SetDataCharacteristics(std::uint8_t, std::uint8_t, std::uint8_t) override { return DriverOk; }
    int SetFlowControl(std::uint16_t, std::uint8_t, std::uint8_t) override { return DriverOk; }
    int SetModemLinePulse() override { return DriverOk; }
    int SetModemLineRest() override { return DriverOk; }
    int SetTimeouts(std::uint32_t, std::uint32_t) override { return DriverOk; }
    int GetQueueStatus(std::uint32_t& waiting) override {
        waiting = static_cast<std::uint32_t>(queue_.size());
        return DriverOk;
    }
    bool CreateReceiveEvent() override { return true; }
    void ReleaseReceiveEvent() override {}
    int SetEventNotification(std::uint32_t) override { return DriverOk; }
    WaitOutcome WaitReceiveEvent(Millis timeout) override {
        const Millis deadline = clock_.Now() + timeout;
        clock_.AdvanceUntil(deadline, [this] { return signalled_; });
        const bool arrived = signalled_;
        signalled_ = false;
        return arrived ? WaitOutcome::Signalled : WaitOutcome::TimedOut;
    }
    int Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override {
        for (done = 0; done < count && !queue_.empty(); ++done) {
            buffer[done] = queue_.front();
            queue_.pop_front();
        }
        return DriverOk;
    }
    int Write(const std::uint8_t*, std::uint32_t count, std::uint32_t& done) override {
        done = count;
        return DriverOk;
    }

private:
    VirtualClock& clock_;
    std::deque<std::uint8_t> queue_;
    bool signalled_ = false;
};

} // namespace vorn::fuzz
