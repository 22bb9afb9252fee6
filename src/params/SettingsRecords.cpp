#include "params/SettingsRecords.h"

#include <array>

namespace {

using K = RecordKind;

constexpr SettingsRecord option(const char *key, const char *id) { return {key, K::Option, id}; }
constexpr SettingsRecord flag(const char *key, const char *id) { return {key, K::Flag, id}; }
constexpr SettingsRecord index(const char *key, const char *id, int offset = 0) { return {key, K::Index, id, offset}; }
constexpr SettingsRecord unit(const char *key, const char *id) { return {key, K::Unit, id}; }
constexpr SettingsRecord text(const char *key, const char *id) { return {key, K::Text, id}; }
constexpr SettingsRecord voltage(const char *key, const char *id) { return {key, K::Voltage, id}; }
constexpr SettingsRecord bitMask(const char *key, const char *id) { return {key, K::BitMask, id}; }

constexpr std::array records{
    option("Dial: ", "dialMode"),                       // 1
    text("Khg1: ", "hangUpCode"),
    option("Prol: ", "prolongKey"),
    text("Pass: ", "servicePassword"),
    flag("Para: ", "parallelMode"),                     // 5
    index("Park: ", "parallelNumber"),
    index("Pard: ", "parallelAnswerWait", 10),          // tenths of a second: entry 0 is 1.0 s
    text("Cfk1: ", "confirmSerialCode"),
    text("Cfk2: ", "confirmCode48"),
    text("Cfk3: ", "confirmCallbackCode"),              // 10
    text("Cfk4: ", "confirmLastNumbersCode"),
    index("Aud1: ", "lineSignalization"),
    flag("Aud2: ", "conversationTick"),
    flag("Aud3: ", "otherTonesSignalization"),
    flag("Aud4: ", "micDtmfSuppression"),               // 15
    flag("Aud5: ", "babyCall"),
    flag("Aud6: ", "pbxStartDelay"),
    SettingsRecord{"Blck: ", K::Blocking, "blockingPolarity"},
    option("Bt22: ", "pushbutton2Polarity"),
    option("Serv: ", "serviceCallMode"),                // 20
    index("Tdfs: ", "serviceCallRepeat"),
    index("Rep1: ", "emergencyRepeats"),
    index("Rep2: ", "serviceRepeats"),
    index("Rep3: ", "technicalRepeats"),
    index("Rep4: ", "counterOrFailureRepeats"),         // 25
    index("Tim1: ", "maxCallDuration"),
    index("Tim2: ", "pushbutton1Time"),
    index("Tim3: ", "pushbutton2Time"),
    index("Tim4: ", "dialDelay"),
    index("Tim5: ", "redialHangUpTime"),                // 30
    index("Tim6: ", "ringsBeforeHangUp"),
    index("Tim7: ", "noRingToneTime"),
    index("Tim8: ", "confirmWaitTime"),
    index("Tim9: ", "serviceCallInterval"),
    index("Dip1: ", "dtmfToneDuration"),                // 35
    index("Dip2: ", "dtmfSpaceDuration"),
    index("Dip3: ", "flashDuration"),
    index("Dip4: ", "pauseDuration"),
    index("Dip5: ", "dtmfLevel"),
    index("Dip6: ", "preemphasis"),                     // 40
    index("Dip7: ", "confidenceLevel"),
    index("Dip8: ", "busyToneFrequency"),
    index("Dip9: ", "busyToneCount"),
    index("Dip0: ", "permanentToneDuration"),
    index("Ale1: ", "speakerVolume"),                   // 45
    index("Ale2: ", "micVolume"),
    index("Ale3: ", "micSpeakerThreshold"),
    index("Ale4: ", "signallingToneLevel"),
    flag("Ale5: ", "softClipping"),
    flag("Ale6: ", "noiseMonitoring"),                  // 50
    index("Ale7: ", "noiseOffset"),
    index("Ale8: ", "voiceSwitchSpeed"),
    index("Ale9: ", "dcMask"),
    index("Ale0: ", "lineLossCompensation"),
    text("Tci1: ", "emergencyNumber1"),                 // 55
    flag("Chk1: ", "emergencyNumber1"),
    text("Tci2: ", "emergencyNumber2"),
    flag("Chk2: ", "emergencyNumber2"),
    text("Tci3: ", "emergencyNumber3"),
    flag("Chk3: ", "emergencyNumber3"),                 // 60
    text("Tci4: ", "emergencyNumber4"),
    flag("Chk4: ", "emergencyNumber4"),
    text("Tci5: ", "emergencyNumber5"),
    flag("Chk5: ", "emergencyNumber5"),
    text("Tci6: ", "emergencyNumber6"),                 // 65
    flag("Chk6: ", "emergencyNumber6"),
    text("Tci7: ", "serviceNumber"),
    flag("Chk7: ", "serviceNumber"),
    text("Tci8: ", "technicalNumber"),
    flag("Chk8: ", "technicalNumber"),                  // 70
    text("Tci9: ", "counterOrFailureNumber"),
    flag("Chk9: ", "counterOrFailureNumber"),
    option("Opft: ", "talkerConnection"),
    SettingsRecord{"Optc: ", K::Filler, nullptr},
    text("Opqs: ", "inputStatusQueryCode"),             // 75
    index("Oio1: ", "input1Filter"),
    index("Oio2: ", "input2Filter"),
    text("Oio3: ", "output1OnCode"),
    text("Oio4: ", "output1OffCode"),
    index("Oio5: ", "output1OnTime"),                   // 80
    text("Oio6: ", "output2OnCode"),
    text("Oio7: ", "output2OffCode"),
    index("Oio8: ", "output2OnTime"),
    index("Oip1: ", "input3Filter"),
    index("Oip2: ", "inp3StartCount"),                  // 85
    text("Oio3: ", "inp3ResetCode"),
    index("Oip4: ", "liftIdleInterval"),
    index("Oip5: ", "liftStartTime"),
    text("Oio6: ", "output3OnCode"),
    index("Oip7: ", "output3OnTime"),                   // 90
    option("Bt11: ", "pushbutton1Polarity"),
    index("Fccc: ", "confirmPrefix"),
    flag("Thf1: ", "longHfInit"),
    text("Csc1: ", "confirmServiceCallbackCode"),
    index("Oti1: ", "input1Filter"),                    // 95
    unit("Ots1: ", "input1Filter"),
    index("Oti2: ", "input2Filter"),
    unit("Ots2: ", "input2Filter"),
    index("Oti4: ", "input4Filter"),
    unit("Ots4: ", "input4Filter"),                     // 100
    index("Oti5: ", "input5Filter"),
    unit("Ots5: ", "input5Filter"),
    index("Oti6: ", "input6Filter"),
    unit("Ots6: ", "input6Filter"),
    index("Oti7: ", "input7Filter"),                    // 105
    unit("Ots7: ", "input7Filter"),
    index("Oti8: ", "input8Filter"),
    unit("Ots8: ", "input8Filter"),
    text("Oos4: ", "output4OnCode"),
    text("Oor4: ", "output4OffCode"),                   // 110
    index("Oot4: ", "output4OnTime"),
    text("Oor3: ", "output3OffCode"),
    unit("Ois3: ", "input3Filter"),
    index("Dela: ", "filterDialDelay"),
    flag("Atau: ", "autoTestAcousticPath"),             // 115
    flag("Attl: ", "autoTestStuckButton"),
    flag("Att2: ", "muteServiceCalls"),
    flag("Att3: ", "muteUntilConfirmation"),
    option("Att4: ", "micOpenDelay"),
    index("Mdi1: ", "c2Input1Filter"),                  // 120
    unit("Mdi2: ", "c2Input1Filter"),
    option("Mdi3: ", "c2Input1Function"),
    index("Mdi4: ", "c2Input2Filter"),
    unit("Mdi5: ", "c2Input2Filter"),
    option("Mdi6: ", "c2Input2Function"),               // 125
    text("Mdo1: ", "c2Output1OnCode"),
    text("Mdo2: ", "c2Output1OffCode"),
    index("Mdo3: ", "c2Output1OnTime"),
    unit("Mdo4: ", "c2Output1OnTime"),
    text("Mdo5: ", "c2Output2OnCode"),                  // 130
    text("Mdo6: ", "c2Output2OffCode"),
    index("Mdo7: ", "c2Output2OnTime"),
    unit("Mdo8: ", "c2Output2OnTime"),
    flag("Mod1: ", "newNormMode"),
    flag("Mod2: ", "failureCloseRelay1"),               // 135
    flag("Mod3: ", "failureCall12V"),
    flag("Mod4: ", "failureCallBattery"),
    flag("Mod5: ", "lineDisconnectLed"),
    index("Tim9: ", "bypassFilterTime"),
    bitMask("Opfn: ", "talkerMessages"),                // 140
    flag("Bt1a: ", "shaftButtonAlarm"),
    flag("Fact: ", "acousticTest"),
    flag("Fsbt: ", "stuckButtonTest"),
    flag("Flif: ", "lineFailureIndication"),
    voltage("Fnom: ", "nominalVoltage"),                // 145
    voltage("Fund: ", "undervoltageLevel"),
    voltage("Fail: ", "failureVoltage"),
    flag("Fpfc: ", "powerFailureCall"),
    flag("Fplc: ", "powerLostCall"),
    text("Fof1: ", "ioOutputOffCode"),                  // 150
    text("Fon1: ", "ioOutputOnCode"),
    text("Fto1: ", "ioOutputOnTime"),
    text("Fif1: ", "ioInputFilter"),
    text("Fcv1: ", "ioCounterValue"),
    text("Fcr1: ", "ioCounterResetCode"),               // 155
    index("Fim1: ", "ioInputFunction"),
    text("Fqin: ", "ioStatusQueryCode"),
    bitMask("Fvoi: ", "voiceAnnouncements"),
    flag("Fprv: ", "voiceReporting"),
    flag("Fen8: ", "newNormMode"),                      // 160
    flag("Fclp: ", "linePolarityConfirmation"),
    flag("Fdas: ", "shaftButtonAlarm"),
    flag("Faec: ", "alarmEndsWithCall"),
    index("Fdbd: ", "filterDialDelay"),
    index("Ftpc: ", "bypassFilterTime"),                // 165
    text("Fcfw: ", "confirmFirmwareCode"),
};
static_assert(records.size() == 166);

} // namespace

std::span<const SettingsRecord> settingsRecords()
{
    return records;
}
