#include "compare/ComparisonLabels.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"

namespace {

constexpr auto width = comparisonLabelWidth;

// Blank-padded and cut to width characters.
QString fitted(const QString &text, int fieldWidth)
{
    return text.leftJustified(fieldWidth, QLatin1Char(' '), true);
}

// " 1" .. " n".
QStringList numbered(int count)
{
    QStringList suffixes;
    for (int n = 1; n <= count; ++n)
        suffixes << QStringLiteral(" %1").arg(n);
    return suffixes;
}

// "/01" .. "/16": the characters of a telephone number.
QStringList characterPositions()
{
    QStringList suffixes;
    for (int n = 1; n <= 16; ++n)
        suffixes << QStringLiteral("/%1").arg(n, 2, 10, QLatin1Char('0'));
    return suffixes;
}

// "/01/02" .. "/15/16": the character pairs of a call number.
QStringList characterPairs()
{
    QStringList suffixes;
    for (int n = 1; n <= 16; n += 2)
        suffixes << QStringLiteral("/%1/%2").arg(n, 2, 10, QLatin1Char('0')).arg(n + 1, 2, 10, QLatin1Char('0'));
    return suffixes;
}

class LabelTable {
public:
    LabelTable(CommunicatorModel model, const LanguageTable &texts) : model_(model), texts_(texts) {}

    // The caption the main window shows for the row: for a row the selected model
    // does not have, the caption its hidden field keeps (the TKV-C2's, else the TKV-C's).
    QString caption(const char *id) const
    {
        const ParameterDef *row = findById(QLatin1String(id));
        return row ? captionOf(*row, shownModel(*row), texts_) : QString();
    }
    QString groupCaption(const char *id) const
    {
        const ParameterDef *row = findById(QLatin1String(id));
        return row ? groupCaptionOf(*row, shownModel(*row), texts_) : QString();
    }
    QString text(const char *section, int key) const { return texts_.text(QLatin1String(section), key); }

    void add(const QString &label) { labels_ << fitted(label, width); }
    void addCaptions(std::initializer_list<const char *> ids)
    {
        for (const char *id : ids)
            add(caption(id));
    }
    // One label per byte of a field: the text cut so that each suffix fills the width.
    void addParts(const QString &text, const QStringList &suffixes)
    {
        for (const QString &suffix : suffixes)
            labels_ << fitted(text, width - int(suffix.size())) + suffix;
    }

    QStringList labels() const { return labels_; }

private:
    CommunicatorModel shownModel(const ParameterDef &row) const
    {
        if (row.models.contains(model_))
            return model_;
        return row.models.contains(CommunicatorModel::TkvC2) ? CommunicatorModel::TkvC2 : CommunicatorModel::TkvC;
    }

    CommunicatorModel model_;
    const LanguageTable &texts_;
    QStringList labels_;
};

} // namespace

QStringList comparisonLabels(CommunicatorModel model, const LanguageTable &texts)
{
    const bool tkvC = model == CommunicatorModel::TkvC;
    LabelTable t(model, texts);

    t.addCaptions({"dialMode", "prolongKey", "hangUpCode"});                           // 1-3
    t.addParts(t.caption("servicePassword"), numbered(4));                             // 4-7
    t.addCaptions({"parallelAnswerWait", "parallelMode", "parallelNumber", "pbxStartDelay"});  // 8-11
    t.addParts(t.text("Main", 13), {QStringLiteral(" h"), QStringLiteral(" d")});      // 12-13 service-call time
    t.addParts(t.text("Menu", 29), numbered(2));                                       // 14-15 reset count
    t.add(QStringLiteral("CHK-EEPROM"));                                               // 16
    const char *const confirmCodes[] = {"confirmSerialCode", "confirmCode48", "confirmCallbackCode",
                                        "confirmLastNumbersCode"};
    if (tkvC) {
        for (const char *id : confirmCodes)                                            // 17-32
            t.addParts(t.caption(id), numbered(4));
    } else {
        for (const char *id : confirmCodes)                                            // 17-24
            t.addParts(t.caption(id), numbered(2));
        t.addCaptions({"bypassFilterTime"});                                           // 25
        for (int byte = 26; byte <= 32; ++byte)
            t.add(QStringLiteral("-"));
    }
    t.addCaptions({"otherTonesSignalization", "lineSignalization", "conversationTick", "maxCallDuration",
                   "redialHangUpTime", "dialDelay", "busyToneFrequency", "busyToneCount", "permanentToneDuration",
                   "dtmfToneDuration", "dtmfSpaceDuration", "flashDuration", "pauseDuration", "dtmfLevel",
                   "preemphasis", "confidenceLevel", "pushbutton1Time", "pushbutton2Time", "noRingToneTime",
                   "confirmWaitTime", "serviceCallInterval", "ringsBeforeHangUp"});    // 33-54
    if (tkvC) {
        t.addCaptions({"talkerConnection", "output4OnCode", "output1OnCode", "output2OnCode", "output1OffCode",
                       "output2OffCode", "output3OnCode", "inp3ResetCode", "inputStatusQueryCode",
                       "output4OffCode"});                                             // 55-64
    } else {
        t.addCaptions({"talkerMessages"});                                             // 55
        // The group box of the failure options carries their common code.
        t.add(QStringLiteral("095 ") + t.groupCaption("failureCloseRelay1"));          // 56
        t.addCaptions({"c2Output1OnCode", "c2Output2OnCode", "c2Output1OffCode", "c2Output2OffCode",
                       "c2Output1OnTime", "c2Output2OnTime", "inputStatusQueryCode", "c2Input1Filter"});  // 57-64
    }
    t.addCaptions({"blockingPolarity", "pushbutton2Polarity", "serviceCallMode", "serviceCallRepeat",
                   "emergencyRepeats", "technicalRepeats", "counterOrFailureRepeats", "serviceRepeats",
                   "pushbutton1Polarity"});                                            // 65-73
    t.addParts(t.caption("confirmServiceCallbackCode"), numbered(2));                  // 74-75
    t.addCaptions({tkvC ? "output3OffCode" : "c2Input2Filter", "confirmPrefix"});      // 76-77
    t.add(t.text("Info", 13) + QLatin1Char(':'));                                      // 78 version
    t.addParts(t.text("Main", 12), numbered(2));                                       // 79-80 serial number
    for (const char *id : {"emergencyNumber1", "emergencyNumber2", "emergencyNumber3", "emergencyNumber4",
                           "emergencyNumber5", "emergencyNumber6", "serviceNumber", "technicalNumber",
                           "counterOrFailureNumber"})                                  // 81-224
        t.addParts(t.groupCaption(id) + QLatin1Char('/') + t.caption(id), characterPositions());
    for (int call = 1; call <= 2; ++call)                                              // 225-240
        t.addParts(t.text("Main", 15) + QStringLiteral(" -%1").arg(call), characterPairs());
    t.addCaptions({"speakerVolume", "micVolume", "micSpeakerThreshold", "softClipping", "noiseMonitoring",
                   "noiseOffset", "voiceSwitchSpeed", "dcMask", "lineLossCompensation", "signallingToneLevel",
                   "longHfInit", "filterDialDelay"});                                  // 241-252
    t.add(t.caption("autoTestAcousticPath") + QStringLiteral(" + ") + t.caption("autoTestStuckButton"));  // 253
    t.addCaptions({"micDtmfSuppression", "babyCall"});                                 // 254-255
    t.add(QStringLiteral("CHK-FW"));                                                   // 256
    return t.labels();
}

bool isImportantByte(int byte)
{
    const bool status = (byte >= 12 && byte <= 16) || (byte >= 78 && byte <= 80) || (byte >= 225 && byte <= 240)
                        || byte == 256;
    return !status;
}
