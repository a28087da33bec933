// The Communication menu, the get-radio-code buttons, the info poll timer and the about window's unit
// query, through the program controller on the demo devices.
#include "ProgramHarness.h"
#include "files/BackupStore.h"
#include "files/SupportLog.h"
#include "model/Catalogue.h"
#include "session/ChangeCodeDialog.h"
#include "session/ReceiveRadioDialog.h"
#include "session/SelectDeviceDialog.h"
#include "sim/DemoUnit.h"
#include "support/CallbackPump.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;
using sim::DemoDevices;
using test::ProgramHarness;

// The device windows: the select-device dialog confirmed with a serial number, the receive-radio
// dialog ticked on the virtual clock until it closes, the change-ID-code dialog given a new code.
class DeviceWindows : public SilentWaitView,
                      public SelectDeviceView,
                      public BackupsView,
                      public ReceiveRadioView,
                      public ChangeCodeView {
public:
    explicit DeviceWindows(VirtualClock& clock) : clock_(clock) {}

    void ShowWait(const std::string& text) override { waitTexts.push_back(text); }
    void Show(SelectDeviceDialog& dialog) override {
        ++selectDeviceShows;
        dialog.Fields().Clear(SelectDeviceDialog::SerialField);
        dialog.Fields().TypeText(SelectDeviceDialog::SerialField, std::to_string(serial));
        dialog.btnWriteOrReadClick();
    }
    void Show(ReceiveRadioDialog& dialog) override {
        for (int tick = 0; dialog.Shown() && tick < 600; ++tick) {
            clock_.Sleep(dialog.TickInterval());
            dialog.Tick();
        }
    }
    int ActionGroupWidth() const override { return 300; }
    void Show(ChangeCodeDialog& dialog) override {
        ++changeCodeShows;
        dialog.Fields().TypeText(ChangeCodeDialog::NewCodeField, newCode);
        changeOutcome = dialog.btnChangeClick();
        dialog.btnCloseClick();
    }

    // The backups window: every row, then the filter typed and the first row opened.
    void Show(BackupsDialog& dialog) override {
        allBackups = dialog.Rows();
        dialog.Fields().TypeText(BackupsDialog::SerialFilterField, backupFilter);
        filteredBackups = dialog.Rows();
        dialog.Select(0);
        dialog.btnBackupsOpenClick();
    }

    std::uint32_t serial = DemoDevices::FamilyASerial;
    std::string newCode;
    std::string backupFilter;
    std::vector<BackupsDialog::Row> allBackups;
    std::vector<BackupsDialog::Row> filteredBackups;
    int selectDeviceShows = 0;
    int changeCodeShows = 0;
    ChangeCodeDialog::ChangeOutcome changeOutcome = ChangeCodeDialog::ChangeOutcome::None;
    std::vector<std::string> waitTexts;

private:
    VirtualClock& clock_;
};

struct DeviceHarness : ProgramHarness {
    DeviceHarness() : windows(clock) {
        unit.Scenario() = sim::DemoScenario(Install());
        wait = &windows;
        selectDevice = &windows;
        receiveRadio = &windows;
        changeCode = &windows;
        backups = &windows;
    }
    DeviceWindows windows;
};

TEST(DeviceMenu, ReadFromDeviceFillsTheEditorAndTheCaptionSaysSo) {
    DeviceHarness h;
    ProgramController& p = h.StartWithModel(1); // TARV, Europe
    EXPECT_EQ(p.mnuCommReadFromDeviceClick(), SessionOutcome::Done);
    EXPECT_EQ(h.windows.selectDeviceShows, 1);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::ReadFromDevice);
    EXPECT_EQ(h.view.Caption(), p.Texts().Text("COMMON", "FORM_CAPTION-READ_FROM_DEVICE") + " - TARV - " +
                                    p.Texts().Text("COMMON", "TEXT-APPLICATION_TITLE"));
    EXPECT_EQ(p.GetEditor().Fields().Get("edtUnitRadioIdCode").Text(), DemoDevices::FamilyARadioId);
    EXPECT_TRUE(p.PageTabVisible("tbsButtons"));
    // Read from a device, not saved anywhere yet.
    EXPECT_TRUE(p.HasUnsavedChanges());
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, "");
}

TEST(DeviceMenu, WriteToDeviceLeavesTheOriginAlone) {
    DeviceHarness h;
    ProgramController& p = h.StartWithModel(12); // DADIDU
    h.windows.serial = DemoDevices::FamilyCSerial;
    const std::string caption = h.view.Caption();
    p.GetEditor().Fields().Clear("edtGOFA_RfidPower");
    p.GetEditor().Fields().TypeText("edtGOFA_RfidPower", "55");
    EXPECT_EQ(p.mnuCommWriteToDeviceClick(), SessionOutcome::Done);
    EXPECT_EQ(h.unit.Firmware().FindDevice(DemoDevices::FamilyCSerial)->Image[24], 55);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::Default);
    EXPECT_EQ(h.view.Caption(), caption);
    EXPECT_EQ(h.windows.waitTexts.size(), 4u); // the backup, the pre-read, the write, the read-back
}

TEST(DeviceMenu, AReadIsKeptAndTracedAndItsBackupOpensWithoutAFileOfItsOwn) {
    DeviceHarness h;
    ProgramController& p = h.StartWithModel(1);
    BackupStore store(p.Folders().programData);
    std::string error;
    const ProgData::Bytes other = p.CurrentConfig().Image;
    ASSERT_EQ(store.Prepare(), "");
    ASSERT_TRUE(store.Store(other, "TARV", 2002, 1700000000, error)) << error;
    ASSERT_EQ(p.mnuCommReadFromDeviceClick(), SessionOutcome::Done);
    const ProgData::Bytes read = p.CurrentConfig().Image;
    p.GetEditor().Fields().Clear("edtUnitRadioIdCode");
    p.GetEditor().Fields().TypeText("edtUnitRadioIdCode", "0FF0");
    h.view.AnswerDialog(DialogResult::No); // not saved
    h.windows.backupFilter = "10";
    p.mnuFileBackupsClick();
    ASSERT_EQ(h.windows.allBackups.size(), 2u);
    EXPECT_EQ(h.windows.allBackups[0].serial, std::to_string(DemoDevices::FamilyASerial)) << "newest first";
    ASSERT_EQ(h.windows.filteredBackups.size(), 1u);
    EXPECT_EQ(p.CurrentConfig().Image, read);
    EXPECT_EQ(p.GetEditor().Fields().Get("edtUnitRadioIdCode").Text(), DemoDevices::FamilyARadioId);
    EXPECT_EQ(p.CurrentConfig().ConfigOrigin, Origin::ReadFromDevice);
    EXPECT_EQ(p.CurrentConfig().CurrentFilePath, "") << "Save asks for a new name";
    // The read is in the trace vornctl shows, by the window's name.
    const std::string trace = SupportLog::Read(p.Folders().programData, true, error);
    EXPECT_NE(trace.find(std::string(WindowTraceName) + " read"), std::string::npos) << trace;
    EXPECT_EQ(test::ReadBytes(h.windows.filteredBackups[0].path), std::string(read.begin(), read.end()));
}

TEST(DeviceMenu, ChangeIdCodeOnlyForThePresenceUnits) {
    DeviceHarness h;
    ProgramController& p = h.StartWithRegion(0);
    h.windows.newCode = "BEEF";
    h.view.AnswerDialog(DialogResult::Yes); // the question
    h.view.AnswerDialog(DialogResult::Ok);  // "changed"
    for (const auto& [button, shows] : std::vector<std::pair<int, int>>{{1, 0}, {12, 0}, {10, 1}}) {
        p.bbtnSelectNewDeviceClick(button);
        const int before = h.windows.changeCodeShows;
        p.mnuCommChangeIdCodeClick();
        EXPECT_EQ(h.windows.changeCodeShows - before, shows) << button;
    }
    EXPECT_EQ(h.windows.changeOutcome, ChangeCodeDialog::ChangeOutcome::Changed);
    EXPECT_EQ(h.unit.Scenario().PresenceUnits[0].RadioCode, "BEEF");
    // The dialog's caption comes from its own reader, which the language start loaded.
    EXPECT_EQ(p.Sessions().ChangeCode().Caption(),
              p.ChangeCodeTexts().Text("CHANGE_CODE", "TITLE-CHANGE_ID_CODE"));
    EXPECT_EQ(p.ChangeCodeTexts().FilePath(), p.Texts().FilePath());
}

TEST(DeviceMenu, EscapeOnTheMainWindowAbortsACapture) {
    DeviceHarness h;
    h.unit.Scenario().Transmitters = {{"4D2E", 5s}};
    bool pressEscape = true;
    test::CallbackPump pump([&] {
        if (pressEscape && h.clock.Now() > 2s && h.program->PendingKey() != 0) {
            EXPECT_TRUE(h.program->FormKeyPress(ProgramController::EscapeKey));
        }
    });
    h.pump = &pump;
    ProgramController& p = h.StartWithModel(1);
    EXPECT_EQ(p.btnRadioEvent_n_GetRadioCodeClick(2), SessionOutcome::Cancelled);
    EXPECT_EQ(p.GetEditor().Fields().Get("edtRadioEvent_2_RadioId").Text(), "");
    EXPECT_EQ(h.view.StatusText(), "");

    pressEscape = false;
    EXPECT_EQ(p.btnRadioEvent_n_GetRadioCodeClick(2), SessionOutcome::Done);
    EXPECT_EQ(p.GetEditor().Fields().Get("edtRadioEvent_2_RadioId").Text(), "4D2E");
}

TEST(DeviceMenu, ATimerTickOutsideAFlowSendsNothing) {
    DeviceHarness h;
    ProgramController& p = h.StartWithModel(10);
    p.tmrPollKduInfoTimer();
    EXPECT_TRUE(h.unit.Firmware().ReceivedPayloads().empty());
    EXPECT_EQ(h.unit.OpenCount(), 0);
}

} // namespace
} // namespace vorn
