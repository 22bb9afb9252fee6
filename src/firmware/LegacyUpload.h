#pragma once

#include "app/Clock.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

#include "firmware/UpgradeView.h"

class LanguageTable;
class LinkPort;
class MessagePresenter;

// The firmware upload of a TKV-C or TKV-C2 once it has entered its loader: "w" until
// the loader answers "Y", then the packets byte by byte, each byte answered "O" and
// each packet "K", until the loader says "Z" or the packets run out. One reply or
// one byte per tick of a 1 ms timer. "P" or a "K" in the middle of a packet sends
// the packet again from its first byte, and so does a reply that does not come; a
// packet counts as taken only on its "K". Eleven such restarts in a row without the
// loader taking a byte end the upload.
class LegacyUpload {
public:
    enum class State { Ready, Connecting, Uploading, Finished, Failed, Stopped };

    static constexpr Millis tickInterval{1};
    // Limits counted in ticks of a timer that never ticked faster than 15.6 ms.
    static constexpr Nanos probeInterval = std::chrono::microseconds(15'600);
    static constexpr int probeLimit = 100;
    static constexpr Nanos replyTimeout = std::chrono::microseconds(50 * 15'600);
    static constexpr int restartLimit = 10;

    LegacyUpload(LinkPort &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                 UpgradeView &view, QList<QByteArray> packets);
    ~LegacyUpload();

    void start();
    // The legacy timer's handler.
    void legacyTimerTick();
    // The window closes: the upload stops where it is.
    void stop();

    State state() const { return state_; }
    int packetIndex() const { return packetIndex_; }
    int byteIndex() const { return byteIndex_; }

private:
    void probe();
    void sendByte();
    void judgeReply(const QByteArray &reply);
    void restartPacket(UpgradeView::StatusColour colour);
    void finish();
    void fail(const QString &word, const QString &message);
    void closeLog(bool success);
    QString message(int key) const;

    LinkPort &link_;
    Clock &clock_;
    MessagePresenter &messages_;
    const LanguageTable &texts_;
    UpgradeView &view_;
    QList<QByteArray> packets_;
    std::unique_ptr<TickTimer> timer_;

    State state_ = State::Ready;
    int packetIndex_ = 1;  // 1-based
    int byteIndex_ = 1;    // 1 to 10, 11 while the packet waits for its "K"
    int probes_ = 0;
    int restarts_ = 0;
    bool readyToSend_ = false;
    Nanos lastProbe_{-probeInterval};
    Nanos waitStart_{0};
    QString lastSent_;
};
