#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

// Status of a driver call; 0 is success, every other value a failure.
enum DriverStatus : int {
    DriverOk = 0,
    DriverInvalidHandle = 1, // the unit is not open
    DriverNotFound = 2,      // no unit with that description (or the explicit port does not exist)
    DriverAccessDenied = 3,  // the unit exists but may not be opened by this user
    DriverIoError = 4,       // the unit stopped answering the host (unplugged, hung up)
    DriverInvalidArgument = 5,
    DriverBusy = 6, // the unit is held open by another program
    DriverOtherError = 7,
};

// How a wait for the receive event ended.
enum class WaitOutcome {
    Signalled, // a character arrived
    TimedOut,  // nothing arrived within the time; also a unit that has gone away
    Failed,    // the wait itself could not be done
};

// The driver of the interface unit: one operation per role the link uses. The link talks to the
// unit only through this contract, so the simulated unit, the serial port and any other backend can
// stand in for one another.
class UnitDriver {
public:
    // Flag of OpenByDescription: open the unit named by its USB description.
    static constexpr std::uint32_t OpenByDescriptionFlag = 2;
    // Event mask of SetEventNotification: a character was received.
    static constexpr std::uint32_t EventReceiveCharacter = 1;

    virtual ~UnitDriver() = default;

    virtual int OpenByDescription(std::string_view description, std::uint32_t flags) = 0;
    virtual int Close() = 0;
    virtual int SetBaudRate(std::uint32_t baud) = 0;
    // Word length in bits, stop bits (1 or 2), parity (0 = none).
    virtual int SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                       std::uint8_t parity) = 0;
    // Flow control 0 = none; the XON and XOFF characters only matter for software flow control.
    virtual int SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) = 0;
    // The modem-control line the unit watches: its pulse state and its resting state.
    virtual int SetModemLinePulse() = 0;
    virtual int SetModemLineRest() = 0;
    virtual int SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) = 0;
    virtual int GetQueueStatus(std::uint32_t& waiting) = 0;

    // The receive event: auto-reset, created non-signalled, signalled by the driver when a character
    // arrives once it has been registered with SetEventNotification.
    virtual bool CreateReceiveEvent() = 0;
    virtual void ReleaseReceiveEvent() = 0;
    virtual int SetEventNotification(std::uint32_t mask) = 0;
    virtual WaitOutcome WaitReceiveEvent(Millis timeout) = 0;

    // Reads at most count bytes (never blocking longer than the read time-out) and writes; the count
    // actually moved is stored in done.
    virtual int Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) = 0;
    virtual int Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) = 0;

    // Why the last open failed, in words for the operator (empty when there is nothing to add to
    // "the unit was not found").
    virtual std::string LastOpenError() const { return {}; }
    // The status of the last failed open (DriverOk after a successful one): DriverAccessDenied tells
    // the operator to join the group that may use the port.
    virtual int LastOpenStatus() const { return DriverOk; }
};

} // namespace vorn
