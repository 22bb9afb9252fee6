#include "voice/VoiceUpload.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "link/LinkPort.h"

#include <QSaveFile>

namespace {

constexpr Millis byteGap{1};
const QByteArray filler(VoiceUpload::blockLength, char(0xFF));

}  // namespace

VoiceUpload::VoiceUpload(LinkPort &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                         CommLog *log, VoiceUploadView &view, VoiceDevice device)
    : link_(link), clock_(clock), messages_(messages), texts_(texts), log_(log), view_(view), device_(device),
      timer_(clock.createTimer(tickInterval, [this] { uploadTimerTick(); }))
{
}

VoiceUpload::~VoiceUpload()
{
    timer_->stop();
}

int VoiceUpload::capacityOf(VoiceDevice device)
{
    return device == VoiceDevice::Communicator ? communicatorCapacity : moduleCapacity;
}

QString VoiceUpload::sizeText(int count, int capacity)
{
    const int percent = int(qint64(count) * 100 / capacity);
    const QString tenths = (QStringLiteral("00") + QString::number(qint64(count) * 60 / capacity)).right(2);
    return QString::number(percent) + QStringLiteral(" % - ") + tenths[0] + u',' + tenths[1] + QStringLiteral("sec");
}

void VoiceUpload::log(const QString &line)
{
    if (log_ && log_->isEnabled())
        log_->writeLine(line);
}

void VoiceUpload::writeSideFile(const QString &path)
{
    QSaveFile side(path);
    const QByteArray hex = samples_.toHex().toUpper() + "\r\n";
    if (!side.open(QIODevice::WriteOnly) || side.write(hex) != hex.size() || !side.commit())
        messages_.showMessage(QStringLiteral("%1: %2").arg(path, side.errorString()));
}

bool VoiceUpload::start(int slot, const QByteArray &samples, const QString &wavPath)
{
    const bool module = device_ == VoiceDevice::Module;
    const int capacity = capacityOf(device_);
    messageNumber_ = module ? slot : slot - 1;
    samples_ = samples;
    // The module takes 0xFF as the end of a message.
    if (module)
        samples_.replace(char(0xFF), char(0xFE));
    sent_ = samplesSent_ = 0;
    writeSideFile(wavPath.chopped(3) + QStringLiteral("TXT"));
    messageLabel_ = module ? QStringLiteral("H%1:").arg(slot - 1) : QStringLiteral("Msg#%1:").arg(messageNumber_);
    sizeLabel_ = sizeText(int(samples_.size()), capacity);
    log(sizeLabel_);
    if (samples_.size() >= capacity) {
        messages_.showMessage(texts_.text(QStringLiteral("Page11"), 40));
        log(QStringLiteral("Error write msg%1: %2 file is too big").arg(messageNumber_).arg(wavPath));
        return false;
    }
    (void)link_.readAll();
    const QByteArray header = module ? QByteArray("M") + char('0' + slot)
                                     : QByteArray("Wm") + char(messageNumber_) + char(samples_.size() & 0xFF)
                                           + char(samples_.size() >> 8);
    for (const char byte : header) {
        link_.writeByte(quint8(byte));
        clock_.wait(byteGap);
    }
    state_ = State::Waiting;
    lastReply_ = clock_.now();
    timer_->start();
    return true;
}

void VoiceUpload::stop()
{
    timer_->stop();
    if (state_ == State::Waiting || state_ == State::Transferring)
        state_ = State::Failed;
}

bool VoiceUpload::timedOut() const
{
    return clock_.now() - lastReply_ > (link_.isPolled() ? usbTimeout : comTimeout);
}

void VoiceUpload::uploadTimerTick()
{
    timer_->stop();
    if (state_ != State::Waiting && state_ != State::Transferring)
        return;
    QByteArray reply = link_.readAll();
    view_.setProgress(sent_, int(samples_.size()));
    view_.showCounter(QStringLiteral("%1 / %2 / %3").arg(sent_).arg(samples_.size()).arg(capacityOf(device_)));
    if (timedOut()) {
        if (device_ == VoiceDevice::Module)
            link_.writeByte(0xFF);
        fail(texts_.text(QStringLiteral("Remote"), 36)
                 + (device_ == VoiceDevice::Communicator ? texts_.text(QStringLiteral("Remote"), 54) : QString()),
             QStringLiteral("Timeout during Voice message upload"));
        return;
    }
    if (reply.isEmpty()) {
        timer_->start();
        return;
    }
    lastReply_ = clock_.now();
    if (reply == "A")
        onReady(reply);
    if (reply == "K") {
        finish(true, QStringLiteral("Voice message uploaded"));
        return;
    }
    if (reply == "O" && device_ == VoiceDevice::Communicator) {
        sendBlock();
    } else if (reply == "E" && device_ == VoiceDevice::Communicator) {
        clock_.wait(byteGap);
        fail(texts_.text(QStringLiteral("Remote"), 36) + texts_.text(QStringLiteral("Remote"), 54)
                 + QStringLiteral(" Msg# %1").arg(messageNumber_),
             QStringLiteral("Error reported by TKV-C3 device"));
        return;
    } else if (reply == "O") {
        // The module: every sample, then the block of 0xFF that ends the message.
        if (samplesSent_ < samples_.size()) {
            sendBlock();
        } else {
            const bool full = sent_ >= moduleCapacity - blockLength;
            sendFiller();
            finish(true, full ? QStringLiteral("Maximum capacity of memory for voice message - %1").arg(moduleCapacity + 1)
                              : QStringLiteral("End of source file"));
            return;
        }
    }
    timer_->start();
}

// "A": the device is ready. Over a COM-port cable the first block goes at once; the
// USB cable's program waits for the device's "O", which may have come already.
void VoiceUpload::onReady(QByteArray &reply)
{
    log(QString());
    state_ = State::Transferring;
    view_.setProgressVisible(true);
    view_.setProgress(1, int(samples_.size()));
    if (!link_.isPolled())
        sendBlock();
    else
        reply = link_.readAll();
}

void VoiceUpload::sendBlock()
{
    QByteArray block = samples_.mid(samplesSent_, blockLength);
    samplesSent_ += int(block.size());
    // The module's last block is filled up with 0xFF; a TKV-C3 takes the count.
    if (device_ == VoiceDevice::Module)
        block += QByteArray(blockLength - block.size(), char(0xFF));
    for (const char byte : block)
        link_.writeByte(quint8(byte));
    sent_ += int(block.size());
}

void VoiceUpload::sendFiller()
{
    clock_.wait(byteGap);
    for (const char byte : filler)
        link_.writeByte(quint8(byte));
    sent_ += blockLength;
}

void VoiceUpload::finish(bool stored, const QString &logLine)
{
    state_ = stored ? State::Stored : State::Failed;
    view_.setProgress(capacityOf(device_), capacityOf(device_));
    log(QStringLiteral("Counter: %1").arg(sent_));
    log(logLine);
    view_.setProgressVisible(false);
    view_.uploadEnded(stored);
}

void VoiceUpload::fail(const QString &message, const QString &logLine)
{
    state_ = State::Failed;
    log(QStringLiteral("Counter: %1").arg(sent_));
    log(logLine);
    view_.setProgressVisible(false);
    messages_.showMessage(message);
    view_.uploadEnded(false);
}
