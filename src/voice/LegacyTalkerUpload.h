#pragma once

#include "app/Clock.h"

#include <QByteArray>
#include <QList>
#include <memory>

class CommLog;
class LanguageTable;
class LinkPort;
class MessagePresenter;
class VoiceUploadView;

// Sends a compressed message to the older voice module: "N", "M" and the slot's
// character, then one 64-byte block per request ("A" for the first, "O" for each
// next, bytes of each pair second first), blocks of 0x80 once the message is
// exhausted, until the module says "K". One step per tick of a 2 ms timer.
class LegacyTalkerUpload {
public:
    enum class State { Ready, Waiting, Sending, Stored, Failed };

    static constexpr Millis tickInterval{2};
    // Limits counted in ticks of a timer that never ticked faster than 15.6 ms.
    static constexpr Nanos replyTimeout = std::chrono::microseconds(500 * 15'600);
    static constexpr Nanos overflowAt = std::chrono::microseconds(495 * 15'600);
    static constexpr int blockLength = 64;

    LegacyTalkerUpload(LinkPort &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                       CommLog *log, VoiceUploadView &view);
    ~LegacyTalkerUpload();

    // Sends the start of the slot's message (character "1" to "4") and waits for "A".
    void start(char slotCharacter, const QList<QByteArray> &blocks, int areaBlocks);
    // The upload timer's handler.
    void uploadTimerTick();
    void stop();

    State state() const { return state_; }
    int blockPosition() const { return position_; }

private:
    void sendBlock(const QByteArray &block, Millis gap);
    void end(bool stored);
    void log(const QString &line);

    LinkPort &link_;
    Clock &clock_;
    MessagePresenter &messages_;
    const LanguageTable &texts_;
    CommLog *log_;
    VoiceUploadView &view_;
    std::unique_ptr<TickTimer> timer_;

    State state_ = State::Ready;
    QList<QByteArray> blocks_;
    int next_ = 0;
    int areaBlocks_ = 0;
    int position_ = 0;
    Nanos lastReply_{0};
    bool overflowSent_ = false;
};
