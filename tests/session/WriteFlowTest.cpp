// Communication > Write to device, each family, on the simulated unit.
#include "SessionHarness.h"
#include "model/BandSetting.h"
#include "model/Catalogue.h"
#include "support/CaseName.h"

#include <ostream>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using sim::DemoDevices;
using test::ConfirmDevice;
using test::SessionHarness;

const FormatArgs Tarv1001{"TARV", 1001};

// One memory job as the unit saw it.
struct SeenJob {
    int band;
    bool write;
    int address;
    int length;
    friend bool operator==(const SeenJob&, const SeenJob&) = default;
    friend void PrintTo(const SeenJob& j, std::ostream* os) {
        *os << (j.write ? "write" : "read") << " band " << j.band << " " << j.address << "/" << j.length;
    }
};

std::vector<SeenJob> SeenJobs(SessionHarness& h) {
    std::vector<SeenJob> jobs;
    int band = -1;
    for (const std::string& payload : h.sim.unit.Firmware().ReceivedPayloads()) {
        if (payload.size() == 9 && payload[0] == 'q') {
            band = std::stoi(payload.substr(1, 2), nullptr, 16);
        } else if (payload.size() >= 19 && payload[0] == 'Q') {
            jobs.push_back({band, payload.substr(11, 2) == "01",
                            std::stoi(payload.substr(13, 4), nullptr, 16),
                            std::stoi(payload.substr(17, 2), nullptr, 16)});
        }
    }
    return jobs;
}

void TypeInto(SessionHarness& h, const std::string& field, const std::string& text) {
    FieldModel& fields = h.editor->Fields();
    fields.Clear(field);
    ASSERT_EQ(fields.TypeText(field, text), KeyResult::Accepted);
    fields.Leave(field);
}

// Puts a text into a field as a loaded file would, past the field's checks.
void Place(SessionHarness& h, const std::string& field, const std::string& text) {
    h.editor->Filling = true;
    h.editor->Fields().SetText(field, text);
    h.editor->Filling = false;
}

std::string IdQuestion(SessionHarness& h, const std::string& from, const std::string& to) {
    return h.Text("COMMUNICATION", "MESSAGE-DO_YOU_WANT_TO_CHANGE_ID_CODE_FROM_XXXX_TO_YYYY", {from, to});
}

TEST(WriteFlowTest, FullFamilyAWriteWithTheIdCodeRunsSixBlocksAndFollowsTheNewBand) {
    SessionHarness h;
    h.LoadDefault(0x23);
    TypeInto(h, "edtUnitRadioIdCode", "ABCD");
    ASSERT_TRUE(h.editor->Fields().SelectText("cbbxRxFrequencyBand", "869.4125 MHz")); // band 6
    TypeInto(h, "edtBatteryCheckInterval", "12");
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    h.view.AnswerDialog(DialogResult::Yes);
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::Done);

    EXPECT_EQ(SeenJobs(h), (std::vector<SeenJob>{{1, false, 32, 16},
                                                 {1, true, 32, 2},
                                                 {1, true, 39, 7},
                                                 {1, true, 48, 64},
                                                 {6, true, 112, 5},
                                                 {6, true, 128, 64},
                                                 {6, true, 192, 56}}));
    ASSERT_EQ(h.view.Dialogs().size(), 1u);
    EXPECT_EQ(h.view.Dialogs()[0].text, IdQuestion(h, "1234", "ABCD"));
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(h.view.Dialogs()[0].buttons.size(), 3u);
    const sim::MemoryDevice& device = h.Device(DemoDevices::FamilyASerial);
    EXPECT_EQ(device.Band, 6);
    EXPECT_EQ(device.Image[32], 0xAB);
    EXPECT_EQ(device.Image[33], 0xCD);
    EXPECT_EQ(device.Image[41], 12);
    for (int a = 32; a <= 247; ++a) {
        if (h.config.State[a] == ByteState::Written) {
            EXPECT_EQ(device.Image[a], h.config.Image[a]) << a;
        }
    }
    EXPECT_EQ(h.config.CountState(ByteState::ToWrite), 0);
    EXPECT_EQ(h.config.State[46], ByteState::Idle); // firmware type and version are never written
    EXPECT_EQ(h.config.State[122], ByteState::Idle);
    EXPECT_EQ(h.view.StatusText(), h.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", Tarv1001));
    const std::string writing =
        h.Text("COMMUNICATION", "STATUS-WRITING_TO_NNNN_WITH_SERIAL_NUMBER_NN", Tarv1001);
    EXPECT_EQ(h.view.waitTexts, (std::vector<std::string>{writing, writing}));
    EXPECT_EQ(h.view.windowDisables, 2);
    EXPECT_TRUE(h.view.windowEnabled);
    // A write changes neither the origin nor the caption.
    EXPECT_EQ(h.config.ConfigOrigin, Origin::Default);
    EXPECT_EQ(h.host.captionUpdates, 0);
    EXPECT_EQ(h.sim.unit.Firmware().RepeatedCounters(), 0);
}

// The radio ID code question: when it is asked, and what each answer writes.
struct IdCase {
    const char* name;
    std::string edited; // typed into edtUnitRadioIdCode
    std::optional<DialogResult> answer;
    SessionOutcome outcome;
    bool idWritten;
    bool written; // anything written at all
    friend void PrintTo(const IdCase& c, std::ostream* os) { *os << c.name; }
};

class IdQuestionTest : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdQuestionTest, AsksOnlyWhenTheCodesDiffer) {
    const IdCase& c = GetParam();
    SessionHarness h;
    h.LoadDefault(0x23);
    TypeInto(h, "edtUnitRadioIdCode", c.edited);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    if (c.answer) {
        h.view.AnswerDialog(*c.answer);
    }
    EXPECT_EQ(h.sessions->Write({}).outcome, c.outcome);
    EXPECT_EQ(h.view.Dialogs().size(), c.answer ? 1u : 0u);
    bool idJob = false;
    for (const SeenJob& job : SeenJobs(h)) {
        idJob |= job.write && job.address == 32;
    }
    EXPECT_EQ(idJob, c.idWritten);
    EXPECT_EQ(SeenJobs(h).size(), c.written ? (c.idWritten ? 7u : 6u) : 1u);
    const sim::MemoryDevice& device = h.Device(DemoDevices::FamilyASerial);
    EXPECT_EQ(device.Image[32] == 0x12 && device.Image[33] == 0x34, !c.idWritten);
    if (c.outcome == SessionOutcome::Cancelled) {
        EXPECT_EQ(h.view.StatusText(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IdQuestionTest,
    ::testing::Values(IdCase{"SameCode", "1234", std::nullopt, SessionOutcome::Done, false, true},
                      IdCase{"EmptyCode", "", std::nullopt, SessionOutcome::Done, false, true},
                      IdCase{"Yes", "BEEF", DialogResult::Yes, SessionOutcome::Done, true, true},
                      IdCase{"No", "BEEF", DialogResult::No, SessionOutcome::Done, false, true},
                      IdCase{"Cancel", "BEEF", DialogResult::Cancel, SessionOutcome::Cancelled, false,
                             false}),
    test::CaseName{});

TEST(WriteFlowTest, ADeviceOfAnotherFirmwareMajorIsNotWritten) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.Device(DemoDevices::FamilyASerial).Image[47] = 0x31;
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::DeviceFailed);
    const std::string message = h.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN", {"v3.1"});
    EXPECT_EQ(h.view.DialogTexts(), std::vector<std::string>{message});
    EXPECT_EQ(h.view.StatusText(), message);
    EXPECT_EQ(SeenJobs(h).size(), 1u); // the pre-read only
}

TEST(WriteFlowTest, AnEditorThatDoesNotConvertSendsNothing) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.editor->Fields().SetIndex("cbbxCableLength", -1); // as a file with a cable length of no list item
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::ConversionError);
    // The message names the field that cannot be stored.
    EXPECT_EQ(h.view.DialogTexts(),
              std::vector<std::string>{h.Text("FILE", "MESSAGE-FIELD_NN_CANNOT_BE_STORED",
                                              {h.texts.Text("TAB_1", "LABEL-INPUT_CABLE_LENGTH")})});
    EXPECT_EQ(h.view.selectDeviceShows, 0);
    EXPECT_EQ(h.sim.unit.OpenCount(), 0);
}

TEST(WriteFlowTest, AProductTypeOfNoFamilyOnlyTraces) {
    SessionHarness h;
    h.config.Image[ProductTypeAddress] = 0x3A;
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::NotRun);
    EXPECT_EQ(h.sim.trace.Lines(), std::vector<std::string>{"mnuCommWriteToDevice(): Invalid product type"});
    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_EQ(h.sim.unit.OpenCount(), 0);
}

TEST(WriteFlowTest, FamilyCWritesItsRangesAndFollowsItsCarrierFrequency) {
    SessionHarness h;
    h.LoadDefault(0x4B);
    ASSERT_TRUE(h.editor->Fields().SelectText("cbbxGOFA_RxFrequencyBand", "868.7125 MHz")); // band 2
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyCSerial);
    // The default's code 0000 is empty: no question.
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::Done);
    EXPECT_TRUE(h.view.Dialogs().empty());
    // 21-22 are both 0 in the default: left out; the device moves after the first block.
    EXPECT_EQ(
        SeenJobs(h),
        (std::vector<SeenJob>{
            {1, false, 32, 16}, {1, true, 0, 21}, {2, true, 23, 9}, {2, true, 34, 4}, {2, true, 48, 21}}));
    EXPECT_EQ(h.Device(DemoDevices::FamilyCSerial).Band, 2);
    EXPECT_EQ(h.view.StatusText(), h.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", {"DADIDU", 3001}));
}

TEST(WriteFlowTest, FamilyCWritesThePositionWhenItIsNotZero) {
    SessionHarness h;
    h.LoadDefault(0x4B);
    TypeInto(h, "edtGOFA_Position", "0001");
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyCSerial);
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::Done);
    EXPECT_EQ(SeenJobs(h)[1], (SeenJob{1, true, 0, 32})); // 0-20, 21-22 and 23-31 form one run
    EXPECT_EQ(h.Device(DemoDevices::FamilyCSerial).Image[22], 0x01);
}

// Failures of a family A write end in their message, the window usable, the image consistent.
struct WriteFailureCase {
    const char* name;
    std::function<void(SessionHarness&)> arrange;
    SessionOutcome outcome;
    std::function<std::string(SessionHarness&)> message;
    int written; // write jobs done before the failure
    friend void PrintTo(const WriteFailureCase& c, std::ostream* os) { *os << c.name; }
};

class WriteFailureTest : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(WriteFailureTest, EndsInItsMessage) {
    const WriteFailureCase& c = GetParam();
    SessionHarness h;
    h.LoadDefault(0x23);
    c.arrange(h);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    EXPECT_EQ(h.sessions->Write({}).outcome, c.outcome);
    const std::string message = c.message(h);
    EXPECT_EQ(h.view.DialogTexts(), std::vector<std::string>{message});
    EXPECT_EQ(h.view.StatusText(), message);
    EXPECT_TRUE(h.view.windowEnabled);
    EXPECT_FALSE(h.view.waitShown);
    EXPECT_FALSE(h.sim.unit.IsOpen());
    // Blocks done are written, the rest still to write; no byte is in any other transfer state.
    int written = 0;
    for (int a = 0; a < 256; ++a) {
        const ByteState state = h.config.State[a];
        EXPECT_TRUE(state == ByteState::Idle || state == ByteState::ToWrite || state == ByteState::Written)
            << a;
        written += state == ByteState::Written ? 1 : 0;
    }
    int writtenJobs = 0;
    for (const SeenJob& job : SeenJobs(h)) {
        writtenJobs += job.write ? 1 : 0;
    }
    EXPECT_GE(writtenJobs, c.written);
    EXPECT_EQ(written > 0, c.written > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFailureTest,
    ::testing::Values(
        WriteFailureCase{
            "NoUnit", [](SessionHarness& h) { h.sim.unit.Unplug(); }, SessionOutcome::UnitNotFound,
            [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND"); }, 0},
        WriteFailureCase{
            "UnitBelow17_1", [](SessionHarness& h) { h.sim.Scenario().VersionText = "09-1.00 KDU"; },
            SessionOutcome::FirmwareTooOld,
            [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE"); },
            0},
        WriteFailureCase{
            "DeviceNeverAnswers",
            [](SessionHarness& h) { h.Device(DemoDevices::FamilyASerial).Present = false; },
            SessionOutcome::NoAnswer,
            [](SessionHarness& h) { return h.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT", Tarv1001); },
            0},
        WriteFailureCase{
            "DeviceLostAfterTwoBlocks",
            [](SessionHarness& h) {
                // Pre-read and two blocks answered (four Q each), then only "05".
                sim::FaultRule rule = test::FramedReply("05", "Q$", -1);
                rule.skip = 9;
                h.sim.AddFault(rule);
            },
            SessionOutcome::NoAnswer,
            [](SessionHarness& h) { return h.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT", Tarv1001); },
            2},
        WriteFailureCase{"UnpluggedAfterTwoBlocks",
                         [](SessionHarness& h) {
                             sim::FaultRule unplug = test::RawReply("", "Q", 1);
                             unplug.kind = sim::FaultKind::Unplug;
                             unplug.position = 1000;
                             unplug.skip = 12;
                             h.sim.AddFault(unplug);
                         },
                         SessionOutcome::UnitNotFound,
                         [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND"); },
                         2},
        WriteFailureCase{
            "ThreeReplyErrorsInTheWrite",
            [](SessionHarness& h) {
                sim::FaultRule rule =
                    test::FramedReply(std::string(24, '0') + "09" + std::string(6, '0'), "Q$", -1);
                rule.skip = 3; // the pre-read's polls pass
                h.sim.AddFault(rule);
            },
            SessionOutcome::NoAnswer,
            [](SessionHarness& h) { return h.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT", Tarv1001); },
            0}),
    test::CaseName{});

// --- Family B ---------------------------------------------------------------------------------------

TEST(WriteFlowTest, FamilyBWriteSendsItsEntriesAndWaitsForTheButton) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    TypeInto(h, "edtHESK_RadioIdCode", "BEEF");
    h.view.AnswerDialog(DialogResult::Yes);
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::Done);
    EXPECT_EQ(h.view.DialogTexts(), std::vector<std::string>{IdQuestion(h, "12AB", "BEEF")});
    EXPECT_EQ(h.view.Dialogs()[0].kind, MessageKind::Information);
    EXPECT_EQ(h.view.StatusText(), h.texts.Text("HESK", "MESSAGE-WRITE_COMPLETE"));
    const auto& opens = h.sim.unit.Firmware().Opens();
    ASSERT_EQ(opens.size(), 2u);
    const std::vector<std::string>& write = opens[1].commands;
    ASSERT_GE(write.size(), 6u);
    EXPECT_EQ(write[0], "h1");
    EXPECT_EQ(write[1], "n");
    EXPECT_TRUE(write[2].starts_with("n0527")) << write[2];
    EXPECT_TRUE(write[3].starts_with("n0530")) << write[3];
    EXPECT_EQ(write[4], "n0220BEEF");
    EXPECT_EQ(write[5], "i12AB");
    EXPECT_EQ(write.back(), "n");
    EXPECT_EQ(std::count(write.begin(), write.end(), "M"), 0); // the write status only
    EXPECT_EQ(h.Presence().RadioCode, "BEEF");
    EXPECT_EQ(h.sessions->ReceiveRadio().Caption(), h.texts.Text("COMMUNICATION", "TITLE-WRITE_TO_DEVICE"));
}

TEST(WriteFlowTest, FamilyBWriteWithoutTheIdCodeWhenTheOperatorSaysNo) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    TypeInto(h, "edtHESK_RadioIdCode", "BEEF");
    h.view.AnswerDialog(DialogResult::No);
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::Done);
    EXPECT_EQ(h.Presence().RadioCode, "12AB");
    const auto& write = h.sim.unit.Firmware().Opens()[1].commands;
    EXPECT_EQ(std::count_if(write.begin(), write.end(),
                            [](const std::string& c) { return c.starts_with("n0220"); }),
              0);
}

struct PresenceWriteCase {
    const char* name;
    std::string code;
    std::function<void(SessionHarness&)> arrange;
    SessionOutcome outcome;
    std::function<std::string(SessionHarness&)> dialog; // the last dialog; empty: none but questions
    std::function<std::string(SessionHarness&)> status;
    int opens;
    friend void PrintTo(const PresenceWriteCase& c, std::ostream* os) { *os << c.name; }
};

class PresenceWriteTest : public ::testing::TestWithParam<PresenceWriteCase> {};

TEST_P(PresenceWriteTest, EndsInItsReport) {
    const PresenceWriteCase& c = GetParam();
    SessionHarness h;
    h.LoadDefault(0x2A);
    Place(h, "edtHESK_RadioIdCode", c.code);
    c.arrange(h);
    EXPECT_EQ(h.sessions->Write({}).outcome, c.outcome);
    if (c.dialog) {
        ASSERT_FALSE(h.view.Dialogs().empty());
        EXPECT_EQ(h.view.Dialogs().back().text, c.dialog(h));
    }
    EXPECT_EQ(h.view.StatusText(), c.status(h));
    EXPECT_EQ(h.sim.unit.OpenCount(), c.opens);
    EXPECT_FALSE(h.sim.unit.IsOpen());
    EXPECT_FALSE(h.sessions->Presence().Timer().enabled);
}

std::string Empty(SessionHarness&) {
    return {};
}

std::string JobRefused(SessionHarness& h) {
    return h.texts.Text("HESK", "MESSAGE-KDU_GET_JOB_ERROR");
}

std::string Range(SessionHarness& h) {
    return h.Text("COMMON", "MESSAGE-ENTERED_VALUE_MUST_BE_BETWEEN_N_AND_N", {"0001", "FFFE"});
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PresenceWriteTest,
    ::testing::Values(
        PresenceWriteCase{"CodeZero", "0000", [](SessionHarness&) {}, SessionOutcome::Refused, Range, Empty,
                          0},
        PresenceWriteCase{"CodeZeroShort", "00", [](SessionHarness&) {}, SessionOutcome::Refused, Range,
                          Empty, 0},
        PresenceWriteCase{"CodeFFFFLowerCase", "ffff", [](SessionHarness&) {}, SessionOutcome::Refused, Range,
                          Empty, 0},
        PresenceWriteCase{"AbortInTheQuestion", "BEEF",
                          [](SessionHarness& h) { h.view.AnswerDialog(DialogResult::Abort); },
                          SessionOutcome::Cancelled, nullptr, Empty, 1},
        PresenceWriteCase{
            "ButtonNeverPressed", "12AB",
            [](SessionHarness& h) {
                h.view.beforeTick = [&h](ReceiveRadioDialog& dialog, int tick) {
                    if (h.view.receiveRadioShows == 2 && tick == 20) {
                        dialog.btbtnAbortClick();
                    }
                };
                h.Presence().PressAfter = 1s; // the code request only
                h.sim.Scenario().AirTime = 1h;
            },
            SessionOutcome::Cancelled, nullptr,
            [](SessionHarness& h) { return h.texts.Text("HESK", "MESSAGE-USER_ABORTED_WRITE_OPERATION"); },
            2},
        PresenceWriteCase{
            "UnitReportsFailure", "12AB", [](SessionHarness& h) { h.Presence().FailsJobs = true; },
            SessionOutcome::DeviceFailed,
            [](SessionHarness& h) { return h.texts.Text("HESK", "MESSAGE-ERROR_WRITE_DEVICE_RETRY"); }, Empty,
            2},
        PresenceWriteCase{"UnitRefusesTheJob", "12AB",
                          [](SessionHarness& h) { h.sim.AddFault(test::RawReply("\x04", "i", -1)); },
                          SessionOutcome::DeviceFailed, JobRefused, Empty, 2},
        // A job without every entry would write part of the configuration and report it complete.
        PresenceWriteCase{"UnitRefusesAWriteEntry", "12AB",
                          [](SessionHarness& h) { h.sim.AddFault(test::RawReply("\x1B", "n0530")); },
                          SessionOutcome::DeviceFailed, JobRefused, Empty, 2},
        PresenceWriteCase{"NoCodeFromTheUnit", "12AB",
                          [](SessionHarness& h) {
                              h.view.beforeTick = [](ReceiveRadioDialog& dialog, int) {
                                  dialog.btbtnAbortClick();
                              };
                          },
                          SessionOutcome::Cancelled, nullptr,
                          [](SessionHarness& h) {
                              return h.texts.Text("HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION");
                          },
                          1}),
    test::CaseName{});

TEST(WriteFlowTest, FamilyBConversionFailureSendsNoEntries) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    Place(h, "edtHESK_MaxShortTx", "0"); // no transmissions at all
    Place(h, "edtHESK_MaxLongTx", "0");
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::ConversionError);
    // Both counts named, before the unit is asked for anything.
    const std::string counts = h.texts.Text("TAB_4", "LABEL-MAX_NUMBER_OF_SHORT_TRANSMISSIONS") + ", " +
                               h.texts.Text("TAB_4", "LABEL-MAX_NUMBER_OF_LONG_TRANSMISSIONS");
    EXPECT_EQ(h.view.DialogTexts(),
              std::vector<std::string>{h.Text("FILE", "MESSAGE-FIELD_NN_CANNOT_BE_STORED", {counts})});
    EXPECT_EQ(h.sim.unit.OpenCount(), 0);
}

} // namespace
} // namespace vorn
