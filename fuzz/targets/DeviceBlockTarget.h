#pragma once

// Parameter blocks as a device sends them: the communicator's image ("Alarm") of each
// model, the I/O module's ("Option") and the switch board's ("Switch"); and the remote
// read's blocks of DTMF digits, put together into an image and decoded.

#include "FuzzSupport.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/ParameterText.h"
#include "protocol/AlarmImageCodec.h"
#include "protocol/DeviceBlock.h"
#include "remote/ReadBlockMap.h"

#include <array>

namespace ostrakel::fuzz {

inline const LanguageTable &blockTexts()
{
    static const LanguageTable texts;
    return texts;
}

// The values after a decode are shown and encoded again, as a read followed by a
// write would do.
inline void useDecodedValues(const QString &deviceType, const ParameterSet &set, const ParameterStatus &status,
                             CommunicatorModel model)
{
    for (const ParameterDef &row : catalogue())
        (void)formatValue(row, set.value(row.id), model);
    const QByteArray block = encodeParameterBlock(deviceType, set, status, model);
    OSTRAKEL_FUZZ_CHECK(block.size() == parameterBlockLength(deviceType));
}

inline void decodeAndCheck(const QString &deviceType, const QByteArray &block, CommunicatorModel model)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);
    const ImageDecodeResult result = decodeParameterBlock(deviceType, block, model, set, status);
    if (block.size() != parameterBlockLength(deviceType))
        OSTRAKEL_FUZZ_CHECK(result.failure == ImageFailure::Length);
    if (!result.ok())
        OSTRAKEL_FUZZ_CHECK(!result.message(blockTexts()).isEmpty());
    useDecodedValues(deviceType, set, status, model);
}

// Input: a byte that chooses the device type (modulo 3) and the model (divided by 3,
// modulo 3), then the block. The block is decoded as it is and, so that most inputs
// reach the decoder proper, cut or filled with 0xFF to the device's length.
inline void deviceBlockTarget(const std::uint8_t *data, std::size_t size)
{
    static const std::array<QString, 3> types{QStringLiteral("Alarm"), QStringLiteral("Option"),
                                              QStringLiteral("Switch")};
    InputReader input(bytesOf(data, size));
    const quint8 choice = input.byte();
    const QString &deviceType = types[choice % 3];
    const auto model = CommunicatorModel(choice / 3 % 3);
    const QByteArray block = input.rest();
    decodeAndCheck(deviceType, block, model);
    const int length = parameterBlockLength(deviceType);
    if (block.size() != length)
        decodeAndCheck(deviceType, block.left(length).leftJustified(length, char(0xFF)), model);
}

// Input: a byte that chooses the model (modulo 3), then the digits of each block the
// remote read asks for, 32 a block, in reading order. The image starts as the baseline
// of the defaults, as the remote read's does.
inline void remoteReadTarget(const std::uint8_t *data, std::size_t size)
{
    InputReader input(bytesOf(data, size));
    const auto model = CommunicatorModel(input.byte() % 3);
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);
    QByteArray image = baselineAlarmImage(set, status, model);
    for (const ReadPhase phase : {ReadPhase::Basic, ReadPhase::Emergency, ReadPhase::Other}) {
        for (const ReadBlock &block : phaseBlocks(phase)) {
            const QByteArray digits = input.take(2 * readBlockLength);
            const QByteArray bytes = decodeBlockDigits(digits);
            OSTRAKEL_FUZZ_CHECK(bytes.size() == readBlockLength);
            image.replace(block.imageOffset(), readBlockLength, bytes);
            OSTRAKEL_FUZZ_CHECK(image.size() == alarmImageLength);
            const QString checksum = blockChecksum(bytes);
            OSTRAKEL_FUZZ_CHECK(checksum.size() == 2);
            for (const char dtmf : digits.left(2))
                OSTRAKEL_FUZZ_CHECK(hexDigitOf(dtmf).size() <= 1);
        }
        // Only a sound image is decoded.
        if (quint8(image.at(15)) != imageMarker)
            continue;
        const ImageDecodeResult result = decodeAlarmImage(image, model, set, status);
        OSTRAKEL_FUZZ_CHECK(result.ok());
        useDecodedValues(QStringLiteral("Alarm"), set, status, model);
    }
}

}  // namespace ostrakel::fuzz
