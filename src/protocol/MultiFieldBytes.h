#pragma once

#include <QtGlobal>
#include <optional>

// Image bytes of the AlarmImage that carry several parameters at once.

// Byte 254: bit 0 micDtmfSuppression, bit 1 muteServiceCalls, bit 2
// muteUntilConfirmation, bits 3-4 the micOpenDelay (only with bit 2: 1 = 3 s,
// 3 = 6 s). A delay drops bit 0, so the byte takes only 0..7, 12, 14, 28 and 30.
struct AudioSettings {
    bool micDtmfSuppression = false;
    bool muteServiceCalls = false;
    bool muteUntilConfirmation = false;
    int micOpenDelay = 0;  // index: no delay, 3 s, 6 s

    friend bool operator==(const AudioSettings &, const AudioSettings &) = default;
};
quint8 encodeAudioByte(const AudioSettings &audio);
// Nothing for a byte outside the values the encoder produces.
std::optional<AudioSettings> decodeAudioByte(int byte);

// Byte 71 of TKV-C2: low nibble the repeats index + 1, bits 4-5 the input 1
// function, bits 6-7 the input 2 function.
struct InputByte {
    int input1Function = 0;
    int input2Function = 0;
    int repeatsIndex = 0;  // may lie outside the repeats list

    friend bool operator==(const InputByte &, const InputByte &) = default;
};
quint8 encodeInputByte(const InputByte &input);
InputByte decodeInputByte(int byte);
