#include "HexText.h"
#include "firmware/LegacyPackets.h"
#include "firmware/UpgradeResult.h"

#include <gtest/gtest.h>

namespace {

QByteArray packet(int wordAddress, const QByteArray &data)
{
    QByteArray bytes;
    bytes.append(char(wordAddress & 0xFF));
    bytes.append(char(wordAddress >> 8));
    bytes.append(data);
    return bytes + QByteArray(10 - bytes.size(), char(0xFF));
}

const QByteArray endPacket = QByteArray(1, char(0x55)) + QByteArray(9, char(0xFF));

TEST(LegacyPackets, RecordsBecomePacketsOfFourWords)
{
    struct Case {
        const char *name;
        QByteArray text;
        QString version;
        QList<QByteArray> packets;
    };
    const QByteArray sixteen = countingBytes(16, 0x30);
    const Case cases[] = {
        {"16 bytes at 0x0010", dataRecord(0x0010, sixteen) + endRecord(), QStringLiteral("5.8"),
         {packet(0x0008, sixteen.left(8)), packet(0x000C, sixteen.mid(8))}},
        {"odd high address byte", dataRecord(0x0120, countingBytes(8)), QStringLiteral("5.8"),
         {packet(0x0090, countingBytes(8))}},
        {"words 0 to 3 are never sent", dataRecord(0x0000, countingBytes(8)) + dataRecord(0x0006, countingBytes(2))
                                           + dataRecord(0x0008, countingBytes(2)),
         QStringLiteral("5.8"), {packet(0x0004, countingBytes(2))}},
        {"a short record fills with 0xFF", dataRecord(0x0100, countingBytes(3)), QStringLiteral("5.8"),
         {packet(0x0080, countingBytes(3))}},
        {"a long record is split", dataRecord(0x0100, countingBytes(20)), QStringLiteral("5.8"),
         {packet(0x0080, countingBytes(8)), packet(0x0084, countingBytes(8, 8)), packet(0x0088, countingBytes(4, 16))}},
        {"the word address carries into its high byte", dataRecord(0x01F8, countingBytes(16)), QStringLiteral("5.8"),
         {packet(0x00FC, countingBytes(8)), packet(0x0100, countingBytes(8, 8))}},
        {"past the end of a version 5", dataRecord(0x0100, countingBytes(2)) + dataRecord(0x3DA2, countingBytes(2))
                                           + dataRecord(0x0200, countingBytes(2)),
         QStringLiteral("5.8"), {packet(0x0080, countingBytes(2)), endPacket}},
        {"not yet past the end of a version 6", dataRecord(0x3DA2, countingBytes(2)), QStringLiteral("6.2"),
         {packet(0x1ED1, countingBytes(2))}},
        {"past the end of a version 6", dataRecord(0x0100, countingBytes(2)) + dataRecord(0x79A2, countingBytes(2)),
         QStringLiteral("6.2"), {packet(0x0080, countingBytes(2)), endPacket}},
        {"lower-case digits", dataRecord(0x0100, countingBytes(2)).toLower(), QStringLiteral("5.8"),
         {packet(0x0080, countingBytes(2))}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LegacyPackets built = buildLegacyPackets(c.text, c.version);
        EXPECT_EQ(built.result, UpgradeResult::Ok);
        EXPECT_EQ(built.packets, c.packets);
    }
}

TEST(LegacyPackets, ABadFileGivesNoPackets)
{
    const QByteArray good = dataRecord(0x0100, countingBytes(8));
    const struct {
        const char *name;
        QByteArray text;
        int result;
    } cases[] = {
        {"bad checksum", good + good.left(good.size() - 4) + "00\r\n", UpgradeResult::HexChecksum},
        {"bad checksum of an end record", good + ":00000001FE\r\n", UpgradeResult::HexChecksum},
        {"not a hex digit", good + ":0201000012G4E9\r\n", UpgradeResult::HexChecksum},
        {"cut short", good + ":080100", UpgradeResult::HexEnd},
        {"no program word", linearRecord(0) + hexRecord(3, 0, countingBytes(4)) + endRecord(), UpgradeResult::NoProgram},
        {"nothing but the end", dataRecord(0x3DA2, countingBytes(2)) + endRecord(), UpgradeResult::NoProgram},
        {"only words 0 to 3", dataRecord(0x0000, countingBytes(8)) + endRecord(), UpgradeResult::NoProgram},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const LegacyPackets built = buildLegacyPackets(c.text, QStringLiteral("5.8"));
        EXPECT_EQ(built.result, c.result);
        EXPECT_TRUE(built.packets.isEmpty());
    }
}

TEST(LegacyPackets, MoreThan4200PacketsAreRefused)
{
    QByteArray text;
    for (int record = 0; record < 4201; ++record)
        text += dataRecord(0x0100, countingBytes(8));
    EXPECT_EQ(buildLegacyPackets(text.left(text.size() / 4201 * 4200), QStringLiteral("6.2")).packets.size(), 4200);
    const LegacyPackets built = buildLegacyPackets(text, QStringLiteral("6.2"));
    EXPECT_EQ(built.result, UpgradeResult::TooManyPackets);
    EXPECT_TRUE(built.packets.isEmpty());
}

}  // namespace
