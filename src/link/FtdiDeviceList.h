#pragma once

#include "link/FtdiApi.h"

#include <QString>

// The FTDI devices present, asked one thing at a time as the BlackBox selection does:
// the count, then the serial number or description of a device by its 0-based index.
// Each call leaves its answer here; a failed call leaves the earlier answer unchanged.
class FtdiDeviceList {
public:
    // Longest device string kept: the listing buffer holds 50 characters with the
    // last one always the terminating NUL.
    static constexpr int MaxDeviceStringLength = 49;

    explicit FtdiDeviceList(FtdiApi &api) : api_(api) {}

    FtStatus getFTDeviceCount();
    FtStatus getFTDeviceSerialNo(quint32 index);
    FtStatus getFTDeviceDescription(quint32 index);

    quint32 deviceCount() const { return deviceCount_; }
    // The serial number or description found by the last successful call.
    QString deviceString() const { return deviceString_; }

private:
    FtStatus keepDeviceString(FtStatus status, const QByteArray &text);

    FtdiApi &api_;
    quint32 deviceCount_ = 0;
    QString deviceString_;
};
