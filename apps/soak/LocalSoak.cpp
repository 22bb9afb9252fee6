// Reads and writes of the parameter blocks over the local cable.

#include "RandomValues.h"
#include "Soak.h"

#include "params/Catalogue.h"
#include "protocol/DeviceBlock.h"

namespace {

constexpr Nanos exchangeLimit = std::chrono::minutes(5);

CommunicatorModel modelOf(SimKind kind)
{
    switch (kind) {
    case SimKind::TkvC: return CommunicatorModel::TkvC;
    case SimKind::TkvC3: return CommunicatorModel::TkvC3;
    default: return CommunicatorModel::TkvC2;
    }
}

QString deviceTypeOf(SimKind kind)
{
    switch (kind) {
    case SimKind::Option: return QStringLiteral("Option");
    case SimKind::Switch: return QStringLiteral("Switch");
    default: return QStringLiteral("Alarm");
    }
}

qint64 struckSince(const SimFaultPlan &plan, const SimFaultPlan::Counts &before)
{
    return plan.counts().struck() - before.struck();
}

qsizetype firstDifference(const QByteArray &a, const QByteArray &b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i;
}

int differingBytes(const QByteArray &a, const QByteArray &b)
{
    int count = int(std::abs(a.size() - b.size()));
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        count += a[i] != b[i];
    return count;
}

QString countsText(const SimFaultPlan::Counts &now, const SimFaultPlan::Counts &before)
{
    return QStringLiteral("%1 lost, %2 changed, %3 late")
        .arg(now.losses - before.losses)
        .arg(now.corruptions - before.corruptions)
        .arg(now.delays - before.delays);
}

// What struck the rig's lines since the counts were taken, for the notes.
QString faultsText(const LocalRig &rig, const SimFaultPlan::Counts &toDevice, const SimFaultPlan::Counts &fromDevice)
{
    return QStringLiteral(" (to the device %1; from it %2)")
        .arg(countsText(rig.device.faults.toDevice.counts(), toDevice),
             countsText(rig.device.faults.fromDevice.counts(), fromDevice));
}

bool runToIdle(LocalRig &rig)
{
    return rig.clock.runUntil([&rig] { return rig.exchange.isIdle() && !rig.exchange.isActive(); }, exchangeLimit);
}

const SimKind localKinds[] = {SimKind::TkvC, SimKind::TkvC2, SimKind::TkvC3, SimKind::Option, SimKind::Switch};

}  // namespace

LocalRig::LocalRig(SimKind kind, bool polled, quint64 seed, const SoakOptions &options)
    : kind(kind), model(modelOf(kind)), deviceType(deviceTypeOf(kind)), device(kind), link(clock, device, polled),
      exchange(link, clock, messages, texts, nullptr, view, *this)
{
    device.faults.toDevice = SimFaultPlan(seed * 2 + 1, {});
    device.faults.fromDevice = SimFaultPlan(seed * 2 + 2, {});
    if (options.receiveTimeout)
        device.setReceiveTimeout(clock, std::chrono::seconds(1));
    link.open();
    exchange.setLinkReady(true);
    applyDefaults(set, status, model);
}

void LocalRig::blockRead(const QString &type, const QByteArray &block)
{
    ++blocksRead;
    lastBlock = block;
    lastDecode = decodeParameterBlock(type, block, model, set, status);
}

QByteArray LocalRig::blockToWrite(const QString &type)
{
    return encodeParameterBlock(type, set, status, model);
}

LocalRig &Soak::localRig()
{
    if (localRigs_.empty()) {
        quint64 seed = options_.seed * 1000;
        for (const bool polled : {true, false})
            for (const SimKind kind : localKinds)
                localRigs_.push_back(std::make_unique<LocalRig>(kind, polled, ++seed, options_));
    }
    return *localRigs_[size_t(random_.below(int(localRigs_.size())))];
}

void Soak::setLocalFaults(LocalRig &rig)
{
    const FaultStrength strength = randomStrength(random_);
    rig.device.faults.toDevice.setChances(randomChances(random_, strength));
    rig.device.faults.fromDevice.setChances(randomChances(random_, strength));
}

// A read must hand over exactly what the device holds; a failed one changes nothing.
void Soak::localRead(LocalRig &rig)
{
    setLocalFaults(rig);
    const ParameterSet before = rig.set;
    const ParameterStatus statusBefore = rig.status;
    const QByteArray memory = rig.device.memory();
    const SimFaultPlan::Counts toDevice = rig.device.faults.toDevice.counts();
    const SimFaultPlan::Counts fromDevice = rig.device.faults.fromDevice.counts();
    const bool lateAtStart = rig.device.unpromptedReplyDelay().has_value();
    rig.blocksRead = 0;
    rig.messages.messages.clear();

    rig.exchange.readParameters(rig.deviceType);
    const bool ended = runToIdle(rig);
    const qint64 struck = struckSince(rig.device.faults.toDevice, toDevice)
                          + struckSince(rig.device.faults.fromDevice, fromDevice);
    const QString where = rig.deviceType + (rig.link.isPolled() ? QStringLiteral(" (USB)") : QStringLiteral(" (COM)"));
    if (!ended) {
        record(Operation::LocalRead, Outcome::CutOff, struck, where + QStringLiteral(": the exchange never ended"));
        return;
    }
    if (rig.exchange.lastResult() != ExchangeResult::Completed) {
        if (rig.blocksRead > 0 || rig.set != before || rig.status != statusBefore)
            halfApplied(Operation::LocalRead, where + QStringLiteral(": a failed read changed the values"));
        record(Operation::LocalRead, rig.messages.messages.isEmpty() ? Outcome::Unreported : Outcome::Reported,
               struck, where + QStringLiteral(": failed without a message"));
        return;
    }
    if (rig.blocksRead != 1) {
        record(Operation::LocalRead, Outcome::Unreported, struck,
               where + QStringLiteral(": completed with %1 blocks").arg(rig.blocksRead));
        return;
    }
    if (!rig.lastDecode.ok()) {
        // The block came whole but is no sound image: the decoder says so.
        record(Operation::LocalRead, Outcome::Reported, struck);
        return;
    }
    if (rig.lastBlock == memory) {
        record(Operation::LocalRead, Outcome::Succeeded, struck);
        return;
    }
    // The cable carries no check and no framing: a block of the right length is all
    // the exchange can see, whatever was changed, lost or late on the way to it (a
    // changed request brings another answer, an identification for a read).
    const int differing = differingBytes(rig.lastBlock, memory);
    if (struck > 0 || lateAtStart)
        record(Operation::LocalRead, Outcome::Unchecked, struck);
    else
        record(Operation::LocalRead, Outcome::Unreported, struck,
               where + QStringLiteral(": %1 bytes differ from the device's, with no fault on the cable; got %2, "
                                      "the device holds %3")
                           .arg(differing)
                           .arg(QString::fromLatin1(rig.lastBlock.left(16).toHex()),
                                QString::fromLatin1(memory.left(16).toHex()))
                   + faultsText(rig, toDevice, fromDevice));
}

// A write must leave the device holding the block; a failed one leaves the device with
// the block's first bytes and its own after them (it stores each byte as it takes
// it), and neither changes the program's values.
void Soak::localWrite(LocalRig &rig)
{
    changeSomeValues(random_, rig.set, rig.model);
    setLocalFaults(rig);
    const ParameterSet intendedSet = rig.set;
    const ParameterStatus intendedStatus = rig.status;
    const QByteArray intended = encodeParameterBlock(rig.deviceType, rig.set, rig.status, rig.model);
    const QByteArray memory = rig.device.memory();
    const int length = rig.device.writeLength();
    const SimFaultPlan::Counts toDevice = rig.device.faults.toDevice.counts();
    const SimFaultPlan::Counts fromDevice = rig.device.faults.fromDevice.counts();
    rig.messages.messages.clear();

    rig.exchange.writeParameters(rig.deviceType);
    const bool ended = runToIdle(rig);
    const qint64 struck = struckSince(rig.device.faults.toDevice, toDevice)
                          + struckSince(rig.device.faults.fromDevice, fromDevice);
    const qint64 changedOnTheWay = rig.device.faults.toDevice.counts().corruptions - toDevice.corruptions;
    const QString where = rig.deviceType + (rig.link.isPolled() ? QStringLiteral(" (USB)") : QStringLiteral(" (COM)"));
    if (rig.set != intendedSet || rig.status != intendedStatus)
        halfApplied(Operation::LocalWrite, where + QStringLiteral(": a write changed the program's values"));
    if (!ended) {
        record(Operation::LocalWrite, Outcome::CutOff, struck, where + QStringLiteral(": the exchange never ended"));
        return;
    }
    const QByteArray after = rig.device.memory();
    const QByteArray wanted = intended.left(length) + memory.mid(length);
    if (rig.exchange.lastResult() == ExchangeResult::Completed) {
        if (after == wanted) {
            record(Operation::LocalWrite, Outcome::Succeeded, struck);
        } else {
            const int differing = differingBytes(after, wanted);
            if (differing <= changedOnTheWay)
                record(Operation::LocalWrite, Outcome::Unchecked, struck);
            else
                record(Operation::LocalWrite, Outcome::Unreported, struck,
                       where + QStringLiteral(": %1 bytes differ from the block, the first at %2")
                                   .arg(differing)
                                   .arg(firstDifference(after, wanted))
                           + faultsText(rig, toDevice, fromDevice));
        }
        return;
    }
    // Stored so far: the block's bytes up to the first that differs, the old ones after.
    qsizetype taken = 0;
    while (taken < length && after[taken] == intended[taken])
        ++taken;
    if (after.mid(taken) != memory.mid(taken) && changedOnTheWay == 0)
        halfApplied(Operation::LocalWrite,
                    where + QStringLiteral(": after %1 bytes of the block the device holds neither block").arg(taken));
    record(Operation::LocalWrite, rig.messages.messages.isEmpty() ? Outcome::Unreported : Outcome::Reported, struck,
           where + QStringLiteral(": failed without a message"));
}
