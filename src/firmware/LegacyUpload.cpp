#include "firmware/LegacyUpload.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "firmware/LegacyPackets.h"
#include "firmware/UpgradeView.h"
#include "link/LinkPort.h"

namespace {

bool isEndPacket(const QByteArray &packet)
{
    return packet.size() == LegacyPackets::packetLength && quint8(packet[0]) == 0x55
           && packet.mid(1) == QByteArray(LegacyPackets::packetLength - 1, char(0xFF));
}

} // namespace

LegacyUpload::LegacyUpload(LinkPort &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                           UpgradeView &view, QList<QByteArray> packets)
    : link_(link), clock_(clock), messages_(messages), texts_(texts), view_(view), packets_(std::move(packets)),
      timer_(clock.createTimer(tickInterval, [this] { legacyTimerTick(); }))
{
}

LegacyUpload::~LegacyUpload()
{
    timer_->stop();
}

QString LegacyUpload::message(int key) const
{
    return texts_.text(QStringLiteral("Message"), key);
}

void LegacyUpload::start()
{
    packetIndex_ = 1;
    byteIndex_ = 1;
    probes_ = 0;
    restarts_ = 0;
    state_ = State::Connecting;
    view_.setPhaseMaximum(std::max(int(packets_.size()) / 10 - 1, 0));
    view_.setOverallMaximum(10);
    timer_->start();
}

void LegacyUpload::stop()
{
    timer_->stop();
    if (state_ == State::Connecting || state_ == State::Uploading)
        state_ = State::Stopped;
}

void LegacyUpload::legacyTimerTick()
{
    timer_->stop();
    if (state_ != State::Connecting && state_ != State::Uploading)
        return;
    const QByteArray reply = link_.readAll();
    view_.setPhasePosition(packetIndex_ / 10);
    view_.setOverallPosition(packetIndex_ - 10 * (packetIndex_ / 10) + 1);
    if (!reply.isEmpty())
        view_.logLine(lastSent_ + QStringLiteral("<=>") + QString::fromLatin1(reply));

    if (state_ == State::Connecting) {
        if (reply == "Y") {
            state_ = State::Uploading;
            view_.setStatus(QStringLiteral("Connect"));
            readyToSend_ = true;
            waitStart_ = clock_.now();
        } else {
            probe();
        }
    } else if (packetIndex_ > packets_.size()) {
        finish();
    } else if (readyToSend_) {
        sendByte();
    } else {
        judgeReply(reply);
    }
    if (state_ == State::Connecting || state_ == State::Uploading)
        timer_->start();
}

// "w" until the loader answers; no faster than the loader was made for.
void LegacyUpload::probe()
{
    if (clock_.now() - lastProbe_ < probeInterval)
        return;
    lastProbe_ = clock_.now();
    link_.writeText(QByteArrayLiteral("w"));
    lastSent_ = QStringLiteral("77");
    if (++probes_ > probeLimit) {
        probes_ = 0;
        fail(QStringLiteral("Error conection"), message(38) + QStringLiteral("\r\n") + message(39));
    }
}

void LegacyUpload::sendByte()
{
    const quint8 byte = quint8(packets_[packetIndex_ - 1][byteIndex_ - 1]);
    lastSent_ = QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    if (!link_.writeByte(byte)) {
        // The same byte goes at the next tick; a cable that takes none for as long as
        // a reply may take counts as a reply that did not come.
        view_.setStatusColour(UpgradeView::StatusColour::Blue);
        if (clock_.now() - waitStart_ > replyTimeout)
            restartPacket(UpgradeView::StatusColour::Magenta);
        return;
    }
    readyToSend_ = false;
    waitStart_ = clock_.now();
    view_.setStatusColour(UpgradeView::StatusColour::Normal);
    // After the last byte the packet waits for its "K".
    ++byteIndex_;
}

void LegacyUpload::judgeReply(const QByteArray &reply)
{
    view_.showPosition(packetIndex_, std::min(byteIndex_, LegacyPackets::packetLength));
    const bool awaitingK = byteIndex_ > LegacyPackets::packetLength;
    if (clock_.now() - waitStart_ > replyTimeout) {
        restartPacket(UpgradeView::StatusColour::Magenta);
    } else if (reply == "P") {
        restartPacket(UpgradeView::StatusColour::Blue);
    } else if (reply.startsWith('Z') && awaitingK && isEndPacket(packets_[packetIndex_ - 1])) {
        // Done: the next tick finishes. The loader says "Z" only to the end packet's
        // last byte; a "Z" anywhere else is another answer changed on the line, and
        // finishing there would leave the packets after it unsent.
        packetIndex_ = int(packets_.size()) + 100000;
    } else if (reply == "O" && !awaitingK) {
        readyToSend_ = true;
        restarts_ = 0;
    } else if (reply == "K") {
        // The packet taken: the next one. In the middle of a packet: this one again.
        readyToSend_ = true;
        if (awaitingK) {
            ++packetIndex_;
            restarts_ = 0;
        }
        byteIndex_ = 1;
    } else if (reply == "O" || reply == "E") {
        fail(QStringLiteral("ERROR"), texts_.text(QStringLiteral("Firmware"), 6));
    }
}

// No reply in time, or "P": the packet again from its first byte. The eleventh time
// in a row without the loader taking a byte ends the upload.
void LegacyUpload::restartPacket(UpgradeView::StatusColour colour)
{
    readyToSend_ = true;
    if (++restarts_ > restartLimit) {
        fail(QStringLiteral("ERROR/TIME"), message(30));
        return;
    }
    waitStart_ = clock_.now();
    byteIndex_ = 1;
    view_.setStatusColour(colour);
}

void LegacyUpload::finish()
{
    state_ = State::Finished;
    view_.setStatus(QStringLiteral("Finish"));
    view_.logLine(QStringLiteral("Finish"));
    messages_.showMessage(message(28));
    closeLog(true);
}

void LegacyUpload::fail(const QString &word, const QString &failure)
{
    state_ = State::Failed;
    view_.setStatus(word);
    view_.logLine(word);
    messages_.showMessage(failure);
    closeLog(false);
}

void LegacyUpload::closeLog(bool success)
{
    view_.logLine(QStringLiteral("========================"));
    view_.logLine(CommLog::dateTimeText());
    view_.upgradeEnded(success);
}
