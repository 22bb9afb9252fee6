#include "link/ComPort.h"

#include "link/SerialPortList.h"

#include <algorithm>

ComPortError::ComPortError(QString text)
    : text_(std::move(text)), utf8_(text_.toUtf8())
{
}

ComPort::ComPort(QObject *parent)
    : QObject(parent)
{
    // Announced from the event loop, never from inside the port's own read handler:
    // a handler that waits would otherwise hide every later arrival, since the port
    // does not signal again until its handler has returned.
    connect(&serial_, &QSerialPort::readyRead, this, &ComPort::announce, Qt::QueuedConnection);
    connect(&serial_, &QSerialPort::errorOccurred, this, &ComPort::onError);
    // Bytes still waiting are announced again, so that none are left unnoticed.
    reannounce_.setInterval(reannounceMs);
    connect(&reannounce_, &QTimer::timeout, this, &ComPort::announce);
}

void ComPort::announce()
{
    const int waiting = bytesWaiting();
    if (waiting > 0)
        Q_EMIT dataReceived(waiting);
}

ComPort::~ComPort() = default;

void ComPort::raise(const QString &message) const
{
    const QString name = objectName().isEmpty() ? QStringLiteral("ComPort") : objectName();
    throw ComPortError(QStringLiteral("%1 - %2 ").arg(name, message));
}

void ComPort::setComNumber(int number, const QString &devicePath)
{
    if (number == comNumber_ && devicePath == devicePath_)
        return;
    const bool wasOpen = isActive();
    if (wasOpen)
        close();
    comNumber_ = number;
    devicePath_ = devicePath;
    if (wasOpen)
        open();
}

QString ComPort::resolvedPath() const
{
    if (!devicePath_.isEmpty())
        return devicePath_;
    return SerialPortList(deviceFolder_).devicePathOf(comNumber_);
}

void ComPort::setBaudRate(qint32 rate)
{
    baudRate_ = rate;
    if (isActive())
        serial_.setBaudRate(rate);
}

void ComPort::setDtr(bool on)
{
    dtr_ = on;
    if (isActive())
        applyLines();
}

void ComPort::setRts(bool on)
{
    rts_ = on;
    if (isActive())
        applyLines();
}

// Switches DTR and RTS to their properties. A device without modem lines (a
// pseudo-terminal) refuses the calls; that is reported, not an open failure.
void ComPort::applyLines()
{
    const bool dtrDone = serial_.setDataTerminalReady(dtr_);
    const bool rtsDone = serial_.setRequestToSend(rts_);
    if (!dtrDone || !rtsDone) {
        const QString reason = serial_.errorString();
        serial_.clearError();
        Q_EMIT warning(QStringLiteral("%1: DTR/RTS not switched: %2").arg(serial_.portName(), reason));
    }
}

void ComPort::open()
{
    if (isActive())
        return;
    const QString invalidNumber = QStringLiteral("Invalid port number (COM%1)").arg(comNumber_);
    if (devicePath_.isEmpty() && comNumber_ <= 0)
        raise(invalidNumber);
    const QString path = resolvedPath();
    if (path.isEmpty())
        raise(invalidNumber);

    serial_.setPortName(path);
    serial_.setBaudRate(baudRate_);
    serial_.setDataBits(QSerialPort::Data8);
    serial_.setParity(QSerialPort::NoParity);
    serial_.setStopBits(QSerialPort::OneStop);
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    if (!serial_.open(QIODevice::ReadWrite)) {
        const bool missing = serial_.error() == QSerialPort::DeviceNotFoundError;
        serial_.clearError();
        raise(missing ? invalidNumber : QStringLiteral("Can't open device COM%1").arg(comNumber_));
    }
    applyLines();
    reannounce_.start();
}

void ComPort::close()
{
    losing_ = false;
    reannounce_.stop();
    if (serial_.isOpen())
        serial_.close();
    serial_.clearError();
}

QByteArray ComPort::readAll()
{
    if (!isActive())
        return {};
    return serial_.readAll();
}

quint8 ComPort::readChar()
{
    char byte = 0;
    if (!isActive() || !serial_.getChar(&byte))
        raise(QStringLiteral("Read data error"));
    return static_cast<quint8>(byte);
}

int ComPort::bytesWaiting() const
{
    return isActive() ? static_cast<int>(serial_.bytesAvailable()) : 0;
}

int ComPort::bytesPending() const
{
    return isActive() ? static_cast<int>(serial_.bytesToWrite()) : 0;
}

void ComPort::writeText(const QByteArray &text)
{
    // A closed port has no buffer: nothing fits.
    const int free = isActive() ? std::max(0, outBufSize_ - bytesPending()) : 0;
    if (!isActive() || text.size() > free || serial_.write(text) != text.size()) {
        raise(QStringLiteral("Write data error [requested: %1, free: %2]")
                  .arg(text.size())
                  .arg(free));
    }
}

// A vanished device makes the serial port repeat its read error in a tight loop,
// with a stale error text, while it stays open. The port is closed once control is
// back in the event loop, since the serial port is still inside its read handler here.
void ComPort::onError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (losing_ || !isActive())
        return;
    losing_ = true;
    QMetaObject::invokeMethod(this, &ComPort::loseConnection, Qt::QueuedConnection);
}

void ComPort::loseConnection()
{
    if (!losing_)
        return;
    losing_ = false;
    close();
    Q_EMIT portLost();
}
