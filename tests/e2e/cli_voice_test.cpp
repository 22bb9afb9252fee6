// The voice command of the command-line tool, on the built-in simulator. The
// simulated voice memories live only as long as one run, so each run is judged by
// its exit status and its output.
#include "../voice/WavText.h"
#include "app/LanguageTable.h"
#include "support/CliRunner.h"
#include "voice/TalkerCompression.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Samples that never repeat one another closely, so the older module's compression
// finds no run in them.
QByteArray noisySamples(int n)
{
    QByteArray samples;
    for (int i = 0; i < n; ++i)
        samples.append(char((i * 37) % 200 + 20));
    return samples;
}

QString extensionsText(int key)
{
    return LanguageTable().text(QStringLiteral("Extensions"), key);
}

class CliVoice : public ::testing::Test {
protected:
    QString file(const char *name, const QByteArray &bytes) const
    {
        const QString path = writeCliInput(home.path(), name, bytes);
        EXPECT_FALSE(path.isEmpty()) << name;
        return path;
    }
    QByteArray contents(const QString &path) const
    {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    CliRun voice(const char *port, const QStringList &options, const QString &path) const
    {
        return runCli(QStringList{QStringLiteral("--port"), QString::fromLatin1(port), QStringLiteral("voice")} + options
                          + QStringList{path},
                      home.path());
    }

    QTemporaryDir home;
};

TEST_F(CliVoice, WritesAMessageOrRefusesIt)
{
    struct Case {
        const char *name;
        const char *port;
        QStringList options;
        QByteArray wav;
        int exitCode;
        QByteArray out;     // the whole of standard output
        QByteArray errHas;  // a part of standard error
    };
    const QStringList slot1{QStringLiteral("--slot"), QStringLiteral("1")};
    const QStringList slot8{QStringLiteral("--slot"), QStringLiteral("8")};
    const QByteArray small8bit = wavFile(8000, 1, 8, rampSamples(100));
    const Case cases[] = {
        {"TKV-C3, 8-bit mono at its rate", "sim:TKV-C3", slot1, small8bit, 0,
         "slot: 1\nsamples: 100\nconverted: no\n", "voice message stored"},
        {"TKV-C3, 16-bit stereo", "sim:TKV-C3", {QStringLiteral("--slot"), QStringLiteral("3")},
         wavFile(8000, 2, 16, stereo16(200)), 0, "slot: 3\nsamples: 200\nconverted: yes\n", "8000 Hz"},
        {"TKV-C3, the full capacity", "sim:TKV-C3", slot1, wavFile(8000, 1, 8, rampSamples(48000)), 2, "",
         "too big"},
        {"the newer module, slot 8", "sim:Talker", slot8, wavFile(11025, 1, 8, rampSamples(100)), 0,
         "slot: 8\nsamples: 100\nconverted: no\n", "voice message stored"},
        {"the newer module, converted", "sim:Talker", slot1, small8bit, 0, "", "11025 Hz"},
        {"slot 9", "sim:TKV-C3", {QStringLiteral("--slot"), QStringLiteral("9")}, small8bit, 2, "", "--slot"},
        {"slot 0", "sim:Talker", {QStringLiteral("--slot"), QStringLiteral("0")}, small8bit, 2, "", "--slot"},
        {"no slot", "sim:TKV-C3", {}, small8bit, 2, "", "--slot"},
        {"a text file", "sim:TKV-C3", slot1, "slot 1: hello\n", 2, "", "is not a WAV file"},
        {"not PCM", "sim:TKV-C3", slot1, wavFile(8000, 1, 8, rampSamples(100), 3), 2, "", "not a PCM WAV"},
        {"a TKV-C", "sim:TKV-C", slot1, small8bit, 2, "", "TKV-C takes no voice messages"},
        {"an I/O module", "sim:Option", slot1, small8bit, 2, "", "takes no voice messages"},
        {"a tolerance without --talker-old", "sim:Talker", slot1 + QStringList{QStringLiteral("--tolerance"),
                                                                                QStringLiteral("3")},
         small8bit, 2, "", "--talker-old"},
        // The older module's areas are not the newer module's slots: no answer, a time-out.
        {"the older module without --talker-old", "sim:TalkerOld", slot8, small8bit, 1, "",
         "Error in communication"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = voice(c.port, c.options, file("message.WAV", c.wav));
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        if (!c.out.isEmpty() || c.exitCode != 0) {
            EXPECT_EQ(run.out, c.out);
        }
        EXPECT_TRUE(run.err.contains(c.errHas)) << run.err.toStdString();
    }
}

TEST_F(CliVoice, TheOlderModuleTakesTheCompressedBlocks)
{
    const QByteArray wav = wavFile(11025, 1, 8, noisySamples(3000));
    const QString path = file("older.WAV", wav);
    const CliRun run = voice("sim:TalkerOld",
                             {QStringLiteral("--talker-old"), QStringLiteral("--slot"), QStringLiteral("2")}, path);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    const TalkerStream stream = compressForTalker(wav, 0);
    const TalkerBlocks blocks = talkerBlocksOf(stream.stream);
    EXPECT_EQ(run.out, QStringLiteral("slot: 2\nblocks: %1\nconverted: no\n").arg(blocks.blockCount).toLatin1());
    // The stream and block files beside the WAV file.
    EXPECT_EQ(contents(home.filePath(QStringLiteral("olderk.TXT"))), stream.stream);
    EXPECT_EQ(contents(home.filePath(QStringLiteral("older.TXT"))), blocks.blockFile);
}

TEST_F(CliVoice, TheOlderModulesOptionsAndLimits)
{
    struct Case {
        const char *name;
        const char *port;
        QStringList options;
        QByteArray wav;
        int exitCode;
        QByteArray outHas;
        QString errHas;
    };
    const QStringList older{QStringLiteral("--talker-old"), QStringLiteral("--slot")};
    const QByteArray small16bit = wavFile(22050, 2, 16, stereo16(400));
    const Case cases[] = {
        {"converted, with a tolerance, the largest area", "sim:TalkerOld",
         older + QStringList{QStringLiteral("1"), QStringLiteral("--tolerance"), QStringLiteral("7")}, small16bit, 0,
         "slot: 1\nblocks: ", QStringLiteral("voice message stored")},
        {"slot 4, converted", "sim:TalkerOld", older + QStringList{QStringLiteral("4")}, small16bit, 0, "converted: yes\n",
         QStringLiteral("voice message stored")},
        {"slot 5", "sim:TalkerOld", older + QStringList{QStringLiteral("5")}, small16bit, 2, "",
         QStringLiteral("--slot")},
        {"tolerance 8", "sim:TalkerOld", older + QStringList{QStringLiteral("1"), QStringLiteral("--tolerance"),
                                                              QStringLiteral("8")},
         small16bit, 2, "", QStringLiteral("--tolerance")},
        {"a message bigger than its area", "sim:TalkerOld", older + QStringList{QStringLiteral("2")},
         wavFile(11025, 1, 8, noisySamples(288 * 64)), 2, "", QStringLiteral("File is too big size - not performed!")},
        {"more than the compression reads", "sim:TalkerOld", older + QStringList{QStringLiteral("1")},
         wavFile(11025, 1, 8, QByteArray(120000, char(0x80))), 0, "slot: 1\n",
         extensionsText(38)},
        {"a COM-port cable", "/dev/ttyS-none", older + QStringList{QStringLiteral("1")}, small16bit, 2, "",
         extensionsText(37)},
        {"a TKV-C3", "sim:TKV-C3", older + QStringList{QStringLiteral("1")}, small16bit, 2, "",
         QStringLiteral("TKV-C3")},
        // A newer module asks for block after block and never ends the message.
        {"the newer module", "sim:Talker", older + QStringList{QStringLiteral("1")}, small16bit, 1, "",
         QStringLiteral("older voice module")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = file("older.WAV", c.wav);
        const CliRun run = voice(c.port, c.options, path);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.outHas)) << run.out.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString(c.errHas).replace(QStringLiteral("%1"), path)))
            << run.err.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        }
    }
}

}  // namespace
