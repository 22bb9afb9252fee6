#include "app/LanguageTable.h"
#include "params/Catalogue.h"

#include <QFile>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr auto C = CommunicatorModel::TkvC;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;
constexpr CommunicatorModel allModels[] = {C, C2, C3};

const ParameterDef &row(const char *id)
{
    const ParameterDef *found = findById(QString::fromLatin1(id));
    if (!found)
        throw std::runtime_error(std::string("no catalogue row ") + id);
    return *found;
}

// The value of id as its page shows it: the list entry, "on"/"off", the text.
QString shown(const ParameterSet &set, const char *id, CommunicatorModel model)
{
    const ParameterDef &def = row(id);
    const ParameterValue value = set.value(def.id);
    const QStringList list = valuesOf(def, model);
    auto entry = [&](int index) { return index >= 0 && index < list.size() ? list.at(index) : QStringLiteral("?"); };
    switch (def.kind) {
    case ValueKind::Choice: return entry(value.index);
    case ValueKind::TimedChoice: return entry(value.index) + u' ' + timeUnits().at(value.unit);
    case ValueKind::Flag: return value.flag ? QStringLiteral("on") : QStringLiteral("off");
    case ValueKind::FlagSet: return QString::number(value.bits);
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::TextNumber: return value.text;
    case ValueKind::PhoneNumber: return value.flag ? value.text + QStringLiteral("+confirming") : value.text;
    }
    return {};
}

ParameterSet defaultsOf(CommunicatorModel model)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);
    return set;
}

QStringList idsOf(const QList<const ParameterDef *> &rows)
{
    QStringList ids;
    for (const ParameterDef *r : rows)
        ids << r->id;
    return ids;
}

bool isListKind(ValueKind kind)
{
    return kind == ValueKind::Choice || kind == ValueKind::TimedChoice;
}

bool isTextKind(ValueKind kind)
{
    return kind == ValueKind::Code || kind == ValueKind::Digits || kind == ValueKind::PhoneNumber ||
           kind == ValueKind::TextNumber;
}

} // namespace

TEST(CatalogueTable, IdsAreUnique)
{
    QSet<QString> seen;
    for (const ParameterDef &r : catalogue()) {
        EXPECT_FALSE(r.id.isEmpty());
        EXPECT_FALSE(seen.contains(r.id)) << qPrintable(r.id);
        seen.insert(r.id);
    }
    EXPECT_EQ(seen.size(), 138);
}

// Ids the settings file and the image codec address, among them those the table
// builds in loops.
TEST(CatalogueTable, IdsOfNumberedRowsExist)
{
    for (const char *id :
         {"emergencyNumber1", "emergencyNumber6", "serviceNumber", "counterOrFailureNumber", "input1Filter",
          "input2Filter", "input4Filter", "input8Filter", "input3Filter", "output1OnCode", "output1OffCode",
          "output1OnTime", "output2OnTime", "output3OffCode", "output4OnCode", "output4OffCode", "output4OnTime",
          "c2Input1Filter", "c2Input1Function", "c2Input2Filter", "c2Input2Function", "c2Output1OnCode",
          "c2Output1OffCode", "c2Output1OnTime", "c2Output2OnCode", "c2Output2OffCode", "c2Output2OnTime",
          "failureCloseRelay1", "lineDisconnectLed", "voiceAnnouncements", "talkerMessages"})
        EXPECT_NE(findById(QString::fromLatin1(id)), nullptr) << id;
}

// Pages are laid out in catalogue order, so the rows come page by page.
TEST(CatalogueTable, RowsComePageByPage)
{
    ParameterPage previous = ParameterPage::Basic;
    for (const ParameterDef &r : catalogue()) {
        EXPECT_GE(int(r.page), int(previous)) << qPrintable(r.id);
        previous = r.page;
    }
    EXPECT_EQ(previous, ParameterPage::VoiceMessages);
}

TEST(CatalogueTable, EveryRowIsWellFormedForEachModelItShowsOn)
{
    for (const ParameterDef &r : catalogue()) {
        const QString id = r.id;
        EXPECT_FALSE(r.models.isEmpty()) << qPrintable(id);
        EXPECT_NE(r.page, ParameterPage::None) << qPrintable(id);
        for (auto model : allModels) {
            if (!r.models.contains(model))
                continue;
            const QString m = modelName(model);
            const ParameterValue def = r.defaultFor(model);
            const QStringList list = valuesOf(r, model);
            EXPECT_TRUE(!r.captionFor(model).isEmpty() || r.optionGroup) << qPrintable(id + " " + m);
            if (isListKind(r.kind)) {
                EXPECT_GE(def.index, 0) << qPrintable(id + " " + m);
                EXPECT_LT(def.index, list.size()) << qPrintable(id + " " + m);
                EXPECT_LT(r.fallbackFor(model), list.size()) << qPrintable(id + " " + m);
                EXPECT_TRUE(r.entryKeys.isEmpty() || r.entryKeys.size() == list.size()) << qPrintable(id);
            }
            if (isTextKind(r.kind)) {
                EXPECT_GT(r.maxLength, 0) << qPrintable(id);
                EXPECT_LE(def.text.size(), r.maxLength) << qPrintable(id + " " + m);
                for (QChar ch : def.text)
                    EXPECT_TRUE(r.allowedCharacters.contains(ch)) << qPrintable(id + " " + m);
            }
            if (r.kind == ValueKind::FlagSet) {
                EXPECT_EQ(def.bits & ~r.flagSetMask(), 0u) << qPrintable(id);
                EXPECT_EQ(r.entryCodes.size(), list.size()) << qPrintable(id);
            }
        }
    }
}

TEST(CatalogueTable, ModelDependentValueLists)
{
    struct Case {
        const char *id;
        CommunicatorModel model;
        qsizetype size;
        const char *first;
        const char *last;
    };
    const Case cases[] = {
        {"bypassFilterTime", C2, 34, "30", "96"},
        {"bypassFilterTime", C3, 28, "3", "30"},
        {"bypassFilterTime", C, 34, "30", "96"},
        {"pushbutton1Time", C, 40, "0.5", "39"},
        {"pushbutton1Time", C3, 31, "0.5", "30"},
        {"pushbutton2Time", C2, 40, "0.5", "39"},
        {"pushbutton2Time", C3, 31, "0.5", "30"},
        {"parallelAnswerWait", C, 40, "1.0", "4.9"},
        {"maxCallDuration", C, 12, "0.5", "--"},
        {"inp3StartCount", C, 99, "10000", "990000"},
        {"c2Input1Filter", C2, 24, "2", "48"},
        {"dtmfLevel", C, 13, "-16", "-4"},
        {"serviceRepeats", C, 100, "0", "99"},
    };
    for (const Case &c : cases) {
        const QStringList list = valuesOf(row(c.id), c.model);
        SCOPED_TRACE(std::string(c.id) + " " + modelName(c.model).toStdString());
        ASSERT_EQ(list.size(), c.size);
        EXPECT_EQ(list.first(), QLatin1String(c.first));
        EXPECT_EQ(list.last(), QLatin1String(c.last));
    }
}

TEST(CatalogueDefaults, SpotCheckPerModel)
{
    struct Case {
        const char *id;
        CommunicatorModel model;
        const char *expected;
    };
    const QString volts = QStringLiteral("12") + QLocale().decimalPoint() + u'0';
    const Case cases[] = {
        {"parallelAnswerWait", C, "2.5"},      {"parallelAnswerWait", C2, "3.5"},
        {"parallelAnswerWait", C3, "3.5"},     {"pushbutton1Time", C, "2"},
        {"pushbutton1Time", C3, "3"},          {"pushbutton2Time", C, "3"},
        {"ringsBeforeHangUp", C, "7"},         {"ringsBeforeHangUp", C2, "5"},
        {"busyToneCount", C, "7"},             {"busyToneCount", C3, "5"},
        {"micSpeakerThreshold", C, "5"},       {"micSpeakerThreshold", C2, "7"},
        {"micVolume", C2, "5"},                {"micVolume", C3, "7"},
        {"signallingToneLevel", C, "-4"},      {"signallingToneLevel", C2, "-12"},
        {"emergencyRepeats", C2, "2"},         {"emergencyRepeats", C3, "1"},
        {"maxCallDuration", C, "4"},           {"speakerVolume", C3, "12"},
        {"noiseOffset", C, "120"},             {"lineLossCompensation", C, "off"},
        {"busyToneFrequency", C2, "375-475"},  {"lineSignalization", C, "Type 1"},
        {"confirmPrefix", C, "*"},             {"inp3StartCount", C, "100000"},
        {"servicePassword", C, "6183"},        {"hangUpCode", C3, "44"},
        {"inp3ResetCode", C, "##"},            {"output4OffCode", C, "64"},
        {"confirmFirmwareCode", C3, "64"},     {"ioInputFilter", C3, "10"},
        {"input1Filter", C, "10 sec"},         {"input3Filter", C, "10 sec"},
        {"c2Input1Filter", C2, "20 sec"},      {"c2Output2OnTime", C2, "0 sec"},
        {"c2Input2Function", C2, "Input 2 not call"},
        {"newNormMode", C2, "on"},             {"shaftButtonAlarm", C3, "on"},
        {"otherTonesSignalization", C, "on"},  {"noiseMonitoring", C, "on"},
        {"longHfInit", C2, "on"},              {"parallelMode", C, "off"},
        {"emergencyNumber1", C, ""},           {"voiceAnnouncements", C3, "0"},
        {"talkerMessages", C2, "0"},           {"ioInputFunction", C3, "Disabled"},
    };
    for (const Case &c : cases) {
        const ParameterSet set = defaultsOf(c.model);
        EXPECT_EQ(shown(set, c.id, c.model), QString::fromUtf8(c.expected))
            << c.id << " " << qPrintable(modelName(c.model));
    }
    EXPECT_EQ(shown(defaultsOf(C3), "nominalVoltage", C3), volts);
}

TEST(CatalogueDefaults, ChangeModelFromTkvCToTkvC3)
{
    ParameterSet set;
    ParameterStatus status;
    changeModel(set, status, C);
    set.set(QStringLiteral("hangUpCode"), ParameterValue::ofText(QStringLiteral("12")));
    changeModel(set, status, C3);

    struct Case {
        const char *id;
        const char *expected;
    };
    const Case cases[] = {
        {"emergencyRepeats", "1"}, {"micVolume", "7"},        {"signallingToneLevel", "-12"},
        {"ringsBeforeHangUp", "5"}, {"bypassFilterTime", "30"}, {"hangUpCode", "44"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shown(set, c.id, C3), QLatin1String(c.expected)) << c.id;
    // 30 is the last entry of the TKV-C3 list, the first of the others.
    EXPECT_EQ(set.value(QStringLiteral("bypassFilterTime")).index, 27);
    changeModel(set, status, C2);
    EXPECT_EQ(set.value(QStringLiteral("bypassFilterTime")).index, 0);
}

TEST(CatalogueDefaults, ApplyDefaultsKeepsLineDisconnectLedAndStatus)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, C2);
    set.set(QStringLiteral("lineDisconnectLed"), ParameterValue::ofFlag(true));
    set.set(QStringLiteral("failureCall12V"), ParameterValue::ofFlag(true));
    status.alarmActive = true;
    status.serviceRedialActive = true;
    status.resetCount = 7;
    status.serviceCallHours = 30;
    status.serialNumber = QStringLiteral("01234");

    applyDefaults(set, status, C2);

    EXPECT_TRUE(set.value(QStringLiteral("lineDisconnectLed")).flag);
    EXPECT_FALSE(set.value(QStringLiteral("failureCall12V")).flag);
    EXPECT_FALSE(status.alarmActive);
    EXPECT_TRUE(status.serviceRedialActive);
    EXPECT_EQ(status.resetCount, 7);
    EXPECT_EQ(status.serviceCallHours, 30);
    EXPECT_EQ(status.serialNumber, QLatin1String("01234"));
}

TEST(CatalogueLookup, FindByCode)
{
    struct Case {
        const char *code;
        CommunicatorModel model;
        QStringList ids;
    };
    const Case cases[] = {
        {"64", C2, {"micDtmfSuppression", "muteServiceCalls", "muteUntilConfirmation", "micOpenDelay"}},
        {"64", C3, {"muteServiceCalls", "muteUntilConfirmation", "micOpenDelay"}},
        {"05", C, {"autoTestAcousticPath"}},
        {"05", C3, {"confirmFirmwareCode"}},
        {"41", C2, {"dialMode"}},
        {"41", C3, {"linePolarityConfirmation"}},
        {"096", C2, {"c2Input1Function", "c2Input2Function"}},
        {"5*", C3, {"bypassFilterTime"}},
        {"097", C2, {"bypassFilterTime"}},
        {"O 0963", C, {"input3Filter"}},
        {"O 0963", C2, {}},
        {"", C3, {}},
        {"99", C, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(idsOf(findByCode(QString::fromLatin1(c.code), c.model)), c.ids)
            << c.code << " " << qPrintable(modelName(c.model));
}

TEST(CatalogueLookup, FindById)
{
    ASSERT_NE(findById(QStringLiteral("ringsBeforeHangUp")), nullptr);
    EXPECT_EQ(findById(QStringLiteral("ringsBeforeHangUp"))->codeFor(C), QLatin1String("58"));
    EXPECT_EQ(findById(QStringLiteral("noSuchParameter")), nullptr);
}

class CatalogueCaption : public ::testing::Test {
protected:
    // A language table with the given file content loaded over the defaults.
    LanguageTable loaded(const QByteArray &content)
    {
        const QString path = dir_.filePath(QStringLiteral("Test.lng"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        LanguageTable texts;
        EXPECT_TRUE(texts.load(path));
        return texts;
    }

    QTemporaryDir dir_;
};

TEST_F(CatalogueCaption, CodeThenCaptionFromTheLanguageFile)
{
    const LanguageTable texts = loaded("[Page7]\r\n7=Klingelzahl\r\n[Page3]\r\n3=INP3 Zaehler\r\n"
                                       "[Page15]\r\n19=EN81-28 Modus\r\n[Page1]\r\n5=\r\n");
    struct Case {
        const char *id;
        CommunicatorModel model;
        const char *expected;
    };
    const Case cases[] = {
        {"ringsBeforeHangUp", C, "58 Klingelzahl"},
        {"confirmCode48", C, "48 INP3 Zaehler"},
        {"confirmCode48", C2, "48 Confirmation ID - disable internal status \"Alarm\""},
        {"newNormMode", C3, "011 EN81-28 Modus"},
        {"newNormMode", C2, "0951 If call failure and alarm status, so LED flashes according to the new standard"},
        // A text emptied by the language file stays empty: the code alone.
        {"hangUpCode", C, "43"},
        {"bypassFilterTime", C3,
         "5* Time of permanent press Pushbutton 1 for dial without Filter (New norm 2017)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(captionOf(row(c.id), c.model, texts), QString::fromUtf8(c.expected)) << c.id;
}

// The language table's built-in texts and the catalogue's captions are two copies
// of the same English text; a difference shows on screen when a language is chosen.
TEST(CatalogueCaptionDefaults, MatchTheLanguageTableDefaults)
{
    const LanguageTable texts;
    auto expectSame = [&](const ParameterDef &r, const TextKey &key, const QString &builtIn) {
        if (!key.isValid())
            return;
        const QString text = texts.text(key.section, key.key);
        if (!text.isEmpty()) {
            EXPECT_EQ(text, builtIn) << qPrintable(r.id) << " [" << qPrintable(key.section) << "] " << key.key;
        }
    };
    for (const ParameterDef &r : catalogue()) {
        for (auto model : allModels) {
            if (!r.models.contains(model))
                continue;
            expectSame(r, forModel(r.captionKey, model), r.captionFor(model));
            expectSame(r, forModel(r.groupKey, model), forModel(r.groupCaption, model));
            const QStringList entries = valuesOf(r, model);
            for (qsizetype i = 0; i < r.entryKeys.size() && i < entries.size(); ++i)
                expectSame(r, r.entryKeys.at(i), entries.at(i));
        }
        expectSame(r, r.hintKey, r.hint);
        expectSame(r, r.unitKey, r.unit);
        for (qsizetype i = 0; i < r.entryHintKeys.size() && i < r.entryHints.size(); ++i)
            expectSame(r, r.entryHintKeys.at(i), r.entryHints.at(i));
        // Every hint and unit word a page shows can be translated.
        EXPECT_TRUE(r.hint.isEmpty() || r.hintKey.isValid()) << qPrintable(r.id);
        EXPECT_TRUE(r.unit.isEmpty() || r.unitKey.isValid()) << qPrintable(r.id);
        EXPECT_EQ(r.entryHintKeys.size(), r.entryHints.size()) << qPrintable(r.id);
    }
}

TEST_F(CatalogueCaption, HintsAndUnitsFromTheLanguageFile)
{
    const LanguageTable texts = loaded("[Main]\r\n1=s\r\n[Hint]\r\n6=Im Optionsmodul gespeichert\r\n"
                                       "[Voice]\r\n19=Mit Meldung 1\r\n");
    EXPECT_EQ(unitOf(row("pauseDuration"), texts), QLatin1String("ms"));
    EXPECT_EQ(unitOf(row("confirmWaitTime"), texts), QLatin1String("s"));
    EXPECT_EQ(hintOf(row("input1Filter"), texts), QLatin1String("Im Optionsmodul gespeichert"));
    EXPECT_EQ(entryHintsOf(row("voiceAnnouncements"), texts).first(), QLatin1String("Mit Meldung 1"));
}

TEST_F(CatalogueCaption, GroupsAndEntriesFromTheLanguageFile)
{
    const LanguageTable texts = loaded("[Page4]\r\n15=3 s Verzoegerung\r\n[Page6]\r\n7=INP3 Wiederholung\r\n");
    EXPECT_EQ(entryTextsOf(row("micOpenDelay"), C, texts).at(1), QLatin1String("3 s Verzoegerung"));
    EXPECT_EQ(entryTextsOf(row("micOpenDelay"), C, texts).at(2),
              QLatin1String("6sec delay open microphone after confirmation"));
    EXPECT_EQ(entryTextsOf(row("ringsBeforeHangUp"), C, texts).first(), QLatin1String("4"));
    EXPECT_EQ(groupCaptionOf(row("counterOrFailureRepeats"), C, texts), QLatin1String("INP3 Wiederholung"));
    EXPECT_EQ(groupCaptionOf(row("counterOrFailureRepeats"), C2, texts), QLatin1String("Repeating of Failure call"));
    EXPECT_EQ(groupCaptionOf(row("hangUpCode"), C, texts), QLatin1String("Hang up from phone"));
}
