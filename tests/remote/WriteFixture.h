#pragma once

// Parameter values for the remote write tests: away from the defaults, at the ends
// of their lists, and with the telephone numbers' awkward cases.

#include "params/Catalogue.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"

inline void setChoice(ParameterSet &set, const char *id, const char *entry, CommunicatorModel model)
{
    const QString name = QString::fromLatin1(id);
    const int index = valuesOf(*findById(name), model).indexOf(QString::fromLatin1(entry));
    if (index < 0)
        qFatal("%s has no entry %s", id, entry);
    ParameterValue value = set.value(name);
    value.index = index;
    set.set(name, value);
}

inline void setFlag(ParameterSet &set, const char *id, bool on)
{
    set.set(QString::fromLatin1(id), ParameterValue::ofFlag(on));
}

inline void setText(ParameterSet &set, const char *id, const char *text)
{
    set.set(QString::fromLatin1(id), ParameterValue::ofText(QString::fromLatin1(text)));
}

inline void setPhone(ParameterSet &set, const char *id, const char *number, bool confirming)
{
    set.set(QString::fromLatin1(id), ParameterValue::phone(QString::fromLatin1(number), confirming));
}

inline void setTimed(ParameterSet &set, const char *id, const char *entry, int unit, CommunicatorModel model)
{
    setChoice(set, id, entry, model);
    ParameterValue value = set.value(QString::fromLatin1(id));
    value.unit = unit;
    set.set(QString::fromLatin1(id), value);
}

// The values of every parameter the remote write sends. With roundTrip no code
// begins with "*" (a leading "*" pads a one-character code) and no number uses "F"
// (which reads back as "R"), so that what the communicator keeps reads back as the
// same values.
inline ParameterSet writeFixture(CommunicatorModel model, bool roundTrip = false)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);

    setPhone(set, "emergencyNumber1", "0123456789012345", true);
    setPhone(set, "emergencyNumber2", "", false);
    setPhone(set, "emergencyNumber3", "0P12*3", false);
    setPhone(set, "emergencyNumber4", roundTrip ? "R5#R" : "R5#F", true);
    setPhone(set, "emergencyNumber5", "12", false);
    setPhone(set, "emergencyNumber6", "", true);
    setPhone(set, "serviceNumber", "9876543210987654", false);
    setPhone(set, "technicalNumber", "555", true);
    setPhone(set, "counterOrFailureNumber", "7", false);

    setChoice(set, "dialMode", "Pulse", model);
    setChoice(set, "prolongKey", "#    - hash", model);
    setText(set, "hangUpCode", "4");
    setText(set, "servicePassword", "2468");
    setChoice(set, "parallelAnswerWait", "1.3", model);
    setFlag(set, "parallelMode", true);
    setChoice(set, "parallelNumber", "5", model);
    setText(set, "confirmSerialCode", "12");
    setText(set, "confirmCode48", "3456");
    setText(set, "confirmCallbackCode", "");
    setText(set, "confirmLastNumbersCode", "69");
    setText(set, "confirmServiceCallbackCode", "65");
    setChoice(set, "confirmPrefix", "#", model);

    setChoice(set, "maxCallDuration", "15", model);
    setChoice(set, "pushbutton1Time", "0.5", model);
    setChoice(set, "pushbutton2Time", "12", model);
    setChoice(set, "redialHangUpTime", "5", model);
    setChoice(set, "dialDelay", "2", model);
    setChoice(set, "noRingToneTime", "10", model);
    setChoice(set, "confirmWaitTime", "99", model);
    setChoice(set, "ringsBeforeHangUp", "4", model);
    setChoice(set, "serviceCallInterval", "59", model);
    setChoice(set, "busyToneFrequency", "725-825", model);
    setChoice(set, "busyToneCount", "10", model);
    setChoice(set, "permanentToneDuration", "5", model);
    setChoice(set, "dtmfToneDuration", "160", model);
    setChoice(set, "dtmfSpaceDuration", "40", model);
    setChoice(set, "flashDuration", "600", model);
    setChoice(set, "pauseDuration", "1400", model);
    setChoice(set, "dtmfLevel", "-4", model);
    setChoice(set, "preemphasis", "3.2", model);
    setChoice(set, "confidenceLevel", "+3", model);
    setChoice(set, "filterDialDelay", "7", model);

    setFlag(set, "otherTonesSignalization", false);
    setChoice(set, "lineSignalization", "Type 2", model);
    setFlag(set, "conversationTick", true);
    setFlag(set, "micDtmfSuppression", true);
    setFlag(set, "muteServiceCalls", true);
    setFlag(set, "babyCall", true);
    setFlag(set, "pbxStartDelay", true);
    setFlag(set, "autoTestAcousticPath", true);
    setFlag(set, "autoTestStuckButton", false);

    setChoice(set, "serviceCallMode", "On - call after setting timeout and after first line conection", model);
    setChoice(set, "serviceCallRepeat", "9", model);
    setChoice(set, "pushbutton2Polarity", "Emergency call is done by opening button terminals", model);
    setChoice(set, "blockingPolarity", "Input Block is for send information of presence the engineer in Lift cabin",
              model);
    setChoice(set, "emergencyRepeats", "9", model);
    setChoice(set, "technicalRepeats", "3", model);
    setChoice(set, "counterOrFailureRepeats", "1", model);
    setChoice(set, "serviceRepeats", "42", model);
    setChoice(set, "pushbutton1Polarity", "Emergency call is done by opening button terminals", model);
    setFlag(set, "shaftButtonAlarm", true);

    setChoice(set, "speakerVolume", "16", model);
    setChoice(set, "micVolume", "1", model);
    setChoice(set, "micSpeakerThreshold", "9", model);
    setChoice(set, "signallingToneLevel", "-16", model);
    setFlag(set, "softClipping", true);
    setFlag(set, "noiseMonitoring", false);
    setChoice(set, "noiseOffset", "300", model);
    setChoice(set, "voiceSwitchSpeed", "8", model);
    setChoice(set, "dcMask", "3.5", model);
    setChoice(set, "lineLossCompensation", "45-75", model);
    setFlag(set, "longHfInit", false);

    // TKV-C option page.
    setChoice(set, "talkerConnection", "H1 + H2 + H3 messages", model);
    setText(set, "inputStatusQueryCode", "7");
    setText(set, "output1OnCode", "51");
    setText(set, "output1OffCode", "");
    setText(set, "output2OnCode", "52");
    setText(set, "output2OffCode", "62");
    setText(set, "output4OnCode", "54");
    setText(set, "output4OffCode", "64");
    setText(set, "output3OnCode", "53");
    setText(set, "output3OffCode", "63");
    setText(set, "inp3ResetCode", "##");

    // TKV-C2 option page: messages 1, 3 and 7 ticked.
    set.set(QStringLiteral("talkerMessages"), ParameterValue::ofBits((1u << 1) | (1u << 3) | (1u << 7)));
    if (model != CommunicatorModel::TkvC)
        setText(set, "inputStatusQueryCode", "70");
    setText(set, "c2Output1OnCode", "5");
    setText(set, "c2Output1OffCode", "61");
    setText(set, "c2Output2OnCode", "52");
    setText(set, "c2Output2OffCode", roundTrip ? "#*" : "**");
    setTimed(set, "c2Output1OnTime", "7", 1, model);
    setTimed(set, "c2Output2OnTime", "99", 0, model);
    setTimed(set, "c2Input1Filter", "48", 0, model);
    setTimed(set, "c2Input2Filter", "2", 1, model);
    setChoice(set, "c2Input1Function", "Input 1 call if input is open", model);
    setChoice(set, "c2Input2Function", "Input 2 call if input is changed", model);
    setFlag(set, "newNormMode", true);
    setFlag(set, "failureCloseRelay1", false);
    setFlag(set, "failureCall12V", true);
    setFlag(set, "failureCallBattery", false);
    setFlag(set, "lineDisconnectLed", true);
    if (model != CommunicatorModel::TkvC)
        setChoice(set, "bypassFilterTime", model == CommunicatorModel::TkvC3 ? "30" : "96", model);
    return set;
}

// The commands of each page for writeFixture(model), as the write tables give them.
inline QList<QByteArrayList> fixtureCommands(CommunicatorModel model)
{
    QList<QByteArrayList> pages{
        {"ATDE1110123456789012345", "ATDE120B", "ATDE1300*012**3B", "ATDE141*#5#*#B", "ATDE15012B", "ATDE161B",
         "ATDE2109876543210987654B", "ATDE221555B", "ATDE2307B"},
        {"ATDE411", "ATDE42#", "ATDE43*4", "ATDE442468", "ATDE4*13", "ATDE451", "ATDE465", "ATDE4712B",
         "ATDE483456B", "ATDE49B", "ATDE4069B", "ATDE0765B", "ATDE4##"},
        {"ATDE51*", "ATDE5200", "ATDE5312", "ATDE545", "ATDE552", "ATDE560", "ATDE5799", "ATDE5804",
         "ATDE5959", "ATDE5000", "ATDE5010", "ATDE5025", "ATDE50316", "ATDE50404", "ATDE5056", "ATDE5060",
         "ATDE50704", "ATDE5081", "ATDE5094", "ATDE0207"},
        {"ATDE610", "ATDE622", "ATDE631", "ATDE6412", "ATDE651", "ATDE6*1", "ATDE051", "ATDE060"},
        {"ATDE312", "ATDE329", "ATDE331", "ATDE342", "ATDE359", "ATDE363", "ATDE371", "ATDE3842", "ATDE391",
         "ATDE301"},
        {"ATDE7116", "ATDE7201", "ATDE7309", "ATDE7016", "ATDE741", "ATDE750", "ATDE764", "ATDE774", "ATDE780",
         "ATDE792", "ATDE7*0"},
    };
    if (model == CommunicatorModel::TkvC)
        pages.append({"ATDE017", "ATDE08*7", "ATDE03151", "ATDE041*", "ATDE03252", "ATDE04262", "ATDE03454",
                      "ATDE04464", "ATDE03353", "ATDE04363", "ATDE098##"});
    else
        pages.append({"ATDE0110", "ATDE0121", "ATDE0130", "ATDE0141", "ATDE0151", "ATDE0161", "ATDE0170",
                      "ATDE0870", "ATDE031*5", "ATDE04161", "ATDE03252", "ATDE042**", "ATDE091107",
                      "ATDE092099", "ATDE093048", "ATDE094102", "ATDE09612", "ATDE09623", "ATDE09521",
                      model == CommunicatorModel::TkvC3 ? "ATDE09730" : "ATDE09796"});
    return pages;
}
