#include "sim/SimRemoteCommunicator.h"
#include "sim/SimFault.h"

#include "sim/SimFactoryMemory.h"
#include "sim/SimProgrammingCodes.h"

namespace {

// The DTMF characters carrying the 4-bit values 0..15.
const QByteArray DtmfCode = QByteArrayLiteral("D1234567890*#ABC");

QByteArray dtmfOf(quint8 byte)
{
    return QByteArray(1, DtmfCode[byte >> 4]) + DtmfCode[byte & 0x0f];
}


// "8*" + bank (1, 2) + block (0..7): the 0-based offset of the block, or -1.
int blockOffset(const QByteArray &burst)
{
    if (burst.size() != 4 || !burst.startsWith("8*") || (burst[2] != '1' && burst[2] != '2') || burst[3] < '0'
        || burst[3] > '7')
        return -1;
    return (burst[2] - '1') * 128 + (burst[3] - '0') * 16;
}

}  // namespace

SimRemoteCommunicator::SimRemoteCommunicator(SimKind model) : memory(factoryMemory(model)), model_(model) {}

void SimRemoteCommunicator::pickUp()
{
    state_ = State::Listening;
}

void SimRemoteCommunicator::hangUp()
{
    state_ = State::OnHook;
}

QByteArray SimRemoteCommunicator::currentPassword() const
{
    if (!password.isEmpty())
        return password;
    QByteArray digits;
    for (int i = 3; i < 7; ++i) {
        const quint8 code = quint8(memory[i]);
        if (code >= 1 && code <= 10)
            digits += char(code == 10 ? '0' : '0' + code);
    }
    return digits;
}

bool SimRemoteCommunicator::answersTo(const QByteArray &number) const
{
    if (!parallelNumber.isEmpty())
        return number == parallelNumber;
    // Bytes 9 and 10: parallel mode, parallel number.
    if (memory[8] != 1)
        return true;
    return number == QByteArray::number(quint8(memory[9]));
}

SimAnswer SimRemoteCommunicator::hear(const QByteArray &burst)
{
    switch (state_) {
    case State::OnHook:
        return {};
    case State::Listening:
    case State::Selected:
        // Its parallel number + "B" (asked again when the first "A" was lost), then
        // "#" and the password.
        if (burst.endsWith('B') && !burst.startsWith('#')) {
            if (!answersTo(burst.chopped(1)))
                return {};
            state_ = State::Selected;
            return {QByteArrayLiteral("A")};
        }
        if (state_ == State::Selected && burst == '#' + currentPassword())
            state_ = State::Programming;
        return {};
    case State::Programming:
        return programmingAnswer(burst);
    }
    return {};
}

SimAnswer SimRemoteCommunicator::programmingAnswer(const QByteArray &burst)
{
    if (burst == "8A")
        return {QByteArrayLiteral("B")};
    if (burst == "8**") {
        int sum = 0;
        for (const char byte : lastBlock_)
            sum += quint8(byte);
        if (takeFault(faults.wrongChecksums))
            ++sum;
        return {dtmfOf(quint8(sum % 256)), takeFault(faults.lateChecksums) ? lateDelay : Nanos(0)};
    }
    if (const int offset = blockOffset(burst); offset >= 0) {
        lastBlock_ = memory.mid(offset, 16);
        QByteArray digits;
        for (const char byte : lastBlock_)
            digits.append(dtmfOf(quint8(byte)));
        if (takeFault(faults.shortBlocks))
            digits.chop(2);
        return {digits};
    }
    if (!applyProgrammingCode(model_, burst, memory))
        return {};
    programmed.append(burst);
    return {QByteArrayLiteral("B"), storeTime + (takeFault(faults.lateAcknowledgements) ? lateDelay : Nanos(0))};
}
