#include "sim/SimulatedUnit.h"

#include "link/KduLink.h"

namespace vorn::sim {

SimulatedUnit::SimulatedUnit(VirtualClock& clock, SimScenario scenario)
    : clock_(clock),
      firmware_(clock, std::move(scenario), [this](std::string_view bytes) { Arrive(bytes); }) {
    // Unplugged: what the unit had sent is lost with it.
    firmware_.SetUnplugHandler([this] { queue_.clear(); });
}

void SimulatedUnit::Arrive(std::string_view bytes) {
    queue_.insert(queue_.end(), bytes.begin(), bytes.end());
    if (open_ && eventExists_ && notifying_) {
        signalled_ = true;
    }
}

int SimulatedUnit::Usable() const {
    if (!open_) {
        return DriverInvalidHandle;
    }
    return firmware_.Unplugged() ? DriverIoError : DriverOk;
}

int SimulatedUnit::OpenByDescription(std::string_view description, std::uint32_t flags) {
    lastOpenError_.clear();
    lastOpenStatus_ = DriverOk;
    if (open_) {
        return DriverBusy;
    }
    if (flags != OpenByDescriptionFlag || description != KduLink::UnitDescription || firmware_.Unplugged()) {
        lastOpenError_ = "The simulated unit is not plugged in.";
        lastOpenStatus_ = DriverNotFound;
        return lastOpenStatus_;
    }
    if (Scenario().OpenDenied) {
        lastOpenError_ = "Permission denied on the simulated unit's port.";
        lastOpenStatus_ = DriverAccessDenied;
        return lastOpenStatus_;
    }
    open_ = true;
    ++openCount_;
    firmware_.HostOpened();
    return DriverOk;
}

int SimulatedUnit::Close() {
    if (!open_) {
        return DriverInvalidHandle;
    }
    open_ = false;
    notifying_ = false;
    firmware_.HostClosed();
    return DriverOk;
}

int SimulatedUnit::SetBaudRate(std::uint32_t baud) {
    const int status = Usable();
    if (status == DriverOk) {
        baud_ = baud;
    }
    return status;
}

int SimulatedUnit::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                          std::uint8_t parity) {
    const int status = Usable();
    if (status != DriverOk) {
        return status;
    }
    if (wordLength != 8 || parity != 0 || (stopBits != 1 && stopBits != 2)) {
        return DriverInvalidArgument;
    }
    stopBits_ = stopBits;
    return DriverOk;
}

int SimulatedUnit::SetFlowControl(std::uint16_t, std::uint8_t, std::uint8_t) {
    return Usable();
}

int SimulatedUnit::SetModemLinePulse() {
    const int status = Usable();
    if (status == DriverOk) {
        firmware_.ModemLine(true);
    }
    return status;
}

int SimulatedUnit::SetModemLineRest() {
    const int status = Usable();
    if (status == DriverOk) {
        firmware_.ModemLine(false);
    }
    return status;
}

int SimulatedUnit::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    const int status = Usable();
    if (status == DriverOk) {
        readTimeoutMs_ = readMs;
        writeTimeoutMs_ = writeMs;
        ++timeoutCalls_;
    }
    return status;
}

int SimulatedUnit::GetQueueStatus(std::uint32_t& waiting) {
    waiting = 0;
    const int status = Usable();
    if (status == DriverOk) {
        waiting = static_cast<std::uint32_t>(queue_.size());
    }
    return status;
}

bool SimulatedUnit::CreateReceiveEvent() {
    eventExists_ = true;
    signalled_ = false;
    return true;
}

void SimulatedUnit::ReleaseReceiveEvent() {
    eventExists_ = false;
    notifying_ = false;
    signalled_ = false;
}

int SimulatedUnit::SetEventNotification(std::uint32_t mask) {
    const int status = Usable();
    if (status != DriverOk) {
        return status;
    }
    if (!eventExists_) {
        return DriverInvalidArgument;
    }
    notifying_ = (mask & EventReceiveCharacter) != 0;
    return DriverOk;
}

WaitOutcome SimulatedUnit::WaitReceiveEvent(Millis timeout) {
    if (!eventExists_) {
        return WaitOutcome::Failed;
    }
    const Millis deadline = clock_.Now() + std::max(timeout, Millis{0});
    // Move virtual time from one scheduled happening to the next until a character has arrived.
    clock_.AdvanceUntil(deadline, [this] { return signalled_; });
    if (signalled_) {
        signalled_ = false;
        return WaitOutcome::Signalled;
    }
    return WaitOutcome::TimedOut;
}

int SimulatedUnit::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) {
    done = 0;
    const int status = Usable();
    if (status != DriverOk) {
        return status;
    }
    while (done < count && !queue_.empty()) {
        buffer[done++] = queue_.front();
        queue_.pop_front();
    }
    return DriverOk;
}

int SimulatedUnit::Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) {
    done = 0;
    const int status = Usable();
    if (status != DriverOk) {
        return status;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data), count);
    written_.append(bytes);
    done = count;
    firmware_.Receive(bytes);
    return DriverOk;
}

} // namespace vorn::sim
