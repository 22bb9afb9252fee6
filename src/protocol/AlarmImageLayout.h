#pragma once

#include "params/CommunicatorModel.h"

#include <QStringList>
#include <array>
#include <vector>

// How the bytes of one AlarmImage field hold their value.
enum class FieldCoding {
    Constant,            // k in every byte
    Index,               // index + k
    Flag,                // 0 / 1; other values leave the flag
    FlagAnyNonZero,      // 0 / 1; any non-zero value sets the flag
    Bit,                 // the flag in bit k of a byte shared with other fields
    FlagSet,             // a flag set's bit mask
    CodePair,
    DigitString,
    PackedCode,
    PhoneNumber,
    MaxCallDuration,
    PushbuttonTime,
    BypassFilterTime,
    TwentyFifths,        // 25 x (index + 1)
    BusyToneFrequency,   // 2 x index + 13
    LineLossCompensation,
    UpTo99,              // a text number, read back at most 99
    Voltage,             // a text number of volts, in tenths
    TimedChoice,         // index + k, +128 for minutes
    InputByte,           // repeats, input 1 function, input 2 function
    RepeatsInputByte,    // repeats index + 1, read back as the input byte
    AudioByte,           // the four audio parameters
    StatusBits,          // "Alarm" state in bit 0, service-call redial in bit 1
    ServiceCallTimer,    // hours mod 24, hours div 24
    ResetCount,          // big-endian
    FirmwareVersion,
    SerialNumber,        // big-endian
    LastCallNumber,      // call number
    PreviousCallNumber,  // call number
};

// One field of the AlarmImage layout of a model.
struct ImageField {
    int position;        // first byte, 1-based
    int length;
    FieldCoding coding;
    std::array<const char *, 4> ids;  // the parameters it holds, in the coding's order
    int k = 0;           // offset, bit or constant, as the coding says
    bool readBack = true;  // false: written, ignored when read
};

// The fields of the model's AlarmImage in the order of their bytes. Bit fields share
// their byte with the other fields of the same position.
const std::vector<ImageField> &alarmImageLayout(CommunicatorModel model);

// Every parameter id the model's image carries and reads back.
QStringList storedParameterIds(CommunicatorModel model);
