// The remote commands over a BlackBox reached as a serial device, as the kernel's
// ftdi_sio driver offers one: the simulated BlackBox on a pseudo-terminal, in real time.
#include "support/CliRunner.h"
#include "support/PtyDevice.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList remoteRead(const QString &box, const QString &output)
{
    // Part 3 (the other numbers) is the shortest reading: about 45 s on the line.
    return {QStringLiteral("--blackbox"), box, QStringLiteral("--model"), QStringLiteral("TKV-C"),
            QStringLiteral("--phone"), QStringLiteral("0123456"), QStringLiteral("--password"),
            QStringLiteral("6183"), QStringLiteral("--parts"), QStringLiteral("3"), QStringLiteral("--timeout"),
            QStringLiteral("80"), QStringLiteral("remote-read"), QStringLiteral("-o"), output};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(CliRemoteOverTty, ReadsWhatTheSameBoxGivesOverTheSimulatedBus)
{
    PtyDevice box(QStringLiteral("BlackBox:TKV-C"));
    ASSERT_TRUE(box.path().startsWith(QLatin1String("/dev/pts/"))) << box.path().toStdString();
    QTemporaryDir overTty;
    QTemporaryDir overBus;
    const QString ttyFile = overTty.filePath(QStringLiteral("tty.GDL"));
    const QString busFile = overBus.filePath(QStringLiteral("bus.GDL"));

    const CliRun tty = runCli(remoteRead(box.path(), ttyFile), overTty.path());
    ASSERT_EQ(tty.exitCode, 0) << tty.err.toStdString();
    EXPECT_TRUE(tty.err.contains("kept in the history")) << tty.err.toStdString();
    const CliRun bus = runCli(remoteRead(QStringLiteral("sim:TKV-C"), busFile), overBus.path());
    ASSERT_EQ(bus.exitCode, 0) << bus.err.toStdString();

    const QByteArray read = readFile(ttyFile);
    EXPECT_FALSE(read.isEmpty());
    EXPECT_EQ(read, readFile(busFile));
}

TEST(CliRemoteOverTty, AMissingDeviceIsToldAsNoBlackBox)
{
    QTemporaryDir home;
    const QString output = home.filePath(QStringLiteral("a.GDL"));
    const CliRun run = runCli(remoteRead(QStringLiteral("/dev/ostrakel-no-such-tty"), output), home.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("BlackBox not connected")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(output));
}

}  // namespace
