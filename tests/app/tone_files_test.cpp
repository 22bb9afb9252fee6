#include "support/SourceData.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// What ostrakel-tone-gen writes: the first note of every file and the whole length.
struct ToneFile {
    const char *name;
    int firstHz;
    int firstMs;
    int totalMs;
};

constexpr ToneFile kToneFiles[] = {
    // Melody style.
    {"Pickup1.WAV", 600, 150, 330},
    {"Pickup2.WAV", 700, 120, 520},
    {"Hangup1.WAV", 900, 150, 330},
    {"Hangup2.WAV", 1400, 120, 520},
    {"Confirm.WAV", 1600, 80, 360},
    {"Error.WAV", 200, 700, 700},
    {"Tick.WAV", 1500, 30, 30},
    {"Entertoprogram.WAV", 523, 100, 560},
    {"Lock.WAV", 1000, 60, 180},
    {"Programing.WAV", 1000, 100, 600},
    {"Start.WAV", 523, 150, 660},
    {"Emptymemory.WAV", 400, 300, 750},
    {"Allert.WAV", 1047, 150, 840},
    // Morse style on a 1000 Hz carrier: dot 80 ms, dash 240 ms.
    {"Morse_Pickup1.WAV", 1000, 80, 880},          // P
    {"Morse_Pickup2.WAV", 1000, 240, 720},         // K
    {"Morse_Hangup1.WAV", 1000, 80, 560},          // H
    {"Morse_Hangup2.WAV", 1000, 80, 1360},         // SK
    {"Morse_Confirm.WAV", 1000, 240, 1840},        // OK
    {"Morse_Error.WAV", 1000, 80, 1200},           // eight dots
    {"Morse_Tick.WAV", 1000, 80, 80},              // E
    {"Morse_Entertoprogram.WAV", 1000, 80, 1680},  // PR
    {"Morse_Lock.WAV", 1000, 80, 720},             // L
    {"Morse_Programing.WAV", 1000, 80, 720},       // W
    {"Morse_Start.WAV", 1000, 80, 880},            // ST
    {"Morse_Emptymemory.WAV", 1000, 80, 880},      // EM
    {"Morse_Allert.WAV", 1000, 80, 1200},          // AR
};

constexpr int kHeaderSize = 44;
constexpr int kSamplesPerMs = 8;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 le32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Frequency from the upward crossings of the silence level 128 within the samples.
double crossingFrequency(const QByteArray &samples)
{
    int first = -1;
    int last = -1;
    int count = 0;
    for (int i = 1; i < samples.size(); ++i) {
        if (quint8(samples[i - 1]) < 128 && quint8(samples[i]) >= 128) {
            if (first < 0)
                first = i;
            last = i;
            ++count;
        }
    }
    return count < 2 ? 0.0 : (count - 1) * 8000.0 / (last - first);
}

TEST(ToneFilesTest, ShippedFilesAreCanonicalWavsOfTheToneTable)
{
    for (const ToneFile &tone : kToneFiles) {
        SCOPED_TRACE(tone.name);
        const QByteArray wav = readAll(sourceDataPath(QString::fromLatin1(tone.name)));
        ASSERT_GT(wav.size(), kHeaderSize);

        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(le32(wav, 4), quint32(wav.size() - 8));
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(le32(wav, 16), 16u);    // fmt chunk size
        EXPECT_EQ(le16(wav, 20), 1u);     // PCM
        EXPECT_EQ(le16(wav, 22), 1u);     // mono
        EXPECT_EQ(le32(wav, 24), 8000u);  // samples per second
        EXPECT_EQ(le32(wav, 28), 8000u);  // bytes per second
        EXPECT_EQ(le16(wav, 32), 1u);     // block align
        EXPECT_EQ(le16(wav, 34), 8u);     // bits per sample
        EXPECT_EQ(wav.mid(36, 4), "data");
        EXPECT_EQ(le32(wav, 40), quint32(wav.size() - kHeaderSize));

        const QByteArray samples = wav.mid(kHeaderSize);
        EXPECT_EQ(samples.size(), tone.totalMs * kSamplesPerMs);
        EXPECT_LE(tone.totalMs, 2000);

        int loudest = 0;
        for (const char sample : samples)
            loudest = std::max(loudest, std::abs(int(quint8(sample)) - 128));
        EXPECT_GT(loudest, 40);  // audible, yet far from clipping
        EXPECT_LE(loudest, 64);

        const double hz = crossingFrequency(samples.left(tone.firstMs * kSamplesPerMs));
        EXPECT_NEAR(hz, tone.firstHz, tone.firstHz * 0.03);
    }
}

TEST(ToneFilesTest, GeneratorWritesExactlyTheShippedFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess generator;
    generator.start(QStringLiteral(OSTRAKEL_TONE_GEN_EXE), {dir.path()});
    ASSERT_TRUE(generator.waitForFinished(30000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    const QStringList wavFilter = {QStringLiteral("*.WAV")};
    EXPECT_EQ(QDir(dir.path()).entryList(wavFilter, QDir::Files).size(), qsizetype(std::size(kToneFiles)));
    EXPECT_EQ(QDir(sourceDataPath(QString())).entryList(wavFilter, QDir::Files).size(),
              qsizetype(std::size(kToneFiles)));
    for (const ToneFile &tone : kToneFiles) {
        SCOPED_TRACE(tone.name);
        const QString name = QString::fromLatin1(tone.name);
        const QByteArray shipped = readAll(sourceDataPath(name));
        ASSERT_FALSE(shipped.isEmpty());
        EXPECT_TRUE(readAll(dir.filePath(name)) == shipped);
    }

    QProcess usage;
    usage.start(QStringLiteral(OSTRAKEL_TONE_GEN_EXE), {});
    ASSERT_TRUE(usage.waitForFinished(30000));
    EXPECT_EQ(usage.exitCode(), 2);
}

} // namespace
