#pragma once

#include "link/FtdiApi.h"

#include <QSerialPort>
#include <QString>

// The FTDI calls answered by one serial device: an FTDI box that the kernel's ftdi_sio
// driver has made into a tty (/dev/ttyUSBn), reached without taking it from the driver.
// The bus it shows holds that one device while its path exists, with the description
// given and its path as serial number. The bit mode is the driver's business and always
// succeeds; line settings, reads and writes go to the tty.
class TtyFtdiApi final : public FtdiApi {
public:
    TtyFtdiApi(QString devicePath, QByteArray description);

    FtStatus open(const QString &serialNumber) override;
    void close() override;
    FtStatus setBitMode(quint8 mask, quint8 mode) override;
    FtStatus setDtr(bool on) override;
    FtStatus setRts(bool on) override;
    FtStatus setBaudRate(int rate) override;
    FtStatus read(quint8 *buffer, int capacity, int &count) override;
    FtStatus write(const quint8 *data, int size, int &written) override;

    FtStatus deviceCount(quint32 &count) override;
    FtStatus serialNumber(quint32 index, QByteArray &text) override;
    FtStatus description(quint32 index, QByteArray &text) override;

    QString errorText() const override { return errorText_; }

private:
    FtStatus openStatus() const;
    // The value of the one device listed, for index 0 while the device exists.
    FtStatus listed(quint32 index, const QByteArray &value, QByteArray &text);
    // The status for a call the tty refused; its words are kept for errorText().
    FtStatus failed();

    QString path_;
    QByteArray description_;
    QSerialPort serial_;
    QString errorText_;
};
