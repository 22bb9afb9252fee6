#include "voice/WavFile.h"

#include "app/LanguageTable.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

constexpr int plainHeaderLength = 44;

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

struct Parsed {
    PcmAudio audio;
    qsizetype dataOffset = 0;
    WavProblem problem = WavProblem::None;
};

Parsed parse(const QByteArray &wav)
{
    Parsed parsed;
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") {
        parsed.problem = WavProblem::NotWav;
        return parsed;
    }
    bool haveFormat = false;
    int format = 0;
    for (qsizetype at = 12; at + 8 <= wav.size();) {
        const QByteArray id = wav.mid(at, 4);
        const qsizetype size = le32(wav, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= wav.size()) {
            format = le16(wav, body);
            parsed.audio.channels = le16(wav, body + 2);
            parsed.audio.sampleRate = int(le32(wav, body + 4));
            parsed.audio.bitsPerSample = le16(wav, body + 14);
            // WAVE_FORMAT_EXTENSIBLE: the sub-format's first two bytes name the coding.
            if (format == 0xFFFE && size >= 40 && body + 26 <= wav.size())
                format = le16(wav, body + 24);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                break;
            parsed.dataOffset = body;
            parsed.audio.data = wav.mid(body, std::min<qsizetype>(size, wav.size() - body));
            break;
        }
        at = body + size + (size % 2);
    }
    if (!haveFormat || format != 1 || (parsed.audio.bitsPerSample != 8 && parsed.audio.bitsPerSample != 16)
        || parsed.audio.channels < 1 || parsed.audio.channels > 2 || parsed.audio.sampleRate <= 0)
        parsed.problem = WavProblem::NotPcm;
    else if (parsed.audio.data.size() < parsed.audio.channels * parsed.audio.bitsPerSample / 8)
        parsed.problem = WavProblem::NoAudio;
    if (parsed.problem != WavProblem::None)
        parsed.audio = {};
    return parsed;
}

// One mono value per frame, from -1 to 1.
std::vector<double> monoFrames(const PcmAudio &audio)
{
    const int bytes = audio.bitsPerSample / 8;
    const int frameBytes = bytes * audio.channels;
    const qsizetype frames = audio.data.size() / frameBytes;
    std::vector<double> mono(size_t(frames), 0.0);
    for (qsizetype f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < audio.channels; ++c) {
            const char *at = audio.data.constData() + f * frameBytes + c * bytes;
            sum += bytes == 1 ? (quint8(*at) - 128) / 128.0 : qFromLittleEndian<qint16>(at) / 32768.0;
        }
        mono[size_t(f)] = sum / audio.channels;
    }
    return mono;
}

// Linear interpolation to the rate, as 8-bit unsigned samples, at most longestConversion.
QByteArray resampled(const std::vector<double> &mono, int fromRate, int toRate)
{
    const qsizetype count = qsizetype(
        std::min(std::floor(double(mono.size()) * toRate / fromRate), double(longestConversion)));
    QByteArray samples(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i) {
        const double position = double(i) * fromRate / toRate;
        const size_t left = size_t(position);
        const double fraction = position - double(left);
        const double right = left + 1 < mono.size() ? mono[left + 1] : mono[left];
        const double value = mono[left] * (1 - fraction) + right * fraction;
        samples[i] = char(std::clamp(int(std::lround(value * 128.0 + 128.0)), 0, 255));
    }
    return samples;
}

}  // namespace

DeviceSamples deviceSamplesOf(const QByteArray &wav, int deviceRate)
{
    const Parsed parsed = parse(wav);
    if (parsed.problem != WavProblem::None)
        return {{}, false, parsed.problem, {}};
    const PcmAudio &audio = parsed.audio;
    if (audio.bitsPerSample == 8 && audio.channels == 1 && audio.sampleRate == deviceRate
        && parsed.dataOffset == plainHeaderLength)
        return {audio.data, false, WavProblem::None, {}};
    const QByteArray samples = resampled(monoFrames(audio), audio.sampleRate, deviceRate);
    if (samples.isEmpty())
        return {{}, false, WavProblem::NoAudio, {}};
    return {samples, true, WavProblem::None, {}};
}

DeviceSamples readDeviceSamples(const QString &path, int deviceRate)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, false, WavProblem::Unreadable, file.errorString()};
    return deviceSamplesOf(file.readAll(), deviceRate);
}

QString DeviceSamples::problemText(const LanguageTable &texts, const QString &path) const
{
    const QString section = QStringLiteral("Extensions");
    switch (problem) {
    case WavProblem::None:
        break;
    case WavProblem::Unreadable:
        return texts.text(section, 32).arg(path, reason);
    case WavProblem::NotWav:
        return texts.text(section, 33).arg(path);
    case WavProblem::NotPcm:
        return texts.text(section, 34).arg(path);
    case WavProblem::NoAudio:
        return texts.text(section, 35).arg(path);
    }
    return {};
}

QString conversionNote(bool converted, int deviceRate, const LanguageTable &texts)
{
    if (!converted)
        return {};
    return QStringLiteral(" (%1)").arg(texts.text(QStringLiteral("Extensions"), 36).arg(deviceRate));
}

QByteArray wavOfSamples(const QByteArray &samples, int rate)
{
    QByteArray wav("RIFF");
    const auto put32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    const auto put16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    put32(quint32(36 + samples.size()));
    wav += "WAVEfmt ";
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(quint32(rate));
    put32(quint32(rate));  // bytes a second
    put16(1);              // bytes a frame
    put16(8);
    wav += "data";
    put32(quint32(samples.size()));
    return wav + samples;
}

PcmAudio pcmAudioOf(const QByteArray &wav)
{
    return parse(wav).audio;
}
