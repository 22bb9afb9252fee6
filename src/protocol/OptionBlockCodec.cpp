#include "protocol/OptionBlockCodec.h"

#include "params/Catalogue.h"
#include "protocol/AlarmImageCodec.h"
#include "protocol/FieldCodecs.h"
#include "protocol/ImageCatalogue.h"

#include <array>

namespace {

struct OptionField {
    int position;
    const char *id;
    bool timed;  // timed choice: index + 1, +128 for minutes; else a choice: index + k
    int k;
};

constexpr std::array<OptionField, 9> headFields{{
    {1, "output1OnTime", false, 0},
    {2, "output2OnTime", false, 0},
    {3, "output3OnTime", false, 0},
    {4, "input1Filter", true, 1},
    {5, "input2Filter", true, 1},
    {6, "input3Filter", true, 1},
    {7, "inp3StartCount", false, 1},
    {8, "liftIdleInterval", false, 1},
    {9, "liftStartTime", false, 1},
}};

constexpr std::array<OptionField, 6> tailFields{{
    {18, "input4Filter", true, 1},
    {19, "input5Filter", true, 1},
    {20, "input6Filter", true, 1},
    {21, "input7Filter", true, 1},
    {22, "input8Filter", true, 1},
    {23, "output4OnTime", false, 0},
}};

// Above 128 the module's timed bytes are minutes.
constexpr int optionMinutesFrom = 129;

template <std::size_t n>
void decodeFields(const std::array<OptionField, n> &fields, const QByteArray &bytes, CommunicatorModel model,
                  ParameterSet &set)
{
    for (const OptionField &field : fields) {
        const QString id = QString::fromLatin1(field.id);
        const int byte = quint8(bytes.at(field.position - 1));
        const int count = entriesOf(id, model);
        set.set(id, field.timed ? decodeTimed(byte, field.k, count, optionMinutesFrom)
                                : ParameterValue::choice(decodeIndex(byte, field.k, count)));
    }
}

template <std::size_t n>
void encodeFields(const std::array<OptionField, n> &fields, const ParameterSet &set, QByteArray &block)
{
    for (const OptionField &field : fields) {
        const ParameterValue value = set.value(QString::fromLatin1(field.id));
        block[field.position - 1] = char(field.timed ? encodeTimed(value.index, field.k, value.unit)
                                                     : encodeIndex(value.index, field.k));
    }
}

} // namespace

ImageDecodeResult decodeOptionBlock(const QByteArray &bytes, CommunicatorModel model, ParameterSet &set,
                                    ParameterStatus &status)
{
    if (bytes.size() != optionBlockLength) {
        applyDefaults(set, status, model);
        return {ImageFailure::Length};
    }
    if (quint8(bytes.at(16 - 1)) != imageMarker) {
        applyDefaults(set, status, model);
        decodeFields(tailFields, bytes, model, set);
        return {ImageFailure::OptionMemory};
    }
    decodeFields(headFields, bytes, model, set);
    decodeFields(tailFields, bytes, model, set);
    return {};
}

QByteArray encodeOptionBlock(const ParameterSet &set)
{
    QByteArray block(optionBlockLength, char(0xff));
    encodeFields(headFields, set, block);
    block[10 - 1] = 0;
    block[16 - 1] = char(imageMarker);
    block[17 - 1] = 1;
    encodeFields(tailFields, set, block);
    return block;
}
