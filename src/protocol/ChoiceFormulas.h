#pragma once

#include "params/CommunicatorModel.h"

#include <QtGlobal>
#include <optional>

// The choices whose image byte is not simply index + k. Each decoder returns the
// index, -1 when the byte names no entry of the list (no selection), or nothing
// when the byte leaves the field unchanged. A choice without a selection (index -1)
// encodes as 255, the erased-memory value, as with encodeIndex.

// "0.5", "1".."9", "15", "--": the duration in half minutes minus one, "--" = 59.
quint8 encodeMaxCallDuration(int index);
std::optional<int> decodeMaxCallDuration(int byte);

// "0.5", "1", "2", ... seconds: half seconds minus one.
quint8 encodePushbuttonTime(int index);
std::optional<int> decodePushbuttonTime(int byte, int count);

// TKV-C2: 30, 32, ... 96 seconds; TKV-C3: 3 .. 30 seconds.
quint8 encodeBypassFilterTime(int index, CommunicatorModel model);
int decodeBypassFilterTime(int byte, CommunicatorModel model, int count);

// Durations held in units of 40 ms: 25 x (index + 1).
quint8 encodeTwentyFifths(int index);
int decodeTwentyFifths(int byte, int count);

// 2 x index + 13.
quint8 encodeBusyToneFrequency(int index);
int decodeBusyToneFrequency(int byte, int count);

// "off" = 3, "20-50" = 0, "45-75" = 2.
quint8 encodeLineLossCompensation(int index);
int decodeLineLossCompensation(int byte);
