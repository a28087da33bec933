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

} // namespace

int RunSession(ProgData& data, MemoryJob& job, KduLink& link, const CodeList& receiveBands) {
    TraceSink& trace = link.Trace();
    const bool write = job.IsWrite();
    const ByteState wanted = write ? ByteState::ToWrite : ByteState::ToRead;
    const ByteState done = write ? ByteState::Written : ByteState::Read;
    std::optional<Block> block = data.FirstBlock(wanted);
    if (!block) {
        trace.Write("Nothing to read/write from/to memory");
        return SessionNothingToTransfer;
    }

    int noReplies = 0;
    int replyErrors = 0;
    int refusals = 0;
    bool succeeded = false;
    const auto bandTurns = static_cast<int>(2 * receiveBands.size());
    for (;;) {
        job.Address = static_cast<std::uint32_t>(block->start);
        job.Length = static_cast<std::uint8_t>(block->length);
        if (write) {
            std::copy_n(data.Image.begin() + block->start, block->length, job.Data.begin());
        }
        const int result = RunMemoryJob(link, job);
        switch (result) {
        case JobDone:
            succeeded = true;
            noReplies = 0;
            replyErrors = 0;
            refusals = 0;
            if (write) {
                trace.Write("KDU_OK write OK");
                FollowWrittenBand(data, *block, job, trace);
            } else {
                std::copy_n(job.Data.begin(), block->length, data.Image.begin() + block->start);
                trace.Write("KDU_OK Read of data");
            }
            data.MarkRange(block->start, block->start + block->length - 1, done);
            block = data.NextBlock(wanted);
            if (!block) {
                trace.Write("COMM_END");
                return SessionComplete;
            }
            break;
        case JobNotOpened: return SessionUnitNotOpened;
        case JobVersionRefused: return SessionFirmwareTooOld;
        case JobNoReply:
            if (++noReplies >= bandTurns) {
                trace.Write(
                    "COMM_TIMEOUT (The frequency list was processed 2 times without connection to device)");
                return SessionTimeOut;
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
            trace.Write("CONFIG_REPLY_ERROR");
            if (++replyErrors >= MaxReplyErrors) {
                trace.Write("COMM_TIMEOUT because iReplyErrorCount >=3!");
                return SessionTimeOut;
            }
            break;
        default:
            trace.Write("default: iSessionResult=" + std::to_string(result));
            if (++refusals >= MaxRefusedJobs) {
                trace.Write("COMM_TIMEOUT because the unit refused the job " + std::to_string(refusals) +
                            " times");
                return SessionTimeOut;
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
