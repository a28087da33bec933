#pragma once

#include "base/BusyScope.h"
#include "base/NumberText.h"
#include "link/KduProtocol.h"
#include "link/UnitDriver.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "view/EventPump.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vorn {

// Result codes of the command operations (the numbers are those the support trace shows).
enum CommandResult : int {
    CommandOk = 0,
    CommandFailed = 2,         // no reply, a reply of the wrong form, no acknowledge
    CommandVersionRefused = 7, // unit firmware below the minimum or of another type
    CommandNoData = 8,         // nothing to report yet (status polls, read records)
    CommandJobRefused = 9,     // StartRadioJob refused with 0x04
    CommandEntryRefused = 10,  // AddWriteEntry refused with 0x1B
};

// The link to the interface unit: opens and sets up the unit through its driver, frames every command,
// collects and checks every reply, and offers the unit's command set. Opened and closed around every
// operation by its users; used from one thread.
//
// While it waits, the link lets the view process its events (at least every PumpInterval) so the
// window stays responsive. No link operation may start while another one runs: a call made from inside the
// pump does nothing and reports failure.
class KduLink {
public:
    static constexpr std::string_view UnitDescription = "Orsk KDU - Active USB Interface";
    static constexpr std::size_t TransmitBufferSize = 200;
    // The frame around the payload, plus the terminating zero, fits the transmit buffer.
    static constexpr std::size_t MaxPayloadLength = TransmitBufferSize - kdu::FrameOverhead - 1;
    static constexpr std::size_t ReceiveAreaSize = 250;
    static constexpr std::size_t PurgeChunk = 256;
    // A unit that keeps sending is not purged for ever: this many reads at most per purge.
    static constexpr int MaxPurgeReads = 64;
    // Wake-ups without a new byte that a reply collection tolerates before it ends.
    static constexpr int MaxIdleWakeups = 20;
    static constexpr Millis FirstWait{250};
    static constexpr Millis FollowingWait{200};
    // A reply is collected for at most this long after its first wait, however the unit sends it: a
    // unit that drips its bytes cannot keep a reply open. A whole receive area takes 48 ms on the line;
    // a unit slow enough to need more is broken, yet its short answers still come through.
    static constexpr Millis MaxCollectTime{3000};
    static constexpr Millis PumpInterval{50};
    // Each wait between two pumps is well under PumpInterval, so that the work around it (reading a
    // frame, the window's own painting) still fits in the promise on a busy machine.
    static constexpr Millis PumpSlice{20};
    static constexpr Millis PulseTime{100};
    static constexpr Millis SettleTime{300};
    static constexpr std::uint32_t BaudRate = 57600;
    static constexpr std::uint32_t ReadTimeoutMs = 10;
    static constexpr std::uint32_t WriteTimeoutMs = 100;

    KduLink(UnitDriver& driver, Clock& clock, TraceSink& trace);
    KduLink(const KduLink&) = delete;
    KduLink& operator=(const KduLink&) = delete;
    ~KduLink();

    // The view's event loop, served while the link waits; set by whoever owns the link (none: the link
    // only waits).
    void SetEventPump(EventPump* pump) { pump_ = pump; }

    bool IsOpen() const { return open_; }
    bool IsBusy() const { return busy_; }
    TraceSink& Trace() { return trace_; }
    Clock& LinkClock() { return clock_; }
    UnitDriver& Driver() { return driver_; }

    // 0 when the unit was opened and fully set up, 1 otherwise. Every set-up step is tried; the caller
    // always calls Close afterwards.
    int Open();
    void Close();
    // Pulse of the modem-control line (100 ms) followed by 300 ms for the unit to settle; a stop
    // request cuts the waits short (the line is put back to rest all the same).
    void PulseLine();
    // Bytes written; 0 when nothing was sent (closed link, empty payload, a payload too long for the
    // transmit buffer or holding a zero byte).
    int SendFrame(std::string_view payload);
    // 0: no valid reply; 1: one bare byte (output holds it); n >= 2: a valid frame whose n payload
    // bytes are in output. Expected length above 1 waits for a frame, else for bare bytes.
    int ReceiveReply(std::string& output, Millis firstWait, int expectedLength);
    int Transact(std::string_view payload, std::string& output, Millis firstWait, int expectedLength);
    // True when a character arrived (or the wait ended for any reason but the time-out).
    bool WaitForData(Millis timeout);
    std::uint32_t QueuedCount();

    static int HexDigitValue(char ch) { return kdu::ChecksumDigitValue(ch); }
    static std::string ByteToHex(std::uint8_t b) { return HexByte(b); }

    // The command set. Results are the Command* codes above.
    CommandResult ListenOff();
    CommandResult ListenOn();
    CommandResult SetH(std::uint8_t value);
    // On success code holds the captured radio code (4 characters).
    CommandResult GetCapturedCode(std::string& code);
    CommandResult RequestDeviceCode(std::string_view first, std::string_view second);
    // Always 0 unless re-entered: reply holds whatever came (a 2-character status, a device answer,
    // one bare byte or nothing).
    CommandResult PollDeviceCode(std::string& reply);
    CommandResult GetVersion(std::string& version);
    CommandResult CheckVersion(std::string_view minimum);
    CommandResult AddWriteEntry(std::string_view entry);
    CommandResult AddReadEntry(std::string_view entry);
    CommandResult PollWriteStatus(std::string& status);
    CommandResult PollReadStatus(std::string& status);
    CommandResult GetReadRecord(std::string& record);
    CommandResult StartRadioJob(std::string_view radioCode);
    CommandResult SetRadioParameters(std::uint8_t band, std::uint8_t second, std::uint8_t third,
                                     std::uint8_t fourth);
    CommandResult SendJobRequest(std::string_view request);
    CommandResult PollJobReply(std::string& reply, Millis firstWait);

    // The commands, in the order of the command table.
    enum class Command {
        ListenOff,
        ListenOn,
        SetH,
        GetCapturedCode,
        RequestDeviceCode,
        PollDeviceCode,
        GetVersion,
        CheckVersion,
        AddWriteEntry,
        AddReadEntry,
        PollWriteStatus,
        PollReadStatus,
        GetReadRecord,
        StartRadioJob,
        SetRadioParameters,
        SendJobRequest,
        PollJobReply,
    };

private:
    // Runs a link operation unless one runs already, in which case nothing happens and whenBusy is
    // the result.
    template <class Result, class Operation>
    Result Guarded(Result whenBusy, Operation operation) {
        if (busy_) {
            return whenBusy;
        }
        BusyScope scope(busy_);
        return operation();
    }
    template <class Operation>
    void Guarded(Operation operation) {
        if (!busy_) {
            BusyScope scope(busy_);
            operation();
        }
    }
    int OpenUnguarded();
    void CloseUnguarded();
    void PurgeUnguarded();
    int SendFrameUnguarded(std::string_view payload);
    int ReceiveReplyUnguarded(std::string& output, Millis firstWait, int expectedLength);
    bool WaitForDataUnguarded(Millis timeout);
    std::size_t ReadAvailableUnguarded(std::span<std::uint8_t> buffer);
    std::uint32_t QueuedCountUnguarded();
    void SleepPumping(Millis duration);
    void Pump();
    void Append(std::uint8_t b);

    // Sends the payload and classifies the reply by the command's row of the command table; the
    // framed payload (or the bare byte) goes to output when the row accepts it.
    CommandResult RunCommand(Command command, std::string_view payload, std::string& output,
                             Millis firstWait = FirstWait);
    // A command whose reply carries nothing but its verdict.
    CommandResult RunCommand(Command command, std::string_view payload);

    UnitDriver& driver_;
    Clock& clock_;
    TraceSink& trace_;
    EventPump* pump_ = nullptr;
    bool open_ = false;         // a driver handle is held
    bool eventCreated_ = false; // the receive event exists
    bool busy_ = false;         // a link operation runs
    std::array<std::uint8_t, TransmitBufferSize> transmit_{};
    std::uint8_t transmitLength_ = 0;
    std::uint8_t checksum_ = 0;
};

} // namespace vorn
