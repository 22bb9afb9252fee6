#pragma once

#include <QByteArray>
#include <QString>

class LanguageTable;

// Why a WAV file cannot be sent.
enum class WavProblem { None, Unreadable, NotWav, NotPcm, NoAudio };

// The samples of a WAV file as a voice device plays them: 8-bit unsigned, mono, at
// the device's rate. Any PCM WAV (8 or 16 bit, mono or stereo, any rate) is
// converted; a file already in that form with the plain 44-byte header gives its
// data bytes as they stand.
struct DeviceSamples {
    QByteArray samples;
    bool converted = false;
    WavProblem problem = WavProblem::None;
    QString reason;  // the system's reason when the file cannot be read

    bool ok() const { return problem == WavProblem::None; }
    // The refusal for the technician, naming the file.
    QString problemText(const LanguageTable &texts, const QString &path) const;
};

// The most samples a conversion gives, far more than any voice device holds: a longer
// message is refused or cut by the upload all the same, and a file that claims a rate
// of a few hertz is not blown up to gigabytes first.
constexpr qsizetype longestConversion = 1 << 20;

// The rates the voice devices play at.
namespace VoiceRate {
constexpr int communicator = 8000;  // TKV-C3
constexpr int module = 11025;       // both voice modules
}  // namespace VoiceRate

// " (converted to ...)" after a size when the samples were converted, else nothing.
QString conversionNote(bool converted, int deviceRate, const LanguageTable &texts);

// From the bytes of a WAV file.
DeviceSamples deviceSamplesOf(const QByteArray &wav, int deviceRate);
// Reads the file; a file that cannot be read is refused with its reason.
DeviceSamples readDeviceSamples(const QString &path, int deviceRate);

// A canonical WAV (44-byte header) of 8-bit mono samples at the rate.
QByteArray wavOfSamples(const QByteArray &samples, int rate);

// A PCM WAV decoded for playing: its format and its data.
struct PcmAudio {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    QByteArray data;

    bool isValid() const { return sampleRate > 0 && channels > 0 && bitsPerSample > 0; }
};
// The PCM audio of the bytes, invalid when they are not a PCM WAV.
PcmAudio pcmAudioOf(const QByteArray &wav);
