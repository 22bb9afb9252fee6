// Settings files through the command-line tool and the built-in simulator, which
// keeps its memory from one run to the next.
#include "support/CliRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliSettings : public ::testing::Test {
protected:
    QString path(const char *name) const { return home.filePath(QString::fromLatin1(name)); }
    CliRun cli(const QStringList &args) const { return runCli(args, home.path()); }

    QTemporaryDir home;
};

TEST_F(CliSettings, ChangedSettingReachesTheDeviceAndShowsInDiff)
{
    const QStringList port{QStringLiteral("--port"), QStringLiteral("sim:TKV-C3")};
    ASSERT_EQ(cli(port + QStringList{QStringLiteral("read"), QStringLiteral("-o"), path("a.GDL")}).exitCode, 0);
    ASSERT_TRUE(QFile::copy(path("a.GDL"), path("original.GDL")));

    const CliRun set = cli({QStringLiteral("set"), path("a.GDL"), QStringLiteral("speakerVolume=5")});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    const CliRun write = cli(port + QStringList{QStringLiteral("write"), path("a.GDL")});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    ASSERT_EQ(cli(port + QStringList{QStringLiteral("read"), QStringLiteral("-o"), path("b.GDL")}).exitCode, 0);

    const CliRun changed = cli({QStringLiteral("diff"), path("original.GDL"), path("b.GDL")});
    ASSERT_EQ(changed.exitCode, 0);
    EXPECT_EQ(changed.out, QByteArray("speakerVolume: 12 -> 5\n"));
    // What was written is exactly what comes back.
    EXPECT_TRUE(cli({QStringLiteral("diff"), path("a.GDL"), path("b.GDL")}).out.isEmpty());
}

TEST_F(CliSettings, ShowPrintsWhatSetTakes)
{
    ASSERT_EQ(cli({QStringLiteral("--model"), QStringLiteral("TKV-C2"), QStringLiteral("defaults"), QStringLiteral("-o"),
                   path("d.GDL")})
                  .exitCode,
              0);
    const CliRun show = cli({QStringLiteral("--model"), QStringLiteral("TKV-C2"), QStringLiteral("show"), path("d.GDL")});
    ASSERT_EQ(show.exitCode, 0);
    // Every line is "code caption [id] = value"; setting each value back changes nothing.
    QStringList assignments;
    for (const QByteArray &line : show.out.split('\n')) {
        const qsizetype open = line.lastIndexOf(" [");
        const qsizetype close = line.indexOf("] = ", open);
        if (open < 0 || close < 0)
            continue;
        assignments.append(QString::fromUtf8(line.mid(open + 2, close - open - 2)) + QLatin1Char('=')
                           + QString::fromUtf8(line.mid(close + 4)));
    }
    ASSERT_GT(assignments.size(), 50);
    ASSERT_TRUE(QFile::copy(path("d.GDL"), path("e.GDL")));
    const CliRun set = cli(QStringList{QStringLiteral("--model"), QStringLiteral("TKV-C2"), QStringLiteral("set"),
                                       path("e.GDL")}
                           + assignments);
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_TRUE(cli({QStringLiteral("diff"), path("d.GDL"), path("e.GDL")}).out.isEmpty());
}

struct RefusalCase {
    const char *name;
    QStringList args;
    const char *message;
};

class CliSettingsRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CliSettingsRefusal, BadInputExitsWithTwoAndLeavesTheFile)
{
    const RefusalCase &c = GetParam();
    QTemporaryDir home;
    const QString file = home.filePath(QStringLiteral("s.GDL"));
    ASSERT_EQ(runCli({QStringLiteral("--model"), QStringLiteral("TKV-C"), QStringLiteral("defaults"), QStringLiteral("-o"),
                      file},
                     home.path())
                  .exitCode,
              0);
    QFile original(file);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    QStringList args = c.args;
    args.replaceInStrings(QStringLiteral("FILE"), file);
    const CliRun run = runCli(args, home.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliSettingsRefusal,
    ::testing::Values(
        RefusalCase{"UnknownId", {QStringLiteral("set"), QStringLiteral("FILE"), QStringLiteral("loudness=5")}, "known parameter id"},
        RefusalCase{"ValueNotInList",
                    {QStringLiteral("set"), QStringLiteral("FILE"), QStringLiteral("speakerVolume=5"), QStringLiteral("dialMode=Morse")},
                    "dialMode takes one of"},
        RefusalCase{"FlagNotOnOrOff", {QStringLiteral("set"), QStringLiteral("FILE"), QStringLiteral("babyCall=maybe")}, "\"on\" or \"off\""},
        RefusalCase{"PhoneWithLetters",
                    {QStringLiteral("set"), QStringLiteral("FILE"), QStringLiteral("emergencyNumber1=12AB")},
                    "does not take the character"},
        RefusalCase{"EncodeWithoutModel",
                    {QStringLiteral("encode"), QStringLiteral("FILE"), QStringLiteral("-o"), QStringLiteral("FILE.bin")},
                    "needs --model"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CliImage, EncodeThenDecodeGivesTheSameSettings)
{
    QTemporaryDir home;
    const QString defaults = home.filePath(QStringLiteral("d.GDL"));
    const QString image = home.filePath(QStringLiteral("i.bin"));
    const QString decoded = home.filePath(QStringLiteral("x.GDL"));
    const QStringList model{QStringLiteral("--model"), QStringLiteral("TKV-C3")};
    ASSERT_EQ(runCli(model + QStringList{QStringLiteral("defaults"), QStringLiteral("-o"), defaults}, home.path()).exitCode, 0);
    ASSERT_EQ(runCli(model + QStringList{QStringLiteral("encode"), defaults, QStringLiteral("-o"), image}, home.path()).exitCode, 0);
    QFile bytes(image);
    ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
    const QByteArray content = bytes.readAll();
    ASSERT_EQ(content.size(), 256);
    EXPECT_EQ(quint8(content[15]), 85);
    ASSERT_EQ(runCli(model + QStringList{QStringLiteral("decode"), image, QStringLiteral("-o"), decoded}, home.path()).exitCode, 0);
    EXPECT_TRUE(runCli(model + QStringList{QStringLiteral("diff"), defaults, decoded}, home.path()).out.isEmpty());

    // An image without its marker is refused and writes nothing.
    QFile broken(image);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(256, '\0'));
    broken.close();
    const QString refused = home.filePath(QStringLiteral("y.GDL"));
    EXPECT_EQ(runCli(model + QStringList{QStringLiteral("decode"), image, QStringLiteral("-o"), refused}, home.path()).exitCode, 2);
    EXPECT_FALSE(QFile::exists(refused));
}

} // namespace
