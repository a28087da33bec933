// The unit's command set: one KduLink operation per command, each classified by its row of the
// command table.
#include "base/NumberText.h"
#include "link/KduLink.h"

#include <array>

namespace vorn {

namespace {

using Command = KduLink::Command;

enum class ReplyRule {
    Ack,          // bare 0x06 gives 0, anything else the failure result
    AckOrRefusal, // as Ack, and the refusal byte gives the refusal result
    Framed,       // a frame whose payload length lies in [minLength, maxLength]
    Anything,     // whatever came, always 0
};

struct CommandRow {
    Command command;
    int expectedLength; // 1 waits for bare bytes, more for a frame
    ReplyRule rule;
    int minLength;
    int maxLength;
    std::uint8_t refusalByte;
    CommandResult refusalResult;
    CommandResult failResult;
};

constexpr int Any = static_cast<int>(KduLink::ReceiveAreaSize);
// The lengths of the framed replies.
constexpr int Code = static_cast<int>(kdu::CapturedCodeLength);
constexpr int Vers = static_cast<int>(kdu::VersionLength);
constexpr int Stat = static_cast<int>(kdu::StatusDone.size());
constexpr int RecMin = static_cast<int>(kdu::RecordMinLength);
constexpr int RecMax = static_cast<int>(kdu::RecordMaxLength);
constexpr int Poll = static_cast<int>(kdu::job::Pending.size());

// clang-format off
constexpr std::array<CommandRow, 17> CommandTable{{
    {Command::ListenOff,          1,      ReplyRule::Ack,          0,      0,      0,            CommandOk,           CommandFailed},
    {Command::ListenOn,           1,      ReplyRule::Ack,          0,      0,      0,            CommandOk,           CommandFailed},
    {Command::SetH,               1,      ReplyRule::Ack,          0,      0,      0,            CommandOk,           CommandFailed},
    {Command::GetCapturedCode,    Code,   ReplyRule::Framed,       Code,   Code,   0,            CommandOk,           CommandFailed},
    {Command::RequestDeviceCode,  1,      ReplyRule::Ack,          0,      0,      0,            CommandOk,           CommandFailed},
    {Command::PollDeviceCode,     Stat,   ReplyRule::Anything,     0,      Any,    0,            CommandOk,           CommandOk},
    {Command::GetVersion,         Vers,   ReplyRule::Framed,       Vers,   Vers,   0,            CommandOk,           CommandFailed},
    {Command::CheckVersion,       Vers,   ReplyRule::Framed,       Vers,   Vers,   0,            CommandOk,           CommandFailed},
    {Command::AddWriteEntry,      1,      ReplyRule::AckOrRefusal, 0,      0,      EntryRefusal, CommandEntryRefused, CommandFailed},
    {Command::AddReadEntry,       1,      ReplyRule::Ack,          0,      0,      0,            CommandOk,           CommandFailed},
    {Command::PollWriteStatus,    Stat,   ReplyRule::Framed,       Stat,   Stat,   0,            CommandOk,           CommandNoData},
    {Command::PollReadStatus,     Stat,   ReplyRule::Framed,       Stat,   Stat,   0,            CommandOk,           CommandNoData},
    {Command::GetReadRecord,      RecMin, ReplyRule::Framed,       RecMin, RecMax, 0,            CommandOk,           CommandNoData},
    {Command::StartRadioJob,      1,      ReplyRule::AckOrRefusal, 0,      0,      JobRefusal,   CommandJobRefused,   CommandFailed},
    {Command::SetRadioParameters, 1,      ReplyRule::Ack,          0,      0,      0,            CommandOk,           CommandFailed},
    {Command::SendJobRequest,     1,      ReplyRule::Ack,          0,      0,      0,            CommandOk,           CommandFailed},
    {Command::PollJobReply,       Poll,   ReplyRule::Framed,       Poll,   Any,    0,            CommandOk,           CommandFailed},
}};
// clang-format on

constexpr bool RowsInCommandOrder() {
    for (std::size_t i = 0; i < CommandTable.size(); ++i) {
        if (CommandTable[i].command != static_cast<Command>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInCommandOrder(), "the command table is indexed by Command");

const CommandRow& RowOf(Command command) {
    return CommandTable[static_cast<std::size_t>(command)];
}

// A command letter and its arguments.
std::string Payload(char letter, std::string_view arguments = {}) {
    std::string payload(1, letter);
    payload.append(arguments);
    return payload;
}

} // namespace

CommandResult KduLink::RunCommand(Command command, std::string_view payload, std::string& output,
                                  Millis firstWait) {
    output.clear();
    // A command started from inside the pump of another link operation does nothing.
    if (busy_) {
        return RowOf(command).rule == ReplyRule::Anything ? CommandFailed : RowOf(command).failResult;
    }
    BusyScope scope(busy_);
    const CommandRow& row = RowOf(command);
    std::string reply;
    SendFrameUnguarded(payload);
    const int n = ReceiveReplyUnguarded(reply, firstWait, row.expectedLength);
    const bool bare = n == 1;
    switch (row.rule) {
    case ReplyRule::Ack:
        return bare && static_cast<std::uint8_t>(reply[0]) == Ack ? CommandOk : row.failResult;
    case ReplyRule::AckOrRefusal:
        if (bare && static_cast<std::uint8_t>(reply[0]) == Ack) {
            return CommandOk;
        }
        if (bare && static_cast<std::uint8_t>(reply[0]) == row.refusalByte) {
            return row.refusalResult;
        }
        return row.failResult;
    case ReplyRule::Framed:
        if (n >= row.minLength && n <= row.maxLength) {
            output = std::move(reply);
            return CommandOk;
        }
        return row.failResult;
    case ReplyRule::Anything: output = std::move(reply); return CommandOk;
    }
    return row.failResult;
}

CommandResult KduLink::RunCommand(Command command, std::string_view payload) {
    std::string ignored;
    return RunCommand(command, payload, ignored);
}

CommandResult KduLink::ListenOff() {
    return RunCommand(Command::ListenOff, Payload(kdu::command::Listen, {&kdu::ListenOff, 1}));
}

CommandResult KduLink::ListenOn() {
    return RunCommand(Command::ListenOn, Payload(kdu::command::Listen, {&kdu::ListenOn, 1}));
}

CommandResult KduLink::SetH(std::uint8_t value) {
    const char raw = static_cast<char>(value);
    return RunCommand(Command::SetH, Payload(kdu::command::SetH, {&raw, 1}));
}

CommandResult KduLink::GetCapturedCode(std::string& code) {
    const CommandResult result = RunCommand(
        Command::GetCapturedCode, Payload(kdu::command::CapturedCode, {&kdu::CapturedCodeArgument, 1}), code);
    if (result == CommandOk) {
        code = std::string(kdu::Cut(code, kdu::CapturedRadioCode));
    }
    return result;
}

CommandResult KduLink::RequestDeviceCode(std::string_view first, std::string_view second) {
    return RunCommand(Command::RequestDeviceCode,
                      Payload(kdu::command::RequestDeviceCode, std::string(first) + std::string(second)));
}

CommandResult KduLink::PollDeviceCode(std::string& reply) {
    return RunCommand(Command::PollDeviceCode, Payload(kdu::command::PollDeviceCode), reply);
}

CommandResult KduLink::GetVersion(std::string& version) {
    return RunCommand(Command::GetVersion, Payload(kdu::command::Version), version);
}

CommandResult KduLink::CheckVersion(std::string_view minimum) {
    std::string version;
    const CommandResult result = RunCommand(Command::CheckVersion, Payload(kdu::command::Version), version);
    if (result != CommandOk) {
        return result;
    }
    // Characters, not numbers: the two-digit version first, then the unit type at the fourth place.
    const auto at = [](std::string_view text, std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    if (at(version, kdu::VersionUnitType) != at(minimum, kdu::VersionUnitType)) {
        return CommandVersionRefused;
    }
    const bool newEnough = at(version, 0) > at(minimum, 0) ||
                           (at(version, 0) == at(minimum, 0) && at(version, 1) >= at(minimum, 1));
    return newEnough ? CommandOk : CommandVersionRefused;
}

CommandResult KduLink::AddWriteEntry(std::string_view entry) {
    return RunCommand(Command::AddWriteEntry, Payload(kdu::command::WriteEntry, entry));
}

CommandResult KduLink::AddReadEntry(std::string_view entry) {
    return RunCommand(Command::AddReadEntry, Payload(kdu::command::ReadEntry, entry));
}

CommandResult KduLink::PollWriteStatus(std::string& status) {
    return RunCommand(Command::PollWriteStatus, Payload(kdu::command::WriteStatus), status);
}

CommandResult KduLink::PollReadStatus(std::string& status) {
    return RunCommand(Command::PollReadStatus, Payload(kdu::command::ReadStatus), status);
}

CommandResult KduLink::GetReadRecord(std::string& record) {
    return RunCommand(Command::GetReadRecord, Payload(kdu::command::ReadRecord), record);
}

CommandResult KduLink::StartRadioJob(std::string_view radioCode) {
    return RunCommand(Command::StartRadioJob, Payload(kdu::command::StartRadioJob, radioCode));
}

CommandResult KduLink::SetRadioParameters(std::uint8_t band, std::uint8_t second, std::uint8_t third,
                                          std::uint8_t fourth) {
    const std::string arguments = HexByte(band) + HexByte(second) + HexByte(third) + HexByte(fourth);
    return RunCommand(Command::SetRadioParameters, Payload(kdu::command::RadioParameters, arguments));
}

CommandResult KduLink::SendJobRequest(std::string_view request) {
    return RunCommand(Command::SendJobRequest, Payload(kdu::command::MemoryJob, request));
}

CommandResult KduLink::PollJobReply(std::string& reply, Millis firstWait) {
    return RunCommand(Command::PollJobReply, Payload(kdu::command::MemoryJob), reply, firstWait);
}

} // namespace vorn
