#include "session/RadioCodeCapture.h"

#include "base/IniDocument.h"
#include "platform/Interrupt.h"

#include <algorithm>
#include <optional>

namespace vorn {

namespace {

// A radio code is four hexadecimal digits; what else a unit may send is no code at all, and never
// reaches a radio ID field. Lower-case digits are taken as the upper-case ones.
std::optional<std::string> RadioCodeOf(std::string_view captured) {
    if (captured.size() != 4 || !std::all_of(captured.begin(), captured.end(), [](char ch) {
            return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f');
        })) {
        return std::nullopt;
    }
    return UpperCase(captured);
}

} // namespace

std::string RadioCodeCapture::RadioIdField(int n) {
    return "edtRadioEvent_" + std::to_string(n) + "_RadioId";
}

void RadioCodeCapture::PauseServingTheView(Millis pause) {
    Clock& clock = context_.link.LinkClock();
    const Millis end = clock.Now() + pause;
    for (Millis now = clock.Now(); now < end; now = clock.Now()) {
        clock.Sleep(std::min(KduLink::PumpSlice, end - now));
        context_.views.pump.ProcessPendingEvents();
    }
}

RadioCodeCapture::Heard RadioCodeCapture::CaptureRadioCode(const std::string& prompt) {
    Heard capture;
    KduLink& link = context_.link;
    if (link.Open() == 0) {
        link.PulseLine();
        link.SetH(kdu::HValue);
        if (link.ListenOn() == CommandOk) {
            MainWindowView& window = context_.views.window;
            window.SetWindowEnabled(false);
            window.SetBusyCursor(true);
            int& pendingKey = context_.host.PendingKey();
            pendingKey = WaitWindow::EscapeKey;
            wait_.SetAbortKey(WaitWindow::EscapeKey);
            wait_.SetText(prompt);
            wait_.SetProgress(true, Countdown, Countdown);
            // Its Cancel button does what Escape does.
            wait_.SetCancellable(true, context_.texts.Text("COMMON", "BUTTON-CANCEL"));
            wait_.Show(prompt);
            for (int count = Countdown;; --count) {
                std::string captured;
                bool finished = false;
                if (link.GetCapturedCode(captured) == CommandOk && captured != NoCode) {
                    if (const auto code = RadioCodeOf(captured)) {
                        capture = {ResultCaptured, *code};
                        finished = true;
                    } else {
                        link.Trace().Write("Captured code is not four hexadecimal digits, ignored");
                    }
                }
                PauseServingTheView(PollPause);
                wait_.SetProgress(true, Countdown, count);
                if (count == 0 && !finished) {
                    capture = {ResultTimeOut, {}};
                    finished = true;
                }
                // Escape in either window, or a stop request, wins over a code that came in the same round.
                if (wait_.AbortKey() == WaitWindow::NoKey || pendingKey == WaitWindow::NoKey ||
                    StopRequested()) {
                    capture = {ResultAborted, {}};
                    finished = true;
                }
                if (finished) {
                    break;
                }
            }
            link.ListenOff();
            wait_.SetProgress(false, Countdown, 0);
            wait_.Close();
            window.SetBusyCursor(false);
            window.SetWindowEnabled(true);
            window.SetFocus(SessionContext::MainWindowControl);
        }
    }
    link.Close();
    return capture;
}

RadioCodeCapture::Found RadioCodeCapture::FindCodeInOtherEvents(const std::string& code, int n) const {
    Found found;
    for (int i = 1; i <= EventCount; ++i) {
        if (i != n && context_.editor.Fields().Get(RadioIdField(i)).Text() == code) {
            found.events += (found.events.empty() ? "" : ", ") + std::to_string(i);
        }
    }
    found.found = !found.events.empty();
    return found;
}

SessionOutcome RadioCodeCapture::CaptureIntoEvent(int n) {
    if (n < 1 || n > EventCount) {
        return SessionOutcome::NotRun;
    }
    const Heard capture =
        CaptureRadioCode(context_.Text("COMMON", "MESSAGE-ACTIVATE_WIRELESS_DEVICE_FOR_EVENT_NN", {n}));
    switch (capture.result) {
    case ResultCaptured: {
        const Found found = FindCodeInOtherEvents(capture.code, n);
        bool copy = true;
        if (found.found) {
            const std::string question = context_.Text("COMMON",
                                                       "MESSAGE-RECEIVED_RADIO_CODE_NNNN_IS_ALREADY_LOCATED_"
                                                       "IN_THE_FOLLOWING_EVENTS_NN_DO_YOU_WANT_TO_CONTINUE",
                                                       {capture.code, found.events});
            copy = context_.Dialog(question, MessageKind::Information, Buttons::YesNo) == DialogResult::Yes;
        }
        if (!copy) {
            context_.Status({});
            return SessionOutcome::Cancelled;
        }
        context_.editor.Fields().SetText(RadioIdField(n), capture.code);
        context_.Status(
            context_.Text("COMMON", "STATUS-RADIO_CODE_NNNN_COPIED_INTO_EVENT_NN", {capture.code, n}));
        return SessionOutcome::Done;
    }
    case ResultNotOpened:
        context_.Dialog(context_.UnitNotFoundText(), MessageKind::Error, Buttons::Ok);
        return SessionOutcome::UnitNotFound;
    case ResultAborted: context_.Status({}); return SessionOutcome::Cancelled;
    default:
        context_.Status(context_.texts.Text("COMMON", "STATUS-TIMEOUT_NO_RADIO_CODE_WAS_RECEIVED"));
        return SessionOutcome::NoAnswer;
    }
}

} // namespace vorn
