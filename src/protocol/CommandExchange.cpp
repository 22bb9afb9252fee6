#include "protocol/CommandExchange.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "link/LinkPort.h"
#include "protocol/DeviceBlock.h"

namespace {

const QString kOption = QStringLiteral("Option");
const QString kSwitch = QStringLiteral("Switch");

// Per device type: block bytes read, block bytes written, and the write command.
struct BlockShape {
    int readLength;
    int writeLength;
    const char *writeCommand;
    const char *readLogLine;
    const char *writeLogLine;
    int readStartProgress;
    int readPieceProgress;
    int writeStartProgress;
    int ackProgress;
};

BlockShape shapeOf(const QString &deviceType)
{
    if (deviceType == kOption)
        return {23, 23, "PO", "R+P - Option", "W+P - Option", 15, 150, 10, 55};
    if (deviceType == kSwitch)
        return {8, 8, "PS", "R+P - SwitchBoard", "W+P - Switch", 15, 190, 10, 85};
    return {256, 255, "PZ", "R+P - Alarm", "W+P - Alarm", 1, 50, 1, 1};
}

} // namespace

CommandExchange::CommandExchange(LinkPort &link, Clock &clock, MessagePresenter &messages,
                                 const LanguageTable &texts, CommLog *log, ExchangeView &view,
                                 ExchangeClient &client)
    : link_(nullptr), clock_(clock), messages_(messages), texts_(texts), log_(log), view_(view),
      client_(client), timer_(clock.createTimer(Millis(1), [this] { tick(); }))
{
    setLink(link);
}

CommandExchange::~CommandExchange()
{
    link_->setArrivalHandler(nullptr);
}

void CommandExchange::setLink(LinkPort &link)
{
    if (link_)
        link_->setArrivalHandler(nullptr);
    link_ = &link;
    link_->setArrivalHandler([this](int count) { onArrival(count); });
}

Nanos CommandExchange::timeoutLimit() const
{
    return link_->isPolled() ? usbTimeout : comTimeout;
}

void CommandExchange::startTicking()
{
    tickingWanted_ = true;
    timer_->start();
}

void CommandExchange::stopTicking()
{
    tickingWanted_ = false;
    timer_->stop();
}

void CommandExchange::setProgress(int value)
{
    progress_ = value;
    view_.setProgress(value);
}

void CommandExchange::log(const QString &line)
{
    if (log_ && log_->isEnabled())
        log_->writeLine(line);
}

void CommandExchange::sendByte(quint8 byte)
{
    // A refused byte is not retried: the exchange then runs into its time-out.
    link_->writeByte(byte);
}

void CommandExchange::beginExchange()
{
    // An identification still waiting for its reply is abandoned: its reply must not
    // end the transfer's wait.
    active_ = false;
    idle_ = false;
    stopTicking();
    view_.stopDevicePoll();
    view_.stopRemoteTimer();
    view_.setExchangeMenusEnabled(false);
    clock_.wait(Millis(201));
    view_.setProgressVisible(true);
    clock_.wait(Millis(0));
    clock_.wait(Millis(804));
    startTicking();
}

void CommandExchange::endExchange()
{
    idle_ = true;
    view_.setExchangeMenusEnabled(true);
    clock_.wait(Millis(201));
    view_.setProgressVisible(false);
    setProgress(1);
    clock_.wait(Millis(804));
    stopTicking();
    view_.startDevicePoll();
}

void CommandExchange::finish(ExchangeResult result)
{
    active_ = false;
    bytePending_ = false;
    lastResult_ = result;
    clock_.wait(Millis(50));
    endExchange();
}

void CommandExchange::timeOut()
{
    active_ = false;
    bytePending_ = false;
    messages_.showMessage(texts_.text(QStringLiteral("Message"), 9));
    finish(ExchangeResult::TimedOut);
}

bool CommandExchange::requestIdentification(const ModelFlags &flags)
{
    if (!idle_ || !linkReady_)
        return false;
    if (!link_->isOpen() && !link_->open()) {
        lastActivity_ = clock_.now();
        return false;
    }
    active_ = true;
    expectedLength_ = flags.identificationLength();
    command_ = QStringLiteral("VER");
    lastResult_ = ExchangeResult::None;
    if (link_->isPolled()) {
        startTicking();
        link_->readAll();
    } else {
        link_->readAll();
        startTicking();
    }
    sendByte(flags.identificationRequest());
    lastActivity_ = clock_.now();
    return true;
}

bool CommandExchange::startBlockExchange(const QString &deviceType, int startProgress)
{
    if (!linkReady_ || !idle_ || !hasParameterBlock(deviceType))
        return false;
    view_.focusStatusBar();
    clock_.wait(Millis(0));
    setProgress(startProgress);
    beginExchange();
    deviceType_ = deviceType;
    lastResult_ = ExchangeResult::None;
    lastActivity_ = clock_.now();
    return true;
}

void CommandExchange::sendRequest(quint8 letter)
{
    link_->readAll();
    sendByte(letter);
    clock_.wait(Millis(2));
    sendByte('P');
    clock_.wait(Millis(2));
}

void CommandExchange::readParameters(const QString &deviceType)
{
    const BlockShape shape = shapeOf(deviceType);
    if (!startBlockExchange(deviceType, shape.readStartProgress))
        return;
    bytePending_ = false;
    expectedLength_ = shape.readLength;
    command_ = QStringLiteral("PC");
    active_ = true;
    log(QStringLiteral(">>> Read parameters <<<"));
    log(QString::fromLatin1(shape.readLogLine));
    sendRequest('R');
}

void CommandExchange::writeParameters(const QString &deviceType)
{
    const BlockShape shape = shapeOf(deviceType);
    if (!startBlockExchange(deviceType, shape.writeStartProgress))
        return;
    sentLog_.clear();
    sendIndex_ = 0;
    blockLength_ = shape.writeLength;
    command_ = QString::fromLatin1(shape.writeCommand);
    active_ = true;
    log(QStringLiteral(">>> Write parameters <<<"));
    log(QString::fromLatin1(shape.writeLogLine));
    sendRequest('W');
    // The first block byte may go only after "W" and "P": ticks keep running during
    // the waits above, so the byte is released only now.
    bytePending_ = active_;
    setProgress(1);
}

void CommandExchange::tick()
{
    timer_->stop();
    if (!link_->isOpen()) {
        // The cable is gone. A transfer ends as if the device had gone silent; an
        // identification just stops, the next device poll tries again.
        if (link_->isPolled())
            link_->close();
        tickingWanted_ = false;
        if (active_ && !idle_) {
            timeOut();
        } else if (active_) {
            active_ = false;
            lastResult_ = ExchangeResult::TimedOut;
        }
        return;
    }
    if (link_->isPolled()) {
        const int waiting = link_->bytesWaiting();
        if (waiting > 0)
            onArrival(waiting);
    }

    if (active_ && clock_.now() - lastActivity_ > timeoutLimit()) {
        if (!link_->isPolled())
            received_ = link_->readAll();
        tickingWanted_ = false;
        timeOut();
        return;
    }

    if (bytePending_) {
        bool sent = false;
        if (sendIndex_ == 0) {
            const QByteArray block = client_.blockToWrite(deviceType_);
            sendBuffer_.fill(0);
            for (int i = 0; i < block.size() && i < 256; ++i)
                sendBuffer_[size_t(i) + 1] = quint8(block[i]);
            sendIndex_ = 1;
            sendByte(sendBuffer_[1]);
            sent = true;
        } else if (sendIndex_ >= 2 && sendIndex_ <= blockLength_) {
            sendByte(sendBuffer_[size_t(sendIndex_)]);
            sent = true;
        }
        // Book-keeping before the wait: an acknowledgement delivered during the wait
        // must not be undone afterwards.
        if (sendIndex_ <= 256)
            sentLog_ += QLatin1Char('-') + QString::number(sendBuffer_[size_t(sendIndex_)]);
        ++sendIndex_;
        bytePending_ = false;
        if (sent)
            clock_.wait(Millis(2));
    }

    if (tickingWanted_)
        timer_->start();
}

void CommandExchange::onArrival(int count)
{
    if (!active_)
        return;
    if (command_ == QLatin1String("VER")) {
        // A longer reply is complete too: a switch board answers 19 bytes while the
        // poll it resets to the TKV-C expects 13, and the cable may hand them over in
        // one piece, so waiting for exactly 13 would time out at random.
        if (count < expectedLength_)
            return;
        received_ = takeReply();
        active_ = false;
        lastResult_ = ExchangeResult::Completed;
        client_.identificationReceived(received_);
        if (link_->isPolled())
            link_->close();
        idle_ = true;
        stopTicking();
    } else if (command_ == QLatin1String("PC")) {
        handleReadArrival(count);
    } else if (count == 1) {
        handleWriteReply();
    }
}

QByteArray CommandExchange::takeReply()
{
    // Bytes that came after the count are not part of the reply.
    return link_->readAll().left(expectedLength_);
}

void CommandExchange::handleReadArrival(int count)
{
    const BlockShape shape = shapeOf(deviceType_);
    if (count != expectedLength_) {
        // A partial block stays waiting; only the progress moves.
        setProgress(progress_ + shape.readPieceProgress);
        clock_.wait(Millis(0));
        return;
    }
    received_ = takeReply();
    active_ = false;
    stopTicking();
    setProgress(250);
    clock_.wait(Millis(0));
    client_.blockRead(deviceType_, received_);
    if (log_ && log_->isEnabled())
        log_->writeRaw(received_);
    setProgress(250);
    clock_.wait(Millis(0));
    finish(ExchangeResult::Completed);
}

void CommandExchange::handleWriteReply()
{
    const BlockShape shape = shapeOf(deviceType_);
    lastActivity_ = clock_.now();
    received_ = link_->readAll();
    const char reply = received_.isEmpty() ? '\0' : received_.front();
    if (reply == 'D') {
        setProgress(progress_ + shape.ackProgress);
        clock_.wait(Millis(0));
        bytePending_ = true;
        log(QStringLiteral("D"));
    } else if (reply == 'E') {
        link_->readAll();
        active_ = false;
        bytePending_ = false;
        const QString suffix = (link_->isPolled() ? QStringLiteral("  ...") : QStringLiteral("  ...A")) + command_
                               + QLatin1Char('E');
        messages_.showMessage(texts_.text(QStringLiteral("Message"), 53) + suffix);
        finish(ExchangeResult::Refused);
    } else if (reply == 'Z' && sendIndex_ > blockLength_) {
        // Only after the block's last byte: an earlier "Z" is a "D" changed on the
        // line, and the device still waits for the rest of the block.
        setProgress(255);
        clock_.wait(Millis(0));
        log(QStringLiteral("Z"));
        log(sentLog_);
        link_->readAll();
        finish(ExchangeResult::Completed);
    } else if (log_ && log_->isEnabled()) {
        log_->writeRaw(received_);
    }
}
