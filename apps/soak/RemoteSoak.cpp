// Connections, reads and writes over the simulated BlackBox and telephone line.

#include "RandomValues.h"
#include "Soak.h"

#include "params/Catalogue.h"
#include "protocol/AlarmImageCodec.h"
#include "remote/ReadBlockMap.h"
#include "remote/RemoteRead.h"
#include "remote/RemoteWrite.h"
#include "remote/WritePages.h"
#include "sim/SimProgrammingCodes.h"

namespace {

constexpr Nanos connectLimit = std::chrono::minutes(15);
constexpr Nanos readLimit = std::chrono::minutes(30);
constexpr Nanos writeLimit = std::chrono::minutes(45);
constexpr Nanos cancelLimit = std::chrono::minutes(5);

SimKind kindOf(CommunicatorModel model)
{
    return model == CommunicatorModel::TkvC ? SimKind::TkvC
           : model == CommunicatorModel::TkvC2 ? SimKind::TkvC2
                                                : SimKind::TkvC3;
}

qint64 struck(const RemoteRig &rig)
{
    return rig.box.faults.commandLines.counts().struck() + rig.box.faults.replyBytes.counts().struck()
           + rig.box.faults.bursts.counts().struck() + rig.box.faults.answerDigits.counts().struck();
}

int byteSum(const QByteArray &bytes)
{
    int sum = 0;
    for (const char b : bytes)
        sum += quint8(b);
    return sum % 256;
}

// The checksum of the bytes as the communicator sends it back: two DTMF digits and
// the box's "OK" after them.
QByteArray checksumAnswer(const QByteArray &bytes)
{
    static const char digits[] = "D1234567890*#ABC";
    const int sum = byteSum(bytes);
    return QByteArray(1, digits[sum >> 4]) + digits[sum & 0x0f] + "OK\r\n";
}

}  // namespace

RemoteRig::RemoteRig(CommunicatorModel model, quint64 seed)
    : model(model), kind(kindOf(model)), communicator(kind), box(clock, communicator)
{
    bus.devices = {{"QUE00042", BlackBoxPort::Description, &box}};
    // Its number and password stay as dialled, whatever the writes give it.
    communicator.parallelNumber = "3";
    communicator.password = "1234";
    dial.telephoneNumber = QStringLiteral("0123456");
    dial.parallelNumber = QStringLiteral("3");
    dial.password = QStringLiteral("1234");
    box.faults.commandLines = SimFaultPlan(seed * 4 + 1, {});
    box.faults.replyBytes = SimFaultPlan(seed * 4 + 2, {});
    box.faults.bursts = SimFaultPlan(seed * 4 + 3, {});
    box.faults.answerDigits = SimFaultPlan(seed * 4 + 4, {});
    applyDefaults(set, status, model);
}

RemoteRig &Soak::remoteRig()
{
    if (remoteRigs_.empty()) {
        quint64 seed = options_.seed * 1000 + 500;
        for (const CommunicatorModel model :
             {CommunicatorModel::TkvC, CommunicatorModel::TkvC2, CommunicatorModel::TkvC3})
            remoteRigs_.push_back(std::make_unique<RemoteRig>(model, ++seed));
    }
    return *remoteRigs_[size_t(random_.below(int(remoteRigs_.size())))];
}

void Soak::setRemoteFaults(RemoteRig &rig)
{
    const FaultStrength strength = randomStrength(random_);
    // A read or a write moves a few hundred command lines, thousands of reply bytes
    // and hundreds of digits, against the few hundred bytes of a local exchange.
    rig.box.faults.commandLines.setChances(randomChances(random_, strength, 2));
    rig.box.faults.replyBytes.setChances(randomChances(random_, strength, 16));
    rig.box.faults.bursts.setChances(randomChances(random_, strength, 1));
    rig.box.faults.answerDigits.setChances(randomChances(random_, strength, 4));
}

void Soak::hangUp(RemoteRig &rig)
{
    if (rig.link && rig.link->isRemoteMode())
        rig.link->remoteDisconnect();
    rig.link.reset();
}

// Dials into programming mode when the link is not there: itself an exchange, under
// the faults already set. A connection that is kept goes on idling for a while with
// its keep-alive first.
bool Soak::ensureConnected(RemoteRig &rig)
{
    // Now and then the technician disconnects and calls again.
    if (random_.chance(25))
        hangUp(rig);
    if (rig.link && rig.link->isRemoteMode()) {
        rig.clock.advanceBy(Millis(random_.below(20000)));
        if (rig.link->isRemoteMode())
            return true;
    }
    hangUp(rig);
    const qint64 before = struck(rig);
    const QByteArray memory = rig.communicator.memory;
    rig.messages.messages.clear();
    rig.link = std::make_unique<RemoteLink>(rig.keptBus, rig.clock, rig.messages, rig.texts, nullptr, &rig.view);
    RemoteLink &link = *rig.link;
    if (!link.beginConnect() || !link.selectBlackBox(0)) {
        record(Operation::RemoteConnect, Outcome::Reported, 0);
        return false;
    }
    link.startDialling(rig.dial);
    const bool ended = rig.clock.runUntil([&link] { return link.isRemoteMode() || !link.isDialling(); }, connectLimit);
    if (!ended) {
        link.requestCancel();
        rig.clock.runUntil([&link] { return !link.isDialling(); }, cancelLimit);
        record(Operation::RemoteConnect, Outcome::CutOff, struck(rig) - before, QStringLiteral("still dialling"));
        hangUp(rig);
        return false;
    }
    const qint64 faults = struck(rig) - before;
    if (rig.communicator.memory != memory)
        halfApplied(Operation::RemoteConnect, QStringLiteral("dialling changed the communicator's memory"));
    if (!link.isRemoteMode()) {
        record(Operation::RemoteConnect, rig.messages.messages.isEmpty() ? Outcome::Unreported : Outcome::Reported,
               faults, QStringLiteral("gave up without a message"));
        hangUp(rig);
        return false;
    }
    if (rig.communicator.state() != SimRemoteCommunicator::State::Programming) {
        record(Operation::RemoteConnect, Outcome::Unreported, faults,
               QStringLiteral("connected, but the communicator is not in programming mode"));
        return true;
    }
    record(Operation::RemoteConnect, Outcome::Succeeded, faults);
    return true;
}

// A read must give the values of the communicator's memory for the parts chosen,
// decoded onto the values shown before; a failed one leaves the values as the last
// decoded part left them (each part is decoded whole when its last block is in).
void Soak::remoteRead(RemoteRig &rig)
{
    setRemoteFaults(rig);
    if (!ensureConnected(rig))
        return;
    ReadChoices choices;
    do
        choices = {random_.chance(60), random_.chance(50), random_.chance(50)};
    while (!choices.any());
    const qint64 before = struck(rig);
    rig.keptBus.arrived.clear();
    const QByteArray memory = rig.communicator.memory;
    const ParameterSet setBefore = rig.set;
    const ParameterStatus statusBefore = rig.status;

    // What the read should end with: the image shown, with the chosen blocks the
    // communicator's, decoded phase after phase.
    QByteArray image = baselineAlarmImage(setBefore, statusBefore, rig.model);
    ParameterSet expectedSet = setBefore;
    ParameterStatus expectedStatus = statusBefore;
    for (ReadPhase phase = choices.first(); phase != ReadPhase::None; phase = choices.after(phase)) {
        for (const ReadBlock &block : phaseBlocks(phase))
            image.replace(block.imageOffset(), readBlockLength, memory.mid(block.imageOffset(), readBlockLength));
        if (quint8(image.at(15)) == imageMarker)
            decodeAlarmImage(image, rig.model, expectedSet, expectedStatus);
    }

    rig.messages.messages.clear();
    QByteArray working;
    QByteArray previous;
    QByteArray fresh;
    KeptReadView view(rig.set, rig.status);
    RemoteRead read(*rig.link, rig.clock, rig.messages, rig.texts, view, {working, previous, fresh}, rig.set,
                    rig.status, rig.model);
    bool cutOff = false;
    if (read.start(choices, false)) {
        const auto ended = [&read] {
            return read.state() == RemoteRead::State::Closed || read.state() == RemoteRead::State::Stopped;
        };
        cutOff = !rig.clock.runUntil(ended, readLimit);
        // A reading stopped by a failure waits for Cancel, as the dialog does.
        read.requestCancel();
        rig.clock.runUntil([&read] { return read.state() == RemoteRead::State::Closed; }, cancelLimit);
    }
    const qint64 faults = struck(rig) - before;
    if (view.changedInPhase)
        halfApplied(Operation::RemoteRead, QStringLiteral("the values changed in the middle of a part"));
    if (rig.communicator.memory != memory)
        halfApplied(Operation::RemoteRead, QStringLiteral("reading changed the communicator's memory"));
    if (cutOff) {
        record(Operation::RemoteRead, Outcome::CutOff, faults, QStringLiteral("still reading"));
        return;
    }
    if (!view.finished) {
        record(Operation::RemoteRead, Outcome::Reported, faults);
        return;
    }
    if (rig.set == expectedSet && rig.status == expectedStatus && fresh == image) {
        record(Operation::RemoteRead, Outcome::Succeeded, faults);
        return;
    }
    // Each block is checked by its byte sum only: a block changed on the line passes
    // when its sum stays the same, or when the checksum answer that came back was
    // changed on the line into the sum of the changed block, as with any program.
    const QByteArray &arrived = rig.keptBus.arrived;
    int wrongBlocks = 0;
    int passedTheSum = 0;
    QStringList where;
    for (int offset = 0; offset < alarmImageLength; offset += readBlockLength) {
        const QByteArray got = fresh.mid(offset, readBlockLength);
        const QByteArray want = image.mid(offset, readBlockLength);
        if (got == want)
            continue;
        ++wrongBlocks;
        passedTheSum += byteSum(got) == byteSum(want) || arrived.contains(checksumAnswer(got));
        where << QStringLiteral("%1-%2: %3 for %4")
                     .arg(offset / 128 + 1)
                     .arg(offset % 128 / 16)
                     .arg(QString::fromLatin1(got.toHex()), QString::fromLatin1(want.toHex()));
    }
    if (wrongBlocks > 0 && passedTheSum == wrongBlocks)
        record(Operation::RemoteRead, Outcome::Unchecked, faults);
    else
        record(Operation::RemoteRead, Outcome::Unreported, faults,
               QStringLiteral("%1 blocks differ, %2 of them passing for their checksum; values %3")
                   .arg(wrongBlocks)
                   .arg(passedTheSum)
                   .arg(rig.set == expectedSet ? QStringLiteral("as expected") : QStringLiteral("differ"))
                   + QStringLiteral("; parts %1%2%3; ").arg(choices.basic).arg(choices.emergency).arg(choices.other)
                   + where.join(QStringLiteral(", ")));
}

// A write must leave the communicator as its programming codes, applied in order,
// make it; a failed one leaves it with the codes up to some point applied and none
// after (the communicator takes each code whole). Neither changes the values shown.
void Soak::remoteWrite(RemoteRig &rig)
{
    setRemoteFaults(rig);
    if (!ensureConnected(rig))
        return;
    changeSomeValues(random_, rig.set, rig.model);
    WritePageChoice choice;
    do
        for (bool &page : choice.pages)
            page = random_.chance(35);
    while (std::none_of(choice.pages.begin(), choice.pages.end(), [](bool page) { return page; }));
    const qint64 before = struck(rig);
    const ParameterSet intendedSet = rig.set;
    const ParameterStatus intendedStatus = rig.status;

    // The communicator after each code of the chosen pages.
    std::vector<QByteArray> states{rig.communicator.memory};
    for (int page = 1; page <= writePageCount; ++page) {
        if (!choice.includes(WritePageId(page)))
            continue;
        for (const QByteArray &command : buildWritePage(WritePageId(page), rig.set, rig.model).commands) {
            QByteArray memory = states.back();
            applyProgrammingCode(rig.kind, command.mid(4).chopped(2), memory);
            states.push_back(memory);
        }
    }

    rig.messages.messages.clear();
    KeptWriteView view;
    RemoteWrite write(*rig.link, rig.clock, rig.messages, rig.texts, view, rig.set, rig.model);
    write.start(choice, false);
    const auto closed = [&write] { return write.state() == RemoteWrite::State::Closed; };
    const bool cutOff = !rig.clock.runUntil(closed, writeLimit);
    if (cutOff) {
        write.requestCancel();
        rig.clock.runUntil(closed, cancelLimit);
    }
    const qint64 faults = struck(rig) - before;
    if (rig.set != intendedSet || rig.status != intendedStatus)
        halfApplied(Operation::RemoteWrite, QStringLiteral("a write changed the program's values"));
    const QByteArray &memory = rig.communicator.memory;
    const auto state = std::find(states.begin(), states.end(), memory);
    if (view.finished) {
        if (memory == states.back())
            record(Operation::RemoteWrite, Outcome::Succeeded, faults);
        else
            record(Operation::RemoteWrite, Outcome::Unreported, faults,
                   state == states.end()
                       ? QStringLiteral("the communicator holds none of the states the codes lead through")
                       : QStringLiteral("the communicator took only %1 of %2 codes")
                             .arg(state - states.begin())
                             .arg(states.size() - 1));
        return;
    }
    if (state == states.end())
        halfApplied(Operation::RemoteWrite, QStringLiteral("after a failure the communicator holds none of the "
                                                           "states the codes lead through"));
    record(Operation::RemoteWrite, cutOff ? Outcome::CutOff : Outcome::Reported, faults,
           cutOff ? QStringLiteral("still writing") : rig.messages.messages.join(QStringLiteral(" / ")));
}
