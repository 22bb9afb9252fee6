#include "protocol/AlarmImageLayout.h"

#include <algorithm>

namespace {

using F = FieldCoding;

// Models as bits: 1 TKV-C, 2 TKV-C2, 4 TKV-C3.
constexpr int C = 1;
constexpr int C2 = 2;
constexpr int C3 = 4;
constexpr int All = C | C2 | C3;

struct Row {
    int models;
    ImageField field;
};

constexpr Row field(int models, int position, int length, FieldCoding coding, const char *id, int k = 0)
{
    return {models, {position, length, coding, {id, nullptr, nullptr, nullptr}, k}};
}
constexpr Row byte(int models, int position, FieldCoding coding, const char *id, int k = 0)
{
    return field(models, position, 1, coding, id, k);
}
constexpr Row constant(int models, int position, int length, int value)
{
    return {models, {position, length, F::Constant, {}, value}};
}
constexpr Row status(int models, int position, int length, FieldCoding coding, bool readBack = true)
{
    return {models, {position, length, coding, {}, 0, readBack}};
}

// Where the layouts of the three models differ, one row per model group.
constexpr Row rows[] = {
    byte(C | C2, 1, F::Index, "dialMode"),
    byte(C3, 1, F::Flag, "linePolarityConfirmation"),
    byte(All, 2, F::Index, "prolongKey", 11),
    byte(All, 3, F::CodePair, "hangUpCode"),
    field(All, 4, 4, F::DigitString, "servicePassword"),
    byte(All, 8, F::Index, "parallelAnswerWait", 10),
    byte(All, 9, F::Flag, "parallelMode"),
    byte(All, 10, F::Index, "parallelNumber", 1),
    byte(All, 11, F::Flag, "pbxStartDelay"),
    status(All, 12, 2, F::ServiceCallTimer),
    status(All, 14, 2, F::ResetCount),
    constant(All, 16, 1, 85),

    field(C, 17, 4, F::DigitString, "confirmSerialCode"),
    field(C, 21, 4, F::DigitString, "confirmCode48"),
    field(C, 25, 4, F::DigitString, "confirmCallbackCode"),
    field(C, 29, 4, F::DigitString, "confirmLastNumbersCode"),
    field(C2 | C3, 17, 2, F::PackedCode, "confirmSerialCode"),
    field(C2 | C3, 19, 2, F::PackedCode, "confirmCode48"),
    field(C2 | C3, 21, 2, F::PackedCode, "confirmCallbackCode"),
    field(C2 | C3, 23, 2, F::PackedCode, "confirmLastNumbersCode"),
    byte(C2 | C3, 25, F::BypassFilterTime, "bypassFilterTime"),
    byte(C2, 26, F::FlagAnyNonZero, "shaftButtonAlarm"),
    constant(C2, 27, 6, 255),
    constant(C3, 26, 1, 0),
    byte(C3, 27, F::CodePair, "ioOutputOnCode"),
    byte(C3, 28, F::CodePair, "ioOutputOffCode"),
    byte(C3, 29, F::UpTo99, "ioOutputOnTime"),
    byte(C3, 30, F::UpTo99, "ioInputFilter"),
    byte(C3, 31, F::Index, "ioInputFunction"),
    byte(C3, 32, F::UpTo99, "ioCounterValue"),

    byte(All, 33, F::Flag, "otherTonesSignalization"),
    byte(All, 34, F::Index, "lineSignalization"),
    byte(All, 35, F::Flag, "conversationTick"),
    byte(All, 36, F::MaxCallDuration, "maxCallDuration"),
    byte(All, 37, F::Index, "redialHangUpTime", 1),
    byte(All, 38, F::Index, "dialDelay", 1),
    byte(All, 39, F::BusyToneFrequency, "busyToneFrequency"),
    byte(All, 40, F::Index, "busyToneCount", 2),
    byte(All, 41, F::TwentyFifths, "permanentToneDuration"),
    byte(All, 42, F::Index, "dtmfToneDuration", 4),
    byte(All, 43, F::Index, "dtmfSpaceDuration", 4),
    byte(C | C2, 44, F::Index, "flashDuration", 1),
    byte(C3, 44, F::Bit, "newNormMode", 0),
    byte(C3, 44, F::Bit, "alarmEndsWithCall", 1),
    byte(C3, 44, F::Bit, "lineFailureIndication", 2),
    byte(C3, 44, F::Bit, "powerFailureCall", 3),
    byte(C3, 44, F::Bit, "powerLostCall", 4),
    byte(C3, 44, F::Bit, "acousticTest", 5),
    byte(C3, 44, F::Bit, "stuckButtonTest", 6),
    byte(C3, 44, F::Bit, "voiceReporting", 7),
    byte(All, 45, F::Index, "pauseDuration", 1),
    byte(C | C2, 46, F::Index, "dtmfLevel"),
    byte(C | C2, 47, F::Index, "preemphasis"),
    byte(C | C2, 48, F::Index, "confidenceLevel", 1),
    byte(C3, 46, F::Voltage, "nominalVoltage"),
    byte(C3, 47, F::Voltage, "undervoltageLevel"),
    byte(C3, 48, F::Voltage, "failureVoltage"),
    byte(All, 49, F::PushbuttonTime, "pushbutton1Time"),
    byte(All, 50, F::PushbuttonTime, "pushbutton2Time"),
    byte(All, 51, F::TwentyFifths, "noRingToneTime"),
    byte(All, 52, F::Index, "confirmWaitTime", 10),
    byte(All, 53, F::Index, "serviceCallInterval", 1),
    byte(All, 54, F::Index, "ringsBeforeHangUp", 4),

    byte(C, 55, F::Index, "talkerConnection"),
    byte(C2, 55, F::FlagSet, "talkerMessages"),
    byte(C3, 55, F::FlagSet, "voiceAnnouncements"),
    byte(C, 56, F::CodePair, "output4OnCode"),
    byte(C2, 56, F::Bit, "newNormMode", 0),
    byte(C2, 56, F::Bit, "failureCloseRelay1", 1),
    byte(C2, 56, F::Bit, "failureCall12V", 2),
    byte(C2, 56, F::Bit, "failureCallBattery", 3),
    byte(C2, 56, F::Bit, "lineDisconnectLed", 4),
    byte(C3, 56, F::FlagAnyNonZero, "shaftButtonAlarm"),
    byte(C, 57, F::CodePair, "output1OnCode"),
    byte(C, 58, F::CodePair, "output2OnCode"),
    byte(C, 59, F::CodePair, "output1OffCode"),
    byte(C, 60, F::CodePair, "output2OffCode"),
    byte(C, 61, F::CodePair, "output3OnCode"),
    byte(C, 62, F::CodePair, "inp3ResetCode"),
    byte(C2, 57, F::CodePair, "c2Output1OnCode"),
    byte(C2, 58, F::CodePair, "c2Output2OnCode"),
    field(C3, 57, 2, F::PackedCode, "confirmFirmwareCode"),
    byte(C2 | C3, 59, F::CodePair, "c2Output1OffCode"),
    byte(C2 | C3, 60, F::CodePair, "c2Output2OffCode"),
    byte(C2 | C3, 61, F::TimedChoice, "c2Output1OnTime"),
    byte(C2 | C3, 62, F::TimedChoice, "c2Output2OnTime"),
    byte(C | C2, 63, F::CodePair, "inputStatusQueryCode"),
    byte(C3, 63, F::CodePair, "ioStatusQueryCode"),
    byte(C, 64, F::CodePair, "output4OffCode"),
    byte(C2 | C3, 64, F::TimedChoice, "c2Input1Filter", 1),

    byte(All, 65, F::Index, "blockingPolarity"),
    byte(All, 66, F::Index, "pushbutton2Polarity"),
    byte(All, 67, F::Index, "serviceCallMode"),
    byte(All, 68, F::Index, "serviceCallRepeat"),
    byte(All, 69, F::Index, "emergencyRepeats", 1),
    byte(All, 70, F::Index, "technicalRepeats", 1),
    byte(C, 71, F::Index, "counterOrFailureRepeats", 1),
    {C2, {71, 1, F::InputByte, {"counterOrFailureRepeats", "c2Input1Function", "c2Input2Function", nullptr}}},
    {C3, {71, 1, F::RepeatsInputByte, {"counterOrFailureRepeats", "c2Input1Function", "c2Input2Function", nullptr}}},
    byte(All, 72, F::Index, "serviceRepeats"),
    byte(All, 73, F::Index, "pushbutton1Polarity"),
    field(All, 74, 2, F::PackedCode, "confirmServiceCallbackCode"),
    byte(C, 76, F::CodePair, "output3OffCode"),
    byte(C2, 76, F::TimedChoice, "c2Input2Filter", 1),
    byte(C3, 76, F::CodePair, "ioCounterResetCode"),
    byte(All, 77, F::Index, "confirmPrefix", 1),
    status(C | C2, 78, 1, F::FirmwareVersion),
    status(C | C2, 79, 2, F::SerialNumber),
    status(C3, 78, 1, F::FirmwareVersion, false),
    status(C3, 79, 2, F::SerialNumber, false),

    field(All, 81, 16, F::PhoneNumber, "emergencyNumber1"),
    field(All, 97, 16, F::PhoneNumber, "emergencyNumber2"),
    field(All, 113, 16, F::PhoneNumber, "emergencyNumber3"),
    field(All, 129, 16, F::PhoneNumber, "emergencyNumber4"),
    field(All, 145, 16, F::PhoneNumber, "emergencyNumber5"),
    field(All, 161, 16, F::PhoneNumber, "emergencyNumber6"),
    field(All, 177, 16, F::PhoneNumber, "serviceNumber"),
    field(All, 193, 16, F::PhoneNumber, "technicalNumber"),
    field(All, 209, 16, F::PhoneNumber, "counterOrFailureNumber"),
    status(All, 225, 8, F::LastCallNumber),
    status(All, 233, 8, F::PreviousCallNumber),

    byte(All, 241, F::Index, "speakerVolume"),
    byte(All, 242, F::Index, "micVolume"),
    byte(All, 243, F::Index, "micSpeakerThreshold"),
    byte(All, 244, F::Flag, "softClipping"),
    byte(All, 245, F::Flag, "noiseMonitoring"),
    byte(All, 246, F::Index, "noiseOffset"),
    byte(All, 247, F::Index, "voiceSwitchSpeed"),
    byte(All, 248, F::Index, "dcMask"),
    byte(All, 249, F::LineLossCompensation, "lineLossCompensation"),
    byte(All, 250, F::Index, "signallingToneLevel"),
    byte(All, 251, F::Flag, "longHfInit"),
    byte(All, 252, F::Index, "filterDialDelay"),
    status(All, 253, 1, F::StatusBits),
    byte(C | C2, 253, F::Bit, "autoTestStuckButton", 6),
    byte(C | C2, 253, F::Bit, "autoTestAcousticPath", 7),
    {All, {254, 1, F::AudioByte, {"micDtmfSuppression", "muteServiceCalls", "muteUntilConfirmation", "micOpenDelay"}}},
    byte(All, 255, F::Flag, "babyCall"),
    constant(All, 256, 1, 0),
};

std::vector<ImageField> layoutOf(CommunicatorModel model)
{
    const int bit = 1 << int(model);
    std::vector<ImageField> fields;
    for (const Row &row : rows)
        if (row.models & bit)
            fields.push_back(row.field);
    std::stable_sort(fields.begin(), fields.end(),
                     [](const ImageField &a, const ImageField &b) { return a.position < b.position; });
    return fields;
}

} // namespace

const std::vector<ImageField> &alarmImageLayout(CommunicatorModel model)
{
    static const std::array<std::vector<ImageField>, 3> layouts{
        layoutOf(CommunicatorModel::TkvC), layoutOf(CommunicatorModel::TkvC2),
        layoutOf(CommunicatorModel::TkvC3)};
    return layouts[int(model)];
}

QStringList storedParameterIds(CommunicatorModel model)
{
    QStringList ids;
    for (const ImageField &field : alarmImageLayout(model)) {
        if (!field.readBack)
            continue;
        for (const char *id : field.ids)
            if (id && !ids.contains(QLatin1String(id)))
                ids << QString::fromLatin1(id);
    }
    return ids;
}
