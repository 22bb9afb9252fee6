#pragma once

#include "app/Clock.h"
#include "protocol/ExchangeView.h"
#include "protocol/ModelFlags.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>

class CommLog;
class LanguageTable;
class LinkPort;
class MessagePresenter;

// How the last exchange ended.
enum class ExchangeResult { None, Completed, TimedOut, Refused };

// The byte-level exchange with the device on the local cable: identification,
// block read, block write with one acknowledgement per byte, time-outs, and the
// menu and progress state around them.
class CommandExchange {
public:
    // Limits are times: 200 ticks of the USB-LNK exchange, 2000 of the COM-port one,
    // counted at the 15.6 ms of the timers they were made for.
    static constexpr Nanos usbTimeout = std::chrono::microseconds(3'120'000);
    static constexpr Nanos comTimeout = std::chrono::microseconds(31'200'000);

    CommandExchange(LinkPort &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                    CommLog *log, ExchangeView &view, ExchangeClient &client);
    ~CommandExchange();

    // The link changes when the technician picks another cable.
    void setLink(LinkPort &link);

    void setLinkReady(bool ready) { linkReady_ = ready; }
    bool isIdle() const { return idle_; }
    bool isActive() const { return active_; }
    ExchangeResult lastResult() const { return lastResult_; }
    QString sentLog() const { return sentLog_; }

    // The device poll's identification request. Returns false when the cable could
    // not be opened (no request was sent).
    bool requestIdentification(const ModelFlags &flags);
    // "Read parameters" / "Write parameters" for the identified device type.
    void readParameters(const QString &deviceType);
    void writeParameters(const QString &deviceType);

    // The 1 ms poll tick.
    void tick();
    // Bytes have arrived; count is the number now waiting.
    void onArrival(int count);

private:
    bool startBlockExchange(const QString &deviceType, int startProgress);
    void sendRequest(quint8 letter);
    void beginExchange();
    void endExchange();
    void startTicking();
    void stopTicking();
    void setProgress(int value);
    void log(const QString &line);
    void timeOut();
    void finish(ExchangeResult result);
    void sendPosition(int position);
    void sendByte(quint8 byte);
    QByteArray takeReply();
    void handleReadArrival(int count);
    void handleWriteReply();
    Nanos timeoutLimit() const;

    LinkPort *link_;
    Clock &clock_;
    MessagePresenter &messages_;
    const LanguageTable &texts_;
    CommLog *log_;
    ExchangeView &view_;
    ExchangeClient &client_;
    std::unique_ptr<TickTimer> timer_;
    bool tickingWanted_ = false;

    QString command_;
    QString deviceType_;
    int expectedLength_ = 0;
    int blockLength_ = 0;
    QByteArray received_;
    bool active_ = false;
    Nanos lastActivity_{0};
    int sendIndex_ = 0;
    bool bytePending_ = false;
    std::array<quint8, 257> sendBuffer_{};  // positions 1 to 256
    QString sentLog_;
    bool idle_ = true;
    bool linkReady_ = false;
    int progress_ = 0;
    ExchangeResult lastResult_ = ExchangeResult::None;
};
