#include "sim/SimRemoteCommunicator.h"

namespace {

// The DTMF characters carrying the 4-bit values 0..15.
const QByteArray DtmfCode = QByteArrayLiteral("D1234567890*#ABC");

QByteArray dtmfOf(quint8 byte)
{
    return QByteArray(1, DtmfCode[byte >> 4]) + DtmfCode[byte & 0x0f];
}

bool takeFault(int &count)
{
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}

}  // namespace

void SimRemoteCommunicator::pickUp()
{
    state_ = State::Listening;
    heard_.clear();
}

void SimRemoteCommunicator::hangUp()
{
    state_ = State::OnHook;
    heard_.clear();
}

QByteArray SimRemoteCommunicator::selectionAnswer()
{
    const bool mine = heard_.chopped(1) == parallelNumber;
    heard_.clear();
    if (!mine)
        return {};
    if (state_ == State::Listening)
        state_ = State::Selected;
    return QByteArrayLiteral("A");
}

SimAnswer SimRemoteCommunicator::hear(char digit)
{
    if (state_ == State::OnHook)
        return {};
    heard_.append(digit);
    switch (state_) {
    case State::OnHook:
        return {};
    case State::Listening:
        return {digit == 'B' ? selectionAnswer() : QByteArray()};
    case State::Selected:
        // Asked again for its "A" (the first one was lost), or the password.
        if (digit == 'B' && !heard_.startsWith('#'))
            return {selectionAnswer()};
        if (digit == '#')
            heard_ = "#";
        if (heard_.startsWith('#') && heard_.size() == 1 + password.size()) {
            if (heard_.mid(1) == password)
                state_ = State::Programming;
            heard_.clear();
        }
        return {};
    case State::Programming:
        return programmingAnswer();
    }
    return {};
}

SimAnswer SimRemoteCommunicator::programmingAnswer()
{
    if (heard_.endsWith("8A")) {
        heard_.clear();
        return {QByteArrayLiteral("B")};
    }
    if (heard_.endsWith("8**")) {
        heard_.clear();
        int sum = 0;
        for (const char byte : lastBlock_)
            sum += quint8(byte);
        if (takeFault(faults.wrongChecksums))
            ++sum;
        return {dtmfOf(quint8(sum % 256)), takeFault(faults.lateChecksums)};
    }
    const QByteArray request = heard_.right(4);
    if (request.size() == 4 && request.startsWith("8*") && (request[2] == '1' || request[2] == '2')
        && request[3] >= '0' && request[3] <= '7') {
        heard_.clear();
        const int offset = (request[2] - '1') * 128 + (request[3] - '0') * 16;
        lastBlock_ = memory.mid(offset, 16);
        QByteArray digits;
        for (const char byte : lastBlock_)
            digits.append(dtmfOf(quint8(byte)));
        if (takeFault(faults.shortBlocks))
            digits.chop(2);
        return {digits};
    }
    if (heard_.size() > 16)
        heard_ = heard_.right(3);
    return {};
}
