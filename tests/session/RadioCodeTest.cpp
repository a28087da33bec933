// Capturing a transmitter's radio code into a radio event.
#include "SessionHarness.h"
#include "support/CaseName.h"

#include <ostream>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using test::SessionHarness;

sim::SimScenario OneTransmitter(const std::string& code, Millis after) {
    sim::SimScenario scenario;
    scenario.Transmitters.push_back({code, after});
    return scenario;
}

void SetEventCode(SessionHarness& h, int n, const std::string& code) {
    h.editor->Filling = true;
    h.editor->Fields().SetText(RadioCodeCapture::RadioIdField(n), code);
    h.editor->Filling = false;
}

TEST(RadioCodeTest, ACapturedCodeGoesIntoTheEvent) {
    SessionHarness h(OneTransmitter("4D2E", 2s));
    h.LoadDefault(0x23);
    EXPECT_EQ(h.sessions->CaptureIntoEvent(3).outcome, SessionOutcome::Done);
    EXPECT_EQ(h.editor->Fields().Get("edtRadioEvent_3_RadioId").Text(), "4D2E");
    EXPECT_EQ(h.view.StatusText(),
              h.Text("COMMON", "STATUS-RADIO_CODE_NNNN_COPIED_INTO_EVENT_NN", {"4D2E", 3}));
    EXPECT_EQ(h.view.waitTexts.front(),
              h.Text("COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN", {3}));
    // The progress bar counts down from 60, one step per poll of 250 ms: the code came at the ninth.
    ASSERT_GE(h.view.progressPositions.size(), 2u);
    EXPECT_EQ(h.view.progressPositions[0], 60);
    EXPECT_EQ(h.view.progressPositions[1], 60);
    EXPECT_EQ(h.view.progressPositions[2], 59);
    EXPECT_TRUE(h.view.windowEnabled);
    EXPECT_FALSE(h.view.waitShown);
    EXPECT_EQ(h.host.pendingKey, 27); // the capture never disarms it itself
    EXPECT_FALSE(h.sim.unit.Firmware().Listening());
    const auto& commands = h.sim.unit.Firmware().Opens().at(0).commands;
    EXPECT_EQ(std::vector<std::string>(commands.begin(), commands.begin() + 4),
              (std::vector<std::string>{"<pulse>", "h1", "s1", "c1"}));
    EXPECT_EQ(commands.back(), "s0");
}

TEST(RadioCodeTest, ACodeInOtherEventsIsCopiedOnlyWhenTheOperatorSaysYes) {
    for (const DialogResult answer : {DialogResult::No, DialogResult::Yes}) {
        SessionHarness h(OneTransmitter("4D2E", 1s));
        h.LoadDefault(0x23);
        SetEventCode(h, 2, "4D2E");
        SetEventCode(h, 5, "4D2E");
        SetEventCode(h, 6, "4d2e"); // compared exactly
        h.view.AnswerDialog(answer);
        h.sessions->CaptureIntoEvent(3).outcome;
        ASSERT_EQ(h.view.Dialogs().size(), 1u);
        EXPECT_EQ(
            h.view.Dialogs()[0].text,
            h.Text(
                "COMMON",
                "MESSAGE-RECEIVED_RADIO_CODE_NNNN_IS_ALREADY_LOCATED_IN_THE_FOLLOWING_EVENTS_NN_DO_YOU_WANT_"
                "TO_CONTINUE",
                {"4D2E", "2, 5"}));
        EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Information);
        const bool yes = answer == DialogResult::Yes;
        EXPECT_EQ(h.editor->Fields().Get("edtRadioEvent_3_RadioId").Text(), yes ? "4D2E" : "");
        EXPECT_EQ(h.view.StatusText().empty(), !yes);
    }
}

TEST(RadioCodeTest, FindCodeInOtherEventsListsTheOthersInRisingOrder) {
    SessionHarness h;
    h.LoadDefault(0x23);
    for (int n : {8, 1, 4}) {
        SetEventCode(h, n, "1111");
    }
    RadioCodeCapture& capture = h.sessions->Capture();
    EXPECT_EQ(capture.FindCodeInOtherEvents("1111", 4).events, "1, 8");
    EXPECT_TRUE(capture.FindCodeInOtherEvents("1111", 4).found);
    EXPECT_EQ(capture.FindCodeInOtherEvents("1111", 2).events, "1, 4, 8");
    EXPECT_FALSE(capture.FindCodeInOtherEvents("2222", 1).found);
    EXPECT_EQ(capture.FindCodeInOtherEvents("2222", 1).events, "");
}

struct CaptureCase {
    const char* name;
    std::function<void(SessionHarness&)> arrange;
    int result;
    SessionOutcome outcome;
    std::function<std::string(SessionHarness&)> status;
    bool dialog; // the unit-not-found dialog
    friend void PrintTo(const CaptureCase& c, std::ostream* os) { *os << c.name; }
};

class CaptureTest : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(CaptureTest, EndsWithItsResult) {
    const CaptureCase& c = GetParam();
    SessionHarness h(OneTransmitter("0000", 1s));
    h.LoadDefault(0x23);
    c.arrange(h);
    EXPECT_EQ(h.sessions->CaptureIntoEvent(1).outcome, c.outcome);
    EXPECT_EQ(h.view.StatusText(), c.status(h));
    EXPECT_EQ(h.view.Dialogs().size(), c.dialog ? 1u : 0u);
    EXPECT_EQ(h.editor->Fields().Get("edtRadioEvent_1_RadioId").Text(), "");
    EXPECT_TRUE(h.view.windowEnabled);
    EXPECT_FALSE(h.view.waitShown);
    EXPECT_FALSE(h.sim.unit.IsOpen());
}

std::string TimeoutStatus(SessionHarness& h) {
    return h.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED");
}

std::string NoStatus(SessionHarness&) {
    return {};
}

INSTANTIATE_TEST_SUITE_P(
    Results, CaptureTest,
    ::testing::Values(
        CaptureCase{"CodeZeroIsNeverTaken", [](SessionHarness&) {}, RadioCodeCapture::ResultTimeOut,
                    SessionOutcome::NoAnswer, TimeoutStatus, false},
        CaptureCase{"ACodeThatIsNoHexNumber",
                    [](SessionHarness& h) { h.sim.AddFault(test::FramedReply("12G40100", "c1", -1)); },
                    RadioCodeCapture::ResultTimeOut, SessionOutcome::NoAnswer, TimeoutStatus, false},
        CaptureCase{"NoUnit", [](SessionHarness& h) { h.sim.unit.Unplug(); },
                    RadioCodeCapture::ResultNotOpened, SessionOutcome::UnitNotFound,
                    [](SessionHarness& h) { return h.view.StatusText(); }, true},
        CaptureCase{"UnitDoesNotListen",
                    [](SessionHarness& h) { h.sim.AddFault(test::RawReply("\x15", "s1")); },
                    RadioCodeCapture::ResultNotOpened, SessionOutcome::UnitNotFound,
                    [](SessionHarness& h) { return h.view.StatusText(); }, true},
        CaptureCase{"EscapeInTheMainWindow",
                    [](SessionHarness& h) {
                        h.onPump = [&h] {
                            if (h.sim.clock.Now() > 2s) {
                                h.host.pendingKey = 0; // FormKeyPress took the armed Escape
                            }
                        };
                    },
                    RadioCodeCapture::ResultAborted, SessionOutcome::Cancelled, NoStatus, false},
        CaptureCase{"EscapeInTheWaitWindow",
                    [](SessionHarness& h) {
                        h.onPump = [&h] {
                            if (h.sim.clock.Now() > 2s) {
                                h.sessions->Wait().FormKeyPress(27);
                            }
                        };
                    },
                    RadioCodeCapture::ResultAborted, SessionOutcome::Cancelled, NoStatus, false}),
    test::CaseName{});

TEST(RadioCodeTest, ZeroCodesArePolledSixtyOneTimesThenTimeOut) {
    SessionHarness h(OneTransmitter("0000", 1s));
    h.LoadDefault(0x23);
    h.sessions->CaptureIntoEvent(1).outcome;
    const auto& commands = h.sim.unit.Firmware().Opens().at(0).commands;
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "c1"), 61);
    EXPECT_EQ(h.view.progressPositions.back(), 0);
}

TEST(RadioCodeTest, EscapeWinsOverACodeOfTheSameRound) {
    SessionHarness h(OneTransmitter("4D2E", 1s));
    h.LoadDefault(0x23);
    h.onPump = [&h] {
        // The operator presses Escape just after the unit heard the transmitter.
        if (h.sim.clock.Now() > 1s && h.sim.unit.Firmware().Listening()) {
            h.sessions->Wait().FormKeyPress(27);
        }
    };
    EXPECT_EQ(h.sessions->Capture().CaptureRadioCode("prompt").result, RadioCodeCapture::ResultAborted);
}

TEST(RadioCodeTest, AfterACaptureTheNextEscapeOnTheMainWindowIsSwallowedOnce) {
    SessionHarness h(OneTransmitter("4D2E", 1s));
    h.LoadDefault(0x23);
    h.sessions->CaptureIntoEvent(1).outcome;
    // The main window's FormKeyPress (the controller's) takes the key armed by the capture once.
    EXPECT_EQ(h.host.pendingKey, 27);
    EXPECT_EQ(h.sessions->Wait().AbortKey(), 27);
    EXPECT_TRUE(h.sessions->Wait().FormKeyPress(27));
    EXPECT_FALSE(h.sessions->Wait().FormKeyPress(27));
}

TEST(RadioCodeTest, AButtonOfNoEventDoesNothing) {
    SessionHarness h(OneTransmitter("4D2E", 1s));
    for (int n : {0, 9, -1}) {
        EXPECT_EQ(h.sessions->CaptureIntoEvent(n).outcome, SessionOutcome::NotRun) << n;
    }
    EXPECT_EQ(h.sim.unit.OpenCount(), 0);
}

} // namespace
} // namespace vorn
