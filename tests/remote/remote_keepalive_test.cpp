#include "RemoteRig.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

const QByteArrayList HangUp = {"ATDE9", "ATDE9", "ATH", "AT@BASIC"};

struct ConnectedRig : RemoteRig {
    ConnectedRig()
    {
        connected = connect();
        connectedAt = clock.now();
        handshake = DialStep::Count;  // a clean handshake sends each step once
    }
    QByteArrayList sinceConnected() const { return box.commands.mid(handshake); }

    bool connected = false;
    Nanos connectedAt{0};
    int handshake = 0;
};

TEST(RemoteKeepAlive, ACycleEvery15SecondsCountedAtTheEndOfEachIdlePeriod)
{
    ConnectedRig rig;
    ASSERT_TRUE(rig.connected);
    EXPECT_EQ(rig.link.keepAliveCycles(), 0);
    ASSERT_TRUE(rig.runUntil([&] { return rig.link.isIdle(); }));
    EXPECT_EQ(rig.sinceConnected(), QByteArrayList({"ATDE8A", "AT@RECE", "AT@RECN"}));
    EXPECT_EQ(rig.link.keepAliveCycles(), 0);

    const Nanos idleFrom = rig.clock.now();
    ASSERT_TRUE(rig.runUntil([&] { return !rig.link.isIdle(); }));
    EXPECT_GT(rig.clock.now() - idleFrom, RemoteLink::keepAliveIdle);
    EXPECT_LE(rig.clock.now() - idleFrom, RemoteLink::keepAliveIdle + milliseconds(60));
    EXPECT_EQ(rig.link.keepAliveCycles(), 1);

    rig.clock.advanceBy(std::chrono::minutes(2));
    EXPECT_GE(rig.link.keepAliveCycles(), 7);
    EXPECT_TRUE(rig.link.isConnected());
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    EXPECT_EQ(rig.sinceConnected().count("AT@RECN"), rig.link.keepAliveCycles() + 1);
}

TEST(RemoteKeepAlive, RecoversFromALostBAndAnErr)
{
    for (const bool err : {false, true}) {
        SCOPED_TRACE(err);
        ConnectedRig rig;
        ASSERT_TRUE(rig.connected);
        ASSERT_TRUE(rig.runUntil([&] { return rig.link.isIdle(); }));
        if (err)
            rig.box.faults.errReplies = 3;
        else
            rig.box.faults.lostAnswers = 1;
        rig.clock.advanceBy(seconds(40));
        EXPECT_TRUE(rig.link.isConnected());
        EXPECT_GE(rig.link.keepAliveCycles(), 2);
        EXPECT_TRUE(rig.messages.messages.isEmpty());
    }
}

TEST(RemoteKeepAlive, EachLimitDisconnectsWithItsMessage)
{
    struct Case {
        const char *name;
        std::function<void(RemoteRig &)> inject;
        std::function<QString(const RemoteRig &)> message;
        Nanos within;
    };
    const Case cases[] = {
        {"\"ERR\" more than 10 times", [](RemoteRig &r) { r.box.faults.errReplies = -1; },
         [](const RemoteRig &r) { return r.failure(43); }, seconds(20)},
        {"no \"B\" for 21 replies", [](RemoteRig &r) { r.box.faults.lostAnswers = -1; },
         [](const RemoteRig &r) { return r.text(33) + "'8A -> B'"; }, seconds(60)},
        {"the far end hung up", [](RemoteRig &r) { r.box.remoteHangUp(); },
         [](const RemoteRig &r) { return r.text(33) + "'8A -> B'"; }, seconds(60)},
        {"a silent box for a minute", [](RemoteRig &r) { r.box.faults.silent = true; },
         [](const RemoteRig &r) { return r.failure(44); }, seconds(61)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ConnectedRig rig;
        ASSERT_TRUE(rig.connected);
        ASSERT_TRUE(rig.runUntil([&] { return rig.link.isIdle(); }));
        c.inject(rig);
        ASSERT_TRUE(rig.runUntil([&] { return !rig.link.isIdle(); }));
        const Nanos cycleStart = rig.clock.now();
        ASSERT_TRUE(rig.runUntil([&] { return !rig.link.isRemoteMode(); }, c.within));
        EXPECT_EQ(rig.messages.messages, QStringList{c.message(rig)});
        EXPECT_EQ(rig.view.disconnected, 1);
        EXPECT_FALSE(rig.link.isTimerActive());
        EXPECT_EQ(rig.box.commands.mid(rig.box.commands.size() - 4), HangUp);
        if (QByteArray(c.name).contains("silent")) {
            EXPECT_GE(rig.clock.now() - cycleStart, RemoteLink::keepAliveLimit);
        }
    }
}

TEST(RemoteKeepAlive, DisconnectHangsUpWithItsPausesAndStopsTheExchange)
{
    ConnectedRig rig;
    ASSERT_TRUE(rig.connected);
    ASSERT_TRUE(rig.runUntil([&] { return rig.link.isIdle(); }));
    rig.box.inject("late");
    const Nanos start = rig.clock.now();
    rig.link.remoteDisconnect();
    EXPECT_EQ(rig.clock.now() - start, milliseconds(3500));
    EXPECT_EQ(rig.box.commands.mid(rig.box.commands.size() - 4), HangUp);
    EXPECT_FALSE(rig.box.isOffHook());
    EXPECT_FALSE(rig.link.isRemoteMode());
    EXPECT_FALSE(rig.link.isTimerActive());
    EXPECT_EQ(rig.view.disconnected, 1);
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    // The hang-up's replies and the late bytes were discarded.
    EXPECT_TRUE(rig.link.blackBox().readBlackBox().isEmpty());
    const qsizetype sent = rig.box.commands.size();
    rig.clock.advanceBy(seconds(60));
    EXPECT_EQ(rig.box.commands.size(), sent);
}

TEST(RemoteKeepAlive, ACancelWhileConnectedDisconnects)
{
    ConnectedRig rig;
    ASSERT_TRUE(rig.connected);
    // Inside the 500 ms wait before "AT@RECN": acted on after it.
    ASSERT_TRUE(rig.runUntil([&] { return rig.box.commands.size() == rig.handshake + 2; }));
    bool hungUpAtOnce = true;
    rig.clock.schedule(rig.clock.now() + milliseconds(150), [&] {
        rig.link.requestCancel();
        hungUpAtOnce = rig.box.commands.contains("ATH");
    });
    ASSERT_TRUE(rig.runUntil([&] { return !rig.link.isRemoteMode(); }));
    EXPECT_FALSE(hungUpAtOnce);
    EXPECT_EQ(rig.view.disconnected, 1);
    EXPECT_EQ(rig.box.commands.mid(rig.box.commands.size() - 4), HangUp);

    // With no step running the cancel acts at once.
    ConnectedRig idle;
    ASSERT_TRUE(idle.connected);
    ASSERT_TRUE(idle.runUntil([&] { return idle.link.isIdle(); }));
    idle.link.requestCancel();
    EXPECT_FALSE(idle.link.isRemoteMode());
}

TEST(RemoteKeepAlive, TheReadAndWriteDialogsBorrowTheLink)
{
    ConnectedRig rig;
    ASSERT_TRUE(rig.connected);
    rig.link.lendLink();
    EXPECT_FALSE(rig.link.isTimerActive());
    const qsizetype sent = rig.box.commands.size();
    rig.clock.advanceBy(seconds(30));
    EXPECT_EQ(rig.box.commands.size(), sent);
    EXPECT_TRUE(rig.link.isRemoteMode());

    const Nanos start = rig.clock.now();
    rig.link.takeLinkBack();
    EXPECT_EQ(rig.clock.now() - start, milliseconds(2000));
    EXPECT_EQ(rig.box.commands.last(), "ATDE8A");
    ASSERT_TRUE(rig.runUntil([&] { return rig.link.isIdle(); }));
    EXPECT_TRUE(rig.messages.messages.isEmpty());
}

}  // namespace
