#pragma once

#include "link/FtdiApi.h"

#include <QString>
#include <deque>
#include <optional>
#include <stdexcept>

class Clock;

// Raised when an FTDI device cannot be opened.
class FT232Error : public std::runtime_error {
public:
    explicit FT232Error(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

// One open FTDI device, from construction to destruction.
//
// The chip's receive queue cannot be asked for its size, so every "bytes waiting"
// fetches what has arrived into a queue of our own and answers from it; reads take
// from that queue first.
class FT232 {
public:
    // Opens the device with this USB serial number; throws FT232Error
    // ("Device <serial> can not open") when it cannot.
    FT232(FtdiApi &api, Clock &clock, const QString &serialNumber);
    // Closes the device and gives it 10 ms before anyone opens it again.
    ~FT232();
    FT232(const FT232 &) = delete;
    FT232 &operator=(const FT232 &) = delete;

    FtStatus setBaudRate(int rate);
    FtStatus setDtr(bool on);
    FtStatus setRts(bool on);
    // True when the device took the mode; the status is kept as lastStatus().
    bool setBitMode(quint8 mask, quint8 mode);
    // The line every device of ours runs on: bit mode reset to plain serial, DTR on,
    // RTS off, 9600 baud. Stops at the first call the device refuses; true when all
    // four succeeded.
    bool applyLineSettings();

    std::optional<quint8> readByte();
    bool writeByte(quint8 byte);
    int bytesWaiting();
    // Bytes written but not yet sent on. Always 0: a write returns only when the
    // device has taken the bytes, so nothing stays queued on our side.
    int bytesPending() const { return 0; }

    // Status of the open or of the last bit-mode call.
    FtStatus lastStatus() const { return lastStatus_; }
    // True when the last attempt to fetch bytes from the device failed: the
    // connection can no longer be read.
    bool readFailed() const { return readFailed_; }
    // True when a read or write found the device gone (cable pulled).
    bool deviceGone() const { return deviceGone_; }

private:
    void fetchArrived();

    FtdiApi &api_;
    Clock &clock_;
    FtStatus lastStatus_ = FtStatus::Ok;
    bool readFailed_ = false;
    bool deviceGone_ = false;
    std::deque<quint8> received_;
};
