#pragma once

#include "base/CodeList.h"
#include "platform/Clock.h"
#include "session/SessionProgress.h"

#include <cstdint>
#include <optional>
#include <string>

// The progress of vornctl's device sessions: one line on stderr, redrawn in place (block n of m, a
// bar, the band, repeats), only when it is wanted (stderr a terminal, no --quiet). It also keeps the
// figures of the device's main transfer (the write of a write, the read of a read) for its report.
namespace vorn::cli {

class ProgressView : public SessionProgress {
public:
    // What a device's report takes from its sessions.
    struct Figures {
        int blocks = 0; // blocks moved
        int bytes = 0;  // bytes moved
        std::optional<std::uint8_t> band;
    };

    // The receive bands, for the band's text.
    explicit ProgressView(const CodeList& bands) : bands_(bands) {}

    // Drawn on stderr only when set.
    bool enabled = false;

    // A new device: its label ("TARV 1001") and the direction of its main transfer; the figures start
    // afresh.
    void BeginDevice(std::string label, bool mainIsWrite);
    // What the next sessions are for ("backup", "write", "verify", ...).
    void SetPhase(std::string phase) { phase_ = std::move(phase); }
    const Figures& Main() const { return main_; }

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
    std::string phase_;
    bool mainIsWrite_ = true;
    Figures main_;
    bool drawn_ = false;
};

} // namespace vorn::cli
