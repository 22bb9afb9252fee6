#include "Soak.h"

#include <QElapsedTimer>
#include <cstdio>

Soak::Soak(const SoakOptions &options) : options_(options), random_(options.seed) {}

Soak::~Soak() = default;

qint64 Soak::run()
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (done_ < options_.count) {
        if (elapsed.elapsed() >= qint64(options_.seconds) * 1000) {
            stoppedByTime_ = true;
            break;
        }
        step();
    }
    for (const auto &rig : remoteRigs_)
        hangUp(*rig);
    return done_;
}

// One exchange: its kind, then its faults, drawn from the seed.
void Soak::step()
{
    const int draw = random_.below(100);
    if (draw < 36)
        localRead(localRig());
    else if (draw < 72)
        localWrite(localRig());
    else if (draw < 78)
        remoteRead(remoteRig());
    else if (draw < 84)
        remoteWrite(remoteRig());
    else if (draw < 90)
        bootloaderUpgrade(false);
    else if (draw < 95)
        legacyUpload(false);
    else if (draw < 98)
        bootloaderUpgrade(true);
    else
        legacyUpload(true);
}

void Soak::note(Operation operation, const QString &text)
{
    if (notes_.size() < 40)
        notes_.append(QStringLiteral("#%1 %2: %3").arg(done_).arg(Tally::name(operation), text));
}

void Soak::record(Operation operation, Outcome outcome, qint64 struck, const QString &detail)
{
    tally_.count(operation, outcome, struck);
    ++done_;
    if (outcome == Outcome::Unreported || outcome == Outcome::CutOff)
        note(operation, (outcome == Outcome::Unreported ? QStringLiteral("NOT reported: ") : QStringLiteral("cut off: "))
                            + detail);
    if (options_.verbose) {
        const char *words[] = {"succeeded", "reported", "NOT REPORTED", "unchecked", "cut off"};
        std::fprintf(stderr, "#%lld %s: %s (%lld faults) %s\n", static_cast<long long>(done_ - 1),
                     qPrintable(Tally::name(operation)), words[int(outcome)], static_cast<long long>(struck),
                     qPrintable(detail));
    }
}

void Soak::halfApplied(Operation operation, const QString &detail)
{
    ++tally_.row(operation).halfApplied;
    note(operation, QStringLiteral("half-applied: ") + detail);
}
