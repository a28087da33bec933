#pragma once

#include "link/UnitDriver.h"
#include "platform/Clock.h"
#include "sim/KduFirmware.h"

#include <cstdint>
#include <deque>
#include <string>

namespace vorn::sim {

// The simulated interface unit behind the driver contract, in the same process and on the virtual
// clock: a wait moves virtual time on to the unit's next answer (or to the time-out), so protocol
// minutes pass in milliseconds. Behaves like the USB driver: it opens only by the unit's
// description, and once unplugged every call fails and the receive event never fires again.
class SimulatedUnit final : public UnitDriver {
public:
    explicit SimulatedUnit(VirtualClock& clock, SimScenario scenario = {});

    KduFirmware& Firmware() { return firmware_; }
    SimScenario& Scenario() { return firmware_.Scenario(); }
    VirtualClock& SimClock() { return clock_; }

    bool IsOpen() const { return open_; }
    int OpenCount() const { return openCount_; }
    std::uint32_t Baud() const { return baud_; }
    std::uint8_t StopBits() const { return stopBits_; }
    // Every byte the host has written, frames and all.
    const std::string& Written() const { return written_; }
    void ClearWritten() { written_.clear(); }
    // Bytes that sit in the receive queue now.
    std::size_t Queued() const { return queue_.size(); }
    // The driver time-outs last set, and how often they were set.
    std::uint32_t ReadTimeoutMs() const { return readTimeoutMs_; }
    std::uint32_t WriteTimeoutMs() const { return writeTimeoutMs_; }
    int TimeoutCalls() const { return timeoutCalls_; }

    void Unplug() { firmware_.Unplug(); }
    void Replug() { firmware_.Replug(); }

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
    WaitOutcome WaitReceiveEvent(Millis timeout) override;
    int Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override;
    int Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) override;
    std::string LastOpenError() const override { return lastOpenError_; }
    int LastOpenStatus() const override { return lastOpenStatus_; }

private:
    void Arrive(std::string_view bytes);
    int Usable() const;

    VirtualClock& clock_;
    KduFirmware firmware_;
    std::deque<std::uint8_t> queue_;
    std::string written_;
    bool open_ = false;
    bool eventExists_ = false;
    bool notifying_ = false;
    bool signalled_ = false;
    int openCount_ = 0;
    std::uint32_t baud_ = 0;
    std::uint8_t stopBits_ = 0;
    std::uint32_t readTimeoutMs_ = 0;
    std::uint32_t writeTimeoutMs_ = 0;
    int timeoutCalls_ = 0;
    std::string lastOpenError_;
    int lastOpenStatus_ = DriverOk;
};

} // namespace vorn::sim
