#include "sim/KduFirmware.h"

#include "base/AsciiText.h"
#include "base/NumberText.h"
#include "link/KduLink.h"
#include "model/BandSetting.h"
#include "sim/DemoUnit.h"

#include <algorithm>
#include <memory>

namespace vorn::sim {

namespace {

// Upper bound of buffered input without a frame end: a host that sends rubbish does not grow it.
constexpr std::size_t MaxPendingInput = 1024;
// The data bytes that fit one read record.
constexpr std::size_t MaxRecordBytes =
    (kdu::RecordMaxLength - kdu::RecordEntryOffset - kdu::EntryDataOffset) / 2;

std::string Bare(std::uint8_t b) {
    return std::string(1, static_cast<char>(b));
}

// The unit reads numbers only as upper-case hexadecimal, as it writes them.
bool IsUpperHex(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char ch) { return HexDigitValue(ch, HexLetters::UpperCase).has_value(); });
}

constexpr std::uint32_t MemorySize = std::tuple_size_v<Memory>;

// Value of a run of hexadecimal digits (the caller has checked them).
std::uint32_t HexNumber(std::string_view text) {
    return HexValue(text).value_or(0);
}

std::uint32_t NumberIn(std::string_view text, kdu::TextField field) {
    return HexNumber(kdu::Cut(text, field));
}

// The radio set-up the unit expects after the band.
std::string RadioSetup() {
    return HexByte(kdu::JobRadioSetup.second) + HexByte(kdu::JobRadioSetup.third) +
           HexByte(kdu::JobRadioSetup.fourth);
}

} // namespace

KduFirmware::KduFirmware(VirtualClock& clock, SimScenario scenario, Output output)
    : clock_(clock), scenario_(std::move(scenario)), output_(std::move(output)) {}

KduFirmware::~KduFirmware() {
    *alive_ = false;
}

const std::vector<KduFirmware::CommandRow>& KduFirmware::Commands() {
    static const std::vector<CommandRow> rows{
        {kdu::command::Listen, &KduFirmware::Listen},
        {kdu::command::SetH, &KduFirmware::SetH},
        {kdu::command::CapturedCode, &KduFirmware::Captured},
        {kdu::command::RequestDeviceCode, &KduFirmware::RequestCode},
        {kdu::command::PollDeviceCode, &KduFirmware::PollCode},
        {kdu::command::Version, &KduFirmware::Version},
        {kdu::command::WriteEntry, &KduFirmware::WriteEntry},
        {kdu::command::ReadEntry, &KduFirmware::ReadEntry},
        {kdu::command::WriteStatus, &KduFirmware::WriteStatus},
        {kdu::command::ReadStatus, &KduFirmware::ReadStatus},
        {kdu::command::ReadRecord, &KduFirmware::ReadRecord},
        {kdu::command::StartRadioJob, &KduFirmware::StartRadio},
        {kdu::command::RadioParameters, &KduFirmware::RadioParameters},
        {kdu::command::MemoryJob, &KduFirmware::MemoryJobCommand},
    };
    return rows;
}

void KduFirmware::Later(Millis delay, std::function<void()> action) {
    std::weak_ptr<bool> alive = alive_;
    clock_.Schedule(delay, [alive, action = std::move(action)] {
        if (const auto token = alive.lock(); token && *token) {
            action();
        }
    });
}

// --- From the host --------------------------------------------------------------------------------

void KduFirmware::Receive(std::string_view bytes) {
    if (unplugged_) {
        return;
    }
    input_.append(bytes);
    for (;;) {
        const auto stx = input_.find(static_cast<char>(Stx));
        if (stx == std::string::npos) {
            input_.clear();
            return;
        }
        input_.erase(0, stx);
        const auto etx = input_.find(static_cast<char>(Etx));
        if (etx == std::string::npos) {
            if (input_.size() > MaxPendingInput) {
                input_.clear();
            }
            return;
        }
        const std::string frame = input_.substr(0, etx + 1);
        input_.erase(0, etx + 1);
        if (!IsValidFrame(std::span(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size())) ||
            frame.size() <= kdu::FrameOverhead) {
            ++badFrames_;
            Deliver(Bare(Nak), scenario_.ReplyDelay);
            continue;
        }
        Answer(std::string(kdu::PayloadOf(frame)));
    }
}

void KduFirmware::ModemLine(bool pulse) {
    lineChanges_.push_back({clock_.Now(), pulse});
    if (pulse) {
        // The pulse restarts the unit: it must be set up again before it takes a job.
        hReceived_ = false;
        parametersReceived_ = false;
        if (hostOpen_ && !opens_.empty()) {
            opens_.back().pulsed = true;
            opens_.back().commands.emplace_back(PulseMark);
        }
    }
}

void KduFirmware::HostOpened() {
    hostOpen_ = true;
    opens_.emplace_back();
}

void KduFirmware::Record(const std::string& payload) {
    received_.push_back(payload);
    if (hostOpen_ && !opens_.empty()) {
        opens_.back().commands.push_back(payload);
    }
}

void KduFirmware::Answer(const std::string& payload) {
    Record(payload);
    const auto& rows = Commands();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const CommandRow& r) { return r.letter == payload[0]; });
    std::string reply =
        row == rows.end() ? Bare(Nak) : (this->*(row->handle))(std::string_view(payload).substr(1));

    const Millis delay = scenario_.ReplyDelay;
    const FaultRule* fault = TakeFault(payload);
    if (fault == nullptr) {
        Deliver(std::move(reply), delay);
        return;
    }
    const bool framed = reply.size() >= kdu::FrameOverhead && static_cast<std::uint8_t>(reply.front()) == Stx;
    const auto position = std::min<std::size_t>(static_cast<std::size_t>(fault->position), reply.size());
    switch (fault->kind) {
    case FaultKind::Silence: break;
    case FaultKind::Raw: Deliver(fault->bytes, delay); break;
    case FaultKind::Payload: Deliver(Frame(fault->bytes), delay); break;
    case FaultKind::WrongChecksum:
        if (framed) {
            char& digit = reply[reply.size() - 2];
            digit = digit == '0' ? '1' : '0';
        }
        Deliver(std::move(reply), delay);
        break;
    case FaultKind::LowerCaseChecksum:
        if (framed) {
            for (std::size_t i = reply.size() - 3; i < reply.size() - 1; ++i) {
                reply[i] = LowerAscii(reply[i]);
            }
        }
        Deliver(std::move(reply), delay);
        break;
    case FaultKind::Split:
        Deliver(reply.substr(0, position), delay);
        Deliver(reply.substr(position), delay + fault->gap);
        break;
    case FaultKind::StrayBefore: Deliver(fault->bytes + reply, delay); break;
    case FaultKind::StrayAfter:
        Deliver(std::move(reply), delay);
        Deliver(fault->bytes, delay + fault->gap);
        break;
    case FaultKind::Delay: Deliver(std::move(reply), delay + fault->gap); break;
    case FaultKind::Unplug:
        Deliver(reply.substr(0, position), delay);
        Later(delay + fault->gap, [this] { Unplug(); });
        break;
    case FaultKind::DropByte: Deliver(std::move(reply), delay); break;
    case FaultKind::Drip:
        for (std::size_t i = 0; i < reply.size(); ++i) {
            Deliver(reply.substr(i, 1), delay + fault->gap * static_cast<int>(i));
        }
        break;
    case FaultKind::LowerCaseData:
        Deliver(framed ? Frame(FoldCase(kdu::PayloadOf(reply))) : reply, delay);
        break;
    }
}

const FaultRule* KduFirmware::TakeFault(std::string_view payload) {
    faultSeen_.resize(scenario_.Faults.size(), 0);
    for (std::size_t i = 0; i < scenario_.Faults.size(); ++i) {
        const FaultRule& rule = scenario_.Faults[i];
        // A device's fault, taken when the device stores a write, not when the unit answers.
        if (rule.kind == FaultKind::DropByte || !rule.Matches(payload)) {
            continue;
        }
        const int seen = faultSeen_[i]++;
        if (seen < rule.skip || (rule.times >= 0 && seen - rule.skip >= rule.times)) {
            continue;
        }
        return &rule;
    }
    return nullptr;
}

bool KduFirmware::DropsByte(const std::string& request, std::uint32_t address) {
    faultSeen_.resize(scenario_.Faults.size(), 0);
    for (std::size_t i = 0; i < scenario_.Faults.size(); ++i) {
        const FaultRule& rule = scenario_.Faults[i];
        if (rule.kind != FaultKind::DropByte || static_cast<std::uint32_t>(rule.position) != address ||
            !rule.Matches(request)) {
            continue;
        }
        const int seen = faultSeen_[i]++;
        if (seen >= rule.skip && (rule.times < 0 || seen - rule.skip < rule.times)) {
            return true;
        }
    }
    return false;
}

void KduFirmware::Deliver(std::string bytes, Millis delay) {
    if (bytes.empty()) {
        return;
    }
    Later(delay, [this, bytes = std::move(bytes)] {
        if (!unplugged_) {
            output_(bytes);
        }
    });
}

// --- The world ------------------------------------------------------------------------------------

void KduFirmware::SendUnasked(std::string_view bytes) {
    Deliver(std::string(bytes), Millis{0});
}

void KduFirmware::Unplug() {
    if (unplugged_) {
        return;
    }
    unplugged_ = true;
    if (onUnplug_) {
        onUnplug_();
    }
}

void KduFirmware::ActivateTransmitter(const std::string& code) {
    if (listening_ && !unplugged_) {
        captured_ = UpperCase(code);
    }
}

MemoryDevice* KduFirmware::FindDevice(std::uint32_t serialNumber) {
    for (auto& device : scenario_.Devices) {
        if (device.SerialNumber == serialNumber) {
            return &device;
        }
    }
    return nullptr;
}

PresenceUnit* KduFirmware::FindPresenceUnit(std::string_view radioCode) {
    const std::string code = UpperCase(radioCode);
    for (auto& unit : scenario_.PresenceUnits) {
        if (UpperCase(unit.RadioCode) == code) {
            return &unit;
        }
    }
    return nullptr;
}

void KduFirmware::PressButton(const std::string& radioCode) {
    const PresenceUnit* unit = FindPresenceUnit(radioCode);
    if (unit == nullptr || !unit->Present || unplugged_) {
        return;
    }
    if (codeRequest_ && !codeRequest_->failed && codeRequest_->answer.empty()) {
        std::string answer(kdu::DeviceCodeAnswerLength, '0');
        answer.replace(kdu::AnswerRadioCode.offset, kdu::AnswerRadioCode.length, UpperCase(unit->RadioCode));
        answer.replace(kdu::AnswerType.offset, kdu::AnswerType.length, unit->TypeCode);
        codeRequest_->answer = answer;
    }
    if (radioJob_ && radioJob_->status == RadioStatus::Running &&
        radioJob_->radioCode == UpperCase(unit->RadioCode)) {
        Later(scenario_.AirTime, [this, generation = radioJob_->generation, code = unit->RadioCode] {
            CompleteRadioJob(generation, code);
        });
    }
}

void KduFirmware::SchedulePresses(const std::string& onlyCode) {
    for (const auto& unit : scenario_.PresenceUnits) {
        if (unit.Present && unit.PressAfter.count() >= 0 &&
            (onlyCode.empty() || UpperCase(unit.RadioCode) == onlyCode)) {
            Later(unit.PressAfter, [this, code = unit.RadioCode] { PressButton(code); });
        }
    }
}

void KduFirmware::CompleteRadioJob(std::uint64_t generation, const std::string& radioCode) {
    if (!radioJob_ || radioJob_->generation != generation || radioJob_->status != RadioStatus::Running) {
        return;
    }
    PresenceUnit* unit = FindPresenceUnit(radioCode);
    if (unit == nullptr || !unit->Present) {
        radioJob_->status = RadioStatus::NoContact;
        return;
    }
    if (unit->FailsJobs) {
        radioJob_->status = RadioStatus::Failed;
        return;
    }
    bool codeWritten = false;
    for (const auto& entry : radioJob_->writes) {
        const std::uint32_t count = NumberIn(entry, kdu::EntryCount);
        const std::uint32_t address = NumberIn(entry, kdu::EntryAddress);
        for (std::uint32_t i = 0; i < count && address + i < unit->Image.size(); ++i) {
            unit->Image[address + i] =
                static_cast<std::uint8_t>(HexNumber(entry.substr(kdu::EntryDataOffset + 2 * i, 2)));
            codeWritten |= IsRadioCodeAddress(address + i);
        }
    }
    for (const auto& entry : radioJob_->reads) {
        const std::uint32_t count = NumberIn(entry, kdu::EntryCount);
        const std::uint32_t address = NumberIn(entry, kdu::EntryAddress);
        for (std::uint32_t done = 0; done < count; done += MaxRecordBytes) {
            const std::uint32_t chunk = std::min<std::uint32_t>(MaxRecordBytes, count - done);
            const std::uint32_t start = address + done;
            std::string record =
                UpperCase(unit->RadioCode) +
                kdu::ReadEntryText(static_cast<std::uint8_t>(chunk), static_cast<std::uint8_t>(start));
            for (std::uint32_t i = 0; i < chunk; ++i) {
                record += HexByte(start + i < unit->Image.size() ? unit->Image[start + i] : 0);
            }
            records_.push_back(record);
        }
    }
    if (codeWritten) {
        unit->RadioCode = RadioCodeOf(unit->Image);
    }
    radioJob_->status = RadioStatus::Done;
}

// --- Commands -------------------------------------------------------------------------------------

std::string KduFirmware::Listen(std::string_view arguments) {
    if (arguments == std::string_view(&kdu::ListenOn, 1)) {
        listening_ = true;
        captured_.reset();
        for (const auto& transmitter : scenario_.Transmitters) {
            Later(transmitter.After, [this, code = transmitter.Code] { ActivateTransmitter(code); });
        }
        return Bare(Ack);
    }
    if (arguments == std::string_view(&kdu::ListenOff, 1)) {
        listening_ = false;
        return Bare(Ack);
    }
    return Bare(Nak);
}

std::string KduFirmware::SetH(std::string_view arguments) {
    if (arguments.size() != 1) {
        return Bare(Nak);
    }
    hByte_ = static_cast<std::uint8_t>(arguments[0]);
    hReceived_ = true;
    return Bare(Ack);
}

std::string KduFirmware::Captured(std::string_view arguments) {
    if (arguments != std::string_view(&kdu::CapturedCodeArgument, 1)) {
        return Bare(Nak);
    }
    if (!captured_) {
        return Frame(kdu::NothingCaptured);
    }
    const std::string code = *captured_;
    captured_.reset();
    return Frame(code + "0100");
}

std::string KduFirmware::RequestCode(std::string_view arguments) {
    if (arguments != std::string(kdu::DeviceCodeRequestFirst) + std::string(kdu::DeviceCodeRequestSecond)) {
        return Bare(Nak);
    }
    codeRequest_ = CodeRequest{false, {}, ++generation_};
    Later(scenario_.CodeRequestTimeout, [this, generation = generation_] {
        if (codeRequest_ && codeRequest_->generation == generation && codeRequest_->answer.empty()) {
            codeRequest_->failed = true;
        }
    });
    SchedulePresses({});
    return Bare(Ack);
}

std::string KduFirmware::PollCode(std::string_view arguments) {
    if (!arguments.empty()) {
        return Bare(Nak);
    }
    if (!codeRequest_ || codeRequest_->failed) {
        codeRequest_.reset();
        return Frame(kdu::DeviceCodeFailed);
    }
    if (codeRequest_->answer.empty()) {
        return Frame(kdu::DeviceCodeWaiting);
    }
    const std::string answer = codeRequest_->answer;
    codeRequest_.reset();
    return Frame(answer);
}

std::string KduFirmware::Version(std::string_view arguments) {
    return arguments.empty() ? Frame(scenario_.VersionText) : Bare(Nak);
}

std::string KduFirmware::WriteEntry(std::string_view arguments) {
    if (arguments.empty()) {
        writeEntries_.clear();
        return Bare(Ack);
    }
    if (arguments.size() < kdu::EntryDataOffset + 2 || arguments.size() % 2 != 0 || !IsUpperHex(arguments) ||
        arguments.size() != kdu::EntryDataOffset + 2 * NumberIn(arguments, kdu::EntryCount) ||
        NumberIn(arguments, kdu::EntryAddress) + NumberIn(arguments, kdu::EntryCount) > MemorySize ||
        writeEntries_.size() >= scenario_.MaxEntries) {
        return Bare(EntryRefusal);
    }
    writeEntries_.emplace_back(arguments);
    return Bare(Ack);
}

std::string KduFirmware::ReadEntry(std::string_view arguments) {
    if (arguments.empty()) {
        readEntries_.clear();
        return Bare(Ack);
    }
    if (arguments.size() != kdu::EntryDataOffset || !IsUpperHex(arguments) ||
        NumberIn(arguments, kdu::EntryCount) == 0 ||
        NumberIn(arguments, kdu::EntryCount) + NumberIn(arguments, kdu::EntryAddress) > MemorySize ||
        readEntries_.size() >= scenario_.MaxEntries) {
        return Bare(Nak);
    }
    readEntries_.emplace_back(arguments);
    return Bare(Ack);
}

std::string KduFirmware::RadioStatusReply(bool writes) const {
    if (!radioJob_) {
        return Bare(Nak);
    }
    // A job without a part of this kind has nothing to report for it: idle, never done.
    if ((writes ? radioJob_->writes : radioJob_->reads).empty()) {
        return Frame(kdu::StatusIdle);
    }
    switch (radioJob_->status) {
    case RadioStatus::Running: return Frame(kdu::StatusRunning);
    case RadioStatus::Done: return Frame(kdu::StatusDone);
    case RadioStatus::Failed: return Frame(kdu::StatusFailed);
    case RadioStatus::NoContact: return Frame(kdu::StatusNoContact);
    }
    return Bare(Nak);
}

std::string KduFirmware::WriteStatus(std::string_view arguments) {
    return arguments.empty() ? RadioStatusReply(true) : Bare(Nak);
}

std::string KduFirmware::ReadStatus(std::string_view arguments) {
    return arguments.empty() ? RadioStatusReply(false) : Bare(Nak);
}

std::string KduFirmware::ReadRecord(std::string_view arguments) {
    if (!arguments.empty() || records_.empty()) {
        return Bare(Nak);
    }
    const std::string record = records_.front();
    records_.pop_front();
    return Frame(record);
}

std::string KduFirmware::StartRadio(std::string_view arguments) {
    if (arguments.size() != 4 || !IsUpperHex(arguments)) {
        return Bare(Nak);
    }
    if (writeEntries_.empty() && readEntries_.empty()) {
        return Bare(JobRefusal);
    }
    radioJob_ =
        RadioJob{UpperCase(arguments), writeEntries_, readEntries_, RadioStatus::Running, ++generation_};
    records_.clear();
    Later(scenario_.RadioJobTimeout, [this, generation = generation_] {
        if (radioJob_ && radioJob_->generation == generation && radioJob_->status == RadioStatus::Running) {
            radioJob_->status = RadioStatus::NoContact;
        }
    });
    SchedulePresses(radioJob_->radioCode);
    return Bare(Ack);
}

std::string KduFirmware::RadioParameters(std::string_view arguments) {
    if (arguments.size() != 8 || !IsUpperHex(arguments) || arguments.substr(2) != RadioSetup()) {
        return Bare(Nak);
    }
    band_ = static_cast<std::uint8_t>(HexNumber(arguments.substr(0, 2)));
    for (std::size_t i = 0; i < radioParameters_.size(); ++i) {
        radioParameters_[i] = static_cast<std::uint8_t>(HexNumber(arguments.substr(2 + 2 * i, 2)));
    }
    parametersReceived_ = true;
    return Bare(Ack);
}

std::string KduFirmware::MemoryJobCommand(std::string_view arguments) {
    if (arguments.empty()) {
        return PollMemoryJob();
    }
    if (arguments.size() < kdu::job::HeaderLength || !IsUpperHex(arguments)) {
        return Bare(Nak);
    }
    if (!hReceived_ || !parametersReceived_) {
        ++unpreparedRequests_;
        return Bare(Nak);
    }
    MemoryJobState job;
    job.request = "Q" + std::string(arguments);
    using namespace kdu::job;
    job.header = std::string(arguments.substr(0, HeaderLength));
    job.productType = static_cast<std::uint8_t>(NumberIn(arguments, ProductType));
    job.serialNumber = NumberIn(arguments, SerialNumber);
    const std::string_view direction = kdu::Cut(arguments, Direction);
    job.address = static_cast<std::uint16_t>(NumberIn(arguments, Address));
    const std::uint32_t length = NumberIn(arguments, Length);
    if ((direction != Read && direction != Write) || length == 0 || length > MaxLength ||
        job.address + length > MemorySize) {
        return Bare(Nak);
    }
    job.write = direction == Write;
    job.length = static_cast<std::uint8_t>(length);
    if (arguments.size() != HeaderLength + (job.write ? 2 * length : 0)) {
        return Bare(Nak);
    }
    for (std::uint32_t i = 0; job.write && i < length; ++i) {
        job.data += static_cast<char>(HexNumber(arguments.substr(HeaderLength + 2 * i, 2)));
    }
    job.band = band_;
    // The counter runs on from job to job; the same counter again is a retransmission of the
    // previous request, which the device has already acted on.
    const auto counter = static_cast<std::uint8_t>(NumberIn(arguments, Counter));
    job.repeated = !sequenceCounters_.empty() && sequenceCounters_.back() == counter;
    repeatedCounters_ += job.repeated ? 1 : 0;
    sequenceCounters_.push_back(counter);
    memoryJob_ = job;
    return Bare(Ack);
}

MemoryDevice* KduFirmware::AddressedDevice(const MemoryJobState& job) {
    for (auto& device : scenario_.Devices) {
        if (device.Present && device.SerialNumber == job.serialNumber && device.Band == job.band &&
            (job.productType == 0 || device.ProductType == job.productType)) {
            return &device;
        }
    }
    return nullptr;
}

std::string KduFirmware::PollMemoryJob() {
    if (!memoryJob_) {
        return Bare(Nak);
    }
    MemoryJobState& job = *memoryJob_;
    if (job.polls < SimScenario::Forever) {
        ++job.polls;
    }
    MemoryDevice* device = job.repeated ? nullptr : AddressedDevice(job);
    const int pending = device == nullptr           ? scenario_.NoAnswerPolls
                        : device->PendingPolls >= 0 ? device->PendingPolls
                                                    : scenario_.PendingPolls;
    if (job.polls <= pending) {
        return Frame(kdu::job::Pending);
    }
    if (device == nullptr) {
        memoryJob_.reset();
        return Frame(kdu::job::NoAnswer);
    }
    // The header, then zeros around the reply's kind up to the data.
    std::string reply(kdu::job::ReplyDataOffset, '0');
    reply.replace(0, job.header.size(), job.header);
    reply.replace(kdu::job::ReplyKind.offset, kdu::job::ReplyKind.length,
                  job.write ? kdu::job::WriteReply : kdu::job::ReadReply);
    for (std::uint32_t i = 0; i < job.length; ++i) {
        const std::uint32_t address = job.address + i;
        if (address >= device->Image.size()) {
            continue;
        }
        if (job.write && !DropsByte(job.request, address)) {
            device->Image[address] = static_cast<std::uint8_t>(job.data[i]);
        }
    }
    if (!job.write) {
        for (std::uint32_t i = 0; i < job.length; ++i) {
            const std::uint32_t address = job.address + i;
            reply += HexByte(address < device->Image.size() ? device->Image[address] : 0);
        }
    } else if (device->FollowsBand && CoversBandSetting(device->ProductType, job.address, job.length)) {
        if (const auto band = BandSetting(device->ProductType, device->Image)) {
            device->Band = *band;
        }
    }
    memoryJob_.reset();
    return Frame(reply);
}

} // namespace vorn::sim
