#include "SimWire.h"
#include "sim/SimBlackBox.h"
#include "sim/SimFaultPlan.h"
#include "sim/SimRemoteCommunicator.h"

#include <gtest/gtest.h>

namespace {

SimFaultChances only(quint32 SimFaultChances::*kind, quint32 partsPerMillion)
{
    SimFaultChances chances;
    chances.*kind = partsPerMillion;
    return chances;
}

constexpr quint32 always = 1'000'000;

TEST(SimFaultPlan, TheSameSeedStrikesTheSameEvents)
{
    SimFaultChances chances;
    chances.loss = 50'000;
    chances.corruption = 50'000;
    chances.delay = 50'000;
    chances.silence = 5'000;
    SimFaultPlan first(42, chances);
    SimFaultPlan second(42, chances);
    SimFaultPlan other(43, chances);
    int differences = 0;
    for (int i = 0; i < 5000; ++i) {
        const auto a = first.next();
        EXPECT_EQ(a, second.next()) << "event " << i;
        differences += a != other.next();
        EXPECT_EQ(first.corrupt(0x41), second.corrupt(0x41));
        EXPECT_EQ(first.delay(), second.delay());
        other.corrupt(0x41);
        other.delay();
    }
    EXPECT_GT(differences, 100);
}

TEST(SimFaultPlan, WithoutChancesNothingIsStruckOrCounted)
{
    SimFaultPlan plan;
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(plan.next(), SimFaultPlan::Strike::None);
    EXPECT_EQ(plan.counts().events, 0);
    EXPECT_EQ(plan.counts().struck(), 0);
}

TEST(SimFaultPlan, EachKindStrikesAboutAsOftenAsItsChance)
{
    struct Case {
        quint32 SimFaultChances::*kind;
        SimFaultPlan::Strike strike;
    };
    for (const Case c : {Case{&SimFaultChances::loss, SimFaultPlan::Strike::Loss},
                         Case{&SimFaultChances::corruption, SimFaultPlan::Strike::Corruption},
                         Case{&SimFaultChances::delay, SimFaultPlan::Strike::Delay}}) {
        SimFaultPlan plan(7, only(c.kind, 100'000));
        int struck = 0;
        for (int i = 0; i < 20000; ++i)
            struck += plan.next() == c.strike;
        EXPECT_NEAR(struck, 2000, 200);
        EXPECT_EQ(plan.counts().events, 20000);
    }
}

TEST(SimFaultPlan, ASilenceLosesTheEventsThatFollow)
{
    SimFaultChances chances = only(&SimFaultChances::silence, always);
    chances.silenceLength = 5;
    SimFaultPlan plan(1, chances);
    ASSERT_EQ(plan.next(), SimFaultPlan::Strike::Silence);
    plan.setChances({});
    int lost = 0;
    while (plan.next() == SimFaultPlan::Strike::Loss)
        ++lost;
    EXPECT_GE(lost, 1);
    EXPECT_LE(lost, 5);
    EXPECT_EQ(plan.counts().silences, 1);
    EXPECT_EQ(plan.counts().losses, lost + 1);
}

TEST(SimFaultPlan, CorruptionAlwaysChangesTheValue)
{
    SimFaultPlan plan(3, {});
    for (int byte = 0; byte < 256; ++byte)
        for (int i = 0; i < 20; ++i)
            EXPECT_NE(plan.corrupt(quint8(byte)), byte);
    for (const char digit : QByteArray("D1234567890*#ABC"))
        for (int i = 0; i < 20; ++i) {
            const char other = plan.corruptWithin(digit, "D1234567890*#ABC");
            EXPECT_NE(other, digit);
            EXPECT_TRUE(QByteArray("D1234567890*#ABC").contains(other));
        }
}

TEST(SimDeviceLineFaults, ALostRequestIsNeverAnswered)
{
    Wire wire(SimKind::Switch);
    wire.device.faults.toDevice = SimFaultPlan(1, only(&SimFaultChances::loss, always));
    EXPECT_TRUE(wire.send("RP").isEmpty());
    EXPECT_EQ(wire.device.received, QByteArray("RP"));  // the PC did send them
    wire.device.faults.toDevice.setChances({});
    EXPECT_EQ(wire.send("RP"), wire.device.memory());
}

TEST(SimDeviceLineFaults, AChangedBlockByteIsStoredChangedAndAcknowledged)
{
    Wire wire(SimKind::Switch);
    const QByteArray block = QByteArray::fromHex("0102030405060708");
    EXPECT_EQ(wire.send("WP"), QByteArray());
    wire.device.faults.toDevice = SimFaultPlan(5, only(&SimFaultChances::corruption, always));
    EXPECT_EQ(wire.send(block.left(1)), "D");
    wire.device.faults.toDevice.setChances({});
    EXPECT_EQ(wire.send(block.mid(1)), "DDDDDDZ");
    EXPECT_NE(wire.device.memory()[0], block[0]);
    EXPECT_EQ(wire.device.memory().mid(1), block.mid(1));
}

TEST(SimDeviceLineFaults, AnswerBytesAreLostOrChanged)
{
    Wire lossy(SimKind::Option);
    lossy.device.faults.fromDevice = SimFaultPlan(2, only(&SimFaultChances::loss, 300'000));
    const QByteArray partial = lossy.send("RP");
    EXPECT_LT(partial.size(), lossy.device.memory().size());
    EXPECT_GT(partial.size(), 0);

    Wire noisy(SimKind::Option);
    noisy.device.faults.fromDevice = SimFaultPlan(2, only(&SimFaultChances::corruption, 300'000));
    const QByteArray changed = noisy.send("RP");
    ASSERT_EQ(changed.size(), noisy.device.memory().size());
    int differing = 0;
    for (qsizetype i = 0; i < changed.size(); ++i)
        differing += changed[i] != noisy.device.memory()[i];
    EXPECT_GT(differing, 0);
    EXPECT_EQ(noisy.device.faults.fromDevice.counts().corruptions, differing);
}

TEST(SimDeviceLineFaults, ALateAnswerComesAfterItsDelayOrBeforeTheNextAnswer)
{
    SimFaultChances late = only(&SimFaultChances::delay, always);
    late.maxDelay = std::chrono::milliseconds(300);
    SimFaultPlan twin(9, late);
    twin.next();
    const Nanos delay = twin.delay();

    Wire wire(SimKind::Switch);
    const QByteArray reply = wire.device.identificationReply('V');
    wire.device.faults.fromDevice = SimFaultPlan(9, late);
    wire.link.writeText("V");
    wire.device.faults.fromDevice.setChances({});
    wire.clock.advanceBy(delay);
    EXPECT_EQ(wire.link.bytesWaiting(), 0);
    wire.clock.advanceBy(std::chrono::milliseconds(40));
    EXPECT_EQ(wire.link.readAll(), reply);

    // Overtaken by the next byte: the late answer goes first.
    wire.device.faults.fromDevice = SimFaultPlan(9, late);
    wire.link.writeText("V");
    wire.device.faults.fromDevice.setChances({});
    wire.link.writeText("V");
    wire.clock.advanceBy(std::chrono::milliseconds(60));
    EXPECT_EQ(wire.link.readAll(), reply + reply);
}

TEST(SimDeviceLineFaults, TheReceiveTimeOutDropsAHalfTakenBlock)
{
    Wire wire(SimKind::Switch);
    const QByteArray before = wire.device.memory();
    EXPECT_EQ(wire.send("WP\x01\x02"), "DD");
    // Without a time-out the next request is taken as block bytes.
    EXPECT_EQ(wire.send("RP"), "DD");
    EXPECT_EQ(wire.device.memory().left(4), QByteArray("\x01\x02RP"));

    Wire timed(SimKind::Switch);
    timed.device.setReceiveTimeout(timed.clock, std::chrono::milliseconds(500));
    EXPECT_EQ(timed.send("WP\x01\x02"), "DD");  // a second passes after the bytes
    EXPECT_EQ(timed.send("RP"), timed.device.memory());
    EXPECT_EQ(timed.device.memory().left(2), QByteArray("\x01\x02"));
    EXPECT_EQ(timed.device.memory().mid(2), before.mid(2));
}

// A BlackBox whose line leads to a communicator in programming mode.
struct BoxLine {
    BoxLine() : box(clock, communicator)
    {
        communicator.password = "1234";
        command("ATA");
        command("ATDE0123");  // dials
        clock.advanceBy(std::chrono::seconds(3));
        command("ATDEB");
        clock.advanceBy(std::chrono::seconds(2));
        command("ATDE#1234");
        clock.advanceBy(std::chrono::seconds(2));
        box.takeArrived(10000);
    }
    void command(const QByteArray &line)
    {
        for (const char c : line + "\r\n")
            box.receive(quint8(c));
    }
    QByteArray exchange(const QByteArray &line, Nanos wait = std::chrono::milliseconds(250))
    {
        command(line);
        clock.advanceBy(wait);
        return box.takeArrived(10000);
    }
    // Sends the digits, listens, and after the wait fetches what came back: all the
    // box said after its "OK" to the listening, and its reply to the fetch.
    QByteArray ask(const QByteArray &digits, Nanos wait)
    {
        exchange("ATDE" + digits, std::chrono::milliseconds(100 * digits.size() + 100));
        exchange("AT@RECE", std::chrono::milliseconds(50));
        clock.advanceBy(wait);
        const QByteArray before = box.takeArrived(10000);
        return before + exchange("AT@RECN");
    }

    VirtualClock clock;
    SimRemoteCommunicator communicator;
    SimBlackBox box;
};

TEST(SimBlackBoxLineFaults, CommandLinesAreLostOrAnsweredErr)
{
    BoxLine line;
    ASSERT_EQ(line.communicator.state(), SimRemoteCommunicator::State::Programming);
    line.box.faults.commandLines = SimFaultPlan(1, only(&SimFaultChances::loss, always));
    EXPECT_EQ(line.exchange("AT@RECE"), QByteArray());
    line.box.faults.commandLines = SimFaultPlan(1, only(&SimFaultChances::corruption, always));
    EXPECT_EQ(line.exchange("ATDE8A"), "ERR\r\n");
    line.box.faults.commandLines.setChances({});
    EXPECT_EQ(line.ask("8A", std::chrono::seconds(1)), "BOK\r\n");
}

TEST(SimBlackBoxLineFaults, ALostBurstIsNeverHeardAndALateOneStillIs)
{
    BoxLine line;
    line.box.faults.bursts = SimFaultPlan(1, only(&SimFaultChances::loss, always));
    EXPECT_EQ(line.ask("8A", std::chrono::seconds(1)), "OK\r\n");

    SimFaultChances late = only(&SimFaultChances::delay, always);
    late.maxDelay = std::chrono::milliseconds(2000);
    line.box.faults.bursts = SimFaultPlan(1, late);
    EXPECT_EQ(line.ask("8A", std::chrono::seconds(3)), "BOK\r\n");
    EXPECT_EQ(line.box.faults.bursts.counts().delays, 1);
}

TEST(SimBlackBoxLineFaults, AnswerDigitsAreLostOrChanged)
{
    BoxLine line;
    const QByteArray clean = line.ask("8*10", std::chrono::seconds(5));
    ASSERT_EQ(clean.size(), QByteArray("FULL\r\n").size() + 32 + 4) << clean.constData();

    line.box.faults.answerDigits = SimFaultPlan(4, only(&SimFaultChances::loss, 100'000));
    const QByteArray lossy = line.ask("8*10", std::chrono::seconds(5));
    EXPECT_LT(lossy.size(), clean.size());
    EXPECT_TRUE(lossy.startsWith("FULL\r\n"));

    line.box.faults.answerDigits = SimFaultPlan(4, only(&SimFaultChances::corruption, 100'000));
    const QByteArray noisy = line.ask("8*10", std::chrono::seconds(5));
    EXPECT_EQ(noisy.size(), clean.size());
    EXPECT_NE(noisy, clean);
}

TEST(SimBlackBoxLineFaults, ReplyBytesAreLostOrChanged)
{
    BoxLine line;
    line.box.faults.replyBytes = SimFaultPlan(6, only(&SimFaultChances::loss, always));
    EXPECT_EQ(line.exchange("AT@RECE"), QByteArray());
    line.box.faults.replyBytes = SimFaultPlan(6, only(&SimFaultChances::corruption, always));
    const QByteArray changed = line.exchange("AT@RECE");
    EXPECT_EQ(changed.size(), 4);
    EXPECT_NE(changed, "OK\r\n");
}

}  // namespace
