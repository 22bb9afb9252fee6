#include "support/WindowFixture.h"

#include "protocol/AlarmImageCodec.h"
#include "remote/RemoteBus.h"
#include "remote/RemoteLink.h"
#include "sim/SimBlackBox.h"
#include "sim/SimRemoteCommunicator.h"
#include "ui/CompareDialog.h"
#include "ui/ConnectDialog.h"
#include "ui/ParameterEditor.h"
#include "ui/RemoteReadDialog.h"
#include "ui/RemoteWriteDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

// The window on the simulator of a TKV-C2, whose simulated BlackBox has a TKV-C2 on
// its telephone line. The modal windows are driven here, on simulated time.
class RemoteWindowTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        connectSimulator("TKV-C2");
        selectModel(CommunicatorModel::TkvC2);
        window_->runDialog = [this](QDialog &dialog) {
            dialog.show();
            if (onDialog)
                onDialog(dialog);
            EXPECT_TRUE(clock_.runUntil([&] { return !dialog.isVisible(); }, std::chrono::hours(1)));
            return dialog.result();
        };
    }

    SimRemoteCommunicator &communicator() { return *state_->remoteBus()->communicator(); }
    RemoteLink &remote() { return *state_->remote(); }

    void connect()
    {
        onDialog = [](QDialog &shown) {
            auto &dialog = dynamic_cast<ConnectDialog &>(shown);
            dialog.deviceBox()->setCurrentIndex(0);
            dialog.selectButton()->click();
            QTest::keyClicks(dialog.telephoneNumberEdit(), QStringLiteral("0123456"));
            ASSERT_TRUE(dialog.connectButton()->isEnabled());
            dialog.connectButton()->click();
        };
        window_->remoteConnectAction()->trigger();
        ASSERT_TRUE(remote().isRemoteMode());
    }
    void readEverything()
    {
        onDialog = [](QDialog &shown) { dynamic_cast<RemoteReadDialog &>(shown).startButton()->click(); };
        window_->remoteReadAction()->trigger();
    }
    void writePages(std::initializer_list<WritePageId> pages)
    {
        onDialog = [pages](QDialog &shown) {
            auto &dialog = dynamic_cast<RemoteWriteDialog &>(shown);
            for (int page = 1; page <= writePageCount; ++page)
                dialog.pageBox(WritePageId(page))->setChecked(false);
            for (WritePageId page : pages)
                dialog.pageBox(page)->setChecked(true);
            dialog.startButton()->click();
        };
        window_->remoteWriteAction()->trigger();
    }
    // The comparison's rows (without the header), after which it is left by Cancel.
    QStringList compare()
    {
        QStringList rows;
        onDialog = [&rows](QDialog &shown) {
            auto &dialog = dynamic_cast<CompareDialog &>(shown);
            for (int row = 1; row < dialog.list()->count(); ++row)
                rows << dialog.list()->item(row)->text();
            dialog.reject();
        };
        window_->compareAction()->trigger();
        return rows;
    }
    static QList<int> differingBytes(const QByteArray &a, const QByteArray &b)
    {
        QList<int> positions;
        for (int i = 0; i < alarmImageLength; ++i)
            if (a[i] != b[i])
                positions << i + 1;
        return positions;
    }

    std::function<void(QDialog &)> onDialog;
};

TEST_F(RemoteWindowTest, ConnectingOffersTheRemoteCommandsAndShowsTheConnection)
{
    EXPECT_TRUE(window_->remoteConnectAction()->isEnabled());
    EXPECT_FALSE(window_->remoteReadAction()->isEnabled());
    EXPECT_FALSE(window_->compareAction()->isEnabled());
    EXPECT_FALSE(window_->blackBoxMenu()->menuAction()->isVisible());
    connect();

    EXPECT_FALSE(window_->remoteConnectAction()->isEnabled());
    for (QAction *action : {window_->remoteReadAction(), window_->remoteWriteAction(),
                            window_->remoteDisconnectAction()})
        EXPECT_TRUE(action->isEnabled());
    EXPECT_EQ(window_->blackBoxMenu()->title(), QString::fromLatin1(RemoteBus::simulatedSerial));
    EXPECT_TRUE(window_->blackBoxMenu()->menuAction()->isVisible());
    EXPECT_TRUE(window_->connectedMenu()->menuAction()->isVisible());
    EXPECT_EQ(window_->statusPanel(4)->text(), state_->texts().text(QStringLiteral("Menu"), 31));
    EXPECT_FALSE(window_->isPolling());
    EXPECT_FALSE(window_->readAction()->isEnabled());
    // The password the dialog offered is the communicator's own.
    EXPECT_EQ(communicator().state(), SimRemoteCommunicator::State::Programming);

    clock_.advanceBy(std::chrono::seconds(65));
    Q_EMIT window_->connectedMenu()->aboutToShow();
    EXPECT_EQ(window_->connectedMenu()->actions().first()->text(),
              state_->texts().text(QStringLiteral("Remote"), 34) + QStringLiteral(" 4"));
    Q_EMIT window_->blackBoxMenu()->aboutToShow();
    EXPECT_TRUE(window_->blackBoxMenu()->actions().first()->text().contains(QStringLiteral(":  00:01:0")))
        << window_->blackBoxMenu()->actions().first()->text().toStdString();

    // Nothing else polls the local cable meanwhile (a cable chosen anew, say).
    window_->startDevicePoll();
    EXPECT_FALSE(window_->isPolling());

    window_->remoteDisconnectAction()->trigger();
    EXPECT_FALSE(remote().isRemoteMode());
    EXPECT_TRUE(window_->remoteConnectAction()->isEnabled());
    EXPECT_FALSE(window_->remoteReadAction()->isEnabled());
    EXPECT_FALSE(window_->blackBoxMenu()->menuAction()->isVisible());
    EXPECT_FALSE(window_->connectedMenu()->menuAction()->isVisible());
    EXPECT_EQ(window_->statusPanel(4)->text(), state_->texts().text(QStringLiteral("Menu"), 30));
    EXPECT_TRUE(window_->isPolling());
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(u'|').toStdString();

    // Another cable, another bus: the box that stayed open is let go.
    connectSimulator("TKV-C");
    EXPECT_EQ(communicator().model(), SimKind::TkvC);
}

TEST_F(RemoteWindowTest, ReadCompareChangeWriteTwoPagesReadAgain)
{
    connect();
    readEverything();
    EXPECT_EQ(state_->newImage, communicator().memory);
    EXPECT_TRUE(window_->compareAction()->isEnabled());
    // The pages show what the communicator holds.
    ParameterSet expected;
    ParameterStatus expectedStatus;
    ASSERT_TRUE(decodeAlarmImage(communicator().memory, CommunicatorModel::TkvC2, expected, expectedStatus).ok());
    EXPECT_EQ(state_->parameters().value(QStringLiteral("speakerVolume")),
              expected.value(QStringLiteral("speakerVolume")));
    // (The comparison normalises what it shows in both images.)
    const QByteArray firstReading = state_->newImage;
    compare();

    // Two values on the pages written, one on a page that is not.
    editor("speakerVolume").list()->setCurrentIndex(15);
    editor("emergencyNumber1").edit()->setText(QStringLiteral("0P1234*5"));
    editor("maxCallDuration").list()->setCurrentIndex(10);
    writePages({WritePageId::PhoneNumbers, WritePageId::Handsfree});
    ASSERT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(u'|').toStdString();

    readEverything();
    // On the communicator exactly the written values changed...
    EXPECT_EQ(differingBytes(firstReading, state_->newImage),
              (QList<int>{81, 82, 83, 84, 85, 86, 87, 88, 241}));
    // ...so against the values shown only the one on the page not written differs.
    EXPECT_EQ(differingBytes(state_->previousImage, state_->newImage), QList<int>{36});
    const QStringList rows = compare();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("51 "))) << rows[0].toStdString();
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(u'|').toStdString();
}

TEST_F(RemoteWindowTest, TheReportsGoToTheProgramFolder)
{
    connect();
    onDialog = [](QDialog &shown) {
        auto &dialog = dynamic_cast<RemoteReadDialog &>(shown);
        dialog.choiceBox(ReadPhase::Basic)->setChecked(false);
        dialog.choiceBox(ReadPhase::Emergency)->setChecked(false);
        EXPECT_TRUE(dialog.fileNameEdit()->text().startsWith(QStringLiteral("LF-R-")));
        dialog.startButton()->click();
    };
    window_->remoteReadAction()->trigger();
    const QStringList reports = QDir(home_.path()).entryList({QStringLiteral("LF-R-*.TXT")});
    ASSERT_EQ(reports.size(), 1);
    QFile report(home_.filePath(reports[0]));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    EXPECT_TRUE(text.contains("Communicator on telephone number :0123456  - number of communicator :  - "
                              "normal connection\r\n"));
    EXPECT_TRUE(text.contains("> ATDE8*23\r\n"));
}

TEST_F(RemoteWindowTest, ClosingTheProgramHangsUpTheLine)
{
    connect();
    const qsizetype sent = state_->remoteBus()->blackBox()->commands.size();
    window_->hangUpOnExit();
    const QByteArrayList after = state_->remoteBus()->blackBox()->commands.mid(sent);
    EXPECT_EQ(after, (QByteArrayList{"ATDE9", "ATDE9", "ATH", "AT@BASIC"}));
    EXPECT_FALSE(remote().isTimerActive());
}

using RemoteMenuTest = WindowFixture;

TEST_F(RemoteMenuTest, ConnectIsOfferedOnceACableBringsItsBlackBoxBus)
{
    EXPECT_FALSE(window_->remoteConnectAction()->isEnabled());
    connectSimulator("TKV-C");
    window_->pollDevice();
    EXPECT_TRUE(window_->remoteConnectAction()->isEnabled());
    selectModel(CommunicatorModel::TkvC3);
    EXPECT_FALSE(window_->remoteMenu()->isEnabled());
}

}  // namespace
