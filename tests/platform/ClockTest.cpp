#include "platform/Clock.h"

#include "platform/TraceSink.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

using namespace std::chrono_literals;

TEST(VirtualClockTest, SleepMovesTimeAndRunsDueCallbacksInOrder) {
    VirtualClock clock(1000ms);
    std::vector<std::pair<std::string, long>> log;
    auto note = [&](std::string what) { return [&, what] { log.emplace_back(what, clock.Now().count()); }; };
    clock.Schedule(300ms, note("c"));
    clock.Schedule(100ms, note("a"));
    clock.Schedule(100ms, note("b")); // same time: scheduling order
    const auto cancelled = clock.Schedule(200ms, note("never"));
    EXPECT_TRUE(clock.Cancel(cancelled));
    EXPECT_FALSE(clock.Cancel(cancelled));

    clock.Sleep(250ms);
    EXPECT_EQ(clock.Now(), 1250ms);
    EXPECT_EQ(log, (std::vector<std::pair<std::string, long>>{{"a", 1100}, {"b", 1100}}));
    EXPECT_EQ(clock.NextDue(), 1300ms);

    clock.Sleep(-5ms);
    EXPECT_EQ(clock.Now(), 1250ms);
    clock.AdvanceTo(1000ms); // never backwards
    EXPECT_EQ(clock.Now(), 1250ms);
    clock.Sleep(50ms);
    EXPECT_EQ(log.back(), (std::pair<std::string, long>{"c", 1300}));
    EXPECT_FALSE(clock.NextDue());
}

TEST(VirtualClockTest, CallbacksMayScheduleAndSleep) {
    VirtualClock clock;
    std::vector<long> times;
    std::function<void()> tick = [&] {
        times.push_back(clock.Now().count());
        if (times.size() < 5) {
            clock.Schedule(10ms, tick);
        }
    };
    clock.Schedule(10ms, tick);
    clock.Schedule(25ms, [&] { clock.Sleep(1ms); }); // nested sleep inside a callback
    clock.Sleep(100ms);
    EXPECT_EQ(times, (std::vector<long>{10, 20, 30, 40, 50}));
    EXPECT_EQ(clock.Now(), 100ms);
    EXPECT_EQ(clock.PendingCount(), 0u);
}

TEST(VirtualClockTest, AdvanceUntilStopsAtTheHappeningThatDoesIt) {
    VirtualClock clock;
    bool arrived = false;
    clock.Schedule(30ms, [] {});
    clock.Schedule(70ms, [&] { arrived = true; });
    clock.Schedule(90ms, [] {});
    EXPECT_FALSE(clock.AdvanceUntil(50ms, [&] { return arrived; }));
    EXPECT_EQ(clock.Now(), 50ms) << "time stands at the deadline";
    EXPECT_TRUE(clock.AdvanceUntil(200ms, [&] { return arrived; }));
    EXPECT_EQ(clock.Now(), 70ms);
    EXPECT_EQ(clock.PendingCount(), 1u);
    EXPECT_TRUE(clock.AdvanceUntil(100ms, [] { return true; }));
    EXPECT_EQ(clock.Now(), 70ms) << "nothing to wait for";
}

TEST(RealClockTest, IsMonotonic) {
    RealClock clock;
    const Millis before = clock.Now();
    clock.Sleep(2ms);
    EXPECT_GE(clock.Now() - before, 2ms);
}

TEST(TraceSinkTest, KeepsTheNewestLines) {
    TraceSink trace(3);
    for (int i = 1; i <= 5; ++i) {
        trace.Write("line " + std::to_string(i));
    }
    EXPECT_EQ(trace.Lines(), (std::vector<std::string>{"line 3", "line 4", "line 5"}));
    EXPECT_TRUE(trace.Contains("line 4"));
    EXPECT_FALSE(trace.Contains("line 1"));
    EXPECT_EQ(trace.CountContaining("line"), 3u);
    trace.Clear();
    EXPECT_EQ(trace.Count(), 0u);
}

} // namespace
} // namespace vorn
