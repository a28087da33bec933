#pragma once

#include "link/KduLink.h"
#include "platform/Clock.h"
#include "platform/TraceSink.h"
#include "sim/SimulatedUnit.h"

#include <string>

namespace vorn::test {

// A link to the simulated unit, both on one virtual clock.
struct SimLink {
    explicit SimLink(sim::SimScenario scenario = {})
        : unit(clock, std::move(scenario)), link(unit, clock, trace) {}

    sim::SimScenario& Scenario() { return unit.Scenario(); }
    void AddFault(const sim::FaultRule& rule) { unit.Scenario().Faults.push_back(rule); }

    VirtualClock clock;
    TraceSink trace;
    sim::SimulatedUnit unit;
    KduLink link;
};

// A fault rule that answers the matching command with exactly these bytes.
inline sim::FaultRule RawReply(std::string bytes, std::string match = "*", int times = 1) {
    sim::FaultRule rule;
    rule.match = std::move(match);
    rule.kind = sim::FaultKind::Raw;
    rule.bytes = std::move(bytes);
    rule.times = times;
    return rule;
}

// A fault rule that answers the matching command with a valid frame of this payload.
inline sim::FaultRule FramedReply(std::string payload, std::string match = "*", int times = 1) {
    sim::FaultRule rule = RawReply({}, std::move(match), times);
    rule.kind = sim::FaultKind::Payload;
    rule.bytes = std::move(payload);
    return rule;
}

} // namespace vorn::test
