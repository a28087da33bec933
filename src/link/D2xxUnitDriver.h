#pragma once

#include "link/UnitDriver.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Windows: the interface unit through its USB driver library FTD2XX.DLL, loaded when the unit is
// first opened and called by the ordinal numbers under which the library exports its functions (never
// by name). The library finds the unit by its USB description; the receive event is a Win32
// auto-reset event that the library signals when a character arrives.
namespace vorn {

class D2xxUnitDriver final : public UnitDriver {
public:
    // The driver's library as Windows installs it. Loaded from the program's folder or the system
    // folder only, never from the current folder.
    static constexpr std::string_view LibraryName = "FTD2XX.DLL";

    // Another library in its place (a full path: the tests' stand-in).
    explicit D2xxUnitDriver(std::string library = std::string(LibraryName));
    D2xxUnitDriver(const D2xxUnitDriver&) = delete;
    D2xxUnitDriver& operator=(const D2xxUnitDriver&) = delete;
    ~D2xxUnitDriver() override;

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

    // The library's functions, one per role, and the ordinal each is exported under.
    enum Function : std::size_t {
        OpenEx,
        CloseUnit,
        ReadBytes,
        WriteBytes,
        BaudRate,
        DataCharacteristics,
        FlowControl,
        ModemLinePulse,
        ModemLineRest,
        Timeouts,
        QueueStatus,
        EventNotification,
        FunctionCount,
    };
    struct Ordinal {
        Function function;
        std::uint16_t number;
        std::string_view role;
    };
    static const std::array<Ordinal, FunctionCount> Ordinals;

private:
    // Loads the library and takes every function by its ordinal; false with the reason in
    // lastOpenError_ when that is not possible.
    bool Load();
    void* Entry(Function function) const { return entries_[function]; }
    int Status(unsigned long status) const;

    std::string library_;
    void* module_ = nullptr;
    std::array<void*, FunctionCount> entries_{};
    void* handle_ = nullptr; // the library's handle of the open unit
    void* event_ = nullptr;  // the receive event
    std::string lastOpenError_;
    int lastOpenStatus_ = DriverOk;
};

} // namespace vorn
