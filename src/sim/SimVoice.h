#pragma once

#include "app/Clock.h"

#include <QByteArray>
#include <QMap>
#include <array>

// Misbehaviour on demand while a voice message comes in. Each names a data byte
// of a message (1-based, counted from the first byte after "A"; 0: never) and
// strikes once, in the next message that reaches it. The device then takes the
// rest of that block without answering and drops the message: it is idle again.
struct SimC3VoiceFaults {
    int errorAfterSamples = 0;   // "E" at once
    int silentAfterSamples = 0;  // no answer; the program waits for its time-out
};
struct SimVoiceFaults {
    int silentAfterBytes = 0;    // no answer; the program waits for its time-out
};

// The voice memory of a TKV-C3, entered by "W", "m". It takes the message number
// (0 to 7) and the sample count, low byte first, and answers "A", or "E" for a
// count of 0 or of 48000 and more. Like the voice module it asks for the first block
// with "O" firstRequestDelay after "A" unless samples come sooner. Then it takes the
// samples, answering "O" after every 16 and "K" instead once it has the whole count.
class SimC3Voice {
public:
    static constexpr int messageCount = 8;
    static constexpr int capacity = 48000;
    static constexpr int blockSize = 16;

    static constexpr Nanos firstRequestDelay{20'000'000};

    // The next bytes are a message header.
    void start();
    QByteArray receive(quint8 byte);
    bool isReceiving() const { return phase_ != Phase::Idle; }
    // The "O" for the first block is still to come (no byte has arrived since "A").
    bool isFirstRequestDue() const { return firstRequestDue_; }
    QByteArray takeFirstRequest();

    SimC3VoiceFaults faults;
    // Per message number: the samples of the last message begun, as received.
    std::array<QByteArray, messageCount> messages;

private:
    enum class Phase { Idle, Number, CountLow, CountHigh, Samples, Dropping };
    QByteArray dropBlock(const char *answer);

    Phase phase_ = Phase::Idle;
    bool firstRequestDue_ = false;
    int number_ = 0;
    int count_ = 0;
    int taken_ = 0;
    int dropUntil_ = 0;
};

// The newer voice module, entered by "M". It takes the slot digit ("1" to "8")
// and answers "A"; if nothing has come firstRequestDelay after the digit, it asks
// for the first block with "O" (a program on a COM-port cable sends it at once
// after "A"). Then it takes 16-byte blocks and answers "O" after each. A block of
// sixteen 0xFF ends the message; it is answered "O" too, since the program only
// finishes on a reply, and the module is idle again, so that the further filler
// blocks the program sends fall on deaf ears.
class SimTalkerVoice {
public:
    static constexpr int blockSize = 16;
    static constexpr Nanos firstRequestDelay{20'000'000};

    // The next byte is the slot digit.
    void start();
    QByteArray receive(quint8 byte);
    bool isReceiving() const { return phase_ != Phase::Idle; }
    // The "O" for the first block is still to come (no byte has arrived since "A").
    bool isFirstRequestDue() const { return firstRequestDue_; }
    QByteArray takeFirstRequest();

    SimVoiceFaults faults;
    // Per slot digit: the blocks of the last message begun, up to the filler.
    QMap<char, QByteArray> messages;

private:
    enum class Phase { Idle, Slot, Blocks, Dropping };

    Phase phase_ = Phase::Idle;
    char slot_ = 0;
    bool firstRequestDue_ = false;
    int taken_ = 0;
    QByteArray block_;
};

// The older voice module, entered by "M". It takes the area character ("1" to
// "4") and answers "A", then takes 64-byte blocks, answering "O" after each and
// "K" after the one that fills the area, which ends the message.
class SimOldTalkerVoice {
public:
    static constexpr int blockSize = 64;

    // The next byte is the area character.
    void start();
    QByteArray receive(quint8 byte);
    bool isReceiving() const { return phase_ != Phase::Idle; }

    SimVoiceFaults faults;
    // Area sizes in blocks; tests shrink them to run small messages.
    QMap<char, int> areaBlocks{{'1', 288}, {'2', 384}, {'3', 384}, {'4', 944}};
    // Per area character: every byte of the last message begun, as received.
    QMap<char, QByteArray> messages;

private:
    enum class Phase { Idle, Area, Blocks, Dropping };

    Phase phase_ = Phase::Idle;
    char area_ = 0;
    int taken_ = 0;
};
