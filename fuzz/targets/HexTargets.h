#pragma once

// Firmware HEX files: the TKV-C3 bootloader's loader (both program memory sizes) and
// the packet loader of the TKV-C and TKV-C2, each also through the check the
// firmware window and hex-check make before anything is sent.

#include "FuzzSupport.h"

#include "app/LanguageTable.h"

#include "firmware/FirmwareCheck.h"
#include "firmware/HexLoader.h"
#include "firmware/LegacyPackets.h"
#include "firmware/UpgradeResult.h"

namespace ostrakel::fuzz {

// A refused file is refused with a text the technician can read.
inline void checkRefusalText(int result)
{
    static const LanguageTable texts;
    if (result != UpgradeResult::Ok)
        OSTRAKEL_FUZZ_CHECK(!UpgradeResult::text(result, texts).isEmpty());
}

inline void hexBootloaderTarget(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text = bytesOf(data, size);
    for (const quint32 programSize : {MemoryArea::size64KB, MemoryArea::size128KB}) {
        const HexLoad load = loadHexImage(text, programSize);
        if (load.result != UpgradeResult::Ok) {
            OSTRAKEL_FUZZ_CHECK(load.image.isEmpty());
            continue;
        }
        for (const ImageBlock &block : load.image.blocks()) {
            OSTRAKEL_FUZZ_CHECK(block.address % ImageBlock::length == 0);
            OSTRAKEL_FUZZ_CHECK(block.address < 0x1000000);
            OSTRAKEL_FUZZ_CHECK(block.data.size() == ImageBlock::length);
            (void)wordSum(block.data);
        }
        (void)checkImageForUpgrade(load.image);
    }
    checkRefusalText(firmwareFileProblem(text, CommunicatorModel::TkvC3, QString()));
}

inline void hexLegacyTarget(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text = bytesOf(data, size);
    for (const char *version : {"", "5.8", "6.2"}) {
        const QString versionText = QLatin1String(version);
        const LegacyPackets built = buildLegacyPackets(text, versionText);
        if (built.result != UpgradeResult::Ok) {
            OSTRAKEL_FUZZ_CHECK(built.packets.isEmpty());
            continue;
        }
        OSTRAKEL_FUZZ_CHECK(!built.packets.isEmpty());
        OSTRAKEL_FUZZ_CHECK(built.packets.size() <= LegacyPackets::maximumCount);
        for (const QByteArray &packet : built.packets)
            OSTRAKEL_FUZZ_CHECK(packet.size() == LegacyPackets::packetLength);
    }
    checkRefusalText(firmwareFileProblem(text, CommunicatorModel::TkvC, QStringLiteral("5.8")));
    checkRefusalText(firmwareFileProblem(text, CommunicatorModel::TkvC2, QStringLiteral("6.2")));
}

}  // namespace ostrakel::fuzz
