#include "remote/RemoteWrite.h"

#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "params/Catalogue.h"
#include "remote/RemoteLink.h"

namespace {

enum WriteText {
    CannotConnect = 33,
    ErrorWord = 35,
    NotReplied = 41,
    ErrTimeout = 43,
    RepeatTimeout = 44,
};

const QByteArray Acknowledged = QByteArrayLiteral("BOK\r\n");

constexpr int RepeatLimit = 10;
constexpr int FetchPoll = 100;
constexpr int CycleLimit = 80;
constexpr int GsmCycleLimit = 200;
constexpr int NoAcknowledgeLimit = 2;

constexpr Millis StartPause{100};
constexpr Millis PageStartPause{1300};
constexpr Millis GsmPageStartPause{2500};
constexpr Millis ErrPause{1000};
constexpr Millis FetchPause{200};
constexpr Millis AcknowledgedPause{1000};
constexpr Millis GsmAcknowledgedPause{2000};
constexpr Millis NextCommandPause{50};

QString reasonText(const LanguageTable &texts, WriteOmission::Reason reason)
{
    return texts.text(QStringLiteral("Extensions"), reason == WriteOmission::Reason::NoDtmfValue ? 24 : 25);
}

}  // namespace

RemoteWrite::RemoteWrite(RemoteLink &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                         RemoteWriteView &view, const ParameterSet &set, CommunicatorModel model)
    : RemoteJob(link, clock, messages, texts, "Write report "), view_(view), set_(set), model_(model),
      pageTimer_(clock.createTimer(tickInterval, [this] { tick(); })),
      phoneTimer_(clock.createTimer(phoneTickInterval, [this] { tick(); }))
{
}

RemoteWrite::~RemoteWrite()
{
    pageTimer_->stop();
    phoneTimer_->stop();
}

bool RemoteWrite::isTimerActive() const
{
    return pageTimer_->isActive() || phoneTimer_->isActive();
}

TickTimer &RemoteWrite::timer()
{
    return page_.id == WritePageId::PhoneNumbers ? *phoneTimer_ : *pageTimer_;
}

void RemoteWrite::restartTimer()
{
    if (state_ == State::Writing)
        timer().start();
}

bool RemoteWrite::pause(Millis duration)
{
    clock_.wait(duration);
    return !cancelRequested();
}

Millis RemoteWrite::gsmPause(Millis normal, Millis gsm) const
{
    return gsm_ ? gsm : normal;
}

void RemoteWrite::setProgress(int position)
{
    view_.setProgress(position, progressMaximum_);
}

void RemoteWrite::start(const WritePageChoice &choice, bool gsm)
{
    if (state_ != State::Ready)
        return;
    const DeferredCancel::Step step(cancel_);
    choice_ = choice;
    gsm_ = gsm;
    setProgress(1);
    if (!link_.lendLink()) {
        // The connection ended while the keep-alive finished its exchange.
        close();
        return;
    }
    state_ = State::Writing;
    timeoutRepeats_ = errRepeats_ = wrongReplies_ = noAcknowledge_ = 0;
    replyWaitTicks_ = 0;
    link_.receiveBuffer().clear();
    discardPendingInput();
    if (!pause(StartPause))
        return;
    reportLine("START sequence\r\n");
    pageNumber_ = 0;
    nextPage();
}

// The next ticked page, or the end when none is left; false at the end.
bool RemoteWrite::nextPage()
{
    do
        ++pageNumber_;
    while (pageNumber_ <= writePageCount && !choice_.includes(WritePageId(pageNumber_)));
    if (pageNumber_ > writePageCount) {
        state_ = State::Finished;
        close();
        return false;
    }
    page_ = buildWritePage(WritePageId(pageNumber_), set_, model_);
    for (const WriteOmission &omission : page_.omitted) {
        omitted_.append(omission);
        reportLine("Not written: code " + omission.code.toLatin1() + " (" + omission.id.toLatin1() + "), "
                   + reasonText(texts_, omission.reason).toUtf8());
    }
    startPage();
    return true;
}

void RemoteWrite::startPage()
{
    view_.setPage(pageNumber_);
    progressMaximum_ = int(page_.commands.size());
    setProgress(1);
    if (!pause(gsmPause(PageStartPause, GsmPageStartPause)))
        return;
    step_ = 0;
    view_.setStep(step_);
    sendCommand();
    restartTimer();
}

void RemoteWrite::sendCommand()
{
    send(page_.commands[step_]);
    replyWaitTicks_ = 0;
}

void RemoteWrite::tick()
{
    timer().stop();
    const DeferredCancel::Step step(cancel_);
    if (state_ != State::Writing)
        return;
    if (++replyWaitTicks_ > replyTimeoutTicks(gsm_)) {
        timedOut();
        return;
    }
    // A line still arriving stays in the buffer for the next tick.
    ReplyBuffer &buffer = link_.receiveBuffer();
    buffer.append(link_.blackBox().readBlackBox());
    const std::optional<ReplyBuffer::Reply> reply = buffer.reply();
    if (!reply) {
        restartTimer();
        return;
    }
    setProgress(step_ + 2);
    received(buffer.text());
    timeoutRepeats_ = 0;
    replyWaitTicks_ = 0;
    if (!reply->overflow && reply->text == "ERR") {
        refused();
        return;
    }
    errRepeats_ = 0;
    if (reply->overflow || reply->text != "OK") {
        wrongReply();
        return;
    }
    buffer.clear();
    view_.setStatus(WriteStatus::Normal);
    acknowledgementCycle();
}

void RemoteWrite::timedOut()
{
    view_.setStatus(WriteStatus::TimedOut);
    // A piece of a line that never ended must not stick to the next reply.
    link_.receiveBuffer().clear();
    sendCommand();
    if (++timeoutRepeats_ > RepeatLimit) {
        closeWith(text(CannotConnect) + QStringLiteral(" '") + text(RepeatTimeout) + u'\'');
        return;
    }
    discardPendingInput();
    restartTimer();
}

void RemoteWrite::refused()
{
    view_.setStatus(WriteStatus::Refused);
    link_.receiveBuffer().clear();
    if (!pause(ErrPause))
        return;
    sendCommand();
    if (++errRepeats_ > RepeatLimit) {
        closeWith(text(CannotConnect) + QStringLiteral(" '") + text(ErrTimeout) + u'\'');
        return;
    }
    restartTimer();
}

void RemoteWrite::wrongReply()
{
    link_.receiveBuffer().clear();
    if (++wrongReplies_ > RepeatLimit) {
        closeWith(text(CannotConnect) + QStringLiteral(" '") + text(NotReplied) + u' '
                      + QString::fromLatin1(page_.commands[step_]) + u'\'',
                  Told::BeforeClosing);
        return;
    }
    discardPendingInput();
    restartTimer();
}

// "AT@RECE" and "AT@RECN" until the communicator's "B" comes back or the cycles run
// out. The box answers both within the poll, else the writing ends.
void RemoteWrite::acknowledgementCycle()
{
    ReplyBuffer &buffer = link_.receiveBuffer();
    for (int cycles = 1;; ++cycles) {
        if (!fetch(ReceiveCommand, "TX - RECE   not receive OK"))
            return;
        received(buffer.text());
        if (!pause(FetchPause))
            return;
        if (!fetch(FetchCommand, "TX - RECN   not receive OK"))
            return;
        received(buffer.text());
        if (cycles > (gsm_ ? GsmCycleLimit : CycleLimit)) {
            notAcknowledged();
            return;
        }
        if (buffer.text().endsWith(Acknowledged)) {
            acknowledged();
            return;
        }
    }
}

bool RemoteWrite::fetch(const QByteArray &command, const char *failure)
{
    send(command);
    link_.receiveBuffer().clear();
    if (link_.pollFor(OkLine, FetchPoll, Millis(1), wrongReplies_))
        return true;
    reportLine(failure);
    closeWith(text(ErrorWord) + QString::fromLatin1(failure), Told::BeforeClosing);
    return false;
}

void RemoteWrite::acknowledged()
{
    noAcknowledge_ = 0;
    received(link_.receiveBuffer().text());
    discardPendingInput();
    if (!pause(gsmPause(AcknowledgedPause, GsmAcknowledgedPause)))
        return;
    ++step_;
    view_.setStep(step_);
    if (step_ >= page_.commands.size()) {
        nextPage();
        return;
    }
    if (!pause(NextCommandPause))
        return;
    view_.setStatus(WriteStatus::Normal);
    sendCommand();
    link_.receiveBuffer().clear();
    restartTimer();
}

// No "B": the same command again; after the third time in a row without one the
// writing ends (a fourth sending would go out only to be given up).
void RemoteWrite::notAcknowledged()
{
    reportLine("TX - RECN dtmf   not receive DTMF -  R E P E A T");
    if (++noAcknowledge_ > NoAcknowledgeLimit) {
        reportLine("TX - max. repeat");
        closeWith(text(ErrorWord) + QStringLiteral("TX - max. repeat"), Told::BeforeClosing);
        return;
    }
    if (!pause(gsmPause(PageStartPause, GsmPageStartPause)))
        return;
    view_.setStep(step_);
    sendCommand();
    discardPendingInput();
    link_.receiveBuffer().clear();
    restartTimer();
}

void RemoteWrite::close()
{
    closeWith({});
}

// Closes the dialog and tells the failure, if any, before or after, then what was
// left out.
void RemoteWrite::closeWith(const QString &failure, Told when)
{
    if (state_ == State::Closed)
        return;
    if (!failure.isEmpty() && when == Told::BeforeClosing)
        messages_.showMessage(failure);
    pageTimer_->stop();
    phoneTimer_->stop();
    const bool finished = state_ == State::Finished;
    const bool lent = state_ != State::Ready;
    state_ = State::Closed;
    finishReport();
    view_.closed(finished);
    if (lent)
        link_.takeLinkBack();
    if (!failure.isEmpty() && when == Told::AfterClosing)
        messages_.showMessage(failure);
    tellOmissions();
}

// The parameters the pages left out, each as its code and caption.
void RemoteWrite::tellOmissions()
{
    if (omitted_.isEmpty())
        return;
    QStringList lines{texts_.text(QStringLiteral("Extensions"), 23)};
    for (const WriteOmission &omission : omitted_) {
        const ParameterDef *row = findById(omission.id);
        const QString caption = row ? captionOf(*row, model_, texts_) : omission.code;
        lines.append(caption + QStringLiteral(": ") + reasonText(texts_, omission.reason));
    }
    messages_.showMessage(lines.join(u'\n'));
}
