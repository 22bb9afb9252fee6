#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "protocol/DeviceInfo.h"
#include "report/ReportGeometry.h"
#include "report/ReportPainter.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int dpi = 600;

struct ModelCase {
    const char *name;
    CommunicatorModel model;
    QStringList headings;  // in print order
    // Caption and value that stand on one line of the report.
    QList<std::pair<QString, QString>> lines;
    QStringList absent;  // captions of rows the model's pages hide
};

const QStringList commonHeadings{
    "Basic parameters", "Parallel mode",   "Confirm codes",      "System parameters", "Lift parameters",
    "Repeat of call",   "Time parameters", "Dial parameters",    "HandsFree settings", "Telephone numbers",
};

const QList<std::pair<QString, QString>> commonLines{
    {"43 Hang up by code from telephone", "44"},
    {"44 Password for access to programming from a phone", "# 6183"},
    {"62 Pickup and hangup line signalization", "Type 1"},
    {"61 Other tones signalization", "+"},
    {"65 Baby call function", "-"},
    {"51 Maximum call duration", "4 min"},
    {"503 Duration of the DTMF tone", "100 ms"},
    // The telephone numbers: group, "Confirming" column, one line per number.
    {"Emergency call", "Confirming"},
    {"11 Telephone number", "-"},
    {"16 Telephone number", "-"},
    {"21 Telephone number", "-"},
};

QList<std::pair<QString, QString>> with(QList<std::pair<QString, QString>> lines)
{
    return commonLines + lines;
}

const ModelCase modelCases[] = {
    {"TkvC", CommunicatorModel::TkvC,
     commonHeadings + QStringList{"Option module", "Inputs 1,2,4-8", "Outputs 1,2,4", "Input 3 / Output 3"},
     with({{"Model TKV-C", "State Service call inactive"},
           {"41 Dial", "Tone (DTMF)"},
           // Captions and the captions of chosen options are cut to 55 characters on A4.
           {"4* Konstant time detection (waiting time t) for DTMF an", "2.5 sec"},
           {"34 Polarity of blocking", "Blocking of dialing from Pushbutton 1 is done by shorti"},
           {"Call from counter INP3", "Confirming"},
           {"O 0961 Filter Input 1 (time delay for change)", "10 sec"},
           {"O 097 Number of starts the lift to call - INP3", "100000"}}),
     {"EN8128 mode", "0951 If call failure", "Failure Call", "016 Nominal voltage"}},
    {"TkvC2", CommunicatorModel::TkvC2,
     commonHeadings + QStringList{"Option module", "Inputs", "Outputs", "Failure"},
     with({{"Model TKV-C2", "State Alarm inactive / Service call inactive"},
           {"4* Konstant time detection (waiting time t) for DTMF an", "3.5 sec"},
           {"0951 If call failure and alarm status, so LED flashes a", "+"},
           {"Failure Call", "Confirming"},
           {"23 Telephone number", "-"},
           {"37 Number of repetition cycles of Failure calls", "1"},
           {"1 - H1+H0 Call is confirmed - lift location message", "-"},
           {"093 Filter Input 1 (time delay for change)", "20 sec"}}),
     {"01 Conection Talker for voice message", "EN8128 mode", "Call from counter INP3", "016 Nominal voltage"}},
    {"TkvC3", CommunicatorModel::TkvC3,
     commonHeadings + QStringList{"Tests and Power", "Input / Output", "Voice messages", "Device"},
     with({{"Model TKV-C3", "State Alarm inactive / Service call inactive"},
           {"4* Konstant time detection (waiting time t) for DTMF an", "3.5 sec"},
           {"011 EN8128 mode", "+"},
           {"019 Acoustic test", "-"},
           {"0101 \"The location of the elevator is\"", "-"},
           {"081 Function of input", "Disabled"},
           {"Firmware version", "1.23"},
           {"Model", "TKV-C3"},
           {"Message Flash", "+"}}),
     // The dial mode is fixed, the parallel-mode box gives way to the DIP switch,
     // the output on-time belongs to input functions other than the default.
     {"41 Dial", "45 Activate parallel mode", "Output switched ON for", "Call from counter INP3", "O 0961"}},
};

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    // The PDF keeps the font's ligatures ("fi" as one glyph); compare plain letters.
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

class ReportPdfTest : public ::testing::TestWithParam<ModelCase> {
protected:
    void SetUp() override
    {
        pdftotext_ = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext_.isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
        ASSERT_TRUE(folder_.isValid());
        device_.version = QStringLiteral("1.23");
        device_.serialNumber = QStringLiteral("01234");
        device_.supplyVoltageText = QStringLiteral("12,3 ");
        device_.secondVoltageText = QStringLiteral("13,1 ");
        device_.modelCode = 3;
        device_.clientCode = 1;
        device_.featureFlags = C3Feature::All;
        applyDefaults(parameters_, status_, GetParam().model);
    }

    // The parameters printed to a PDF at 600 dpi on A4, measured from the paper's edge.
    QString print()
    {
        const ReportInput input{parameters_, status_, device_, texts_, GetParam().model, C3Feature::All};
        const QString path = folder_.filePath(QStringLiteral("report.pdf"));
        QPdfWriter writer(path);
        writer.setResolution(dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        EXPECT_TRUE(paintReport(buildReport(input, QDate(2024, 3, 5)), writer));
        geometry_ = reportGeometry(writer.logicalDpiX(), writer.width(), writer.height());
        return path;
    }

    QString pdftotext_;
    QTemporaryDir folder_;
    LanguageTable texts_;
    ParameterSet parameters_;
    ParameterStatus status_;
    DeviceInfo device_;
    ReportGeometry geometry_;
};

TEST_P(ReportPdfTest, DefaultsOfTheModel)
{
    const ModelCase &c = GetParam();
    const QString pdf = print();
    const QString text = run(pdftotext_, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_FALSE(text.isEmpty());
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (qEnvironmentVariableIsSet("OSTRAKEL_SHOW_REPORT"))
        std::cout << text.toStdString();

    EXPECT_TRUE(text.contains(QStringLiteral("Print Settings of Lift intercom"))) << "title";
    EXPECT_TRUE(text.contains(QStringLiteral("Page - 1 -")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("FW: 1.23 +SNo: 01234"))));

    // Every heading on a line of its own, in print order.
    qsizetype at = 0;
    for (const QString &heading : c.headings) {
        const qsizetype found = lines.indexOf(QRegularExpression(QStringLiteral("^\\s*%1\\s*$")
                                                                       .arg(QRegularExpression::escape(heading))),
                                              at);
        EXPECT_GE(found, 0) << "heading " << heading.toStdString() << " after line " << at;
        if (found >= 0)
            at = found + 1;
    }
    for (const auto &[caption, value] : c.lines) {
        const QRegularExpression line(QStringLiteral("%1\\s+%2\\s*$")
                                          .arg(QRegularExpression::escape(caption), QRegularExpression::escape(value)),
                                      QRegularExpression::MultilineOption);
        EXPECT_TRUE(text.contains(line)) << caption.toStdString() << " | " << value.toStdString();
    }
    for (const QString &caption : c.absent)
        EXPECT_FALSE(text.contains(caption)) << caption.toStdString();
}

// A word of `pdftotext -bbox`, its box in points.
struct Word {
    int page;
    double xMin, yMin, xMax;
    QString text;
};

QList<Word> wordsOf(const QString &bbox)
{
    static const QRegularExpression page(QStringLiteral("<page "));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    QList<Word> words;
    int pageNumber = 0;
    for (const QString &line : bbox.split(QLatin1Char('\n'))) {
        if (line.contains(page))
            ++pageNumber;
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch())
            words.append({pageNumber, match.captured(1).toDouble(), match.captured(2).toDouble(),
                          match.captured(3).toDouble(), match.captured(4)});
    }
    return words;
}

// The first word with the text.
Word firstWord(const QList<Word> &words, const QString &text)
{
    for (const Word &word : words)
        if (word.text == text)
            return word;
    ADD_FAILURE() << "no word " << text.toStdString();
    return {};
}

// Printer pixels at 600 dpi in the PDF's points.
double points(int pixels)
{
    return pixels * 72.0 / dpi;
}

TEST_P(ReportPdfTest, PositionsFollowTheGeometryOfTheRealPage)
{
    parameters_.set(QStringLiteral("emergencyNumber1"), ParameterValue::phone(QStringLiteral("*12#"), true));
    const QList<Word> words = wordsOf(run(pdftotext_, {QStringLiteral("-bbox"), print(), QStringLiteral("-")}));
    ASSERT_FALSE(words.isEmpty());
    const ReportGeometry &g = geometry_;
    ASSERT_EQ(g.pageWidth, 4958);
    constexpr double tolerance = 1.0;  // points; a glyph's box starts at its pen position

    const Word fw = firstWord(words, QStringLiteral("FW:"));
    EXPECT_NEAR(fw.xMin, points(g.captionColumn), tolerance);
    EXPECT_NEAR(firstWord(words, QStringLiteral("SNo:")).xMin, points(g.valueColumn), tolerance);
    EXPECT_NEAR(firstWord(words, QStringLiteral("Model")).yMin - fw.yMin, points(g.lineStep), tolerance);
    EXPECT_NEAR(firstWord(words, QStringLiteral("Basic")).xMin, points(g.headingColumn), tolerance);
    EXPECT_NEAR(firstWord(words, QStringLiteral("Confirming")).xMin, points(g.fourthColumn), tolerance);
    const Word number = firstWord(words, QStringLiteral("*12#"));
    EXPECT_NEAR(number.xMin, points(g.thirdColumn), tolerance);
    bool confirmed = false;
    for (const Word &word : words)
        confirmed = confirmed || (word.page == number.page && word.text == QLatin1String("+")
                                  && std::abs(word.yMin - number.yMin) < tolerance
                                  && std::abs(word.xMin - points(g.fourthColumn)) < tolerance);
    EXPECT_TRUE(confirmed) << "\"+\" in the fourth column beside the number";

    // The header: the title centred on the value column, the page number ending
    // 15 mm before the right edge.
    const Word print = firstWord(words, QStringLiteral("Print"));
    const Word intercom = firstWord(words, QStringLiteral("intercom"));
    EXPECT_NEAR((print.xMin + intercom.xMax) / 2, points(g.valueColumn), 2 * tolerance);
    const Word pageWord = firstWord(words, QStringLiteral("Page"));
    double pageNumberEnd = 0;
    for (const Word &word : words)
        if (word.page == 1 && std::abs(word.yMin - pageWord.yMin) < tolerance && word.xMin > pageWord.xMin)
            pageNumberEnd = std::max(pageNumberEnd, word.xMax);
    EXPECT_NEAR(pageNumberEnd, points(g.pageWidth - g.pageNumberEnd), 2 * tolerance);

    // Every page carries lines besides its header: no empty page at the end.
    const int pages = words.last().page;
    for (int page = 1; page <= pages; ++page)
        EXPECT_GT(std::count_if(words.begin(), words.end(), [page](const Word &w) { return w.page == page; }), 12)
            << "page " << page;
}

INSTANTIATE_TEST_SUITE_P(Models, ReportPdfTest, ::testing::ValuesIn(modelCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
