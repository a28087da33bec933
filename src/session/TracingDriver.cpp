#include "session/TracingDriver.h"

#include "link/KduLink.h"
#include "model/Catalogue.h"
#include "model/ValueHelpers.h"

#include <optional>

namespace vorn {

namespace {

// The value of upper-case hexadecimal digits; nothing for other text (a damaged frame, say).
std::optional<unsigned long> Hex(std::string_view text) {
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (const char ch : text) {
        const int digit = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    return value;
}

std::string ModelOf(unsigned long type) {
    const ProductInfo* product = type <= 0xFF ? FindProduct(static_cast<std::uint8_t>(type)) : nullptr;
    return product != nullptr ? std::string(product->model)
                              : "product type " + HexByte(static_cast<std::uint8_t>(type));
}

// "N bytes at A" of an entry "CCAA..." (count, address).
std::string EntryText(std::string_view entry) {
    const auto count = Hex(entry.substr(0, 2));
    const auto address = entry.size() >= 4 ? Hex(entry.substr(2, 2)) : std::nullopt;
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
    static constexpr Row Rows[] = {{"00", "no job of this kind"},
                                   {"01", "running"},
                                   {"03", "done"},
                                   {"04", "failed"},
                                   {"05", "no radio contact"}};
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
    // Q, counter, product type, serial number, direction, address, length, data.
    if (payload.size() < 19) {
        return {};
    }
    const auto counter = Hex(payload.substr(1, 2));
    const auto type = Hex(payload.substr(3, 2));
    const auto serial = Hex(payload.substr(5, 6));
    const auto address = Hex(payload.substr(13, 4));
    const auto length = Hex(payload.substr(17, 2));
    if (!counter || !type || !serial || !address || !length || *length == 0) {
        return {};
    }
    const bool write = payload.substr(11, 2) == "01";
    return "memory job " + std::to_string(*counter) + ": " + ModelOf(*type) + " serial " +
           std::to_string(*serial) + (write ? ", write " : ", read ") + std::to_string(*address) + "-" +
           std::to_string(*address + *length - 1);
}

std::string MemoryJobReply(std::string_view reply) {
    if (reply == "02") {
        return "pending";
    }
    if (reply == "05") {
        return "the device did not answer";
    }
    const auto serial = reply.size() >= 30 ? Hex(reply.substr(4, 6)) : std::nullopt;
    if (!serial) {
        return {};
    }
    if (reply.substr(24, 2) == "03") {
        return "serial " + std::to_string(*serial) + " acknowledged the write";
    }
    return "serial " + std::to_string(*serial) + " answered with " + std::to_string((reply.size() - 32) / 2) +
           " bytes";
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
        case 's':
            return arguments == "1" ? "listen for transmitters" : arguments == "0" ? "stop listening" : "";
        case 'h': return "set H";
        case 'c': return "captured radio code?";
        case 'a': return "device code request";
        case 'A': return "device code?";
        case 'v': return "unit version?";
        case 'n':
        case 'm': {
            const std::string kind = payload[0] == 'n' ? "write" : "read";
            return arguments.empty() ? "clear the " + kind + " entries"
                                     : kind + " entry: " + EntryText(arguments);
        }
        case 'N': return "write status?";
        case 'M': return "read status?";
        case 'x': return "read record?";
        case 'i': return "radio job for the unit with radio code " + std::string(arguments);
        case 'q': {
            const auto band = Hex(arguments.substr(0, 2));
            return band ? "radio parameters: band " + std::to_string(*band) : "";
        }
        case 'Q': return arguments.empty() ? "memory job poll" : MemoryJobRequest(payload);
        default: return {};
        }
    }
    switch (command) {
    case 'c':
        if (payload == "00000000") {
            return "no radio code yet";
        }
        return payload.size() == 8 ? "radio code " + std::string(payload.substr(0, 4)) : "";
    case 'A':
        if (payload == "01") {
            return "waiting for a unit's button";
        }
        if (payload == "04") {
            return "no unit answered";
        }
        return payload.size() == 12 ? "radio code " + std::string(payload.substr(0, 4)) + ", type " +
                                          std::string(payload.substr(6, 2))
                                    : "";
    case 'N':
    case 'M': return StatusText(payload);
    case 'x':
        return payload.size() >= 8 ? "record of radio code " + std::string(payload.substr(0, 4)) + ": " +
                                         EntryText(payload.substr(4))
                                   : "";
    case 'v': return "unit version";
    case 'Q': return MemoryJobReply(payload);
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
    if (count >= 4 && data[0] == Stx && data[count - 1] == Etx) {
        const std::string payload = bytes.substr(1, bytes.size() - 4);
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
        const std::string payload = frame.size() >= 4 ? frame.substr(1, frame.size() - 4) : frame.substr(1);
        const std::string meaning = valid ? Meaning(payload, lastCommand_, false) : std::string();
        log_.Write(SupportLog::Received, payload + (meaning.empty() ? "" : "   (" + meaning + ")") +
                                             (valid ? "" : "   [bad checksum]"));
    }
}

} // namespace vorn
