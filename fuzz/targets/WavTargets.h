#pragma once

// WAV files: read for the TKV-C3 and for the voice modules, decoded for playing, and
// made ready for the older voice module (compressed, cut into blocks, its stream and
// block files written beside it).

#include "FuzzSupport.h"

#include "app/LanguageTable.h"
#include "voice/TalkerMessage.h"
#include "voice/WavFile.h"

#include <algorithm>

namespace ostrakel::fuzz {

inline const LanguageTable &wavTexts()
{
    static const LanguageTable texts;
    return texts;
}

inline void checkSamples(const DeviceSamples &samples, const QString &path)
{
    if (samples.ok()) {
        OSTRAKEL_FUZZ_CHECK(!samples.samples.isEmpty());
    } else {
        OSTRAKEL_FUZZ_CHECK(samples.samples.isEmpty());
        OSTRAKEL_FUZZ_CHECK(!samples.problemText(wavTexts(), path).isEmpty());
    }
}

inline void wavTarget(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString path = inputFile(QStringLiteral("Message.WAV"), bytes);
    for (const int rate : {VoiceRate::communicator, VoiceRate::module}) {
        const DeviceSamples samples = readDeviceSamples(path, rate);
        checkSamples(samples, path);
        // Never more than the file or the longest conversion, whatever rate it claims.
        OSTRAKEL_FUZZ_CHECK(samples.samples.size() <= std::max<qsizetype>(bytes.size(), longestConversion));
    }
    const PcmAudio audio = pcmAudioOf(bytes);
    if (audio.isValid())
        OSTRAKEL_FUZZ_CHECK(audio.data.size() >= audio.channels * audio.bitsPerSample / 8);
}

// The input's size picks the tolerance (modulo 8) and the area (divided by 8, modulo 4).
inline void talkerTarget(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString path = inputFile(QStringLiteral("Talker.WAV"), bytes);
    const int tolerance = int(size % 8);
    const TalkerArea &area = talkerAreas[size / 8 % talkerAreas.size()];
    const TalkerMessage message = prepareTalkerMessage(path, tolerance, area, wavTexts());
    if (message.stream.stream.isEmpty()) {
        OSTRAKEL_FUZZ_CHECK(!message.problem.isEmpty());
        return;
    }
    OSTRAKEL_FUZZ_CHECK(message.stream.stream.endsWith("\xFF\xFF"));
    OSTRAKEL_FUZZ_CHECK(!message.blocks.blocks.isEmpty());
    for (const QByteArray &block : message.blocks.blocks)
        OSTRAKEL_FUZZ_CHECK(block.size() == 64);

    // The compression of the bytes as they stand, as it takes an unconverted file.
    const TalkerStream stream = compressForTalker(bytes, tolerance);
    OSTRAKEL_FUZZ_CHECK(stream.stream.endsWith("\xFF\xFF"));
    OSTRAKEL_FUZZ_CHECK(stream.inputBytes <= TalkerStream::inputLimit);
    (void)talkerStatistics(stream, talkerBlocksOf(stream.stream), area.blocks);
}

}  // namespace ostrakel::fuzz
