#pragma once

#include "link/KduProtocol.h"
#include "platform/Clock.h"
#include "sim/SimScenario.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::sim {

// A valid frame of the payload: STX, payload, checksum digits, ETX.
inline std::string Frame(std::string_view payload) {
    return kdu::FrameOf(payload);
}

// The interface unit's firmware and the air around it. Takes the host's bytes, answers each command
// frame after the scenario's reply delay (through the output callback, scheduled on the clock),
// relays memory jobs to the devices of the scenario, runs family B radio jobs and device-code
// requests when a unit's button is pressed, captures transmitter codes while listening, and applies
// the scenario's faults to its answers.
class KduFirmware {
public:
    using Output = std::function<void(std::string_view bytes)>;

    KduFirmware(VirtualClock& clock, SimScenario scenario, Output output);
    KduFirmware(const KduFirmware&) = delete;
    KduFirmware& operator=(const KduFirmware&) = delete;
    ~KduFirmware();

    SimScenario& Scenario() { return scenario_; }
    const SimScenario& Scenario() const { return scenario_; }

    // Bytes from the host; every complete frame is answered.
    void Receive(std::string_view bytes);
    // The host drives the modem-control line (true: pulse state).
    void ModemLine(bool pulse);

    // The world around the unit.
    void ActivateTransmitter(const std::string& code);
    void PressButton(const std::string& radioCode);
    // Bytes that the unit sends unasked, now.
    void SendUnasked(std::string_view bytes);
    void Unplug();
    void Replug() { unplugged_ = false; }
    bool Unplugged() const { return unplugged_; }
    // Called once when the unit is unplugged (by Unplug or by a fault).
    void SetUnplugHandler(std::function<void()> handler) { onUnplug_ = std::move(handler); }

    // The host opened or closed the port (the in-process unit tells; over a pseudo-terminal the unit
    // cannot see it).
    void HostOpened();
    void HostClosed() { hostOpen_ = false; }

    // What the unit has seen: every valid command payload in order, frames with a bad checksum, and
    // the modem-line changes with their times.
    const std::vector<std::string>& ReceivedPayloads() const { return received_; }
    // One entry per open of the port: whether the line was pulsed, and the commands in order (a pulse
    // shows as the entry "<pulse>" among them).
    struct OpenRecord {
        bool pulsed = false;
        std::vector<std::string> commands;
    };
    static constexpr std::string_view PulseMark = "<pulse>";
    const std::vector<OpenRecord>& Opens() const { return opens_; }
    // The sequence counter of every job request, in order, and how many repeated the previous one
    // (a repeated counter is taken as a retransmission: the device does not act on it again).
    const std::vector<std::uint8_t>& SequenceCounters() const { return sequenceCounters_; }
    int RepeatedCounters() const { return repeatedCounters_; }
    // Job requests refused because the unit had not been given SetH and the radio parameters since
    // its last reset (the modem-line pulse).
    int UnpreparedRequests() const { return unpreparedRequests_; }
    int BadFrames() const { return badFrames_; }
    struct LineChange {
        Millis at;
        bool pulse;
    };
    const std::vector<LineChange>& LineChanges() const { return lineChanges_; }
    bool Listening() const { return listening_; }
    std::uint8_t Band() const { return band_; }
    std::uint8_t HByte() const { return hByte_; }

    MemoryDevice* FindDevice(std::uint32_t serialNumber);
    PresenceUnit* FindPresenceUnit(std::string_view radioCode);

private:
    struct MemoryJobState {
        std::string request; // the whole payload, for the faults that match it
        std::string header;  // characters 0-17 of the request
        std::uint8_t productType = 0;
        std::uint32_t serialNumber = 0;
        bool write = false;
        std::uint16_t address = 0;
        std::uint8_t length = 0;
        std::string data; // raw bytes of a write
        std::uint8_t band = 0;
        int polls = 0;
        bool repeated = false; // a retransmission: no device acts on it
    };
    enum class RadioStatus { Running, Done, Failed, NoContact };
    // A family B radio job: the write entries and the read entries it carries, each part reported
    // by its own status command ("N" writes, "M" reads).
    struct RadioJob {
        std::string radioCode;
        std::vector<std::string> writes;
        std::vector<std::string> reads;
        RadioStatus status = RadioStatus::Running;
        std::uint64_t generation = 0;
    };
    struct CodeRequest {
        bool failed = false;
        std::string answer;
        std::uint64_t generation = 0;
    };
    struct CommandRow {
        char letter;
        std::string (KduFirmware::*handle)(std::string_view arguments);
    };

    // Runs the action after the delay, unless the firmware is gone by then.
    void Later(Millis delay, std::function<void()> action);
    // Schedules the button presses of the presence units that press on their own (all of them, or
    // only the one with that code).
    void SchedulePresses(const std::string& onlyCode);
    void Answer(const std::string& payload);
    void Deliver(std::string bytes, Millis delay);
    const FaultRule* TakeFault(std::string_view payload);
    // A device fault that loses the written byte at the address (a DropByte rule in its turn).
    bool DropsByte(const std::string& request, std::uint32_t address);

    std::string Listen(std::string_view arguments);
    std::string SetH(std::string_view arguments);
    std::string Captured(std::string_view arguments);
    std::string RequestCode(std::string_view arguments);
    std::string PollCode(std::string_view arguments);
    std::string Version(std::string_view arguments);
    std::string WriteEntry(std::string_view arguments);
    std::string ReadEntry(std::string_view arguments);
    std::string WriteStatus(std::string_view arguments);
    std::string ReadStatus(std::string_view arguments);
    std::string ReadRecord(std::string_view arguments);
    std::string StartRadio(std::string_view arguments);
    std::string RadioParameters(std::string_view arguments);
    std::string MemoryJobCommand(std::string_view arguments);

    std::string RadioStatusReply(bool writes) const;
    void Record(const std::string& payload);
    std::string PollMemoryJob();
    MemoryDevice* AddressedDevice(const MemoryJobState& job);
    void CompleteRadioJob(std::uint64_t generation, const std::string& radioCode);

    static const std::vector<CommandRow>& Commands();

    VirtualClock& clock_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    SimScenario scenario_;
    Output output_;
    std::function<void()> onUnplug_;
    std::vector<int> faultSeen_;
    std::string input_;
    std::vector<std::string> received_;
    int badFrames_ = 0;
    std::vector<LineChange> lineChanges_;
    bool unplugged_ = false;

    std::vector<OpenRecord> opens_;
    bool hostOpen_ = false;
    std::vector<std::uint8_t> sequenceCounters_;
    int repeatedCounters_ = 0;
    int unpreparedRequests_ = 0;
    // Set up since the last reset: SetH and the radio parameters.
    bool hReceived_ = false;
    bool parametersReceived_ = false;

    std::uint8_t hByte_ = 0;
    std::uint8_t band_ = 0;
    std::array<std::uint8_t, 3> radioParameters_{};
    bool listening_ = false;
    std::optional<std::string> captured_;
    std::vector<std::string> writeEntries_;
    std::vector<std::string> readEntries_;
    std::deque<std::string> records_;
    std::optional<MemoryJobState> memoryJob_;
    std::optional<RadioJob> radioJob_;
    std::optional<CodeRequest> codeRequest_;
    std::uint64_t generation_ = 0;
};

} // namespace vorn::sim
