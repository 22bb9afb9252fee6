#include "support/WindowFixture.h"

#include "remote/RemoteBus.h"
#include "remote/RemoteLink.h"
#include "sim/SimBlackBox.h"
#include "ui/RemoteReadDialog.h"
#include "ui/RemoteWriteDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The read and write windows over a connection to the simulator's BlackBox, on
// simulated time.
class RemoteDialogsTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        connectSimulator("TKV-C2");
        selectModel(CommunicatorModel::TkvC2);
        RemoteLink &remote = *state_->remote();
        ASSERT_TRUE(remote.beginConnect());
        ASSERT_TRUE(remote.selectBlackBox(0));
        state_->lastDial = {QStringLiteral("0123"), QString(), QStringLiteral("6183"), false, false};
        remote.startDialling(state_->lastDial);
        ASSERT_TRUE(clock_.runUntil([&] { return remote.isRemoteMode() && remote.isIdle(); },
                                    std::chrono::minutes(5)));
    }
    bool runUntilClosed(QDialog &dialog)
    {
        return clock_.runUntil([&] { return !dialog.isVisible(); }, std::chrono::hours(1));
    }
    qsizetype commandsSent() const { return state_->remoteBus()->blackBox()->commands.size(); }
};

TEST_F(RemoteDialogsTest, ReportTickNeedsAFileName)
{
    RemoteReadDialog dialog(*state_, QStringLiteral("2026_01_02-03_04_05"));
    dialog.show();
    EXPECT_EQ(dialog.fileNameEdit()->text(), QStringLiteral("LF-R-2026_01_02-03_04_05"));
    EXPECT_TRUE(dialog.logBox()->isChecked());
    dialog.logBox()->setChecked(false);
    dialog.fileNameEdit()->setText(QStringLiteral("x"));
    dialog.logBox()->setChecked(true);
    EXPECT_FALSE(dialog.logBox()->isChecked());
    EXPECT_EQ(messages_.messages, QStringList{state_->texts().text(QStringLiteral("Remote"), 47)});
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(RemoteDialogsTest, ReadingWithoutAChoiceStillOffersTheComparison)
{
    RemoteReadDialog dialog(*state_, QStringLiteral("stamp"));
    bool offered = false;
    QObject::connect(&dialog, &RemoteReadDialog::readingStarted, [&] { offered = true; });
    dialog.show();
    for (ReadPhase phase : {ReadPhase::Basic, ReadPhase::Emergency, ReadPhase::Other})
        dialog.choiceBox(phase)->setChecked(false);
    const qsizetype sent = commandsSent();
    dialog.startButton()->click();
    EXPECT_TRUE(offered);
    EXPECT_EQ(messages_.messages, QStringList{state_->texts().text(QStringLiteral("Remote"), 45)});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.startButton()->isEnabled());
    EXPECT_EQ(commandsSent(), sent);
}

TEST_F(RemoteDialogsTest, CancelDuringTheReadingClosesAndGivesTheLineBack)
{
    RemoteReadDialog dialog(*state_, QStringLiteral("stamp"));
    dialog.show();
    dialog.startButton()->click();
    EXPECT_FALSE(dialog.startButton()->isEnabled());
    EXPECT_FALSE(dialog.choiceBox(ReadPhase::Basic)->isEnabled());
    clock_.advanceBy(std::chrono::seconds(20));
    EXPECT_FALSE(dialog.blockLabel()->text().isEmpty());
    dialog.cancelButton()->click();
    ASSERT_TRUE(runUntilClosed(dialog));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_TRUE(clock_.runUntil([&] { return state_->remote()->isConnected(); }, std::chrono::minutes(1)));
    EXPECT_TRUE(state_->remote()->isTimerActive());
}

TEST_F(RemoteDialogsTest, WriteWithoutAPageClosesWithoutWriting)
{
    RemoteWriteDialog dialog(*state_, QStringLiteral("stamp"));
    dialog.show();
    for (int page = 1; page <= writePageCount; ++page)
        dialog.pageBox(WritePageId(page))->setChecked(false);
    dialog.startButton()->click();
    ASSERT_TRUE(runUntilClosed(dialog));
    for (const QByteArray &command : state_->remoteBus()->blackBox()->commands)
        EXPECT_FALSE(command.startsWith("ATDE3")) << command.toStdString();
    EXPECT_TRUE(messages_.messages.isEmpty());
}

TEST_F(RemoteDialogsTest, WritingOnePageShowsItAndClosesByItself)
{
    RemoteWriteDialog dialog(*state_, QStringLiteral("stamp"));
    dialog.show();
    for (int page = 1; page <= writePageCount; ++page)
        dialog.pageBox(WritePageId(page))->setChecked(page == int(WritePageId::Lift));
    dialog.startButton()->click();
    EXPECT_EQ(dialog.pageLabel()->text(), QStringLiteral("5"));
    EXPECT_FALSE(dialog.pageBox(WritePageId::Lift)->isEnabled());
    ASSERT_TRUE(runUntilClosed(dialog));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.stepLabel()->text(), QStringLiteral("10"));
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(u'|').toStdString();
}

}  // namespace
