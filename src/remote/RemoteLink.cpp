#include "remote/RemoteLink.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "remote/RemoteView.h"

#include <QDateTime>
#include <QLocale>

namespace {

const QString Section = QStringLiteral("Remote");
const QString EndedLine = QStringLiteral(">>> Remote programing ended <<<");
const QByteArray Err = QByteArrayLiteral("ERR");

// Texts of the Remote section used here.
enum RemoteText {
    NoBlackBox = 31,
    NoneSelected = 32,
    CannotConnect = 33,
    BlackBoxWord = 37,
    NotConnected = 38,
    UsbBlackBox = 39,
    NotReplied = 41,
    Connecting = 42,
    ErrTimeout = 43,
    RepeatTimeout = 44,
};

constexpr Millis ResetDelay{100};
constexpr Millis ConnectedDelay{1000};
constexpr Millis KeepAliveResend{500};
constexpr Millis FetchDelay{500};
constexpr Millis TakeBackDelay{2000};
constexpr Millis HangUpGap{1000};
constexpr Millis BasicModeSettle{500};

QByteArray timeText()
{
    return QLocale::system().toString(QTime::currentTime(), QLocale::LongFormat).toUtf8();
}

}  // namespace

RemoteLink::RemoteLink(FtdiApi &api, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                       CommLog *log, RemoteView *view)
    : box_(api, clock), clock_(clock), messages_(messages), texts_(texts), log_(log),
      timer_(clock.createTimer(tickInterval, [this] { remoteTick(); })), cancel_([this] { actOnCancel(); })
{
    setView(view);
}

RemoteLink::~RemoteLink() = default;

void RemoteLink::setView(RemoteView *view)
{
    static RemoteView nowhere;
    view_ = view ? view : &nowhere;
}

bool RemoteLink::isTimerActive() const
{
    return timer_->isActive();
}

QString RemoteLink::text(int key) const
{
    return texts_.text(Section, key);
}

void RemoteLink::log(const QString &line)
{
    if (log_)
        log_->writeLine(line);
}

void RemoteLink::logEnded(const QString &line)
{
    log(line + CommLog::dateTimeText());
    log(EndedLine);
}

// --- Connect menu and dialog ---

bool RemoteLink::beginConnect()
{
    box_.listBlackBoxes();
    if (box_.prefixedCount() == 0) {
        selectedIndex_ = 0;
        view_->setBlackBoxCaption(QString());
        messages_.showMessage(text(NoBlackBox));
        return false;
    }
    log(QStringLiteral(">>> Remote programing <<<"));
    // The box chosen last time, as it is listed now.
    log(QStringLiteral("Blackbox: ") + box_.deviceList().value(selectedIndex_));
    return true;
}

bool RemoteLink::selectBlackBox(int index)
{
    const QString serial = box_.deviceList().value(index);
    selectedIndex_ = index;
    try {
        box_.openBlackBox(serial);
    } catch (const FT232Error &) {
        box_.release();
        view_->setBlackBoxCaption(serial);
        messages_.showMessage(text(UsbBlackBox) + u' ' + serial + u' ' + text(NotConnected));
        return false;
    }
    view_->blackBoxSelected(serial);
    log(QStringLiteral("- connected BlackBox -  > in time: ") + CommLog::dateTimeText());
    return true;
}

void RemoteLink::startDialling(const DialParameters &dial)
{
    const DeferredCancel::Step step(cancel_);
    cancel_.clear();
    table_ = buildDialTable(dial);
    gsm_ = dial.gsm;
    resetCounters();
    connected_ = false;
    step_ = 0;
    stepCount_ = DialStep::Count;
    view_->showDialStep(step_);
    buffer_.append(box_.readBlackBox());
    // Dialling from here on, so that a cancel during the first pause hangs up.
    dialling_ = true;
    if (!pause(ResetDelay))
        return;
    sendStep();
    log(QStringLiteral("dial: ") + dial.telephoneNumber);
    restartTimer();
}

// Each way out stops the exchange first: the hang-up's pauses let timers run.
void RemoteLink::cancelBeforeSelect()
{
    view_->connectAbandoned();
    dialling_ = false;
    timer_->stop();
    hangUpBlackBox();
    if (box_.isOpen())
        box_.release();
    logEnded(QStringLiteral("close remote before connect communicator: "));
}

void RemoteLink::cancelAfterSelect()
{
    view_->connectAbandoned();
    dialling_ = false;
    timer_->stop();
    hangUpBlackBox();
    logEnded(QStringLiteral("disconnect Blackbox before connect communicator: "));
}

void RemoteLink::finishConnectDialog()
{
    if (box_.isOpen())
        return;
    selectedIndex_ = 0;
    view_->setBlackBoxCaption(QString());
    messages_.showMessage(text(NoneSelected));
}

// --- Ending ---

void RemoteLink::requestCancel()
{
    cancel_.request();
}

void RemoteLink::actOnCancel()
{
    if (remoteMode_)
        remoteDisconnect();
    else if (dialling_)
        cancelAfterSelect();
}

void RemoteLink::remoteDisconnect()
{
    dialling_ = false;
    connected_ = false;
    timer_->stop();
    hangUpBlackBox();
    remoteMode_ = false;
    view_->remoteDisconnected();
    logEnded(QStringLiteral("disconnect Blackbox: "));
}

void RemoteLink::hangUpBlackBox()
{
    if (!box_.hasDevice())
        return;
    // Hanging up is how every way out ends: it runs to its end even when a cancel
    // comes meanwhile.
    box_.sendBlackBox(QByteArrayLiteral("ATDE9\r\n"));
    clock_.wait(HangUpGap);
    box_.sendBlackBox(QByteArrayLiteral("ATDE9\r\n"));
    clock_.wait(HangUpGap);
    box_.sendBlackBox(QByteArrayLiteral("ATH\r\n"));
    clock_.wait(HangUpGap);
    box_.sendBlackBox(QByteArrayLiteral("AT@BASIC\r\n"));
    clock_.wait(BasicModeSettle);
    discardPendingInput();
}

void RemoteLink::hangUpOnExit()
{
    timer_->stop();
    dialling_ = false;
    connected_ = false;
    // The window saying so is painted meanwhile.
    clock_.wait(Millis(100));
    hangUpBlackBox();
}

void RemoteLink::fail(const QString &reason)
{
    remoteDisconnect();
    messages_.showMessage(text(CannotConnect) + QStringLiteral(" '") + reason + u'\'');
}

// --- Lending to the read and write dialogs ---

bool RemoteLink::lendLink()
{
    const Nanos begin = clock_.now();
    while (connected_ && !idle_ && clock_.now() - begin < lendWait)
        clock_.wait(tickInterval);
    if (!remoteMode_)
        return false;
    connected_ = false;
    timer_->stop();
    return true;
}

void RemoteLink::takeLinkBack()
{
    const DeferredCancel::Step step(cancel_);
    table_ = buildKeepAliveTable();
    connected_ = true;
    dialling_ = false;
    resetCounters();
    step_ = 0;
    stepCount_ = KeepAliveStepCount;
    idle_ = false;
    buffer_.clear();
    discardPendingInput();
    if (!pause(TakeBackDelay))
        return;
    sendStep();
    cycleStart_ = clock_.now();
    restartTimer();
}

bool RemoteLink::pollFor(const QByteArray &awaited, int maxPasses, Millis each, int &passes)
{
    passes = 0;
    while (passes < maxPasses) {
        clock_.wait(std::max(each, pollPassMinimum));
        ++passes;
        buffer_.append(box_.readBlackBox());
        if (buffer_.text().endsWith(awaited))
            return true;
    }
    return false;
}

// --- The exchange ---

void RemoteLink::resetCounters()
{
    timeoutRepeats_ = 0;
    errRepeats_ = 0;
    wrongReplies_ = 0;
    replyWaitStart_ = clock_.now();
}

void RemoteLink::restartTimer()
{
    timer_->start();
}

bool RemoteLink::pause(Millis duration)
{
    clock_.wait(duration);
    return !cancel_.requested();
}

void RemoteLink::sendStep()
{
    const QByteArray &command = table_[size_t(step_)].command;
    box_.sendBlackBox(command);
    replyWaitStart_ = clock_.now();
    if (log_ && log_->isEnabled())
        log_->writeRaw("    > " + QByteArray::number(step_) + " send: " + command + "        /" + timeText() + '/');
}

void RemoteLink::readIntoBuffer()
{
    buffer_.append(box_.readBlackBox());
    if (log_ && log_->isEnabled() && buffer_.text().size() > 2)
        log_->writeRaw("    > " + QByteArray::number(step_) + " receive: " + buffer_.text() + "         /" + timeText()
                       + '/');
}

void RemoteLink::discardPendingInput()
{
    (void)box_.readBlackBox();
}

void RemoteLink::remoteTick()
{
    timer_->stop();
    const DeferredCancel::Step step(cancel_);
    if (connected_)
        keepAliveTick();
    else if (dialling_)
        dialTick();
    else
        restartTimer();
}

void RemoteLink::dialTick()
{
    view_->showDialStep(step_);
    if (clock_.now() - replyWaitStart_ > replyTimeout) {
        sendStep();
        view_->setDialStatus(DialStatus::TimedOut);
        if (++timeoutRepeats_ > repeatLimit) {
            fail(text(RepeatTimeout));
            return;
        }
        discardPendingInput();
        restartTimer();
        return;
    }
    readIntoBuffer();
    const std::optional<ReplyBuffer::Reply> reply = buffer_.reply();
    if (!reply) {
        restartTimer();
        return;
    }
    const ExchangeStep &current = table_[size_t(step_)];
    view_->traceReply(reply->text, current.command);
    timeoutRepeats_ = 0;
    replyWaitStart_ = clock_.now();
    buffer_.clear();

    if (!reply->overflow && reply->text == Err) {
        sendStep();
        view_->setDialStatus(DialStatus::Refused);
        if (++errRepeats_ > repeatLimit)
            fail(text(ErrTimeout));
        else
            restartTimer();
        return;
    }
    errRepeats_ = 0;

    if (!reply->overflow && current.accepts(reply->text)) {
        wrongReplies_ = 0;
        view_->setDialStatus(DialStatus::Normal);
        if (current.replyIsSuffix)
            view_->setDialStatusText(text(Connecting));
        dialStepSucceeded();
        return;
    }
    if (current.replyIsSuffix) {
        // The box is still starting up: wait for its reset line.
        view_->setDialStatus(DialStatus::NoReset);
        restartTimer();
        return;
    }
    if (step_ == DialStep::FetchA || step_ == DialStep::FetchB) {
        // The communicator did not answer: ask it again.
        step_ = step_ == DialStep::FetchA ? DialStep::SelectCommunicator : DialStep::KeepAliveProbe;
        view_->setDialStatus(DialStatus::Redialled);
        sendNextDialStep();
        return;
    }
    if (++wrongReplies_ > repeatLimit) {
        fail(text(NotReplied) + QString::fromLatin1(current.command));
        return;
    }
    restartTimer();
}

void RemoteLink::dialStepSucceeded()
{
    if (step_ == DialStep::Dial && !pause(dialWait(gsm_)))
        return;
    ++step_;
    if (step_ == stepCount_) {
        remoteConnected();
        view_->setDialStatus(DialStatus::Connected);
        return;
    }
    sendNextDialStep();
}

void RemoteLink::sendNextDialStep()
{
    if (!pause(pauseBeforeDialStep(step_)))
        return;
    if (step_ < DialStep::SelectCommunicator)
        selectPasses_ = 0;
    if (step_ < DialStep::KeepAliveProbe)
        probePasses_ = 0;
    if (limitRedials(selectPasses_, DialStep::SelectCommunicator, QStringLiteral("'B -> A'"))
        || limitRedials(probePasses_, DialStep::KeepAliveProbe, QStringLiteral("'8A -> B'")))
        return;
    sendStep();
    restartTimer();
}

// The communicator is asked at most this often in a row to answer "A" (wrong
// parallel number) or "B" (wrong password); then the attempt ends as by the first
// Cancel. True when it ended.
bool RemoteLink::limitRedials(int &passes, int limitStep, const QString &failure)
{
    if (step_ != limitStep || ++passes <= redialLimit)
        return false;
    messages_.showMessage(text(CannotConnect) + failure);
    cancelBeforeSelect();
    return true;
}

void RemoteLink::remoteConnected()
{
    table_ = buildKeepAliveTable();
    connected_ = true;
    connectionStart_ = clock_.now();
    keepAliveCycles_ = 0;
    dialling_ = false;
    resetCounters();
    step_ = 0;
    stepCount_ = KeepAliveStepCount;
    idle_ = false;
    remoteMode_ = true;
    view_->remoteConnected();
    discardPendingInput();
    log(QStringLiteral("Connect to communicator remote"));
    log(QStringLiteral("  "));
    if (!pause(ConnectedDelay))
        return;
    sendStep();
    cycleStart_ = clock_.now();
    restartTimer();
}

void RemoteLink::keepAliveTick()
{
    if (idle_) {
        if (clock_.now() - idleStart_ > keepAliveIdle) {
            idle_ = false;
            ++keepAliveCycles_;
            sendStep();
            cycleStart_ = clock_.now();
        }
        restartTimer();
        return;
    }
    readIntoBuffer();
    const std::optional<ReplyBuffer::Reply> reply = buffer_.reply();
    if (reply) {
        judgeKeepAliveReply(*reply);
        return;
    }
    if (clock_.now() - cycleStart_ > keepAliveLimit) {
        fail(text(RepeatTimeout));
        return;
    }
    restartTimer();
}

void RemoteLink::judgeKeepAliveReply(const ReplyBuffer::Reply &reply)
{
    buffer_.clear();
    if (!reply.overflow && reply.text == Err) {
        sendStep();
        if (++errRepeats_ > repeatLimit)
            fail(text(ErrTimeout));
        else
            restartTimer();
        return;
    }
    errRepeats_ = 0;
    if (reply.overflow || !table_[size_t(step_)].accepts(reply.text)) {
        if (++wrongReplies_ > keepAliveWrongLimit) {
            remoteDisconnect();
            messages_.showMessage(text(CannotConnect) + QStringLiteral("'8A -> B'"));
            return;
        }
        step_ = 0;
        if (!pause(KeepAliveResend))
            return;
        sendStep();
        restartTimer();
        return;
    }
    if (step_ == KeepAliveStepCount - 1)
        wrongReplies_ = 0;
    step_ = (step_ + 1) % stepCount_;
    if (step_ == KeepAliveStepCount - 1 && !pause(FetchDelay))
        return;
    if (step_ != 0) {
        sendStep();
    } else {
        idleStart_ = clock_.now();
        idle_ = true;
    }
    restartTimer();
}
