#pragma once

#include "model/Catalogue.h"
#include "session/ChangeCodeDialog.h"
#include "session/SessionContext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the device service is asked to do besides the command itself, and the value every command
// returns: how it ended and everything a front end shows or prints about it, so that no front end
// rebuilds it from what was said on the way.
namespace vorn {

struct DeviceOptions {
    // A write reads the written addresses back and compares them; any difference fails it.
    bool verify = false;
    // A write first reads the device's whole configuration into the backups folder; no backup, no
    // write.
    bool backupFirst = false;
};

enum class VerifyResult {
    NotAsked,    // no read-back (not asked for, or the write did not complete)
    Passed,      // every written byte read back as written
    Differs,     // the device holds something else: the write has failed
    NotVerified, // the read-back itself failed: nothing is known
};

// One address the read-back found otherwise than written.
struct VerifyDifference {
    int address = 0;
    // The editor fields the byte feeds, by their captions in the current language; empty for a byte
    // of no field.
    std::string caption;
    std::uint8_t written = 0;
    std::optional<std::uint8_t> read; // nothing: the byte did not come back
};

struct DeviceResult {
    SessionOutcome outcome = SessionOutcome::NotRun;
    // What the flow said last: its message, else its last status text (the language's words).
    std::string text;
    // The main transfer (the write of a write, the read of a read or a comparison): blocks and bytes
    // moved, and the band the device was last reached on (memory-job families only).
    int blocks = 0;
    int bytes = 0;
    std::optional<std::uint8_t> band;
    // A read: the device's image came back whole (it may still not convert).
    bool imageRead = false;
    // A write: its own transfer began, so the device may hold part of the new configuration; and the
    // addresses confirmed written.
    bool writeStarted = false;
    std::vector<AddressRange> written;
    VerifyResult verify = VerifyResult::NotAsked;
    std::vector<VerifyDifference> differences;
    // The backup kept (a read's, or the one before a write), or why none could be kept.
    std::string backupPath;
    std::string backupError;
    // change-id: what the change did; capture: the code; unit-info: the unit's version text.
    ChangeCodeDialog::ChangeOutcome change = ChangeCodeDialog::ChangeOutcome::None;
    std::string code;
    // The unit not found: the port's own reason ("/dev/ttyUSB0: no such file"), when it gave one.
    std::string unitError;
};

// The runs of consecutive addresses in the state.
std::vector<AddressRange> RangesInState(const ProgData::States& states, ByteState state);
// "39-45, 48-116" (a single address alone).
std::string RangesText(const std::vector<AddressRange>& ranges);

} // namespace vorn
