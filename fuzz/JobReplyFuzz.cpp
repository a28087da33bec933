// Job-reply decoding: any reply text against any job length stays inside the reply and the job's data,
// and a completed read is only ever taken from a reply of exactly the right length.
#include "link/MemoryJob.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vorn;
    if (size < 1) {
        return 0;
    }
    MemoryJob job;
    job.Length = data[0];
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);
    TraceSink trace(16);
    const JobReplyKind kind = DecodeJobReply(reply, job, trace);
    const bool readReply = reply.size() >= 26 && reply.substr(24, 2) == "02";
    if (kind == JobReplyKind::Done && readReply &&
        (job.Length > MemoryJob::MaxLength || reply.size() != 32 + 2 * std::size_t{job.Length})) {
        __builtin_trap();
    }
    return 0;
}
