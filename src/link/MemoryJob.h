#pragma once

#include "link/KduLink.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

// Results of a memory job (the numbers are those the support trace shows: "result 13").
enum JobResult : int {
    JobDone = 0,
    JobNotOpened = 1,       // the unit could not be opened or set up
    JobNotAcknowledged = 2, // SetH, SetRadioParameters or SendJobRequest refused
    JobVersionRefused = 7,  // unit firmware too old, of another type, or silent
    JobCannotBeSent = 11,   // the request cannot be formed as it stands; nothing sent
    JobNoReply = 12,        // the device did not answer
    JobReplyError = 13,     // a reply of another kind, of the wrong length, or with data that are not
                            // hexadecimal digits
    JobInterrupted = 14,    // a stop request ended the job at a safe point: the device may or may not
                            // have acted on a request already sent
};

inline constexpr std::uint8_t JobRead = 0;
inline constexpr std::uint8_t JobWrite = 1;

// One block of device memory moved between the image and a family A or C device, addressed by serial
// number and product type on one frequency band. Kept by its owner and reused for every job: the
// sequence counter runs on from job to job.
class MemoryJob {
public:
    static constexpr std::size_t MaxLength = kdu::job::MaxLength;
    static constexpr std::uint32_t MaxSerialNumber = 0xFFFFFF;
    static constexpr std::uint32_t MaxAddress = 0xFFFF;
    // Polls without a valid reply that end a job.
    static constexpr int MaxFailedPolls = 50;
    // A unit that keeps answering "still pending" is given up after this much polling.
    static constexpr Millis MaxPendingTime{30000};
    // A whole job, from opening the unit to its last poll, however the unit answers: then "no reply".
    static constexpr Millis MaxJobTime{45000};
    static constexpr std::string_view MinimumUnitVersion = kdu::MinimumUnitVersion;

    std::uint8_t Band = 0;
    // The radio set-up every job sends; no flow needs to set these.
    std::uint8_t RadioParameter2 = kdu::JobRadioSetup.second;
    std::uint8_t RadioParameter3 = kdu::JobRadioSetup.third;
    std::uint8_t RadioParameter4 = kdu::JobRadioSetup.fourth;
    std::uint8_t HByte = kdu::HValue;
    std::uint8_t SequenceCounter = 0;
    std::uint8_t ProductTypeNumber = 0;
    std::uint32_t SerialNumber = 0;
    std::uint8_t Direction = JobRead;
    std::uint32_t Address = 0;
    std::uint8_t Length = 0;
    std::array<std::uint8_t, MaxLength> Data{};

    bool IsWrite() const { return Direction == JobWrite; }
    // False when a field does not fit its place in the request (length above 64, a serial number
    // above six hexadecimal digits, an address above four).
    bool CanBeSent() const;
    // The request text sent with SendJobRequest: sequence counter, product type, serial number,
    // direction, address, length, and for a write the data bytes.
    std::string RequestText() const;
};

// What one poll reply of two characters or more means to the job.
enum class JobReplyKind {
    Pending,    // poll again
    NoReply,    // the device did not answer
    Unexpected, // another two-character reply, or 3 to 9 characters: poll again
    Done,       // a write acknowledgement, or a complete read reply (data copied into the job)
    ReplyError, // a reply of another kind, a read reply of the wrong length or with a character in
                // its data that is no hexadecimal digit
};

// Decodes a poll reply into the job; writes the traces of unexpected replies. Reads only inside the
// reply, writes only inside the job's data.
JobReplyKind DecodeJobReply(std::string_view reply, MemoryJob& job, TraceSink& trace);

// Sends the job: SetH, SetRadioParameters, SendJobRequest. 0, 2 or 11.
JobResult SendJob(KduLink& link, MemoryJob& job);

// One complete job: open, pulse, version check, send, poll for the device's answer, close. A stop
// request (platform/Interrupt.h) ends it before the unit is opened, during the line's pulse, before the
// request is sent or between two polls, with JobInterrupted; the unit is closed in every case.
JobResult RunMemoryJob(KduLink& link, MemoryJob& job);

} // namespace vorn
