#pragma once

// WAV files for the voice tests.

#include <QByteArray>
#include <QtEndian>

inline QByteArray wavFile(int rate, int channels, int bits, const QByteArray &data, int format = 1,
                          const QByteArray &extraChunk = {})
{
    QByteArray wav("RIFF");
    auto put32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto put16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    put32(quint32(36 + extraChunk.size() + data.size()));
    wav += "WAVEfmt ";
    put32(16);
    put16(quint16(format));
    put16(quint16(channels));
    put32(quint32(rate));
    put32(quint32(rate * channels * bits / 8));
    put16(quint16(channels * bits / 8));
    put16(quint16(bits));
    wav += extraChunk;
    wav += "data";
    put32(quint32(data.size()));
    return wav + data;
}

// n 8-bit samples counting up from first.
inline QByteArray rampSamples(int n, int first = 0)
{
    QByteArray samples;
    for (int i = 0; i < n; ++i)
        samples.append(char((first + i) & 0xFF));
    return samples;
}

// 16-bit stereo frames, a slow saw in both channels.
inline QByteArray stereo16(int frames)
{
    QByteArray data;
    for (int i = 0; i < frames; ++i) {
        char b[2];
        qToLittleEndian(qint16((i * 997) % 60000 - 30000), b);
        data.append(b, 2);
        data.append(b, 2);
    }
    return data;
}
