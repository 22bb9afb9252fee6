#include "HexFiles.h"

#include "firmware/HexRecords.h"
#include "firmware/UpgradeResult.h"

namespace HexFiles {

namespace {

QByteArray randomBytes(SoakRandom &random, int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(char(random.below(256)));
    return bytes;
}

// A page of random bytes at the address.
QByteArray page(SoakRandom &random, int address)
{
    return pageRecords(address, randomBytes(random, pageLength(address)));
}

QByteArray configuration(SoakRandom &random)
{
    return linearRecord(0x30) + hexRecord(0, 0, randomBytes(random, 10));
}

QByteArray programPages(SoakRandom &random, int programSize, bool withStartPage)
{
    QByteArray text;
    const int pages = random.between(0, 6);
    // The start page first or after the others: the upgrade writes it last either way.
    const bool startFirst = withStartPage && random.chance(50);
    if (startFirst)
        text += page(random, 0x1000);
    for (int i = 0; i < pages; ++i)
        text += page(random, random.between(0x11, programSize / 0x100 - 1) * 0x100);
    if (withStartPage && !startFirst)
        text += page(random, 0x1000);
    return text;
}

}  // namespace

QByteArray bootloaderImage(SoakRandom &random, int programSize)
{
    QByteArray text = programPages(random, programSize, true);
    if (random.chance(30))
        text += page(random, 0x2C0000);
    if (random.chance(20))
        text += page(random, 0x200000);
    return text + configuration(random) + endRecord();
}

QByteArray refusedBootloaderImage(SoakRandom &random, int programSize, int &refusal)
{
    // Data beyond the memory is refused only by a 64 KiB device.
    switch (random.below(programSize == 0x10000 ? 6 : 5)) {
    case 0:
        refusal = UpgradeResult::MissingStartPage;
        return programPages(random, programSize, false) + page(random, 0x1100) + configuration(random) + endRecord();
    case 1:
        refusal = UpgradeResult::NoConfiguration;
        return programPages(random, programSize, true) + endRecord();
    case 2: {
        refusal = UpgradeResult::HexChecksum;
        QByteArray text = bootloaderImage(random, programSize);
        // One digit of one record changed: its checksum no longer fits.
        const qsizetype colon = text.indexOf(":10", text.size() / 3);
        const qsizetype at = (colon < 0 ? text.indexOf(':') : colon) + 9 + random.below(32);
        text[at] = text[at] == '0' ? '1' : '0';
        return text;
    }
    case 3:
        refusal = UpgradeResult::HexEnd;
        return programPages(random, programSize, true) + configuration(random);
    case 4:
        refusal = UpgradeResult::HexChecksum;
        return programPages(random, programSize, true).replace(":10", ":1G") + configuration(random) + endRecord();
    default:
        // Data beyond the memory of a 64 KiB device: the file itself is sound, the
        // device's reported size refuses it.
        refusal = UpgradeResult::HexAddress;
        return programPages(random, programSize, true) + page(random, 0x10000 + random.between(0, 0xFF) * 0x100)
               + configuration(random) + endRecord();
    }
}

QByteArray legacyImage(SoakRandom &random, bool largeMemory)
{
    // Program memory ends at word 0x1E00 (0x3C00 from version 6 on).
    const int lastByte = largeMemory ? 0x7800 : 0x3C00;
    QByteArray text;
    const int records = random.between(1, 8);
    for (int i = 0; i < records; ++i) {
        const int address = random.between(1, lastByte / 8 - 4) * 8;
        text += hexRecord(0, address, randomBytes(random, random.chance(50) ? 16 : 8));
    }
    // The first record past the end of the memory ends the list with the end packet.
    text += hexRecord(0, largeMemory ? 0x79A2 : 0x3DA2, randomBytes(random, 2));
    return text + endRecord();
}

QByteArray refusedLegacyImage(SoakRandom &random, bool largeMemory, int &refusal)
{
    if (random.chance(50)) {
        refusal = UpgradeResult::HexChecksum;
        QByteArray text = legacyImage(random, largeMemory);
        const qsizetype at = text.indexOf(':') + 9 + random.below(16);
        text[at] = text[at] == '0' ? '1' : '0';
        return text;
    }
    refusal = UpgradeResult::NoProgram;
    // Only words the upload never sends (0 to 3), then the end of the memory.
    return hexRecord(0, 0x0000, randomBytes(random, 8)) + hexRecord(0, largeMemory ? 0x79A2 : 0x3DA2, randomBytes(random, 2))
           + endRecord();
}

}  // namespace HexFiles
