#include "link/MemoryJob.h"

#include "platform/Interrupt.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace vorn {

using namespace std::chrono_literals;

bool MemoryJob::CanBeSent() const {
    return Length <= MaxLength && SerialNumber <= MaxSerialNumber && Address <= MaxAddress;
}

std::string MemoryJob::RequestText() const {
    char header[32];
    std::snprintf(header, sizeof header, "%02X%02X%06X%s%04X%02X", static_cast<unsigned>(SequenceCounter),
                  static_cast<unsigned>(ProductTypeNumber), static_cast<unsigned>(SerialNumber),
                  IsWrite() ? "01" : "00", static_cast<unsigned>(Address), static_cast<unsigned>(Length));
    std::string text = header;
    if (IsWrite()) {
        for (std::size_t i = 0; i < Length && i < MaxLength; ++i) {
            text += KduLink::ByteToHex(Data[i]);
        }
    }
    return text;
}

namespace {

// The value of a data digit: the unit's upper-case digits, and lower-case ones read alike; nothing
// for any other character, which no byte can be made of.
std::optional<int> DataDigitValue(char ch) {
    if (ch >= '0' && ch <= '9') {
        return ch - '0';
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    return std::nullopt;
}

} // namespace

JobReplyKind DecodeJobReply(std::string_view reply, MemoryJob& job, TraceSink& trace) {
    if (reply.size() < 2) {
        return JobReplyKind::Unexpected;
    }
    if (reply.size() == 2) {
        if (reply == "02") {
            return JobReplyKind::Pending;
        }
        if (reply == "05") {
            return JobReplyKind::NoReply;
        }
        trace.Write("Other reply, 2 bytes: " + std::to_string(static_cast<unsigned char>(reply[0])) +
                    std::to_string(static_cast<unsigned char>(reply[1])));
        return JobReplyKind::Unexpected;
    }
    if (reply.size() < 10) {
        trace.Write("Reply length is not 2 or >=10");
        return JobReplyKind::Unexpected;
    }
    const std::string_view kind = reply.size() >= 26 ? reply.substr(24, 2) : std::string_view{};
    if (kind == "02") {
        if (job.Length > MemoryJob::MaxLength || reply.size() != 32 + 2 * std::size_t{job.Length}) {
            return JobReplyKind::ReplyError;
        }
        // Decoded whole before the job's data is touched: a damaged reply leaves no bytes behind.
        std::array<std::uint8_t, MemoryJob::MaxLength> data{};
        for (std::size_t i = 0; i < job.Length; ++i) {
            const auto high = DataDigitValue(reply[32 + 2 * i]);
            const auto low = DataDigitValue(reply[33 + 2 * i]);
            if (!high || !low) {
                trace.Write("Read reply data is not hexadecimal at character " +
                            std::to_string(32 + 2 * i + (high ? 1 : 0)));
                return JobReplyKind::ReplyError;
            }
            data[i] = static_cast<std::uint8_t>(*high * 16 + *low);
        }
        std::copy_n(data.begin(), job.Length, job.Data.begin());
        return JobReplyKind::Done;
    }
    if (kind == "03") {
        return JobReplyKind::Done;
    }
    trace.Write("Unknown R/W parameter");
    return JobReplyKind::ReplyError;
}

int SendJob(KduLink& link, MemoryJob& job) {
    if (!job.CanBeSent()) {
        return JobCannotBeSent;
    }
    if (link.SetH(job.HByte) != CommandOk ||
        link.SetRadioParameters(job.Band, job.RadioParameter2, job.RadioParameter3, job.RadioParameter4) !=
            CommandOk) {
        return JobNotAcknowledged;
    }
    if (link.SendJobRequest(job.RequestText()) != CommandOk) {
        return JobNotAcknowledged;
    }
    return JobDone;
}

namespace {

int PollForReply(KduLink& link, MemoryJob& job, Millis jobStart) {
    Clock& clock = link.LinkClock();
    const Millis pollingSince = clock.Now();
    int failures = 0;
    for (;;) {
        std::string reply;
        const bool replied = link.PollJobReply(reply, KduLink::FirstWait) == CommandOk;
        if (!replied && ++failures > MemoryJob::MaxFailedPolls) {
            return JobNoReply;
        }
        if (replied) {
            switch (DecodeJobReply(reply, job, link.Trace())) {
            case JobReplyKind::Done: return JobDone;
            case JobReplyKind::ReplyError: return JobReplyError;
            case JobReplyKind::NoReply: return JobNoReply;
            case JobReplyKind::Pending:
            case JobReplyKind::Unexpected: break;
            }
        }
        if (StopRequested()) {
            link.Trace().Write("Job polling stopped on request");
            return JobInterrupted;
        }
        // The window is disabled while a job runs: a unit that never ends its "pending" answers, or
        // whose answers never end, is given up like a device that does not answer.
        if (replied && clock.Now() - pollingSince > MemoryJob::MaxPendingTime) {
            link.Trace().Write("Reply still pending after " +
                               std::to_string(MemoryJob::MaxPendingTime.count() / 1000) + " s, giving up");
            return JobNoReply;
        }
        if (clock.Now() - jobStart > MemoryJob::MaxJobTime) {
            link.Trace().Write("Job without an answer after " +
                               std::to_string(MemoryJob::MaxJobTime.count() / 1000) + " s, giving up");
            return JobNoReply;
        }
    }
}

} // namespace

int RunMemoryJob(KduLink& link, MemoryJob& job) {
    if (StopRequested()) {
        return JobInterrupted;
    }
    const Millis start = link.LinkClock().Now();
    int result = JobNotOpened;
    if (link.Open() == 0) {
        link.PulseLine();
        if (StopRequested()) {
            result = JobInterrupted;
        } else if (link.CheckVersion(MemoryJob::MinimumUnitVersion) != CommandOk) {
            result = JobVersionRefused;
        } else if (StopRequested()) {
            result = JobInterrupted;
        } else {
            ++job.SequenceCounter;
            result = SendJob(link, job);
            if (result == JobDone) {
                result = PollForReply(link, job, start);
            }
        }
    }
    link.Close();
    return result;
}

} // namespace vorn
