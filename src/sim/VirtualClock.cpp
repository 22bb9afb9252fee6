#include "sim/VirtualClock.h"

namespace {

class VirtualTimer : public TickTimer {
public:
    VirtualTimer(VirtualClock &clock, Millis interval, std::function<void()> onTick)
        : clock_(clock), interval_(interval), onTick_(std::move(onTick))
    {
    }
    ~VirtualTimer() override { *alive_ = false; }

    void start() override
    {
        active_ = true;
        ++generation_;
        scheduleNext();
    }
    void stop() override
    {
        active_ = false;
        ++generation_;
    }
    bool isActive() const override { return active_; }

private:
    void scheduleNext()
    {
        const auto generation = generation_;
        auto alive = alive_;
        clock_.schedule(clock_.now() + interval_, [this, generation, alive] {
            if (!*alive || !active_ || generation != generation_)
                return;
            onTick_();
            // A tick that stopped or restarted the timer has scheduled its own future.
            if (*alive && active_ && generation == generation_)
                scheduleNext();
        });
    }

    VirtualClock &clock_;
    Millis interval_;
    std::function<void()> onTick_;
    bool active_ = false;
    std::uint64_t generation_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace

std::unique_ptr<TickTimer> VirtualClock::createTimer(Millis interval, std::function<void()> onTick)
{
    // A zero interval would never let time pass; real timers tick at least every millisecond.
    return std::make_unique<VirtualTimer>(*this, std::max(interval, Millis(1)), std::move(onTick));
}

void VirtualClock::schedule(Nanos at, std::function<void()> fn)
{
    events_.emplace(std::make_pair(std::max(at, now_), sequence_++), std::move(fn));
}

void VirtualClock::advanceBy(Nanos duration)
{
    const Nanos target = now_ + duration;
    runDueEvents(target);
    if (now_ < target)
        now_ = target;
}

bool VirtualClock::runUntil(const std::function<bool()> &done, Nanos limit)
{
    const Nanos end = now_ + limit;
    while (!done()) {
        if (events_.empty() || events_.begin()->first.first > end) {
            now_ = std::max(now_, end);
            return done();
        }
        runDueEvents(events_.begin()->first.first);
    }
    return true;
}

void VirtualClock::runDueEvents(Nanos until)
{
    // Events may schedule further events and wait themselves (nested advances);
    // always take the earliest one still due.
    while (!events_.empty() && events_.begin()->first.first <= until) {
        auto node = events_.extract(events_.begin());
        now_ = std::max(now_, node.key().first);
        node.mapped()();
    }
}
