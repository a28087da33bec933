// Communication > Change ID-code, the change-ID-code dialog and the info poll timer.
#include "SessionHarness.h"
#include "base/IniDocument.h"
#include "support/CaseName.h"
#include "support/Paths.h"

#include <ostream>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using Outcome = ChangeCodeDialog::ChangeOutcome;
using test::SessionHarness;

// The operator types the code into the dialog key by key, clicks Change, then Close.
std::function<void(ChangeCodeDialog&)> TypeAndChange(const std::string& code, Outcome* outcome) {
    return [code, outcome](ChangeCodeDialog& dialog) {
        EXPECT_EQ(dialog.Fields().FocusedName(), ChangeCodeDialog::NewCodeField);
        EXPECT_EQ(dialog.Fields().Get(ChangeCodeDialog::NewCodeField).Text(), "");
        dialog.Fields().TypeText(ChangeCodeDialog::NewCodeField, code);
        *outcome = dialog.btnChangeClick();
        dialog.btnCloseClick();
    };
}

TEST(ChangeIdCodeTest, ChangesTheCodeOfThePresenceUnit) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    Outcome outcome = Outcome::None;
    h.view.changeCode = TypeAndChange("00a1", &outcome);
    h.view.AnswerDialog(DialogResult::Yes);
    EXPECT_EQ(h.sessions->ChangeIdCode().outcome, SessionOutcome::Done);
    EXPECT_EQ(outcome, Outcome::Changed);
    EXPECT_EQ(h.Presence().RadioCode, "00A1");
    EXPECT_EQ(h.view.DialogTexts(),
              (std::vector<std::string>{h.Text("COMMUNICATION",
                                               "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY",
                                               {"12AB", "00A1"}),
                                        h.texts.Text("CHANGE_CODE", "MESSAGE-DEVICE_ID_CODE_CHANGED")}));
    EXPECT_EQ(h.sessions->ChangeCode().Result(), ChangeCodeDialog::ResultClose);
    EXPECT_EQ(h.sessions->ReceiveRadio().Caption(), h.texts.Text("CHANGE_CODE", "TITLE-CHANGE_ID_CODE"));
    EXPECT_EQ(h.view.receiveRadioActions.back(),
              h.texts.Text("CHANGE_CODE", "MESSAGE_PRESS_DEVICE_BUTTON_TO_CHANGE_CODE"));
    const auto& change = h.sim.unit.Firmware().Opens().at(1).commands;
    EXPECT_EQ(std::vector<std::string>(change.begin(), change.begin() + 4),
              (std::vector<std::string>{"h1", "n", "n022000A1", "i12AB"}));
    EXPECT_EQ(change.back(), "n");
    EXPECT_FALSE(h.sessions->Presence().Timer().enabled);
    EXPECT_EQ(h.sessions->Presence().Timer().tag, PresenceRadio::TagNone);
}

struct ChangeCase {
    const char* name;
    std::string typed;
    std::function<void(SessionHarness&)> arrange;
    Outcome outcome;
    std::function<std::vector<std::string>(SessionHarness&)> dialogs;
    int opens;
    friend void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }
};

class ChangeCodeTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ChangeCodeTest, EndsInItsReport) {
    const ChangeCase& c = GetParam();
    SessionHarness h;
    h.LoadDefault(0x2A);
    c.arrange(h);
    Outcome outcome = Outcome::None;
    h.view.changeCode = TypeAndChange(c.typed, &outcome);
    h.sessions->ChangeIdCode().outcome;
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_EQ(h.view.DialogTexts(), c.dialogs(h));
    EXPECT_EQ(h.sim.unit.OpenCount(), c.opens);
    EXPECT_FALSE(h.sim.unit.IsOpen());
    EXPECT_EQ(h.Presence().RadioCode == "12AB", c.outcome != Outcome::Changed);
    // A changed unit's configuration holds its new code, so the next write does not offer the old one.
    EXPECT_EQ(h.editor->Fields().Get("edtHESK_RadioIdCode").Text() == UpperCase(c.typed),
              c.outcome == Outcome::Changed);
}

std::vector<std::string> Range(SessionHarness& h) {
    return {h.Text("COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N", {"0001", "FFFE"})};
}

std::string Question(SessionHarness& h, const std::string& to) {
    return h.Text("COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY", {"12AB", to});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangeCodeTest,
    ::testing::Values(
        ChangeCase{"TwoCharacters", "A1", [](SessionHarness&) {}, Outcome::Refused,
                   [](SessionHarness& h) {
                       return std::vector<std::string>{
                           h.texts.Text("CHANGE_CODE", "MESSAGE-THE_FIELD_MUST_CONTAIN_4_HEX_DIGITS")};
                   },
                   0},
        ChangeCase{"LettersOtherThanHexAreDropped", "XYZ1", [](SessionHarness&) {}, Outcome::Refused,
                   [](SessionHarness& h) {
                       return std::vector<std::string>{
                           h.texts.Text("CHANGE_CODE", "MESSAGE-THE_FIELD_MUST_CONTAIN_4_HEX_DIGITS")};
                   },
                   0},
        ChangeCase{"Zero", "0000", [](SessionHarness&) {}, Outcome::Refused, Range, 0},
        ChangeCase{"AllF", "FFFF", [](SessionHarness&) {}, Outcome::Refused, Range, 0},
        ChangeCase{"AllFLowerCase", "ffff", [](SessionHarness&) {}, Outcome::Refused, Range, 0},
        ChangeCase{"TheCodeTheUnitHas", "12ab", [](SessionHarness&) {}, Outcome::AlreadySet,
                   [](SessionHarness& h) {
                       return std::vector<std::string>{h.Text(
                           "CHANGE_CODE", "MESSAGE-NO_UPDATE_NEEDED_DEVICE_HAS_ALREADY_NNNN", {"12AB"})};
                   },
                   1},
        ChangeCase{"OperatorSaysNo", "BEEF", [](SessionHarness& h) { h.view.AnswerDialog(DialogResult::No); },
                   Outcome::Declined,
                   [](SessionHarness& h) { return std::vector<std::string>{Question(h, "BEEF")}; }, 1},
        ChangeCase{"NoUnit", "BEEF", [](SessionHarness& h) { h.sim.unit.Unplug(); }, Outcome::NoDeviceCode,
                   [](SessionHarness& h) {
                       return std::vector<std::string>{h.texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND")};
                   },
                   0},
        ChangeCase{"UnitReportsFailure", "BEEF",
                   [](SessionHarness& h) {
                       h.Presence().FailsJobs = true;
                       h.view.AnswerDialog(DialogResult::Yes);
                   },
                   Outcome::DeviceFailed,
                   [](SessionHarness& h) {
                       return std::vector<std::string>{
                           Question(h, "BEEF"), h.texts.Text("HESK", "MESSAGE-ERROR_WRITE_DEVICE_RETRY")};
                   },
                   2},
        ChangeCase{"NoRadioContact", "BEEF",
                   [](SessionHarness& h) {
                       h.view.AnswerDialog(DialogResult::Yes);
                       h.view.beforeTick = [&h](ReceiveRadioDialog&, int tick) {
                           if (tick == 0 && h.view.receiveRadioShows == 2) {
                               h.Presence().Present = false;
                           }
                       };
                   },
                   Outcome::NoContact,
                   [](SessionHarness& h) {
                       return std::vector<std::string>{
                           Question(h, "BEEF"),
                           h.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED")};
                   },
                   2},
        ChangeCase{"UnitRefusesTheEntry", "BEEF",
                   [](SessionHarness& h) {
                       h.view.AnswerDialog(DialogResult::Yes);
                       h.sim.AddFault(test::RawReply("\x1B", "n0220"));
                   },
                   Outcome::NotChanged,
                   [](SessionHarness& h) {
                       return std::vector<std::string>{Question(h, "BEEF"),
                                                       h.texts.Text("HESK", "MESSAGE-KDU_GET_JOB_ERROR")};
                   },
                   2},
        ChangeCase{"AbortedAtTheButton", "BEEF",
                   [](SessionHarness& h) {
                       h.view.AnswerDialog(DialogResult::Yes);
                       h.view.beforeTick = [&h](ReceiveRadioDialog& dialog, int) {
                           if (h.view.receiveRadioShows == 2) {
                               dialog.btbtnAbortClick();
                           }
                       };
                   },
                   Outcome::NotChanged,
                   [](SessionHarness& h) { return std::vector<std::string>{Question(h, "BEEF")}; }, 2}),
    test::CaseName{});

TEST(ChangeIdCodeTest, OnlyPresenceUnitsHaveTheCommand) {
    for (std::uint8_t type : {std::uint8_t{0x23}, std::uint8_t{0x4B}}) {
        SessionHarness h;
        h.LoadDefault(type);
        EXPECT_EQ(h.sessions->ChangeIdCode().outcome, SessionOutcome::NotRun);
        EXPECT_EQ(h.sessions->ChangeCode().Result(), ChangeCodeDialog::ResultNone);
    }
}

TEST(ChangeIdCodeTest, TheDialogReadsItsOwnReader) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    ChangeCodeDialog& dialog = h.sessions->ChangeCode();
    dialog.Texts().LoadFile(test::DataFolder() + "Deutsch-1031.lang");
    h.view.changeCode = [](ChangeCodeDialog& d) { d.btnCloseClick(); };
    h.sessions->ChangeIdCode().outcome;
    EXPECT_EQ(dialog.Caption(), dialog.Texts().Text("CHANGE_CODE", "TITLE-CHANGE_ID_CODE"));
    EXPECT_NE(dialog.Caption(), h.texts.Text("CHANGE_CODE", "TITLE-CHANGE_ID_CODE"));
    EXPECT_EQ(dialog.Note(),
              SplitLines(dialog.Texts().Text("CHANGE_CODE", "MEMO-ENTER_NEW_CODE_AND_CLICK_CHANGE_CODE")));
    EXPECT_FALSE(dialog.Note().empty());
}

TEST(ChangeIdCodeTest, TheNewCodeFieldTakesHexDigitsInUpperCaseAndTheClipboardKeys) {
    SessionHarness h;
    FieldModel& fields = h.sessions->ChangeCode().Fields();
    const std::string field(ChangeCodeDialog::NewCodeField);
    const std::vector<std::pair<char32_t, KeyResult>> keys{
        {'0', KeyResult::Accepted},  {'a', KeyResult::Accepted},  {'F', KeyResult::Accepted},
        {'g', KeyResult::Discarded}, {'*', KeyResult::Discarded}, {' ', KeyResult::Discarded},
        {3, KeyResult::Accepted},    {22, KeyResult::Accepted},   {24, KeyResult::Accepted},
        {8, KeyResult::Accepted}};
    for (const auto& [key, result] : keys) {
        EXPECT_EQ(fields.TypeKey(field, key), result) << int(key);
    }
    EXPECT_EQ(fields.Get(field).Text(), "0A"); // backspace took the F
}

// The info poll timer: what each tag polls and how the reply closes the dialog.
struct TickCase {
    const char* name;
    int tag;
    sim::FaultRule reply;
    std::string command;
    int result; // the dialog's result after the tick (0: still open)
    friend void PrintTo(const TickCase& c, std::ostream* os) { *os << c.name; }
};

class InfoPollTimerTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(InfoPollTimerTest, PollsByTagAndClosesTheDialogWithTheOutcome) {
    const TickCase& c = GetParam();
    SessionHarness h;
    h.sim.AddFault(c.reply);
    PresenceRadio& radio = h.sessions->Presence();
    ASSERT_EQ(h.sim.link.Open(), 0);
    radio.StartTimer(c.tag);
    int result = -1;
    h.view.beforeTick = [&](ReceiveRadioDialog& dialog, int tick) {
        if (tick == 1) {
            result = dialog.Result();
            dialog.btbtnAbortClick();
        }
    };
    const int shown = radio.ShowDialog();
    h.sim.link.Close();
    EXPECT_EQ(result == -1 ? shown : 0, c.result);
    const auto& payloads = h.sim.unit.Firmware().ReceivedPayloads();
    if (c.command.empty()) {
        EXPECT_TRUE(payloads.empty());
    } else {
        ASSERT_FALSE(payloads.empty());
        EXPECT_EQ(payloads.front(), c.command);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tags, InfoPollTimerTest,
    ::testing::Values(
        TickCase{"DeviceCodeFailed", 100, test::FramedReply("04"), "A", ReceiveRadioDialog::ResultFailed},
        TickCase{"DeviceCodeAnswered", 100, test::FramedReply("12AB00130000"), "A",
                 ReceiveRadioDialog::ResultDone},
        TickCase{"DeviceCodeEightCharacters", 100, test::FramedReply("12AB0013"), "A",
                 ReceiveRadioDialog::ResultDone},
        TickCase{"DeviceCodeWaiting", 100, test::FramedReply("01"), "A", 0},
        TickCase{"DeviceCodeSevenCharacters", 100, test::FramedReply("12AB001"), "A", 0},
        TickCase{"WriteDone", 200, test::FramedReply("03"), "N", ReceiveRadioDialog::ResultDone},
        TickCase{"WriteFailed", 200, test::FramedReply("04"), "N", ReceiveRadioDialog::ResultFailed},
        TickCase{"WriteNoContact", 200, test::FramedReply("05"), "N", ReceiveRadioDialog::ResultNoContact},
        TickCase{"WriteRunning", 200, test::FramedReply("01"), "N", 0},
        TickCase{"WriteNoReply", 200, test::RawReply("\x15"), "N", 0},
        TickCase{"ReadDone", 300, test::FramedReply("03"), "M", ReceiveRadioDialog::ResultDone},
        TickCase{"ReadUnknownStatus", 300, test::FramedReply("0d"), "M", 0},
        TickCase{"ReadFailed", 300, test::FramedReply("04"), "M", ReceiveRadioDialog::ResultFailed},
        TickCase{"OtherTagSendsNothing", 0, test::FramedReply("03"), "", 0},
        TickCase{"UnknownTagSendsNothing", 400, test::FramedReply("03"), "", 0}),
    test::CaseName{});

TEST(InfoPollTimerTest, StatusDigitsOfEitherCase) {
    EXPECT_EQ(StatusPollResult("03"), ReceiveRadioDialog::ResultDone);
    EXPECT_EQ(StatusPollResult("04"), ReceiveRadioDialog::ResultFailed);
    EXPECT_EQ(StatusPollResult("05"), ReceiveRadioDialog::ResultNoContact);
    EXPECT_EQ(StatusPollResult("0A"), 0);
    EXPECT_EQ(StatusPollResult("0a"), 0);
    EXPECT_EQ(StatusPollResult("13"), 0);
    EXPECT_EQ(StatusPollResult("3"), 0);
    EXPECT_EQ(StatusPollResult("003"), 0);
}

TEST(InfoPollTimerTest, ATickWhileACommandWaitsSendsNothing) {
    SessionHarness h;
    PresenceRadio& radio = h.sessions->Presence();
    ASSERT_EQ(h.sim.link.Open(), 0);
    radio.StartTimer(PresenceRadio::TagWriteStatus);
    int ticks = 0;
    h.onPump = [&] {
        ++ticks;
        h.sessions->tmrPollKduInfoTimer(); // the timer fires while "v" waits for its reply
    };
    std::string version;
    EXPECT_EQ(h.sim.link.GetVersion(version), CommandOk);
    h.sim.link.Close();
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(h.sim.unit.Firmware().ReceivedPayloads(), std::vector<std::string>{"v"});
}

TEST(InfoPollTimerTest, AStoppedTimerSendsNothing) {
    SessionHarness h;
    ASSERT_EQ(h.sim.link.Open(), 0);
    h.sessions->Presence().StartTimer(PresenceRadio::TagReadStatus);
    h.sessions->Presence().StopTimer();
    h.sessions->tmrPollKduInfoTimer();
    h.sim.link.Close();
    EXPECT_TRUE(h.sim.unit.Firmware().ReceivedPayloads().empty());
}

} // namespace
} // namespace vorn
