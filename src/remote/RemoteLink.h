#pragma once

#include "app/Clock.h"
#include "remote/BlackBoxPort.h"
#include "remote/DeferredCancel.h"
#include "remote/ExchangeTables.h"
#include "remote/ReplyBuffer.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class CommLog;
class FtdiApi;
class LanguageTable;
class MessagePresenter;
class RemoteView;

// The remote connection through a BlackBox: dialling the communicator into
// programming mode, keeping the connection alive, hanging up.
//
// Everything runs in remoteTick(), the 50 ms remote timer's handler, which stops
// the timer on entry and restarts it on the way out, so ticks never overlap. The
// pauses of up to 5 s run through the clock; a cancel asked for meanwhile takes
// effect as soon as the current step has unwound.
class RemoteLink {
public:
    static constexpr Millis tickInterval{50};
    // Limits counted in 50 ms ticks, as times.
    static constexpr Nanos replyTimeout = std::chrono::milliseconds(5000);    // 100 ticks
    static constexpr Nanos keepAliveIdle = std::chrono::milliseconds(15000);  // 301 ticks
    // A box that has not finished a keep-alive cycle in this time is given up.
    static constexpr Nanos keepAliveLimit = std::chrono::seconds(60);
    static constexpr int repeatLimit = 10;
    static constexpr int keepAliveWrongLimit = 20;
    static constexpr int redialLimit = 40;
    // A keep-alive exchange takes about a second; lending waits no longer than this.
    static constexpr Nanos lendWait = std::chrono::seconds(10);
    // The pause of a polling pass is never shorter than a tick of the coarse timer
    // the polls were made for (about 15.6 ms).
    static constexpr Millis pollPassMinimum{16};

    RemoteLink(FtdiApi &api, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
               CommLog *log, RemoteView *view);
    ~RemoteLink();
    RemoteLink(const RemoteLink &) = delete;
    RemoteLink &operator=(const RemoteLink &) = delete;

    BlackBoxPort &blackBox() { return box_; }
    // Where the link reports to from now on (the main window; the connect dialog
    // through it); none: nowhere.
    void setView(RemoteView *view);

    // --- Connect menu and dialog ---
    // Lists the boxes; with none offered shows "BlackBox not connected" and returns
    // false. Otherwise logs the start and returns true: the dialog may open.
    bool beginConnect();
    // Select: opens the listed box at this index. On failure shows the message and
    // returns false (the dialog closes).
    bool selectBlackBox(int index);
    // The Connect button: builds the dialling table and sends the reset.
    void startDialling(const DialParameters &dial);
    // First Cancel (before a box was selected; also the end of a failed step 5):
    // hangs up and releases the box.
    void cancelBeforeSelect();
    // Second Cancel (a box was selected): hangs up; the box stays open.
    void cancelAfterSelect();
    // After the dialog closed: "Not selected any BlackBox" when no box is open.
    void finishConnectDialog();

    // The technician's Cancel or Disconnect while the link may be inside a step:
    // acted on at once when no step is running, else as soon as it has unwound.
    void requestCancel();
    // Ends the connection: hang-up, menus, log.
    void remoteDisconnect();
    // The hang-up sequence, when a box is open; no reply is judged.
    void hangUpBlackBox();
    // The program closes: the line is hung up and the exchange stops.
    void hangUpOnExit();

    // The remote read and write dialogs borrow the link and give it back. Lending
    // lets a keep-alive exchange under way finish first (its reply would otherwise be
    // taken for the borrower's); false when the connection ended meanwhile.
    bool lendLink();
    void takeLinkBack();

    // Polls the box until the receive buffer ends with the awaited text, at most the
    // given number of passes, each after a pause of at least one coarse timer tick.
    // The number of passes made is kept in passes (the dialogs count it as wrong
    // replies); false when the text did not come.
    bool pollFor(const QByteArray &awaited, int maxPasses, Millis each, int &passes);

    // The 50 ms remote timer's handler.
    void remoteTick();

    bool isDialling() const { return dialling_; }
    bool isConnected() const { return connected_; }
    bool isIdle() const { return idle_; }
    bool isRemoteMode() const { return remoteMode_; }
    bool isTimerActive() const;
    int step() const { return step_; }
    int keepAliveCycles() const { return keepAliveCycles_; }
    Nanos connectionStart() const { return connectionStart_; }
    const std::vector<ExchangeStep> &exchangeTable() const { return table_; }
    ReplyBuffer &receiveBuffer() { return buffer_; }

private:
    void dialTick();
    void keepAliveTick();
    void dialStepSucceeded();
    void sendNextDialStep();
    bool limitRedials(int &passes, int limitStep, const QString &failure);
    void remoteConnected();
    void judgeKeepAliveReply(const ReplyBuffer::Reply &reply);
    void resetCounters();
    void fail(const QString &reason);
    void restartTimer();
    // Waits through the clock; false when a cancel was asked for meanwhile.
    bool pause(Millis duration);
    void actOnCancel();
    void sendStep();
    void readIntoBuffer();
    void discardPendingInput();
    void log(const QString &line);
    void logEnded(const QString &line);
    QString text(int key) const;

    BlackBoxPort box_;
    Clock &clock_;
    MessagePresenter &messages_;
    const LanguageTable &texts_;
    CommLog *log_;
    RemoteView *view_;
    std::unique_ptr<TickTimer> timer_;

    std::vector<ExchangeStep> table_;
    int step_ = 0;
    int stepCount_ = 0;
    ReplyBuffer buffer_;
    Nanos replyWaitStart_{0};
    int timeoutRepeats_ = 0;
    int errRepeats_ = 0;
    int wrongReplies_ = 0;
    int selectPasses_ = 0;  // step 5 sent in a row
    int probePasses_ = 0;   // step 9 sent in a row
    Nanos idleStart_{0};
    Nanos cycleStart_{0};
    int keepAliveCycles_ = 0;
    bool dialling_ = false;
    bool connected_ = false;
    bool idle_ = false;
    bool remoteMode_ = false;
    bool gsm_ = false;
    Nanos connectionStart_{0};
    int selectedIndex_ = -1;
    DeferredCancel cancel_;
};
