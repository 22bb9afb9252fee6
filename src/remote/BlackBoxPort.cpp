#include "remote/BlackBoxPort.h"

#include "app/Clock.h"
#include "link/FtdiDeviceList.h"

namespace {

const QString BoxDescription = QString::fromLatin1(BlackBoxPort::Description);
const QString BoxSerialPrefix = QStringLiteral("QUE");
constexpr Millis OpenSettle{10};

}  // namespace

BlackBoxPort::BlackBoxPort(FtdiApi &api, Clock &clock) : api_(api), clock_(clock) {}

void BlackBoxPort::listBlackBoxes()
{
    if (open_)
        release();
    deviceList_.clear();
    ftdiDeviceCount_ = 0;
    FtdiDeviceList devices(api_);
    if (devices.getFTDeviceCount() != FtStatus::Ok)
        return;
    ftdiDeviceCount_ = int(devices.deviceCount());
    for (quint32 index = 0; index < devices.deviceCount() && deviceList_.size() < MaxListed; ++index) {
        if (devices.getFTDeviceDescription(index) != FtStatus::Ok || devices.deviceString() != BoxDescription)
            continue;
        if (devices.getFTDeviceSerialNo(index) == FtStatus::Ok)
            deviceList_.append(devices.deviceString());
    }
}

int BlackBoxPort::prefixedCount() const
{
    int count = 0;
    for (const QString &serial : deviceList_)
        count += serial.startsWith(BoxSerialPrefix) || serial.startsWith(u'/') ? 1 : 0;
    return count;
}

void BlackBoxPort::openBlackBox(const QString &serialNumber)
{
    // One FTDI connection at a time: the earlier box is closed before the open.
    release();
    device_ = std::make_unique<FT232>(api_, clock_, serialNumber);
    serial_ = serialNumber;
    clock_.wait(OpenSettle);
    applyLine();
    clock_.wait(OpenSettle);
    open_ = true;
}

void BlackBoxPort::applyLine()
{
    // A refused setting shows up as a box that does not answer; the exchange's
    // time-outs report that.
    (void)device_->applyLineSettings();
}

void BlackBoxPort::release()
{
    device_.reset();
    serial_.clear();
    open_ = false;
}

bool BlackBoxPort::sendBlackBox(const QByteArray &text)
{
    if (text.isEmpty() || !device_)
        return false;
    for (const char byte : text) {
        if (!device_->writeByte(quint8(byte)))
            return false;
    }
    return true;
}

QByteArray BlackBoxPort::readBlackBox()
{
    QByteArray text;
    if (!device_) {
        // A box lost by a failed reopening; a released one has no serial number.
        if (!serial_.isEmpty())
            reopen();
        return text;
    }
    const int waiting = device_->bytesWaiting();
    for (int i = 0; i < waiting; ++i) {
        const std::optional<quint8> byte = device_->readByte();
        if (!byte)
            break;
        text.append(char(*byte));
    }
    if (device_->readFailed() || device_->deviceGone())
        reopen();
    return text;
}

void BlackBoxPort::reopen()
{
    device_.reset();
    try {
        device_ = std::make_unique<FT232>(api_, clock_, serial_);
    } catch (const FT232Error &) {
        return;
    }
    applyLine();
}
