#pragma once

#include "link/UnitBackend.h"
#include "link/UnitDriver.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Where the serial backend looks for the unit.
struct SerialPortOptions {
    // A fixed device to open instead of searching (a pseudo-terminal, say); empty: search.
    std::string Port;
    // Roots of the search, moved in tests.
    std::string SysRoot = "/sys";
    std::string DevRoot = "/dev";
};

// The interface unit on a POSIX serial port. Finds the unit as the tty whose USB device carries the
// unit's description as its product string (or opens the explicit port), opens it exclusively, raw,
// without flow control and without hang-up on close, and stands in for the USB driver's calls: waits
// with poll, counts with FIONREAD, and takes modem-line calls that the port cannot do as done.
class SerialUnitDriver final : public UnitDriver {
public:
    explicit SerialUnitDriver(SerialPortOptions options = {});
    SerialUnitDriver(const SerialUnitDriver&) = delete;
    SerialUnitDriver& operator=(const SerialUnitDriver&) = delete;
    ~SerialUnitDriver() override;

    // The tty devices (below DevRoot) whose USB device has this product string, in name order.
    static std::vector<std::string> FindPortsByProduct(const std::string& sysRoot, const std::string& devRoot,
                                                       std::string_view product);
    // The operator's words for a failed open of path with errno value error.
    static std::string DescribeOpenError(const std::string& path, int error);

    const std::string& OpenPath() const { return openPath_; }

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
    int Search(std::string_view description, std::uint32_t flags);
    int OpenPort(const std::string& path);
    int ModemLine(bool set);
    enum class Direction { Read, Write };
    // The loop of Read and Write: step moves what is left from offset done on, and the port is waited
    // for while it is not ready, until the direction's time-out.
    int Transfer(Direction direction, std::uint32_t count, std::uint32_t& done,
                 const std::function<long(std::uint32_t)>& step);
    int StatusOfErrno(int error) const;

    SerialPortOptions options_;
    int fd_ = -1;
    bool hungUp_ = false;
    bool eventExists_ = false;
    std::uint32_t readTimeoutMs_ = 10;
    std::uint32_t writeTimeoutMs_ = 100;
    std::string openPath_;
    std::string lastOpenError_;
    int lastOpenStatus_ = DriverOk;
};

} // namespace vorn
