#include "remote/ReadBlockMap.h"

#include <gtest/gtest.h>

#include <set>

TEST(RemoteReadBlockMap, ThePhasesCoverTheImageOnce)
{
    std::set<int> offsets;
    for (const ReadPhase phase : {ReadPhase::Basic, ReadPhase::Emergency, ReadPhase::Other})
        for (const ReadBlock &block : phaseBlocks(phase))
            EXPECT_TRUE(offsets.insert(block.imageOffset()).second);
    EXPECT_EQ(offsets.size(), 16u);
    EXPECT_EQ(*offsets.rbegin(), 240);
    EXPECT_EQ((ReadBlock{2, 7}.request()), QByteArray("ATDE8*27\r\n"));
}

TEST(RemoteReadBlockMap, DtmfDigitsCarryNibbles)
{
    const struct {
        char dtmf;
        int nibble;
        const char *hex;
    } cases[] = {{'D', 0, "0"}, {'1', 1, "1"}, {'9', 9, "9"}, {'0', 10, "A"}, {'*', 11, "B"},
                 {'#', 12, "C"}, {'A', 13, "D"}, {'B', 14, "E"}, {'C', 15, "F"}, {'O', 0, ""}};
    for (const auto &c : cases) {
        EXPECT_EQ(nibbleOf(c.dtmf), c.nibble) << c.dtmf;
        EXPECT_EQ(hexDigitOf(c.dtmf), QString::fromLatin1(c.hex)) << c.dtmf;
    }
}

TEST(RemoteReadBlockMap, ShortDigitsLeaveZeroNibbles)
{
    QByteArray digits = QByteArray("C0").repeated(16);
    EXPECT_EQ(decodeBlockDigits(digits), QByteArray(16, char(0xfa)));
    digits.chop(3);
    const QByteArray bytes = decodeBlockDigits(digits);
    EXPECT_EQ(quint8(bytes[14]), 0xf0);
    EXPECT_EQ(quint8(bytes[15]), 0x00);
    EXPECT_EQ(blockChecksum(QByteArray(16, char(0xfa))), QStringLiteral("A0"));
    EXPECT_EQ(blockChecksum(QByteArray(1, char(0x05))), QStringLiteral("05"));
}
