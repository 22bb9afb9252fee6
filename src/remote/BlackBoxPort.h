#pragma once

#include "link/FT232.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class Clock;
class FtdiApi;

// The BlackBox on the USB bus: finding the boxes among the FTDI devices, opening
// one, and the byte transport to it.
class BlackBoxPort {
public:
    static constexpr int MaxListed = 65;
    // How a BlackBox describes itself on the bus.
    static constexpr const char *Description = "QUENTAmodul";

    BlackBoxPort(FtdiApi &api, Clock &clock);
    BlackBoxPort(const BlackBoxPort &) = delete;
    BlackBoxPort &operator=(const BlackBoxPort &) = delete;

    // Releases a box opened earlier, then lists the serial numbers of the FTDI
    // devices described "QUENTAmodul", in bus order. Boxes past the 65th are not
    // listed.
    void listBlackBoxes();
    // Serial numbers found by the last listing.
    const QStringList &deviceList() const { return deviceList_; }
    // FTDI devices of every kind present at the last listing.
    int ftdiDeviceCount() const { return ftdiDeviceCount_; }
    // Listed boxes whose serial number begins with "QUE", or that are named by the
    // path of their serial device: the ones offered.
    int prefixedCount() const;

    // Opens the box and sets its line (plain serial, DTR on, RTS off, 9600 baud);
    // throws FT232Error when it cannot be opened.
    void openBlackBox(const QString &serialNumber);
    // Releases the box; the open flag goes off and reads no longer reopen it.
    void release();
    bool hasDevice() const { return device_ != nullptr; }
    bool isOpen() const { return open_; }

    // Writes the text byte by byte; false for an empty text or at the first byte
    // the box did not take (the rest is not sent).
    bool sendBlackBox(const QByteArray &text);
    // Everything the box has sent and that was not read yet. A box that can no
    // longer be read is opened anew by its serial number; if that fails it stays
    // closed until a later read manages to open it.
    QByteArray readBlackBox();

private:
    void applyLine();
    void reopen();

    FtdiApi &api_;
    Clock &clock_;
    QStringList deviceList_;
    int ftdiDeviceCount_ = 0;
    std::unique_ptr<FT232> device_;
    QString serial_;
    bool open_ = false;
};
