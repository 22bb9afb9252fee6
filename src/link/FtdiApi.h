#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Status of an FTDI call, numbered as the vendor's D2XX driver numbers them, so that
// a code shown to the user or written to a log means the same on every platform.
enum class FtStatus : quint32 {
    Ok = 0,
    InvalidHandle = 1,
    DeviceNotFound = 2,
    DeviceNotOpened = 3,
    IoError = 4,
    InsufficientResources = 5,
    InvalidParameter = 6,
};

// The FTDI calls the program needs, over one device connection. The devices in
// question are those of vendor 0x0403 with product id 0x6001, 0x6010, 0x6011, 0x6014
// or 0x6015. Listing works whether or not this object has a device open, and never
// disturbs the open one.
class FtdiApi {
public:
    virtual ~FtdiApi() = default;

    // Opens the device with this USB serial number; an open device is closed first.
    virtual FtStatus open(const QString &serialNumber) = 0;
    virtual void close() = 0;
    virtual FtStatus setBitMode(quint8 mask, quint8 mode) = 0;
    virtual FtStatus setDtr(bool on) = 0;
    virtual FtStatus setRts(bool on) = 0;
    virtual FtStatus setBaudRate(int rate) = 0;
    // Moves up to capacity bytes that have arrived into buffer and sets count: what
    // the driver holds and what the device sends in one USB transfer. Returns within
    // about the chip's latency time, with count 0 when nothing has arrived.
    virtual FtStatus read(quint8 *buffer, int capacity, int &count) = 0;
    // Writes size bytes and sets written to the number the device took.
    virtual FtStatus write(const quint8 *data, int size, int &written) = 0;

    virtual FtStatus deviceCount(quint32 &count) = 0;
    // Serial number and description of the device at a 0-based index, as the device
    // reports them.
    virtual FtStatus serialNumber(quint32 index, QByteArray &text) = 0;
    virtual FtStatus description(quint32 index, QByteArray &text) = 0;

    // The driver's own words for the last failure, for diagnostics; may be empty.
    virtual QString errorText() const = 0;
};
