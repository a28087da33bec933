#include "link/KduLink.h"

#include "support/CallbackPump.h"
#include "support/CaseName.h"
#include "support/SimLink.h"

#include <chrono>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using sim::FaultKind;
using sim::FaultRule;
using test::CallbackPump;
using test::FramedReply;
using test::RawReply;
using test::SimLink;

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) {
        bytes += static_cast<char>(v);
    }
    return bytes;
}

std::span<const std::uint8_t> AsSpan(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// --- Framing --------------------------------------------------------------------------------------

struct FrameCase {
    const char* name;
    std::string payload;
    std::string wire; // empty: nothing is sent
    friend void PrintTo(const FrameCase& c, std::ostream* os) { *os << c.name; }
};

class SendFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(SendFrameTest, FramesThePayload) {
    const FrameCase& c = GetParam();
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    sim.unit.ClearWritten();
    EXPECT_EQ(sim.link.SendFrame(c.payload), static_cast<int>(c.wire.size()));
    EXPECT_EQ(sim.unit.Written(), c.wire);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, SendFrameTest,
    ::testing::Values(FrameCase{"ListenOff", "s0", Bytes({0x02, 0x73, 0x30, 0x41, 0x33, 0x03})},
                      FrameCase{"Version", "v", Bytes({0x02, 0x76, 0x37, 0x36, 0x03})},
                      FrameCase{"Poll", "Q", Bytes({0x02, 0x51, 0x35, 0x31, 0x03})},
                      // The sum wraps at 256: 195 times "~" (0x7E) sums to 0x5FFA, sent as FA.
                      FrameCase{"LongestPayload", std::string(195, '~'),
                                "\x02" + std::string(195, '~') + "FA\x03"},
                      FrameCase{"TooLongForTheBuffer", std::string(196, 'A'), ""}, FrameCase{"Empty", "", ""},
                      FrameCase{"ZeroByteInside", std::string("h\0", 2), ""}),
    test::CaseName{});

TEST(SendFrameTest, ClosedLinkSendsNothing) {
    SimLink sim;
    EXPECT_EQ(sim.link.SendFrame("v"), 0);
    EXPECT_TRUE(sim.unit.Written().empty());
}

struct CheckCase {
    const char* name;
    std::string bytes;
    bool valid;
    friend void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }
};

class FrameCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(FrameCheckTest, ChecksStxEtxAndSum) {
    EXPECT_EQ(IsValidFrame(AsSpan(GetParam().bytes)), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameCheckTest,
    ::testing::Values(CheckCase{"TwoFives", Bytes({0x02, 0x35, 0x35, 0x36, 0x41, 0x03}), true},
                      CheckCase{"LowerCaseDigit", Bytes({0x02, 0x35, 0x35, 0x36, 0x61, 0x03}), false},
                      CheckCase{"WrongSum", Bytes({0x02, 0x35, 0x35, 0x36, 0x42, 0x03}), false},
                      CheckCase{"EmptyPayloadZeroSum", Bytes({0x02, 0x30, 0x30, 0x03}), true},
                      CheckCase{"TooShort", Bytes({0x02, 0x30, 0x03}), false},
                      CheckCase{"ByteBeforeStx", Bytes({0x41, 0x02, 0x35, 0x35, 0x36, 0x41, 0x03}), false},
                      CheckCase{"ByteAfterEtx", Bytes({0x02, 0x35, 0x35, 0x36, 0x41, 0x03, 0x00}), false},
                      CheckCase{"NoEtx", Bytes({0x02, 0x35, 0x35, 0x36, 0x41}), false},
                      CheckCase{"Nothing", "", false}),
    test::CaseName{});

TEST(HexTest, DigitValuesAndByteText) {
    const std::vector<std::pair<char, int>> digits{{'0', 0},  {'9', 9},  {'A', 10},
                                                   {'F', 15}, {'a', 42}, {'G', 16}};
    for (const auto& [ch, value] : digits) {
        EXPECT_EQ(KduLink::HexDigitValue(ch), value) << ch;
    }
    EXPECT_EQ(KduLink::ByteToHex(0x00), "00");
    EXPECT_EQ(KduLink::ByteToHex(0x9F), "9F");
    EXPECT_EQ(KduLink::ByteToHex(0xA3), "A3");
}

// --- Receiving ------------------------------------------------------------------------------------

struct ReplyCase {
    const char* name;
    int expectedLength;
    FaultRule reply;
    int result;
    std::string output;
    friend void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }
};

FaultRule Split(int position, Millis gap) {
    FaultRule rule;
    rule.kind = FaultKind::Split;
    rule.position = position;
    rule.gap = gap;
    return rule;
}

FaultRule Kind(FaultKind kind, std::string bytes = {}) {
    FaultRule rule;
    rule.kind = kind;
    rule.bytes = std::move(bytes);
    return rule;
}

class ReceiveReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ReceiveReplyTest, CollectsAndChecksTheReply) {
    const ReplyCase& c = GetParam();
    SimLink sim;
    sim.AddFault(c.reply);
    ASSERT_EQ(sim.link.Open(), 0);
    std::string output = "stale";
    EXPECT_EQ(sim.link.Transact("v", output, 250ms, c.expectedLength), c.result);
    EXPECT_EQ(output, c.output);
}

const std::string Version = "17-1.05 KDU";

INSTANTIATE_TEST_SUITE_P(
    Replies, ReceiveReplyTest,
    ::
        testing::Values(ReplyCase{"ValidFrame", 11, Kind(FaultKind::Delay), 11, Version},
                        ReplyCase{"TwoFivesFrame", 2, RawReply(Bytes({0x02, 0x35, 0x35, 0x36, 0x41, 0x03})),
                                  2, "55"},
                        ReplyCase{"LowerCaseChecksum", 11, Kind(FaultKind::LowerCaseChecksum), 0, ""},
                        ReplyCase{"WrongChecksum", 11, Kind(FaultKind::WrongChecksum), 0, ""},
                        ReplyCase{"AckToFramedRequest", 11, RawReply("\x06"), 1, "\x06"},
                        ReplyCase{"RefusalInByteMode", 1, RawReply("\x15"), 1, "\x15"},
                        ReplyCase{"TwoAcksInByteMode", 1, RawReply("\x06\x06"), 0, ""},
                        ReplyCase{"SplitShortGap", 11, Split(5, 150ms), 11, Version},
                        ReplyCase{"SplitLongGap", 11, Split(5, 250ms), 0, ""},
                        ReplyCase{"StrayBytesBefore", 11, Kind(FaultKind::StrayBefore, "\xFF\x41"), 0, ""},
                        ReplyCase{"ByteAfterEtx", 2,
                                  RawReply(Bytes({0x02, 0x35, 0x35, 0x36, 0x41, 0x03, 0x41})), 0, ""},
                        ReplyCase{"ZeroAfterEtx", 2,
                                  RawReply(Bytes({0x02, 0x35, 0x35, 0x36, 0x41, 0x03, 0x00})), 0, ""},
                        ReplyCase{"Silence", 11, Kind(FaultKind::Silence), 0, ""},
                        ReplyCase{
                            "TooLate",
                            11,
                            [] {
                                FaultRule rule = Kind(FaultKind::Delay);
                                rule.gap = 260ms;
                                return rule;
                            }(),
                            0, ""},
                        ReplyCase{"FullAreaOfRubbish", 11, RawReply(std::string(300, 'x')), 0, ""},
                        ReplyCase{"EtxBeforeStx", 2, RawReply(Bytes({0x03, 0x02, 0x35, 0x35, 0x36, 0x41})), 0,
                                  ""}),
    test::CaseName{});

TEST(ReceiveReplyTest, SilenceCostsTheFirstWaitAndAGapEndsTheCollection) {
    SimLink sim;
    sim.AddFault(Kind(FaultKind::Silence));
    sim.AddFault(Split(5, 250ms));
    ASSERT_EQ(sim.link.Open(), 0);
    std::string output;
    Millis start = sim.clock.Now();
    EXPECT_EQ(sim.link.Transact("v", output, 250ms, 11), 0);
    EXPECT_EQ(sim.clock.Now() - start, 250ms);

    // Five bytes arrive after the reply delay; the rest 250 ms later, after the 200 ms wait has ended.
    start = sim.clock.Now();
    EXPECT_EQ(sim.link.Transact("v", output, 250ms, 11), 0);
    EXPECT_EQ(sim.clock.Now() - start, sim.Scenario().ReplyDelay + 200ms);
}

TEST(ReceiveReplyTest, ClosedLinkReturnsAtOnce) {
    SimLink sim;
    std::string output;
    EXPECT_EQ(sim.link.ReceiveReply(output, 250ms, 11), 0);
    EXPECT_FALSE(sim.link.WaitForData(250ms));
    EXPECT_EQ(sim.clock.Now(), 0ms);
}

TEST(PurgeTest, StaleBytesAreReadAndTracedPerRead) {
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    sim.unit.Firmware().SendUnasked(std::string(300, 'z'));
    sim.clock.Sleep(1ms);
    std::string version;
    EXPECT_EQ(sim.link.GetVersion(version), 0);
    EXPECT_EQ(version, Version);
    EXPECT_EQ(sim.trace.Lines(), (std::vector<std::string>{"Purging 300 bytes.", "Purging 44 bytes."}));
}

TEST(PurgeTest, LateReplyIsPurgedBeforeTheNextCommand) {
    SimLink sim;
    FaultRule late = Kind(FaultKind::StrayAfter, "LATE");
    late.gap = 20ms;
    sim.AddFault(late);
    ASSERT_EQ(sim.link.Open(), 0);
    std::string version;
    EXPECT_EQ(sim.link.GetVersion(version), 0);
    sim.clock.Sleep(50ms);
    EXPECT_EQ(sim.link.GetVersion(version), 0);
    EXPECT_EQ(version, Version);
    EXPECT_EQ(sim.trace.Lines(), std::vector<std::string>{"Purging 4 bytes."});
}

TEST(PurgeTest, CloseReadsWhatTheUnitLeftWaiting) {
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    sim.unit.Firmware().SendUnasked("LEFTOVER");
    sim.clock.Sleep(1ms);
    ASSERT_EQ(sim.unit.Queued(), 8u);
    sim.link.Close();
    EXPECT_EQ(sim.unit.Queued(), 0u);
    EXPECT_FALSE(sim.unit.IsOpen());
    EXPECT_EQ(sim.trace.Lines(), std::vector<std::string>{"Purging 8 bytes."});
}

TEST(ReceiveReplyTest, EveryReplySetsTheDriverTimeOutsFirst) {
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    EXPECT_EQ(sim.unit.TimeoutCalls(), 0);
    std::string reply;
    sim.link.GetVersion(reply);
    sim.link.ListenOn();
    EXPECT_EQ(sim.unit.TimeoutCalls(), 2);
    EXPECT_EQ(sim.unit.ReadTimeoutMs(), 10u);
    EXPECT_EQ(sim.unit.WriteTimeoutMs(), 100u);
}

// --- Open, close, pulse ---------------------------------------------------------------------------

// A driver that records each call and fails the calls it is told to.
class RecordingDriver final : public UnitDriver {
public:
    std::set<std::string> failing;
    std::vector<std::string> calls;
    bool eventCreationFails = false;
    bool endlessBytes = false; // a unit that never stops sending
    bool emptyWakeUps = false; // a wait that always ends at once without data

    int Call(const std::string& name) {
        calls.push_back(name);
        return failing.count(name) != 0 ? DriverIoError : DriverOk;
    }
    int OpenByDescription(std::string_view description, std::uint32_t flags) override {
        calls.push_back("open " + std::string(description) + " " + std::to_string(flags));
        return failing.count("open") != 0 ? DriverNotFound : DriverOk;
    }
    int Close() override { return Call("close"); }
    int SetBaudRate(std::uint32_t baud) override { return Call("baud " + std::to_string(baud)); }
    int SetDataCharacteristics(std::uint8_t w, std::uint8_t s, std::uint8_t p) override {
        return Call("data " + std::to_string(w) + std::to_string(s) + std::to_string(p));
    }
    int SetFlowControl(std::uint16_t f, std::uint8_t, std::uint8_t) override {
        return Call("flow " + std::to_string(f));
    }
    int SetModemLinePulse() override { return Call("pulse"); }
    int SetModemLineRest() override { return Call("rest"); }
    int SetTimeouts(std::uint32_t r, std::uint32_t w) override {
        return Call("timeouts " + std::to_string(r) + " " + std::to_string(w));
    }
    int GetQueueStatus(std::uint32_t& waiting) override {
        waiting = endlessBytes ? 10 : 0;
        return DriverOk;
    }
    bool CreateReceiveEvent() override {
        calls.push_back("event");
        return !eventCreationFails;
    }
    void ReleaseReceiveEvent() override { calls.push_back("release"); }
    int SetEventNotification(std::uint32_t mask) override { return Call("notify " + std::to_string(mask)); }
    WaitOutcome WaitReceiveEvent(Millis) override {
        return endlessBytes || emptyWakeUps ? WaitOutcome::Signalled : WaitOutcome::TimedOut;
    }
    int Read(std::uint8_t* buffer, std::uint32_t count, std::uint32_t& done) override {
        for (done = 0; endlessBytes && done < count; ++done) {
            buffer[done] = 'x';
        }
        return DriverOk;
    }
    int Write(const std::uint8_t*, std::uint32_t count, std::uint32_t& done) override {
        done = count;
        return DriverOk;
    }
};

const std::vector<std::string> FullOpen{"open Orsk KDU - Active USB Interface 2",
                                        "baud 57600",
                                        "data 820",
                                        "flow 0",
                                        "rest",
                                        "event",
                                        "notify 1"};

struct OpenCase {
    const char* name;
    std::set<std::string> failing;
    bool eventFails;
    int result;
    std::vector<std::string> calls;
    friend void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }
};

class OpenTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenTest, TriesEveryStepAndReportsAnyFailure) {
    const OpenCase& c = GetParam();
    RecordingDriver driver;
    driver.failing = c.failing;
    driver.eventCreationFails = c.eventFails;
    VirtualClock clock;
    TraceSink trace;
    KduLink link(driver, clock, trace);
    EXPECT_EQ(link.Open(), c.result);
    EXPECT_EQ(driver.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OpenTest,
    ::testing::Values(OpenCase{"AllSucceed", {}, false, 0, FullOpen},
                      OpenCase{"NoUnit", {"open"}, false, 1, {FullOpen[0]}},
                      OpenCase{"BaudFails", {"baud 57600"}, false, 1, FullOpen},
                      OpenCase{"RestFails", {"rest"}, false, 1, FullOpen},
                      OpenCase{"NotifyFails", {"notify 1"}, false, 1, FullOpen},
                      OpenCase{"NoEvent", {}, true, 1, {FullOpen.begin(), FullOpen.end() - 1}}),
    test::CaseName{});

TEST(OpenTest, OpenOnAnOpenLinkClosesFirstAndCloseIsHarmlessAfterAFailedOpen) {
    RecordingDriver driver;
    VirtualClock clock;
    TraceSink trace;
    KduLink link(driver, clock, trace);
    ASSERT_EQ(link.Open(), 0);
    driver.calls.clear();
    ASSERT_EQ(link.Open(), 0);
    ASSERT_GE(driver.calls.size(), 2u);
    EXPECT_EQ(driver.calls[0], "close");
    EXPECT_EQ(driver.calls[1], "release");

    link.Close();
    driver.failing = {"open"};
    driver.calls.clear();
    EXPECT_EQ(link.Open(), 1);
    link.Close();
    EXPECT_EQ(driver.calls, std::vector<std::string>{FullOpen[0]});
    EXPECT_FALSE(link.IsOpen());
}

TEST(OpenTest, WithoutUnitOpenFailsAndCloseIsHarmless) {
    SimLink sim;
    sim.unit.Unplug();
    EXPECT_EQ(sim.link.Open(), 1);
    sim.link.Close();
    EXPECT_FALSE(sim.link.IsOpen());
    EXPECT_FALSE(sim.unit.IsOpen());
    sim.unit.Replug();
    EXPECT_EQ(sim.link.Open(), 0);
    EXPECT_EQ(sim.unit.Baud(), 57600u);
    EXPECT_EQ(sim.unit.StopBits(), 2);
}

TEST(PulseLineTest, PulsesForHundredMillisecondsThenSettles) {
    SimLink sim;
    std::vector<Millis> pumps;
    CallbackPump pump([&] { pumps.push_back(sim.clock.Now()); });
    sim.link.SetEventPump(&pump);
    ASSERT_EQ(sim.link.Open(), 0);
    const Millis start = sim.clock.Now();
    sim.link.PulseLine();
    EXPECT_EQ(sim.clock.Now() - start, 400ms);
    const auto& changes = sim.unit.Firmware().LineChanges();
    ASSERT_EQ(changes.size(), 3u); // resting at open, pulse, resting again
    EXPECT_FALSE(changes[0].pulse);
    EXPECT_TRUE(changes[1].pulse);
    EXPECT_EQ(changes[1].at, start);
    EXPECT_FALSE(changes[2].pulse);
    EXPECT_EQ(changes[2].at, start + 100ms);
    ASSERT_FALSE(pumps.empty());
    for (std::size_t i = 1; i < pumps.size(); ++i) {
        EXPECT_LE(pumps[i] - pumps[i - 1], KduLink::PumpInterval);
    }
}

TEST(PulseLineTest, ClosedLinkDoesNotPulseOrSleep) {
    SimLink sim;
    sim.link.PulseLine();
    EXPECT_EQ(sim.clock.Now(), 0ms);
}

// --- Pumping and re-entry -------------------------------------------------------------------------

TEST(PumpTest, WaitsServeTheViewAtLeastEveryFiftyMilliseconds) {
    SimLink sim;
    sim.AddFault(Kind(FaultKind::Silence));
    std::vector<Millis> pumps;
    CallbackPump pump([&] { pumps.push_back(sim.clock.Now()); });
    sim.link.SetEventPump(&pump);
    ASSERT_EQ(sim.link.Open(), 0);
    std::string version;
    EXPECT_EQ(sim.link.GetVersion(version), 2);
    ASSERT_GE(pumps.size(), 5u);
    for (std::size_t i = 1; i < pumps.size(); ++i) {
        EXPECT_LE(pumps[i] - pumps[i - 1], KduLink::PumpInterval);
    }
}

TEST(PumpTest, ReenteredOperationsDoNothingAndFail) {
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    std::vector<int> results;
    bool reentered = false;
    CallbackPump pump([&] {
        if (reentered) {
            return;
        }
        reentered = true;
        std::string output;
        results.push_back(sim.link.Open());
        results.push_back(sim.link.SendFrame("s1"));
        results.push_back(sim.link.ListenOn());
        results.push_back(sim.link.PollWriteStatus(output));
        results.push_back(sim.link.PollDeviceCode(output));
        results.push_back(sim.link.Transact("v", output, 250ms, 11));
        results.push_back(sim.link.WaitForData(250ms) ? 1 : 0);
        results.push_back(static_cast<int>(sim.link.QueuedCount()));
        sim.link.Close();
        sim.link.PulseLine();
    });
    sim.link.SetEventPump(&pump);
    sim.unit.ClearWritten();
    std::string version;
    const Millis start = sim.clock.Now();
    EXPECT_EQ(sim.link.GetVersion(version), 0);
    EXPECT_EQ(version, Version);
    EXPECT_EQ(results, (std::vector<int>{1, 0, CommandFailed, CommandNoData, CommandFailed, 0, 0, 0}));
    EXPECT_TRUE(sim.link.IsOpen()); // the re-entered Close did not close the unit under the waiting command
    EXPECT_TRUE(sim.unit.IsOpen());
    EXPECT_EQ(sim.unit.Firmware().ReceivedPayloads(), std::vector<std::string>{"v"});
    EXPECT_LT(sim.clock.Now() - start, 100ms); // the re-entered PulseLine did not sleep
    EXPECT_FALSE(sim.link.IsBusy());
}

// --- Units that never stop ------------------------------------------------------------------------

TEST(BoundsTest, AUnitThatNeverStopsSendingDoesNotHoldTheLink) {
    RecordingDriver driver;
    VirtualClock clock;
    TraceSink trace;
    KduLink link(driver, clock, trace);
    ASSERT_EQ(link.Open(), 0);
    driver.endlessBytes = true;
    std::string output;
    EXPECT_EQ(link.Transact("v", output, 250ms, 11), 0);
    EXPECT_EQ(trace.CountContaining("Purging 10 bytes."), static_cast<std::size_t>(KduLink::MaxPurgeReads));
}

TEST(BoundsTest, WakeUpsWithoutDataEndTheCollection) {
    RecordingDriver driver;
    VirtualClock clock;
    TraceSink trace;
    KduLink link(driver, clock, trace);
    ASSERT_EQ(link.Open(), 0);
    driver.emptyWakeUps = true;
    std::string output;
    EXPECT_EQ(link.Transact("v", output, 250ms, 11), 0);
    EXPECT_EQ(clock.Now(), 0ms);
}

} // namespace
} // namespace vorn
