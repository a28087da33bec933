#include "platform/Clock.h"

#include <thread>

namespace vorn {

Millis RealClock::Now() const {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

void RealClock::Sleep(Millis duration) {
    if (duration.count() > 0) {
        std::this_thread::sleep_for(duration);
    } else {
        std::this_thread::yield();
    }
}

void VirtualClock::Sleep(Millis duration) {
    AdvanceTo(now_ + (duration.count() > 0 ? duration : Millis{0}));
}

void VirtualClock::AdvanceTo(Millis t) {
    if (t < now_) {
        t = now_;
    }
    // A callback may schedule further callbacks or sleep itself; take each one off the queue before
    // running it so that nested calls see a consistent queue.
    while (!timers_.empty() && timers_.begin()->first.first <= t) {
        auto node = timers_.extract(timers_.begin());
        if (node.key().first > now_) {
            now_ = node.key().first;
        }
        node.mapped()();
    }
    if (t > now_) {
        now_ = t;
    }
}

VirtualClock::TimerId VirtualClock::Schedule(Millis delay, std::function<void()> fn) {
    const TimerId id = nextId_++;
    const Millis due = now_ + (delay.count() > 0 ? delay : Millis{0});
    timers_.emplace(Key{due, id}, std::move(fn));
    return id;
}

bool VirtualClock::Cancel(TimerId id) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->first.second == id) {
            timers_.erase(it);
            return true;
        }
    }
    return false;
}

bool VirtualClock::AdvanceUntil(Millis deadline, const std::function<bool()>& done) {
    while (!done()) {
        const auto next = NextDue();
        if (!next || *next > deadline) {
            AdvanceTo(deadline);
            return done();
        }
        AdvanceTo(*next);
    }
    return true;
}

std::optional<Millis> VirtualClock::NextDue() const {
    if (timers_.empty()) {
        return std::nullopt;
    }
    return timers_.begin()->first.first;
}

} // namespace vorn
