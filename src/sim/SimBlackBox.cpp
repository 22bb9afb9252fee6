#include "sim/SimBlackBox.h"

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
    Nanos at = std::max(clock_.now(), pcLineFree_);
    for (const char byte : bytes) {
        at += byteTime;
        toPc_.emplace_back(at, byte);
    }
    pcLineFree_ = at;
}

void SimBlackBox::reply(const QByteArray &text, Nanos from)
{
    pcLineFree_ = std::max(pcLineFree_, from + commandDelay);
    inject(text + "\r\n");
}

void SimBlackBox::remoteHangUp()
{
    runLine();
    communicator_.hangUp();
    if (call_ != Call::None)
        call_ = Call::Dead;
}

bool SimBlackBox::takeFault(int &count)
{
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}

void SimBlackBox::resetLine()
{
    offHook_ = false;
    call_ = Call::None;
    communicator_.hangUp();
    lineEvents_.clear();
    dtmfFree_ = clock_.now();
    collecting_ = false;
    collected_.clear();
}

void SimBlackBox::execute(const QByteArray &command)
{
    if (faults.silent)
        return;
    const Nanos now = clock_.now();
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
        collecting_ = true;
        collected_.clear();
        reply(Ok, now);
    } else if (command == "AT@RECN") {
        fetchCollected(now);
    } else {
        reply(Err, now);
    }
}

void SimBlackBox::fetchCollected(Nanos now)
{
    const auto inFlight = std::find_if(lineEvents_.begin(), lineEvents_.end(), [](const auto &event) {
        return event.second.first == LineEvent::ToBox || event.second.first == LineEvent::AnswerEnd;
    });
    if (inFlight != lineEvents_.end() && call_ == Call::Connected) {
        std::erase_if(lineEvents_, [](const auto &event) {
            return event.second.first == LineEvent::ToBox || event.second.first == LineEvent::AnswerEnd;
        });
        reply(QByteArrayLiteral("NA"), now);
    } else {
        reply(collected_ + Ok, now);
    }
    collected_.clear();
    collecting_ = false;
}

void SimBlackBox::sendDigits(const QByteArray &digits)
{
    const Nanos start = std::max(clock_.now(), dtmfFree_);
    dtmfFree_ = start + digitTime * digits.size();
    if (call_ == Call::None) {
        // The first digits after taking the line are the telephone number.
        call_ = Call::Ringing;
        lineEvents_.emplace(dtmfFree_ + pickUpDelay, std::make_pair(LineEvent::PickUp, '\0'));
        return;
    }
    for (qsizetype i = 0; i < digits.size(); ++i) {
        char digit = digits[i];
        if (takeFault(faults.noisyDigits))
            digit = digit == 'D' ? '0' : 'D';
        lineEvents_.emplace(start + digitTime * (i + 1), std::make_pair(LineEvent::ToCommunicator, digit));
    }
}

// Carries out, in time order, what has happened on the telephone line by now.
void SimBlackBox::runLine()
{
    const Nanos now = clock_.now();
    while (!lineEvents_.empty() && lineEvents_.begin()->first <= now) {
        const auto node = lineEvents_.extract(lineEvents_.begin());
        const Nanos at = node.key();
        const auto [event, digit] = node.mapped();
        if (event == LineEvent::PickUp) {
            if (call_ == Call::Ringing) {
                call_ = Call::Connected;
                communicator_.pickUp();
            }
            continue;
        }
        if (call_ != Call::Connected)
            continue;
        if (event == LineEvent::ToCommunicator) {
            const SimAnswer answer = communicator_.hear(digit);
            const Nanos begin = at + answerDelay + (answer.late ? lateAnswerDelay : Nanos(0));
            const qsizetype length = answer.digits.size();
            for (qsizetype i = 0; i < length; ++i)
                lineEvents_.emplace(begin + digitTime * (i + 1), std::make_pair(LineEvent::ToBox, answer.digits[i]));
            if (length >= blockAnswerDigits)
                lineEvents_.emplace(begin + digitTime * length, std::make_pair(LineEvent::AnswerEnd, '\0'));
        } else if (event == LineEvent::AnswerEnd) {
            if (collecting_)
                reply(QByteArrayLiteral("FULL"), at);
        } else if (!takeFault(faults.lostAnswers) && collecting_) {
            collected_.append(takeFault(faults.noisyAnswers) ? (digit == 'D' ? '0' : 'D') : digit);
        }
    }
}
