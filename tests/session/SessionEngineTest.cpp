#include "session/SessionEngine.h"

#include "model/BandSetting.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"
#include "support/SimLink.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using test::FramedReply;
using test::RawReply;
using test::SimLink;

constexpr std::uint32_t Serial = 1234;
const CodeList ThreeBands{"1=869.2125 MHz", "2=868.7125 MHz", "6=869.4125 MHz"};

sim::SimScenario OneDevice(std::uint8_t type = 0x23, std::uint8_t band = 1) {
    sim::SimScenario scenario;
    scenario.PendingPolls = 0;
    scenario.NoAnswerPolls = 0;
    sim::MemoryDevice device;
    device.ProductType = type;
    device.SerialNumber = Serial;
    device.Band = band;
    for (std::size_t i = 0; i < device.Image.size(); ++i) {
        device.Image[i] = static_cast<std::uint8_t>(i * 3 + 1);
    }
    StoreBandSetting(type, band, device.Image);
    scenario.Devices.push_back(device);
    return scenario;
}

MemoryJob JobFor(std::uint8_t direction, std::uint8_t type = 0x23, std::uint8_t band = 1) {
    MemoryJob job;
    job.Band = band;
    job.ProductTypeNumber = type;
    job.SerialNumber = Serial;
    job.Direction = direction;
    return job;
}

// One memory job as the unit saw it: the band of its radio parameters and the block it asked for.
struct SeenJob {
    int band;
    int address;
    int length;
    friend bool operator==(const SeenJob&, const SeenJob&) = default;
    friend void PrintTo(const SeenJob& j, std::ostream* os) {
        *os << "band " << j.band << " " << j.address << "/" << j.length;
    }
};

int Hex(const std::string& text) {
    return std::stoi(text, nullptr, 16);
}

std::vector<SeenJob> SeenJobs(SimLink& sim) {
    std::vector<SeenJob> jobs;
    int band = -1;
    for (const std::string& payload : sim.unit.Firmware().ReceivedPayloads()) {
        if (payload.size() == 9 && payload[0] == 'q') {
            band = Hex(payload.substr(1, 2));
        } else if (payload.size() >= 19 && payload[0] == 'Q') {
            jobs.push_back({band, Hex(payload.substr(13, 4)), Hex(payload.substr(17, 2))});
        }
    }
    return jobs;
}

ProgData Marked(int first, int last, ByteState state) {
    ProgData data;
    data.Image[ProductTypeAddress] = 0x23;
    data.MarkRange(first, last, state);
    return data;
}

TEST(SessionEngineTest, ReadOfTheFamilyARangeRunsFourJobs) {
    SimLink sim(OneDevice());
    ProgData data = Marked(32, 247, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(SeenJobs(sim), (std::vector<SeenJob>{{1, 32, 64}, {1, 96, 64}, {1, 160, 64}, {1, 224, 24}}));
    const auto& device = sim.Scenario().Devices[0].Image;
    for (int a = 0; a < 256; ++a) {
        const bool read = a >= 32 && a <= 247;
        EXPECT_EQ(data.Image[a], read ? device[a] : (a == ProductTypeAddress ? 0x23 : 0)) << a;
        EXPECT_EQ(data.State[a], read ? ByteState::Read : ByteState::Idle) << a;
    }
    EXPECT_EQ(sim.trace.Lines(),
              (std::vector<std::string>{"KDU_OK Read of data", "KDU_OK Read of data", "KDU_OK Read of data",
                                        "KDU_OK Read of data", "COMM_END"}));
    EXPECT_EQ(job.SequenceCounter, 4);
}

TEST(SessionEngineTest, ReadOfTheFamilyCRangesRunsThreeJobs) {
    SimLink sim(OneDevice(0x4B));
    ProgData data;
    data.Image[ProductTypeAddress] = 0x4B;
    data.MarkRange(0, 37, ByteState::ToRead);
    data.MarkRange(46, 68, ByteState::ToRead);
    data.MarkRange(112, 137, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead, 0x4B);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(SeenJobs(sim), (std::vector<SeenJob>{{1, 0, 38}, {1, 46, 23}, {1, 112, 26}}));
}

TEST(SessionEngineTest, NothingMarkedOpensNothing) {
    SimLink sim(OneDevice());
    ProgData data = Marked(32, 247, ByteState::ToRead);
    MemoryJob job = JobFor(JobWrite);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionNothingToTransfer);
    EXPECT_EQ(sim.unit.OpenCount(), 0);
    EXPECT_EQ(sim.trace.Lines(), std::vector<std::string>{"Nothing to read/write from/to memory"});
}

TEST(SessionEngineTest, ASilentDeviceIsSoughtTwiceOnEveryBandThenTimesOut) {
    SimLink sim(OneDevice());
    sim.Scenario().Devices[0].Present = false;
    ProgData data = Marked(32, 95, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionTimeOut);
    std::vector<int> bands;
    for (const SeenJob& seen : SeenJobs(sim)) {
        bands.push_back(seen.band);
    }
    EXPECT_EQ(bands, (std::vector<int>{1, 2, 6, 1, 2, 6}));
    EXPECT_EQ(sim.trace.Lines(),
              (std::vector<std::string>{
                  "Change frequency to 868.7125 MHz", "Change frequency to 869.4125 MHz",
                  "Change frequency to 869.2125 MHz", "Change frequency to 868.7125 MHz",
                  "Change frequency to 869.4125 MHz",
                  "COMM_TIMEOUT (The frequency list was processed 2 times without connection to device)"}));
    EXPECT_EQ(data.State[32], ByteState::ToRead);
    EXPECT_EQ(data.State[95], ByteState::ToRead);
}

TEST(SessionEngineTest, AStartBandOutsideTheListStepsToTheFirstEntry) {
    SimLink sim(OneDevice(0x23, 6));
    ProgData data = Marked(32, 40, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead, 0x23, 9);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(SeenJobs(sim), (std::vector<SeenJob>{{9, 32, 9}, {1, 32, 9}, {2, 32, 9}, {6, 32, 9}}));
    EXPECT_EQ(job.Band, 6);
}

TEST(SessionEngineTest, AReadThatHasReachedTheDeviceStaysOnItsBand) {
    SimLink sim(OneDevice());
    sim.AddFault(FramedReply("05", "Q$", 1)); // the second job's only poll
    sim.Scenario().Faults.back().skip = 1;
    ProgData data = Marked(32, 159, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(SeenJobs(sim), (std::vector<SeenJob>{{1, 32, 64}, {1, 96, 64}, {1, 96, 64}}));
    EXPECT_TRUE(sim.trace.Contains("KDU_CONFIG_REPLY_TIMEOUT"));
    EXPECT_FALSE(sim.trace.Contains("Change frequency"));
}

TEST(SessionEngineTest, AReadThatLosesTheDeviceGivesUpAfterTwiceTheListLength) {
    SimLink sim(OneDevice());
    sim.AddFault(FramedReply("05", "Q$", -1));
    sim.Scenario().Faults.back().skip = 1;
    ProgData data = Marked(32, 159, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionTimeOut);
    EXPECT_EQ(SeenJobs(sim).size(), 7u);
    EXPECT_EQ(sim.trace.CountContaining("KDU_CONFIG_REPLY_TIMEOUT"), 5u);
    // The block done stays read and in the image; the rest is still to be read.
    EXPECT_EQ(data.State[95], ByteState::Read);
    EXPECT_EQ(data.Image[95], sim.Scenario().Devices[0].Image[95]);
    EXPECT_EQ(data.State[96], ByteState::ToRead);
}

// The blocks of a family A write of all ranges with the ID code.
ProgData FullFamilyAWrite(std::uint8_t newBand) {
    ProgData data = Marked(32, 33, ByteState::ToWrite);
    data.MarkRange(39, 45, ByteState::ToWrite);
    data.MarkRange(48, 116, ByteState::ToWrite);
    data.MarkRange(128, 247, ByteState::ToWrite);
    for (int a = 32; a < 248; ++a) {
        data.Image[a] = static_cast<std::uint8_t>(0xA0 ^ a);
    }
    data.Image[55] = newBand;
    return data;
}

TEST(SessionEngineTest, AWrittenBandByteMovesTheFollowingBlocksToTheNewBand) {
    SimLink sim(OneDevice());
    ProgData data = FullFamilyAWrite(6);
    MemoryJob job = JobFor(JobWrite);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(
        SeenJobs(sim),
        (std::vector<SeenJob>{{1, 32, 2}, {1, 39, 7}, {1, 48, 64}, {6, 112, 5}, {6, 128, 64}, {6, 192, 56}}));
    EXPECT_EQ(sim.trace.CountContaining("Change frequency band 6"), 1u);
    EXPECT_EQ(data.CountState(ByteState::ToWrite), 0);
    EXPECT_EQ(sim.Scenario().Devices[0].Band, 6);
    EXPECT_EQ(sim.Scenario().Devices[0].Image[200], 0xA0 ^ 200);
}

TEST(SessionEngineTest, ABlockEndingBeforeTheBandByteKeepsTheBand) {
    SimLink sim(OneDevice());
    ProgData data = Marked(39, 54, ByteState::ToWrite);
    data.Image[55] = 6;
    MemoryJob job = JobFor(JobWrite);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(job.Band, 1);
    EXPECT_FALSE(sim.trace.Contains("Change frequency band"));
}

TEST(SessionEngineTest, AFamilyCWriteFollowsTheReceiveFrequencyNotAddress55) {
    SimLink sim(OneDevice(0x4B));
    ProgData data;
    data.Image[ProductTypeAddress] = 0x4B;
    StoreBandSetting(0x4B, 2, data.Image); // band 2's carrier frequencies
    data.Image[55] = 9;                    // a receiver ID byte, not a band
    data.MarkRange(0, 20, ByteState::ToWrite);
    data.MarkRange(23, 31, ByteState::ToWrite);
    data.MarkRange(48, 68, ByteState::ToWrite);
    MemoryJob job = JobFor(JobWrite, 0x4B);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(SeenJobs(sim), (std::vector<SeenJob>{{1, 0, 21}, {2, 23, 9}, {2, 48, 21}}));
    EXPECT_EQ(job.Band, 2);
    EXPECT_EQ(sim.trace.CountContaining("Change frequency band"), 1u);
}

// The reply-error rule: three in a row end the session; a success in between starts the count again.
struct ErrorCase {
    const char* name;
    std::vector<bool> errors; // per job in order: a reply error (true) or the device's answer
    int result;
    friend void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }
};

class ReplyErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ReplyErrorTest, ThreeInARowTimeOut) {
    const ErrorCase& c = GetParam();
    SimLink sim(OneDevice());
    int skip = 0;
    for (bool error : c.errors) {
        if (error) {
            sim::FaultRule rule = FramedReply(std::string(24, '0') + "09" + std::string(6, '0'), "Q$", 1);
            // A rule sees every poll that no earlier rule took: the successes before its own.
            rule.skip = skip;
            sim.AddFault(rule);
        } else {
            ++skip;
        }
    }
    ProgData data = Marked(0, 255, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), c.result);
    const std::size_t errors = static_cast<std::size_t>(std::count(c.errors.begin(), c.errors.end(), true));
    EXPECT_EQ(sim.trace.CountContaining("CONFIG_REPLY_ERROR"), errors);
    EXPECT_EQ(sim.trace.Contains("COMM_TIMEOUT because iReplyErrorCount >=3!"), c.result == SessionTimeOut);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ReplyErrorTest,
    ::testing::Values(
        ErrorCase{"ThreeInARow", {true, true, true}, SessionTimeOut},
        ErrorCase{"TwoThenSuccess", {true, true, false, false, false, false}, SessionComplete},
        ErrorCase{"SuccessBetween", {true, true, false, true, true, false, false, false}, SessionComplete},
        ErrorCase{"AfterTheFirstBlock", {false, true, true, true}, SessionTimeOut}),
    test::CaseName{});

// Job results that end a session at once, or after the bound on refused jobs.
struct EndCase {
    const char* name;
    std::function<void(SimLink&)> arrange;
    int result;
    int opens;
    friend void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }
};

class SessionEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(SessionEndTest, EndsWithItsResult) {
    const EndCase& c = GetParam();
    SimLink sim(OneDevice());
    c.arrange(sim);
    ProgData data = Marked(32, 247, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), c.result);
    EXPECT_EQ(sim.unit.OpenCount(), c.opens);
    EXPECT_FALSE(sim.unit.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Results, SessionEndTest,
    ::testing::Values(
        EndCase{"NoUnit", [](SimLink& s) { s.unit.Unplug(); }, SessionUnitNotOpened, 0},
        EndCase{"AccessDenied", [](SimLink& s) { s.Scenario().OpenDenied = true; }, SessionUnitNotOpened, 0},
        EndCase{"FirmwareTooOld", [](SimLink& s) { s.Scenario().VersionText = "16-1.05 KDU"; },
                SessionFirmwareTooOld, 1},
        EndCase{"OtherUnitType", [](SimLink& s) { s.Scenario().VersionText = "17-2.05 KDU"; },
                SessionFirmwareTooOld, 1},
        EndCase{"VersionNotAnswered", [](SimLink& s) { s.AddFault(RawReply("", "v", -1)); },
                SessionFirmwareTooOld, 1},
        EndCase{"UnitRefusesEveryJob", [](SimLink& s) { s.AddFault(RawReply("\x15", "h", -1)); },
                SessionTimeOut, MaxRefusedJobs},
        EndCase{"UnitRefusesTwiceOnly", [](SimLink& s) { s.AddFault(RawReply("\x15", "h", 2)); },
                SessionComplete, 6},
        EndCase{"UnpluggedAfterTheFirstBlock",
                [](SimLink& s) {
                    sim::FaultRule unplug = RawReply("", "Q", 1);
                    unplug.kind = sim::FaultKind::Unplug;
                    unplug.position = 1000;
                    unplug.skip = 3; // the second job's request
                    s.AddFault(unplug);
                },
                SessionUnitNotOpened, 2}),
    test::CaseName{});

TEST(SessionEngineTest, AnUnplugLeavesTheBlocksDoneReadAndTheRestToRead) {
    SimLink sim(OneDevice());
    sim::FaultRule unplug = RawReply("", "Q", 1);
    unplug.kind = sim::FaultKind::Unplug;
    unplug.position = 1000;
    unplug.skip = 3;
    sim.AddFault(unplug);
    ProgData data = Marked(32, 247, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionUnitNotOpened);
    EXPECT_EQ(data.State[32], ByteState::Read);
    EXPECT_EQ(data.State[95], ByteState::Read);
    EXPECT_EQ(data.State[96], ByteState::ToRead);
    EXPECT_EQ(data.State[247], ByteState::ToRead);
}

TEST(SessionEngineTest, TheBoundOnRefusedJobsIsTracedAndCountsOnlySinceTheLastSuccess) {
    SimLink sim(OneDevice());
    sim::FaultRule refuse = RawReply("\x15", "h", MaxRefusedJobs - 1);
    refuse.skip = 1; // the first job passes, then four refusals, then the rest pass
    sim.AddFault(refuse);
    ProgData data = Marked(32, 247, ByteState::ToRead);
    MemoryJob job = JobFor(JobRead);
    EXPECT_EQ(RunSession(data, job, sim.link, ThreeBands), SessionComplete);
    EXPECT_EQ(sim.trace.CountContaining("default: iSessionResult=2"),
              static_cast<std::size_t>(MaxRefusedJobs - 1));
    EXPECT_FALSE(sim.trace.Contains("refused the job"));
}

TEST(EncodeWriteEntryTest, CountAddressThenTheBytes) {
    ProgData::Bytes image{};
    image[0x20] = 0x12;
    image[0x21] = 0xAB;
    EXPECT_EQ(EncodeWriteEntry(image, 2, 0x20), "022012AB");
    image[0x27] = 0x0F;
    image[0x2B] = 0xF0;
    EXPECT_EQ(EncodeWriteEntry(image, 5, 0x27), "05270F000000F0");
    image[0xFF] = 0x5A;
    EXPECT_EQ(EncodeWriteEntry(image, 3, 0xFF), "03FF5A"); // nothing beyond the image
}

} // namespace
} // namespace vorn
