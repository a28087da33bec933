#pragma once

#include "model/FamilyAMap.h"
#include "session/SessionContext.h"
#include "session/WaitWindow.h"

#include <string>

// Capturing the radio code of any transmitter the operator activates, into one of the eight radio
// events of the editor (the get-radio-code buttons of the radio-events page).
namespace vorn {

class RadioCodeCapture {
public:
    // Capture results.
    enum Result : int {
        ResultCaptured = 0,
        ResultNotOpened = 1, // the unit could not be opened or did not listen
        ResultTimeOut = 3,
        ResultAborted = 14, // Escape in the main window or the wait window
    };
    // The capture polls every PollPause while the progress bar counts down from Countdown to 0.
    static constexpr int Countdown = 60;
    static constexpr Millis PollPause{250};
    static constexpr int EventCount = FamilyAMap::RadioEventCount;
    static constexpr std::string_view NoCode = "0000";

    RadioCodeCapture(SessionContext& context, WaitWindow& wait) : context_(context), wait_(wait) {}

    struct Heard {
        Result result = ResultNotOpened;
        std::string code; // for ResultCaptured
    };
    // Listens for a transmitter, showing the prompt in the wait window.
    Heard CaptureRadioCode(const std::string& prompt);

    struct Found {
        bool found = false;
        std::string events; // "2, 5"
    };
    // The radio events other than n whose radio ID field holds exactly this code.
    Found FindCodeInOtherEvents(const std::string& code, int n) const;

    // Captures a code into the radio ID field of event n (1 to 8; any other does nothing), asking
    // first when another event holds it already: the get-radio-code button of the event.
    SessionOutcome CaptureIntoEvent(int n);

    static std::string RadioIdField(int n);

private:
    // Sleeps for the pause while the view keeps being served.
    void PauseServingTheView(Millis pause);

    SessionContext& context_;
    WaitWindow& wait_;
};

} // namespace vorn
