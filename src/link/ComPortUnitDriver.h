#pragma once

#include "link/UnitDriver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Windows: the interface unit on a COM port (a unit installed as a virtual COM port, or any serial
// port named with --port COM5 or VORN_KDU_PORT). Opened exclusively, raw, without flow control; the
// receive event is a wait for a received character (WaitCommEvent), or, on a port that cannot report
// one, a look at the receive queue every few milliseconds. Modem-line calls that the port cannot do
// (a port without modem lines) count as done.
namespace vorn {

class ComPortUnitDriver final : public UnitDriver {
public:
    explicit ComPortUnitDriver(std::string port);
    ComPortUnitDriver(const ComPortUnitDriver&) = delete;
    ComPortUnitDriver& operator=(const ComPortUnitDriver&) = delete;
    ~ComPortUnitDriver() override;

    // The device path of a port name: "COM5" and "com12" give "\\.\COM5" and "\\.\COM12"; a path
    // that already starts with "\\" stays as it is.
    static std::string DevicePath(std::string_view port);

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

    // False once the port has shown that it cannot report a received character (Wine's COM port on a
    // pseudo-terminal): the receive queue is then looked at instead.
    bool ReportsReceivedCharacters() const { return commEvents_; }

private:
    bool IsOpen() const;
    int ApplyTimeouts();
    int ModemLine(bool pulse);
    int Transfer(bool reading, void* buffer, std::uint32_t count, std::uint32_t& done);
    // The wait for a received character; nullopt when the port cannot report one.
    std::optional<WaitOutcome> WaitForCharacter(Millis timeout);

    std::string port_;
    void* handle_;          // the port, or INVALID_HANDLE_VALUE
    void* event_ = nullptr; // the receive event: completes the wait for a character
    void* io_ = nullptr;    // the event of a read or write
    bool commEvents_ = true;
    std::uint32_t readTimeoutMs_ = 10;
    std::uint32_t writeTimeoutMs_ = 100;
    std::string lastOpenError_;
    int lastOpenStatus_ = DriverOk;
};

} // namespace vorn
