#include "support/WindowFixture.h"

#include "history/ReadingHistory.h"
#include "ui/HistoryDialog.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

using HistoryWindowTest = WindowFixture;

TEST_F(HistoryWindowTest, EveryReadIsKeptUnderTheSerialNumber)
{
    selectModel(C2);
    connectSimulator("TKV-C3");
    ASSERT_TRUE(identify());
    for (int read = 1; read <= 2; ++read) {
        window_->readParameters();
        ASSERT_TRUE(runUntilIdle());
        ASSERT_EQ(state_->exchange()->lastResult(), ExchangeResult::Completed);
    }
    const QList<HistoryEntry> entries = ReadingHistory::list(ReadingHistory::folder());
    ASSERT_EQ(entries.size(), 2);
    for (const HistoryEntry &entry : entries) {
        EXPECT_EQ(entry.device, ReadingHistory::localDevice(state_->deviceInfo().serialNumber));
        EXPECT_EQ(entry.model, C3);
    }
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(u'\n').toStdString();
}

TEST_F(HistoryWindowTest, AFailedReadKeepsNothing)
{
    selectModel(C2);
    SimDevice &sim = connectSimulator("TKV-C2");
    ASSERT_TRUE(identify());
    sim.faults.silent = true;
    window_->readParameters();
    ASSERT_TRUE(runUntilIdle());
    EXPECT_TRUE(ReadingHistory::list(ReadingHistory::folder()).isEmpty());
}

TEST_F(HistoryWindowTest, TheWindowGroupsByDeviceAndOpensOnlyAReading)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, C2);
    const QString folder = ReadingHistory::folder();
    const QDateTime time = QDateTime::currentDateTime();
    for (const char *device : {"11", "22", "11"})
        ASSERT_TRUE(ReadingHistory::archive(folder, QLatin1String(device), C2, time, set, state_->texts()).ok);

    HistoryDialog dialog(state_->texts(), ReadingHistory::list(folder), folder);
    QTreeWidget *tree = dialog.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("11"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 2);
    tree->setCurrentItem(tree->topLevelItem(1));
    EXPECT_FALSE(dialog.openButton()->isEnabled());
    EXPECT_FALSE(dialog.chosen());
    tree->setCurrentItem(tree->topLevelItem(1)->child(0));
    EXPECT_TRUE(dialog.openButton()->isEnabled());
    ASSERT_TRUE(dialog.chosen());
    EXPECT_EQ(dialog.chosen()->device, QStringLiteral("22"));

    HistoryDialog empty(state_->texts(), {}, folder);
    EXPECT_TRUE(empty.tree()->isHidden());
}

// A kept reading comes back with its own model; Save then asks for a new name.
TEST_F(HistoryWindowTest, OpeningAReadingTakesItsModelAndValues)
{
    selectModel(C2);
    ParameterSet set = state_->parameters();
    ParameterStatus status;
    applyDefaults(set, status, C3);
    set.set(QStringLiteral("serviceNumber"), ParameterValue::phone(QStringLiteral("0*42#"), true));
    QString path;
    ASSERT_TRUE(ReadingHistory::archive(ReadingHistory::folder(), QStringLiteral("5"), C3,
                                        QDateTime::currentDateTime(), set, state_->texts(), &path)
                    .ok);
    state_->settingsFilePath = QStringLiteral("/tmp/other.GDL");

    const QList<HistoryEntry> entries = ReadingHistory::list(ReadingHistory::folder());
    ASSERT_EQ(entries.size(), 1);
    ASSERT_TRUE(window_->openHistoryReading(entries.front()));
    EXPECT_EQ(state_->model(), C3);
    EXPECT_EQ(state_->parameters().value(QStringLiteral("serviceNumber")).text, QStringLiteral("0*42#"));
    EXPECT_EQ(editor("serviceNumber").edit()->text(), QStringLiteral("0*42#"));
    EXPECT_TRUE(state_->settingsFilePath.isEmpty());
}

TEST_F(HistoryWindowTest, ASpoiltReadingIsRefusedAndChangesNothing)
{
    selectModel(C2);
    const HistoryEntry entry{QStringLiteral("5"), C3, QDateTime::currentDateTime(),
                             home_.filePath(QStringLiteral("5_TKV-C3_20261211-103005.GDL"))};
    QFile file(entry.path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a settings file");
    file.close();
    const ParameterSet before = state_->parameters();

    EXPECT_FALSE(window_->openHistoryReading(entry));
    EXPECT_EQ(messages_.messages.size(), 1);
    EXPECT_EQ(state_->model(), C2);
    EXPECT_EQ(state_->parameters(), before);
}

} // namespace
