#include "WavText.h"
#include "app/LanguageTable.h"
#include "voice/WavFile.h"

#include <gtest/gtest.h>

namespace {

QByteArray int16Frames(std::initializer_list<std::pair<qint16, qint16>> frames, bool stereo)
{
    QByteArray data;
    for (const auto &[left, right] : frames) {
        char b[2];
        qToLittleEndian(left, b);
        data.append(b, 2);
        if (stereo) {
            qToLittleEndian(right, b);
            data.append(b, 2);
        }
    }
    return data;
}

TEST(WavFile, APlainFileAtTheDeviceRateGoesAsItStands)
{
    const QByteArray samples = rampSamples(300, 7);
    const DeviceSamples taken = deviceSamplesOf(wavFile(8000, 1, 8, samples), VoiceRate::communicator);
    ASSERT_TRUE(taken.ok());
    EXPECT_EQ(taken.samples, samples);
    EXPECT_FALSE(taken.converted);
}

TEST(WavFile, OtherPcmFormatsAreConverted)
{
    struct Case {
        const char *name;
        QByteArray wav;
        int deviceRate;
        QByteArray expected;
    };
    const QByteArray stereo16 = int16Frames({{0, 0}, {32767, 32767}, {-32768, -32768}, {16384, -16384}}, true);
    const Case cases[] = {
        {"16-bit stereo at the device rate", wavFile(8000, 2, 16, stereo16), 8000,
         QByteArray::fromHex("80FF0080")},
        {"16-bit mono", wavFile(11025, 1, 16, int16Frames({{-16384, 0}, {16384, 0}}, false)), 11025,
         QByteArray::fromHex("40C0")},
        {"8-bit at twice the rate", wavFile(16000, 1, 8, QByteArray::fromHex("10203040")), 8000,
         QByteArray::fromHex("1030")},
        {"8-bit at half the rate", wavFile(4000, 1, 8, QByteArray::fromHex("1030")), 8000,
         QByteArray::fromHex("10203030")},
        {"a chunk before the data", wavFile(8000, 1, 8, QByteArray::fromHex("11"), 1, QByteArray("LIST\x02\0\0\0ab", 10)), 8000,
         QByteArray::fromHex("11")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DeviceSamples taken = deviceSamplesOf(c.wav, c.deviceRate);
        ASSERT_TRUE(taken.ok());
        EXPECT_TRUE(taken.converted);
        EXPECT_EQ(taken.samples.toHex(), c.expected.toHex());
    }
}

TEST(WavFile, AFileThatIsNotAPcmWavIsRefusedByName)
{
    const struct {
        const char *name;
        QByteArray bytes;
        WavProblem problem;
    } cases[] = {
        {"text", "hello, this is not a wave file at all", WavProblem::NotWav},
        {"too short", "RIFF", WavProblem::NotWav},
        {"compressed", wavFile(8000, 1, 4, QByteArray(10, '\0'), 0x11), WavProblem::NotPcm},
        {"24 bits", wavFile(8000, 1, 24, QByteArray(9, '\0')), WavProblem::NotPcm},
        {"no samples", wavFile(8000, 1, 8, {}), WavProblem::NoAudio},
        {"half a 16-bit frame", wavFile(8000, 1, 16, "\x01"), WavProblem::NoAudio},
        {"a data length beyond the file", wavFile(8000, 1, 8, "ab").chopped(2), WavProblem::NoAudio},
    };
    const LanguageTable texts;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const DeviceSamples taken = deviceSamplesOf(c.bytes, 8000);
        EXPECT_EQ(taken.problem, c.problem);
        EXPECT_TRUE(taken.problemText(texts, "/messages/msg1.wav").contains("\"/messages/msg1.wav\""));
        EXPECT_TRUE(taken.samples.isEmpty());
    }
    const DeviceSamples missing = readDeviceSamples("/nonexistent/msg2.wav", 8000);
    EXPECT_EQ(missing.problem, WavProblem::Unreadable);
    EXPECT_TRUE(missing.problemText(texts, "/nonexistent/msg2.wav").contains("msg2.wav"));
}

TEST(WavFile, SamplesMakeACanonicalWav)
{
    const QByteArray wav = wavOfSamples(rampSamples(5), 11025);
    EXPECT_EQ(wav.size(), 44 + 5);
    EXPECT_EQ(wav, wavFile(11025, 1, 8, rampSamples(5)));
    EXPECT_EQ(pcmAudioOf(wav).sampleRate, 11025);
}

}  // namespace
