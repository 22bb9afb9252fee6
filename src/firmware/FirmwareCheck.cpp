#include "firmware/FirmwareCheck.h"

#include "firmware/HexLoader.h"
#include "firmware/LegacyPackets.h"

int firmwareFileProblem(const QByteArray &text, CommunicatorModel model, const QString &versionText)
{
    if (model != CommunicatorModel::TkvC3)
        return buildLegacyPackets(text, versionText).result;
    const HexLoad load = loadHexImage(text, MemoryArea::size128KB);
    return load.result ? load.result : checkImageForUpgrade(load.image);
}
