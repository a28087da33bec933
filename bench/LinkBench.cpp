// vorn-bench-link: memory jobs and device sessions over a pseudo-terminal against the simulated unit
// answering at once, timed against the protocol's own floor: the pulse and settle time that every job
// must sleep. Prints the wall times, the floor and their ratio (target: at most 1.05).
//
//   vorn-bench-link [--runs N]             one family A read's worth of memory jobs (32-247, four jobs)
//   vorn-bench-link --sessions [--runs N]  a family A read session (four blocks), and a family A write
//                                          of all ranges with the ID code (the pre-read, then six blocks)
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "link/SerialUnitDriver.h"
#include "model/ProgData.h"
#include "session/SessionEngine.h"
#include "sim/PtyBridge.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace {

using namespace vorn;

struct BlockRange {
    std::uint32_t address;
    std::uint8_t length;
};

// The blocks of a family A read.
constexpr BlockRange FamilyARead[] = {{32, 64}, {96, 64}, {160, 64}, {224, 24}};
constexpr double Target = 1.05;
constexpr std::uint32_t Serial = 1234;
const CodeList Bands{"1=869.2125 MHz", "2=868.7125 MHz"};

double FloorOf(std::size_t jobs) {
    return static_cast<double>(jobs) *
           static_cast<double>((KduLink::PulseTime + KduLink::SettleTime).count());
}

// Runs the work the given number of times; prints best and median against the floor; false when a
// run failed or the median misses the target.
bool Measure(const char* title, std::size_t jobs, int runs, const std::function<bool()>& work) {
    const double floorMs = FloorOf(jobs);
    std::vector<double> times;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        failures += work() ? 0 : 1;
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    const double best = times.front();
    const double median = times[times.size() / 2];
    std::printf("%s: %zu jobs, %d run(s)\n", title, jobs, runs);
    std::printf("  floor (pulse and settle sleeps): %8.1f ms\n", floorMs);
    std::printf("  wall time, best:                 %8.1f ms  (%.3f x floor)\n", best, best / floorMs);
    std::printf("  wall time, median:               %8.1f ms  (%.3f x floor)\n", median, median / floorMs);
    std::printf("  target: at most %.2f x floor -> %s\n", Target,
                median / floorMs <= Target ? "met" : "NOT met");
    if (failures > 0) {
        std::printf("  %d run(s) failed\n", failures);
    }
    return failures == 0;
}

// A family A configuration marked as the write flow marks it with the ID code: 32-33, 39-45, 48-116,
// 128-247, which the engine cuts into six blocks.
ProgData FamilyAWrite() {
    ProgData data;
    data.Image[122] = 0x23;
    for (int a = 32; a < 248; ++a) {
        data.Image[a] = static_cast<std::uint8_t>(a);
    }
    data.Image[55] = 1; // the band stays
    data.MarkRange(32, 33, ByteState::ToWrite);
    data.MarkRange(39, 45, ByteState::ToWrite);
    data.MarkRange(48, 116, ByteState::ToWrite);
    data.MarkRange(128, 247, ByteState::ToWrite);
    return data;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 3;
    bool sessions = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--sessions") == 0) {
            sessions = true;
        } else {
            std::fprintf(stderr, "usage: %s [--sessions] [--runs N]\n", argv[0]);
            return 2;
        }
    }

    sim::SimScenario scenario;
    scenario.ReplyDelay = Millis{0};
    scenario.PendingPolls = 0;
    sim::MemoryDevice device;
    device.ProductType = 0x23;
    device.SerialNumber = Serial;
    device.Band = 1;
    device.Image[55] = 1;
    device.Image[47] = 0x21;
    scenario.Devices.push_back(device);

    sim::PtyBridge bridge(scenario);
    std::string error;
    if (!bridge.Open(error)) {
        std::fprintf(stderr, "vorn-bench-link: %s\n", error.c_str());
        return 1;
    }
    std::atomic<bool> stop{false};
    std::thread unit([&] { bridge.Run(stop); });

    RealClock clock;
    TraceSink trace;
    SerialUnitDriver driver(SerialPortOptions{bridge.PortPath()});
    KduLink link(driver, clock, trace);
    // One job record for everything, as the program keeps it: its sequence counter runs on.
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = 0x23;
    job.SerialNumber = Serial;

    bool ok = true;
    if (!sessions) {
        ok = Measure("family A read over a pseudo-terminal", std::size(FamilyARead), runs, [&] {
            bool done = true;
            job.Direction = JobRead;
            for (const auto& block : FamilyARead) {
                job.Address = block.address;
                job.Length = block.length;
                done = RunMemoryJob(link, job) == JobDone && done;
            }
            return done;
        });
    } else {
        ok = Measure("family A read session (32-247)", 4, runs, [&] {
            ProgData data;
            data.Image[122] = 0x23;
            data.MarkRange(32, 247, ByteState::ToRead);
            job.Band = 1;
            job.Direction = JobRead;
            return RunSession(data, job, link, Bands) == SessionComplete;
        });
        ok = Measure("family A write of all ranges with the ID code (pre-read, six blocks)", 7, runs,
                     [&] {
                         ProgData scratch;
                         scratch.MarkRange(32, 47, ByteState::ToRead);
                         job.Band = 1;
                         job.Direction = JobRead;
                         if (RunSession(scratch, job, link, Bands) != SessionComplete) {
                             return false;
                         }
                         ProgData data = FamilyAWrite();
                         job.Band = 1;
                         job.Direction = JobWrite;
                         return RunSession(data, job, link, Bands) == SessionComplete;
                     }) &&
             ok;
    }
    stop = true;
    unit.join();
    return ok ? 0 : 1;
}
