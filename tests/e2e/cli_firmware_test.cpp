// The firmware commands of the command-line tool, on the built-in simulator.
#include "../firmware/HexText.h"
#include "support/CliRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliFirmware : public ::testing::Test {
protected:
    QString file(const char *name, const QByteArray &text) const
    {
        const QString path = writeCliInput(home.path(), name, text);
        EXPECT_FALSE(path.isEmpty()) << name;
        return path;
    }
    CliRun cli(const QStringList &args) const { return runCli(args, home.path()); }

    QTemporaryDir home;
};

TEST_F(CliFirmware, HexCheckTellsWhatTheUpgradeWouldSay)
{
    struct Case {
        const char *name;
        QByteArray text;
        QStringList options;
        int exitCode;
        QByteArray out;
    };
    const Case cases[] = {
        {"a complete file", firmwareHex({0x1000, 0x2C0000}), {}, 0,
         "load: 0\nupgrade: 0\n0x001000 program, start page\n0x2C0000 device information\n0x300000 configuration\n"},
        {"no start page", firmwareHex({0x1100}), {}, 2, "load: 0\nupgrade: 14\n"},
        {"beyond 64KB", firmwareHex({0x1000, 0x10000}), {QStringLiteral("--size"), QStringLiteral("64KB")}, 2,
         "load: 11\nupgrade: 11\n"},
        {"for the packet upload", dataRecord(0x0100, countingBytes(16)) + dataRecord(0x79A2, countingBytes(2)),
         {QStringLiteral("--legacy"), QStringLiteral("--version"), QStringLiteral("6.2")}, 0,
         "load: 0\nupgrade: 0\npackets: 3\nend packet: yes\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = cli(QStringList{QStringLiteral("hex-check")} + c.options
                               + QStringList{file("check.HEX", c.text)});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(c.out)) << run.out.toStdString();
    }
}

TEST_F(CliFirmware, UpgradesTheSimulatedCommunicators)
{
    for (const char *kind : {"sim:TKV-C2", "sim:TKV-C3"}) {
        SCOPED_TRACE(kind);
        const QByteArray hex = QByteArray(kind).endsWith("C3") ? firmwareHex({0x1000})
                                                               : dataRecord(0x0100, countingBytes(16)) + endRecord();
        const CliRun run = cli({QStringLiteral("--port"), QString::fromLatin1(kind), QStringLiteral("firmware"),
                                file("new.HEX", hex)});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QFile log(home.filePath(QStringLiteral("LOG_FW_file.TXT")));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_TRUE(log.readAll().contains("========================")) << kind;
    }
}

TEST_F(CliFirmware, ARefusedFileLeavesTheCommunicatorAsItWas)
{
    const QStringList port{QStringLiteral("--port"), QStringLiteral("sim:TKV-C3")};
    const CliRun run = cli(port + QStringList{QStringLiteral("firmware"), file("bad.HEX", firmwareHex({0x1000}, false))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("configuration")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("LOG_FW_file.TXT"))));
}

}  // namespace
