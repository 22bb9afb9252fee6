#include "voice/TalkerCompression.h"

#include <gtest/gtest.h>

namespace {

// A file: "RIFF" (so that the token of the virtual byte before it is a lone 0),
// the samples, and one last byte, which the compressor never emits.
QByteArray file(const QByteArray &samples)
{
    return "RIFF" + samples + "\x01";
}

QByteArray run(int value, int count)
{
    return QByteArray(count, char(value));
}

TEST(TalkerCompression, RunsAndLiteralsAsTheModuleTakesThem)
{
    struct Case {
        const char *name;
        QByteArray samples;
        int tolerance;
        QByteArray stream;  // after "RIFF"
    };
    const QByteArray riff = "RIFF";
    const Case cases[] = {
        {"ten equal samples", run(0x80, 10) + "\x10", 0, riff + QByteArray::fromHex("FF800A10")},
        {"four equal samples stay literal", run(0x80, 4) + "\x10", 0, riff + QByteArray::fromHex("8080808010")},
        {"300 samples: a full run, then the rest counting its last sample again", run(0x40, 300) + "\x10", 0,
         riff + QByteArray::fromHex("FF40FB") + QByteArray::fromHex("FF40") + char(300 - 251 + 1) + "\x10"},
        {"a drift within the tolerance is one run", QByteArray::fromHex("808284868810"), 2,
         riff + QByteArray::fromHex("FF800510")},
        {"the same drift without tolerance", QByteArray::fromHex("808284868810"), 0,
         riff + QByteArray::fromHex("808284868810")},
        {"0xFF is taken as 0xFE", QByteArray::fromHex("10FF20"), 0, riff + QByteArray::fromHex("10FE20")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // The last sample before the final byte is still pending when the file ends.
        const TalkerStream compressed = compressForTalker(file(c.samples + "\x33"), c.tolerance);
        EXPECT_EQ(compressed.stream.toHex(), (c.stream + QByteArray::fromHex("FFFF")).toHex());
        EXPECT_EQ(compressed.inputBytes, 4 + c.samples.size() + 2);
        EXPECT_FALSE(compressed.cut);
    }
}

TEST(TalkerCompression, OnlyTheFirst100000BytesAreRead)
{
    const TalkerStream compressed = compressForTalker("RIFF" + QByteArray(120000, '\x55'), 0);
    EXPECT_TRUE(compressed.cut);
    EXPECT_EQ(compressed.inputBytes, TalkerStream::inputLimit);
}

TEST(TalkerCompression, TheBlockFileEndsWithItsLastBlockTwice)
{
    struct Case {
        const char *name;
        int streamLength;
        int lines;  // non-empty lines of the block file
        int blockCount;
        int blocks;  // blocks sent
    };
    const Case cases[] = {
        {"64 bytes", 64, 2, 2, 1},
        {"65 bytes", 65, 3, 3, 2},
        {"100 bytes", 100, 3, 3, 2},
        {"3 bytes", 3, 2, 2, 1},
        {"192 bytes", 192, 4, 4, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray stream;
        for (int i = 0; i < c.streamLength; ++i)
            stream.append(char(i));
        const TalkerBlocks blocks = talkerBlocksOf(stream);
        QList<QByteArray> lines = blocks.blockFile.split('\n');
        lines.removeAll("\r");
        lines.removeAll("");
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.last(), lines.at(lines.size() - 2));
        EXPECT_EQ(blocks.blockCount, c.blockCount);
        ASSERT_EQ(blocks.blocks.size(), c.blocks);
        for (const QByteArray &line : lines)
            EXPECT_EQ(line.size(), 128 + 1);  // digits and CR
        EXPECT_EQ(blocks.blocks.first().left(std::min(64, c.streamLength)), stream.left(64));
    }
    // A pair cut by the end repeats its first byte; the rest is "F".
    EXPECT_EQ(talkerBlocksOf(QByteArray::fromHex("0102AB")).blocks.first().left(5).toHex(), "0102ababff");
}

TEST(TalkerCompression, StatisticsOfTheCompression)
{
    const TalkerStream compressed{QByteArray(99, 'x'), 1000, false};
    const TalkerBlocks blocks{{}, 3, {}};
    const TalkerStatistics statistics = talkerStatistics(compressed, blocks, 288);
    EXPECT_EQ(statistics.compression, QStringLiteral("Compr: 1000%"));
    EXPECT_EQ(statistics.size, QStringLiteral("1 %"));
    EXPECT_EQ(statistics.time, QStringLiteral(" - 50 sec"));
}

}  // namespace
