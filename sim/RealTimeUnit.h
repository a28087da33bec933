#pragma once

#include "link/UnitDriver.h"
#include "sim/SimulatedUnit.h"

#include <chrono>

// The simulated unit in real time, in the program's own process: its firmware's clock follows the
// wall clock, so a device's answer, a presence unit's button press or a transmitter's code come as
// late as they would from real hardware. The window's demo unit (vorn-programmer --simulate).
namespace vorn::sim {

class RealTimeUnit final : public UnitDriver {
public:
    explicit RealTimeUnit(SimScenario scenario = {});

    SimulatedUnit& Unit() { return unit_; }
    SimScenario& Scenario() { return unit_.Scenario(); }
    // The firmware's time: the wall-clock time since the unit was made.
    Millis Now();

    int OpenByDescription(std::string_view description, std::uint32_t flags) override;
    int Close() override;
    int SetBaudRate(std::uint32_t baud) override;
    int SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) override;
    int SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) override;
    int SetModemLinePulse() override;
    int SetModemLineRest() override;
    int SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override;
    int GetQueueStatus(std::uint32_t& waiting) override;
    bool CreateReceiveEvent() override;
    void ReleaseReceiveEvent() override;
    int SetEventNotification(std::uint32_t mask) override;
    // Waits in real time until a character has arrived or the time is up.
    WaitOutcome WaitReceiveEvent(Millis timeout) override;
    int Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override;
    int Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) override;
    std::string LastOpenError() const override { return unit_.LastOpenError(); }
    int LastOpenStatus() const override { return unit_.LastOpenStatus(); }

private:
    // Brings the firmware's clock up to the wall clock, running whatever fell due meanwhile.
    void Sync();

    VirtualClock clock_;
    SimulatedUnit unit_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace vorn::sim
