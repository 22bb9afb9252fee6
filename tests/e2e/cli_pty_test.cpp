// The command-line tool against a simulated device served on a pseudo-terminal:
// the whole path of a real COM-port cable, from QSerialPort to the device and back.
#include "support/CliRunner.h"
#include "support/PtyDevice.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct PtyCase {
    const char *kind;
    const char *deviceType;
    int blockLength;
};

class CliOverPty : public ::testing::TestWithParam<PtyCase> {};

TEST_P(CliOverPty, ReadWriteReadMovesTheBlockUnchanged)
{
    const PtyCase c = GetParam();
    PtyDevice device(QString::fromLatin1(c.kind));
    ASSERT_TRUE(device.path().startsWith(QLatin1String("/dev/pts/"))) << device.path().toStdString();
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.bin"));
    const QString changed = dir.filePath(QStringLiteral("changed.bin"));
    const QString second = dir.filePath(QStringLiteral("second.bin"));
    const QStringList port{QStringLiteral("--port"), device.path(), QStringLiteral("--image")};

    const CliRun identify = runCli(port + QStringList{QStringLiteral("identify")});
    ASSERT_EQ(identify.exitCode, 0) << identify.err.toStdString();
    EXPECT_TRUE(identify.out.contains(QByteArray("device type: ") + c.deviceType)) << identify.out.toStdString();

    const CliRun read = runCli(port + QStringList{QStringLiteral("read"), QStringLiteral("-o"), first});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QByteArray block = readFile(first);
    ASSERT_EQ(block.size(), c.blockLength);

    // Write a changed block, read it back, then put the original back.
    QByteArray modified = block;
    modified[1] = char(~quint8(modified[1]));
    ASSERT_TRUE(writeFile(changed, modified));
    const CliRun write = runCli(port + QStringList{QStringLiteral("write"), changed});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    ASSERT_EQ(runCli(port + QStringList{QStringLiteral("read"), QStringLiteral("-o"), second}).exitCode, 0);
    EXPECT_EQ(readFile(second), modified);

    ASSERT_EQ(runCli(port + QStringList{QStringLiteral("write"), first}).exitCode, 0);
    ASSERT_EQ(runCli(port + QStringList{QStringLiteral("read"), QStringLiteral("-o"), second}).exitCode, 0);
    EXPECT_EQ(readFile(second), block);
}

INSTANTIATE_TEST_SUITE_P(Devices, CliOverPty,
                         ::testing::Values(PtyCase{"TKV-C2", "Alarm", 256}, PtyCase{"Option", "Option", 23},
                                           PtyCase{"Switch", "Switch", 8}),
                         [](const auto &info) { return std::string(info.param.deviceType); });

TEST(CliOverPtyFaults, SilentDeviceFailsWithTheTimeOutMessage)
{
    PtyDevice device(QStringLiteral("TKV-C2"), {QStringLiteral("--silent")});
    const CliRun run = runCli({QStringLiteral("--port"), device.path(), QStringLiteral("--model"),
                               QStringLiteral("TKV-C2"), QStringLiteral("identify")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Communication error - Lift intercom is not connected")) << run.err.toStdString();
}

TEST(CliOverPtyFaults, RefusedByteEndsTheWriteWithTheComPortSuffix)
{
    PtyDevice device(QStringLiteral("Switch"), {QStringLiteral("--error-at"), QStringLiteral("3")});
    QTemporaryDir dir;
    const QString block = dir.filePath(QStringLiteral("switch.bin"));
    ASSERT_TRUE(writeFile(block, QByteArray(8, '\x01')));
    const CliRun run =
        runCli({QStringLiteral("--port"), device.path(), QStringLiteral("--image"), QStringLiteral("write"), block});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Communication error  ...APSE")) << run.err.toStdString();
}

TEST(CliOverPtyFaults, DeviceVanishingMidReadEndsWithTheTimeOutMessage)
{
    // 19 bytes of identification, then part of the 256-byte block.
    PtyDevice device(QStringLiteral("TKV-C2"), {QStringLiteral("--vanish-after"), QStringLiteral("100")});
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("block.bin"));
    const CliRun run = runCli({QStringLiteral("--port"), device.path(), QStringLiteral("read"), QStringLiteral("-o"), out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Communication error - Lift intercom is not connected")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

struct UsageCase {
    const char *name;
    QStringList args;
    int exitCode;
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitStatus)
{
    const UsageCase &c = GetParam();
    QTemporaryDir dir;
    const QString shortFile = dir.filePath(QStringLiteral("short.bin"));
    ASSERT_TRUE(writeFile(shortFile, QByteArray(10, '\0')));
    QStringList args = c.args;
    args.replaceInStrings(QStringLiteral("SHORT"), shortFile);
    args.replaceInStrings(QStringLiteral("MISSING"), dir.filePath(QStringLiteral("missing.bin")));
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliUsage,
    ::testing::Values(UsageCase{"NoCommand", {}, 2},
                      UsageCase{"UnknownCommand", {QStringLiteral("--port"), QStringLiteral("sim:TKV-C"), QStringLiteral("fly")}, 2},
                      UsageCase{"UnknownModel", {QStringLiteral("--model"), QStringLiteral("TKV-X"), QStringLiteral("identify")}, 2},
                      UsageCase{"UnknownSimulatedDevice", {QStringLiteral("--port"), QStringLiteral("sim:Toaster"), QStringLiteral("identify")}, 2},
                      UsageCase{"ReadWithoutOutput", {QStringLiteral("--port"), QStringLiteral("sim:TKV-C"), QStringLiteral("read")}, 2},
                      UsageCase{"WriteMissingFile", {QStringLiteral("--port"), QStringLiteral("sim:TKV-C"), QStringLiteral("write"), QStringLiteral("MISSING")}, 2},
                      UsageCase{"WriteWrongSize", {QStringLiteral("--port"), QStringLiteral("sim:TKV-C"), QStringLiteral("write"), QStringLiteral("SHORT")}, 2},
                      UsageCase{"NoSuchPort", {QStringLiteral("--port"), QStringLiteral("/dev/ostrakel-none"), QStringLiteral("identify")}, 1},
                      UsageCase{"IdentifySimulator", {QStringLiteral("--port"), QStringLiteral("sim:Switch"), QStringLiteral("identify")}, 0},
                      UsageCase{"VoiceModuleHasNoBlock", {QStringLiteral("--port"), QStringLiteral("sim:Talker"), QStringLiteral("read"), QStringLiteral("-o"), QStringLiteral("MISSING")}, 1}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
