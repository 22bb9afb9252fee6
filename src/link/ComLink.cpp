#include "link/ComLink.h"

#include "link/ComPort.h"

ComLink::ComLink(ComPort &port)
    : port_(port)
{
    arrivals_ = QObject::connect(&port_, &ComPort::dataReceived, &port_, [this](int count) {
        if (arrivalHandler_)
            arrivalHandler_(count);
    });
}

ComLink::~ComLink()
{
    QObject::disconnect(arrivals_);
}

void ComLink::setArrivalHandler(std::function<void(int count)> handler)
{
    arrivalHandler_ = std::move(handler);
}

bool ComLink::open()
{
    try {
        port_.open();
    } catch (const ComPortError &error) {
        lastError_ = error.text();
        return false;
    }
    lastError_.clear();
    return true;
}

bool ComLink::isOpen() const
{
    return port_.isActive();
}

int ComLink::bytesWaiting()
{
    return port_.bytesWaiting();
}

QByteArray ComLink::readAll()
{
    return port_.readAll();
}

std::optional<quint8> ComLink::readByte()
{
    try {
        return port_.readChar();
    } catch (const ComPortError &error) {
        lastError_ = error.text();
        return std::nullopt;
    }
}

bool ComLink::writeByte(quint8 byte)
{
    try {
        port_.writeText(QByteArray(1, static_cast<char>(byte)));
    } catch (const ComPortError &error) {
        lastError_ = error.text();
        return false;
    }
    return true;
}

bool ComLink::writeText(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (!writeByte(static_cast<quint8>(c)))
            return false;
    }
    return true;
}

int ComLink::bytesPending()
{
    return port_.bytesPending();
}

void ComLink::close()
{
    port_.close();
}
