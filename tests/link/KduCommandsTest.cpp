#include "link/KduLink.h"
#include "support/CaseName.h"
#include "support/SimLink.h"

#include <functional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using test::FramedReply;
using test::RawReply;
using test::SimLink;

// The frame of a payload, checksum computed here independently of the link.
std::string Wire(const std::string& payload) {
    unsigned sum = 0;
    for (const char ch : payload) {
        sum += static_cast<unsigned char>(ch);
    }
    static constexpr char Digits[] = "0123456789ABCDEF";
    return "\x02" + payload + Digits[(sum >> 4) & 0xF] + Digits[sum & 0xF] + "\x03";
}

using Send = std::function<void(KduLink&)>;

struct PayloadCase {
    const char* name;
    Send send;
    std::string wire;
    friend void PrintTo(const PayloadCase& c, std::ostream* os) { *os << c.name; }
};

class CommandPayloadTest : public ::testing::TestWithParam<PayloadCase> {};

TEST_P(CommandPayloadTest, SendsItsFrame) {
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    sim.unit.ClearWritten();
    GetParam().send(sim.link);
    EXPECT_EQ(sim.unit.Written(), GetParam().wire);
}

std::string ignored;

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandPayloadTest,
    ::testing::Values(
        PayloadCase{"ListenOff", [](KduLink& l) { l.ListenOff(); }, "\x02s0A3\x03"},
        PayloadCase{"SetH", [](KduLink& l) { l.SetH('1'); }, "\x02h199\x03"},
        PayloadCase{"RequestDeviceCode", [](KduLink& l) { l.RequestDeviceCode("FFFF", "2E2F"); },
                    Wire("aFFFF2E2F")},
        PayloadCase{"GetVersion", [](KduLink& l) { l.GetVersion(ignored); }, "\x02v76\x03"},
        PayloadCase{"AddWriteEntry", [](KduLink& l) { l.AddWriteEntry("0220BEEF"); }, Wire("n0220BEEF")},
        PayloadCase{"AddReadEntryEmpty", [](KduLink& l) { l.AddReadEntry(""); }, "\x02m6D\x03"},
        PayloadCase{"StartRadioJob", [](KduLink& l) { l.StartRadioJob("12AB"); }, Wire("i12AB")},
        PayloadCase{"SetRadioParameters", [](KduLink& l) { l.SetRadioParameters(0x1F, 4, 0, 6); },
                    Wire("q1F040006")},
        PayloadCase{"SendJobRequest", [](KduLink& l) { l.SendJobRequest("07030004D200002010"); },
                    Wire("Q07030004D200002010")},
        PayloadCase{"PollJobReply", [](KduLink& l) { l.PollJobReply(ignored, 250ms); }, "\x02Q51\x03"},
        PayloadCase{"PollWriteStatus", [](KduLink& l) { l.PollWriteStatus(ignored); }, "\x02N4E\x03"},
        PayloadCase{"PollReadStatus", [](KduLink& l) { l.PollReadStatus(ignored); }, "\x02M4D\x03"},
        PayloadCase{"GetReadRecord", [](KduLink& l) { l.GetReadRecord(ignored); }, "\x02x78\x03"},
        PayloadCase{"AddReadEntry", [](KduLink& l) { l.AddReadEntry("072E"); }, Wire("m072E")},
        PayloadCase{"ListenOn", [](KduLink& l) { l.ListenOn(); }, "\x02s1A4\x03"},
        PayloadCase{"GetCapturedCode", [](KduLink& l) { l.GetCapturedCode(ignored); }, Wire("c1")},
        PayloadCase{"PollDeviceCode", [](KduLink& l) { l.PollDeviceCode(ignored); }, Wire("A")}),
    test::CaseName{});

// Each command against the replies it must tell apart.
using Run = std::function<int(KduLink&, std::string&)>;

struct ClassifyCase {
    const char* name;
    Run run;
    sim::FaultRule reply;
    int result;
    std::string output;
    friend void PrintTo(const ClassifyCase& c, std::ostream* os) { *os << c.name; }
};

class CommandReplyTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(CommandReplyTest, ClassifiesTheReply) {
    const ClassifyCase& c = GetParam();
    SimLink sim;
    sim.AddFault(c.reply);
    ASSERT_EQ(sim.link.Open(), 0);
    std::string output = "stale";
    EXPECT_EQ(c.run(sim.link, output), c.result);
    EXPECT_EQ(output, c.output);
}

sim::FaultRule Silence() {
    sim::FaultRule rule;
    rule.kind = sim::FaultKind::Silence;
    return rule;
}

const Run ListenOn = [](KduLink& l, std::string&) { return l.ListenOn(); };
const Run AddWriteEntry = [](KduLink& l, std::string&) { return l.AddWriteEntry("0220BEEF"); };
const Run StartRadioJob = [](KduLink& l, std::string&) { return l.StartRadioJob("12AB"); };
const Run PollWriteStatus = [](KduLink& l, std::string& out) { return l.PollWriteStatus(out); };
const Run PollReadStatus = [](KduLink& l, std::string& out) { return l.PollReadStatus(out); };
const Run GetReadRecord = [](KduLink& l, std::string& out) { return l.GetReadRecord(out); };
const Run PollJobReply = [](KduLink& l, std::string& out) { return l.PollJobReply(out, 250ms); };
const Run PollDeviceCode = [](KduLink& l, std::string& out) { return l.PollDeviceCode(out); };
const Run GetCapturedCode = [](KduLink& l, std::string& out) { return l.GetCapturedCode(out); };
const Run GetVersion = [](KduLink& l, std::string& out) { return l.GetVersion(out); };

INSTANTIATE_TEST_SUITE_P(
    Replies, CommandReplyTest,
    ::testing::Values(
        ClassifyCase{"AckAcknowledged", ListenOn, RawReply("\x06"), 0, "stale"},
        ClassifyCase{"AckRefused", ListenOn, RawReply("\x15"), 2, "stale"},
        ClassifyCase{"AckAnsweredByFrame", ListenOn, FramedReply("06"), 2, "stale"},
        ClassifyCase{"WriteEntryAccepted", AddWriteEntry, RawReply("\x06"), 0, "stale"},
        ClassifyCase{"WriteEntryRefused", AddWriteEntry, RawReply("\x1B"), 10, "stale"},
        ClassifyCase{"WriteEntryOtherByte", AddWriteEntry, RawReply("\x04"), 2, "stale"},
        ClassifyCase{"RadioJobStarted", StartRadioJob, RawReply("\x06"), 0, "stale"},
        ClassifyCase{"RadioJobRefused", StartRadioJob, RawReply("\x04"), 9, "stale"},
        ClassifyCase{"RadioJobOtherByte", StartRadioJob, RawReply("\x1B"), 2, "stale"},
        ClassifyCase{"StatusTwoCharacters", PollWriteStatus, FramedReply("03"), 0, "03"},
        ClassifyCase{"StatusThreeCharacters", PollWriteStatus, FramedReply("003"), 8, ""},
        ClassifyCase{"StatusBareByte", PollWriteStatus, RawReply("\x15"), 8, ""},
        ClassifyCase{"ReadStatusTwoCharacters", PollReadStatus, FramedReply("05"), 0, "05"},
        ClassifyCase{"ReadStatusOneCharacterFrame", PollReadStatus, FramedReply("5"), 8, ""},
        ClassifyCase{"ReadStatusNothing", PollReadStatus, Silence(), 8, ""},
        ClassifyCase{"RecordShortest", GetReadRecord, FramedReply("12AB0120FF"), 0, "12AB0120FF"},
        ClassifyCase{"RecordLongest", GetReadRecord, FramedReply("12AB08200102030405060708"), 0,
                     "12AB08200102030405060708"},
        ClassifyCase{"RecordNineCharacters", GetReadRecord, FramedReply("12AB0120F"), 8, ""},
        ClassifyCase{"RecordTwentyFiveCharacters", GetReadRecord, FramedReply("12AB082001020304050607080"), 8,
                     ""},
        ClassifyCase{"RecordBareByte", GetReadRecord, RawReply("\x15"), 8, ""},
        ClassifyCase{"JobReplyPending", PollJobReply, FramedReply("02"), 0, "02"},
        ClassifyCase{"JobReplyRefusal", PollJobReply, RawReply("\x15"), 2, ""},
        ClassifyCase{"DeviceCodeNothing", PollDeviceCode, Silence(), 0, ""},
        ClassifyCase{"DeviceCodeBareByte", PollDeviceCode, RawReply("\x06"), 0, "\x06"},
        ClassifyCase{"DeviceCodeAnswer", PollDeviceCode, FramedReply("12AB00130000"), 0, "12AB00130000"},
        ClassifyCase{"CapturedCode", GetCapturedCode, FramedReply("4D2E0100"), 0, "4D2E"},
        ClassifyCase{"CapturedCodeSevenCharacters", GetCapturedCode, FramedReply("4D2E010"), 2, ""},
        ClassifyCase{"VersionTen", GetVersion, FramedReply("17-1.0 KDU"), 2, ""}),
    test::CaseName{});

struct VersionCase {
    const char* name;
    std::string version;
    int result;
    friend void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }
};

class CheckVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(CheckVersionTest, ComparesVersionAndUnitType) {
    SimLink sim;
    sim.Scenario().VersionText = GetParam().version;
    ASSERT_EQ(sim.link.Open(), 0);
    EXPECT_EQ(sim.link.CheckVersion("17-1"), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Versions, CheckVersionTest,
                         ::testing::Values(VersionCase{"Same", "17-1.05 KDU", 0},
                                           VersionCase{"Older", "16-1.05 KDU", 7},
                                           VersionCase{"Newer", "20-1.00 KDU", 0},
                                           VersionCase{"SameMinorDigitHigher", "18-1.00 KDU", 0},
                                           VersionCase{"OtherUnitType", "17-2.05 KDU", 7},
                                           VersionCase{"LetterAboveDigits", "2A-1.00 KDU", 0},
                                           VersionCase{"TenCharacters", "17-1.0 KDU", 2},
                                           VersionCase{"TwelveCharacters", "17-1.005 KDU", 2}),
                         test::CaseName{});

TEST(CommandTest, DisconnectedUnitFailsEveryCommand) {
    SimLink sim;
    ASSERT_EQ(sim.link.Open(), 0);
    sim.unit.Unplug();
    std::string output;
    EXPECT_EQ(sim.link.SetH('1'), 2);
    EXPECT_EQ(sim.link.PollReadStatus(output), 8);
    EXPECT_EQ(sim.link.GetReadRecord(output), 8);
    EXPECT_EQ(sim.link.CheckVersion("17-1"), 2);
    EXPECT_EQ(sim.link.PollDeviceCode(output), 0);
    EXPECT_EQ(output, "");
}

} // namespace
} // namespace vorn
