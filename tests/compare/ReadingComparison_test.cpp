#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "compare/ReadingComparison.h"
#include "params/Catalogue.h"
#include "protocol/AlarmImageCodec.h"
#include "protocol/ImageCodecTestSupport.h"
#include "support/RecordingMessagePresenter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using M = CommunicatorModel;

const QString doubleRule = QString(91, QLatin1Char('='));
const QString singleRule = QStringLiteral("-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-*-");
const QString logHeader = QStringLiteral("Parameter                                           < Orig. /  > New");

// A sound image: every byte 0 but the marker.
QByteArray blankImage()
{
    QByteArray image(alarmImageLength, '\0');
    setImageByte(image, 16, imageMarker);
    return image;
}

class ReadingComparisonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(singleRule.size(), 91);
        ASSERT_EQ(logHeader, QStringLiteral("Parameter").leftJustified(50) + QStringLiteral("  < Orig. /  > New"));
        log.begin(QStringLiteral("Ostrakel Configurator V1.00"));
        headerLines = loggedLines().size();
    }

    // The lines written after the log's own start header.
    QStringList loggedLines() const
    {
        QFile file(log.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines.mid(headerLines);
    }

    QTemporaryDir dir;
    RecordingMessagePresenter messages;
    CommLog log{dir.filePath(QStringLiteral("LOG_comm_file.TXT")), &messages};
    qsizetype headerLines = 0;
    LanguageTable texts;
    QByteArray previous = blankImage();
    QByteArray next = blankImage();
};

TEST_F(ReadingComparisonTest, NormalisationTakesTheOffsetOffNumbersAndKeepsTwoStatusBits)
{
    const struct {
        int position;
        int before;
        int after;
    } cases[] = {
        {81, 112, 0},   {81, 127, 15},  {81, 240, 128}, {81, 255, 143}, {81, 111, 111}, {81, 128, 128},
        {81, 239, 239}, {97, 117, 5},   {209, 127, 15}, {177, 250, 138}, {82, 127, 127}, {225, 127, 127},
        {253, 65, 64},  {253, 100, 64}, {253, 255, 192}, {253, 63, 0},  {253, 128, 128}, {252, 255, 255},
    };
    for (const auto &c : cases) {
        QByteArray image = blankImage();
        setImageByte(image, c.position, c.before);
        QByteArray expected = blankImage();
        setImageByte(expected, c.position, c.after);
        normaliseForComparison(image);
        EXPECT_EQ(image, expected) << "byte " << c.position << " value " << c.before;
    }
}

TEST_F(ReadingComparisonTest, IdenticalImagesListOnlyTheHeader)
{
    ReadingComparison comparison(previous, next, M::TkvC2, texts);
    comparison.show(&log);
    comparison.close(&log);

    EXPECT_EQ(comparison.list(), QStringList{comparison.headerRow()});
    EXPECT_EQ(loggedLines(), QStringList({doubleRule, "Begin compare - result:", singleRule, logHeader, singleRule,
                                          "End of Compare", doubleRule}));
}

TEST_F(ReadingComparisonTest, DifferencesVanishWhenOnlyTheNormalisedPartsDiffer)
{
    setImageByte(previous, 81, 117);  // "5" with the offset
    setImageByte(next, 81, 5);
    setImageByte(previous, 97, 255);  // empty, confirming
    setImageByte(next, 97, 143);
    setImageByte(previous, 253, 65);
    setImageByte(next, 253, 100);

    ReadingComparison comparison(previous, next, M::TkvC, texts);
    comparison.show(&log);

    EXPECT_EQ(comparison.list(), QStringList{comparison.headerRow()});
    // Both images keep the normalised bytes.
    EXPECT_EQ(imageByte(previous, 81), 5);
    EXPECT_EQ(imageByte(previous, 97), 143);
    EXPECT_EQ(imageByte(previous, 253), 64);
    EXPECT_EQ(imageByte(next, 253), 64);
}

TEST_F(ReadingComparisonTest, ListsAndLogsEveryDifferenceInByteOrder)
{
    setImageByte(previous, 255, 0);
    setImageByte(next, 255, 1);
    setImageByte(previous, 3, 0x44);
    setImageByte(next, 3, 0x55);
    setImageByte(previous, 80, 1);
    setImageByte(next, 80, 255);
    setImageByte(next, 81, 2);

    ReadingComparison comparison(previous, next, M::TkvC, texts);
    comparison.show(&log);

    const QString hangUpRow = QStringLiteral("43 Hang up by code from telephone").leftJustified(50)
                              + QStringLiteral("  <    68 /  >   85");
    const QStringList &labels = comparison.labels();
    const QStringList rows{hangUpRow, labels.at(79) + "  <     1 /  >  255", labels.at(80) + "  <     0 /  >    2",
                           labels.at(254) + "  <     0 /  >    1"};
    EXPECT_EQ(comparison.list(), QStringList{comparison.headerRow()} + rows);
    EXPECT_EQ(loggedLines(),
              QStringList({doubleRule, "Begin compare - result:", singleRule, logHeader}) + rows + QStringList{singleRule});
}

TEST_F(ReadingComparisonTest, ImportantFilterHidesTheSerialNumberButNotTheFirstNumber)
{
    setImageByte(previous, 80, 1);
    setImageByte(next, 80, 2);
    setImageByte(previous, 81, 1);
    setImageByte(next, 81, 3);

    ReadingComparison comparison(previous, next, M::TkvC3, texts);
    comparison.show(nullptr);
    const QString serialRow = comparison.labels().at(79) + "  <     1 /  >    2";
    const QString numberRow = comparison.labels().at(80) + "  <     1 /  >    3";

    comparison.filterImportant(&log);
    EXPECT_EQ(comparison.list(), QStringList({comparison.headerRow(), numberRow}));
    comparison.filterAll(&log);
    EXPECT_EQ(comparison.list(), QStringList({comparison.headerRow(), serialRow, numberRow}));
    EXPECT_EQ(comparison.rows(true), QStringList{numberRow});

    EXPECT_EQ(loggedLines(), QStringList({singleRule, "Begin compare, FILTER IMPORTANT - result:", logHeader, numberRow,
                                          singleRule, singleRule, "Begin compare, FILTER ALL - result:", logHeader,
                                          serialRow, numberRow, singleRule}));
}

TEST_F(ReadingComparisonTest, ListHeaderFollowsTheLanguage)
{
    const QString path = dir.filePath(QStringLiteral("German.lng"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Compare]\r\n7=Parameter\r\n8=Alt\r\n9=Neu\r\n[Page1]\r\n5=Auflegen per Code\r\n");
    file.close();
    ASSERT_TRUE(texts.load(path));
    setImageByte(next, 3, 0x12);

    ReadingComparison comparison(previous, next, M::TkvC, texts);
    comparison.show(&log);

    const QString row = QStringLiteral("43 Auflegen per Code").leftJustified(50) + "  <     0 /  >   18";
    EXPECT_EQ(comparison.list(),
              QStringList({QStringLiteral("Parameter").leftJustified(50) + "  <   Alt /  >   Neu", row}));
    EXPECT_EQ(loggedLines(), QStringList({doubleRule, "Begin compare - result:", singleRule, logHeader, row, singleRule}));
}

enum class Decision { UseNew, ReturnPrevious };

void PrintTo(Decision decision, std::ostream *out)
{
    *out << (decision == Decision::UseNew ? "use new reading" : "return previous");
}

class ReadingComparisonDecision : public ReadingComparisonTest, public ::testing::WithParamInterface<Decision> {};

// The reading changed two parameters and was decoded into the values shown, as the
// remote reading leaves them; each decision makes both images and the values agree.
TEST_P(ReadingComparisonDecision, DecodesTheChosenImageAndMakesBothImagesEqual)
{
    const Decision decision = GetParam();
    ModelDefaults shown = defaultsOf(M::TkvC2);
    previous = baselineAlarmImage(shown.set, shown.status, M::TkvC2);
    next = previous;
    setImageByte(next, 3, 0x21);  // hang-up code "12"
    setImageByte(next, 9, 1);     // parallel mode on
    QByteArray working = next;
    ASSERT_TRUE(decodeAlarmImage(next, M::TkvC2, shown.set, shown.status).ok());
    ASSERT_EQ(shown.set.value("hangUpCode").text, "12");

    ReadingComparison comparison(previous, next, M::TkvC2, texts);
    comparison.show(nullptr);
    ASSERT_EQ(comparison.rows(false).size(), 2);

    const QByteArray chosen = decision == Decision::UseNew ? next : previous;
    const ImageDecodeResult result = decision == Decision::UseNew
                                         ? comparison.useNewReading(working, shown.set, shown.status, &log)
                                         : comparison.returnToPrevious(working, shown.set, shown.status, &log);

    EXPECT_TRUE(result.ok());
    EXPECT_EQ(working, chosen);
    EXPECT_EQ(previous, chosen);
    EXPECT_EQ(next, chosen);
    const bool usedNew = decision == Decision::UseNew;
    EXPECT_EQ(shown.set.value("hangUpCode").text, usedNew ? "12" : "44");
    EXPECT_EQ(shown.set.value("parallelMode").flag, usedNew);
    EXPECT_TRUE(comparison.isClosed());
    const QString decisionLine = usedNew ? "Use new reading parameters" : "Return previous parameters";
    EXPECT_EQ(loggedLines(), QStringList({decisionLine, "End of Compare", doubleRule}));

    // Closing again (the window's close event) writes nothing more.
    comparison.close(&log);
    EXPECT_EQ(loggedLines().size(), 3);
    // A second comparison finds nothing until the next reading.
    EXPECT_TRUE(ReadingComparison(previous, next, M::TkvC2, texts).rows(false).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(ReadingComparisonDecisions, ReadingComparisonDecision, ::testing::Values(Decision::UseNew, Decision::ReturnPrevious));

// An image that cannot be decoded would put the defaults in place of the values
// shown: the decision is refused and nothing changes.
TEST_F(ReadingComparisonTest, DecisionOnAnUndecodableImageChangesNothing)
{
    const ModelDefaults defaults = defaultsOf(M::TkvC);
    const struct {
        const char *name;
        QByteArray image;
        ImageFailure failure;
    } cases[] = {
        {"no marker", QByteArray(alarmImageLength, '\x01'), ImageFailure::Memory},
        {"short", blankImage().left(200), ImageFailure::Length},
    };
    for (const auto &c : cases) {
        QByteArray chosen = c.image;
        QByteArray other = blankImage();
        setImageByte(other, 3, 0x21);
        QByteArray working = other;
        ParameterSet set = defaults.set;
        set.set("hangUpCode", ParameterValue::ofText("12"));
        ParameterStatus status = defaults.status;
        status.serialNumber = "12345";
        const ParameterSet setBefore = set;
        QByteArray chosenNormalised = chosen;
        normaliseForComparison(chosenNormalised);

        ReadingComparison useNew(other, chosen, M::TkvC, texts);
        EXPECT_EQ(useNew.useNewReading(working, set, status, nullptr).failure, c.failure) << c.name;
        ReadingComparison returnPrevious(chosen, other, M::TkvC, texts);
        EXPECT_EQ(returnPrevious.returnToPrevious(working, set, status, &log).failure, c.failure) << c.name;

        EXPECT_EQ(set, setBefore) << c.name;
        EXPECT_EQ(status.serialNumber, "12345") << c.name;
        EXPECT_EQ(working, other) << c.name;
        EXPECT_EQ(chosen, chosenNormalised) << c.name;
        EXPECT_FALSE(useNew.isClosed()) << c.name;
        EXPECT_FALSE(returnPrevious.isClosed()) << c.name;
    }
    EXPECT_EQ(loggedLines(), QStringList({"Return previous parameters", "Return previous parameters"}));
}

TEST_F(ReadingComparisonTest, CancelKeepsTheNormalisedImagesAndLogsTheEndOnce)
{
    setImageByte(previous, 81, 0x71);
    setImageByte(next, 81, 0xF2);
    setImageByte(next, 253, 0x41);

    ReadingComparison comparison(previous, next, M::TkvC, texts);
    comparison.show(nullptr);
    comparison.close(&log);
    comparison.close(&log);

    EXPECT_EQ(imageByte(previous, 81), 1);
    EXPECT_EQ(imageByte(next, 81), 0x82);
    EXPECT_EQ(imageByte(next, 253), 0x40);
    EXPECT_EQ(loggedLines(), QStringList({"End of Compare", doubleRule}));
}

} // namespace
