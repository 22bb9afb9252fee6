#include "params/Catalogue.h"
#include "params/InputRules.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

constexpr auto C = CommunicatorModel::TkvC;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

const ParameterDef &row(const char *id)
{
    const ParameterDef *found = findById(QString::fromLatin1(id));
    if (!found)
        throw std::runtime_error(std::string("no catalogue row ") + id);
    return *found;
}

QString typed(const char *id, const QString &keys)
{
    QString text;
    for (QChar key : keys)
        if (auto accepted = filterKey(row(id), key))
            text += *accepted;
    return text;
}

} // namespace

TEST(InputRulesKeys, EachFieldKeepsOnlyItsCharacters)
{
    struct Case {
        const char *id;
        const char *keys;
        const char *result;
    };
    const Case cases[] = {
        {"emergencyNumber1", "hkfA", "*#F"},
        {"emergencyNumber1", "HKprPRF0123456789*#", "*#PRPRF0123456789*#"},
        {"serviceNumber", " -+aDx,", ""},
        {"hangUpCode", "5*#a ", "5*"},
        {"output4OnCode", "12#", "12"},
        {"inp3ResetCode", "5*#a", "5*#"},
        {"confirmSerialCode", "66*#a9", "669"},
        {"servicePassword", "61*83", "6183"},
        {"nominalVoltage", "12,5.x", "12,5."},
        {"ioCounterValue", "4a2", "42"},
        {"parallelNumber", "3", ""},
        {"input1Filter", "12", ""},
        {"babyCall", "1", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(typed(c.id, QString::fromLatin1(c.keys)), QLatin1String(c.result)) << c.id << " " << c.keys;
}

TEST(InputRulesKeys, BackspacePassesInTextFieldsOnly)
{
    for (const char *id : {"hangUpCode", "inp3ResetCode", "confirmCallbackCode", "servicePassword",
                           "technicalNumber", "ioInputFilter"})
        EXPECT_EQ(filterKey(row(id), backspaceKey), std::optional<QChar>(backspaceKey)) << id;
    for (const char *id : {"ringsBeforeHangUp", "c2Output1OnTime", "conversationTick"})
        EXPECT_EQ(filterKey(row(id), backspaceKey), std::nullopt) << id;
}

TEST(InputRulesLeave, TwoCharacterCodes)
{
    struct Case {
        const char *id;
        const char *text;
        const char *result;
        bool accepted;
    };
    const Case cases[] = {
        {"hangUpCode", "5*", "*5", true},
        {"hangUpCode", "**", "", true},
        {"hangUpCode", "7", "7", false},
        {"hangUpCode", " 7", " 7", false},
        {"hangUpCode", "", "", true},
        {"hangUpCode", "44", "44", true},
        {"hangUpCode", "*3", "*3", true},
        {"inputStatusQueryCode", "0*", "*0", true},
        {"c2Output2OffCode", "9", "9", false},
        {"output3OffCode", "**", "", true},
        {"inp3ResetCode", "5*", "5*", true},
        {"inp3ResetCode", "#", "#", true},
    };
    for (const Case &c : cases) {
        const FieldCheck check = leaveTextField(row(c.id), QString::fromLatin1(c.text));
        SCOPED_TRACE(std::string(c.id) + " '" + c.text + "'");
        EXPECT_EQ(check.text, QLatin1String(c.result));
        EXPECT_EQ(check.accepted(), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(check.message, QLatin1String("Code must be long 2 digit or blank"));
            EXPECT_EQ(check.title, QLatin1String("Input format"));
            EXPECT_EQ(check.icon, RuleIcon::Information);
        }
    }
}

TEST(InputRulesLeave, PasswordNeedsFourDigits)
{
    for (const char *text : {"123", "", "12345 "}) {
        const FieldCheck check = leaveTextField(row("servicePassword"), QString::fromLatin1(text));
        EXPECT_EQ(check.message, QLatin1String("Password must have 4 digit")) << text;
        EXPECT_EQ(check.title, QLatin1String("Password"));
        EXPECT_EQ(check.icon, RuleIcon::Warning);
        EXPECT_EQ(check.text, QLatin1String(text));
    }
    EXPECT_TRUE(leaveTextField(row("servicePassword"), QStringLiteral("6183")).accepted());
    // Confirmation codes may be blank or short.
    EXPECT_TRUE(leaveTextField(row("confirmSerialCode"), QStringLiteral("6")).accepted());
}

TEST(InputRulesLeave, TextNumbersAreBroughtIntoRange)
{
    const QString sep = QLocale().decimalPoint();
    struct Case {
        const char *id;
        const char *text;
        QString result;
    };
    const Case cases[] = {
        {"nominalVoltage", "12,5", "12" + sep + "5"},
        {"nominalVoltage", "12.5", "12" + sep + "5"},
        {"failureVoltage", "30", "25" + sep + "5"},
        {"undervoltageLevel", "", "0" + sep + "0"},
        {"ioInputFilter", "07", QStringLiteral("7")},
        {"ioCounterValue", "", QStringLiteral("0")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(leaveTextField(row(c.id), QString::fromLatin1(c.text)).text, c.result) << c.id << " " << c.text;
}

TEST(InputRulesChoice, FallbackWhenLeftWithoutSelection)
{
    struct Case {
        const char *id;
        CommunicatorModel model;
        const char *entry;
    };
    const Case cases[] = {
        {"ringsBeforeHangUp", C, "12"},   {"parallelNumber", C, "1"},       {"parallelAnswerWait", C2, "3.5"},
        {"lineSignalization", C, "Type 1"}, {"serviceCallRepeat", C, "4"},  {"emergencyRepeats", C3, "1"},
        {"serviceRepeats", C, "0"},       {"maxCallDuration", C, "2"},      {"pushbutton2Time", C3, "1"},
        {"bypassFilterTime", C2, "30"},   {"bypassFilterTime", C3, "3"},    {"dtmfLevel", C, "-10"},
        {"signallingToneLevel", C2, "-10"}, {"confidenceLevel", C, "-9"},   {"busyToneCount", C, "4"},
        {"micVolume", C3, "8"},           {"noiseOffset", C, "240"},        {"dcMask", C, "4.5"},
        {"lineLossCompensation", C, "off"}, {"input1Filter", C, "11"},      {"input3Filter", C, "10"},
        {"c2Input2Filter", C2, "22"},     {"c2Output1OnTime", C2, "0"},     {"inp3StartCount", C, "100000"},
        {"liftStartTime", C, "4"},
    };
    for (const Case &c : cases) {
        const ParameterDef &def = row(c.id);
        for (int index : {-1, int(valuesOf(def, c.model).size())}) {
            const std::optional<int> selected = choiceOnLeave(def, c.model, index);
            ASSERT_TRUE(selected.has_value()) << c.id;
            EXPECT_EQ(valuesOf(def, c.model).at(*selected), QLatin1String(c.entry)) << c.id;
        }
        EXPECT_EQ(choiceOnLeave(def, c.model, 0), std::nullopt) << c.id;
    }
    EXPECT_EQ(choiceOnLeave(row("confirmPrefix"), C, -1), std::nullopt);
    EXPECT_EQ(choiceOnLeave(row("ioInputFunction"), C3, -1), std::nullopt);
}

TEST(InputRulesChoice, UnitListFallsBackToSeconds)
{
    EXPECT_EQ(unitOnLeave(QStringLiteral("se")), std::optional<int>(0));
    EXPECT_EQ(unitOnLeave(QString()), std::optional<int>(0));
    EXPECT_EQ(unitOnLeave(QStringLiteral("min")), std::nullopt);
    EXPECT_EQ(unitOnLeave(QStringLiteral("sec")), std::nullopt);
}

TEST(InputRulesLinked, LiftAddressMarkFollowsFirstAnnouncement)
{
    const ParameterDef &voice = row("voiceAnnouncements");
    quint32 bits = switchFlagSetEntry(voice, 0, 1, true);
    EXPECT_EQ(bits, 0x03u);
    bits = switchFlagSetEntry(voice, bits, 3, true);
    EXPECT_EQ(bits, 0x0Bu);
    EXPECT_EQ(switchFlagSetEntry(voice, bits, 0, false), bits);  // the mark itself is not editable
    EXPECT_EQ(switchFlagSetEntry(voice, bits, 1, false), 0x08u);
    EXPECT_EQ(allFlagSetEntries(voice), 0xFFu);

    const ParameterDef &talker = row("talkerMessages");
    EXPECT_EQ(switchFlagSetEntry(talker, 0, 0, true), 0x02u);  // message 1 is bit 1
    EXPECT_EQ(switchFlagSetEntry(talker, 0xFE, 6, false), 0x7Eu);
    EXPECT_EQ(allFlagSetEntries(talker), 0xFEu);
}

TEST(InputRulesLinked, EditableDependsOnOtherValues)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, C2);
    set.set(QStringLiteral("newNormMode"), ParameterValue::ofFlag(false));
    EXPECT_FALSE(isEditable(row("bypassFilterTime"), C2, set));
    EXPECT_TRUE(isEditable(row("bypassFilterTime"), C3, set));
    // The Failure page's first option and the Basic page's box are the same value.
    set.set(QStringLiteral("newNormMode"), ParameterValue::ofFlag(true));
    EXPECT_TRUE(isEditable(row("bypassFilterTime"), C2, set));

    EXPECT_TRUE(isEditable(row("c2Output1OnCode"), C2, set));
    set.set(QStringLiteral("failureCloseRelay1"), ParameterValue::ofFlag(true));
    for (const char *id : {"c2Output1OnCode", "c2Output1OffCode", "c2Output1OnTime"})
        EXPECT_FALSE(isEditable(row(id), C2, set)) << id;
    EXPECT_TRUE(isEditable(row("c2Output2OnCode"), C2, set));
}

TEST(InputRulesLinked, ConfirmPrefixLabel)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, C);
    EXPECT_EQ(confirmPrefixLabel(set).text, QLatin1String("*"));
    EXPECT_EQ(confirmPrefixLabel(set).pointSize, 12);
    set.set(QStringLiteral("confirmPrefix"), ParameterValue::choice(11));
    EXPECT_EQ(confirmPrefixLabel(set).text, QLatin1String("#"));
    EXPECT_EQ(confirmPrefixLabel(set).pointSize, 10);
}

TEST(InputRulesLinked, IoCodesShowTheSelectedNumber)
{
    EXPECT_EQ(ioCodeForNumber(QStringLiteral("041"), 3), QLatin1String("043"));
    EXPECT_EQ(ioCodeForNumber(QStringLiteral("081"), 8), QLatin1String("088"));
}
