#include "link/MemoryJob.h"

#include "base/NumberText.h"
#include "platform/Interrupt.h"

#include <algorithm>
#include <optional>

namespace vorn {

using namespace std::chrono_literals;

bool MemoryJob::CanBeSent() const {
    return Length <= MaxLength && SerialNumber <= MaxSerialNumber && Address <= MaxAddress;
}

namespace {

// The value in the field's digits (CanBeSent has checked that it fits).
std::string HexField(std::uint32_t value, kdu::TextField field) {
    return HexDigits(value, field.length);
}

} // namespace

std::string MemoryJob::RequestText() const {
    using namespace kdu::job;
    std::string text = HexField(SequenceCounter, Counter) + HexField(ProductTypeNumber, ProductType) +
                       HexField(SerialNumber, kdu::job::SerialNumber) +
                       std::string(IsWrite() ? Write : Read) + HexField(Address, kdu::job::Address) +
                       HexField(Length, kdu::job::Length);
    if (IsWrite()) {
        for (std::size_t i = 0; i < Length && i < MaxLength; ++i) {
            text += HexByte(Data[i]);
        }
    }
    return text;
}

JobReplyKind DecodeJobReply(std::string_view reply, MemoryJob& job, TraceSink& trace) {
    if (reply.size() < 2) {
        return JobReplyKind::Unexpected;
    }
    if (reply.size() == 2) {
        if (reply == kdu::job::Pending) {
            return JobReplyKind::Pending;
        }
        if (reply == kdu::job::NoAnswer) {
            return JobReplyKind::NoReply;
        }
        trace.Write("Other reply, 2 bytes: " + std::to_string(static_cast<unsigned char>(reply[0])) +
                    std::to_string(static_cast<unsigned char>(reply[1])));
        return JobReplyKind::Unexpected;
    }
    if (reply.size() < kdu::job::ReplyMinLength) {
        trace.Write("Reply length is not 2 or >=10");
        return JobReplyKind::Unexpected;
    }
    const std::size_t dataAt = kdu::job::ReplyDataOffset;
    const std::string_view kind = kdu::Cut(reply, kdu::job::ReplyKind);
    if (kind == kdu::job::ReadReply) {
        if (job.Length > MemoryJob::MaxLength || reply.size() != dataAt + 2 * std::size_t{job.Length}) {
            return JobReplyKind::ReplyError;
        }
        // Decoded whole before the job's data is touched: a damaged reply leaves no bytes behind.
        std::array<std::uint8_t, MemoryJob::MaxLength> data{};
        for (std::size_t i = 0; i < job.Length; ++i) {
            // The unit's upper-case digits, and lower-case ones read alike; any other character makes
            // no byte.
            const auto high = HexDigitValue(static_cast<unsigned char>(reply[dataAt + 2 * i]));
            const auto low = HexDigitValue(static_cast<unsigned char>(reply[dataAt + 1 + 2 * i]));
            if (!high || !low) {
                trace.Write("Read reply data is not hexadecimal at character " +
                            std::to_string(dataAt + 2 * i + (high ? 1 : 0)));
                return JobReplyKind::ReplyError;
            }
            data[i] = static_cast<std::uint8_t>(*high * 16 + *low);
        }
        std::copy_n(data.begin(), job.Length, job.Data.begin());
        return JobReplyKind::Done;
    }
    if (kind == kdu::job::WriteReply) {
        return JobReplyKind::Done;
    }
    trace.Write("Unknown R/W parameter");
    return JobReplyKind::ReplyError;
}

JobResult SendJob(KduLink& link, MemoryJob& job) {
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

JobResult PollForReply(KduLink& link, MemoryJob& job, Millis jobStart) {
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

JobResult RunMemoryJob(KduLink& link, MemoryJob& job) {
    if (StopRequested()) {
        return JobInterrupted;
    }
    const Millis start = link.LinkClock().Now();
    JobResult result = JobNotOpened;
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
