#pragma once

#include "app/Clock.h"

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

// Simulated time for tests and benchmarks: waiting advances the clock and runs
// whatever was due in between (timers, arrivals on simulated wires), in time order.
class VirtualClock : public Clock {
public:
    Nanos now() const override { return now_; }
    void wait(Millis duration) override { advanceBy(duration); }
    std::unique_ptr<TickTimer> createTimer(Millis interval, std::function<void()> onTick) override;

    // Runs fn at the given time (or at once when it is not in the future).
    void schedule(Nanos at, std::function<void()> fn);
    void advanceBy(Nanos duration);
    // Advances until done() holds or the limit of simulated time has passed;
    // returns whether done() holds.
    bool runUntil(const std::function<bool()> &done, Nanos limit);

private:
    void runDueEvents(Nanos until);

    Nanos now_{0};
    std::uint64_t sequence_ = 0;
    std::multimap<std::pair<Nanos, std::uint64_t>, std::function<void()>> events_;
};
