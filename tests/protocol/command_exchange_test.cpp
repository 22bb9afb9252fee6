#include "app/CommLog.h"
#include "support/ExchangeRig.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kTimeoutMessage = QStringLiteral("Communication error - Lift intercom is not connected");

QString deviceTypeOf(SimKind kind)
{
    switch (kind) {
    case SimKind::Option: return QStringLiteral("Option");
    case SimKind::Switch: return QStringLiteral("Switch");
    default: return QStringLiteral("Alarm");
    }
}

ModelFlags flagsFor(CommunicatorModel model)
{
    ModelFlags flags;
    flags.select(model);
    return flags;
}

} // namespace

class CommandExchangeRead : public ::testing::TestWithParam<bool> {};

TEST_P(CommandExchangeRead, BlockInPiecesAdvancesProgressAndDecodesOnceWhole)
{
    ExchangeRig rig(SimKind::TkvC2, GetParam());
    rig.link.setPieceSize(64);
    rig.exchange.readParameters(QStringLiteral("Alarm"));
    ASSERT_TRUE(rig.runToIdle());

    ASSERT_EQ(rig.client.blocks.size(), 1);
    EXPECT_EQ(rig.client.blocks.front(), rig.device.memory());
    EXPECT_EQ(rig.exchange.lastResult(), ExchangeResult::Completed);
    EXPECT_EQ(rig.device.received, QByteArray("RP"));
    EXPECT_TRUE(rig.messages.messages.isEmpty());

    // Starts at 1, moves by 50 for every tick that sees part of the block, then full.
    const QList<int> &p = rig.view.progress;
    ASSERT_GE(p.size(), 4);
    EXPECT_EQ(p.front(), 1);
    const int full = int(p.indexOf(250));
    ASSERT_GT(full, 1);
    for (int i = 1; i < full; ++i)
        EXPECT_EQ(p[i], p[i - 1] + 50) << "step " << i;
    EXPECT_EQ(p.back(), 1);  // reset when the bar is hidden
    EXPECT_TRUE(rig.view.menusEnabled);
    EXPECT_FALSE(rig.view.progressVisible);
    EXPECT_TRUE(rig.view.devicePollRunning);
}

INSTANTIATE_TEST_SUITE_P(Cables, CommandExchangeRead, ::testing::Values(true, false),
                         [](const auto &info) { return std::string(info.param ? "UsbCable" : "ComPort"); });

struct BlockCase {
    SimKind kind;
    int length;
};

class CommandExchangeBlocks : public ::testing::TestWithParam<BlockCase> {};

TEST_P(CommandExchangeBlocks, ReadThenWriteLeavesTheDeviceUnchanged)
{
    const auto [kind, length] = GetParam();
    ExchangeRig rig(kind);
    const QByteArray original = rig.device.memory();
    rig.exchange.readParameters(deviceTypeOf(kind));
    ASSERT_TRUE(rig.runToIdle());
    ASSERT_EQ(rig.client.blocks.size(), 1);
    ASSERT_EQ(rig.client.blocks.front().size(), length);

    rig.device.received.clear();
    rig.client.toWrite = rig.client.blocks.front();
    rig.exchange.writeParameters(deviceTypeOf(kind));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_EQ(rig.exchange.lastResult(), ExchangeResult::Completed);
    EXPECT_EQ(rig.device.memory(), original);
    // "W", "P", then one byte per acknowledgement: the communicator takes 255 of its 256.
    const int written = length == 256 ? 255 : length;
    EXPECT_EQ(rig.device.received, QByteArray("WP") + original.left(written));
    EXPECT_EQ(rig.exchange.sentLog().count(QLatin1Char('-')), written);
    EXPECT_TRUE(rig.messages.messages.isEmpty());
}

TEST_P(CommandExchangeBlocks, WriteStoresTheNewBlock)
{
    const auto [kind, length] = GetParam();
    ExchangeRig rig(kind);
    QByteArray block(length, '\0');
    for (int i = 0; i < length; ++i)
        block[i] = char(255 - i);
    rig.client.toWrite = block;
    rig.exchange.writeParameters(deviceTypeOf(kind));
    ASSERT_TRUE(rig.runToIdle());
    const int written = length == 256 ? 255 : length;
    EXPECT_EQ(rig.device.memory().left(written), block.left(written));
}

INSTANTIATE_TEST_SUITE_P(AllBlocks, CommandExchangeBlocks,
                         ::testing::Values(BlockCase{SimKind::TkvC2, 256}, BlockCase{SimKind::TkvC3, 256},
                                           BlockCase{SimKind::Option, 23}, BlockCase{SimKind::Switch, 8}));

struct BadReplyCase {
    const char *name;
    int extra;
    int missing;
    int pieceSize;
};

class CommandExchangeBadRead : public ::testing::TestWithParam<BadReplyCase> {};

TEST_P(CommandExchangeBadRead, EndsByTimeOutWithoutDecoding)
{
    const BadReplyCase c = GetParam();
    ExchangeRig rig(SimKind::TkvC2);
    rig.device.faults.extraBytes = c.extra;
    rig.device.faults.missingBytes = c.missing;
    rig.link.setPieceSize(c.pieceSize);
    const Nanos start = rig.clock.now();
    rig.exchange.readParameters(QStringLiteral("Alarm"));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_TRUE(rig.client.blocks.isEmpty());
    EXPECT_EQ(rig.exchange.lastResult(), ExchangeResult::TimedOut);
    EXPECT_EQ(rig.messages.messages, QStringList{kTimeoutMessage});
    // The limit is a time, long enough for a whole block at 9600 baud.
    EXPECT_GT(rig.clock.now() - start, CommandExchange::usbTimeout);
    EXPECT_TRUE(rig.view.menusEnabled);
}

INSTANTIATE_TEST_SUITE_P(Replies, CommandExchangeBadRead,
                         ::testing::Values(BadReplyCase{"LongerAllAtOnce", 1, 0, 1000},
                                           BadReplyCase{"Shorter", 0, 1, 0},
                                           BadReplyCase{"Silent", 0, 256, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CommandExchangeWrite, SwitchBoardBlockIsExactlyEightBytes)
{
    ExchangeRig rig(SimKind::Switch);
    rig.client.toWrite = QByteArray::fromHex("0102030405060708");
    rig.exchange.writeParameters(QStringLiteral("Switch"));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_EQ(rig.device.received, QByteArray("WP") + QByteArray::fromHex("0102030405060708"));
    EXPECT_EQ(rig.exchange.sentLog(), QStringLiteral("-1-2-3-4-5-6-7-8"));
    EXPECT_EQ(rig.exchange.lastResult(), ExchangeResult::Completed);
}

TEST(CommandExchangeWrite, AcknowledgementAfterTheLastByteSendsNothingMore)
{
    ExchangeRig rig(SimKind::Switch);
    rig.device.faults.extraAckAtEnd = true;
    rig.client.toWrite = QByteArray::fromHex("0102030405060708");
    rig.exchange.writeParameters(QStringLiteral("Switch"));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_EQ(rig.device.received.size(), 10);
    // Position 9 of the send buffer is only logged.
    EXPECT_EQ(rig.exchange.sentLog(), QStringLiteral("-1-2-3-4-5-6-7-8-0"));
    EXPECT_EQ(rig.exchange.lastResult(), ExchangeResult::TimedOut);
}

TEST(CommandExchangeWrite, AZBeforeTheLastByteIsNoEndOfTheBlock)
{
    // A "D" changed into "Z" on the line: the device still waits for the rest.
    ExchangeRig rig(SimKind::Switch);
    const QByteArray before = rig.device.memory();
    rig.device.faults.endAtByte = 3;
    rig.client.toWrite = QByteArray::fromHex("0102030405060708");
    rig.exchange.writeParameters(QStringLiteral("Switch"));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_EQ(rig.exchange.lastResult(), ExchangeResult::TimedOut);
    EXPECT_EQ(rig.messages.messages, QStringList{kTimeoutMessage});
    EXPECT_EQ(rig.device.received, QByteArray("WP") + QByteArray::fromHex("010203"));
    EXPECT_EQ(rig.device.memory(), QByteArray::fromHex("010203") + before.mid(3));
}

struct RefusalCase {
    SimKind kind;
    bool polled;
    const char *suffix;
};

class CommandExchangeRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CommandExchangeRefusal, ErrorOnFirstByteEndsAtOnceWithTheCableSuffix)
{
    const RefusalCase c = GetParam();
    ExchangeRig rig(c.kind, c.polled);
    rig.device.faults.errorAtByte = 1;
    rig.client.toWrite = rig.device.memory();
    const Nanos start = rig.clock.now();
    rig.exchange.writeParameters(deviceTypeOf(c.kind));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_EQ(rig.messages.messages, QStringList{QStringLiteral("Communication error") + QLatin1String(c.suffix)});
    EXPECT_EQ(rig.exchange.lastResult(), ExchangeResult::Refused);
    EXPECT_EQ(rig.device.received.size(), 3);  // "W", "P", byte 1
    EXPECT_LT(rig.clock.now() - start, Nanos(std::chrono::seconds(3)));
}

INSTANTIATE_TEST_SUITE_P(CableKinds, CommandExchangeRefusal,
                         ::testing::Values(RefusalCase{SimKind::TkvC2, true, "  ...PZE"},
                                           RefusalCase{SimKind::TkvC2, false, "  ...APZE"},
                                           RefusalCase{SimKind::Option, true, "  ...POE"},
                                           RefusalCase{SimKind::Option, false, "  ...APOE"},
                                           RefusalCase{SimKind::Switch, true, "  ...PSE"},
                                           RefusalCase{SimKind::Switch, false, "  ...APSE"}));

struct IdentificationCase {
    SimKind kind;
    CommunicatorModel selected;
    int pieceSize;
    char request;
    int expectedLength;  // 0: never completes
};

class CommandExchangeIdentification : public ::testing::TestWithParam<IdentificationCase> {};

TEST_P(CommandExchangeIdentification, CompletesOnlyAtTheExpectedLength)
{
    const IdentificationCase c = GetParam();
    ExchangeRig rig(c.kind);
    rig.link.setPieceSize(c.pieceSize);
    ASSERT_TRUE(rig.exchange.requestIdentification(flagsFor(c.selected)));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_EQ(rig.device.received, QByteArray(1, c.request));
    if (c.expectedLength == 0) {
        EXPECT_TRUE(rig.client.identifications.isEmpty());
        EXPECT_EQ(rig.messages.messages, QStringList{kTimeoutMessage});
        return;
    }
    ASSERT_EQ(rig.client.identifications.size(), 1);
    EXPECT_EQ(rig.client.identifications.front().size(), c.expectedLength);
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    // The USB-LNK connection is released after every identification.
    EXPECT_FALSE(rig.link.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CommandExchangeIdentification,
    ::testing::Values(IdentificationCase{SimKind::TkvC, CommunicatorModel::TkvC, 1000, 'V', 13},
                      IdentificationCase{SimKind::TkvC2, CommunicatorModel::TkvC2, 1000, 'V', 19},
                      IdentificationCase{SimKind::TkvC3, CommunicatorModel::TkvC3, 1000, 'v', 34},
                      // A TKV-C asked while the new-model flag is set never gives 19 bytes.
                      IdentificationCase{SimKind::TkvC, CommunicatorModel::TkvC2, 1000, 'V', 0},
                      // Byte by byte, a longer reply passes through the expected count.
                      IdentificationCase{SimKind::TkvC2, CommunicatorModel::TkvC, 0, 'V', 13},
                      // In one piece it is complete too: a switch board answers 19 bytes
                      // to the 13 its own reply makes the next poll expect.
                      IdentificationCase{SimKind::Switch, CommunicatorModel::TkvC, 1000, 'V', 13}));

struct VanishCase {
    bool polled;
    bool writing;
};

class CommandExchangeVanishingLink : public ::testing::TestWithParam<VanishCase> {};

TEST_P(CommandExchangeVanishingLink, EndsWithTheTimeOutMessageAndRestoredMenus)
{
    const VanishCase c = GetParam();
    ExchangeRig rig(SimKind::TkvC2, c.polled);
    rig.client.toWrite = rig.device.memory();
    // Pull the cable shortly after the transfer has started.
    rig.clock.schedule(rig.clock.now() + Millis(1100), [&] { rig.link.setUnplugged(true); });
    if (c.writing)
        rig.exchange.writeParameters(QStringLiteral("Alarm"));
    else
        rig.exchange.readParameters(QStringLiteral("Alarm"));
    ASSERT_TRUE(rig.runToIdle());
    EXPECT_EQ(rig.messages.messages, QStringList{kTimeoutMessage});
    EXPECT_TRUE(rig.view.menusEnabled);
    EXPECT_TRUE(rig.view.devicePollRunning);
    EXPECT_TRUE(rig.client.blocks.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cables, CommandExchangeVanishingLink,
                         ::testing::Values(VanishCase{true, false}, VanishCase{true, true},
                                           VanishCase{false, false}, VanishCase{false, true}));

TEST(CommandExchangeGuards, NothingHappensWithoutALinkOrForAVoiceModule)
{
    ExchangeRig rig(SimKind::TkvC2);
    rig.exchange.readParameters(QStringLiteral("Talker"));
    rig.exchange.setLinkReady(false);
    rig.exchange.readParameters(QStringLiteral("Alarm"));
    EXPECT_FALSE(rig.exchange.requestIdentification(flagsFor(CommunicatorModel::TkvC2)));
    rig.clock.advanceBy(std::chrono::seconds(5));
    EXPECT_TRUE(rig.device.received.isEmpty());
    EXPECT_TRUE(rig.view.progress.isEmpty());
}

// A communication log in a temporary folder, read back as bytes.
struct TempLog {
    TempLog() : log(dir.filePath(QStringLiteral("LOG_comm_file.TXT")), &messages)
    {
        log.begin(QStringLiteral("Ostrakel Configurator V1.0"));
    }
    QByteArray contents()
    {
        log.stop();
        QFile file(log.filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    RecordingMessagePresenter messages;
    CommLog log;
};

TEST(CommandExchangeLog, ReadAndWriteOfTheSwitchBoardWriteTheirLines)
{
    TempLog temp;
    ExchangeRig rig(SimKind::Switch, true, &temp.log);
    // Device bytes go into the log exactly as they came, CR and LF included.
    rig.device.setMemory(QByteArray::fromHex("0d0a0041ff7e5a44"));

    rig.exchange.readParameters(QStringLiteral("Switch"));
    ASSERT_TRUE(rig.runToIdle());
    rig.client.toWrite = QByteArray::fromHex("0102030405060708");
    rig.exchange.writeParameters(QStringLiteral("Switch"));
    ASSERT_TRUE(rig.runToIdle());

    const QByteArray text = temp.contents();
    const QByteArray expected = QByteArray(">>> Read parameters <<<\r\nR+P - SwitchBoard\r\n")
                                + QByteArray::fromHex("0d0a0041ff7e5a44") + "\r\n"
                                + ">>> Write parameters <<<\r\nW+P - Switch\r\n"
                                + QByteArray("D\r\n").repeated(7) + "Z\r\n-1-2-3-4-5-6-7-8\r\n";
    EXPECT_TRUE(text.contains(expected)) << text.toStdString();
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    EXPECT_TRUE(temp.messages.messages.isEmpty());
}

struct ProgressCase {
    SimKind kind;
    const char *readLogLine;
    const char *writeLogLine;
    int readStart;
    int readStep;
    int writeStart;
    int ackStep;
};

class CommandExchangeProgress : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(CommandExchangeProgress, ReadAndWriteMoveTheBarAndLogTheirDevice)
{
    const ProgressCase c = GetParam();
    TempLog temp;
    ExchangeRig rig(c.kind, true, &temp.log);
    const QString type = deviceTypeOf(c.kind);

    rig.exchange.readParameters(type);
    ASSERT_TRUE(rig.runToIdle());
    QList<int> read = rig.view.progress;
    ASSERT_GE(read.size(), 4);
    EXPECT_EQ(read.front(), c.readStart);
    const int full = int(read.indexOf(250));
    ASSERT_GT(full, 1);  // at least one tick saw part of the block
    for (int i = 1; i < full; ++i)
        EXPECT_EQ(read[i], read[i - 1] + c.readStep) << "read step " << i;

    rig.view.progress.clear();
    rig.client.toWrite = rig.device.memory();
    rig.exchange.writeParameters(type);
    ASSERT_TRUE(rig.runToIdle());
    const QList<int> &write = rig.view.progress;
    const int acknowledged = rig.device.writeLength() - 1;  // "D" for all but the last byte
    QList<int> expected{c.writeStart, 1};
    for (int i = 1; i <= acknowledged; ++i)
        expected.append(1 + i * c.ackStep);
    expected += {255, 1};
    EXPECT_EQ(write, expected);

    const QByteArray log = temp.contents();
    EXPECT_TRUE(log.contains(QByteArray(">>> Read parameters <<<\r\n") + c.readLogLine + "\r\n"));
    EXPECT_TRUE(log.contains(QByteArray(">>> Write parameters <<<\r\n") + c.writeLogLine + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Devices, CommandExchangeProgress,
    ::testing::Values(ProgressCase{SimKind::TkvC2, "R+P - Alarm", "W+P - Alarm", 1, 50, 1, 1},
                      ProgressCase{SimKind::Option, "R+P - Option", "W+P - Option", 15, 150, 10, 55},
                      ProgressCase{SimKind::Switch, "R+P - SwitchBoard", "W+P - Switch", 15, 190, 10, 85}));
