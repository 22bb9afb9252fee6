#pragma once

#include "app/Clock.h"
#include "params/CommunicatorModel.h"
#include "remote/ReadBlockMap.h"
#include "remote/RemoteJob.h"

#include <QByteArray>
#include <QString>
#include <memory>

class ParameterSet;
struct ParameterStatus;

// What the read dialog shows of the reading.
class RemoteReadView {
public:
    virtual ~RemoteReadView() = default;
    virtual void setProgress(int position, int maximum) { (void)position; (void)maximum; }
    // "bank-block-phase" of the block being read.
    virtual void setPosition(const QString &text) { (void)text; }
    virtual void setBlockCounter(int count) { (void)count; }
    // A phase was decoded into the values (after the basic one the module indicators
    // are recoloured from the status values).
    virtual void phaseDecoded(ReadPhase phase) { (void)phase; }
    // The dialog closes: at the end, on a failure that closes it, or on Cancel.
    // finished: every chosen block was read and decoded.
    virtual void closed(bool finished) { (void)finished; }
};

// The three images of a remote read; they belong to the caller.
struct ReadImages {
    QByteArray &working;   // receives the blocks, decoded after each phase
    QByteArray &previous;  // the values shown when the reading started
    QByteArray &fresh;     // copy of the working image after every received block
};

// Reads the communicator's parameter memory block by block over a connection lent
// by the remote link. One exchange step runs per 80 ms tick; the polls and pauses
// inside a step run through the clock, and a cancel asked for meanwhile takes
// effect as soon as the step has unwound.
class RemoteRead : public RemoteJob {
public:
    enum class State { Ready, WaitingForData, WaitingForChecksum, Stopped, Finished, Closed };

    static constexpr Millis tickInterval{80};

    RemoteRead(RemoteLink &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
               RemoteReadView &view, const ReadImages &images, ParameterSet &set, ParameterStatus &status,
               CommunicatorModel model);
    ~RemoteRead() override;

    // Read data: false (Remote/45 shown, nothing sent) without a choice. Otherwise
    // borrows the link and sends the first block request. gsm lengthens the reply
    // time-out.
    bool start(const ReadChoices &choices, bool gsm);
    // The 80 ms timer's handler.
    void tick();

    State state() const { return state_; }
    ReadPhase phase() const { return phase_; }
    ReadBlock currentBlock() const;
    int blockCounter() const { return blockCounter_; }
    int progress() const { return progress_; }
    int progressMaximum() const { return progressMaximum_; }
    bool isTimerActive() const;

private:
    bool replyComplete(const QByteArray &timeoutNote);
    void dataStep();
    void checksumStep();
    void afterFull();
    void afterReceiveOk();
    void checksumReceived();
    void wrongReply();
    void reRequest(const QByteArray &note);
    void nextBlock();
    void decodePhase();
    void sendRequest();
    void resetCounters();
    bool poll(const QByteArray &awaited, int passes, Millis each);
    bool timedOut() const;
    void fail(int key, const QString &detail, bool closeDialog);
    void setProgress(int position);
    void restartTimer();
    void close() override;

    RemoteReadView &view_;
    ReadImages images_;
    ParameterSet &set_;
    ParameterStatus &status_;
    CommunicatorModel model_;
    std::unique_ptr<TickTimer> timer_;

    State state_ = State::Ready;
    ReadChoices choices_;
    ReadPhase phase_ = ReadPhase::None;
    size_t blockIndex_ = 0;
    bool gsm_ = false;
    bool receiveSent_ = false;
    QByteArray digits_;
    QString computedChecksum_;
    int replyWaitTicks_ = 0;
    int wrongReplies_ = 0;
    int blockCounter_ = 0;
    int progress_ = 0;
    int progressMaximum_ = 10;
    bool decodeRefused_ = false;  // the image read had no marker: nothing was decoded
};
