#pragma once

#include "app/Clock.h"
#include "link/FT232.h"
#include "link/LinkPort.h"

#include <QString>
#include <memory>

class FtdiApi;

// The USB-LNK service cable: an FTDI device found by its serial number "ZEDA-USB".
// The connection is short-lived: the device poll opens it, the end of an
// identification releases it (close()), and readAll() reopens it for a transfer.
class UsbCable final : public LinkPort {
public:
    UsbCable(FtdiApi &api, Clock &clock);
    UsbCable(const UsbCable &) = delete;
    UsbCable &operator=(const UsbCable &) = delete;

    LinkKind kind() const override { return LinkKind::UsbCable; }
    bool isPolled() const override { return true; }

    // Opens the cable (a held connection is released first): one attempt with 5 ms
    // settling waits, then, if that failed, one with 1 ms waits. Never shows anything;
    // the result and statusText() tell how it went.
    bool open() override;
    bool isOpen() const override { return open_; }
    int bytesWaiting() override;
    // Everything waiting. A released cable, or one that can no longer be read, is
    // reopened; what was read before that is returned.
    QByteArray readAll() override;
    // A waiting byte. When the device can no longer be read the cable is reopened
    // and nothing is returned; isOpen() then tells whether the reopening worked.
    std::optional<quint8> readByte() override;
    bool writeByte(quint8 byte) override;
    bool writeText(const QByteArray &text) override;
    int bytesPending() override;
    // Releases the connection.
    void close() override;

    // The cable's text in the status bar: "OK-Alarm" after an open that worked,
    // "------------" after one that failed, "--" after switching to another cable.
    QString statusText() const { return statusText_; }
    // The user chose a COM-port cable: the cable counts as not open from now on; its
    // connection stays as it is until the next open or release.
    void markSwitchedAway();
    // The user chose this cable again: no status text until it is opened.
    void clearStatusText() { statusText_.clear(); }

private:
    void noticeGoneDevice();
    bool attemptOpen(Millis settle);
    void reopen();

    FtdiApi &api_;
    Clock &clock_;
    std::unique_ptr<FT232> device_;
    bool open_ = false;
    QString statusText_;
};
