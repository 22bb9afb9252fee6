#pragma once

#include "app/Clock.h"
#include "sim/SimBootloader.h"
#include "sim/SimFaultPlan.h"
#include "sim/SimLegacyLoader.h"
#include "sim/SimVoice.h"

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
    // Answers "Z" instead of "D" to this block byte (1-based) of a write, as a "D"
    // changed on the line would arrive, and goes on taking the block.
    int endAtByte = 0;
    // Random faults of the cable, for the soak: bytes from the PC lost (also in a
    // silence) or changed before the device sees them; the device's answer bytes lost,
    // changed or late (a late answer goes out once the PC has been quiet for the
    // delay, or just before the answer to the next byte). They strike every byte
    // and every answer to one, whatever takes it: firmware, loader or voice memory.
    SimFaultPlan toDevice;
    SimFaultPlan fromDevice;
};

// A communicator or auxiliary device as it behaves on the wire: one-letter requests,
// fixed-length replies, one acknowledgement letter per written block byte. It keeps
// its own raw memory and knows nothing of how the program decodes it.
//
// A communicator also loads firmware. A TKV-C3 told "x" restarts into its
// bootloader, which takes every byte until it is reset. A TKV-C or TKV-C2 told "x"
// enters its legacy loader until the loader has taken the end packet; from
// firmware version 38 on it needs "F" just before the "x" and ignores an "x" alone.
//
// A TKV-C3 told "W", "m" and a voice module told "M" take a voice message; until
// it ends every byte belongs to the message.
class SimDevice {
public:
    explicit SimDevice(SimKind kind);

    SimKind kind() const { return kind_; }
    // Takes one byte from the PC and returns what the device sends back.
    QByteArray receive(quint8 byte);

    // A device that has begun to take a request or a block forgets it when the PC has
    // sent nothing for the time-out (off until set; the firmware's own loaders and the
    // voice memories are not affected). The clock tells when the bytes came.
    void setReceiveTimeout(const Clock &clock, Nanos timeout);

    const QByteArray &memory() const { return memory_; }
    void setMemory(const QByteArray &memory);
    // How many bytes a write of the block carries (the communicator takes 255 of its 256).
    int writeLength() const;
    QByteArray identificationReply(quint8 request) const;

    // Where bytes go while firmware is loaded (null until first entered; kept
    // afterwards, with their memory, for inspection and for the next entry).
    SimBootloader *bootloader() { return bootloader_ ? &*bootloader_ : nullptr; }
    const SimBootloader *bootloader() const { return bootloader_ ? &*bootloader_ : nullptr; }
    SimLegacyLoader *legacyLoader() { return legacyLoader_ ? &*legacyLoader_ : nullptr; }
    const SimLegacyLoader *legacyLoader() const { return legacyLoader_ ? &*legacyLoader_ : nullptr; }
    // True while a loader takes the bytes instead of the firmware.
    bool isLoadingFirmware() const { return state_ == State::Bootloader || state_ == State::LegacyLoader; }
    bool isReceivingVoice() const { return state_ == State::Voice; }

    // What the device sends on its own once nothing has reached it for the delay
    // after the last byte; a byte that comes sooner cancels it. The wire asks
    // before each byte reaches the device and whenever the PC looks for arrivals.
    std::optional<Nanos> unpromptedReplyDelay() const;
    QByteArray takeUnpromptedReply();

    SimFaults faults;  // the firmware's answers; the loaders have faults of their own
    // The "V" value (TKV-C3: the "v" major byte); 58 for a TKV-C, 62 for a TKV-C2.
    quint8 firmwareVersion;
    // What the bootloader reports, taken when it is first entered.
    SimBootloaderSettings bootloaderSettings;
    // A TKV-C3's configuration byte: external power, message flash, digital
    // potentiometers, voice reports and line polarity check; no I/O module.
    quint8 c3FeatureFlags = 0x4F;
    QByteArray received;  // every byte the PC sent, in order
    // Voice message memories, with their faults; only the one of the device's kind is used.
    SimC3Voice c3Voice;
    SimTalkerVoice talkerVoice;
    SimOldTalkerVoice oldTalkerVoice;

private:
    QByteArray withFaults(QByteArray reply) const;
    QByteArray answer(quint8 byte);
    QByteArray withLineFaults(const QByteArray &reply);

    QByteArray idleReceive(quint8 byte);
    QByteArray loaderReceive(quint8 byte);
    void enterLoader();
    QByteArray voiceReceive(quint8 byte);

    enum class State { Idle, ReadRequested, WriteRequested, Writing, LoaderRequested, Bootloader, LegacyLoader, Voice };
    SimKind kind_;
    State state_ = State::Idle;
    int writeIndex_ = 0;
    QByteArray memory_;
    std::optional<SimBootloader> bootloader_;
    std::optional<SimLegacyLoader> legacyLoader_;
    const Clock *clock_ = nullptr;
    Nanos receiveTimeout_{0};
    Nanos lastByteAt_{0};
    QByteArray late_;  // an answer held back by a delay, and how long after the last byte it goes
    Nanos lateDelay_{0};
};
