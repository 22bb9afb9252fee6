#include "RemoteRig.h"

#include "app/CommLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArrayList FullHandshake = {"AT@RESET", "AT@DEFAULT", "AT@NORM",  "ATA",     "ATDE0123456",
                                      "ATDE3B",   "AT@RECE",    "AT@RECN",  "ATDE#1234", "ATDE8A",
                                      "AT@RECE",  "AT@RECN",    "ATDE8A"};

TEST(RemoteDialling, TheHandshakeReachesProgrammingModeAndStartsTheKeepAlive)
{
    RemoteRig rig;
    ASSERT_TRUE(rig.connect());
    rig.runUntil([&] { return rig.box.commands.size() == FullHandshake.size(); });
    EXPECT_EQ(rig.box.commands, FullHandshake);
    EXPECT_EQ(rig.view.connected, 1);
    EXPECT_EQ(rig.view.statuses.last(), DialStatus::Connected);
    EXPECT_EQ(rig.view.statusText, rig.text(42));
    EXPECT_TRUE(rig.link.isConnected());
    EXPECT_FALSE(rig.link.isDialling());
    EXPECT_EQ(rig.link.keepAliveCycles(), 0);
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    EXPECT_EQ(rig.communicator.state(), SimRemoteCommunicator::State::Programming);
}

TEST(RemoteDialling, WaitsTheSetPausesWithLongerWaitsForGsm)
{
    for (const bool gsm : {false, true}) {
        SCOPED_TRACE(gsm);
        RemoteRig rig;
        rig.dial.gsm = gsm;
        rig.startDialling();
        // The dialling step's "OK" comes after its 7 digits; step 5 follows after
        // the dial wait and its own 2 s.
        ASSERT_TRUE(rig.runUntil([&] { return rig.box.commands.contains("ATDE0123456"); }));
        const Nanos dialled = rig.clock.now();
        ASSERT_TRUE(rig.runUntil([&] { return rig.box.commands.contains("ATDE3B"); }));
        const Nanos elapsed = rig.clock.now() - dialled;
        const Nanos expected = std::chrono::milliseconds(700 + (gsm ? 5000 : 1500) + 550);
        EXPECT_GE(elapsed, expected);
        EXPECT_LE(elapsed, expected + std::chrono::milliseconds(60));
    }
}

TEST(RemoteDialling, PendingBytesBeforeTheResetLineDoNotStopIt)
{
    RemoteRig rig;
    rig.link.beginConnect();
    rig.link.selectBlackBox(0);
    rig.box.inject("noise");
    rig.clock.advanceBy(std::chrono::milliseconds(20));
    rig.link.startDialling(rig.dial);
    ASSERT_TRUE(rig.runUntil([&] { return rig.link.isRemoteMode(); }));
    EXPECT_EQ(rig.view.replies.first(), "noiseRESET");
}

// Faults the exchange recovers from.
TEST(RemoteDialling, RecoversFromLineFaults)
{
    struct Case {
        const char *name;
        std::function<void(RemoteRig &)> inject;
        QByteArray repeated;  // the command sent twice because of the fault
    };
    const Case cases[] = {
        {"a noisy parallel number is not answered", [](RemoteRig &r) { r.box.faults.noisyDigits = 1; }, "ATDE3B"},
        {"a lost \"B\" asks the communicator again", [](RemoteRig &r) { r.box.faults.lostAnswers = 1; },
         "ATDE8A"},
        {"one \"ERR\" resends the step", [](RemoteRig &r) { r.box.faults.errReplies = 1; }, "ATDE3B"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RemoteRig rig;
        rig.startDialling();
        // Step 5 (select) for noise and "ERR"; the "B" for the lost answer.
        const QByteArray trigger = c.repeated == "ATDE8A" ? "ATDE#1234" : "ATDE0123456";
        ASSERT_TRUE(rig.runUntil([&] { return rig.box.commands.contains(trigger); }));
        c.inject(rig);
        ASSERT_TRUE(rig.runUntil([&] { return rig.link.isRemoteMode(); }, std::chrono::minutes(2)));
        EXPECT_EQ(rig.count(c.repeated), 2 + (c.repeated == "ATDE8A" ? 1 : 0));  // + the keep-alive's
        EXPECT_TRUE(rig.messages.messages.isEmpty());
    }
}

// Every limit of the dialling ends it with its message.
TEST(RemoteDialling, EachLimitEndsTheAttemptWithItsMessage)
{
    struct Case {
        const char *name;
        QByteArray faultAfter;  // the fault begins once this command was sent
        std::function<void(RemoteRig &)> inject;
        std::function<QString(const RemoteRig &)> message;
        QByteArray counted;
        int sent;
        bool abandoned;  // ended as by the first Cancel (else by the disconnect)
    };
    const Case cases[] = {
        {"silence: 10 resends after time-outs", {}, [](RemoteRig &r) { r.box.faults.silent = true; },
         [](const RemoteRig &r) { return r.failure(44); }, "AT@RESET", 12, false},
        {"\"ERR\" more than 10 times", {}, [](RemoteRig &r) { r.box.faults.errReplies = -1; },
         [](const RemoteRig &r) { return r.failure(43); }, "AT@RESET", 12, false},
        {"wrong replies more than 10 times", "AT@RESET", [](RemoteRig &r) {
             r.box.faults.silent = true;
             for (int i = 1; i <= 11; ++i)
                 r.clock.schedule(r.clock.now() + std::chrono::milliseconds(5200 * i), [&r] { r.box.inject("NO\r\n"); });
         },
         [](const RemoteRig &r) { return r.text(33) + " '" + r.text(41) + "AT@DEFAULT\r\n'"; }, "AT@DEFAULT", 11,
         false},
        {"the communicator never answers \"A\"", {}, [](RemoteRig &r) { r.communicator.parallelNumber = "7"; },
         [](const RemoteRig &r) { return r.text(33) + "'B -> A'"; }, "ATDE3B", 40, true},
        {"a wrong password never gets a \"B\"", {}, [](RemoteRig &r) { r.communicator.password = "4321"; },
         [](const RemoteRig &r) { return r.text(33) + "'8A -> B'"; }, "ATDE8A", 40, true},
        {"the far end hangs up", "ATDE#1234", [](RemoteRig &r) { r.box.remoteHangUp(); },
         [](const RemoteRig &r) { return r.text(33) + "'8A -> B'"; }, "ATDE8A", 40, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RemoteRig rig;
        if (c.faultAfter.isEmpty())
            c.inject(rig);
        rig.startDialling();
        if (!c.faultAfter.isEmpty()) {
            ASSERT_TRUE(rig.runUntil([&] { return rig.box.commands.contains(c.faultAfter); }));
            c.inject(rig);
        }
        ASSERT_TRUE(rig.runUntil([&] { return !rig.link.isDialling(); }, std::chrono::minutes(15)));
        EXPECT_EQ(rig.messages.messages, QStringList{c.message(rig)});
        EXPECT_EQ(rig.count(c.counted), c.sent);
        EXPECT_FALSE(rig.link.isTimerActive());
        EXPECT_FALSE(rig.link.isRemoteMode());
        EXPECT_EQ(rig.view.abandoned, c.abandoned ? 1 : 0);
        EXPECT_EQ(rig.view.disconnected, c.abandoned ? 0 : 1);
        // The first Cancel releases the box, so the dialog's end reports no box.
        rig.link.finishConnectDialog();
        EXPECT_EQ(rig.messages.messages.size(), c.abandoned ? 2 : 1);
        EXPECT_EQ(rig.box.commands.mid(rig.box.commands.size() - 4),
                  QByteArrayList({"ATDE9", "ATDE9", "ATH", "AT@BASIC"}));
    }
}

TEST(RemoteDialling, AFloodWithoutLineEndIsAWrongReplyNotAGrowingBuffer)
{
    RemoteRig rig;
    rig.startDialling();
    ASSERT_TRUE(rig.runUntil([&] { return rig.box.commands.contains("AT@RESET"); }));
    rig.box.faults.silent = true;
    int floods = 0;
    std::function<void()> flood = [&] {
        rig.box.inject(QByteArray(100, 'x'));
        ++floods;
        if (rig.link.isDialling())
            rig.clock.schedule(rig.clock.now() + std::chrono::milliseconds(150), flood);
    };
    ASSERT_TRUE(rig.runUntil([&] { return rig.link.step() == 1; }));
    flood();
    size_t longest = 0;
    ASSERT_TRUE(rig.runUntil([&] {
        longest = std::max(longest, size_t(rig.link.receiveBuffer().text().size()));
        return !rig.link.isDialling();
    }));
    EXPECT_LE(longest, size_t(ReplyBuffer::MaxLength + 100));
    EXPECT_EQ(rig.messages.messages, QStringList{rig.text(33) + " '" + rig.text(41) + "AT@DEFAULT\r\n'"});
}

TEST(RemoteDialling, ACancelDuringAPauseActsWhenTheStepHasUnwound)
{
    RemoteRig rig;
    rig.startDialling();
    ASSERT_TRUE(rig.runUntil([&] { return rig.box.commands.contains("ATDE0123456"); }));
    bool hungUpAtOnce = true;
    // Inside the wait after dialling.
    rig.clock.schedule(rig.clock.now() + std::chrono::milliseconds(1500), [&] {
        rig.link.requestCancel();
        hungUpAtOnce = rig.box.commands.contains("ATH");
    });
    ASSERT_TRUE(rig.runUntil([&] { return !rig.link.isDialling(); }));
    EXPECT_FALSE(hungUpAtOnce);
    EXPECT_FALSE(rig.box.commands.contains("ATDE3B"));
    EXPECT_EQ(rig.box.commands.mid(5), QByteArrayList({"ATDE9", "ATDE9", "ATH", "AT@BASIC"}));
    EXPECT_EQ(rig.view.abandoned, 1);
    EXPECT_FALSE(rig.link.isTimerActive());
    EXPECT_TRUE(rig.link.blackBox().isOpen());  // the second Cancel keeps the box open
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    // Nothing more happens afterwards.
    rig.clock.advanceBy(std::chrono::seconds(30));
    EXPECT_EQ(rig.box.commands.size(), 9);
}

TEST(RemoteDialling, ConnectRefusesWithoutABoxAndReportsAFailedOpen)
{
    RemoteRig rig;
    rig.bus.devices = {{"ZEDA-USB", "USB-LNK", nullptr}};
    EXPECT_FALSE(rig.link.beginConnect());
    EXPECT_EQ(rig.messages.messages, QStringList{rig.text(31)});

    rig.messages.messages.clear();
    rig.bus.devices = {{"QUE9", "QUENTAmodul", nullptr}};  // listed, cannot be opened
    ASSERT_TRUE(rig.link.beginConnect());
    EXPECT_FALSE(rig.link.selectBlackBox(0));
    EXPECT_EQ(rig.messages.messages, QStringList{rig.text(39) + " QUE9 " + rig.text(38)});
    EXPECT_EQ(rig.view.caption, "QUE9");
    rig.link.finishConnectDialog();
    EXPECT_EQ(rig.messages.messages.last(), rig.text(32));
}

TEST(RemoteDialling, LogsSendsRepliesAndTheConnection)
{
    QTemporaryDir folder;
    RecordingMessagePresenter logMessages;
    CommLog log(folder.filePath("LOG_comm_file.TXT"), &logMessages);
    log.begin(QStringLiteral("test"));
    RemoteRig rig(&log);
    ASSERT_TRUE(rig.connect());
    rig.link.remoteDisconnect();
    log.stop();
    QFile file(log.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    for (const QByteArray &expected :
         {QByteArray(">>> Remote programing <<<\r\n"), QByteArray("- connected BlackBox -  > in time: "),
          QByteArray("    > 0 send: AT@RESET\r\n        /"), QByteArray("dial:  0123456 \r\n"),
          QByteArray("    > 0 receive: RESET\r\n         /"), QByteArray("    > 7 receive: AOK\r\n         /"),
          QByteArray("Connect to communicator remote\r\n  \r\n"), QByteArray("disconnect Blackbox: "),
          QByteArray(">>> Remote programing ended <<<\r\n")})
        EXPECT_TRUE(text.contains(expected)) << expected.constData();
}

}  // namespace
