#include "sim/SimDevice.h"

#include "sim/SimFactoryMemory.h"

#include <array>
#include <utility>

namespace {

// The device's own identity; the values are those of one plausible unit of each kind.
struct Identity {
    char tag;
    quint8 version;      // "V" value; for the TKV-C3 the "v" major byte
    quint8 versionMinor; // TKV-C3 only
    quint32 serial;
    quint16 resets;
    quint16 serviceHours;
    quint32 liftStarts;
    quint8 supplyVoltage;  // tenths of a volt
    quint8 secondVoltage;
    quint8 ioStates;
};

Identity identityOf(SimKind kind)
{
    switch (kind) {
    case SimKind::TkvC: return {'V', 58, 0, 12345, 17, 30, 4711, 123, 132, 0x1C};
    case SimKind::TkvC2: return {'V', 62, 0, 23456, 3, 50, 70000, 125, 136, 0x9C};
    case SimKind::TkvC3: return {'v', 0x03, 0x12, 1234567890u, 9, 100, 123456, 240, 240, 0x9C};
    case SimKind::Option: return {'B', 21, 0, 345, 1, 0, 0, 0, 0, 0};
    case SimKind::Switch: return {'Z', 13, 0, 456, 2, 0, 0, 0, 0, 0};
    case SimKind::Talker:
    case SimKind::TalkerOld: return {'L', 31, 0, 567, 4, 0, 0, 0, 0, 0};
    }
    return {};
}

void addPair(QByteArray &reply, char tag, quint32 value)
{
    reply.append(tag);
    reply.append(char(value & 0xFF));
}

// Serial and resets first, then the accumulating groups in their order.
void addCounters(QByteArray &reply, const Identity &id)
{
    addPair(reply, 'I', id.resets & 0xFF);
    addPair(reply, 'J', id.resets >> 8);
    addPair(reply, 'H', id.serviceHours % 24);
    addPair(reply, 'D', id.serviceHours / 24);
}

} // namespace

std::optional<SimKind> simKindFromName(const QString &name)
{
    for (auto kind : {SimKind::TkvC, SimKind::TkvC2, SimKind::TkvC3, SimKind::Option, SimKind::Switch,
                      SimKind::Talker, SimKind::TalkerOld})
        if (name.compare(simKindName(kind), Qt::CaseInsensitive) == 0)
            return kind;
    return std::nullopt;
}

QString simKindName(SimKind kind)
{
    switch (kind) {
    case SimKind::TkvC: return QStringLiteral("TKV-C");
    case SimKind::TkvC2: return QStringLiteral("TKV-C2");
    case SimKind::TkvC3: return QStringLiteral("TKV-C3");
    case SimKind::Option: return QStringLiteral("Option");
    case SimKind::Switch: return QStringLiteral("Switch");
    case SimKind::Talker: return QStringLiteral("Talker");
    case SimKind::TalkerOld: return QStringLiteral("TalkerOld");
    }
    return {};
}

SimDevice::SimDevice(SimKind kind)
    : firmwareVersion(identityOf(kind).version), kind_(kind), memory_(factoryMemory(kind))
{
}

void SimDevice::setMemory(const QByteArray &memory)
{
    memory_ = memory;
}

int SimDevice::writeLength() const
{
    return memory_.size() == 256 ? 255 : int(memory_.size());
}

QByteArray SimDevice::identificationReply(quint8 request) const
{
    const Identity id = identityOf(kind_);
    QByteArray reply;
    if (request == 'v') {
        if (kind_ != SimKind::TkvC3)
            return {};
        // "v", version, four pairs, "C" with sixteen data bytes, three pairs.
        reply.append('v');
        reply.append(char(firmwareVersion));
        reply.append(char(id.versionMinor));
        addCounters(reply, id);
        reply.append('C');
        const std::array<quint8, 16> data = {
            quint8(id.serial >> 8), quint8(id.serial), quint8(id.serial >> 24), quint8(id.serial >> 16),
            0x03, 0x05,  // initial firmware 3.05
            255, 3,      // no client code; model code 3
            c3FeatureFlags,
            0, 0x12,     // external power module 1.2
            0x01, 0x04,  // bootloader 1.4
            0x02, 0x01,  // I/O module 2.1
            12};         // default mode 1.2
        for (quint8 b : data)
            reply.append(char(b));
        addPair(reply, 'Y', id.supplyVoltage);
        addPair(reply, 'M', id.secondVoltage);
        addPair(reply, 'P', id.ioStates);
        return reply;
    }
    if (request != 'V')
        return {};
    // A TKV-C3 asked with "V" answers 99: ask me with "v".
    const quint8 version = kind_ == SimKind::TkvC3 ? 99 : firmwareVersion;
    addPair(reply, kind_ == SimKind::TkvC3 ? 'V' : id.tag, version);
    if (kind_ == SimKind::TkvC) {
        addPair(reply, 'I', id.resets & 0xFF);
        addPair(reply, 'J', id.resets >> 8);
        addPair(reply, 'Y', id.supplyVoltage);
        addPair(reply, 'M', id.secondVoltage);
    } else {
        addCounters(reply, id);
    }
    reply.append('C');
    reply.append(char((id.serial >> 8) & 0xFF));
    reply.append(char(id.serial & 0xFF));
    if (kind_ == SimKind::TkvC)
        return reply;  // 13 bytes
    if (kind_ == SimKind::TkvC2 || kind_ == SimKind::TkvC3) {
        addPair(reply, 'Y', id.supplyVoltage);
        addPair(reply, 'M', id.secondVoltage);
        addPair(reply, 'P', id.ioStates);
    } else {
        addPair(reply, 'S', id.liftStarts & 0xFF);
        addPair(reply, 'T', (id.liftStarts >> 8) & 0xFF);
        addPair(reply, 'U', (id.liftStarts >> 16) & 0xFF);
    }
    return reply;  // 19 bytes
}

QByteArray SimDevice::withFaults(QByteArray reply) const
{
    if (faults.missingBytes > 0)
        reply.chop(std::min<qsizetype>(faults.missingBytes, reply.size()));
    if (faults.extraBytes > 0)
        reply.append(QByteArray(faults.extraBytes, '\0'));
    return reply;
}

void SimDevice::setReceiveTimeout(const Clock &clock, Nanos timeout)
{
    clock_ = &clock;
    receiveTimeout_ = timeout;
    lastByteAt_ = clock.now();
}

QByteArray SimDevice::receive(quint8 byte)
{
    received.append(char(byte));
    if (clock_) {
        const Nanos now = clock_->now();
        const bool halfTaken = state_ == State::ReadRequested || state_ == State::WriteRequested
                               || state_ == State::Writing || state_ == State::LoaderRequested;
        if (halfTaken && receiveTimeout_ > Nanos(0) && now - lastByteAt_ > receiveTimeout_)
            state_ = State::Idle;
        lastByteAt_ = now;
    }
    switch (faults.toDevice.next()) {
    case SimFaultPlan::Strike::Loss:
    case SimFaultPlan::Strike::Silence:
        // Nothing reached the device; a late answer still waits for its time.
        return {};
    case SimFaultPlan::Strike::Corruption:
        byte = faults.toDevice.corrupt(byte);
        break;
    case SimFaultPlan::Strike::Delay:  // bytes to the device keep the wire's pace
    case SimFaultPlan::Strike::None:
        break;
    }
    // A late answer goes out before the answer to this byte (which may be late itself).
    QByteArray reply = std::exchange(late_, QByteArray());
    reply += withLineFaults(answer(byte));
    return reply;
}

QByteArray SimDevice::withLineFaults(const QByteArray &reply)
{
    QByteArray sent;
    for (qsizetype i = 0; i < reply.size(); ++i) {
        switch (faults.fromDevice.next()) {
        case SimFaultPlan::Strike::Loss:
        case SimFaultPlan::Strike::Silence:
            break;
        case SimFaultPlan::Strike::Corruption:
            sent.append(char(faults.fromDevice.corrupt(quint8(reply[i]))));
            break;
        case SimFaultPlan::Strike::Delay:
            // This byte and the rest of the answer come late.
            lateDelay_ = faults.fromDevice.delay();
            late_ = reply.mid(i);
            return sent;
        case SimFaultPlan::Strike::None:
            sent.append(reply[i]);
            break;
        }
    }
    return sent;
}

QByteArray SimDevice::answer(quint8 byte)
{
    if (isLoadingFirmware())
        return loaderReceive(byte);
    if (state_ == State::Voice)
        return faults.silent ? QByteArray() : voiceReceive(byte);
    QByteArray reply;
    switch (state_) {
    case State::Writing: {
        const int position = ++writeIndex_;
        if (faults.errorAtByte == position) {
            state_ = State::Idle;
            reply = "E";
            break;
        }
        memory_[position - 1] = char(byte);
        if (position < writeLength()) {
            reply = faults.endAtByte == position ? "Z" : "D";
        } else {
            state_ = State::Idle;
            reply = faults.extraAckAtEnd ? "D" : "Z";
        }
        break;
    }
    case State::ReadRequested:
        state_ = State::Idle;
        if (byte == 'P' && !memory_.isEmpty())
            reply = withFaults(memory_);
        break;
    case State::WriteRequested:
        if (byte == 'P' && !memory_.isEmpty()) {
            state_ = State::Writing;
            writeIndex_ = 0;
        } else if (byte == 'm' && kind_ == SimKind::TkvC3) {
            c3Voice.start();
            state_ = State::Voice;
        } else {
            state_ = State::Idle;
        }
        break;
    case State::LoaderRequested:
        // Only an "x" straight after the "F" counts; anything else is an ordinary request.
        state_ = State::Idle;
        if (byte == 'x')
            enterLoader();
        else
            reply = idleReceive(byte);
        break;
    case State::Idle:
        reply = idleReceive(byte);
        break;
    case State::Bootloader:
    case State::LegacyLoader:
    case State::Voice: // answered before the switch
        break;
    }
    return faults.silent ? QByteArray() : reply;
}

QByteArray SimDevice::idleReceive(quint8 byte)
{
    const bool legacyModel = kind_ == SimKind::TkvC || kind_ == SimKind::TkvC2;
    // From version 38 on the loader is guarded by an "F" before the "x".
    const bool guarded = legacyModel && firmwareVersion >= 38;
    if (byte == 'R')
        state_ = State::ReadRequested;
    else if (byte == 'W')
        state_ = State::WriteRequested;
    else if (byte == 'V' || byte == 'v')
        return withFaults(identificationReply(byte));
    else if (byte == 'F' && guarded)
        state_ = State::LoaderRequested;
    else if (byte == 'x' && !guarded && (legacyModel || kind_ == SimKind::TkvC3))
        enterLoader();
    else if (byte == 'M' && kind_ == SimKind::Talker) {
        talkerVoice.start();
        state_ = State::Voice;
    } else if (byte == 'M' && kind_ == SimKind::TalkerOld) {
        oldTalkerVoice.start();
        state_ = State::Voice;
    }
    // The older voice module's "N" resets it; idle, there is nothing to undo.
    return {};
}

QByteArray SimDevice::voiceReceive(quint8 byte)
{
    QByteArray reply;
    bool receiving = false;
    switch (kind_) {
    case SimKind::TkvC3:
        reply = c3Voice.receive(byte);
        receiving = c3Voice.isReceiving();
        break;
    case SimKind::Talker:
        reply = talkerVoice.receive(byte);
        receiving = talkerVoice.isReceiving();
        break;
    case SimKind::TalkerOld:
        reply = oldTalkerVoice.receive(byte);
        receiving = oldTalkerVoice.isReceiving();
        break;
    default:
        break;
    }
    if (!receiving)
        state_ = State::Idle;
    return reply;
}

std::optional<Nanos> SimDevice::unpromptedReplyDelay() const
{
    if (!late_.isEmpty())
        return lateDelay_;
    if (state_ != State::Voice)
        return std::nullopt;
    if (kind_ == SimKind::Talker && talkerVoice.isFirstRequestDue())
        return SimTalkerVoice::firstRequestDelay;
    if (kind_ == SimKind::TkvC3 && c3Voice.isFirstRequestDue())
        return SimC3Voice::firstRequestDelay;
    return std::nullopt;
}

QByteArray SimDevice::takeUnpromptedReply()
{
    if (!late_.isEmpty())
        return std::exchange(late_, QByteArray());
    if (!unpromptedReplyDelay())
        return {};
    const QByteArray reply = kind_ == SimKind::TkvC3 ? c3Voice.takeFirstRequest() : talkerVoice.takeFirstRequest();
    return faults.silent ? QByteArray() : reply;
}

void SimDevice::enterLoader()
{
    if (kind_ == SimKind::TkvC3) {
        if (bootloader_)
            bootloader_->start();
        else
            bootloader_.emplace(bootloaderSettings);
        state_ = State::Bootloader;
    } else {
        if (legacyLoader_)
            legacyLoader_->start();
        else
            legacyLoader_.emplace();
        state_ = State::LegacyLoader;
    }
}

QByteArray SimDevice::loaderReceive(quint8 byte)
{
    // The firmware runs again once the loader has finished.
    if (state_ == State::Bootloader) {
        QByteArray reply = bootloader_->receive(byte);
        if (!bootloader_->isRunning())
            state_ = State::Idle;
        return reply;
    }
    QByteArray reply = legacyLoader_->receive(byte);
    if (legacyLoader_->isFinished())
        state_ = State::Idle;
    return reply;
}
