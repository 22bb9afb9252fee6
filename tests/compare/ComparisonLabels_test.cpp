#include "app/LanguageTable.h"
#include "compare/ComparisonLabels.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using M = CommunicatorModel;

// text blank-padded to width; the tables give texts already cut where the label cuts.
QString field(const QString &text, int width)
{
    EXPECT_LE(text.size(), width) << qPrintable(text);
    return text + QString(width - text.size(), QLatin1Char(' '));
}

struct LabelCase {
    M model;
    int byte;
    const char *text;     // the label without its suffix, as cut
    const char *suffix;
};

QString expectedLabel(const LabelCase &c)
{
    const QString suffix = QString::fromUtf8(c.suffix);
    return field(QString::fromUtf8(c.text), comparisonLabelWidth - suffix.size()) + suffix;
}

void PrintTo(const LabelCase &c, std::ostream *out)
{
    *out << modelName(c.model).toStdString() << " byte " << c.byte;
}

class ReadingComparisonLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ReadingComparisonLabels, NamesTheByteWithTheCaptionShownForIt)
{
    const LabelCase &c = GetParam();
    const LanguageTable texts;
    const QStringList labels = comparisonLabels(c.model, texts);
    ASSERT_EQ(labels.size(), 256);
    EXPECT_EQ(labels.at(c.byte - 1).toStdString(), expectedLabel(c).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    ReadingComparisonTable, ReadingComparisonLabels,
    ::testing::Values(
        // Basic parameters and the two counters.
        LabelCase{M::TkvC, 1, "41 Dial", ""},
        LabelCase{M::TkvC3, 1, "41 Dial", ""},  // a row the model does not show keeps its caption
        LabelCase{M::TkvC2, 2, "42 Prolong conversation", ""},
        LabelCase{M::TkvC, 3, "43 Hang up by code from telephone", ""},
        LabelCase{M::TkvC, 4, "44 Password for access to programming from a pho", " 1"},
        LabelCase{M::TkvC3, 7, "44 Password for access to programming from a pho", " 4"},
        LabelCase{M::TkvC2, 8, "4* Konstant time detection (waiting time t) for DT", ""},
        LabelCase{M::TkvC, 11, "6* Start delay for any PBX (Siemens)", ""},
        LabelCase{M::TkvC, 12, "Time of service call:", " h"},
        LabelCase{M::TkvC2, 13, "Time of service call:", " d"},
        LabelCase{M::TkvC, 14, "Reset", " 1"},
        LabelCase{M::TkvC3, 15, "Reset", " 2"},
        LabelCase{M::TkvC, 16, "CHK-EEPROM", ""},
        LabelCase{M::TkvC3, 16, "CHK-EEPROM", ""},
        // Confirmation codes: four bytes each on TKV-C, two on the newer models.
        LabelCase{M::TkvC, 17, "47 Confirmation ID - return serial number", " 1"},
        LabelCase{M::TkvC, 20, "47 Confirmation ID - return serial number", " 4"},
        LabelCase{M::TkvC, 21, "48 Confirmation ID - return counter of INP3 (Opt", " 1"},
        LabelCase{M::TkvC, 28, "49 Confirmation ID - start call back as Emergenc", " 4"},
        LabelCase{M::TkvC, 29, "40 Confirmation ID - return last two dialled tel", " 1"},
        LabelCase{M::TkvC, 30, "40 Confirmation ID - return last two dialled tel", " 2"},
        LabelCase{M::TkvC2, 18, "47 Confirmation ID - return serial number", " 2"},
        LabelCase{M::TkvC2, 19, "48 Confirmation ID - disable internal status \"Al", " 1"},
        LabelCase{M::TkvC3, 24, "40 Confirmation ID - return last two dialled tel", " 2"},
        LabelCase{M::TkvC2, 25, "097 Time of permanent press Pushbutton 1 for dial ", ""},
        LabelCase{M::TkvC3, 25, "5* Time of permanent press Pushbutton 1 for dial w", ""},
        LabelCase{M::TkvC2, 26, "-", ""},
        LabelCase{M::TkvC3, 32, "-", ""},
        // System, time and dial parameters.
        LabelCase{M::TkvC, 33, "61 Other tones signalization", ""},
        LabelCase{M::TkvC, 36, "51 Maximum call duration", ""},
        LabelCase{M::TkvC2, 39, "500 Frequency of tone", ""},
        LabelCase{M::TkvC3, 44, "505 Duration of the Flash", ""},
        LabelCase{M::TkvC, 48, "509 Confidence tone level", ""},
        LabelCase{M::TkvC, 54, "58 Number of rings befor hangup or redial (outgoin", ""},
        // Voice module and I/O codes differ by model.
        LabelCase{M::TkvC, 55, "01 Conection Talker for voice message", ""},
        LabelCase{M::TkvC2, 55, "01 Talker module messages", ""},
        LabelCase{M::TkvC, 56, "034 Code for switch on the output", ""},
        LabelCase{M::TkvC2, 56, "095 Failures", ""},
        LabelCase{M::TkvC, 57, "031 Code for switch on the output", ""},
        LabelCase{M::TkvC, 61, "033 Code for switch on the output", ""},
        LabelCase{M::TkvC, 62, "098 Code for reset the counter of starts", ""},
        LabelCase{M::TkvC, 64, "044 Code for switch off the output", ""},
        LabelCase{M::TkvC2, 59, "041 Code for switch off the output", ""},
        LabelCase{M::TkvC2, 61, "091 Time switch on the otput (0=permanent state)", ""},
        LabelCase{M::TkvC3, 63, "08 Code to query the status of the inputs, answer ", ""},
        LabelCase{M::TkvC2, 64, "093 Filter Input 1 (time delay for change)", ""},
        // Lift parameters and repeats.
        LabelCase{M::TkvC, 65, "34 Polarity of blocking", ""},
        LabelCase{M::TkvC, 71, "37 Number of repetition cycles of INP3 calls", ""},
        LabelCase{M::TkvC2, 71, "37 Number of repetition cycles of Failure calls", ""},
        LabelCase{M::TkvC, 73, "39 Polarity of Pushbutton 1 (up/under the car", ""},
        LabelCase{M::TkvC, 74, "07 Confirmation ID - start call back Service cal", " 1"},
        LabelCase{M::TkvC2, 75, "07 Confirmation ID - start call back Service cal", " 2"},
        LabelCase{M::TkvC, 76, "043 Code for switch off the output", ""},
        LabelCase{M::TkvC2, 76, "094 Filter Input 2 (time delay for change)", ""},
        LabelCase{M::TkvC, 77, "4# First character of Confirmation code", ""},
        LabelCase{M::TkvC, 78, "Version:", ""},
        LabelCase{M::TkvC, 79, "Serial number:", " 1"},
        LabelCase{M::TkvC3, 80, "Serial number:", " 2"},
        // Telephone numbers: group / number, then the character position.
        LabelCase{M::TkvC, 81, "Emergency call/11 Telephone number", "/01"},
        LabelCase{M::TkvC, 96, "Emergency call/11 Telephone number", "/16"},
        LabelCase{M::TkvC2, 97, "Emergency call/12 Telephone number", "/01"},
        LabelCase{M::TkvC3, 176, "Emergency call/16 Telephone number", "/16"},
        LabelCase{M::TkvC, 177, "Service call/21 Telephone number", "/01"},
        LabelCase{M::TkvC, 193, "Technical call/22 Telephone number", "/01"},
        LabelCase{M::TkvC, 209, "Call from counter INP3/23 Telephone number", "/01"},
        LabelCase{M::TkvC2, 224, "Failure Call/23 Telephone number", "/16"},
        LabelCase{M::TkvC, 225, "Last call numbers -1", "/01/02"},
        LabelCase{M::TkvC, 232, "Last call numbers -1", "/15/16"},
        LabelCase{M::TkvC3, 233, "Last call numbers -2", "/01/02"},
        LabelCase{M::TkvC, 240, "Last call numbers -2", "/15/16"},
        // Hands-free settings and the tail.
        LabelCase{M::TkvC, 241, "71 Receive volume (speaker volume)", ""},
        LabelCase{M::TkvC2, 243, "73 Level ratio MIC / SPK (threshold)", ""},
        LabelCase{M::TkvC, 249, "79 Line loss compenzation", ""},
        LabelCase{M::TkvC, 250, "70 Level of signalling tone", ""},
        LabelCase{M::TkvC, 251, "7* Long time for HF initialization (short=50ms, lo", ""},
        LabelCase{M::TkvC, 252, "02 Time before dial with control of Filtering", ""},
        LabelCase{M::TkvC3, 252, "5# Time before dial with control of Filtering", ""},
        LabelCase{M::TkvC, 253, "05 Automatic test of acoustic path + 06 Automatic ", ""},
        LabelCase{M::TkvC3, 253, "05 Automatic test of acoustic path + 06 Automatic ", ""},
        LabelCase{M::TkvC2, 254, "64 Suppression receive DTMF from microphone", ""},
        LabelCase{M::TkvC, 255, "65 Baby call function", ""},
        LabelCase{M::TkvC2, 256, "CHK-FW", ""}));

TEST(ReadingComparisonLabelTable, EveryModelHas256LabelsOf50CharactersNoneBlank)
{
    const LanguageTable texts;
    for (M model : {M::TkvC, M::TkvC2, M::TkvC3}) {
        const QStringList labels = comparisonLabels(model, texts);
        ASSERT_EQ(labels.size(), 256) << qPrintable(modelName(model));
        for (int byte = 1; byte <= 256; ++byte) {
            const QString &label = labels.at(byte - 1);
            EXPECT_EQ(label.size(), comparisonLabelWidth) << qPrintable(modelName(model)) << " byte " << byte;
            EXPECT_FALSE(label.trimmed().isEmpty()) << qPrintable(modelName(model)) << " byte " << byte;
        }
    }
}

// The labels follow the loaded language: captions, group captions and the side panel
// texts come from the file, the programming codes and suffixes stay.
TEST(ReadingComparisonLabelTable, FollowTheLoadedLanguage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("German.lng"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Info]\r\n13=Fassung\r\n"
               "[Menu]\r\n29=R\xc3\xbc" "cksetzungen\r\n"
               "[Main]\r\n12=Seriennummer:\r\n15=Letzte Rufnummern\r\n"
               "[Page1]\r\n5=Auflegen per Code vom Telefon\r\n"
               "[Page3]\r\n13=Quittung - Alarmzustand aufheben und den Zustand im Speicher l\xc3\xb6schen\r\n"
               "[Page10]\r\n1=Notruf\r\n2=Rufnummer\r\n"
               "[Page15]\r\n5=St\xc3\xb6rungen\r\n");
    file.close();
    LanguageTable texts;
    ASSERT_TRUE(texts.load(path));

    const struct {
        M model;
        int byte;
        const char *text;
        const char *suffix;
    } cases[] = {
        {M::TkvC, 3, "43 Auflegen per Code vom Telefon", ""},
        {M::TkvC2, 14, "R\xc3\xbc" "cksetzungen", " 1"},
        {M::TkvC2, 19, "48 Quittung - Alarmzustand aufheben und den Zust", " 1"},
        {M::TkvC, 21, "48 Confirmation ID - return counter of INP3 (Opt", " 1"},  // TKV-C has its own text
        {M::TkvC2, 56, "095 St\xc3\xb6rungen", ""},
        {M::TkvC, 78, "Fassung:", ""},
        {M::TkvC3, 80, "Seriennummer:", " 2"},
        {M::TkvC, 81, "Notruf/11 Rufnummer", "/01"},
        {M::TkvC, 177, "Service call/21 Rufnummer", "/01"},
        {M::TkvC2, 209, "Failure Call/23 Telephone number", "/01"},  // its own text key
        {M::TkvC3, 233, "Letzte Rufnummern -2", "/01/02"},
    };
    for (const auto &c : cases) {
        const QStringList labels = comparisonLabels(c.model, texts);
        EXPECT_EQ(labels.at(c.byte - 1).toStdString(), expectedLabel({c.model, c.byte, c.text, c.suffix}).toStdString())
            << qPrintable(modelName(c.model)) << " byte " << c.byte;
    }
}

TEST(ReadingComparisonImportantBytes, LeaveOutCountersVersionSerialAndLastNumbers)
{
    const struct {
        int byte;
        bool important;
    } cases[] = {
        {1, true},    {11, true},   {12, false},  {13, false},  {14, false}, {15, false}, {16, false},
        {17, true},   {77, true},   {78, false},  {79, false},  {80, false}, {81, true},  {224, true},
        {225, false}, {232, false}, {240, false}, {241, true},  {253, true}, {255, true}, {256, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isImportantByte(c.byte), c.important) << "byte " << c.byte;
}

} // namespace
