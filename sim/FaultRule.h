#pragma once

#include "platform/Clock.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorn::sim {

// What a fault does to the unit's answer to one command.
enum class FaultKind {
    Silence,           // no answer at all
    Raw,               // answer with exactly these bytes instead (bare refusals, broken frames)
    Payload,           // answer with a valid frame of this payload instead
    WrongChecksum,     // the real answer with its checksum off by one
    LowerCaseChecksum, // the real answer with lower-case checksum digits
    Split,             // the real answer cut after `position` bytes, the rest `gap` later
    StrayBefore,       // these bytes, then the real answer, in one piece
    StrayAfter,        // the real answer, then these bytes `gap` later (stale for the next command)
    Delay,             // the real answer `gap` later than usual
    Unplug,            // `position` bytes of the real answer, and `gap` later the unit is unplugged
    Drip,              // the real answer one byte at a time, each `gap` after the one before
    LowerCaseData,     // the real answer's payload in lower case, in a valid frame
    // Not an answer fault but the device's: a memory write job that covers address `position` is
    // acknowledged as usual, but the device never stores that one byte (it keeps its old value).
    DropByte,
};

// One fault of a scenario: applies to the commands whose payload starts with `match` ("*" any
// command; a trailing "$" asks for the whole payload, so "Q$" is the job poll and not the request).
// The first `skip` matching commands pass untouched, then `times` of them are affected (negative:
// every one from then on).
struct FaultRule {
    std::string match = "*";
    FaultKind kind = FaultKind::Silence;
    std::string bytes; // Raw, StrayBefore, StrayAfter: the bytes; Payload: the payload text
    int position = 0;  // Split, Unplug
    Millis gap{0};     // Split, StrayAfter, Delay, Unplug
    int skip = 0;
    int times = 1;

    bool Matches(std::string_view payload) const;
};

// Parses "MATCH:KIND[=ARG][@SKIP][*TIMES]", for example "v:checksum", "Q$:payload=05*-1",
// "Q$:split=6/300@2", "N:raw=15", "*:stray=FF", "Q:stray-after=4142/50", "x:unplug=5" (unplug 10 ms after the
// bytes; "x:unplug=5/0" at once), "Q:drop=60*-1" (every write of address 60 is lost), "*:drip=150*-1"
// (every answer a byte each 150 ms), "Q$:lowercase-data". Byte arguments are hexadecimal pairs. nullopt and a
// reason for a text that is none of these.
std::optional<FaultRule> ParseFaultRule(std::string_view text, std::string& error);

// Hexadecimal pairs to bytes ("0615" gives 06 15); nullopt for an odd length or a non-digit.
std::optional<std::string> ParseHexBytes(std::string_view text);

} // namespace vorn::sim
