#include "sim/SimBlackBox.h"

#include "sim/SimFault.h"

#include <algorithm>

namespace {

const QByteArray Ok = QByteArrayLiteral("OK");
const QByteArray Err = QByteArrayLiteral("ERR");
// A command line longer than this is line noise; the box forgets it.
constexpr qsizetype MaxCommandLength = 64;

}  // namespace

SimBlackBox::SimBlackBox(Clock &clock, SimRemoteCommunicator &communicator)
    : clock_(clock), communicator_(communicator)
{
}

void SimBlackBox::receive(quint8 byte)
{
    runLine();
    line_.append(char(byte));
    if (line_.endsWith("\r\n")) {
        const QByteArray command = line_.chopped(2);
        line_.clear();
        commands.append(command);
        execute(command);
    } else if (line_.size() > MaxCommandLength) {
        line_.clear();
    }
}

QByteArray SimBlackBox::takeArrived(int capacity)
{
    runLine();
    QByteArray bytes;
    const Nanos now = clock_.now();
    while (!toPc_.empty() && toPc_.front().first <= now && bytes.size() < capacity) {
        bytes.append(toPc_.front().second);
        toPc_.pop_front();
    }
    return bytes;
}

void SimBlackBox::inject(const QByteArray &bytes)
{
    queue(bytes, false);
}

void SimBlackBox::queue(const QByteArray &bytes, bool withFaults)
{
    Nanos at = std::max(clock_.now(), pcLineFree_);
    for (const char byte : bytes) {
        char sent = byte;
        const SimFaultPlan::Strike strike = withFaults ? faults.replyBytes.next() : SimFaultPlan::Strike::None;
        if (strike == SimFaultPlan::Strike::Loss || strike == SimFaultPlan::Strike::Silence)
            continue;
        if (strike == SimFaultPlan::Strike::Corruption)
            sent = char(faults.replyBytes.corrupt(quint8(byte)));
        else if (strike == SimFaultPlan::Strike::Delay)
            at += faults.replyBytes.delay();
        at += faults.slowReplies ? slowByteTime : byteTime;
        toPc_.emplace_back(at, sent);
    }
    pcLineFree_ = at;
}

void SimBlackBox::reply(const QByteArray &text, Nanos from)
{
    pcLineFree_ = std::max(pcLineFree_, from + commandDelay);
    queue(text + "\r\n", true);
}

void SimBlackBox::remoteHangUp()
{
    runLine();
    communicator_.hangUp();
    if (call_ != Call::None)
        call_ = Call::Dead;
}


void SimBlackBox::resetLine()
{
    offHook_ = false;
    call_ = Call::None;
    communicator_.hangUp();
    lineEvents_.clear();
    dtmfFree_ = clock_.now();
    listening_ = false;
    collected_.clear();
}

void SimBlackBox::execute(const QByteArray &command)
{
    if (faults.silent || takeFault(faults.unanswered))
        return;
    const Nanos now = clock_.now();
    switch (faults.commandLines.next()) {
    case SimFaultPlan::Strike::Loss:
    case SimFaultPlan::Strike::Silence:
        return;
    case SimFaultPlan::Strike::Corruption:
        reply(Err, now);
        return;
    case SimFaultPlan::Strike::Delay:
    case SimFaultPlan::Strike::None:
        break;
    }
    if (takeFault(faults.errReplies)) {
        reply(Err, now);
        return;
    }
    if (command == "AT@RESET") {
        resetLine();
        reply(QByteArrayLiteral("RESET"), now + resetTime);
    } else if (command == "AT@DEFAULT" || command == "AT@NORM" || command == "AT@BASIC") {
        reply(Ok, now);
    } else if (command == "ATA") {
        offHook_ = true;
        reply(Ok, now);
    } else if (command == "ATH") {
        resetLine();
        reply(Ok, now);
    } else if (command.startsWith("ATDE") && offHook_) {
        sendDigits(command.mid(4));
        reply(Ok, dtmfFree_);
    } else if (command == "AT@RECE") {
        // Listening already: what was heard stays for the next fetch.
        if (!listening_)
            collected_.clear();
        listening_ = true;
        reply(Ok, now);
    } else if (command == "AT@RECN") {
        fetchCollected(now);
    } else {
        reply(Err, now);
    }
}

void SimBlackBox::fetchCollected(Nanos now)
{
    auto inLongAnswer = [](const auto &event) {
        return event.second.kind != LineEvent::ToCommunicator && event.second.kind != LineEvent::PickUp
               && event.second.partOfLongAnswer;
    };
    if (call_ == Call::Connected && std::any_of(lineEvents_.begin(), lineEvents_.end(), inLongAnswer)) {
        std::erase_if(lineEvents_, inLongAnswer);
        listening_ = false;
        reply(QByteArrayLiteral("NA"), now);
    } else {
        reply(collected_ + Ok, now);
    }
    collected_.clear();
}

void SimBlackBox::sendDigits(const QByteArray &digits)
{
    // The box cannot hear while it sends tones.
    listening_ = false;
    const Nanos start = std::max(clock_.now(), dtmfFree_);
    dtmfFree_ = start + digitTime * digits.size();
    if (call_ == Call::None) {
        // The first digits after taking the line are the telephone number.
        call_ = Call::Ringing;
        lineEvents_.emplace(dtmfFree_ + pickUpDelay, Event{LineEvent::PickUp, {}});
        return;
    }
    lineDigits += digits.size();
    QByteArray heard = digits;
    for (char &digit : heard)
        if (takeFault(faults.noisyDigits))
            digit = digit == 'D' ? '0' : 'D';
    Nanos heardAt = dtmfFree_;
    switch (faults.bursts.next()) {
    case SimFaultPlan::Strike::Loss:
    case SimFaultPlan::Strike::Silence:
    case SimFaultPlan::Strike::Corruption:
        return;
    case SimFaultPlan::Strike::Delay:
        heardAt += faults.bursts.delay();
        break;
    case SimFaultPlan::Strike::None:
        break;
    }
    // A late burst is still heard before the bursts sent after it.
    heardAt = std::max(heardAt, lastBurstHeard_);
    lastBurstHeard_ = heardAt;
    lineEvents_.emplace(heardAt, Event{LineEvent::ToCommunicator, heard});
}

void SimBlackBox::answer(Nanos heardAt, const SimAnswer &answer)
{
    const Nanos begin = heardAt + answerDelay + answer.delay;
    const qsizetype length = answer.digits.size();
    Nanos late{0};
    for (qsizetype i = 0; i < length; ++i) {
        QByteArray digit = answer.digits.mid(i, 1);
        const SimFaultPlan::Strike strike = faults.answerDigits.next();
        if (strike == SimFaultPlan::Strike::Loss || strike == SimFaultPlan::Strike::Silence)
            continue;
        if (strike == SimFaultPlan::Strike::Corruption)
            digit[0] = faults.answerDigits.corruptWithin(digit[0], "D1234567890*#ABC");
        else if (strike == SimFaultPlan::Strike::Delay)
            late += faults.answerDigits.delay();
        lineEvents_.emplace(begin + late + digitTime * (i + 1), Event{LineEvent::ToBox, digit, length > 1});
    }
    if (length >= blockAnswerDigits)
        lineEvents_.emplace(begin + late + digitTime * length, Event{LineEvent::AnswerEnd, {}, true});
}

// Carries out, in time order, what has happened on the telephone line by now.
void SimBlackBox::runLine()
{
    const Nanos now = clock_.now();
    while (!lineEvents_.empty() && lineEvents_.begin()->first <= now) {
        const auto node = lineEvents_.extract(lineEvents_.begin());
        const Nanos at = node.key();
        const Event &event = node.mapped();
        if (event.kind == LineEvent::PickUp) {
            if (call_ == Call::Ringing) {
                call_ = Call::Connected;
                communicator_.pickUp();
            }
            continue;
        }
        if (call_ != Call::Connected)
            continue;
        if (event.kind == LineEvent::ToCommunicator) {
            answer(at, communicator_.hear(event.digits));
        } else if (event.kind == LineEvent::AnswerEnd) {
            if (listening_)
                reply(QByteArrayLiteral("FULL"), at);
        } else {
            ++lineDigits;
            if (takeFault(faults.lostAnswers) || !listening_)
                continue;
            const char digit = event.digits[0];
            collected_.append(takeFault(faults.noisyAnswers) ? (digit == 'D' ? '0' : 'D') : digit);
        }
    }
}
