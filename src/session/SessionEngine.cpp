#include "session/SessionEngine.h"

#include "model/BandSetting.h"
#include "model/Catalogue.h"
#include "model/ValueHelpers.h"

#include <algorithm>

namespace vorn {

namespace {

std::string BandText(const CodeList& bands, int code) {
    const int index = IndexOfCode(bands, code);
    return index < 0 ? std::string() : std::string(ValuePart(bands[static_cast<std::size_t>(index)]));
}

// After a block was written: a block holding the device's band setting moves the device, so the job
// follows it to the band it now listens on.
void FollowWrittenBand(const ProgData& data, const Block& block, MemoryJob& job, TraceSink& trace) {
    const std::uint8_t type = data.Image[ProductTypeAddress];
    std::optional<std::uint8_t> band;
    if (FamilyOf(type) == Family::C) {
        // A positioning unit keeps its band as carrier frequencies; its address 55 is another setting.
        if (CoversBandSetting(type, block.start, block.length)) {
            band = BandSetting(type, data.Image);
        }
    } else if (block.start <= FamilyABandAddress && FamilyABandAddress < block.start + block.length) {
        band = data.Image[FamilyABandAddress];
    }
    if (band) {
        job.Band = *band;
        trace.Write("Change frequency band " + std::to_string(job.Band));
    }
}

// The blocks and bytes a session will move, counted on a copy so the image's scan is left alone.
void CountBlocks(const ProgData& data, ByteState wanted, SessionStep& step) {
    ProgData scan;
    scan.State = data.State;
    for (auto block = scan.FirstBlock(wanted); block; block = scan.NextBlock(wanted)) {
        ++step.blocks;
        step.bytes += block->length;
    }
}

} // namespace

SessionResult RunSession(ProgData& data, MemoryJob& job, KduLink& link, const CodeList& receiveBands,
                         SessionProgress* progress) {
    TraceSink& trace = link.Trace();
    const bool write = job.IsWrite();
    const ByteState wanted = write ? ByteState::ToWrite : ByteState::ToRead;
    const ByteState done = write ? ByteState::Written : ByteState::Read;
    SessionStep step;
    step.write = write;
    if (progress != nullptr) {
        CountBlocks(data, wanted, step);
    }
    const auto ended = [&](SessionResult result) {
        if (progress != nullptr) {
            step.band = job.Band;
            progress->SessionEnded(result, step);
        }
        return result;
    };
    std::optional<Block> block = data.FirstBlock(wanted);
    if (!block) {
        trace.Write("Nothing to read/write from/to memory");
        return ended(SessionNothingToTransfer);
    }
    step.block = 1;

    int noReplies = 0;
    int replyErrors = 0;
    int refusals = 0;
    bool succeeded = false;
    bool versionAskedAgain = false;
    const auto bandTurns = static_cast<int>(2 * receiveBands.size());
    for (;;) {
        job.Address = static_cast<std::uint32_t>(block->start);
        job.Length = static_cast<std::uint8_t>(block->length);
        if (write) {
            std::copy_n(data.Image.begin() + block->start, block->length, job.Data.begin());
        }
        if (progress != nullptr) {
            step.band = job.Band;
            progress->JobStarting(step);
        }
        const JobResult result = RunMemoryJob(link, job);
        switch (result) {
        case JobDone:
            succeeded = true;
            noReplies = 0;
            replyErrors = 0;
            refusals = 0;
            versionAskedAgain = false;
            if (write) {
                trace.Write("KDU_OK write OK");
                FollowWrittenBand(data, *block, job, trace);
            } else {
                std::copy_n(job.Data.begin(), block->length, data.Image.begin() + block->start);
                trace.Write("KDU_OK Read of data");
            }
            data.MarkRange(block->start, block->start + block->length - 1, done);
            step.bytesDone += block->length;
            step.retries = 0;
            block = data.NextBlock(wanted);
            if (!block) {
                trace.Write("COMM_END");
                return ended(SessionComplete);
            }
            ++step.block;
            break;
        case JobNotOpened: return ended(SessionUnitNotOpened);
        case JobInterrupted: trace.Write("Session stopped on request"); return ended(SessionInterrupted);
        case JobVersionRefused:
            // The unit has shown its version in this session already: one disturbed version reply is
            // no reason to ask for new firmware, so the block is tried once more first.
            if (succeeded && !versionAskedAgain) {
                versionAskedAgain = true;
                ++step.retries;
                trace.Write("Version check failed in mid-session, trying the job once more");
                break;
            }
            return ended(SessionFirmwareTooOld);
        case JobNoReply:
            ++step.retries;
            if (++noReplies >= bandTurns) {
                trace.Write(
                    "COMM_TIMEOUT (The frequency list was processed 2 times without connection to device)");
                return ended(SessionTimeOut);
            }
            if (write || !succeeded) {
                job.Band = static_cast<std::uint8_t>(NextCode(receiveBands, job.Band));
                trace.Write("Change frequency to " + BandText(receiveBands, job.Band));
            } else {
                // A device that answered once is on this band; it may only have missed one job.
                trace.Write("KDU_CONFIG_REPLY_TIMEOUT");
            }
            break;
        case JobReplyError:
            ++step.retries;
            trace.Write("CONFIG_REPLY_ERROR");
            if (++replyErrors >= MaxReplyErrors) {
                trace.Write("COMM_TIMEOUT because iReplyErrorCount >=3!");
                return ended(SessionTimeOut);
            }
            break;
        default:
            ++step.retries;
            trace.Write("default: iSessionResult=" + std::to_string(result));
            if (++refusals >= MaxRefusedJobs) {
                trace.Write("COMM_TIMEOUT because the unit refused the job " + std::to_string(refusals) +
                            " times");
                return ended(SessionTimeOut);
            }
            break;
        }
    }
}

std::string EncodeWriteEntry(const ProgData::Bytes& image, std::uint8_t count, std::uint8_t address) {
    std::string entry = HexByte(count) + HexByte(address);
    for (int i = 0; i < count && address + i < ProgData::ImageSize; ++i) {
        entry += HexByte(image[static_cast<std::size_t>(address + i)]);
    }
    return entry;
}

} // namespace vorn
