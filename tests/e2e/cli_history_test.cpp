// The history of readings through the command-line tool: every read keeps one, a
// write keeps what the device held before it.
#include "support/CliRunner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliHistory : public ::testing::Test {
protected:
    QString path(const char *name) const { return home.filePath(QString::fromLatin1(name)); }
    CliRun cli(const QStringList &args) const { return runCli(args, home.path()); }
    QList<QByteArray> historyLines(const QStringList &args = {}) const
    {
        const CliRun run = cli(QStringList{QStringLiteral("history")} + args);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        QList<QByteArray> lines = run.out.split('\n');
        lines.removeAll(QByteArray());
        return lines;
    }
    // The file of a history line (its last field).
    static QString fileOf(const QByteArray &line) { return QString::fromUtf8(line.mid(line.lastIndexOf("  ") + 2)); }

    QTemporaryDir home;
};

TEST_F(CliHistory, AWriteKeepsWhatTheDeviceHeldBefore)
{
    const QStringList port{QStringLiteral("--port"), QStringLiteral("sim:TKV-C3")};
    const CliRun read = cli(port + QStringList{QStringLiteral("read"), QStringLiteral("-o"), path("a.GDL")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_TRUE(read.err.contains("kept in the history: ")) << read.err.toStdString();
    ASSERT_EQ(historyLines().size(), 1);

    ASSERT_EQ(cli({QStringLiteral("set"), path("a.GDL"), QStringLiteral("speakerVolume=5")}).exitCode, 0);
    ASSERT_EQ(cli(port + QStringList{QStringLiteral("write"), path("a.GDL")}).exitCode, 0);

    const QList<QByteArray> lines = historyLines();
    ASSERT_EQ(lines.size(), 2);
    for (const QByteArray &line : lines)
        EXPECT_TRUE(line.contains("  TKV-C3  ")) << line.toStdString();
    // Both kept readings hold the volume from before the write.
    for (const QByteArray &line : lines) {
        const CliRun diff = cli({QStringLiteral("diff"), path("a.GDL"), fileOf(line)});
        EXPECT_EQ(diff.out, QByteArray("speakerVolume: 5 -> 12\n")) << line.toStdString();
    }
}

TEST_F(CliHistory, ARemoteReadIsKeptUnderTheNumberDialled)
{
    const CliRun read = cli({QStringLiteral("--blackbox"), QStringLiteral("sim:TKV-C2"), QStringLiteral("--phone"),
                             QStringLiteral("0123456"), QStringLiteral("--password"), QStringLiteral("6183"),
                             QStringLiteral("remote-read"), QStringLiteral("-o"), path("r.GDL"), QStringLiteral("--parts"),
                             QStringLiteral("1")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QList<QByteArray> lines = historyLines({QStringLiteral("Tel0123456")});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines.front().startsWith("Tel0123456  TKV-C2  ")) << lines.front().toStdString();
    EXPECT_TRUE(historyLines({QStringLiteral("other")}).isEmpty());

    const CliRun json = cli({QStringLiteral("--json"), QStringLiteral("history")});
    EXPECT_TRUE(json.out.startsWith("[{\"device\": \"Tel0123456\", \"model\": \"TKV-C2\", \"time\": \""))
        << json.out.toStdString();
}

TEST_F(CliHistory, AFailedReadKeepsNothingAndBadUsageIsRefused)
{
    EXPECT_EQ(cli({QStringLiteral("--port"), QStringLiteral("sim:Nothing"), QStringLiteral("read"), QStringLiteral("-o"),
                   path("x.GDL")})
                  .exitCode,
              2);
    EXPECT_TRUE(historyLines().isEmpty());
    EXPECT_EQ(cli({QStringLiteral("history"), QStringLiteral("a"), QStringLiteral("b")}).exitCode, 2);
}

} // namespace
