#pragma once

#include "app/Clock.h"
#include "params/CommunicatorModel.h"
#include "remote/RemoteJob.h"
#include "remote/WritePages.h"

#include <QByteArray>
#include <array>
#include <memory>

class ParameterSet;

// How the last reply went, for the colour of the write dialog's page label.
enum class WriteStatus {
    Normal,    // window colour
    TimedOut,  // green: no reply, the command was sent again
    Refused,   // red: "ERR", the command is sent again
};

// What the write dialog shows of the writing.
class RemoteWriteView {
public:
    virtual ~RemoteWriteView() = default;
    virtual void setProgress(int position, int maximum) { (void)position; (void)maximum; }
    virtual void setPage(int page) { (void)page; }
    virtual void setStep(int step) { (void)step; }
    virtual void setStatus(WriteStatus status) { (void)status; }
    // The dialog closes: at the end, on a failure that closes it, or on Cancel.
    virtual void closed(bool finished) { (void)finished; }
};

// The pages ticked for writing, page 1 first.
struct WritePageChoice {
    std::array<bool, writePageCount> pages{true, true, true, true, true, true, true};

    bool includes(WritePageId page) const { return pages[size_t(int(page) - 1)]; }
    static WritePageChoice only(std::initializer_list<WritePageId> list)
    {
        WritePageChoice choice;
        choice.pages.fill(false);
        for (WritePageId page : list)
            choice.pages[size_t(int(page) - 1)] = true;
        return choice;
    }
};

// Writes the chosen pages of parameters into the communicator as DTMF programming
// codes over a connection lent by the remote link: each code is answered "OK" by
// the box, then the program fetches the communicator's "B" through "AT@RECE" and
// "AT@RECN" before it sends the next. One exchange step runs per tick of the
// dialog's timer (600 ms on the telephone-number page, 120 ms on the others); a
// cancel asked for meanwhile takes effect as soon as the step has unwound.
//
// Parameters whose value has no remote code are left out; the report says so and
// the technician is told when the dialog closes.
class RemoteWrite : public RemoteJob {
public:
    enum class State { Ready, Writing, Finished, Closed };

    static constexpr Millis tickInterval{120};
    static constexpr Millis phoneTickInterval{600};

    RemoteWrite(RemoteLink &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                RemoteWriteView &view, const ParameterSet &set, CommunicatorModel model);
    ~RemoteWrite() override;

    // Write data: borrows the link and sends the first page's first command. With no
    // page ticked the dialog closes and nothing is written. gsm lengthens the waits.
    void start(const WritePageChoice &choice, bool gsm);
    // The dialog's timer's handler.
    void tick();

    State state() const { return state_; }
    WritePageId page() const { return page_.id; }
    int step() const { return step_; }
    bool isTimerActive() const;
    // What the pages written so far left out.
    const QList<WriteOmission> &omitted() const { return omitted_; }

private:
    bool nextPage();
    void startPage();
    void sendCommand();
    void timedOut();
    void refused();
    void wrongReply();
    void acknowledgementCycle();
    void acknowledged();
    void notAcknowledged();
    bool fetch(const QByteArray &command, const char *failure);
    void setProgress(int position);
    TickTimer &timer();
    void restartTimer();
    bool pause(Millis duration);
    Millis gsmPause(Millis normal, Millis gsm) const;
    enum class Told { BeforeClosing, AfterClosing };
    void closeWith(const QString &failure, Told when = Told::AfterClosing);
    void close() override;
    void tellOmissions();

    RemoteWriteView &view_;
    const ParameterSet &set_;
    CommunicatorModel model_;
    std::unique_ptr<TickTimer> pageTimer_;
    std::unique_ptr<TickTimer> phoneTimer_;

    State state_ = State::Ready;
    WritePageChoice choice_;
    WritePage page_;
    int pageNumber_ = 0;
    bool gsm_ = false;
    int step_ = 0;
    int replyWaitTicks_ = 0;
    int timeoutRepeats_ = 0;
    int errRepeats_ = 0;
    int wrongReplies_ = 0;
    int noAcknowledge_ = 0;
    int progressMaximum_ = 10;
    QList<WriteOmission> omitted_;
};
