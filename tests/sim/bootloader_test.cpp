#include "SimWire.h"
#include "link/SimLink.h"
#include "sim/SimBootloader.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray frame(quint8 command, std::array<quint8, 4> fields, quint32 address, const QByteArray &data = {})
{
    QByteArray f = bytes({0x55, command, fields[0], fields[1], fields[2], fields[3]});
    for (int i = 0; i < 4; ++i)
        f.append(char((address >> (8 * i)) & 0xFF));
    return f + data;
}

QByteArray versionRequest() { return frame(0x00, {0, 0, 0, 0}, 0); }
QByteArray resetRequest() { return frame(0x09, {0, 0, 0, 0}, 0); }
QByteArray eraseRequest(quint32 address, int rows)
{
    return frame(0x03, {quint8(rows), quint8(rows >> 8), 0x55, 0xAA}, address);
}
QByteArray writeRequest(quint32 address, const QByteArray &data)
{
    const auto n = data.size();
    return frame(0x02, {quint8(n), quint8(n >> 8), 0x55, 0xAA}, address, data);
}
QByteArray configurationRequest(quint32 address, const QByteArray &data)
{
    return frame(0x07, {quint8(data.size()), 0, 0x55, 0xAA}, address, data);
}
QByteArray checksumRequest(quint32 address, int length)
{
    return frame(0x08, {quint8(length), quint8(length >> 8), quint8(length >> 16), 0}, address);
}

QByteArray feed(SimBootloader &loader, const QByteArray &bytesIn)
{
    QByteArray reply;
    for (char c : bytesIn)
        reply += loader.receive(quint8(c));
    return reply;
}

QByteArray pattern(int size, int seed)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 7 + seed) & 0xFF);
    return data;
}

quint16 replySum(const QByteArray &reply)
{
    return quint16(quint8(reply[10]) | quint8(reply[11]) << 8);
}


struct VersionCase {
    const char *name;
    SimBootloaderSettings settings;
    QByteArray record;  // the 16 bytes after the echo
    int programSize;
};

class SimBootloaderVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(SimBootloaderVersion, ReplyAfterXIsTheEchoAndTheRecord)
{
    Wire wire(SimKind::TkvC3);
    wire.device.bootloaderSettings = GetParam().settings;
    EXPECT_TRUE(wire.send("x").isEmpty());
    ASSERT_TRUE(wire.device.isLoadingFirmware());

    EXPECT_EQ(wire.send(versionRequest()), versionRequest() + GetParam().record);
    EXPECT_EQ(wire.device.bootloader()->programSize(), GetParam().programSize);
}

INSTANTIATE_TEST_SUITE_P(
    SimDevices, SimBootloaderVersion,
    ::testing::Values(
        VersionCase{"Default128K", {},
                    bytes({5, 1, 0x0A, 0x01, 0, 0, 0x80, 0x74, 0, 0, 32, 128, 0, 0, 0, 0}), 0x20000},
        VersionCase{"Small64KWith128ByteLatch", {1, 5, 0x7440, 32, 64},
                    bytes({5, 1, 0x8A, 0x00, 0, 0, 0x40, 0x74, 0, 0, 32, 64, 0, 0, 0, 0}), 0x10000}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimBootloader, EraseThenWritesThenChecksumMatchesTheWrittenImage)
{
    SimBootloader loader;
    const QByteArray bootloaderCode = loader.programMemory.left(0x1000);
    const int rows = (0x20000 - 0x1000) / 64;
    EXPECT_EQ(quint8(feed(loader, eraseRequest(0x1000, rows)).at(10)), 0x01);

    const QByteArray first = pattern(256, 1), later = pattern(256, 99);
    EXPECT_EQ(feed(loader, writeRequest(0x1000, first)), writeRequest(0x1000, first).left(10) + '\x01');
    EXPECT_EQ(quint8(feed(loader, writeRequest(0x8000, later)).at(10)), 0x01);

    // Everything else of the application area reads back as erased words 0xFFFF.
    quint32 expected = (0x20000 - 0x1000 - 512) / 2 * 0xFFFFu;
    for (const QByteArray &block : {first, later})
        for (int i = 0; i < block.size(); i += 2)
            expected += quint8(block[i]) | quint8(block[i + 1]) << 8;
    const QByteArray reply = feed(loader, checksumRequest(0x1000, 0x20000 - 0x1000));
    ASSERT_EQ(reply.size(), 12);
    EXPECT_EQ(reply.left(10), checksumRequest(0x1000, 0x1F000));
    EXPECT_EQ(replySum(reply), quint16(expected));

    EXPECT_EQ(loader.programMemory.mid(0x8000, 256), later);
    EXPECT_EQ(loader.programMemory.left(0x1000), bootloaderCode);
    EXPECT_NE(bootloaderCode, QByteArray(0x1000, char(0xFF)));
    EXPECT_EQ(loader.erases, 1);
    EXPECT_EQ(loader.writes, 2);
    EXPECT_EQ(loader.checksumRequests, 1);
}

struct AreaCase {
    const char *name;
    quint32 address;
    int length;
    QByteArray SimBootloader::*area;
};

class SimBootloaderAreas : public ::testing::TestWithParam<AreaCase> {};

TEST_P(SimBootloaderAreas, WrittenAreaIsKeptAndSummed)
{
    const AreaCase &c = GetParam();
    SimBootloader loader;
    const QByteArray data = pattern(c.length, 5);
    const bool configuration = c.address == SimBootloader::configurationStart;
    const QByteArray request = configuration ? configurationRequest(c.address, data) : writeRequest(c.address, data);
    EXPECT_EQ(quint8(feed(loader, request).at(10)), 0x01);
    EXPECT_EQ(loader.*c.area, data);

    quint32 expected = 0;
    for (int i = 0; i < data.size(); ++i)
        expected += quint32(quint8(data[i])) << (i % 2 ? 8 : 0);
    EXPECT_EQ(replySum(feed(loader, checksumRequest(c.address, c.length))), quint16(expected));
}

INSTANTIATE_TEST_SUITE_P(
    SimAreas, SimBootloaderAreas,
    ::testing::Values(AreaCase{"UserId", 0x200000, 64, &SimBootloader::userId},
                      AreaCase{"DeviceInformation", 0x2C0000, 256, &SimBootloader::deviceInformation},
                      AreaCase{"Configuration", 0x300000, 10, &SimBootloader::configuration}),
    [](const auto &info) { return std::string(info.param.name); });

struct RefusalCase {
    const char *name;
    QByteArray request;
    quint8 status;
};

class SimBootloaderRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SimBootloaderRefusal, NothingChangesAndTheStatusSaysWhy)
{
    SimBootloader loader;
    const QByteArray before = loader.programMemory;
    const QByteArray reply = feed(loader, GetParam().request);
    ASSERT_EQ(reply.size(), 11);
    EXPECT_EQ(reply.left(10), GetParam().request.left(10));
    EXPECT_EQ(quint8(reply[10]), GetParam().status);
    EXPECT_EQ(loader.programMemory, before);
    EXPECT_EQ(loader.writes + loader.erases + loader.configurationWrites, 0);
}

INSTANTIATE_TEST_SUITE_P(
    SimRequests, SimBootloaderRefusal,
    ::testing::Values(RefusalCase{"WriteAtZero", writeRequest(0x0000, pattern(256, 3)), 0xFE},
                      RefusalCase{"WriteIntoLastBootloaderPage", writeRequest(0x0F00, pattern(256, 3)), 0xFE},
                      RefusalCase{"WritePastProgramMemory", writeRequest(0x20000, pattern(256, 3)), 0xFE},
                      RefusalCase{"WriteOverrunningUserId", writeRequest(0x200020, pattern(64, 3)), 0xFE},
                      RefusalCase{"EraseFromZero", eraseRequest(0x0000, 4), 0xFE},
                      RefusalCase{"ConfigurationOutsideItsArea", configurationRequest(0x1000, pattern(10, 3)), 0xFE},
                      RefusalCase{"UnknownCommand", frame(0x05, {0, 0, 0, 0}, 0x1000), 0xFF}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimBootloaderDevice, ResetLeavesTheBootloaderAndTheCommunicatorAnswersAgain)
{
    Wire wire(SimKind::TkvC3);
    wire.send("x");
    EXPECT_TRUE(wire.send("V").isEmpty());  // not a sync byte: ignored

    EXPECT_EQ(wire.send(resetRequest()), resetRequest() + '\x01');
    EXPECT_FALSE(wire.device.isLoadingFirmware());
    EXPECT_EQ(wire.device.bootloader()->resets, 1);
    const QByteArray identification = wire.send("V");
    ASSERT_EQ(identification.size(), 19);
    EXPECT_EQ(identification.left(2), bytes({'V', 99}));

    // Entered again, the same memory is there.
    wire.device.bootloader()->userId[0] = 0x12;
    wire.send("x");
    EXPECT_EQ(wire.send(checksumRequest(0x200000, 2)), checksumRequest(0x200000, 2) + bytes({0x12, 0xFF}));
}

struct FaultCase {
    const char *name;
    std::function<void(SimBootloaderFaults &)> set;
    QByteArray request;
    std::function<QByteArray(QByteArray)> spoil;  // the usual reply as the fault makes it
};

class SimBootloaderFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SimBootloaderFault, StrikesTheNextReplyOnly)
{
    const FaultCase &c = GetParam();
    SimBootloader reference;
    const QByteArray usual = feed(reference, c.request);

    SimBootloader loader;
    c.set(loader.faults);
    EXPECT_EQ(feed(loader, c.request), c.spoil(usual));
    EXPECT_EQ(feed(loader, c.request), usual);
}

INSTANTIATE_TEST_SUITE_P(
    SimInjected, SimBootloaderFault,
    ::testing::Values(
        FaultCase{"Silence", [](auto &f) { f.silentFrames = 1; }, versionRequest(), [](QByteArray) { return QByteArray(); }},
        FaultCase{"WrongHeader", [](auto &f) { f.wrongHeaders = 1; }, versionRequest(),
                  [](QByteArray r) { r[1] = char(r[1] + 1); return r; }},
        FaultCase{"WriteWrongAddress", [](auto &f) { f.refusedWrites = 1; }, writeRequest(0x1000, pattern(256, 0)),
                  [](QByteArray r) { r[10] = char(0xFE); return r; }},
        FaultCase{"WriteUnsupported",
                  [](auto &f) {
                      f.refusedWrites = 1;
                      f.refusedWriteStatus = 0xFF;
                  },
                  configurationRequest(0x300000, pattern(10, 0)),
                  [](QByteArray r) { r[10] = char(0xFF); return r; }},
        FaultCase{"WrongChecksum", [](auto &f) { f.wrongChecksums = 1; }, checksumRequest(0x1000, 0x1F000),
                  [](QByteArray r) {
                      const quint16 sum = quint16(replySum(r) + 1);
                      r[10] = char(sum & 0xFF);
                      r[11] = char(sum >> 8);
                      return r;
                  }}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
