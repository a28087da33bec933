#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace vorn {

using Millis = std::chrono::milliseconds;

// Time as the link, the session engine and the timers see it. The programs use the real clock; tests
// and the in-process simulator use the virtual one, where a wait returns at once and moves time on.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic time since an arbitrary start.
    virtual Millis Now() const = 0;
    // Waits for the given time; a negative duration waits for nothing.
    virtual void Sleep(Millis duration) = 0;
};

class RealClock final : public Clock {
public:
    Millis Now() const override;
    void Sleep(Millis duration) override;
};

// Discrete-event clock: time moves only by Sleep/AdvanceTo, and scheduled callbacks run in time order
// (same time: order of scheduling) at the moment they are due, with Now() equal to their due time.
class VirtualClock final : public Clock {
public:
    using TimerId = std::uint64_t;

    explicit VirtualClock(Millis start = Millis{0}) : now_(start) {}

    Millis Now() const override { return now_; }
    void Sleep(Millis duration) override;
    // Moves time to t (never backwards), running every callback due up to and including t.
    void AdvanceTo(Millis t);

    // Runs fn when time reaches Now() + delay; a delay <= 0 runs it at the next Sleep or AdvanceTo.
    TimerId Schedule(Millis delay, std::function<void()> fn);
    bool Cancel(TimerId id);
    std::optional<Millis> NextDue() const;
    // Moves time from one scheduled callback to the next until done() holds or the deadline is
    // reached (time then stands at the deadline); returns done().
    bool AdvanceUntil(Millis deadline, const std::function<bool()>& done);
    std::size_t PendingCount() const { return timers_.size(); }

private:
    // Key: due time, then a sequence number that keeps equal times in scheduling order.
    using Key = std::pair<Millis, TimerId>;
    std::map<Key, std::function<void()>> timers_;
    Millis now_;
    TimerId nextId_ = 1;
};

} // namespace vorn
