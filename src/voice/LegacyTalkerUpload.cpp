#include "voice/LegacyTalkerUpload.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "link/LinkPort.h"
#include "voice/VoiceUpload.h"

namespace {

const QByteArray emptyBlock(LegacyTalkerUpload::blockLength, char(0x80));

}  // namespace

LegacyTalkerUpload::LegacyTalkerUpload(LinkPort &link, Clock &clock, MessagePresenter &messages,
                                       const LanguageTable &texts, CommLog *log, VoiceUploadView &view)
    : link_(link), clock_(clock), messages_(messages), texts_(texts), log_(log), view_(view),
      timer_(clock.createTimer(tickInterval, [this] { uploadTimerTick(); }))
{
}

LegacyTalkerUpload::~LegacyTalkerUpload()
{
    timer_->stop();
}

void LegacyTalkerUpload::log(const QString &line)
{
    if (log_ && log_->isEnabled())
        log_->writeLine(line);
}

void LegacyTalkerUpload::start(char slotCharacter, const QList<QByteArray> &blocks, int areaBlocks)
{
    blocks_ = blocks;
    next_ = 0;
    areaBlocks_ = areaBlocks;
    position_ = 0;
    overflowSent_ = false;
    (void)link_.readAll();
    link_.writeByte('N');
    clock_.wait(Millis(100));
    (void)link_.readAll();
    link_.writeByte('M');
    clock_.wait(Millis(2));
    link_.writeByte(quint8(slotCharacter));
    clock_.wait(Millis(5));
    state_ = State::Waiting;
    lastReply_ = clock_.now();
    timer_->start();
}

void LegacyTalkerUpload::stop()
{
    timer_->stop();
    if (state_ == State::Waiting || state_ == State::Sending)
        state_ = State::Failed;
}

// The bytes of each pair go second first.
void LegacyTalkerUpload::sendBlock(const QByteArray &block, Millis gap)
{
    QByteArray bytes = block.leftJustified(blockLength, char(0x80), true);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        for (const char byte : {bytes[i + 1], bytes[i]}) {
            link_.writeByte(quint8(byte));
            if (gap.count() > 0)
                clock_.wait(gap);
        }
    }
}

void LegacyTalkerUpload::uploadTimerTick()
{
    timer_->stop();
    if (state_ != State::Waiting && state_ != State::Sending)
        return;
    const QByteArray reply = link_.readAll();
    const Nanos idle = clock_.now() - lastReply_;
    if (idle > replyTimeout) {
        messages_.showMessage(texts_.text(QStringLiteral("Remote"), 36));
        end(false);
        return;
    }
    if (reply == "A") {
        lastReply_ = clock_.now();
        overflowSent_ = false;
        state_ = State::Sending;
        view_.setProgressVisible(true);
        position_ = 1;
        view_.setProgress(position_, areaBlocks_ + 1);
        sendBlock(next_ < blocks_.size() ? blocks_[next_++] : emptyBlock, Millis(1));
        log(QStringLiteral("Write address of message to Talker module (A)"));
    } else if (reply == "O") {
        lastReply_ = clock_.now();
        overflowSent_ = false;
        view_.setProgress(++position_, areaBlocks_ + 1);
        view_.showCounter(QString::number(position_));
        // After the message the module's requests are answered with empty blocks.
        sendBlock(next_ < blocks_.size() ? blocks_[next_++] : emptyBlock, Millis(0));
    } else if (reply == "K") {
        view_.setProgress(areaBlocks_, areaBlocks_ + 1);
        log(QStringLiteral("Counter: %1").arg(position_));
        log(QStringLiteral("Receive end of memory in Talker module (K)"));
        clock_.wait(Millis(500));
        end(true);
        return;
    } else if (idle > overflowAt && !overflowSent_) {
        // Nearly given up: an empty block may set the module going again.
        overflowSent_ = true;
        for (const char byte : emptyBlock) {
            link_.writeByte(quint8(byte));
            clock_.wait(Millis(1));
            log(QStringLiteral("OVERFLOW Timer"));
        }
    }
    timer_->start();
}

void LegacyTalkerUpload::end(bool stored)
{
    state_ = stored ? State::Stored : State::Failed;
    view_.setProgressVisible(false);
    view_.uploadEnded(stored);
}
