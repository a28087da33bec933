#include "sim/SimOptions.h"

#include "model/BandSetting.h"
#include "sim/FaultRule.h"
#include "support/CaseName.h"
#include "support/TempDir.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace vorn::sim {
namespace {

using namespace std::chrono_literals;

struct RuleCase {
    const char* name;
    std::string text;
    bool valid;
    FaultRule rule;
    friend void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }
};

FaultRule Rule(std::string match, FaultKind kind, std::string bytes = {}, int position = 0, Millis gap = {},
               int skip = 0, int times = 1) {
    return FaultRule{std::move(match), kind, std::move(bytes), position, gap, skip, times};
}

class FaultRuleParseTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(FaultRuleParseTest, Parses) {
    const RuleCase& c = GetParam();
    std::string error;
    const auto rule = ParseFaultRule(c.text, error);
    ASSERT_EQ(rule.has_value(), c.valid) << error;
    if (!c.valid) {
        EXPECT_FALSE(error.empty());
        return;
    }
    EXPECT_EQ(rule->match, c.rule.match);
    EXPECT_EQ(rule->kind, c.rule.kind);
    EXPECT_EQ(rule->bytes, c.rule.bytes);
    EXPECT_EQ(rule->position, c.rule.position);
    EXPECT_EQ(rule->gap, c.rule.gap);
    EXPECT_EQ(rule->skip, c.rule.skip);
    EXPECT_EQ(rule->times, c.rule.times);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FaultRuleParseTest,
    ::testing::Values(
        RuleCase{"Silence", "v:silence", true, Rule("v", FaultKind::Silence)},
        RuleCase{"SilenceForEver", "*:silence*-1", true, Rule("*", FaultKind::Silence, {}, 0, {}, 0, -1)},
        RuleCase{"RawRefusal", "N:raw=15", true, Rule("N", FaultKind::Raw, "\x15")},
        RuleCase{"PayloadPollOnly", "Q$:payload=05*3", true,
                 Rule("Q$", FaultKind::Payload, "05", 0, {}, 0, 3)},
        RuleCase{"SplitWithSkip", "Q$:split=6/300@2", true, Rule("Q$", FaultKind::Split, {}, 6, 300ms, 2)},
        RuleCase{"StrayAfter", "Q:stray-after=4142/50", true,
                 Rule("Q", FaultKind::StrayAfter, "AB", 0, 50ms)},
        RuleCase{"Unplug", "x:unplug=5", true, Rule("x", FaultKind::Unplug, {}, 5, 10ms)},
        RuleCase{"UnplugAtOnce", "x:unplug=5/0", true, Rule("x", FaultKind::Unplug, {}, 5, 0ms)},
        RuleCase{"Checksum", "v:checksum@1", true, Rule("v", FaultKind::WrongChecksum, {}, 0, {}, 1)},
        RuleCase{"DropByte", "Q:drop=60", true, Rule("Q", FaultKind::DropByte, {}, 60)},
        RuleCase{"DropByteEveryTime", "Q:drop=255*-1", true,
                 Rule("Q", FaultKind::DropByte, {}, 255, {}, 0, -1)},
        RuleCase{"DropBeyondTheMemory", "Q:drop=256", false, {}},
        RuleCase{"DropWithoutAddress", "Q:drop", false, {}}, RuleCase{"DropOfText", "Q:drop=x", false, {}},
        RuleCase{"NoMatch", ":silence", false, {}}, RuleCase{"NoKind", "v", false, {}},
        RuleCase{"UnknownKind", "v:explode", false, {}}, RuleCase{"OddHex", "v:raw=151", false, {}},
        RuleCase{"SplitWithoutGap", "v:split=4", false, {}},
        RuleCase{"ArgumentNotWanted", "v:checksum=1", false, {}},
        RuleCase{"BadCount", "v:silence*x", false, {}}),
    test::CaseName{});

TEST(FaultRuleTest, MatchesPrefixOrWholePayload) {
    EXPECT_TRUE(Rule("Q", FaultKind::Silence).Matches("Q0102"));
    EXPECT_TRUE(Rule("Q", FaultKind::Silence).Matches("Q"));
    EXPECT_FALSE(Rule("Q$", FaultKind::Silence).Matches("Q0102"));
    EXPECT_TRUE(Rule("Q$", FaultKind::Silence).Matches("Q"));
    EXPECT_TRUE(Rule("*", FaultKind::Silence).Matches("v"));
    EXPECT_FALSE(Rule("n", FaultKind::Silence).Matches("N"));
}

TEST(SimOptionsTest, MemoryDevices) {
    std::string error;
    auto device = ParseMemoryDevice("4B:16777215:3", error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->ProductType, 0x4B);
    EXPECT_EQ(device->SerialNumber, 16777215u);
    EXPECT_EQ(device->Band, 3);
    // A positioning unit keeps its band as the receive carrier frequencies (906212500 Hz, 906237500 Hz).
    EXPECT_EQ(device->Image[55], 0);
    EXPECT_EQ((std::vector<int>(device->Image.begin(), device->Image.begin() + 8)),
              (std::vector<int>{0x36, 0x03, 0xB4, 0x94, 0x36, 0x04, 0x16, 0x3C}));
    EXPECT_EQ(BandSetting(0x4B, device->Image), 3);
    EXPECT_EQ(device->Image[123], 0xFF);

    device = ParseMemoryDevice("0x23:1234:6", error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->Band, 6);
    EXPECT_EQ(device->Image[55], 6);
    device = ParseMemoryDevice("0x23:1234", error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->Band, 1);

    for (const char* bad : {"23", "ZZ:1", "23:16777216", "23:1:300", "23:1:1:/no/such/file", "23:-1"}) {
        EXPECT_FALSE(ParseMemoryDevice(bad, error)) << bad;
    }

    test::TempDir dir;
    std::string image(256, '\x11');
    test::WriteBytes(dir.File("d.vorn"), image);
    device = ParseMemoryDevice("23:5:2:" + dir.File("d.vorn"), error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->Image[0], 0x11);
    EXPECT_EQ(device->Image[122], 0x23); // identity bytes follow the command line
    EXPECT_EQ(device->Image[125], 5);
}

TEST(SimOptionsTest, PresenceUnitsAndTransmitters) {
    std::string error;
    auto unit = ParsePresenceUnit("12ab", error);
    ASSERT_TRUE(unit) << error;
    EXPECT_EQ(unit->RadioCode, "12AB");
    EXPECT_EQ(unit->TypeCode, "13");
    EXPECT_EQ(unit->PressAfter, 1000ms);
    EXPECT_EQ(unit->Image[0x20], 0x12);

    unit = ParsePresenceUnit("BEEF:15:-", error);
    ASSERT_TRUE(unit) << error;
    EXPECT_EQ(unit->TypeCode, "15");
    EXPECT_LT(unit->PressAfter.count(), 0);

    for (const char* bad : {"12A", "12ABC", "12AB:1", "12AB:13:soon", "XYZW"}) {
        EXPECT_FALSE(ParsePresenceUnit(bad, error)) << bad;
    }

    auto transmitter = ParseTransmitter("4d2e:250", error);
    ASSERT_TRUE(transmitter) << error;
    EXPECT_EQ(transmitter->Code, "4D2E");
    EXPECT_EQ(transmitter->After, 250ms);
    EXPECT_FALSE(ParseTransmitter("4D2E:later", error));
}

} // namespace
} // namespace vorn::sim
