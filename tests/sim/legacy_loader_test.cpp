#include "SimWire.h"
#include "link/SimLink.h"
#include "sim/SimDevice.h"
#include "sim/SimLegacyLoader.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>

namespace {

QByteArray packet(quint16 wordAddress, const QByteArray &data)
{
    QByteArray p;
    p.append(char(wordAddress & 0xFF));
    p.append(char(wordAddress >> 8));
    return p + data;
}

const QByteArray endPacket = QByteArray(1, char(0x55)) + QByteArray(9, char(0xFF));
const QByteArray data8 = QByteArrayLiteral("\x12\x34\x56\x78\x9A\xBC\xDE\xF0");

QByteArray feed(SimLegacyLoader &loader, const QByteArray &bytes)
{
    QByteArray reply;
    for (char c : bytes)
        reply += loader.receive(quint8(c));
    return reply;
}

// A loader that has answered its "w".
SimLegacyLoader connected()
{
    SimLegacyLoader loader;
    feed(loader, "w");
    return loader;
}


TEST(SimLegacyLoader, ConnectsTakesAPacketAndEndsWithTheEndPacket)
{
    Wire wire(SimKind::TkvC);
    EXPECT_TRUE(wire.send("Fx").isEmpty());
    ASSERT_NE(wire.device.legacyLoader(), nullptr);

    // More "w"s reach it before the program has seen the first "Y".
    EXPECT_EQ(wire.send("www"), "YYY");
    EXPECT_EQ(wire.send(packet(0x0010, data8)), "OOOOOOOOOK");
    EXPECT_EQ(wire.send(endPacket), "OOOOOOOOOZ");

    const SimLegacyLoader &loader = *wire.device.legacyLoader();
    EXPECT_TRUE(loader.isFinished());
    EXPECT_EQ(loader.packets, QByteArrayList({packet(0x0010, data8), endPacket}));
    EXPECT_EQ(loader.flash.mid(0x20, 8), data8);
    EXPECT_EQ(loader.flash.count(char(0xFF)), SimLegacyLoader::flashSize - 8);
    // The communicator runs its firmware again.
    EXPECT_FALSE(wire.device.isLoadingFirmware());
    EXPECT_EQ(wire.send("V").left(2), QByteArray("V\x3A"));
}

class SimLegacyLoaderAddress : public ::testing::TestWithParam<quint16> {};

TEST_P(SimLegacyLoaderAddress, PacketLandsAtTwiceItsWordAddress)
{
    SimLegacyLoader loader = connected();
    EXPECT_EQ(feed(loader, packet(GetParam(), data8)), "OOOOOOOOOK");
    EXPECT_EQ(loader.flash.mid(2 * GetParam(), 8), data8);
}

INSTANTIATE_TEST_SUITE_P(SimWordAddresses, SimLegacyLoaderAddress, ::testing::Values(0x0004, 0x0090, 0x3BFC, 0x7FFC));

TEST(SimLegacyLoader, PacketBeyondTheFlashIsAnsweredE)
{
    SimLegacyLoader loader = connected();
    EXPECT_EQ(feed(loader, packet(0x7FFE, data8)), "OOOOOOOOOE");
    EXPECT_TRUE(loader.packets.isEmpty());
}

TEST(SimLegacyLoader, IgnoredConnectsLeaveItWaiting)
{
    SimLegacyLoader loader;
    loader.faults.ignoredConnects = 2;
    EXPECT_EQ(feed(loader, "www"), "Y");

    SimLegacyLoader deaf;
    deaf.faults.ignoredConnects = -1;
    EXPECT_TRUE(feed(deaf, QByteArray(101, 'w')).isEmpty());
    EXPECT_FALSE(deaf.isConnected());
}

struct ByteFaultCase {
    const char *name;
    int SimLegacyLoaderFaults::*fault;
    QByteArray answerToByte4;
};

class SimLegacyLoaderFault : public ::testing::TestWithParam<ByteFaultCase> {};

TEST_P(SimLegacyLoaderFault, StrikesOnceAndThePacketIsTakenWhenSentAgain)
{
    SimLegacyLoader loader = connected();
    loader.faults.*GetParam().fault = 4;
    const QByteArray p = packet(0x0100, data8);

    EXPECT_EQ(feed(loader, p.left(4)), "OOO" + GetParam().answerToByte4);
    EXPECT_EQ(feed(loader, p), "OOOOOOOOOK");
    EXPECT_EQ(loader.packets, QByteArrayList({p}));
    EXPECT_EQ(loader.flash.mid(0x200, 8), data8);
}

INSTANTIATE_TEST_SUITE_P(
    SimInjected, SimLegacyLoaderFault,
    ::testing::Values(ByteFaultCase{"Resend", &SimLegacyLoaderFaults::resendAtByte, "P"},
                      ByteFaultCase{"EarlyAck", &SimLegacyLoaderFaults::earlyAckAtByte, "K"},
                      ByteFaultCase{"Silence", &SimLegacyLoaderFaults::silentAtByte, ""},
                      ByteFaultCase{"Error", &SimLegacyLoaderFaults::errorAtByte, "E"}),
    [](const auto &info) { return std::string(info.param.name); });

struct EntryCase {
    const char *name;
    SimKind kind;
    int version;  // 0: the device's own
    QByteArray sent;
    bool entered;
};

class SimLoaderEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(SimLoaderEntry, XEntersOnlyWhereTheFirmwareTakesIt)
{
    const EntryCase &c = GetParam();
    SimDevice device(c.kind);
    if (c.version)
        device.firmwareVersion = quint8(c.version);
    for (char b : c.sent)
        device.receive(quint8(b));

    EXPECT_EQ(device.isLoadingFirmware(), c.entered);
    const bool legacy = c.kind != SimKind::TkvC3;
    EXPECT_EQ(device.legacyLoader() != nullptr, c.entered && legacy);
    EXPECT_EQ(device.bootloader() != nullptr, c.entered && !legacy);
    if (c.entered && legacy) {
        EXPECT_EQ(device.receive('w'), "Y");
    }
}

INSTANTIATE_TEST_SUITE_P(
    SimModels, SimLoaderEntry,
    ::testing::Values(EntryCase{"TkvC58XAlone", SimKind::TkvC, 0, "x", false},
                      EntryCase{"TkvC58FThenX", SimKind::TkvC, 0, "Fx", true},
                      EntryCase{"TkvC58FNotJustBefore", SimKind::TkvC, 0, "FVx", false},
                      EntryCase{"TkvC2_62XAlone", SimKind::TkvC2, 0, "x", false},
                      EntryCase{"TkvC2_62FThenX", SimKind::TkvC2, 0, "Fx", true},
                      EntryCase{"TkvC37XAlone", SimKind::TkvC, 37, "x", true},
                      EntryCase{"TkvC2_37XAlone", SimKind::TkvC2, 37, "x", true},
                      EntryCase{"TkvC3XAlone", SimKind::TkvC3, 0, "x", true},
                      EntryCase{"OptionX", SimKind::Option, 0, "Fx", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimDeviceVersion, OlderVersionIsWhatTheIdentificationReports)
{
    SimDevice device(SimKind::TkvC);
    device.firmwareVersion = 37;
    EXPECT_EQ(device.identificationReply('V').left(2), QByteArray("V\x25"));
}

}  // namespace
