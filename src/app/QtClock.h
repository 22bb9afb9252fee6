#pragma once

#include "app/Clock.h"

#include <QElapsedTimer>

// Real time on the Qt event loop. Waiting runs a local event loop that leaves out
// user input: windows repaint and timers and port events run, but no click can start
// a second action in the middle of a step.
class QtClock : public Clock {
public:
    QtClock();
    Nanos now() const override;
    void wait(Millis duration) override;
    std::unique_ptr<TickTimer> createTimer(Millis interval, std::function<void()> onTick) override;

private:
    QElapsedTimer elapsed_;
};
