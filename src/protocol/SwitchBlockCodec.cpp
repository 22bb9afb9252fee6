#include "protocol/SwitchBlockCodec.h"

#include "params/Catalogue.h"
#include "protocol/ChoiceFormulas.h"
#include "protocol/FieldCodecs.h"
#include "protocol/ImageCatalogue.h"

namespace {

const QString parallelNumber = QStringLiteral("parallelNumber");
const QString parallelAnswerWait = QStringLiteral("parallelAnswerWait");
const QString prolongKey = QStringLiteral("prolongKey");
const QString maxCallDuration = QStringLiteral("maxCallDuration");
const QString hangUpCode = QStringLiteral("hangUpCode");
const QString parallelMode = QStringLiteral("parallelMode");

int byteAt(const QByteArray &bytes, int position)
{
    return quint8(bytes.at(position - 1));
}

} // namespace

ImageDecodeResult decodeSwitchBlock(const QByteArray &bytes, CommunicatorModel model, ParameterSet &set,
                                    ParameterStatus &status)
{
    if (bytes.size() != switchBlockLength) {
        applyDefaults(set, status, model);
        return {ImageFailure::Length};
    }
    const auto choice = [&](const QString &id, int byte, int k) {
        set.set(id, ParameterValue::choice(decodeIndex(byte, k, entriesOf(id, model))));
    };
    choice(parallelNumber, byteAt(bytes, 1), 0);
    choice(parallelAnswerWait, byteAt(bytes, 2), 10);
    choice(prolongKey, byteAt(bytes, 3), 11);
    if (const std::optional<int> duration = decodeMaxCallDuration(byteAt(bytes, 4)))
        set.set(maxCallDuration, ParameterValue::choice(*duration));
    set.set(hangUpCode, ParameterValue::ofText(decodeDigitString(QByteArrayView(bytes).sliced(4, 2))));
    set.set(parallelMode, ParameterValue::ofFlag(decodeFlag(quint8(byteAt(bytes, 7)), set.value(parallelMode).flag)));
    return {};
}

QByteArray encodeSwitchBlock(const ParameterSet &set)
{
    QByteArray block(switchBlockLength, char(0xff));
    block[0] = char(encodeIndex(set.value(parallelNumber).index, 0));
    block[1] = char(encodeIndex(set.value(parallelAnswerWait).index, 10));
    block[2] = char(encodeIndex(set.value(prolongKey).index, 11));
    block[3] = char(encodeMaxCallDuration(set.value(maxCallDuration).index));
    block.replace(4, 2, encodeDigitString(set.value(hangUpCode).text, 2));
    block[6] = char(set.value(parallelMode).flag ? 1 : 0);
    return block;
}
