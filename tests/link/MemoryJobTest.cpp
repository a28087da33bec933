#include "link/MemoryJob.h"

#include "support/CaseName.h"
#include "support/SimLink.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using sim::FaultKind;
using sim::FaultRule;
using test::FramedReply;
using test::RawReply;
using test::SimLink;

constexpr std::uint32_t Serial = 1234;

sim::SimScenario OneDevice() {
    sim::SimScenario scenario;
    sim::MemoryDevice device;
    device.ProductType = 0x23;
    device.SerialNumber = Serial;
    device.Band = 1;
    for (std::size_t i = 0; i < device.Image.size(); ++i) {
        device.Image[i] = static_cast<std::uint8_t>(i ^ 0x5A);
    }
    scenario.Devices.push_back(device);
    return scenario;
}

MemoryJob ReadJob(std::uint32_t address = 0x20, std::uint8_t length = 16) {
    MemoryJob job;
    job.Band = 1;
    job.ProductTypeNumber = 0x23;
    job.SerialNumber = Serial;
    job.Direction = JobRead;
    job.Address = address;
    job.Length = length;
    return job;
}

// A read reply: 24 characters of header, kind "02", 6 more, the data.
std::string ReadReply(std::size_t dataCharacters) {
    return std::string(24, '0') + "02" + std::string(6, '0') + std::string(dataCharacters, 'A');
}

TEST(JobRequestTest, ReadAndWriteRequestTexts) {
    MemoryJob job = ReadJob(0x20, 16);
    job.SequenceCounter = 7;
    job.ProductTypeNumber = 3;
    EXPECT_EQ(job.RequestText(), "07030004D200002010");
    job.Direction = JobWrite;
    job.Length = 3;
    job.Data[0] = 0x01;
    job.Data[1] = 0xAB;
    job.Data[2] = 0xF0;
    EXPECT_EQ(job.RequestText(), "07030004D201002003"
                                 "01ABF0");
    job.Length = 64;
    EXPECT_EQ(job.RequestText().size(), 146u);
}

TEST(JobRequestTest, SequenceCounterRunsOnAndWraps) {
    SimLink sim(OneDevice());
    MemoryJob job = ReadJob();
    job.SequenceCounter = 254;
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobDone);
    EXPECT_EQ(job.SequenceCounter, 0);
    const auto& received = sim.unit.Firmware().ReceivedPayloads();
    EXPECT_EQ(std::count(received.begin(), received.end(), "QFF230004D200002010"), 1);
    EXPECT_EQ(std::count(received.begin(), received.end(), "Q00230004D200002010"), 1);
}

TEST(MemoryJobTest, ReadFillsTheDataAndTheConversationIsComplete) {
    SimLink sim(OneDevice());
    MemoryJob job = ReadJob(0x20, 16);
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobDone);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(job.Data[i], (0x20 + i) ^ 0x5A) << i;
    }
    EXPECT_EQ(sim.unit.Firmware().ReceivedPayloads(),
              (std::vector<std::string>{"v", "h1", "q01040006", "Q01230004D200002010", "Q", "Q", "Q"}));
    EXPECT_EQ(sim.unit.Firmware().LineChanges().size(), 3u); // resting, pulse, resting
    EXPECT_FALSE(sim.unit.IsOpen());
    EXPECT_FALSE(sim.link.IsOpen());
}

TEST(MemoryJobTest, WriteStoresTheDataInTheDevice) {
    SimLink sim(OneDevice());
    MemoryJob job = ReadJob(0x30, 4);
    job.Direction = JobWrite;
    job.Data = {0xDE, 0xAD, 0xBE, 0xEF};
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobDone);
    const auto& image = sim.Scenario().Devices[0].Image;
    EXPECT_EQ(image[0x30], 0xDE);
    EXPECT_EQ(image[0x33], 0xEF);
    EXPECT_EQ(image[0x34], 0x34 ^ 0x5A);
}

struct JobCase {
    const char* name;
    std::function<void(SimLink&, MemoryJob&)> arrange;
    int result;
    std::vector<std::string> traces;
    friend void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }
};

class JobOutcomeTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(JobOutcomeTest, EndsWithItsResult) {
    const JobCase& c = GetParam();
    SimLink sim(OneDevice());
    MemoryJob job = ReadJob();
    c.arrange(sim, job);
    EXPECT_EQ(RunMemoryJob(sim.link, job), c.result);
    EXPECT_EQ(sim.trace.Lines(), c.traces);
    EXPECT_FALSE(sim.unit.IsOpen());
}

FaultRule Poll(FaultRule rule) {
    rule.match = "Q$";
    return rule;
}

FaultRule SilentPolls(int times) {
    FaultRule rule;
    rule.match = "Q$";
    rule.kind = FaultKind::Silence;
    rule.times = times;
    return rule;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, JobOutcomeTest,
    ::testing::Values(
        JobCase{"NoUnit", [](SimLink& s, MemoryJob&) { s.unit.Unplug(); }, JobNotOpened, {}},
        JobCase{"OldFirmware",
                [](SimLink& s, MemoryJob&) { s.Scenario().VersionText = "16-1.05 KDU"; },
                JobVersionRefused,
                {}},
        JobCase{"SilentVersion",
                [](SimLink& s, MemoryJob&) {
                    s.AddFault({"v", FaultKind::Silence});
                },
                JobVersionRefused,
                {}},
        JobCase{"SetHRefused",
                [](SimLink& s, MemoryJob&) { s.AddFault(RawReply("\x15", "h")); },
                JobNotAcknowledged,
                {}},
        JobCase{"RadioParametersRefused",
                [](SimLink& s, MemoryJob&) { s.AddFault(RawReply("\x15", "q")); },
                JobNotAcknowledged,
                {}},
        JobCase{"RequestRefused",
                [](SimLink& s, MemoryJob&) { s.AddFault(RawReply("\x15", "Q0")); },
                JobNotAcknowledged,
                {}},
        JobCase{"DeviceAbsent", [](SimLink&, MemoryJob& j) { j.SerialNumber = 999; }, JobNoReply, {}},
        JobCase{"DeviceOnAnotherBand", [](SimLink&, MemoryJob& j) { j.Band = 2; }, JobNoReply, {}},
        JobCase{"FiveEndsAtOnce",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply("05"))); },
                JobNoReply,
                {}},
        JobCase{"PendingDoesNotUseUpFailedPolls",
                [](SimLink& s, MemoryJob&) {
                    // 50 polls without reply, then ten "02" answers, then the data.
                    s.AddFault(SilentPolls(50));
                    s.Scenario().Devices[0].PendingPolls = 60;
                },
                JobDone,
                {}},
        JobCase{"FiftyOneFailedPolls",
                [](SimLink& s, MemoryJob&) { s.AddFault(SilentPolls(51)); },
                JobNoReply,
                {}},
        JobCase{"RefusedPollsCountAsFailed",
                [](SimLink& s, MemoryJob&) { s.AddFault(RawReply("\x15", "Q$", -1)); },
                JobNoReply,
                {}},
        JobCase{"ReadReplyOfExactLength",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply(ReadReply(32)))); },
                JobDone,
                {}},
        JobCase{"ReadReplyOneLonger",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply(ReadReply(33)))); },
                JobReplyError,
                {}},
        JobCase{"ReadReplyOneShorter",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply(ReadReply(31)))); },
                JobReplyError,
                {}},
        JobCase{"WriteAcknowledgementOfAnyLength",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply(std::string(24, '0') + "03"))); },
                JobDone,
                {}},
        JobCase{"UnknownKind",
                [](SimLink& s, MemoryJob&) {
                    s.AddFault(Poll(FramedReply(std::string(24, '0') + "04" + "0000")));
                },
                JobReplyError,
                {"Unknown R/W parameter"}},
        JobCase{"TenCharactersHaveNoKind",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply("0000000000"))); },
                JobReplyError,
                {"Unknown R/W parameter"}},
        JobCase{"OtherTwoCharacterReply",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply("0A"))); },
                JobDone,
                {"Other reply, 2 bytes: 4865"}},
        JobCase{"ShortReply",
                [](SimLink& s, MemoryJob&) { s.AddFault(Poll(FramedReply("12345"))); },
                JobDone,
                {"Reply length is not 2 or >=10"}},
        JobCase{"UnpluggedWhilePolling",
                [](SimLink& s, MemoryJob&) {
                    FaultRule unplug{"Q$", FaultKind::Unplug};
                    unplug.position = 3;
                    unplug.gap = 5ms;
                    s.AddFault(unplug);
                },
                JobNoReply,
                {}},
        JobCase{"LengthAbove64", [](SimLink&, MemoryJob& j) { j.Length = 65; }, JobCannotBeSent, {}},
        JobCase{"SerialNumberAboveSixDigits",
                [](SimLink&, MemoryJob& j) { j.SerialNumber = 0x1000000; },
                JobCannotBeSent,
                {}}),
    test::CaseName{});

TEST(MemoryJobTest, TooLongJobSendsOnlyTheVersionQuery) {
    SimLink sim(OneDevice());
    MemoryJob job = ReadJob(0x20, 65);
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobCannotBeSent);
    EXPECT_EQ(sim.unit.Firmware().ReceivedPayloads(), std::vector<std::string>{"v"});
    EXPECT_EQ(job.SequenceCounter, 1);
}

TEST(MemoryJobTest, NoReplyJobTakesFiftyOnePollsInProtocolTimeAndMillisecondsOfRealTime) {
    SimLink sim(OneDevice());
    sim.AddFault(SilentPolls(-1));
    MemoryJob job = ReadJob();
    const auto realStart = std::chrono::steady_clock::now();
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobNoReply);
    const auto realTime = std::chrono::steady_clock::now() - realStart;
    const auto& received = sim.unit.Firmware().ReceivedPayloads();
    EXPECT_EQ(std::count(received.begin(), received.end(), "Q"), 51);
    EXPECT_GE(sim.clock.Now(), 400ms + 51 * 250ms);
    EXPECT_LT(sim.clock.Now(), 400ms + 52 * 250ms);
    EXPECT_LT(realTime, 500ms);
}

TEST(MemoryJobTest, EndlessPendingRepliesAreBounded) {
    SimLink sim(OneDevice());
    sim.Scenario().Devices[0].PendingPolls = sim::SimScenario::Forever;
    MemoryJob job = ReadJob();
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobNoReply);
    EXPECT_EQ(sim.trace.Lines(), std::vector<std::string>{"Reply still pending after 30 s, giving up"});
    EXPECT_GE(sim.clock.Now(), MemoryJob::MaxPendingTime);
    EXPECT_LT(sim.clock.Now(), MemoryJob::MaxPendingTime + 1s);
}

TEST(MemoryJobTest, WritingTheBandByteMovesTheDevice) {
    SimLink sim(OneDevice());
    MemoryJob job = ReadJob(48, 16);
    job.Direction = JobWrite;
    job.Data[55 - 48] = 3;
    EXPECT_EQ(RunMemoryJob(sim.link, job), JobDone);
    MemoryJob read = ReadJob(32, 4);
    EXPECT_EQ(RunMemoryJob(sim.link, read), JobNoReply);
    read.Band = 3;
    EXPECT_EQ(RunMemoryJob(sim.link, read), JobDone);
}

struct DecodeCase {
    const char* name;
    std::string reply;
    std::uint8_t length;
    JobReplyKind kind;
    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

class DecodeJobReplyTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeJobReplyTest, Classifies) {
    MemoryJob job;
    job.Length = GetParam().length;
    TraceSink trace;
    EXPECT_EQ(DecodeJobReply(GetParam().reply, job, trace), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Replies, DecodeJobReplyTest,
                         ::testing::Values(DecodeCase{"ReadLengthAboveTheJobLimit",
                                                      std::string(24, '0') + "02" + std::string(6 + 130, '1'),
                                                      65, JobReplyKind::ReplyError},
                                           DecodeCase{"TwentyFive", std::string(25, '0'), 4,
                                                      JobReplyKind::ReplyError}),
                         test::CaseName{});

TEST(DecodeJobReplyTest, DecodesDataHighNibbleFirst) {
    MemoryJob job;
    job.Length = 3;
    TraceSink trace;
    ASSERT_EQ(DecodeJobReply(std::string(24, '0') + "02" + std::string(6, '0') + "00A5FF", job, trace),
              JobReplyKind::Done);
    EXPECT_EQ(job.Data[0], 0x00);
    EXPECT_EQ(job.Data[1], 0xA5);
    EXPECT_EQ(job.Data[2], 0xFF);
}

} // namespace
} // namespace vorn
