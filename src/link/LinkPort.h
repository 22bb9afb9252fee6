#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

// Which cable the program talks through. The simulator cable stands in for a real
// one; it follows the rules of the cable kind it imitates (see LinkPort::isPolled).
enum class LinkKind { None = 0, UsbCable = 1, ComPort = 2, Simulator = 3 };

// The byte transport to the device on the local cable, the same for every cable kind.
class LinkPort {
public:
    virtual ~LinkPort() = default;

    virtual LinkKind kind() const = 0;
    // True for the USB-LNK cable and links that imitate it: arrivals are found by the
    // exchange tick asking for waiting bytes, the connection is released after every
    // identification and reopened by readAll(). False for COM-port cables, which
    // announce arrivals through the arrival handler.
    virtual bool isPolled() const = 0;
    // Called on the main thread with the number of bytes now waiting (COM-port cables).
    // By value: the cables that take it keep it.
    virtual void setArrivalHandler(std::function<void(int count)> handler) // NOLINT(performance-unnecessary-value-param)
    {
        (void)handler;
    }

    virtual bool open() = 0;
    virtual bool isOpen() const = 0;
    virtual int bytesWaiting() = 0;
    // All waiting bytes. On a polled cable this also reopens a released connection.
    virtual QByteArray readAll() = 0;
    virtual std::optional<quint8> readByte() = 0;
    virtual bool writeByte(quint8 byte) = 0;
    // Writes byte by byte and stops at the first refused byte; false for an empty text.
    virtual bool writeText(const QByteArray &text) = 0;
    virtual int bytesPending() = 0;
    virtual void close() = 0;
};
