#include "RemoteWriteRig.h"
#include "protocol/AlarmImageCodec.h"

#include <gtest/gtest.h>

namespace {

QByteArrayList allCommands(CommunicatorModel model)
{
    QByteArrayList commands;
    for (const QByteArrayList &page : fixtureCommands(model))
        commands += page;
    return commands;
}

class RemoteWriteOfModel : public ::testing::TestWithParam<CommunicatorModel> {};

TEST_P(RemoteWriteOfModel, EveryPageGoesOnceAndTheCommunicatorKeepsTheValues)
{
    RemoteWriteRig rig(GetParam(), true);
    const QByteArray before = rig.communicator.memory;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_TRUE(rig.writeView.finished);
    EXPECT_TRUE(rig.messages.messages.isEmpty()) << rig.messages.messages.join(u'|').toStdString();
    EXPECT_EQ(rig.writeView.pages, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(rig.communicator.programmed.size(), rig.programmingCommands().size());
    EXPECT_TRUE(rig.link.isConnected());

    // What the communicator now holds is what the program would write on the cable,
    // apart from the status values and the few settings the pages do not carry.
    ParameterStatus status;
    const QByteArray expected = encodeAlarmImage(rig.set, status, rig.model);
    QStringList differences;
    for (int i = 0; i < alarmImageLength; ++i)
        if (rig.communicator.memory[i] != expected[i])
            differences << QStringLiteral("%1: %2 (was %3) expected %4")
                               .arg(i + 1)
                               .arg(quint8(rig.communicator.memory[i]))
                               .arg(quint8(before[i]))
                               .arg(quint8(expected[i]));
    EXPECT_TRUE(differences.isEmpty()) << differences.join(u'\n').toStdString();
}

TEST_P(RemoteWriteOfModel, SendsThePageTablesStringForString)
{
    RemoteWriteRig rig(GetParam());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.programmingCommands(), allCommands(GetParam()));
    EXPECT_TRUE(rig.writeView.finished);
}

INSTANTIATE_TEST_SUITE_P(Models, RemoteWriteOfModel,
                         ::testing::Values(CommunicatorModel::TkvC, CommunicatorModel::TkvC2),
                         [](const auto &info) { return modelName(info.param).remove(u'-').toStdString(); });

const WritePageChoice liftOnly = WritePageChoice::only({WritePageId::Lift});

TEST(RemoteWrite, OnlyTheLiftPageSendsItsTenCommandsAndCloses)
{
    RemoteWriteRig rig;
    ASSERT_TRUE(rig.start(liftOnly));
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.programmingCommands(), fixtureCommands(CommunicatorModel::TkvC)[4]);
    EXPECT_TRUE(rig.writeView.finished);
    EXPECT_EQ(rig.writeView.pages, QList<int>{5});
    EXPECT_EQ(rig.writeView.progressMaximum, 10);
    EXPECT_FALSE(rig.write.isTimerActive());
}

TEST(RemoteWrite, NoPageTickedClosesWithoutWriting)
{
    RemoteWriteRig rig;
    WritePageChoice none;
    none.pages.fill(false);
    ASSERT_TRUE(rig.start(none));
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_TRUE(rig.programmingCommands().isEmpty());
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    EXPECT_TRUE(rig.link.isConnected());
}

TEST(RemoteWrite, ReportHoldsEveryExchange)
{
    RemoteWriteRig rig;
    ASSERT_TRUE(rig.start(liftOnly));
    ASSERT_TRUE(rig.runToEnd());
    const QList<QByteArray> lines = rig.reportText().split('\n');
    ASSERT_GT(lines.size(), 20);
    EXPECT_TRUE(lines[0].startsWith("Write report "));
    EXPECT_EQ(lines[1], "Communicator on telephone number :0123456  - number of communicator :3  - "
                        "normal connection\r");
    // Each command and reply with its own CR LF, so an empty line follows each.
    const QList<QByteArray> first{"START sequence\r", "\r", "> ATDE312\r", "\r", "< OK\r", "\r",
                                  "> AT@RECE\r",       "\r", "< OK\r",      "\r", "> AT@RECN\r", "\r"};
    EXPECT_EQ(lines.mid(2, first.size()), first);
    EXPECT_TRUE(lines.contains("< BOK\r"));
    EXPECT_TRUE(lines.contains("> ATDE301\r"));
    EXPECT_TRUE(lines[lines.size() - 2].startsWith("End of report ")) << lines[lines.size() - 2].toStdString();
}

struct RecoveryCase {
    const char *name;
    std::function<void(RemoteWriteRig &)> inject;
    int sendsOfFirst;      // how often the first command goes out
    const char *reported;  // a report line the recovery leaves (may be empty)
};

class RemoteWriteRecovers : public ::testing::TestWithParam<RecoveryCase> {};

TEST_P(RemoteWriteRecovers, FromOneFaultAndWritesThePage)
{
    const RecoveryCase &c = GetParam();
    RemoteWriteRig rig;
    rig.writeView.onPage = [&](int) { c.inject(rig); };
    ASSERT_TRUE(rig.start(liftOnly));
    ASSERT_TRUE(rig.runToEnd());

    EXPECT_TRUE(rig.writeView.finished);
    EXPECT_TRUE(rig.messages.messages.isEmpty()) << rig.messages.messages.join(u'|').toStdString();
    const QByteArrayList expected = fixtureCommands(CommunicatorModel::TkvC)[4];
    const QByteArrayList sent = rig.programmingCommands();
    EXPECT_EQ(sent.count(expected[0]), c.sendsOfFirst);
    EXPECT_EQ(sent.mid(c.sendsOfFirst), expected.mid(1));
    EXPECT_EQ(quint8(rig.communicator.memory[64]), 4);  // blocking: the engineer's presence
    if (*c.reported) {
        EXPECT_TRUE(rig.reportText().contains(c.reported)) << rig.reportText().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RemoteWriteRecovers,
    ::testing::Values(
        RecoveryCase{"Err", [](RemoteWriteRig &r) { r.box.faults.errReplies = 1; }, 2, "< ERR\r\n"},
        RecoveryCase{"LostB", [](RemoteWriteRig &r) { r.box.faults.lostAnswers = 1; }, 2,
                     "TX - RECN dtmf   not receive DTMF -  R E P E A T"},
        RecoveryCase{"LineNoise", [](RemoteWriteRig &r) { r.box.faults.noisyDigits = 1; }, 2,
                     "TX - RECN dtmf   not receive DTMF -  R E P E A T"},
        RecoveryCase{"LateB", [](RemoteWriteRig &r) { r.communicator.faults.lateAcknowledgements = 1; }, 1, ""},
        // A line that arrives in pieces is kept until it is complete...
        RecoveryCase{"ReplyInPieces", [](RemoteWriteRig &r) { r.box.faults.slowReplies = true; }, 1, ""},
        // ...but a piece that never ends does not stick to the reply after a time-out.
        RecoveryCase{"PieceOfALineThenNoReply",
                     [](RemoteWriteRig &r) {
                         r.box.faults.unanswered = 1;
                         r.box.inject("X");
                     },
                     2, ""}),
    [](const auto &info) { return std::string(info.param.name); });

struct LimitCase {
    const char *name;
    std::function<void(RemoteWriteRig &)> inject;
    std::function<QString(RemoteWriteRig &)> message;
    int sendsOfFirst;
};

class RemoteWriteLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(RemoteWriteLimits, EndTheWritingWithTheirMessage)
{
    const LimitCase &c = GetParam();
    RemoteWriteRig rig;
    rig.writeView.onPage = [&](int) { c.inject(rig); };
    ASSERT_TRUE(rig.start(liftOnly));
    ASSERT_TRUE(rig.runToEnd(std::chrono::hours(1)));
    EXPECT_FALSE(rig.writeView.finished);
    EXPECT_EQ(rig.messages.messages, QStringList{c.message(rig)});
    EXPECT_EQ(rig.programmingCommands().count("ATDE312"), c.sendsOfFirst);
    EXPECT_FALSE(rig.write.isTimerActive());
    // The keep-alive has the link again (or the box is gone).
    EXPECT_TRUE(rig.link.isRemoteMode());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RemoteWriteLimits,
    ::testing::Values(
        LimitCase{"ErrEveryTime", [](RemoteWriteRig &r) { r.box.faults.errReplies = -1; },
                  [](RemoteWriteRig &r) { return r.failure(43); }, 12},
        LimitCase{"SilentBox", [](RemoteWriteRig &r) { r.box.faults.silent = true; },
                  [](RemoteWriteRig &r) { return r.failure(44); }, 12},
        LimitCase{"NoBEver", [](RemoteWriteRig &r) { r.box.faults.lostAnswers = -1; },
                  [](RemoteWriteRig &r) { return r.text(35) + QStringLiteral("TX - max. repeat"); }, 3},
        LimitCase{"HungUp", [](RemoteWriteRig &r) { r.box.remoteHangUp(); },
                  [](RemoteWriteRig &r) { return r.text(35) + QStringLiteral("TX - max. repeat"); }, 3},
        LimitCase{"WrongReplies",
                  [](RemoteWriteRig &r) {
                      r.box.faults.silent = true;
                      const Nanos begin = r.clock.now() + std::chrono::seconds(3);
                      for (int i = 0; i < 15; ++i)
                          r.clock.schedule(begin + std::chrono::milliseconds(300) * i,
                                           [&r] { r.box.inject("XX\r\n"); });
                  },
                  [](RemoteWriteRig &r) {
                      return r.text(33) + QStringLiteral(" '") + r.text(41) + QStringLiteral(" ATDE312\r\n'");
                  },
                  1},
        LimitCase{"ReceiveNotAnswered",
                  [](RemoteWriteRig &r) {
                      r.writeView.onStatus = [&r](WriteStatus status) {
                          if (status == WriteStatus::Normal)
                              r.box.faults.silent = true;
                      };
                  },
                  [](RemoteWriteRig &r) { return r.text(35) + QStringLiteral("TX - RECE   not receive OK"); }, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RemoteWrite, BlockingWithInformationIsLeftOutAndTold)
{
    RemoteWriteRig rig;
    setChoice(rig.set, "blockingPolarity",
              "Blocking of dialing from Pushbutton 1 is done by opening the terminals + send info", rig.model);
    const quint8 blockingBefore = quint8(rig.communicator.memory[64]);
    ASSERT_TRUE(rig.start(liftOnly));
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_TRUE(rig.writeView.finished);
    QByteArrayList expected = fixtureCommands(CommunicatorModel::TkvC)[4];
    expected.removeAll("ATDE342");
    EXPECT_EQ(rig.programmingCommands(), expected);
    EXPECT_EQ(quint8(rig.communicator.memory[64]), blockingBefore);
    EXPECT_TRUE(rig.reportText().contains("Not written: code 34 (blockingPolarity), "));
    ASSERT_EQ(rig.messages.messages.size(), 1);
    EXPECT_TRUE(rig.messages.messages[0].startsWith(rig.texts.text(QStringLiteral("Extensions"), 23)));
    EXPECT_TRUE(rig.messages.messages[0].contains(QStringLiteral("34 Polarity of blocking")));
}

TEST(RemoteWrite, CancelBetweenPagesKeepsWhatWasWritten)
{
    RemoteWriteRig rig;
    rig.writeView.onPage = [&rig](int page) {
        if (page == 6) {
            rig.write.requestCancel();
            EXPECT_NE(rig.write.state(), RemoteWrite::State::Closed);
        }
    };
    const QByteArray before = rig.communicator.memory;
    ASSERT_TRUE(rig.start(WritePageChoice::only({WritePageId::Lift, WritePageId::Handsfree})));
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_FALSE(rig.writeView.finished);
    EXPECT_EQ(rig.programmingCommands(), fixtureCommands(CommunicatorModel::TkvC)[4]);
    EXPECT_NE(rig.communicator.memory.mid(64, 10), before.mid(64, 10));
    EXPECT_EQ(rig.communicator.memory.mid(240, 11), before.mid(240, 11));
    EXPECT_TRUE(rig.link.isConnected());
    EXPECT_TRUE(rig.reportText().contains("End of report "));
}

}  // namespace
