#pragma once

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
std::string Frame(std::string_view payload);

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

    // What the unit has seen: every valid command payload in order, frames with a bad checksum, and
    // the modem-line changes with their times.
    const std::vector<std::string>& ReceivedPayloads() const { return received_; }
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
        std::string header; // characters 0-17 of the request
        std::uint8_t productType = 0;
        std::uint32_t serialNumber = 0;
        bool write = false;
        std::uint16_t address = 0;
        std::uint8_t length = 0;
        std::string data; // raw bytes of a write
        std::uint8_t band = 0;
        int polls = 0;
    };
    enum class RadioStatus { Running, Done, Failed, NoContact };
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

    std::string RadioStatusReply() const;
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
