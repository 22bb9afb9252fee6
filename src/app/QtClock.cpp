#include "app/QtClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

class QtTickTimer : public TickTimer {
public:
    QtTickTimer(Millis interval, std::function<void()> onTick)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(int(interval.count()));
        QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
    }
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace

QtClock::QtClock()
{
    elapsed_.start();
}

Nanos QtClock::now() const
{
    return Nanos(elapsed_.nsecsElapsed());
}

void QtClock::wait(Millis duration)
{
    if (duration.count() <= 0) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(int(duration.count()), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

std::unique_ptr<TickTimer> QtClock::createTimer(Millis interval, std::function<void()> onTick)
{
    return std::make_unique<QtTickTimer>(interval, std::move(onTick));
}
