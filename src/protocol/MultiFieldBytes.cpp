#include "protocol/MultiFieldBytes.h"

#include <algorithm>
#include <array>

namespace {

constexpr int dtmfSuppressionBit = 0x01;
constexpr int muteServiceBit = 0x02;
constexpr int muteUntilConfirmationBit = 0x04;
constexpr std::array<int, 3> delayBits{0x00, 0x08, 0x18};  // no delay, 3 s, 6 s

} // namespace

quint8 encodeAudioByte(const AudioSettings &audio)
{
    int byte = (audio.micDtmfSuppression ? dtmfSuppressionBit : 0)
               | (audio.muteServiceCalls ? muteServiceBit : 0);
    if (!audio.muteUntilConfirmation)
        return quint8(byte);
    byte |= muteUntilConfirmationBit;
    if (audio.micOpenDelay > 0 && audio.micOpenDelay < int(delayBits.size()))
        byte = (byte & ~dtmfSuppressionBit) | delayBits[audio.micOpenDelay];
    return quint8(byte);
}

std::optional<AudioSettings> decodeAudioByte(int byte)
{
    AudioSettings audio;
    audio.micDtmfSuppression = byte & dtmfSuppressionBit;
    audio.muteServiceCalls = byte & muteServiceBit;
    audio.muteUntilConfirmation = byte & muteUntilConfirmationBit;
    if (byte >= 0 && byte <= 7)
        return audio;
    const int delay = byte & ~(muteServiceBit | muteUntilConfirmationBit);
    const auto found = std::find(delayBits.begin() + 1, delayBits.end(), delay);
    if (found == delayBits.end() || !audio.muteUntilConfirmation)
        return std::nullopt;
    audio.micOpenDelay = int(found - delayBits.begin());
    return audio;
}

quint8 encodeInputByte(const InputByte &input)
{
    const int function1 = std::clamp(input.input1Function, 0, 3);
    const int function2 = std::clamp(input.input2Function, 0, 3);
    const int repeats = std::clamp(input.repeatsIndex + 1, 0, 15);
    return quint8(16 * function1 + 64 * function2 + repeats);
}

InputByte decodeInputByte(int byte)
{
    return {(byte / 16) % 4, byte / 64, byte % 16 - 1};
}
