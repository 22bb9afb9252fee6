#include "voice/AudioPlayer.h"

#include "voice/WavFile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QMediaDevices>

namespace {

const QString noAudioText = QStringLiteral("Specified file doesn't have any audio stream.");
const QString notConnectedText = QStringLiteral("Selected audio device not connected");

}  // namespace

QStringList soundOutputNames()
{
    QStringList names;
    for (const QAudioDevice &device : QMediaDevices::audioOutputs())
        names.append(device.description());
    return names;
}

AudioPlayer::AudioPlayer(int outputIndex, const QString &path)
{
    QFile file(path);
    const PcmAudio audio = file.open(QIODevice::ReadOnly) ? pcmAudioOf(file.readAll()) : PcmAudio{};
    if (!audio.isValid() || audio.data.isEmpty())
        throw AudioPlayError{noAudioText, AudioPlayError::noAudioStream};

    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    if (outputIndex < 0 || outputIndex >= outputs.size())
        throw AudioPlayError{notConnectedText, AudioPlayError::outputNotConnected};
    QAudioFormat format;
    format.setSampleRate(audio.sampleRate);
    format.setChannelCount(audio.channels);
    format.setSampleFormat(audio.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!outputs[outputIndex].isFormatSupported(format))
        throw AudioPlayError{notConnectedText, AudioPlayError::outputNotConnected};

    const qint64 frameBytes = qint64(audio.channels) * audio.bitsPerSample / 8;
    duration_ = audio.data.size() / frameBytes * 1000 / audio.sampleRate;
    data_ = std::make_unique<QBuffer>();
    data_->setData(audio.data);
    data_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(outputs[outputIndex], format);
}

AudioPlayer::~AudioPlayer()
{
    AudioPlayer::stop();
}

void AudioPlayer::play()
{
    sink_->start(data_.get());
    if (sink_->error() == QAudio::OpenError)
        throw AudioPlayError{notConnectedText, AudioPlayError::outputNotConnected};
}

void AudioPlayer::stop()
{
    if (sink_)
        sink_->stop();
}

qint64 AudioPlayer::position() const
{
    // Once the data is used up the sink falls idle (or stops on an error): played.
    const QAudio::State state = sink_->state();
    if ((state == QAudio::IdleState && data_->atEnd()) || state == QAudio::StoppedState)
        return duration_;
    return std::min(duration_, sink_->processedUSecs() / 1000);
}

AudioPlayerFactory systemAudioPlayers()
{
    return [](int outputIndex, const QString &path) -> std::unique_ptr<AudioPlayback> {
        return std::make_unique<AudioPlayer>(outputIndex, path);
    };
}
