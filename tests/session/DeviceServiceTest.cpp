// The device service on the simulated unit: the backup a read and a write keep, the read-back of a
// write, a device that loses a byte, the comparison with a device, cancelling, and a button never
// pressed.
#include "SessionHarness.h"
#include "lang/FieldCaption.h"
#include "model/ValueHelpers.h"
#include "platform/Interrupt.h"
#include "sim/FaultRule.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using sim::DemoDevices;
using test::ConfirmDevice;

const FormatArgs Tarv1001{"TARV", 1001};
constexpr std::string_view BatteryField = "edtBatteryCheckInterval"; // image address 41

struct ServiceHarness : test::SessionHarness {
    ServiceHarness() {
        sessions->SetBackupFolder(folder.Path() + "/");
        LoadDefault(0x23);
        view.selectDevice = ConfirmDevice(DemoDevices::FamilyASerial);
    }
    std::vector<BackupEntry> Backups() const {
        std::string error;
        return sessions->Backups().List(std::nullopt, error);
    }
    void Type(std::string_view field, const std::string& text) {
        editor->Fields().Clear(field);
        editor->Fields().TypeText(field, text);
        editor->Fields().Leave(field);
    }
    std::string Image(const sim::Memory& memory) const { return {memory.begin(), memory.end()}; }
    test::TempDir folder;
};

TEST(DeviceService, AReadKeepsTheDevicesConfigurationAsABackup) {
    ServiceHarness h;
    const DeviceResult r = h.sessions->Read();
    EXPECT_EQ(r.outcome, SessionOutcome::Done);
    EXPECT_TRUE(r.imageRead);
    EXPECT_EQ(r.blocks, 4);
    EXPECT_EQ(r.bytes, 216);
    EXPECT_EQ(r.band, 1);
    const auto backups = h.Backups();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].path, r.backupPath);
    EXPECT_EQ(backups[0].model, "TARV");
    EXPECT_EQ(backups[0].serial, DemoDevices::FamilyASerial);
    EXPECT_EQ(test::ReadBytes(r.backupPath), std::string(h.config.Image.begin(), h.config.Image.end()));
}

TEST(DeviceService, AVerifiedWriteKeepsTheDeviceFirstAndReadsTheWrittenAddressesBack) {
    ServiceHarness h;
    const sim::Memory before = h.Device(DemoDevices::FamilyASerial).Image;
    h.Type(BatteryField, "33");
    const DeviceResult r = h.sessions->Write({.verify = true, .backupFirst = true});
    EXPECT_EQ(r.outcome, SessionOutcome::Done);
    EXPECT_EQ(r.verify, VerifyResult::Passed);
    EXPECT_TRUE(r.differences.empty());
    EXPECT_EQ(h.Device(DemoDevices::FamilyASerial).Image[41], 33);
    // The backup holds the device as it was, before anything was written.
    EXPECT_EQ(test::ReadBytes(r.backupPath).substr(32, 216), h.Image(before).substr(32, 216));
    EXPECT_EQ(RangesText(r.written), "39-45, 48-116, 128-247");
    EXPECT_EQ(r.blocks, 5);
    EXPECT_EQ(h.view.waitTexts,
              (std::vector<std::string>{
                  h.Text("COMMUNICATION", "STATUS-BACKING_UP_NNNN_WITH_SERIAL_NUMBER_NN", Tarv1001),
                  h.Text("COMMUNICATION", "STATUS-WRITING_TO_NNNN_WITH_SERIAL_NUMBER_NN", Tarv1001),
                  h.Text("COMMUNICATION", "STATUS-WRITING_TO_NNNN_WITH_SERIAL_NUMBER_NN", Tarv1001),
                  h.Text("COMMUNICATION", "STATUS-VERIFYING_NNNN_WITH_SERIAL_NUMBER_NN", Tarv1001)}));
    EXPECT_EQ(h.view.StatusText(), h.Text("COMMUNICATION", "STATUS-DEVICE_NNNN_WRITE_OK", Tarv1001) + " " +
                                       h.Text("COMMUNICATION", "STATUS-VERIFIED"));
}

TEST(DeviceService, AByteTheDeviceDropsFailsTheWriteNamingItsFieldAndAddress) {
    ServiceHarness h;
    sim::FaultRule drop;
    drop.match = "Q";
    drop.kind = sim::FaultKind::DropByte;
    drop.position = 41;
    drop.times = -1;
    h.sim.AddFault(drop);
    const std::uint8_t kept = h.Device(DemoDevices::FamilyASerial).Image[41];
    h.Type(BatteryField, "33");
    const DeviceResult r = h.sessions->Write({.verify = true});
    EXPECT_EQ(r.outcome, SessionOutcome::DeviceFailed);
    EXPECT_EQ(r.verify, VerifyResult::Differs);
    ASSERT_EQ(r.differences.size(), 1u);
    const VerifyDifference& d = r.differences[0];
    const std::string caption = FieldCaption(h.texts, BatteryField);
    EXPECT_EQ(d.address, 41);
    EXPECT_EQ(d.caption, caption);
    EXPECT_EQ(d.written, 33);
    EXPECT_EQ(d.read, kept);
    ASSERT_FALSE(h.view.DialogTexts().empty());
    const std::string line = h.Text("COMMUNICATION", "TEXT-VERIFY_DIFFERENCE_NN_NN_NN_NN",
                                    {caption, 41, "0x21", "0x" + HexByte(kept)});
    EXPECT_NE(h.view.DialogTexts().back().find(line), std::string::npos) << h.view.DialogTexts().back();
}

TEST(DeviceService, AReadBackThatFailsSaysNotVerified) {
    ServiceHarness h;
    const std::string verifying =
        h.Text("COMMUNICATION", "STATUS-VERIFYING_NNNN_WITH_SERIAL_NUMBER_NN", Tarv1001);
    // The device goes out of range once the write is through.
    h.onPump = [&] {
        if (!h.view.waitTexts.empty() && h.view.waitTexts.back() == verifying) {
            h.Device(DemoDevices::FamilyASerial).Present = false;
        }
    };
    const DeviceResult r = h.sessions->Write({.verify = true});
    EXPECT_EQ(r.verify, VerifyResult::NotVerified);
    EXPECT_NE(r.outcome, SessionOutcome::Done);
    EXPECT_EQ(h.view.DialogTexts().back(), h.texts.Text("COMMUNICATION", "MESSAGE-NOT_VERIFIED"));
    EXPECT_EQ(h.view.StatusText().find(h.texts.Text("COMMUNICATION", "STATUS-VERIFIED")), std::string::npos);
}

TEST(DeviceService, ABackupThatCannotBeKeptStopsTheWriteBeforeTheDeviceIsAsked) {
    ServiceHarness h;
    test::WriteBytes(h.folder.File("backups"), "a file where the folder belongs");
    const DeviceResult r = h.sessions->Write({.backupFirst = true});
    EXPECT_EQ(r.outcome, SessionOutcome::BackupFailed);
    EXPECT_NE(r.backupError.find("not a folder"), std::string::npos) << r.backupError;
    EXPECT_TRUE(h.sim.unit.Firmware().ReceivedPayloads().empty());
    EXPECT_EQ(h.view.selectDeviceShows, 0);
}

// The comparison window as the operator leaves it: by taking the device's configuration or closing.
class CompareWindow : public CompareView {
public:
    void Show(CompareDialog& dialog) override {
        rows = dialog.Rows();
        take ? dialog.btnCompareTakeClick() : dialog.btnCompareCloseClick();
    }
    bool take = false;
    std::vector<FieldDifference> rows;
};

TEST(DeviceService, CompareListsTheFieldsThatDifferAndTakesTheDevicesOnlyWhenAsked) {
    for (const bool take : {false, true}) {
        SCOPED_TRACE(take ? "take" : "close");
        ServiceHarness h;
        CompareWindow window;
        window.take = take;
        h.sessions->SetCompareView(&window);
        h.Device(DemoDevices::FamilyASerial).Image[41] = 7;
        h.Type(BatteryField, "33");
        const DeviceResult r = h.sessions->Compare();
        EXPECT_EQ(r.outcome, SessionOutcome::Done);
        const auto row = std::find_if(window.rows.begin(), window.rows.end(),
                                      [](const FieldDifference& f) { return f.field == BatteryField; });
        ASSERT_NE(row, window.rows.end());
        EXPECT_EQ(row->caption, FieldCaption(h.texts, BatteryField));
        EXPECT_EQ(row->first, "33");
        EXPECT_EQ(row->second, "7");
        EXPECT_EQ(h.editor->Fields().Get(BatteryField).Text(), take ? "7" : "33");
        EXPECT_EQ(h.config.ConfigOrigin, take ? Origin::ReadFromDevice : Origin::Default);
        EXPECT_EQ(h.Backups().size(), 1u) << "a completed read is kept";
    }
}

TEST(DeviceService, ACancelledWriteSaysWhichAddressesReachedTheDevice) {
    ServiceHarness h;
    // Cancelled while the second block is on its way.
    h.onPump = [&] {
        if (h.config.State[45] == ByteState::Written) {
            h.sessions->Wait().CancelClick();
        }
    };
    const DeviceResult r = h.sessions->Write({});
    EXPECT_EQ(r.outcome, SessionOutcome::Cancelled);
    EXPECT_TRUE(r.writeStarted);
    EXPECT_EQ(RangesText(r.written), "39-45");
    EXPECT_EQ(h.view.DialogTexts().back(), h.Text("COMMUNICATION", "MESSAGE-WRITE_CANCELLED_NN", {"39-45"}));
    EXPECT_EQ(PendingStopRequest(), StopRequest::None) << "the next command is not cancelled";
}

TEST(DeviceService, APresenceUnitWhoseButtonIsNeverPressedIsGivenUpAfterTwoMinutes) {
    test::SessionHarness h;
    h.LoadDefault(0x2A);
    h.Presence().PressAfter = Millis{-1};
    h.sim.Scenario().CodeRequestTimeout = Millis{600000};
    const Millis start = h.sim.clock.Now();
    EXPECT_EQ(h.sessions->Read().outcome, SessionOutcome::ButtonNotPressed);
    // The wait itself, plus the unit's opening and the radio job's set-up.
    EXPECT_GE(h.sim.clock.Now() - start, ReceiveRadioDialog::MaxButtonWait);
    EXPECT_LT(h.sim.clock.Now() - start, ReceiveRadioDialog::MaxButtonWait + Millis{1000});
}

} // namespace
} // namespace vorn
