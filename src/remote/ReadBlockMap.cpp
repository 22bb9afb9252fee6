#include "remote/ReadBlockMap.h"

QByteArray ReadBlock::request() const
{
    return QByteArrayLiteral("ATDE8*") + QByteArray::number(bank) + QByteArray::number(block) + "\r\n";
}

const std::vector<ReadBlock> &phaseBlocks(ReadPhase phase)
{
    static const std::vector<ReadBlock> basic{{1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 7}};
    static const std::vector<ReadBlock> emergency{{1, 5}, {1, 6}, {1, 7}, {2, 0}, {2, 1}, {2, 2}};
    static const std::vector<ReadBlock> other{{2, 3}, {2, 4}, {2, 5}, {2, 6}};
    static const std::vector<ReadBlock> none;
    switch (phase) {
    case ReadPhase::Basic:
        return basic;
    case ReadPhase::Emergency:
        return emergency;
    case ReadPhase::Other:
        return other;
    case ReadPhase::None:
        break;
    }
    return none;
}

bool ReadChoices::includes(ReadPhase phase) const
{
    switch (phase) {
    case ReadPhase::Basic:
        return basic;
    case ReadPhase::Emergency:
        return emergency;
    case ReadPhase::Other:
        return other;
    case ReadPhase::None:
        break;
    }
    return false;
}

ReadPhase ReadChoices::first() const
{
    return after(ReadPhase::None);
}

ReadPhase ReadChoices::after(ReadPhase phase) const
{
    for (int next = int(phase) + 1; next <= int(ReadPhase::Other); ++next)
        if (includes(ReadPhase(next)))
            return ReadPhase(next);
    return ReadPhase::None;
}

int ReadChoices::progressMaximum() const
{
    return 1 + (basic ? 12 : 0) + (emergency ? 12 : 0) + (other ? 8 : 0);
}

namespace {

// The DTMF characters in the order of the 4-bit values they carry.
qsizetype dtmfValue(char dtmf)
{
    static const QByteArray code = QByteArrayLiteral("D1234567890*#ABC");
    return code.indexOf(dtmf);
}

}  // namespace

int nibbleOf(char dtmf)
{
    const qsizetype at = dtmfValue(dtmf);
    return at < 0 ? 0 : int(at);
}

QString hexDigitOf(char dtmf)
{
    const qsizetype at = dtmfValue(dtmf);
    return at < 0 ? QString() : QString::number(at, 16).toUpper();
}

QByteArray decodeBlockDigits(const QByteArray &digits)
{
    QByteArray bytes(readBlockLength, '\0');
    for (int i = 0; i < readBlockLength; ++i) {
        const int high = 2 * i < digits.size() ? nibbleOf(digits[2 * i]) : 0;
        const int low = 2 * i + 1 < digits.size() ? nibbleOf(digits[2 * i + 1]) : 0;
        bytes[i] = char(high << 4 | low);
    }
    return bytes;
}

QString blockChecksum(const QByteArray &bytes)
{
    int sum = 0;
    for (const char byte : bytes)
        sum += quint8(byte);
    return QStringLiteral("%1").arg(sum % 256, 2, 16, QLatin1Char('0')).toUpper();
}
