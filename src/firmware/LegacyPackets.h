#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The packets of the upload of a TKV-C or TKV-C2: a word address (low, high) and
// four program words, 10 bytes each; the end packet is 0x55 and nine 0xFF.
struct LegacyPackets {
    static constexpr int packetLength = 10;
    static constexpr int maximumCount = 4200;

    QList<QByteArray> packets;
    int result = 0;  // 0, or UpgradeResult::HexChecksum, HexEnd, TooManyPackets or NoProgram
};

// Cuts the data records of the HEX text into packets, four words each, a record of
// more than 16 bytes into as many packets as it needs. Records at word addresses 0
// to 3 are not sent; the first record past the end of the model's program memory
// ends the list with the end packet (versionText: the communicator's firmware
// version; from 6 on the memory is twice as large). Every record's digits and
// checksum are checked first: a file with a bad record gives no packets, and so
// does a file without a program word to send.
LegacyPackets buildLegacyPackets(const QByteArray &text, const QString &versionText);
