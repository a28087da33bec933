// The flows serve the view at least every 50 ms while they wait, and nothing the view does meanwhile
// enters the link a second time.
#include "SessionHarness.h"
#include "model/Catalogue.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using sim::DemoDevices;
using test::ConfirmDevice;
using test::SessionHarness;

// The largest gap between two servings of the view, counting from the start to the end of the flow.
Millis LargestGap(const SessionHarness& h, Millis start, Millis end) {
    std::vector<Millis> times{start};
    times.insert(times.end(), h.pumpTimes.begin(), h.pumpTimes.end());
    times.push_back(end);
    Millis largest{0};
    for (std::size_t i = 1; i < times.size(); ++i) {
        largest = std::max(largest, times[i] - times[i - 1]);
    }
    return largest;
}

sim::FaultRule Fault(std::string match, sim::FaultKind kind, int skip, int times = 1) {
    sim::FaultRule rule;
    rule.match = std::move(match);
    rule.kind = kind;
    rule.skip = skip;
    rule.times = times;
    return rule;
}

TEST(ResponsivenessTest, AFamilyAWriteWithFaultsServesTheViewEvery50Ms) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.editor->Fields().Clear("edtUnitRadioIdCode");
    h.editor->Fields().TypeText("edtUnitRadioIdCode", "ABCD");
    // Replies in pieces with gaps, stray bytes, late bytes, a lost reply, a "05", a reply error.
    sim::FaultRule split = Fault("Q$", sim::FaultKind::Split, 2, 3);
    split.position = 5;
    split.gap = 150ms;
    h.sim.AddFault(split);
    sim::FaultRule stray = Fault("h", sim::FaultKind::StrayBefore, 1);
    stray.bytes = "zz";
    h.sim.AddFault(stray);
    // Bytes that come while the next job's pulse runs: purged before its first command.
    sim::FaultRule late = Fault("q", sim::FaultKind::StrayAfter, 2);
    late.bytes = "LATE";
    late.gap = 200ms;
    h.sim.AddFault(late);
    h.sim.AddFault(Fault("Q$", sim::FaultKind::Silence, 8, 20));
    h.sim.AddFault(test::FramedReply("05", "Q$", 1));
    h.sim.Scenario().Faults.back().skip = 30;
    h.sim.AddFault(test::FramedReply(std::string(24, '0') + "09" + std::string(6, '0'), "Q$", 1));
    h.sim.Scenario().Faults.back().skip = 36;
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    h.view.AnswerDialog(DialogResult::Yes);

    const Millis start = h.sim.clock.Now();
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::Done);
    const Millis end = h.sim.clock.Now();
    EXPECT_GT(end - start, 10s); // the faults cost real protocol time
    EXPECT_GT(h.sim.trace.CountContaining("Purging"), 0u);
    EXPECT_TRUE(h.sim.trace.Contains("CONFIG_REPLY_ERROR"));
    EXPECT_LE(LargestGap(h, start, end), 50ms);
    EXPECT_EQ(h.Device(DemoDevices::FamilyASerial).Image[32], 0xAB);
}

TEST(ResponsivenessTest, ACaptureServesTheViewEvery50Ms) {
    sim::SimScenario scenario;
    scenario.Transmitters.push_back({"4D2E", 9s});
    SessionHarness h(scenario);
    h.LoadDefault(0x23);
    const Millis start = h.sim.clock.Now();
    EXPECT_EQ(h.sessions->CaptureIntoEvent(1).outcome, SessionOutcome::Done);
    const Millis end = h.sim.clock.Now();
    EXPECT_GT(end - start, 9s);
    EXPECT_LE(LargestGap(h, start, end), 50ms);
}

TEST(ResponsivenessTest, ACaptureThatTimesOutServesTheViewEvery50Ms) {
    SessionHarness h(sim::SimScenario{});
    h.LoadDefault(0x23);
    const Millis start = h.sim.clock.Now();
    EXPECT_EQ(h.sessions->CaptureIntoEvent(1).outcome, SessionOutcome::NoAnswer);
    const Millis end = h.sim.clock.Now();
    EXPECT_GE(end - start, 61 * 250ms);
    EXPECT_LE(LargestGap(h, start, end), 50ms);
}

TEST(ResponsivenessTest, CommandsStartedWhileAFlowWaitsDoNothing) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    std::vector<SessionOutcome> nested;
    std::optional<std::string> version = "untouched";
    h.onPump = [&] {
        // The operator's shortcuts and the timers, while the read waits for the unit.
        nested.push_back(h.sessions->Read().outcome);
        nested.push_back(h.sessions->Write({}).outcome);
        nested.push_back(h.sessions->ChangeIdCode().outcome);
        nested.push_back(h.sessions->CaptureIntoEvent(1).outcome);
        h.sessions->Presence().StartTimer(PresenceRadio::TagReadStatus);
        h.sessions->tmrPollKduInfoTimer();
        h.sessions->Presence().StopTimer();
        version = h.sessions->UnitVersion();
    };
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    ASSERT_FALSE(nested.empty());
    for (const SessionOutcome outcome : nested) {
        EXPECT_EQ(outcome, SessionOutcome::NotRun);
    }
    EXPECT_EQ(version, std::nullopt);
    EXPECT_EQ(h.view.selectDeviceShows, 1);
    EXPECT_EQ(h.sim.unit.OpenCount(), 4);
    const auto& payloads = h.sim.unit.Firmware().ReceivedPayloads();
    EXPECT_EQ(std::count(payloads.begin(), payloads.end(), "M"), 0);
    EXPECT_EQ(std::count(payloads.begin(), payloads.end(), "s1"), 0);
}

TEST(DeviceSessionsTest, TheUnitsVersionForTheAboutWindow) {
    SessionHarness h;
    EXPECT_EQ(h.sessions->UnitVersion(), std::optional<std::string>("17-1.05 KDU"));
    EXPECT_FALSE(h.sim.unit.IsOpen());
    h.sim.AddFault(test::FramedReply("17-1.05 KD", "v", 1)); // ten characters: no version
    EXPECT_EQ(h.sessions->UnitVersion(), std::nullopt);
    h.sim.unit.Unplug();
    EXPECT_EQ(h.sessions->UnitVersion(), std::nullopt);
    EXPECT_FALSE(h.sim.unit.IsOpen());
}

} // namespace
} // namespace vorn
