#pragma once

#include "app/Clock.h"

#include <QtGlobal>

// How often a line misbehaves: the chance, in parts per million, that an event on it
// (a byte, a digit, a command line) is struck by each kind of fault.
struct SimFaultChances {
    quint32 loss = 0;        // the event never arrives
    quint32 corruption = 0;  // it arrives changed
    quint32 delay = 0;       // it, and whatever follows it, arrives late
    quint32 silence = 0;     // the line goes quiet: this event and up to silenceLength more are lost
    Nanos maxDelay = std::chrono::milliseconds(400);
    int silenceLength = 64;

    bool any() const { return loss || corruption || delay || silence; }
};

// Random faults on one line, the same for the same seed: each event asks the plan
// for its fate. With no chances set nothing is ever struck. It counts what it struck.
class SimFaultPlan {
public:
    enum class Strike { None, Loss, Corruption, Delay, Silence };

    SimFaultPlan() = default;
    SimFaultPlan(quint64 seed, const SimFaultChances &chances) : chances_(chances), state_(seed) {}

    const SimFaultChances &chances() const { return chances_; }
    // New chances from now on; the random sequence goes on where it was.
    void setChances(const SimFaultChances &chances) { chances_ = chances; }

    // The fate of the next event. An event inside a silence is lost.
    Strike next();
    // Another value than byte (mostly one to three of its bits flipped).
    quint8 corrupt(quint8 byte);
    // Another character of the alphabet than c (c itself when the alphabet has no other).
    char corruptWithin(char c, const char *alphabet);
    // How late a delayed event comes: 1 ms to the plan's longest delay.
    Nanos delay();

    // Whole numbers: any, and below n (0 for n <= 1).
    quint64 random();
    quint32 below(quint32 n);

    // What the plan has struck so far; an event lost in a silence counts as a loss
    // (silences counts the silences begun).
    struct Counts {
        qint64 events = 0;
        qint64 losses = 0;
        qint64 corruptions = 0;
        qint64 delays = 0;
        qint64 silences = 0;

        qint64 struck() const { return losses + corruptions + delays; }
    };
    const Counts &counts() const { return counts_; }

private:
    bool chance(quint32 partsPerMillion);

    SimFaultChances chances_;
    quint64 state_ = 0;
    int silenceLeft_ = 0;
    Counts counts_;
};
