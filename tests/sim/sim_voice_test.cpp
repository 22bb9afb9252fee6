#include "SimWire.h"
#include "link/SimLink.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// Samples full of letters the devices would take as requests ("v", "V", "x", "W", "M").
QByteArray samples(int count, int seed = 0)
{
    static const QByteArray letters = "vVxWMRNm";
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(i % 3 == 0 ? letters[(i + seed) % letters.size()] : char((i * 37 + seed) % 255));
    return out;
}

QByteArray c3Header(int number, int count)
{
    QByteArray header = "Wm";
    header.append(char(number));
    header.append(char(count & 0xFF));
    header.append(char(count >> 8));
    return header;
}

const QByteArray filler(16, char(0xFF));

// The device answers identifications again.
void expectIdle(Wire &wire)
{
    const QByteArray request = wire.device.kind() == SimKind::TkvC3 ? "v" : "V";
    const QByteArray reply = wire.send(request);
    ASSERT_FALSE(reply.isEmpty());
    EXPECT_EQ(reply.left(1), wire.device.kind() == SimKind::TkvC3 ? "v" : "L");
    EXPECT_FALSE(wire.device.isReceivingVoice());
}

TEST(SimVoiceC3, TakesAMessageInBlocksOfSixteen)
{
    Wire wire(SimKind::TkvC3);
    const QByteArray message = samples(20);
    EXPECT_EQ(wire.send(c3Header(2, 20)), "AO");
    EXPECT_EQ(wire.send(message.left(15)), "");
    EXPECT_EQ(wire.send(message.mid(15, 1)), "O");
    EXPECT_EQ(wire.send(message.mid(16)), "K");
    EXPECT_EQ(wire.device.c3Voice.messages[2], message);
    EXPECT_TRUE(wire.device.c3Voice.messages[1].isEmpty());
    expectIdle(wire);
}

TEST(SimVoiceC3, RefusesAnEmptyOrOversizedCount)
{
    Wire wire(SimKind::TkvC3);
    EXPECT_EQ(wire.send(c3Header(0, 0)), "E");
    expectIdle(wire);
    EXPECT_EQ(wire.send(c3Header(0, 48000)), "E");
    expectIdle(wire);
    EXPECT_EQ(wire.send(c3Header(7, 47999)), "AO");
    EXPECT_TRUE(wire.device.isReceivingVoice());
}

TEST(SimVoiceC3, ErrorFaultStrikesOnceAndSwallowsTheRestOfTheBlock)
{
    Wire wire(SimKind::TkvC3);
    wire.device.c3Voice.faults.errorAfterSamples = 5;
    const QByteArray message = samples(20, 3);
    EXPECT_EQ(wire.send(c3Header(4, 20)), "AO");
    EXPECT_EQ(wire.send(message.left(16)), "E");
    EXPECT_EQ(wire.device.c3Voice.messages[4], message.left(5));
    expectIdle(wire);

    EXPECT_EQ(wire.send(c3Header(4, 20)), "AO");
    EXPECT_EQ(wire.send(message.left(16)), "O");
    EXPECT_EQ(wire.send(message.mid(16)), "K");
    EXPECT_EQ(wire.device.c3Voice.messages[4], message);
}

TEST(SimVoiceC3, SilentFaultLeavesTheBlockUnanswered)
{
    Wire wire(SimKind::TkvC3);
    wire.device.c3Voice.faults.silentAfterSamples = 16;
    const QByteArray message = samples(20);
    EXPECT_EQ(wire.send(c3Header(0, 20)), "AO");
    EXPECT_EQ(wire.send(message.left(16)), "");
    EXPECT_EQ(wire.device.c3Voice.faults.silentAfterSamples, 0);
    expectIdle(wire);
}

TEST(SimVoiceTalker, FirstBlockSentAtOnceAfterA)
{
    // A program on a COM-port cable: it answers each announcement at once.
    VirtualClock clock;
    SimDevice device(SimKind::Talker);
    SimLink link(clock, device, false);
    const QByteArray message = samples(32, 1);
    QByteArray replies;
    link.setArrivalHandler([&](int) {
        const QByteArray reply = link.readAll();
        replies += reply;
        if (reply == "A")
            link.writeText(message.left(16));
    });
    link.open();
    link.writeText("M5");
    clock.advanceBy(1s);
    EXPECT_EQ(replies, "AO");
    link.writeText(message.mid(16));
    clock.advanceBy(1s);
    link.writeText(filler);
    clock.advanceBy(1s);
    EXPECT_EQ(replies, "AOOO");
    EXPECT_EQ(device.talkerVoice.messages.value('5'), message);
    EXPECT_FALSE(device.isReceivingVoice());
}

TEST(SimVoiceTalker, AsksForTheFirstBlockWhenTheProgramWaits)
{
    Wire wire(SimKind::Talker);
    wire.link.writeText("M1");
    wire.clock.advanceBy(5ms);
    EXPECT_EQ(wire.link.readAll(), "A");
    wire.clock.advanceBy(10ms);
    EXPECT_EQ(wire.link.readAll(), "");
    wire.clock.advanceBy(10ms);
    EXPECT_EQ(wire.link.readAll(), "O");

    // The last data block carries padding; the filler after it ends the message.
    const QByteArray message = samples(16) + samples(4, 2) + QByteArray(12, char(0xFF));
    EXPECT_EQ(wire.send(message.left(16)), "O");
    EXPECT_EQ(wire.send(message.mid(16)), "O");
    EXPECT_EQ(wire.send(filler), "O");
    EXPECT_EQ(wire.device.talkerVoice.messages.value('1'), message);
    // The program's further filler blocks find the module idle.
    EXPECT_EQ(wire.send(filler + filler), "");
    expectIdle(wire);
}

TEST(SimVoiceTalker, SilentFaultEndsTheMessageWithoutAnAnswer)
{
    Wire wire(SimKind::Talker);
    wire.device.talkerVoice.faults.silentAfterBytes = 20;
    const QByteArray message = samples(32);
    EXPECT_EQ(wire.send("M2"), "AO");
    EXPECT_EQ(wire.send(message.left(16)), "O");
    EXPECT_EQ(wire.send(message.mid(16)), "");
    EXPECT_EQ(wire.device.talkerVoice.messages.value('2'), message.left(16));
    // The program gives up with one 0xFF.
    EXPECT_EQ(wire.send(QByteArray(1, char(0xFF))), "");
    expectIdle(wire);
}

TEST(SimVoiceOldTalker, FillsASmallAreaAndAnswersK)
{
    Wire wire(SimKind::TalkerOld);
    wire.device.oldTalkerVoice.areaBlocks['3'] = 3;
    const QByteArray blocks = samples(128, 4) + QByteArray(64, char(0x80));
    EXPECT_EQ(wire.send("N"), "");
    EXPECT_EQ(wire.send("M3"), "A");
    EXPECT_EQ(wire.send(blocks.left(64)), "O");
    EXPECT_EQ(wire.send(blocks.mid(64, 64)), "O");
    EXPECT_EQ(wire.send(blocks.mid(128)), "K");
    EXPECT_EQ(wire.device.oldTalkerVoice.messages.value('3'), blocks);
    EXPECT_EQ(wire.device.oldTalkerVoice.areaBlocks.value('4'), 944);
    expectIdle(wire);
}

TEST(SimVoiceOldTalker, SilentFaultEndsTheMessageWithoutAnAnswer)
{
    Wire wire(SimKind::TalkerOld);
    wire.device.oldTalkerVoice.areaBlocks['1'] = 3;
    wire.device.oldTalkerVoice.faults.silentAfterBytes = 70;
    const QByteArray blocks = samples(128);
    EXPECT_EQ(wire.send("NM1"), "A");
    EXPECT_EQ(wire.send(blocks.left(64)), "O");
    EXPECT_EQ(wire.send(blocks.mid(64)), "");
    // The program's overflow block finds the module idle.
    EXPECT_EQ(wire.send(QByteArray(64, char(0x80))), "");
    expectIdle(wire);
}

} // namespace
