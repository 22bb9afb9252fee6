#include "link/UsbCable.h"

namespace {

const QString SerialNumber = QStringLiteral("ZEDA-USB");
const QString OpenText = QStringLiteral("OK-Alarm");
const QString FailedText = QStringLiteral("------------");
const QString SwitchedAwayText = QStringLiteral("--");

constexpr Millis FirstAttemptSettle{5};
constexpr Millis SecondAttemptSettle{1};

}  // namespace

UsbCable::UsbCable(FtdiApi &api, Clock &clock) : api_(api), clock_(clock) {}

bool UsbCable::attemptOpen(Millis settle)
{
    std::unique_ptr<FT232> device;
    try {
        device = std::make_unique<FT232>(api_, clock_, SerialNumber);
    } catch (const FT232Error &) {
        statusText_ = FailedText;
        return false;
    }
    clock_.wait(settle);
    if (!device->applyLineSettings()) {
        // A device that refuses its line settings is no working cable.
        statusText_ = FailedText;
        return false;
    }
    device_ = std::move(device);
    open_ = true;
    statusText_ = OpenText;
    clock_.wait(settle);
    return true;
}

bool UsbCable::open()
{
    close();
    return attemptOpen(FirstAttemptSettle) || attemptOpen(SecondAttemptSettle);
}

void UsbCable::reopen()
{
    close();
    attemptOpen(FirstAttemptSettle);
}

void UsbCable::close()
{
    // The state is cleared before the device closes: closing waits, and other work
    // may look at the cable meanwhile.
    const std::unique_ptr<FT232> released = std::move(device_);
    open_ = false;
}

void UsbCable::markSwitchedAway()
{
    open_ = false;
    statusText_ = SwitchedAwayText;
}

int UsbCable::bytesWaiting()
{
    if (!device_)
        return 0;
    const int waiting = device_->bytesWaiting();
    noticeGoneDevice();
    return waiting;
}

// A pulled cable shows as not open at once, so that a transfer ends now rather than
// waiting for its time-out; the next open or readAll() tries again.
void UsbCable::noticeGoneDevice()
{
    if (open_ && device_->deviceGone()) {
        open_ = false;
        statusText_ = FailedText;
    }
}

QByteArray UsbCable::readAll()
{
    QByteArray result;
    const int waiting = bytesWaiting();
    bool allRead = waiting > 0;
    for (int i = 0; i < waiting; ++i) {
        const std::optional<quint8> byte = device_->readByte();
        if (!byte) {
            allRead = false;
            break;
        }
        result.append(char(*byte));
    }
    if (!allRead && (!open_ || device_->readFailed()))
        reopen();
    return result;
}

std::optional<quint8> UsbCable::readByte()
{
    if (!device_)
        return std::nullopt;
    if (device_->bytesWaiting() > 0)
        return device_->readByte();
    if (device_->readFailed())
        reopen();
    return std::nullopt;
}

bool UsbCable::writeByte(quint8 byte)
{
    if (!device_)
        return false;
    const bool written = device_->writeByte(byte);
    noticeGoneDevice();
    return written;
}

bool UsbCable::writeText(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (const char byte : text) {
        if (!writeByte(quint8(byte)))
            return false;
    }
    return true;
}

int UsbCable::bytesPending()
{
    return device_ ? device_->bytesPending() : 0;
}
