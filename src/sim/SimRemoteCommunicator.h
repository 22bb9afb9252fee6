#pragma once

#include "app/Clock.h"
#include "sim/SimDevice.h"

#include <QByteArray>
#include <QByteArrayList>

// Misbehaviour of the communicator's answers; counts apply to the next answers of
// their kind, -1 to every one from now on.
struct SimCommunicatorFaults {
    int wrongChecksums = 0;  // the checksum sent is one more than the block's
    int shortBlocks = 0;     // the block's last two digits are not sent
    int lateChecksums = 0;   // the checksum comes 3 s later than usual
    int lateAcknowledgements = 0;  // the "B" after a programming code comes 3 s later than usual
};

// Digits the communicator sends back, and how long it takes before it begins.
struct SimAnswer {
    QByteArray digits;
    Nanos delay{0};
};

// The far end of the BlackBox's telephone line: a communicator that takes the call,
// answers "A" to its parallel number + "B", takes "#" + its 4-digit password into
// programming mode. There it answers "B" to every "8A", sends block b of bank k of
// its 256-byte memory as 32 DTMF digits (high nibble first) for "8*" + k + b, and
// the block's checksum (byte sum modulo 256) as 2 digits for "8**". Any other burst
// is a programming code: stored in its memory and acknowledged with "B", or met
// with silence when the communicator does not know it.
//
// It hears the digits of one burst (one "ATDE" of the box) as a whole, when the
// line has gone quiet after them.
class SimRemoteCommunicator {
public:
    enum class State { OnHook, Listening, Selected, Programming };

    // A programming code is stored before it is acknowledged.
    static constexpr Nanos storeTime = std::chrono::milliseconds(1000);
    static constexpr Nanos lateDelay = std::chrono::milliseconds(3000);

    explicit SimRemoteCommunicator(SimKind model = SimKind::TkvC);

    SimKind model() const { return model_; }
    // The number it answers to when asked with number + "B"; empty: as its memory
    // says (any number unless parallel mode is on, then its parallel number).
    QByteArray parallelNumber;
    // The password for programming from a telephone; empty: the one in its memory
    // (bytes 4 to 7).
    QByteArray password;
    QByteArray memory;
    SimCommunicatorFaults faults;
    QByteArrayList programmed;  // every programming code taken, as heard

    State state() const { return state_; }
    void pickUp();
    void hangUp();
    // The digits of one burst heard on the line; returns the digits sent back.
    SimAnswer hear(const QByteArray &burst);

private:
    QByteArray currentPassword() const;
    bool answersTo(const QByteArray &number) const;
    SimAnswer programmingAnswer(const QByteArray &burst);

    SimKind model_;
    State state_ = State::OnHook;
    QByteArray lastBlock_;
};
