#pragma once

#include "base/CodeList.h"
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "model/ProgData.h"
#include "session/SessionProgress.h"

#include <cstdint>
#include <string>

// The session engine: moves every marked byte of an image to or from one family A or C device, block
// by block in memory jobs, across the frequency bands of the region.
namespace vorn {

// Reply errors (job result 13) since the last success that end a session with a time-out.
inline constexpr int MaxReplyErrors = 3;
// Jobs the unit refused (job results 2 and 11, and any other unexpected result) since the last
// success that end a session with a time-out. The window is disabled while a session runs, so a unit
// that refuses every job must not hold it for ever; five refusals take a few seconds.
inline constexpr int MaxRefusedJobs = 5;

// Runs one session: a write moves the bytes in state ToWrite and marks them Written, a read fetches
// the bytes in state ToRead into the image and marks them Read. The job's band, radio parameters,
// product type, serial number and direction are the caller's; on return the job's band holds the band
// last used. The band list is the region's receive list, stepped through with NextCode when the device
// does not answer; a version check that fails after a job of the session succeeded repeats the block
// once before the session ends with SessionFirmwareTooOld. Traces go to the link's trace sink. A progress
// observer, when given, hears of every job before it is sent and of the session's end; it changes nothing of
// the session.
SessionResult RunSession(ProgData& data, MemoryJob& job, KduLink& link, const CodeList& receiveBands,
                         SessionProgress* progress = nullptr);

// A family B write entry: count and address, then count bytes of the image from address, each as two
// upper-case hexadecimal digits (4 + 2 x count characters). Bytes beyond the image are left out.
std::string EncodeWriteEntry(const ProgData::Bytes& image, std::uint8_t count, std::uint8_t address);

} // namespace vorn
