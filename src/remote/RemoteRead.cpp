#include "remote/RemoteRead.h"

#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "protocol/AlarmImageCodec.h"
#include "remote/RemoteLink.h"

namespace {

enum ReadText {
    ErrorWord = 35,
    CommunicationError = 36,
    NothingSelected = 45,
};

const QByteArray CrLf = QByteArrayLiteral("\r\n");
const QByteArray ChecksumRequest = QByteArrayLiteral("ATDE8**\r\n");

// A block is asked for again after the reply time-out and this many ticks more:
// 135 ticks of 80 ms (about 11 s), 275 with a GSM connection.
constexpr int TimeoutMargin = 25;
constexpr int WrongReplyLimit = 10;
constexpr int ShortPoll = 100;
constexpr int ChecksumPoll = 1000;

constexpr Millis StartPause{100};
constexpr Millis ChecksumRequestPause{300};
constexpr Millis ReceivePause{5};
constexpr Millis ArmPause{40};
constexpr Millis ChecksumWait{1500};
constexpr Millis GsmChecksumWait{5000};
constexpr Millis NextBlockPause{100};
constexpr Millis RequestPause{1000};

}  // namespace

RemoteRead::RemoteRead(RemoteLink &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                       RemoteReadView &view, const ReadImages &images, ParameterSet &set, ParameterStatus &status,
                       CommunicatorModel model)
    : RemoteJob(link, clock, messages, texts, "Read report "), view_(view), images_(images), set_(set),
      status_(status), model_(model), timer_(clock.createTimer(tickInterval, [this] { tick(); }))
{
}

RemoteRead::~RemoteRead()
{
    timer_->stop();
}

ReadBlock RemoteRead::currentBlock() const
{
    const std::vector<ReadBlock> &blocks = phaseBlocks(phase_);
    return blockIndex_ < blocks.size() ? blocks[blockIndex_] : ReadBlock{};
}

bool RemoteRead::isTimerActive() const
{
    return timer_->isActive();
}

void RemoteRead::setProgress(int position)
{
    progress_ = position;
    view_.setProgress(progress_, progressMaximum_);
}

void RemoteRead::restartTimer()
{
    if (state_ == State::WaitingForData || state_ == State::WaitingForChecksum)
        timer_->start();
}

void RemoteRead::resetCounters()
{
    replyWaitTicks_ = 0;
    wrongReplies_ = 0;
    receiveSent_ = false;
}

bool RemoteRead::start(const ReadChoices &choices, bool gsm)
{
    if (state_ != State::Ready)
        return false;
    if (!choices.any()) {
        messages_.showMessage(text(NothingSelected));
        return false;
    }
    const DeferredCancel::Step step(cancel_);
    choices_ = choices;
    gsm_ = gsm;
    progressMaximum_ = 1;
    setProgress(1);
    if (!link_.lendLink()) {
        // The connection ended while the keep-alive finished its exchange.
        close();
        return false;
    }
    resetCounters();
    ReplyBuffer &buffer = link_.receiveBuffer();
    discardPendingInput();
    digits_.clear();
    images_.working = baselineAlarmImage(set_, status_, model_);
    images_.previous = images_.working;
    buffer.clear();
    state_ = State::WaitingForData;
    clock_.wait(StartPause);
    if (cancelRequested())
        return true;
    phase_ = choices.first();
    blockIndex_ = 0;
    progressMaximum_ = choices.progressMaximum();
    setProgress(progress_);
    blockCounter_ = 0;
    view_.setBlockCounter(blockCounter_);
    sendRequest();
    return true;
}

void RemoteRead::sendRequest()
{
    const ReadBlock block = currentBlock();
    view_.setPosition(QStringLiteral("%1-%2-%3").arg(block.bank).arg(block.block).arg(int(phase_)));
    send(block.request());
    state_ = State::WaitingForData;
    timer_->start();
}

bool RemoteRead::timedOut() const
{
    return replyWaitTicks_ > replyTimeoutTicks(gsm_) + TimeoutMargin;
}

bool RemoteRead::poll(const QByteArray &awaited, int passes, Millis each)
{
    return link_.pollFor(awaited, passes, each, wrongReplies_);
}

void RemoteRead::tick()
{
    timer_->stop();
    const DeferredCancel::Step step(cancel_);
    ++replyWaitTicks_;
    if (state_ == State::WaitingForData)
        dataStep();
    else if (state_ == State::WaitingForChecksum)
        checksumStep();
}

void RemoteRead::reRequest(const QByteArray &note)
{
    // A piece of a line that never ended must not stick to the next reply.
    link_.receiveBuffer().clear();
    send(currentBlock().request(), note);
    discardPendingInput();
    setProgress(2);
    resetCounters();
    digits_.clear();
    state_ = State::WaitingForData;
    restartTimer();
}

void RemoteRead::fail(int key, const QString &detail, bool closeDialog)
{
    state_ = State::Stopped;
    messages_.showMessage(text(key) + detail);
    if (closeDialog)
        close();
}

void RemoteRead::wrongReply()
{
    link_.receiveBuffer().clear();
    if (++wrongReplies_ > WrongReplyLimit)
        fail(CommunicationError, QStringLiteral(" - 'RECE -> OK'"), true);
    else
        restartTimer();
}

// Whether the reply line is complete. While it is still arriving the timer runs on;
// after a time-out the block is asked for again with the note.
bool RemoteRead::replyComplete(const QByteArray &timeoutNote)
{
    if (timedOut()) {
        reRequest(timeoutNote);
        return false;
    }
    ReplyBuffer &buffer = link_.receiveBuffer();
    buffer.append(link_.blackBox().readBlackBox());
    if (!buffer.text().endsWith(CrLf)) {
        restartTimer();
        return false;
    }
    replyWaitTicks_ = 0;
    return true;
}

void RemoteRead::dataStep()
{
    if (!replyComplete("   repeat time"))
        return;
    ReplyBuffer &buffer = link_.receiveBuffer();
    const QByteArray reply = buffer.text().chopped(2);
    if (reply == "FULL")
        afterFull();
    else if (reply == "OK")
        afterReceiveOk();
    else
        wrongReply();
}

void RemoteRead::afterFull()
{
    ReplyBuffer &buffer = link_.receiveBuffer();
    received(buffer.text());
    buffer.clear();
    send(FetchCommand);
    if (!poll(CrLf, ShortPoll, Millis(1))) {
        fail(ErrorWord, QStringLiteral(" - RECN  not receive OK"), false);
        return;
    }
    received(buffer.text());
    digits_.append(buffer.text().chopped(4));
    buffer.clear();
    const QByteArray bytes = decodeBlockDigits(digits_);
    images_.working.replace(currentBlock().imageOffset(), readBlockLength, bytes);
    computedChecksum_ = blockChecksum(bytes);
    images_.fresh = images_.working;

    clock_.wait(ChecksumRequestPause);
    send(ChecksumRequest, "   checksum");
    discardPendingInput();
    setProgress(progress_ + 1);
    resetCounters();
    state_ = State::WaitingForChecksum;
    if (!poll(OkLine, ChecksumPoll, Millis(2))) {
        fail(ErrorWord, QStringLiteral(" - 8**  not receive OK"), true);
        return;
    }
    received(buffer.text());
    buffer.clear();
    clock_.wait(ReceivePause);
    send(ReceiveCommand);
    buffer.clear();
    clock_.wait(ArmPause);
    restartTimer();
}

void RemoteRead::afterReceiveOk()
{
    ReplyBuffer &buffer = link_.receiveBuffer();
    received(buffer.text());
    buffer.clear();
    if (!receiveSent_) {
        receiveSent_ = true;
        send(ReceiveCommand);
        if (!poll(OkLine, ShortPoll, Millis(1))) {
            fail(ErrorWord, QStringLiteral(" - RECE2   not receive OK"), true);
            return;
        }
        received(buffer.text());
        buffer.clear();
    }
    restartTimer();
}

void RemoteRead::checksumStep()
{
    if (!replyComplete("   repeat timeout"))
        return;
    ReplyBuffer &buffer = link_.receiveBuffer();
    if (buffer.text().size() != 4) {
        wrongReply();
        return;
    }
    received(buffer.text());
    buffer.clear();
    clock_.wait(gsm_ ? GsmChecksumWait : ChecksumWait);
    if (cancelRequested())
        return;
    send(FetchCommand);
    if (!poll(CrLf, ShortPoll, Millis(1))) {
        fail(ErrorWord, QStringLiteral(" - RECN    not receive OK"), false);
        return;
    }
    checksumReceived();
}

void RemoteRead::checksumReceived()
{
    ReplyBuffer &buffer = link_.receiveBuffer();
    const QByteArray answer = buffer.text();
    received(answer);
    if (answer.startsWith("NA")) {
        buffer.clear();
        reRequest("   repeat timeout");
        return;
    }
    const QString checksum = hexDigitOf(answer.size() > 0 ? answer[0] : '\0')
                             + hexDigitOf(answer.size() > 1 ? answer[1] : '\0');
    buffer.clear();
    if (checksum != computedChecksum_) {
        reRequest("   repeat for checksum" + checksum.toUtf8() + " <> " + computedChecksum_.toUtf8());
        return;
    }
    nextBlock();
}

void RemoteRead::nextBlock()
{
    setProgress(progress_ + 1);
    resetCounters();
    digits_.clear();
    discardPendingInput();
    clock_.wait(NextBlockPause);
    view_.setBlockCounter(++blockCounter_);
    if (++blockIndex_ >= phaseBlocks(phase_).size()) {
        decodePhase();
        view_.setBlockCounter(++blockCounter_);
        phase_ = choices_.after(phase_);
        blockIndex_ = 0;
        if (phase_ == ReadPhase::None) {
            state_ = State::Finished;
            close();
            return;
        }
    }
    if (cancelRequested())
        return;
    clock_.wait(RequestPause);
    if (cancelRequested())
        return;
    sendRequest();
}

// Decodes only a sound image: one whose marker byte did not arrive would reset every
// value to the model's defaults.
void RemoteRead::decodePhase()
{
    if (quint8(images_.working.at(15)) != imageMarker) {
        decodeRefused_ = true;
        messages_.showMessage(ImageDecodeResult{ImageFailure::Memory}.message(texts_));
        return;
    }
    decodeAlarmImage(images_.working, model_, set_, status_);
    view_.phaseDecoded(phase_);
}

void RemoteRead::close()
{
    if (state_ == State::Closed)
        return;
    timer_->stop();
    const bool finished = state_ == State::Finished && !decodeRefused_;
    const bool lent = state_ != State::Ready;
    state_ = State::Closed;
    finishReport();
    view_.closed(finished);
    if (lent)
        link_.takeLinkBack();
}
