#pragma once

#include "editor/Editor.h"
#include "lang/ListIni.h"
#include "lang/TextFormat.h"
#include "session/DeviceSessions.h"
#include "sim/DemoUnit.h"
#include "support/CallbackPump.h"
#include "support/ScriptedOperator.h"
#include "support/SimLink.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vorn::test {

// The main window as the device flows see it.
class FakeHost : public SessionHost {
public:
    void ShowPagesForModel() override { ++pagesShown; }
    void UpdateCaption() override { ++captionUpdates; }
    int& PendingKey() override { return pendingKey; }

    int pagesShown = 0;
    int captionUpdates = 0;
    int pendingKey = 0;
};

// The operator of the device flows: answers message dialogs (a lone OK by itself, questions from the
// queue), follows the main window's state, and acts in the device dialogs by script.
class SessionOperator : public ScriptedOperator,
                        public WaitView,
                        public SelectDeviceView,
                        public ReceiveRadioView,
                        public ChangeCodeView {
public:
    explicit SessionOperator(VirtualClock& clock) : clock_(clock) {}

    DialogResult ShowMessageDialog(const MessageDialog& dialog) override;
    void SetWindowEnabled(bool enabled) override;
    void SetBusyCursor(bool busy) override { busyCursor = busy; }
    void SetFocus(std::string_view control) override { focus = std::string(control); }

    void ShowWait(const std::string& text) override;
    void SetWaitText(const std::string& text) override { waitTexts.push_back(text); }
    void SetWaitProgress(bool visible, int maximum, int position) override;
    void CloseWait() override;

    using ScriptedOperator::Show;
    void Show(SelectDeviceDialog& dialog) override;
    void Show(ReceiveRadioDialog& dialog) override;
    int ActionGroupWidth() const override { return groupWidth; }
    void Show(ChangeCodeDialog& dialog) override;

    // The texts of the error, information and question dialogs in order.
    std::vector<std::string> DialogTexts() const;

    bool windowEnabled = true;
    int windowDisables = 0;
    bool busyCursor = false;
    std::string focus;
    bool waitShown = false;
    int waitShows = 0;
    std::vector<std::string> waitTexts;
    std::vector<int> progressPositions;
    int groupWidth = 400;

    // What the operator does in the select-device dialog; without a script the dialog is a failure.
    std::function<void(SelectDeviceDialog&)> selectDevice;
    int selectDeviceShows = 0;
    // Called before each tick of the receive-radio dialog's timer (tick 0 is before the first).
    std::function<void(ReceiveRadioDialog&, int tick)> beforeTick;
    int maxTicks = 600; // 5 minutes of ticks: a dialog still open then is a failure
    int receiveRadioShows = 0;
    std::vector<std::string> receiveRadioActions;
    std::function<void(ChangeCodeDialog&)> changeCode;

private:
    VirtualClock& clock_;
};

// Confirms the select-device dialog as an operator would: types the serial number key by key into
// the emptied field, chooses the band by its text (when given), presses Enter.
std::function<void(SelectDeviceDialog&)> ConfirmDevice(std::uint32_t serial, std::string band = {});
// Cancels it with Escape.
std::function<void(SelectDeviceDialog&)> EscapeDevice();

// The device flows on the simulated unit (the demo devices by default) and the virtual clock, with the
// English texts and the bands of Europe.
struct SessionHarness {
    explicit SessionHarness(sim::SimScenario scenario = DemoScenario());

    static sim::SimScenario DemoScenario();

    SimLink sim;
    CodeLists lists;
    ListIni texts;
    SessionOperator view;
    FakeHost host;
    CallbackPump pump;
    std::unique_ptr<Editor> editor;
    ProgData config;
    MemoryJob job;
    std::unique_ptr<DeviceSessions> sessions;

    // The times at which the flows served the view, and a test's own hook run at each.
    std::vector<Millis> pumpTimes;
    std::function<void()> onPump;
    Millis LargestPumpGap() const;

    // The default configuration of a model (Europe) loaded into the editor as the device button does.
    void LoadDefault(std::uint8_t productType);
    std::string Text(std::string_view section, std::string_view key, const FormatArgs& args = {}) const;
    sim::MemoryDevice& Device(std::uint32_t serial);
    sim::PresenceUnit& Presence();
};

} // namespace vorn::test
