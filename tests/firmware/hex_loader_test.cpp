#include "HexText.h"
#include "firmware/HexLoader.h"
#include "firmware/UpgradeResult.h"

#include <gtest/gtest.h>

namespace {

QByteArray fill(int offset, const QByteArray &bytes)
{
    QByteArray block(ImageBlock::length, char(0xFF));
    block.replace(offset, bytes.size(), bytes);
    return block;
}

TEST(HexLoader, FilesAndTheirResults)
{
    struct Case {
        const char *name;
        QByteArray text;
        quint32 programSize;
        int result;
    };
    const QByteArray page = dataRecord(0x1000, countingBytes(16));
    const QByteArray badChecksum = QByteArray(dataRecord(0x1000, countingBytes(4))).replace("\r\n", "").chopped(2)
                                   + "00\r\n";
    const Case cases[] = {
        {"a start page and the end", page + endRecord(), MemoryArea::size128KB, UpgradeResult::Ok},
        {"no end record", page, MemoryArea::size128KB, UpgradeResult::HexEnd},
        {"empty", "", MemoryArea::size128KB, UpgradeResult::HexEnd},
        {"nothing after the end counts", page + endRecord() + ":zz garbage", MemoryArea::size128KB,
         UpgradeResult::Ok},
        {"a record cut short", page + ":10100000", MemoryArea::size128KB, UpgradeResult::HexEnd},
        {"bad data checksum", badChecksum + endRecord(), MemoryArea::size128KB, UpgradeResult::HexChecksum},
        {"bad end checksum", page + ":00000001FE\r\n", MemoryArea::size128KB, UpgradeResult::HexChecksum},
        {"bad linear checksum", ":020000040000FB\r\n" + endRecord(), MemoryArea::size128KB,
         UpgradeResult::HexChecksum},
        {"bad segment checksum", ":020000021000EB\r\n" + endRecord(), MemoryArea::size128KB,
         UpgradeResult::HexChecksum},
        {"not a hex digit", ":1010000G000102030405060708090A0B0C0D0E0F00\r\n" + endRecord(),
         MemoryArea::size128KB, UpgradeResult::HexChecksum},
        {"lower-case digits", page.toLower() + endRecord(), MemoryArea::size128KB, UpgradeResult::Ok},
        {"types 03 and 05 skipped", hexRecord(3, 0, countingBytes(4)) + hexRecord(5, 0, countingBytes(4)) + page
                                        + endRecord(),
         MemoryArea::size128KB, UpgradeResult::Ok},
        {"the 64KB program size itself", linearRecord(1) + dataRecord(0, "\x01") + endRecord(),
         MemoryArea::size64KB, UpgradeResult::HexAddress},
        {"inside 128KB", linearRecord(1) + dataRecord(0, "\x01") + endRecord(), MemoryArea::size128KB,
         UpgradeResult::Ok},
        {"past the user ID", linearRecord(0x20) + dataRecord(0x40, "\x01") + endRecord(), MemoryArea::size128KB,
         UpgradeResult::HexAddress},
        {"past the configuration", linearRecord(0x30) + dataRecord(0x0A, "\x01") + endRecord(),
         MemoryArea::size128KB, UpgradeResult::HexAddress},
        {"the last device information byte", linearRecord(0x2C) + dataRecord(0xFF, "\x01") + endRecord(),
         MemoryArea::size128KB, UpgradeResult::Ok},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const HexLoad load = loadHexImage(c.text, c.programSize);
        EXPECT_EQ(load.result, c.result);
        if (c.result != UpgradeResult::Ok) {
            EXPECT_TRUE(load.image.isEmpty());
        }
    }
}

TEST(HexLoader, BytesGoToTheirBlocksAndOffsets)
{
    const QByteArray text = dataRecord(0x10F8, countingBytes(16))  // across two blocks
                            + hexRecord(2, 0, QByteArray::fromHex("2000"))     // segment 0x2000 -> 0x20000
                            + dataRecord(0x0010, "\xAA")                       // at 0x20010
                            + linearRecord(0) + dataRecord(0x10FA, "\x55")     // again into the first block
                            + endRecord();
    const HexLoad load = loadHexImage(text, 0x40000);
    ASSERT_EQ(load.result, UpgradeResult::Ok);
    ASSERT_EQ(load.image.blocks().size(), 3u);
    EXPECT_EQ(load.image.blocks()[0].address, 0x1000u);
    QByteArray first = fill(0xF8, countingBytes(8));
    first[0xFA] = char(0x55);  // the later byte wins
    EXPECT_EQ(load.image.blocks()[0].data, first);
    EXPECT_EQ(load.image.blocks()[1].address, 0x1100u);
    EXPECT_EQ(load.image.blocks()[1].data, fill(0, countingBytes(8, 8)));
    EXPECT_EQ(load.image.blocks()[2].address, 0x20000u);
    EXPECT_EQ(load.image.blocks()[2].data, fill(0x10, "\xAA"));
    EXPECT_EQ(load.records, 6);
}

TEST(HexLoader, TheUpgradeNeedsTheStartPageAndTheConfiguration)
{
    const struct {
        const char *name;
        QByteArray text;
        int result;
    } cases[] = {
        {"complete", firmwareHex({0x1000, 0x1200}), UpgradeResult::Ok},
        {"start page last in the file", firmwareHex({0x1200, 0x1000}), UpgradeResult::Ok},
        {"only the bootloader's area", firmwareHex({0x0000, 0x0F00}), UpgradeResult::MissingStartPage},
        {"first page above the start page", firmwareHex({0x1100, 0x1200}), UpgradeResult::MissingStartPage},
        {"no configuration", firmwareHex({0x1000}, false), UpgradeResult::NoConfiguration},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const HexLoad load = loadHexImage(c.text, MemoryArea::size128KB);
        ASSERT_EQ(load.result, UpgradeResult::Ok);
        EXPECT_EQ(checkImageForUpgrade(load.image), c.result);
    }
}

TEST(HexLoader, WordSumAddsLittleEndianWords)
{
    EXPECT_EQ(wordSum(QByteArray::fromHex("0102")), 0x0201);
    EXPECT_EQ(wordSum(QByteArray(256, char(0xFF))), quint16(128 * 0xFFFF));
    EXPECT_EQ(wordSum(QByteArray::fromHex("FF")), 0xFF);
}

}  // namespace
