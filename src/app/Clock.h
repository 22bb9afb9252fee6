#pragma once

#include <chrono>
#include <functional>
#include <memory>

using Nanos = std::chrono::nanoseconds;
using Millis = std::chrono::milliseconds;

// A repeating timer as the engines see it. Stopping it inside its own tick keeps
// the tick from running twice at once, as the window timers of the program do.
class TickTimer {
public:
    virtual ~TickTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// Time for the engines. The real clock waits by running the event loop without
// user input; the virtual clock of the simulator advances simulated time, so that
// protocol tests never sleep.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Nanos now() const = 0;
    // Waits the given time while timers and port events keep running.
    // wait(Millis(0)) only lets pending events run.
    virtual void wait(Millis duration) = 0;
    virtual std::unique_ptr<TickTimer> createTimer(Millis interval, std::function<void()> onTick) = 0;
};
