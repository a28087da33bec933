#include "session/TracingDriver.h"

#include "base/NumberText.h"
#include "link/KduLink.h"
#include "link/KduProtocol.h"
#include "model/Catalogue.h"
#include "model/ValueHelpers.h"

#include <optional>

namespace vorn {

namespace {

// The value of upper-case hexadecimal digits; nothing for other text (a damaged frame, say).
std::optional<std::uint32_t> Hex(std::string_view text) {
    return HexValue(text, HexLetters::UpperCase);
}

std::string ModelOf(std::uint32_t type) {
    const ProductInfo* product = type <= 0xFF ? FindProduct(static_cast<std::uint8_t>(type)) : nullptr;
    return product != nullptr ? std::string(product->model)
                              : "product type " + HexByte(static_cast<std::uint8_t>(type));
}

// "N bytes at A" of an entry "CCAA..." (count, address).
std::string EntryText(std::string_view entry) {
    const auto count = Hex(kdu::Cut(entry, kdu::EntryCount));
    const auto address = Hex(kdu::Cut(entry, kdu::EntryAddress));
    if (!count || !address) {
        return {};
    }
    return std::to_string(*count) + " bytes at " + std::to_string(*address);
}

std::string StatusText(std::string_view status) {
    struct Row {
        std::string_view code;
        std::string_view text;
    };
    static constexpr Row Rows[] = {{kdu::StatusIdle, "no job of this kind"},
                                   {kdu::StatusRunning, "running"},
                                   {kdu::StatusDone, "done"},
                                   {kdu::StatusFailed, "failed"},
                                   {kdu::StatusNoContact, "no radio contact"}};
    for (const Row& row : Rows) {
        if (row.code == status) {
            return std::string(row.text);
        }
    }
    return {};
}

std::string BareByteName(std::uint8_t b) {
    switch (b) {
    case Ack: return "ACK";
    case Nak: return "NAK";
    case JobRefusal: return "radio job refused (0x04)";
    case EntryRefusal: return "entry refused (0x1B)";
    default: return "byte 0x" + HexByte(b);
    }
}

std::string MemoryJobRequest(std::string_view payload) {
    // The letter, then counter, product type, serial number, direction, address, length, data.
    const std::string_view request = payload.substr(1);
    if (request.size() < kdu::job::HeaderLength) {
        return {};
    }
    const auto counter = Hex(kdu::Cut(request, kdu::job::Counter));
    const auto type = Hex(kdu::Cut(request, kdu::job::ProductType));
    const auto serial = Hex(kdu::Cut(request, kdu::job::SerialNumber));
    const auto address = Hex(kdu::Cut(request, kdu::job::Address));
    const auto length = Hex(kdu::Cut(request, kdu::job::Length));
    if (!counter || !type || !serial || !address || !length || *length == 0) {
        return {};
    }
    const bool write = kdu::Cut(request, kdu::job::Direction) == kdu::job::Write;
    return "memory job " + std::to_string(*counter) + ": " + ModelOf(*type) + " serial " +
           std::to_string(*serial) + (write ? ", write " : ", read ") + std::to_string(*address) + "-" +
           std::to_string(*address + *length - 1);
}

// A reply shorter than this is not decoded: it cannot hold the header and the reply's kind.
constexpr std::size_t DecodedReplyLength = 30;

std::string MemoryJobReply(std::string_view reply) {
    if (reply == kdu::job::Pending) {
        return "pending";
    }
    if (reply == kdu::job::NoAnswer) {
        return "the device did not answer";
    }
    const auto serial =
        reply.size() >= DecodedReplyLength ? Hex(kdu::Cut(reply, kdu::job::SerialNumber)) : std::nullopt;
    if (!serial) {
        return {};
    }
    if (kdu::Cut(reply, kdu::job::ReplyKind) == kdu::job::WriteReply) {
        return "serial " + std::to_string(*serial) + " acknowledged the write";
    }
    return "serial " + std::to_string(*serial) + " answered with " +
           std::to_string((reply.size() - kdu::job::ReplyDataOffset) / 2) + " bytes";
}

} // namespace

TracingDriver::TracingDriver(UnitDriver& inner, SupportLog& log, TraceSink& sessionTrace)
    : inner_(inner), log_(log), sessionTrace_(sessionTrace) {
    sessionTrace_.SetListener([this](std::string_view line) { log_.Write(SupportLog::Session, line); });
}

TracingDriver::~TracingDriver() {
    sessionTrace_.SetListener({});
}

void TracingDriver::Note(const std::string& text) {
    log_.Write(SupportLog::Note, text);
}

std::string TracingDriver::Meaning(std::string_view payload, char command, bool sent) {
    if (payload.empty()) {
        return {};
    }
    if (sent) {
        const std::string_view arguments = payload.substr(1);
        switch (payload[0]) {
        case kdu::command::Listen:
            return arguments == std::string_view(&kdu::ListenOn, 1)    ? "listen for transmitters"
                   : arguments == std::string_view(&kdu::ListenOff, 1) ? "stop listening"
                                                                       : "";
        case kdu::command::SetH: return "set H";
        case kdu::command::CapturedCode: return "captured radio code?";
        case kdu::command::RequestDeviceCode: return "device code request";
        case kdu::command::PollDeviceCode: return "device code?";
        case kdu::command::Version: return "unit version?";
        case kdu::command::WriteEntry:
        case kdu::command::ReadEntry: {
            const std::string kind = payload[0] == kdu::command::WriteEntry ? "write" : "read";
            return arguments.empty() ? "clear the " + kind + " entries"
                                     : kind + " entry: " + EntryText(arguments);
        }
        case kdu::command::WriteStatus: return "write status?";
        case kdu::command::ReadStatus: return "read status?";
        case kdu::command::ReadRecord: return "read record?";
        case kdu::command::StartRadioJob:
            return "radio job for the unit with radio code " + std::string(arguments);
        case kdu::command::RadioParameters: {
            const auto band = Hex(kdu::Cut(arguments, kdu::RadioParametersBand));
            return band ? "radio parameters: band " + std::to_string(*band) : "";
        }
        case kdu::command::MemoryJob:
            return arguments.empty() ? "memory job poll" : MemoryJobRequest(payload);
        default: return {};
        }
    }
    switch (command) {
    case kdu::command::CapturedCode:
        if (payload == kdu::NothingCaptured) {
            return "no radio code yet";
        }
        return payload.size() == kdu::CapturedCodeLength
                   ? "radio code " + std::string(kdu::Cut(payload, kdu::CapturedRadioCode))
                   : "";
    case kdu::command::PollDeviceCode:
        if (payload == kdu::DeviceCodeWaiting) {
            return "waiting for a unit's button";
        }
        if (payload == kdu::DeviceCodeFailed) {
            return "no unit answered";
        }
        return payload.size() == kdu::DeviceCodeAnswerLength
                   ? "radio code " + std::string(kdu::Cut(payload, kdu::AnswerRadioCode)) + ", type " +
                         std::string(kdu::Cut(payload, kdu::AnswerType))
                   : "";
    case kdu::command::WriteStatus:
    case kdu::command::ReadStatus: return StatusText(payload);
    case kdu::command::ReadRecord:
        return payload.size() >= kdu::RecordEntryOffset + kdu::EntryDataOffset
                   ? "record of radio code " + std::string(kdu::Cut(payload, kdu::RecordRadioCode)) + ": " +
                         EntryText(payload.substr(kdu::RecordEntryOffset))
                   : "";
    case kdu::command::Version: return "unit version";
    case kdu::command::MemoryJob: return MemoryJobReply(payload);
    default: return {};
    }
}

int TracingDriver::OpenByDescription(std::string_view description, std::uint32_t flags) {
    const int status = inner_.OpenByDescription(description, flags);
    log_.Write(SupportLog::Line,
               status == DriverOk
                   ? "unit opened"
                   : "unit not opened (status " + std::to_string(status) + ")" +
                         (inner_.LastOpenError().empty() ? std::string() : ": " + inner_.LastOpenError()));
    return status;
}

int TracingDriver::Close() {
    LogReceived(true);
    log_.Write(SupportLog::Line, "unit closed");
    return inner_.Close();
}

int TracingDriver::SetModemLinePulse() {
    log_.Write(SupportLog::Line, "modem line pulse");
    return inner_.SetModemLinePulse();
}

int TracingDriver::Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& done) {
    LogReceived(true);
    const int status = inner_.Write(data, count, done);
    // The link sends one whole frame per write: STX, payload, two checksum digits, ETX.
    const std::string bytes(reinterpret_cast<const char*>(data), count);
    if (count >= kdu::FrameOverhead && data[0] == Stx && data[count - 1] == Etx) {
        const std::string payload(kdu::PayloadOf(bytes));
        lastCommand_ = payload.empty() ? 0 : payload[0];
        const std::string meaning = Meaning(payload, lastCommand_, true);
        log_.Write(SupportLog::Sent,
                   payload + (meaning.empty() ? "" : "   (" + meaning + ")") +
                       (status == DriverOk ? "" : "   [not sent: status " + std::to_string(status) + "]"));
    } else {
        log_.Write(SupportLog::Sent, "bytes " + bytes);
    }
    return status;
}

int TracingDriver::Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) {
    const int status = inner_.Read(buffer, count, done);
    if (status == DriverOk && done > 0) {
        received_.append(reinterpret_cast<const char*>(buffer), done);
        LogReceived(false);
    }
    return status;
}

void TracingDriver::LogReceived(bool flushPartial) {
    while (!received_.empty()) {
        const auto first = static_cast<std::uint8_t>(received_.front());
        if (first != Stx) {
            log_.Write(SupportLog::Received, BareByteName(first));
            received_.erase(0, 1);
            continue;
        }
        const auto etx = received_.find(static_cast<char>(Etx));
        if (etx == std::string::npos) {
            if (flushPartial) {
                log_.Write(SupportLog::Received, "incomplete frame: " + received_.substr(1));
                received_.clear();
            }
            return;
        }
        const std::string frame = received_.substr(0, etx + 1);
        received_.erase(0, etx + 1);
        const bool valid =
            IsValidFrame(std::span(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size()));
        const std::string payload(kdu::PayloadOf(frame));
        const std::string meaning = valid ? Meaning(payload, lastCommand_, false) : std::string();
        log_.Write(SupportLog::Received, payload + (meaning.empty() ? "" : "   (" + meaning + ")") +
                                             (valid ? "" : "   [bad checksum]"));
    }
}

} // namespace vorn
