// Communication > Read from device, each family, on the simulated unit.
#include "SessionHarness.h"
#include "model/BandSetting.h"
#include "model/Catalogue.h"
#include "model/ValueHelpers.h"
#include "sim/FaultRule.h"
#include "support/CaseName.h"

#include <optional>
#include <ostream>

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using sim::DemoDevices;
using test::ConfirmDevice;
using test::SessionHarness;

const FormatArgs Tarv1001{"TARV", 1001};

TEST(ReadFlowTest, FamilyAReadFillsTheEditorFromTheDevice) {
    SessionHarness h;
    h.LoadDefault(0x23);
    sim::MemoryDevice& device = h.Device(DemoDevices::FamilyASerial);
    device.Image[40] = 7; // something the default does not hold: the battery check interval
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);

    for (int a = 32; a <= 247; ++a) {
        EXPECT_EQ(h.config.Image[a], device.Image[a]) << a;
        EXPECT_EQ(h.config.State[a], ByteState::Read) << a;
    }
    EXPECT_EQ(h.editor->Fields().Get("edtUnitRadioIdCode").Text(), DemoDevices::FamilyARadioId);
    EXPECT_EQ(h.view.StatusText(), h.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_READ_OK", Tarv1001));
    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_EQ(h.config.ConfigOrigin, Origin::ReadFromDevice);
    EXPECT_EQ(h.host.pagesShown, 1);
    EXPECT_EQ(h.host.captionUpdates, 1);
    // The frame of the session: wait window with the reading text, window disabled and back.
    EXPECT_EQ(h.view.waitTexts,
              std::vector<std::string>{
                  h.Text("COMMUNICATION", "STATUS-READING_FROM_NNNN_WITH_SERIAL_NUMBER_NN", Tarv1001)});
    EXPECT_EQ(h.view.windowDisables, 1);
    EXPECT_TRUE(h.view.windowEnabled);
    EXPECT_FALSE(h.view.waitShown);
    EXPECT_FALSE(h.view.busyCursor);
    EXPECT_EQ(h.view.focus, "frmEdit");
    EXPECT_EQ(h.job.SequenceCounter, 4);
    EXPECT_EQ(h.job.Direction, JobRead);
    EXPECT_EQ(h.job.ProductTypeNumber, 0x23);
}

TEST(ReadFlowTest, FamilyCReadFetchesItsThreeRanges) {
    SessionHarness h;
    h.LoadDefault(0x4B);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyCSerial);
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    const sim::Memory& device = h.Device(DemoDevices::FamilyCSerial).Image;
    for (int a = 0; a < 256; ++a) {
        const bool read = a <= 37 || (a >= 46 && a <= 68) || (a >= 112 && a <= 137);
        EXPECT_EQ(h.config.State[a], read ? ByteState::Read : ByteState::Idle) << a;
        if (read) {
            EXPECT_EQ(h.config.Image[a], device[a]) << a;
        }
    }
    EXPECT_EQ(h.job.SequenceCounter, 3);
    EXPECT_EQ(h.view.StatusText(), h.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_READ_OK", {"DADIDU", 3001}));
    EXPECT_EQ(h.editor->Fields().Get("edtGOFA_UnitIdCode").Text(), DemoDevices::FamilyCRadioId);
}

sim::FaultRule Fault(const char* text) {
    std::string error;
    return *sim::ParseFaultRule(text, error);
}

TEST(ReadFlowTest, LowerCaseDataAndAVersionReplyLostInMidSessionAreReadThrough) {
    for (const char* fault : {"Q$:lowercase-data*-1", "v:silence@1*1"}) {
        SessionHarness h;
        h.LoadDefault(0x23);
        sim::Memory& device = h.Device(DemoDevices::FamilyASerial).Image;
        device[RadioIdAddress] = 0x1E; // digits a lower-case reply would spoil as 0x3E
        device[RadioIdAddress + 1] = 0xAF;
        h.sim.AddFault(Fault(fault));
        h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
        EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Done) << fault;
        EXPECT_TRUE(std::equal(device.begin() + 32, device.begin() + 248, h.config.Image.begin() + 32))
            << fault;
    }
}

TEST(ReadFlowTest, TheSequenceCounterRunsOnAcrossSessions) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    ASSERT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    ASSERT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    EXPECT_EQ(h.sim.unit.Firmware().SequenceCounters(), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(h.sim.unit.Firmware().RepeatedCounters(), 0);
}

TEST(ReadFlowTest, EveryJobOpensPulsesAndSetsUpTheUnitBeforeItsRequest) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    ASSERT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    const auto& opens = h.sim.unit.Firmware().Opens();
    ASSERT_EQ(opens.size(), 4u);
    for (const auto& open : opens) {
        ASSERT_GE(open.commands.size(), 5u);
        EXPECT_EQ(std::vector<std::string>(open.commands.begin(), open.commands.begin() + 4),
                  (std::vector<std::string>{"<pulse>", "v", "h1", "q01040006"}));
        EXPECT_EQ(open.commands[4].substr(0, 1), "Q");
    }
    EXPECT_EQ(h.sim.unit.Firmware().UnpreparedRequests(), 0);
}

TEST(ReadFlowTest, CancellingTheDialogStartsNothing) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.view.selectDevice = test::EscapeDevice();
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Cancelled);
    EXPECT_EQ(h.sim.unit.OpenCount(), 0);
    EXPECT_TRUE(h.view.Dialogs().empty());
    EXPECT_TRUE(h.view.StatusTexts().empty());
    EXPECT_EQ(h.view.windowDisables, 0);
    EXPECT_EQ(h.config.ConfigOrigin, Origin::Default);
}

TEST(ReadFlowTest, AModelOfNoFamilyDoesNothing) {
    SessionHarness h;
    h.config.Image[ProductTypeAddress] = 0x2C;
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::NotRun);
    EXPECT_EQ(h.view.selectDeviceShows, 0);
    EXPECT_EQ(h.view.receiveRadioShows, 0);
    EXPECT_EQ(h.sim.unit.OpenCount(), 0);
}

// What the device answers decides the conversion's report.
struct ConversionCase {
    const char* name;
    std::function<void(sim::Memory&)> change;
    SessionOutcome outcome;
    std::function<std::string(SessionHarness&)> dialog; // empty: no dialog
    bool statusIsDialog;                                // a message (status bar too) or only a dialog
    friend void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }
};

class ReadConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ReadConversionTest, ReportsTheConversion) {
    const ConversionCase& c = GetParam();
    SessionHarness h;
    h.LoadDefault(0x23);
    c.change(h.Device(DemoDevices::FamilyASerial).Image);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    EXPECT_EQ(h.sessions->Read().outcome, c.outcome);
    if (c.dialog) {
        ASSERT_EQ(h.view.DialogTexts(), std::vector<std::string>{c.dialog(h)});
        EXPECT_EQ(h.view.StatusText() == c.dialog(h), c.statusIsDialog);
    } else {
        EXPECT_TRUE(h.view.Dialogs().empty());
    }
    // Whatever the conversion said, the image is the device's and the caption says so.
    EXPECT_EQ(h.config.ConfigOrigin, Origin::ReadFromDevice);
    EXPECT_EQ(h.host.captionUpdates, 1);
    EXPECT_EQ(h.host.pagesShown, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Results, ReadConversionTest,
    ::testing::Values(ConversionCase{"Accepted", [](sim::Memory&) {}, SessionOutcome::Done, nullptr, false},
                      ConversionCase{"FirmwareVersion21Accepted", [](sim::Memory& m) { m[47] = 0x21; },
                                     SessionOutcome::Done, nullptr, false},
                      ConversionCase{"FirmwareVersion31Refused", [](sim::Memory& m) { m[47] = 0x31; },
                                     SessionOutcome::ConversionError,
                                     [](SessionHarness& h) {
                                         return h.Text("COMMON", "MESSAGE-INCOMPATIBLE_FIRMWARE_VERSION_NN",
                                                       {"v3.1"});
                                     },
                                     false},
                      ConversionCase{"AnotherProductType", [](sim::Memory& m) { m[122] = 0x2C; },
                                     SessionOutcome::ConversionError,
                                     [](SessionHarness& h) {
                                         return h.Text("COMMON", "MESSAGE-INVALID_PRODUCT_TYPE_NN", {44});
                                     },
                                     false},
                      ConversionCase{"ACodeTheListLacks", [](sim::Memory& m) { m[55] = 200; },
                                     SessionOutcome::ConversionError,
                                     [](SessionHarness& h) {
                                         return h.Text("COMMON", "MESSAGE-ERROR_CONVERTING_DATA", {200, 55});
                                     },
                                     true}),
    test::CaseName{});

// A session that fails ends in its message; the editor and the origin stay as they were.
struct FailureCase {
    const char* name;
    std::function<void(SessionHarness&)> arrange;
    SessionOutcome outcome;
    std::function<std::string(SessionHarness&)> message;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class ReadFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReadFailureTest, EndsInItsMessageWithTheWindowUsable) {
    const FailureCase& c = GetParam();
    SessionHarness h;
    h.LoadDefault(0x23);
    const ProgData::Bytes before = h.config.Image;
    c.arrange(h);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    const Millis start = h.sim.clock.Now();
    EXPECT_EQ(h.sessions->Read().outcome, c.outcome);
    const std::string message = c.message(h);
    EXPECT_EQ(h.view.DialogTexts(), std::vector<std::string>{message});
    EXPECT_EQ(h.view.StatusText(), message);
    EXPECT_EQ(h.view.Dialogs().front().kind, MessageKind::Error);
    EXPECT_TRUE(h.view.windowEnabled);
    EXPECT_FALSE(h.view.waitShown);
    EXPECT_FALSE(h.sim.unit.IsOpen());
    EXPECT_EQ(h.config.ConfigOrigin, Origin::Default);
    EXPECT_EQ(h.editor->Fields().Get("edtUnitRadioIdCode").Text(), "");
    EXPECT_EQ(h.host.pagesShown, 0);
    // Bounded: minutes of protocol time at most.
    EXPECT_LT(h.sim.clock.Now() - start, 10min);
    (void)before;
}

std::string Timeout(SessionHarness& h) {
    return h.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT", Tarv1001);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadFailureTest,
    ::testing::Values(
        FailureCase{"NoUnit", [](SessionHarness& h) { h.sim.unit.Unplug(); }, SessionOutcome::UnitNotFound,
                    [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND"); }},
        FailureCase{"NoPermissionOnThePort", [](SessionHarness& h) { h.sim.Scenario().OpenDenied = true; },
                    SessionOutcome::UnitNotFound,
                    [](SessionHarness& h) {
                        EXPECT_TRUE(h.texts.Defines("COMMON", "MESSAGE-KDU_ACCESS_DENIED_DIALOUT"));
                        return h.texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND") + "\n" +
                               h.texts.Text("COMMON", "MESSAGE-KDU_ACCESS_DENIED_DIALOUT");
                    }},
        FailureCase{
            "UnitBelow17_1", [](SessionHarness& h) { h.sim.Scenario().VersionText = "16-9.99 KDU"; },
            SessionOutcome::FirmwareTooOld,
            [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE"); }},
        FailureCase{"DeviceNeverAnswers",
                    [](SessionHarness& h) { h.Device(DemoDevices::FamilyASerial).Present = false; },
                    SessionOutcome::NoAnswer, Timeout},
        FailureCase{"DeviceOnAnotherBandOfNoList",
                    [](SessionHarness& h) { h.Device(DemoDevices::FamilyASerial).Band = 4; },
                    SessionOutcome::NoAnswer, Timeout},
        FailureCase{"UnitAnswers05",
                    [](SessionHarness& h) { h.sim.AddFault(test::FramedReply("05", "Q$", -1)); },
                    SessionOutcome::NoAnswer, Timeout},
        FailureCase{"ThreeReplyErrors",
                    [](SessionHarness& h) {
                        h.sim.AddFault(
                            test::FramedReply(std::string(24, '0') + "07" + std::string(6, '0'), "Q$", -1));
                    },
                    SessionOutcome::NoAnswer, Timeout},
        FailureCase{"DataThatIsNoHexNumber",
                    [](SessionHarness& h) {
                        h.sim.AddFault(test::FramedReply(
                            std::string(24, '0') + "02" + std::string(6 + 127, '0') + "G", "Q$", -1));
                    },
                    SessionOutcome::NoAnswer, Timeout},
        FailureCase{"UnitDripsItsReplies", [](SessionHarness& h) { h.sim.AddFault(Fault("Q$:drip=150*-1")); },
                    SessionOutcome::NoAnswer, Timeout},
        FailureCase{"UnitRefusesEveryJob",
                    [](SessionHarness& h) { h.sim.AddFault(test::RawReply("\x15", "q", -1)); },
                    SessionOutcome::NoAnswer, Timeout},
        FailureCase{"UnpluggedInTheMiddle",
                    [](SessionHarness& h) {
                        sim::FaultRule unplug = test::RawReply("", "Q", 1);
                        unplug.kind = sim::FaultKind::Unplug;
                        unplug.position = 1000;
                        unplug.skip = 8; // the second job's request and polls have passed
                        h.sim.AddFault(unplug);
                    },
                    SessionOutcome::UnitNotFound,
                    [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND"); }}),
    test::CaseName{});

TEST(ReadFlowTest, ASilentDeviceIsSoughtSixTimesOverThreeBands) {
    SessionHarness h;
    h.lists.ReceiveBands = {"1=869.2125 MHz", "2=868.7125 MHz", "6=869.4125 MHz"};
    h.LoadDefault(0x23);
    h.Device(DemoDevices::FamilyASerial).Present = false;
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial, "868.7125 MHz");
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::NoAnswer);
    std::vector<std::string> bands;
    for (const std::string& payload : h.sim.unit.Firmware().ReceivedPayloads()) {
        if (payload.starts_with("q")) {
            bands.push_back(payload.substr(1, 2));
        }
    }
    EXPECT_EQ(bands, (std::vector<std::string>{"02", "06", "01", "02", "06", "01"}));
    EXPECT_TRUE(h.sim.trace.Contains("COMM_TIMEOUT (The frequency list was processed 2 times"));
    EXPECT_EQ(h.view.DialogTexts(),
              std::vector<std::string>{h.Text("COMMUNICATION", "MESSAGE-READ_WRITE_TIMEOUT", Tarv1001)});
}

TEST(ReadFlowTest, AnUnplugLeavesTheBlocksReadInTheImageAndTheEditorAlone) {
    SessionHarness h;
    h.LoadDefault(0x23);
    sim::FaultRule unplug = test::RawReply("", "Q", 1);
    unplug.kind = sim::FaultKind::Unplug;
    unplug.position = 1000;
    unplug.skip = 8;
    h.sim.AddFault(unplug);
    h.Device(DemoDevices::FamilyASerial).Image[33] = 0x99;
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    h.sessions->Read().outcome;
    EXPECT_EQ(h.config.State[32], ByteState::Read);
    EXPECT_EQ(h.config.Image[33], 0x99);
    // Each job is a request and three polls: the third job's request unplugged the unit.
    EXPECT_EQ(h.config.State[159], ByteState::Read);
    EXPECT_EQ(h.config.State[160], ByteState::ToRead);
    EXPECT_EQ(h.editor->Fields().Get("edtUnitRadioIdCode").Text(), "");
}

TEST(ReadFlowTest, EscapeInTheWaitWindowCancelsASessionWithin300Ms) {
    SessionHarness h;
    h.LoadDefault(0x23);
    const ProgData::Bytes edited = h.config.Image;
    // A device that does not answer: the session would go through the bands for a while.
    std::optional<Millis> pressed;
    h.onPump = [&] {
        h.host.pendingKey = 0; // Escape in the main window does nothing here
        if (!pressed && h.sim.clock.Now() >= 2500ms && h.sessions->Wait().FormKeyPress(27)) {
            pressed = h.sim.clock.Now();
        }
    };
    h.view.selectDevice = ConfirmDevice(1002);
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Cancelled);
    ASSERT_TRUE(pressed);
    EXPECT_LE(h.sim.clock.Now() - *pressed, 300ms);
    EXPECT_EQ(h.config.Image, edited);
    EXPECT_EQ(h.view.StatusText(), h.Text("COMMUNICATION", "STATUS-READ_CANCELLED"));
    EXPECT_FALSE(h.view.waitShown);
    EXPECT_TRUE(h.view.windowEnabled);
}

TEST(ReadFlowTest, TheSerialAndTheBandAreKeptForTheNextSession) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.Device(DemoDevices::FamilyASerial).Band = 6;
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial, "869.4125 MHz");
    ASSERT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    h.view.selectDevice = [](SelectDeviceDialog& dialog) {
        EXPECT_EQ(dialog.Fields().Get(SelectDeviceDialog::SerialField).Text(), "1001");
        EXPECT_EQ(dialog.Fields().Get(SelectDeviceDialog::BandField).Text(), "869.4125 MHz");
        EXPECT_TRUE(dialog.ConfirmEnabled());
        dialog.btnWriteOrReadClick();
    };
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    EXPECT_FALSE(h.sim.trace.Contains("Change frequency to"));
}

// The configuration on screen names its device: a later session proposes that one, not the number
// typed meanwhile for a device that did not answer.
TEST(ReadFlowTest, TheDialogProposesTheSerialNumberOfTheConfigurationOnScreen) {
    SessionHarness h;
    h.LoadDefault(0x23);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    ASSERT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    h.view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial + 1);
    ASSERT_EQ(h.sessions->Read().outcome, SessionOutcome::NoAnswer);
    std::string proposed;
    h.view.selectDevice = [&proposed](SelectDeviceDialog& dialog) {
        proposed = dialog.Fields().Get(SelectDeviceDialog::SerialField).Text();
        dialog.btnCancelClick();
    };
    EXPECT_EQ(h.sessions->Write({}).outcome, SessionOutcome::Cancelled);
    EXPECT_EQ(proposed, std::to_string(DemoDevices::FamilyASerial));
}

// --- Family B ---------------------------------------------------------------------------------------

TEST(ReadFlowTest, FamilyBReadLearnsTheCodeThenReadsWhenTheButtonIsPressed) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    sim::PresenceUnit& unit = h.Presence();
    unit.Image[0x28] = 9; // a byte of the second read entry
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::Done);
    EXPECT_EQ(h.view.receiveRadioShows, 2);
    EXPECT_EQ(
        h.view.receiveRadioActions,
        (std::vector<std::string>{h.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_GET_CODE"),
                                  h.texts.Text("HESK", "LABEL-PRESS_DEVICE_BUTTON_TO_READ_CONFIGURATION")}));
    EXPECT_EQ(h.sessions->Presence().DeviceRadioCode(), "12AB");
    EXPECT_EQ(h.editor->Fields().Get("edtHESK_RadioIdCode").Text(), "12AB");
    for (const auto& [first, count] :
         std::vector<std::pair<int, int>>{{0x20, 5}, {0x27, 5}, {0x2E, 7}, {0x7A, 6}}) {
        for (int a = first; a < first + count; ++a) {
            EXPECT_EQ(h.config.Image[a], unit.Image[a]) << a;
            EXPECT_EQ(h.config.State[a], ByteState::ToRead) << a;
        }
    }
    EXPECT_EQ(h.config.State[0x25], ByteState::Idle);
    EXPECT_EQ(h.view.StatusText(), h.texts.Text("HESK", "MESSAGE-READ_FROM_DEVICE_COMPLETE"));
    EXPECT_EQ(h.config.ConfigOrigin, Origin::ReadFromDevice);
    EXPECT_EQ(h.host.captionUpdates, 1);
    EXPECT_EQ(h.sessions->ReceiveRadio().Caption(), h.texts.Text("COMMUNICATION", "TITLE-READ_FROM_DEVICE"));
    EXPECT_TRUE(h.sessions->ReceiveRadio().Picture1Visible());
    EXPECT_FALSE(h.sessions->Presence().Timer().enabled);
    EXPECT_FALSE(h.sim.unit.IsOpen());
    // The read's own open: SetH, the emptied list, the four entries, the job, its polls, the records.
    const auto& opens = h.sim.unit.Firmware().Opens();
    ASSERT_EQ(opens.size(), 2u);
    const std::vector<std::string>& read = opens[1].commands;
    EXPECT_EQ(std::vector<std::string>(read.begin(), read.begin() + 7),
              (std::vector<std::string>{"h1", "m", "m0520", "m0527", "m072E", "m067A", "i12AB"}));
    EXPECT_EQ(read.back(), "m");
    EXPECT_EQ(std::count(read.begin(), read.end(), "N"), 0); // the read status only
}

struct PresenceReadCase {
    const char* name;
    std::function<void(SessionHarness&)> arrange;
    SessionOutcome outcome;
    std::function<std::string(SessionHarness&)> dialog; // empty: none
    std::function<std::string(SessionHarness&)> status;
    friend void PrintTo(const PresenceReadCase& c, std::ostream* os) { *os << c.name; }
};

class PresenceReadTest : public ::testing::TestWithParam<PresenceReadCase> {};

TEST_P(PresenceReadTest, EndsInItsReport) {
    const PresenceReadCase& c = GetParam();
    SessionHarness h;
    h.LoadDefault(0x2A);
    c.arrange(h);
    EXPECT_EQ(h.sessions->Read().outcome, c.outcome);
    if (c.dialog) {
        EXPECT_EQ(h.view.DialogTexts(), std::vector<std::string>{c.dialog(h)});
    } else {
        EXPECT_TRUE(h.view.Dialogs().empty()) << h.view.Dialogs().front().text;
    }
    EXPECT_EQ(h.view.StatusText(), c.status(h));
    EXPECT_EQ(h.config.ConfigOrigin, Origin::Default);
    EXPECT_FALSE(h.sim.unit.IsOpen());
    EXPECT_FALSE(h.sessions->Presence().Timer().enabled);
}

template <int Missing>
std::string NotRead(SessionHarness& h) {
    return h.Text("COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ", {Missing});
}

std::string NoCode(SessionHarness& h) {
    return h.texts.Text("HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION");
}

// The operator presses Abort in the receive-radio dialog the n-th time it is shown.
void AbortDialog(SessionHarness& h, int showing) {
    h.view.beforeTick = [&h, showing](ReceiveRadioDialog& dialog, int tick) {
        if (tick == 0 && h.view.receiveRadioShows == showing) {
            dialog.btbtnAbortClick();
        }
    };
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PresenceReadTest,
    ::testing::Values(
        PresenceReadCase{
            "NoUnit", [](SessionHarness& h) { h.sim.unit.Unplug(); }, SessionOutcome::UnitNotFound,
            [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-KDU_NOT_FOUND"); }, NoCode},
        PresenceReadCase{
            "UnitBelow17_1", [](SessionHarness& h) { h.sim.Scenario().VersionText = "16-1.00 KDU"; },
            SessionOutcome::FirmwareTooOld,
            [](SessionHarness& h) { return h.texts.Text("COMMON", "MESSAGE-PLEASE_UPGRADE_KDU_FIRMWARE"); },
            NoCode},
        PresenceReadCase{"CodeRequestAborted", [](SessionHarness& h) { AbortDialog(h, 1); },
                         SessionOutcome::Cancelled, nullptr, NoCode},
        PresenceReadCase{"CodeRequestFails",
                         [](SessionHarness& h) {
                             h.Presence().PressAfter = Millis{-1};
                             h.sim.Scenario().CodeRequestTimeout = 5s;
                         },
                         SessionOutcome::NoAnswer, nullptr, NoCode},
        PresenceReadCase{
            "ReadAborted", [](SessionHarness& h) { AbortDialog(h, 2); }, SessionOutcome::Cancelled, nullptr,
            [](SessionHarness& h) { return h.texts.Text("HESK", "MESSAGE-USER_ABORTED_READ_OPERATION"); }},
        PresenceReadCase{"UnitReportsFailure", [](SessionHarness& h) { h.Presence().FailsJobs = true; },
                         SessionOutcome::DeviceFailed,
                         [](SessionHarness& h) { return h.texts.Text("HESK", "MESSAGE-ERROR_READ_DEVICE"); },
                         [](SessionHarness&) { return std::string(); }},
        PresenceReadCase{"NoRadioContact",
                         [](SessionHarness& h) {
                             // The unit answers the code request, then leaves radio range.
                             h.view.beforeTick = [&h](ReceiveRadioDialog&, int tick) {
                                 if (tick == 0 && h.view.receiveRadioShows == 2) {
                                     h.Presence().Present = false;
                                 }
                             };
                             h.sim.Scenario().RadioJobTimeout = 10s;
                         },
                         SessionOutcome::NoAnswer,
                         [](SessionHarness& h) {
                             return h.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED");
                         },
                         [](SessionHarness&) { return std::string(); }},
        PresenceReadCase{"UnitRefusesTheJob",
                         [](SessionHarness& h) { h.sim.AddFault(test::RawReply("\x04", "i", -1)); },
                         SessionOutcome::DeviceFailed,
                         [](SessionHarness& h) { return h.texts.Text("HESK", "MESSAGE-KDU_GET_JOB_ERROR"); },
                         [](SessionHarness&) { return std::string(); }},
        // Every byte asked for comes back, or the read fails with the count of those that did not.
        PresenceReadCase{"SecondRecordDamaged",
                         [](SessionHarness& h) { h.sim.AddFault(Fault("x:checksum@1")); },
                         SessionOutcome::NoAnswer, NotRead<18>, NotRead<18>},
        PresenceReadCase{
            "ARecordWithDataThatIsNoHexNumber",
            [](SessionHarness& h) { h.sim.AddFault(test::FramedReply("12AB05200102G30405", "x")); },
            SessionOutcome::NoAnswer, NotRead<5>, NotRead<5>}),
    test::CaseName{});

TEST(ReadFlowTest, APresenceUnitOfAnotherTypeIsAskedAgainThenGivenUp) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    h.Presence().TypeCode = "15";
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::NoAnswer);
    EXPECT_EQ(h.view.receiveRadioShows, PresenceRadio::MaxDeviceCodeAttempts);
    EXPECT_EQ(h.sessions->Presence().DeviceRadioCode(), "");
    EXPECT_EQ(h.view.StatusText(), h.texts.Text("HESK", "MESSAGE-USER_ABORT_DEVICE_ID_CODE_READ_OPERATION"));
    EXPECT_TRUE(h.sim.trace.Contains("no device code after 10 requests"));
}

TEST(ReadFlowTest, AUnitThatRefusesEveryCodeRequestIsGivenUp) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    h.sim.AddFault(test::RawReply("\x15", "a", -1));
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::NoAnswer);
    EXPECT_EQ(h.view.receiveRadioShows, 0);
    const auto& received = h.sim.unit.Firmware().ReceivedPayloads();
    EXPECT_EQ(std::count(received.begin(), received.end(), "aFFFF2E2F"),
              PresenceRadio::MaxDeviceCodeAttempts);
}

TEST(ReadFlowTest, AFamilyBReadWithoutRecordsFailsWithTheImageKeptAndTheStatesCleared) {
    SessionHarness h;
    h.LoadDefault(0x2A);
    h.sim.AddFault(test::RawReply("\x15", "x", -1));
    h.config.MarkRange(0, 255, ByteState::ToWrite);
    const ProgData::Bytes before = h.config.Image;
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::NoAnswer);
    for (int a = 0; a < 256; ++a) {
        EXPECT_EQ(h.config.State[a], ByteState::Idle) << a;
    }
    EXPECT_EQ(h.config.Image, before);
    EXPECT_EQ(h.view.StatusText(),
              h.Text("COMMUNICATION", "MESSAGE-ERROR_A_TOTAL_OF_NN_PARAMETERS_WAS_NOT_READ", {23}));
}

} // namespace
} // namespace vorn
