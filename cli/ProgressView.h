#pragma once

#include "base/CodeList.h"
#include "platform/Clock.h"
#include "session/SessionProgress.h"

#include <cstdint>
#include <string>

// The progress of vornctl's device sessions: one line on stderr, redrawn in place (block n of m, a
// bar, the band, repeats), only when it is wanted (stderr a terminal, no --quiet).
namespace vorn::cli {

class ProgressView : public SessionProgress {
public:
    // The receive bands, for the band's text.
    explicit ProgressView(const CodeList& bands) : bands_(bands) {}

    // Drawn on stderr only when set.
    bool enabled = false;

    // A new device: its label ("TARV 1001").
    void BeginDevice(std::string label) { label_ = std::move(label); }

    void JobStarting(const SessionStep& step) override;
    void SessionEnded(int result, const SessionStep& last) override;
    // A wait for a presence unit's button: how long it has waited of the limit.
    void Waiting(Millis waited, Millis limit);

    // Takes the line away, before a message is printed below it.
    void Clear();
    // The line for a step (without the terminal's control sequences).
    std::string Line(const SessionStep& step) const;
    // "1 (869.2125 MHz)", or the number alone for a band the list lacks.
    std::string BandText(std::uint8_t band) const;

private:
    void Draw(const std::string& line);

    const CodeList& bands_;
    std::string label_;
    bool drawn_ = false;
};

} // namespace vorn::cli
