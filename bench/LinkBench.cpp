// vorn-bench-link: one family A read's worth of memory jobs (addresses 32-247, four jobs) over a
// pseudo-terminal against the simulated unit answering at once, timed against the protocol's own
// floor: the pulse and settle time that every job must sleep. Prints the wall time, the floor and
// their ratio (target: at most 1.05).
//
//   vorn-bench-link [--runs N]
#include "link/KduLink.h"
#include "link/MemoryJob.h"
#include "link/SerialUnitDriver.h"
#include "sim/PtyBridge.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

} // namespace

int main(int argc, char** argv) {
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--runs N]\n", argv[0]);
            return 2;
        }
    }

    sim::SimScenario scenario;
    scenario.ReplyDelay = Millis{0};
    scenario.PendingPolls = 0;
    sim::MemoryDevice device;
    device.ProductType = 0x23;
    device.SerialNumber = 1234;
    device.Band = 1;
    device.Image[55] = 1;
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
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = 0x23;
    job.SerialNumber = 1234;
    job.Direction = JobRead;

    const auto jobs = std::size(FamilyARead);
    const double floorMs =
        static_cast<double>(jobs) * static_cast<double>((KduLink::PulseTime + KduLink::SettleTime).count());
    std::vector<double> times;
    int failures = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (const auto& block : FamilyARead) {
            job.Address = block.address;
            job.Length = block.length;
            if (RunMemoryJob(link, job) != JobDone) {
                ++failures;
            }
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    stop = true;
    unit.join();

    std::sort(times.begin(), times.end());
    const double best = times.front();
    const double median = times[times.size() / 2];
    std::printf("family A read over a pseudo-terminal: %zu jobs, %d run(s)\n", jobs, runs);
    std::printf("  floor (pulse and settle sleeps): %8.1f ms\n", floorMs);
    std::printf("  wall time, best:                 %8.1f ms  (%.3f x floor)\n", best, best / floorMs);
    std::printf("  wall time, median:               %8.1f ms  (%.3f x floor)\n", median, median / floorMs);
    std::printf("  target: at most %.2f x floor -> %s\n", Target,
                median / floorMs <= Target ? "met" : "NOT met");
    if (failures > 0) {
        std::printf("  %d job(s) failed\n", failures);
        return 1;
    }
    return 0;
}
