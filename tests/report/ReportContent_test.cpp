#include "report/ReportContent.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "protocol/DeviceInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr auto C = CommunicatorModel::TkvC;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

class ReportContentTest : public ::testing::Test {
protected:
    void useModel(CommunicatorModel model)
    {
        model_ = model;
        applyDefaults(parameters_, status_, model);
    }

    ReportContent report() const
    {
        return buildReport({parameters_, status_, device_, texts_, model_, features_}, QDate(2024, 3, 5));
    }

    // The texts of the first line whose caption-column text starts with caption,
    // joined by " | "; empty when no line has it.
    QString lineOf(const QString &caption) const
    {
        for (const ReportLine &line : report().lines) {
            if (line.texts.isEmpty() || !line.texts.first().text.startsWith(caption))
                continue;
            QStringList texts;
            for (const ReportText &text : line.texts)
                texts << text.text;
            return texts.join(QStringLiteral(" | "));
        }
        return {};
    }

    QStringList headings() const
    {
        QStringList found;
        for (const ReportLine &line : report().lines)
            if (line.heading)
                found << line.texts.first().text;
        return found;
    }

    void set(const char *id, const ParameterValue &value) { parameters_.set(QString::fromLatin1(id), value); }

    LanguageTable texts_;
    ParameterSet parameters_;
    ParameterStatus status_;
    DeviceInfo device_;
    CommunicatorModel model_ = C;
    int features_ = C3Feature::All;
};

TEST_F(ReportContentTest, DeviceLinesByModel)
{
    device_.version = QStringLiteral("6.2");
    device_.serialNumber = QStringLiteral("00042");
    device_.supplyVoltageText = QStringLiteral("12,3 ");
    device_.secondVoltageText = QStringLiteral("0,0 ");
    status_.serviceRedialActive = true;
    useModel(C);
    EXPECT_EQ(lineOf(QStringLiteral("FW:")), QStringLiteral("FW: 6.2 | SNo: 00042"));
    EXPECT_EQ(lineOf(QStringLiteral("Model")), QStringLiteral("Model TKV-C | State Service call active"));
    EXPECT_EQ(lineOf(QStringLiteral("12V")), QStringLiteral("12V power supply 12,3  V | Battery backup 0,0  V"));

    useModel(C2);
    status_.alarmActive = true;
    EXPECT_EQ(lineOf(QStringLiteral("Model")),
              QStringLiteral("Model TKV-C2 | State Alarm active / Service call active"));

    // The TKV-C3 names the model its configuration block reported.
    useModel(C3);
    EXPECT_EQ(lineOf(QStringLiteral("Model")),
              QStringLiteral("Model Unknown | State Alarm inactive / Service call active"));
    device_.modelCode = 3;
    EXPECT_TRUE(lineOf(QStringLiteral("Model")).startsWith(QStringLiteral("Model TKV-C3 | ")));
    EXPECT_EQ(lineOf(QStringLiteral("Current")), QStringLiteral("Current voltage 12,3  V | Nominal voltage 0,0  V"));
}

TEST_F(ReportContentTest, TitleLeavesOutTheAcceleratorMarker)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Marked.lng"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Menu]\r\n6=&Print && preview\r\n[Message]\r\n24=Settings\r\n");
    file.close();
    ASSERT_TRUE(texts_.load(path));
    useModel(C);
    EXPECT_EQ(report().title, QStringLiteral("Print & preview Settings"));
    EXPECT_EQ(report().jobTitle, QStringLiteral("Lift intercom Configurator print"));
}

TEST_F(ReportContentTest, DipSwitchAddressOfTheTkvC3)
{
    useModel(C3);
    device_.modelCode = 3;
    // The address switch takes the place of the parallel-mode box...
    EXPECT_TRUE(lineOf(QStringLiteral("45 ")).isEmpty());
    EXPECT_EQ(lineOf(QStringLiteral("46 ")), QStringLiteral("46 Number of communicator or number of rings | 3"));
    // ...and, with parallel mode on, of the number of rings.
    set("parallelMode", ParameterValue::ofFlag(true));
    EXPECT_EQ(lineOf(QStringLiteral("DIP SWITCH")), QStringLiteral("DIP SWITCH Parallel mode address: | 3"));
    EXPECT_TRUE(lineOf(QStringLiteral("46 ")).isEmpty());
    // Another TKV-C3 model sets its address in the settings.
    device_.modelCode = 1;
    EXPECT_EQ(lineOf(QStringLiteral("45 ")), QStringLiteral("45 Activate parallel mode | +"));
    EXPECT_TRUE(lineOf(QStringLiteral("DIP SWITCH")).isEmpty());
}

TEST_F(ReportContentTest, OutputOnTimeOnlyWithTheInputFunctionsThatSwitchTheOutput)
{
    useModel(C3);
    for (int function = 0; function < 8; ++function) {
        set("ioInputFunction", ParameterValue::choice(function));
        const bool switchesOutput = function == 5 || function == 7;
        EXPECT_EQ(lineOf(QStringLiteral("Output switched ON for")).isEmpty(), !switchesOutput) << function;
    }
}

TEST_F(ReportContentTest, FeaturesOfTheTkvC3DecideRowsAndHeadings)
{
    useModel(C3);
    features_ = C3Feature::MessageFlash;
    const QStringList withoutPower = headings();
    EXPECT_TRUE(withoutPower.contains(QStringLiteral("Tests")));
    EXPECT_TRUE(lineOf(QStringLiteral("016 ")).isEmpty());
    EXPECT_FALSE(lineOf(QStringLiteral("019 ")).isEmpty());
    EXPECT_TRUE(lineOf(QStringLiteral("72 ")).isEmpty()) << "HandsFree rows need the digital potentiometers";
    EXPECT_TRUE(lineOf(QStringLiteral("01# ")).isEmpty()) << "voice reporting needs the voice reports";
    set("voiceAnnouncements", ParameterValue::ofBits(0b11));
    EXPECT_EQ(lineOf(QStringLiteral("<Lift address>")), QStringLiteral("<Lift address> | +"));
    EXPECT_EQ(lineOf(QStringLiteral("0101 ")), QStringLiteral("0101 \"The location of the elevator is\" | +"));
    EXPECT_EQ(lineOf(QStringLiteral("0102 ")), QStringLiteral("0102 \"Please wait for connection\" | -"));

    features_ = C3Feature::ExternalPower;
    EXPECT_TRUE(headings().contains(QStringLiteral("Tests and Power")));
    EXPECT_FALSE(lineOf(QStringLiteral("016 ")).isEmpty());
    EXPECT_TRUE(lineOf(QStringLiteral("0101 ")).isEmpty());
}

TEST_F(ReportContentTest, ValueShownOnTwoPagesIsPrintedOnBoth)
{
    useModel(C2);
    set("counterOrFailureNumber", ParameterValue::phone(QStringLiteral("0123"), true));
    int numbers = 0;
    int groups = 0;
    for (const ReportLine &line : report().lines) {
        if (line.texts.size() == 3 && line.texts[1].text == QLatin1String("0123") && line.texts[2].text == QLatin1String("+"))
            ++numbers;
        if (!line.texts.isEmpty() && line.texts.first().text == QLatin1String("Failure Call"))
            ++groups;
    }
    EXPECT_EQ(numbers, 2);
    EXPECT_EQ(groups, 2);
    // On the TKV-C the page "Failure" does not exist.
    useModel(C);
    EXPECT_TRUE(lineOf(QStringLiteral("0951")).isEmpty());
}

} // namespace
