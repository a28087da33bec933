#pragma once

#include "session/SessionContext.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The operator of vornctl's device commands, in every role of the program controller's views: the flows'
// messages and status texts go to stderr in the language's words, the select-device dialog is confirmed with
// the command's serial number and band, the receive-radio dialog waits while its timer ticks (the dialog
// bounds the wait), and the radio ID code question is answered by the command's option or on the terminal;
// without either it stays unanswered.
namespace vorn::cli {

class ProgressView;

class DeviceOperator : public SilentDialogView,
                       public SilentMainWindowView,
                       public WaitView,
                       public SelectDeviceView,
                       public ReceiveRadioView,
                       public SilentChangeCodeView,
                       public SilentEventPump {
public:
    explicit DeviceOperator(Clock& clock) : clock_(clock) {}

    // While set (the program's start), messages are closed unseen as the file commands' are.
    bool quiet = false;
    // Status texts (what a flow is doing) are said only while set (--quiet clears it); messages always.
    bool chatty = true;
    // The progress line, taken away before anything is said below it.
    ProgressView* progress = nullptr;

    // The select-device dialog's answers.
    std::uint32_t serialNumber = 0;
    std::optional<int> bandIndex; // nothing: the dialog's own choice (the first band)
    // The answer to the radio ID code question: nothing asks on the terminal when there is one.
    std::optional<bool> changeId;
    bool terminal = false;

    // A new device: what was said about the last one is forgotten (the same text is said again).
    void ForgetDevice() { lastSaid_.clear(); }

    DialogResult ShowMessageDialog(const MessageDialog& dialog) override;
    void SetStatusText(const std::string& text) override { Say(text, false); }

    void ShowWait(const std::string& text) override { Say(text, false); }
    void SetWaitText(const std::string& text) override { Say(text, false); }
    void SetWaitProgress(bool, int, int) override {}
    void CloseWait() override {}

    using SilentChangeCodeView::Show;
    void Show(SelectDeviceDialog& dialog) override;
    void Show(ReceiveRadioDialog& dialog) override;
    int ActionGroupWidth() const override { return 0; }

private:
    // One line on stderr; the same text twice in a row (a message is a status text and a dialog) once.
    void Say(const std::string& text, bool message);
    DialogResult AskIdQuestion(const MessageDialog& dialog);

    Clock& clock_;
    std::string lastSaid_;
};

} // namespace vorn::cli
