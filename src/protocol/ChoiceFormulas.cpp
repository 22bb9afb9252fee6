#include "protocol/ChoiceFormulas.h"

#include "protocol/FieldCodecs.h"

#include <algorithm>
#include <array>

namespace {

constexpr quint8 noSelection = 0xff;

constexpr int maxCallFifteen = 10;    // "15"
constexpr int maxCallUnlimited = 11;  // "--"

constexpr std::array<int, 3> lineLossBytes{3, 0, 2};

} // namespace

quint8 encodeMaxCallDuration(int index)
{
    if (index == maxCallUnlimited)
        return 59;
    if (index == maxCallFifteen)
        return 29;
    if (index >= 1 && index < maxCallFifteen)
        return quint8(2 * index - 1);
    return index == 0 ? 0 : noSelection;
}

std::optional<int> decodeMaxCallDuration(int byte)
{
    if (byte <= 1)
        return byte;
    if (byte <= 17)
        return (byte + 1) / 2;
    if (byte <= 29)
        return maxCallFifteen;
    if (byte <= 60)
        return maxCallUnlimited;
    return std::nullopt;
}

quint8 encodePushbuttonTime(int index)
{
    return index == 0 ? 0 : encodeIndex(2 * index, -1);
}

std::optional<int> decodePushbuttonTime(int byte, int count)
{
    if (byte == 0)
        return 0;
    if (byte <= 79)
        return indexInList((byte + 1) / 2, count);
    return std::nullopt;
}

quint8 encodeBypassFilterTime(int index, CommunicatorModel model)
{
    return model == CommunicatorModel::TkvC3 ? encodeIndex(index, 3) : encodeIndex(2 * index, 30);
}

int decodeBypassFilterTime(int byte, CommunicatorModel model, int count)
{
    const int last = count - 1;
    if (model == CommunicatorModel::TkvC3) {
        if (byte <= 3)
            return 0;
        return byte <= 30 ? indexInList(byte - 3, count) : last;
    }
    if (byte <= 30)
        return 0;
    return byte <= 99 ? std::min((byte - 30) / 2, last) : last;
}

quint8 encodeTwentyFifths(int index)
{
    return encodeIndex(25 * index, 25);
}

int decodeTwentyFifths(int byte, int count)
{
    return indexInList(byte / 25 - 1, count);
}

quint8 encodeBusyToneFrequency(int index)
{
    return encodeIndex(2 * index, 13);
}

int decodeBusyToneFrequency(int byte, int count)
{
    // Truncated toward zero: 12 still reads as the first entry.
    return indexInList((byte - 13) / 2, count);
}

quint8 encodeLineLossCompensation(int index)
{
    if (index < 0 || index >= int(lineLossBytes.size()))
        return noSelection;
    return quint8(lineLossBytes[index]);
}

int decodeLineLossCompensation(int byte)
{
    const auto found = std::find(lineLossBytes.begin(), lineLossBytes.end(), byte);
    return found == lineLossBytes.end() ? -1 : int(found - lineLossBytes.begin());
}
