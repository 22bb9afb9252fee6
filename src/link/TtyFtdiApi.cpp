#include "link/TtyFtdiApi.h"

#include <QFileInfo>
#include <utility>

namespace {

// How long a read waits for the first byte: about the latency of an FTDI chip.
constexpr int ReadLatencyMs = 2;
constexpr int WriteTimeoutMs = 1000;

}  // namespace

TtyFtdiApi::TtyFtdiApi(QString devicePath, QByteArray description)
    : path_(std::move(devicePath)), description_(std::move(description))
{
}

FtStatus TtyFtdiApi::open(const QString &serialNumber)
{
    close();
    if (serialNumber != path_ || !QFileInfo::exists(path_))
        return FtStatus::DeviceNotFound;
    serial_.setPortName(path_);
    serial_.setDataBits(QSerialPort::Data8);
    serial_.setParity(QSerialPort::NoParity);
    serial_.setStopBits(QSerialPort::OneStop);
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_.open(QIODevice::ReadWrite))
        return failed();
    errorText_.clear();
    return FtStatus::Ok;
}

void TtyFtdiApi::close()
{
    if (serial_.isOpen())
        serial_.close();
    serial_.clearError();
}

FtStatus TtyFtdiApi::openStatus() const
{
    return serial_.isOpen() ? FtStatus::Ok : FtStatus::DeviceNotOpened;
}

FtStatus TtyFtdiApi::failed()
{
    errorText_ = path_ + QStringLiteral(": ") + serial_.errorString();
    const bool gone = serial_.error() == QSerialPort::DeviceNotFoundError
                      || serial_.error() == QSerialPort::ResourceError;
    serial_.clearError();
    return gone ? FtStatus::DeviceNotFound : FtStatus::IoError;
}

FtStatus TtyFtdiApi::setBitMode(quint8, quint8)
{
    return openStatus();
}

FtStatus TtyFtdiApi::setDtr(bool on)
{
    if (openStatus() != FtStatus::Ok)
        return openStatus();
    return serial_.setDataTerminalReady(on) ? FtStatus::Ok : failed();
}

FtStatus TtyFtdiApi::setRts(bool on)
{
    if (openStatus() != FtStatus::Ok)
        return openStatus();
    return serial_.setRequestToSend(on) ? FtStatus::Ok : failed();
}

FtStatus TtyFtdiApi::setBaudRate(int rate)
{
    if (openStatus() != FtStatus::Ok)
        return openStatus();
    return serial_.setBaudRate(rate) ? FtStatus::Ok : failed();
}

FtStatus TtyFtdiApi::read(quint8 *buffer, int capacity, int &count)
{
    count = 0;
    if (openStatus() != FtStatus::Ok)
        return openStatus();
    if (serial_.bytesAvailable() == 0)
        serial_.waitForReadyRead(ReadLatencyMs);
    if (serial_.error() == QSerialPort::ResourceError || serial_.error() == QSerialPort::ReadError)
        return failed();
    serial_.clearError();
    const qint64 taken = serial_.read(reinterpret_cast<char *>(buffer), capacity);
    if (taken < 0)
        return failed();
    count = int(taken);
    return FtStatus::Ok;
}

FtStatus TtyFtdiApi::write(const quint8 *data, int size, int &written)
{
    written = 0;
    if (openStatus() != FtStatus::Ok)
        return openStatus();
    const qint64 queued = serial_.write(reinterpret_cast<const char *>(data), size);
    if (queued < 0)
        return failed();
    // Taken means sent on, as with the chip: nothing stays in our buffer.
    while (serial_.bytesToWrite() > 0) {
        if (!serial_.waitForBytesWritten(WriteTimeoutMs))
            return failed();
    }
    written = int(queued);
    return FtStatus::Ok;
}

FtStatus TtyFtdiApi::deviceCount(quint32 &count)
{
    count = QFileInfo::exists(path_) ? 1 : 0;
    return FtStatus::Ok;
}

FtStatus TtyFtdiApi::serialNumber(quint32 index, QByteArray &text)
{
    return listed(index, path_.toLocal8Bit(), text);
}

FtStatus TtyFtdiApi::description(quint32 index, QByteArray &text)
{
    return listed(index, description_, text);
}

FtStatus TtyFtdiApi::listed(quint32 index, const QByteArray &value, QByteArray &text)
{
    quint32 count = 0;
    deviceCount(count);
    if (index >= count)
        return FtStatus::DeviceNotFound;
    text = value;
    return FtStatus::Ok;
}
