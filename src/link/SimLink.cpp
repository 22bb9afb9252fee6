#include "link/SimLink.h"

#include <algorithm>

SimLink::SimLink(Clock &clock, SimDevice &device, bool polled)
    : clock_(clock), device_(device), polled_(polled)
{
    if (!polled_)
        arrivalTimer_ = clock_.createTimer(Millis(1), [this] { announceArrivals(); });
}

void SimLink::setArrivalHandler(std::function<void(int)> handler)
{
    arrivalHandler_ = std::move(handler);
}

bool SimLink::open()
{
    if (unplugged_)
        return false;
    if (!open_) {
        open_ = true;
        // Whatever the device said while the cable was away is lost.
        hearDevice(clock_.now());
        inFlight_.clear();
        received_.clear();
        if (arrivalTimer_)
            arrivalTimer_->start();
    }
    return true;
}

void SimLink::close()
{
    open_ = false;
    inFlight_.clear();
    received_.clear();
    if (arrivalTimer_)
        arrivalTimer_->stop();
}

void SimLink::setUnplugged(bool unplugged)
{
    unplugged_ = unplugged;
    if (unplugged_)
        close();
}

void SimLink::hearDevice(Nanos until)
{
    const auto delay = device_.unpromptedReplyDelay();
    if (!delay || lastAtDevice_ + *delay > until)
        return;
    transmit(lastAtDevice_ + *delay, device_.takeUnpromptedReply());
}

void SimLink::collectArrivals()
{
    const Nanos now = clock_.now();
    hearDevice(now);
    while (!inFlight_.empty() && inFlight_.front().visibleAt <= now) {
        received_.append(inFlight_.front().byte);
        inFlight_.pop_front();
    }
}

void SimLink::announceArrivals()
{
    // Like a COM port: new bytes are announced at once, bytes left waiting again
    // every 200 ms.
    const auto before = received_.size();
    collectArrivals();
    const Nanos now = clock_.now();
    const bool arrived = received_.size() != before;
    const bool stillWaiting = !received_.isEmpty() && now - lastAnnouncement_ >= reannounceInterval;
    if ((arrived || stillWaiting) && arrivalHandler_) {
        lastAnnouncement_ = now;
        arrivalHandler_(int(received_.size()));
    }
}

int SimLink::bytesWaiting()
{
    if (!open_)
        return 0;
    collectArrivals();
    return int(received_.size());
}

QByteArray SimLink::readAll()
{
    if (!open_) {
        // Like the USB-LNK cable, reading a released connection reopens it.
        if (polled_)
            open();
        return {};
    }
    collectArrivals();
    return std::exchange(received_, QByteArray());
}

std::optional<quint8> SimLink::readByte()
{
    if (bytesWaiting() == 0)
        return std::nullopt;
    const quint8 byte = quint8(received_.front());
    received_.remove(0, 1);
    return byte;
}

bool SimLink::writeByte(quint8 byte)
{
    if (!open_)
        return false;
    const Nanos now = clock_.now();
    const Nanos atDevice = std::max(now, pcLineFree_) + byteTime;
    pcLineFree_ = atDevice;
    ++wireBytes_;
    // What the device had to say before this byte came goes out first.
    hearDevice(atDevice);
    lastAtDevice_ = atDevice;
    transmit(atDevice + deviceDelay, device_.receive(byte));
    return true;
}

void SimLink::transmit(Nanos readyAt, const QByteArray &reply)
{
    if (reply.isEmpty())
        return;
    // The reply leaves the device byte after byte; a piece becomes visible to the PC
    // when its last byte has arrived.
    Nanos departure = std::max(readyAt, deviceLineFree_);
    std::vector<Nanos> arrivals;
    for (int i = 0; i < reply.size(); ++i) {
        departure += byteTime;
        arrivals.push_back(departure);
    }
    deviceLineFree_ = departure;
    wireBytes_ += reply.size();
    const int piece = pieceSize_ > 0 ? pieceSize_ : 1;
    for (int i = 0; i < reply.size(); ++i) {
        const int lastOfPiece = std::min<int>((i / piece + 1) * piece, int(reply.size())) - 1;
        inFlight_.push_back({arrivals[size_t(lastOfPiece)], reply[i]});
    }
}

bool SimLink::writeText(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (char c : text)
        if (!writeByte(quint8(c)))
            return false;
    return true;
}
