#pragma once

#include "app/Clock.h"

#include <QByteArray>
#include <QString>
#include <memory>

class CommLog;
class LanguageTable;
class LinkPort;
class MessagePresenter;

// Where a voice message goes: into a TKV-C3 itself or into a voice module of the
// newer kind.
enum class VoiceDevice { Communicator, Module };

// What the voice window shows of an upload.
class VoiceUploadView {
public:
    virtual ~VoiceUploadView() = default;
    virtual void setProgressVisible(bool visible) { (void)visible; }
    virtual void setProgress(int position, int maximum) { (void)position; (void)maximum; }
    // "sent / count / capacity".
    virtual void showCounter(const QString &text) { (void)text; }
    // The upload has ended, stored or not: the slot buttons come back.
    virtual void uploadEnded(bool stored) { (void)stored; }
};

// Sends one voice message, 8-bit samples in blocks of 16, to a TKV-C3 ("W", "m",
// number, count) or a voice module ("M", slot digit), each block asked for by the
// device's "O". The module receives every sample, its last block padded with 0xFF,
// then a block of 0xFF that ends the message; a TKV-C3 answers "K" when it has the
// whole count. One step per tick of a 1 ms timer.
class VoiceUpload {
public:
    enum class State { Ready, Waiting, Transferring, Stored, Failed };

    static constexpr int communicatorCapacity = 48000;
    static constexpr int moduleCapacity = 65534;
    static constexpr int blockLength = 16;
    static constexpr Millis tickInterval{1};
    // No reply for this long ends the upload: 100 ticks of a timer that never ticked
    // faster than 15.6 ms on the USB cable; on a COM-port cable 30 s.
    static constexpr Nanos usbTimeout = std::chrono::microseconds(100 * 15'600);
    static constexpr Nanos comTimeout = std::chrono::seconds(30);

    VoiceUpload(LinkPort &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts, CommLog *log,
                VoiceUploadView &view, VoiceDevice device);
    ~VoiceUpload();

    static int capacityOf(VoiceDevice device);
    // The size label: share of the capacity and seconds of 6, e.g. "12 % - 0,7sec".
    static QString sizeText(int count, int capacity);

    // Slot 1 to 8. Writes the samples as hex in a text file beside the WAV file, then
    // sends the header; false (told and logged) when the message does not fit.
    bool start(int slot, const QByteArray &samples, const QString &wavPath);
    // The upload timer's handler.
    void uploadTimerTick();
    // The window closes.
    void stop();

    State state() const { return state_; }
    int bytesSent() const { return sent_; }
    QString messageLabel() const { return messageLabel_; }
    QString sizeLabel() const { return sizeLabel_; }

private:
    void onReady(QByteArray &reply);
    void sendBlock();
    void sendFiller();
    void finish(bool stored, const QString &logLine);
    void fail(const QString &message, const QString &logLine);
    void log(const QString &line);
    void writeSideFile(const QString &path);
    bool timedOut() const;

    LinkPort &link_;
    Clock &clock_;
    MessagePresenter &messages_;
    const LanguageTable &texts_;
    CommLog *log_;
    VoiceUploadView &view_;
    VoiceDevice device_;
    std::unique_ptr<TickTimer> timer_;

    State state_ = State::Ready;
    int messageNumber_ = 0;
    QByteArray samples_;
    int sent_ = 0;       // samples and filler bytes
    int samplesSent_ = 0;
    Nanos lastReply_{0};
    QString messageLabel_;
    QString sizeLabel_;
};
