#include "firmware/LegacyPackets.h"
#include "firmware/HexDigit.h"

#include "firmware/UpgradeResult.h"

namespace {


// The record after the ":" at colon: its bytes from the count to the checksum.
// Empty with *result set when it is cut short or holds anything but hex digits or a
// wrong checksum.
QByteArray recordAt(const QByteArray &text, qsizetype colon, int *result)
{
    const auto byteAt = [&](qsizetype offset) -> int {
        const qsizetype at = colon + 1 + offset;
        if (at + 1 >= text.size())
            return -2;
        const int high = hexDigit(text[at]);
        const int low = hexDigit(text[at + 1]);
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    };
    const int count = byteAt(0);
    QByteArray record;
    for (int i = 0; count >= 0 && i < count + 5; ++i) {
        const int byte = byteAt(2 * i);
        if (byte < 0) {
            *result = byte == -2 ? UpgradeResult::HexEnd : UpgradeResult::HexChecksum;
            return {};
        }
        record.append(char(byte));
    }
    if (count < 0) {
        *result = count == -2 ? UpgradeResult::HexEnd : UpgradeResult::HexChecksum;
        return {};
    }
    int sum = 0;
    for (const char byte : record)
        sum += quint8(byte);
    if (sum % 256 != 0) {
        *result = UpgradeResult::HexChecksum;
        return {};
    }
    return record;
}

QByteArray endPacket()
{
    return QByteArray(1, char(0x55)) + QByteArray(9, char(0xFF));
}

}  // namespace

LegacyPackets buildLegacyPackets(const QByteArray &text, const QString &versionText)
{
    LegacyPackets built;
    // Program memory ends at word 0x1E00 up to version 5, at 0x3C00 from 6 on.
    const int majorVersion = versionText.isEmpty() ? 0 : versionText.left(1).toInt();
    const int lastHighByte = majorVersion <= 5 ? 29 : 59;
    qsizetype position = 0;
    while (position < text.size()) {
        if (text[position] != ':') {
            ++position;
            continue;
        }
        const QByteArray record = recordAt(text, position, &built.result);
        if (record.isEmpty())
            return {{}, built.result};
        const int count = quint8(record[0]);
        position += 11 + 2 * count;
        if (record[3] != 0)
            continue;
        const int high = quint8(record[1]);
        const int low = quint8(record[2]);
        int wordLow = low / 2 + (high % 2 ? 128 : 0);
        int wordHigh = high / 2;
        if (wordHigh > lastHighByte && wordLow > 208) {
            built.packets.append(endPacket());
            break;
        }
        if (wordHigh == 0 && wordLow < 4)
            continue;
        // Four words a packet; a byte the record does not have is 0xFF.
        const QByteArray data = record.mid(4, count);
        for (int offset = 0; offset < count; offset += 8) {
            QByteArray packet;
            packet.append(char(wordLow));
            packet.append(char(wordHigh));
            packet.append(data.mid(offset, 8));
            packet.append(QByteArray(LegacyPackets::packetLength - packet.size(), char(0xFF)));
            built.packets.append(packet);
            wordLow += 4;
            if (wordLow > 255) {
                wordLow -= 256;
                ++wordHigh;
            }
        }
        if (built.packets.size() > LegacyPackets::maximumCount)
            return {{}, UpgradeResult::TooManyPackets};
    }
    if (built.packets.size() > LegacyPackets::maximumCount)
        return {{}, UpgradeResult::TooManyPackets};
    // An upload with nothing but the end would report success and change nothing.
    if (built.packets.isEmpty() || built.packets.first() == endPacket())
        return {{}, UpgradeResult::NoProgram};
    return built;
}
