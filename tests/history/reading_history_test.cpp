#include "history/ReadingHistory.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/ParameterStatus.h"
#include "remote/ExchangeTables.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

QDateTime at(const char *text)
{
    return QDateTime::fromString(QLatin1String(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

ParameterSet defaultsOf(CommunicatorModel model)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);
    return set;
}

class ReadingHistoryTest : public ::testing::Test {
protected:
    QString keep(const QString &device, CommunicatorModel model, const char *time, const ParameterSet &set)
    {
        QString path;
        const SettingsFileResult result = ReadingHistory::archive(folder(), device, model, at(time), set, texts_, &path);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        return path;
    }
    QString folder() const { return dir_.filePath(QStringLiteral("History")); }

    QTemporaryDir dir_;
    LanguageTable texts_;
};

TEST(ReadingHistoryNames, DeviceNamesAreSafeInAFileName)
{
    const std::pair<const char *, const char *> cases[] = {
        {"00012345", "00012345"}, {" 12 34/5_", "12-34-5-"}, {"", "unknown"}, {"../x", "---x"}, {"+42", "+42"},
    };
    for (const auto &[serial, device] : cases)
        EXPECT_EQ(ReadingHistory::localDevice(QLatin1String(serial)), QLatin1String(device)) << serial;
    EXPECT_EQ(ReadingHistory::remoteDevice({QStringLiteral("0123456"), QStringLiteral("2"), {}, false, false}),
              QStringLiteral("Tel0123456-2"));
    EXPECT_EQ(ReadingHistory::remoteDevice({QStringLiteral("*55#"), {}, {}, false, false}), QStringLiteral("Tel-55-"));
}

TEST_F(ReadingHistoryTest, AKeptReadingIsAWholeSettingsFileThatReadsBack)
{
    ParameterSet set = defaultsOf(C3);
    set.set(QStringLiteral("serviceNumber"), ParameterValue::phone(QStringLiteral("0*42#"), true));
    const QString path = keep(QStringLiteral("00012345"), C3, "2026-12-11 10:30:05", set);
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("00012345_TKV-C3_20261211-103005.GDL"));

    ParameterSet back = defaultsOf(C3);
    ASSERT_TRUE(readSettingsFile(path, back, C3, texts_).ok);
    EXPECT_EQ(back.value(QStringLiteral("serviceNumber")), set.value(QStringLiteral("serviceNumber")));
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".tmp")));
}

// Two readings in one second are both kept; nothing is overwritten.
TEST_F(ReadingHistoryTest, ReadingsOfOneSecondAreAllKept)
{
    const ParameterSet set = defaultsOf(C2);
    const QString first = keep(QStringLiteral("7"), C2, "2026-12-11 10:30:05", set);
    const QString second = keep(QStringLiteral("7"), C2, "2026-12-11 10:30:05", set);
    const QString third = keep(QStringLiteral("7"), C2, "2026-12-11 10:30:05", set);
    EXPECT_NE(first, second);
    EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("7_TKV-C2_20261211-103005-2.GDL"));
    EXPECT_EQ(QFileInfo(third).fileName(), QStringLiteral("7_TKV-C2_20261211-103005-3.GDL"));
    EXPECT_EQ(ReadingHistory::list(folder()).size(), 3);
}

TEST_F(ReadingHistoryTest, TheListIsByDeviceWithTheNewestFirstAndLeavesOtherFilesOut)
{
    const ParameterSet set = defaultsOf(C2);
    keep(QStringLiteral("B2"), C2, "2026-12-01 08:00:00", set);
    keep(QStringLiteral("A1"), C3, "2026-11-30 09:00:00", set);
    keep(QStringLiteral("B2"), C3, "2026-12-09 17:45:10", set);
    keep(QStringLiteral("A1"), C2, "2026-12-10 07:00:00", set);
    for (const char *foreign : {"notes.GDL", "A1_TKV-C9_20261210-070000.GDL", "A1_TKV-C2_20261399-070000.GDL",
                                "A1_TKV-C2_20261210-070000.txt"}) {
        QFile file(QStringLiteral("%1/%2").arg(folder(), QLatin1String(foreign)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    const QList<HistoryEntry> entries = ReadingHistory::list(folder());
    ASSERT_EQ(entries.size(), 4);
    const std::tuple<const char *, CommunicatorModel, const char *> expected[] = {
        {"A1", C2, "2026-12-10 07:00:00"},
        {"A1", C3, "2026-11-30 09:00:00"},
        {"B2", C3, "2026-12-09 17:45:10"},
        {"B2", C2, "2026-12-01 08:00:00"},
    };
    for (int i = 0; i < 4; ++i) {
        const auto &[device, model, time] = expected[i];
        EXPECT_EQ(entries[i].device, QLatin1String(device)) << i;
        EXPECT_EQ(entries[i].model, model) << i;
        EXPECT_EQ(entries[i].time, at(time)) << i;
        EXPECT_TRUE(QFileInfo(entries[i].path).isFile()) << i;
    }
    EXPECT_TRUE(ReadingHistory::list(dir_.filePath(QStringLiteral("none"))).isEmpty());
}

TEST_F(ReadingHistoryTest, AFolderThatCannotBeMadeIsToldByName)
{
    QFile blocker(dir_.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = dir_.filePath(QStringLiteral("file/History"));
    const SettingsFileResult result =
        ReadingHistory::archive(folder, QStringLiteral("1"), C2, at("2026-12-11 10:30:05"), defaultsOf(C2), texts_);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(folder)) << result.message.toStdString();
}

} // namespace
