// The remote commands of the command-line tool over the simulated BlackBox, whose
// communicator keeps its memory from one run to the next.
#include "support/CliRunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliRemote : public ::testing::Test {
protected:
    QString path(const char *name) const { return home.filePath(QString::fromLatin1(name)); }
    CliRun cli(const QStringList &args) const { return runCli(args, home.path()); }
    CliRun remote(const QStringList &args, const QString &box = QStringLiteral("sim:TKV-C2")) const
    {
        return cli(QStringList{QStringLiteral("--blackbox"), box, QStringLiteral("--phone"), QStringLiteral("0123456"),
                               QStringLiteral("--password"), QStringLiteral("6183")}
                   + args);
    }
    QStringList reports(const char *pattern) const
    {
        return QDir(home.path()).entryList({QString::fromLatin1(pattern)});
    }

    QTemporaryDir home;
};

TEST_F(CliRemote, WriteTwoPagesThenCompareShowsTheValueOfAPageNotWritten)
{
    const CliRun read = remote({QStringLiteral("remote-read"), QStringLiteral("-o"), path("a.GDL")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(reports("LF-R-*.TXT").size(), 1);

    const CliRun set = cli({QStringLiteral("--model"), QStringLiteral("TKV-C2"), QStringLiteral("set"), path("a.GDL"),
                            QStringLiteral("speakerVolume=3"), QStringLiteral("emergencyNumber1=0612345"),
                            QStringLiteral("maxCallDuration=15")});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    const CliRun write = remote({QStringLiteral("--pages"), QStringLiteral("1,6"), QStringLiteral("remote-write"),
                                 path("a.GDL")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    ASSERT_EQ(reports("LF-W-*.TXT").size(), 1);
    QFile report(home.filePath(reports("LF-W-*.TXT").first()));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray lines = report.readAll();
    EXPECT_TRUE(lines.contains("> ATDE1100612345B\r\n"));
    EXPECT_TRUE(lines.contains("> ATDE7103\r\n"));
    EXPECT_FALSE(lines.contains("> ATDE51"));

    const CliRun compare =
        remote({QStringLiteral("remote-compare"), QStringLiteral("--baseline"), path("a.GDL"), QStringLiteral("-o"),
                path("b.GDL")});
    ASSERT_EQ(compare.exitCode, 0) << compare.err.toStdString();
    const QList<QByteArray> rows = compare.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), 2) << compare.out.toStdString();
    EXPECT_TRUE(rows[1].startsWith("51 Maximum call duration")) << rows[1].toStdString();
    const CliRun diff = cli({QStringLiteral("diff"), path("a.GDL"), path("b.GDL")});
    EXPECT_EQ(diff.out, QByteArray("maxCallDuration: 15 -> 4\n"));
}

TEST_F(CliRemote, BadInputIsRefusedBeforeDialling)
{
    struct Case {
        const char *name;
        QStringList args;
        const char *error;
    };
    const Case cases[] = {
        {"no box", {QStringLiteral("--phone"), QStringLiteral("1"), QStringLiteral("remote-read")}, "--blackbox"},
        {"real box without model",
         {QStringLiteral("--blackbox"), QStringLiteral("QUE1"), QStringLiteral("--phone"), QStringLiteral("1"),
          QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("remote-read"), QStringLiteral("-o"),
          QStringLiteral("x.GDL")},
         "--model"},
        {"letters in the number",
         {QStringLiteral("--blackbox"), QStringLiteral("sim"), QStringLiteral("--phone"), QStringLiteral("12ab"),
          QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("remote-read"), QStringLiteral("-o"),
          QStringLiteral("x.GDL")},
         "--phone"},
        {"short password",
         {QStringLiteral("--blackbox"), QStringLiteral("sim"), QStringLiteral("--phone"), QStringLiteral("12"),
          QStringLiteral("--password"), QStringLiteral("123"), QStringLiteral("remote-read"), QStringLiteral("-o"),
          QStringLiteral("x.GDL")},
         "--password"},
        {"page 8",
         {QStringLiteral("--blackbox"), QStringLiteral("sim"), QStringLiteral("--phone"), QStringLiteral("12"),
          QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("--pages"), QStringLiteral("1,8"),
          QStringLiteral("remote-write"), QStringLiteral("x.GDL")},
         "--pages"},
        {"missing settings file",
         {QStringLiteral("--blackbox"), QStringLiteral("sim"), QStringLiteral("--phone"), QStringLiteral("12"),
          QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("remote-compare"),
          QStringLiteral("--baseline"), QStringLiteral("missing.GDL")},
         "missing.GDL"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
        EXPECT_TRUE(reports("LF-*.TXT").isEmpty());
    }
}

TEST_F(CliRemote, AWrongPasswordFailsTheCall)
{
    const CliRun run = cli({QStringLiteral("--blackbox"), QStringLiteral("sim"), QStringLiteral("--phone"),
                            QStringLiteral("12"), QStringLiteral("--password"), QStringLiteral("1111"),
                            QStringLiteral("remote-read"), QStringLiteral("-o"), path("x.GDL")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("'8A -> B'")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.GDL")));
}

TEST_F(CliRemote, TheTimeLimitEndsTheCallAndItsReport)
{
    // Dialling alone takes longer than this.
    const CliRun run = remote({QStringLiteral("--timeout"), QStringLiteral("5"), QStringLiteral("remote-read"),
                               QStringLiteral("-o"), path("x.GDL")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("gave up after 5 s")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.GDL")));

    const CliRun reading = remote({QStringLiteral("--timeout"), QStringLiteral("40"), QStringLiteral("remote-read"),
                                   QStringLiteral("-o"), path("x.GDL")});
    EXPECT_EQ(reading.exitCode, 1);
    ASSERT_EQ(reports("LF-R-*.TXT").size(), 1);
    QFile report(home.filePath(reports("LF-R-*.TXT").first()));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("End of report "));
}

}  // namespace
