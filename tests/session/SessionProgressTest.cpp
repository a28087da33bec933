// The session engine's progress observer: what it hears of a session, and that a session runs the same
// with it as without it (the same jobs on the same bands, the same traces, the same image).
#include "model/BandSetting.h"
#include "model/Catalogue.h"
#include "session/SessionEngine.h"
#include "support/CaseName.h"
#include "support/SimLink.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vorn {
namespace {

constexpr std::uint32_t Serial = 77;
const CodeList ThreeBands{"1=869.2125 MHz", "2=868.7125 MHz", "6=869.4125 MHz"};

class RecordingProgress : public SessionProgress {
public:
    void JobStarting(const SessionStep& step) override { steps.push_back(step); }
    void SessionEnded(int result, const SessionStep& last) override {
        results.push_back(result);
        ends.push_back(last);
    }
    std::vector<SessionStep> steps;
    std::vector<int> results;
    std::vector<SessionStep> ends;
};

// A step as "block/blocks band retries done/bytes", for comparing whole sequences.
std::string Shown(const SessionStep& s) {
    return std::to_string(s.block) + "/" + std::to_string(s.blocks) + " b" + std::to_string(s.band) + " r" +
           std::to_string(s.retries) + " " + std::to_string(s.bytesDone) + "/" + std::to_string(s.bytes);
}

struct ProgressCase {
    const char* name;
    bool write;
    std::function<void(test::SimLink&)> setUp;
    int result;
    std::vector<std::string> steps;
    std::string end;
};

struct Outcome {
    int result;
    std::vector<std::string> payloads;
    std::vector<std::string> traces;
    ProgData::Bytes image;
    std::uint8_t band;
};

Outcome RunCase(const ProgressCase& c, SessionProgress* progress) {
    sim::SimScenario scenario;
    scenario.PendingPolls = 0;
    scenario.NoAnswerPolls = 0;
    sim::MemoryDevice device;
    device.SerialNumber = Serial;
    device.Band = 2;
    for (std::size_t i = 0; i < device.Image.size(); ++i) {
        device.Image[i] = static_cast<std::uint8_t>(i + 5);
    }
    StoreBandSetting(0x23, 2, device.Image);
    scenario.Devices.push_back(device);
    test::SimLink sim(scenario);
    c.setUp(sim);

    ProgData data;
    data.Image[ProductTypeAddress] = 0x23;
    for (int a = 32; a < 248; ++a) {
        data.Image[a] = static_cast<std::uint8_t>(a);
    }
    data.Image[55] = 6; // a write moves the device to band 6
    data.MarkRange(32, 190, c.write ? ByteState::ToWrite : ByteState::ToRead);
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = 0x23;
    job.SerialNumber = Serial;
    job.Direction = c.write ? JobWrite : JobRead;
    const int result = RunSession(data, job, sim.link, ThreeBands, progress);
    return {result, sim.unit.Firmware().ReceivedPayloads(), sim.trace.Lines(), data.Image, job.Band};
}

class SessionProgressTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(SessionProgressTest, ReportsEveryJobAndChangesNothing) {
    const ProgressCase& c = GetParam();
    RecordingProgress progress;
    const Outcome observed = RunCase(c, &progress);
    const Outcome plain = RunCase(c, nullptr);
    EXPECT_EQ(observed.result, c.result);
    EXPECT_EQ(observed.result, plain.result);
    EXPECT_EQ(observed.payloads, plain.payloads);
    EXPECT_EQ(observed.traces, plain.traces);
    EXPECT_EQ(observed.image, plain.image);
    EXPECT_EQ(observed.band, plain.band);

    std::vector<std::string> steps;
    for (const SessionStep& step : progress.steps) {
        EXPECT_EQ(step.write, c.write);
        steps.push_back(Shown(step));
    }
    EXPECT_EQ(steps, c.steps);
    ASSERT_EQ(progress.results, std::vector<int>{c.result});
    EXPECT_EQ(Shown(progress.ends.front()), c.end);
    EXPECT_EQ(progress.ends.front().band, observed.band);
}

void Nothing(test::SimLink&) {}
void MissOneJob(test::SimLink& sim) {
    sim::FaultRule rule;
    rule.match = "Q$";
    rule.kind = sim::FaultKind::Payload;
    rule.bytes = "05";
    rule.skip = 2; // polls: band 1 (nobody), band 2 (block 1), then block 2's first
    sim.AddFault(rule);
}
void Absent(test::SimLink& sim) {
    sim.Scenario().Devices[0].Present = false;
}

// 32-190 is two blocks of 64 and one of 31 bytes (159 in all); the device listens on band 2, the
// session starts on band 1.
INSTANTIATE_TEST_SUITE_P(
    Cases, SessionProgressTest,
    ::testing::Values(
        ProgressCase{"ReadFindsTheBandThenReadsThreeBlocks",
                     false,
                     Nothing,
                     SessionComplete,
                     {"1/3 b1 r0 0/159", "1/3 b2 r1 0/159", "2/3 b2 r0 64/159", "3/3 b2 r0 128/159"},
                     "3/3 b2 r0 159/159"},
        // The band setting at 55 is in the first block: the next blocks go out on the new band.
        ProgressCase{"WriteFollowsTheWrittenBand",
                     true,
                     Nothing,
                     SessionComplete,
                     {"1/3 b1 r0 0/159", "1/3 b2 r1 0/159", "2/3 b6 r0 64/159", "3/3 b6 r0 128/159"},
                     "3/3 b6 r0 159/159"},
        // A read that has found its device repeats a missed job on the same band.
        ProgressCase{"AMissedJobIsARetryOnTheSameBand",
                     false,
                     MissOneJob,
                     SessionComplete,
                     {"1/3 b1 r0 0/159", "1/3 b2 r1 0/159", "2/3 b2 r0 64/159", "2/3 b2 r1 64/159",
                      "3/3 b2 r0 128/159"},
                     "3/3 b2 r0 159/159"},
        ProgressCase{"ADeviceThatNeverAnswers",
                     false,
                     Absent,
                     SessionTimeOut,
                     {"1/3 b1 r0 0/159", "1/3 b2 r1 0/159", "1/3 b6 r2 0/159", "1/3 b1 r3 0/159",
                      "1/3 b2 r4 0/159", "1/3 b6 r5 0/159"},
                     "1/3 b6 r6 0/159"}),
    test::CaseName{});

TEST(SessionProgress, NothingToTransferEndsAtOnce) {
    test::SimLink sim;
    RecordingProgress progress;
    ProgData data;
    MemoryJob job;
    job.Direction = JobRead;
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands, &progress), SessionNothingToTransfer);
    EXPECT_TRUE(progress.steps.empty());
    ASSERT_EQ(progress.results, std::vector<int>{SessionNothingToTransfer});
    EXPECT_EQ(progress.ends.front().blocks, 0);
}

} // namespace
} // namespace vorn
