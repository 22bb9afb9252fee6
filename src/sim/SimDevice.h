#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The kinds of device that can answer on the local service cable.
enum class SimKind { TkvC, TkvC2, TkvC3, Option, Switch, Talker, TalkerOld };

std::optional<SimKind> simKindFromName(const QString &name);
QString simKindName(SimKind kind);

// Misbehaviour on demand, for fault-injection tests.
struct SimFaults {
    bool silent = false;       // answers nothing at all
    int errorAtByte = 0;       // answers "E" instead of "D" to this block byte (1-based) of a write
    int extraBytes = 0;        // bytes added to every identification and block reply
    int missingBytes = 0;      // bytes left out at the end of every such reply
    bool extraAckAtEnd = false;  // answers "D" to the last byte of a write instead of "Z"
};

// A communicator or auxiliary device as it behaves on the wire: one-letter requests,
// fixed-length replies, one acknowledgement letter per written block byte. It keeps
// its own raw memory and knows nothing of how the program decodes it.
class SimDevice {
public:
    explicit SimDevice(SimKind kind);

    SimKind kind() const { return kind_; }
    // Takes one byte from the PC and returns what the device sends back.
    QByteArray receive(quint8 byte);

    const QByteArray &memory() const { return memory_; }
    void setMemory(const QByteArray &memory);
    // How many bytes a write of the block carries (the communicator takes 255 of its 256).
    int writeLength() const;
    QByteArray identificationReply(quint8 request) const;

    SimFaults faults;
    // A TKV-C3's configuration byte: external power, message flash, digital
    // potentiometers, voice reports and line polarity check; no I/O module.
    quint8 c3FeatureFlags = 0x4F;
    QByteArray received;  // every byte the PC sent, in order

private:
    QByteArray withFaults(QByteArray reply) const;

    enum class State { Idle, ReadRequested, WriteRequested, Writing };
    SimKind kind_;
    State state_ = State::Idle;
    int writeIndex_ = 0;
    QByteArray memory_;
};
