#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QAudioSink;
class QBuffer;

// Why a file cannot be played: the message for the technician and its code.
struct AudioPlayError {
    static constexpr int noAudioStream = 1000;
    static constexpr int outputNotConnected = 1001;

    QString message;
    int code = 0;
};

// The names of the system's sound outputs, in the order the system lists them.
QStringList soundOutputNames();

// One preview of one file: created for the file, played, polled, freed.
class AudioPlayback {
public:
    virtual ~AudioPlayback() = default;
    virtual void play() = 0;
    virtual void stop() = 0;
    // Milliseconds played and of the whole file.
    virtual qint64 position() const = 0;
    virtual qint64 duration() const = 0;
};

// Plays a PCM WAV file on the sound output of the index (in soundOutputNames()).
// The file is decoded here, so no media framework is needed for it. Construction
// throws AudioPlayError for a file without PCM audio (code 1000) and for an output
// that is not there or does not open (code 1001).
class AudioPlayer : public AudioPlayback {
public:
    AudioPlayer(int outputIndex, const QString &path);
    ~AudioPlayer() override;

    void play() override;
    void stop() override;
    qint64 position() const override;
    qint64 duration() const override { return duration_; }

private:
    std::unique_ptr<QBuffer> data_;
    std::unique_ptr<QAudioSink> sink_;
    qint64 duration_ = 0;
};

// Creates the player for a preview; tests put a player of their own here.
using AudioPlayerFactory = std::function<std::unique_ptr<AudioPlayback>(int outputIndex, const QString &path)>;
AudioPlayerFactory systemAudioPlayers();
