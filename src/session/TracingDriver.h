#pragma once

#include "files/SupportLog.h"
#include "link/UnitDriver.h"
#include "platform/TraceSink.h"

#include <string>

// The interface unit's driver with every frame written into the support log: it stands between the
// link and the real driver (or the demo unit) and passes every call on unchanged. Frames are logged as
// their payload text, with what they mean where that helps a supporter (the memory job's device and
// addresses, a radio code, a status); bare answer bytes by name. The program's own trace lines go into
// the log as they are written, so the log shows both in the order they happened. Nothing is logged
// while the log has no command open.
namespace vorn {

class TracingDriver : public UnitDriver {
public:
    TracingDriver(UnitDriver& inner, SupportLog& log, TraceSink& sessionTrace);
    ~TracingDriver() override;
    TracingDriver(const TracingDriver&) = delete;
    TracingDriver& operator=(const TracingDriver&) = delete;

    int OpenByDescription(std::string_view description, std::uint32_t flags) override;
    int Close() override;
    int SetBaudRate(std::uint32_t baud) override { return inner_.SetBaudRate(baud); }
    int SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits, std::uint8_t parity) override {
        return inner_.SetDataCharacteristics(wordLength, stopBits, parity);
    }
    int SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) override {
        return inner_.SetFlowControl(flowControl, xon, xoff);
    }
    int SetModemLinePulse() override;
    int SetModemLineRest() override { return inner_.SetModemLineRest(); }
    int SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) override {
        return inner_.SetTimeouts(readMs, writeMs);
    }
    int GetQueueStatus(std::uint32_t& waiting) override { return inner_.GetQueueStatus(waiting); }
    bool CreateReceiveEvent() override { return inner_.CreateReceiveEvent(); }
    void ReleaseReceiveEvent() override { inner_.ReleaseReceiveEvent(); }
    int SetEventNotification(std::uint32_t mask) override { return inner_.SetEventNotification(mask); }
    WaitOutcome WaitReceiveEvent(Millis timeout) override { return inner_.WaitReceiveEvent(timeout); }
    int Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override;
    int Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) override;
    std::string LastOpenError() const override { return inner_.LastOpenError(); }
    int LastOpenStatus() const override { return inner_.LastOpenStatus(); }

    // A line of the command itself (the device a batch turns to, say).
    void Note(const std::string& text);

    // What a payload means, for the log: empty when the text says it all.
    static std::string Meaning(std::string_view payload, char command, bool sent);

private:
    void LogReceived(bool flushPartial);

    UnitDriver& inner_;
    SupportLog& log_;
    TraceSink& sessionTrace_;
    std::string received_;
    char lastCommand_ = 0;
};

} // namespace vorn
