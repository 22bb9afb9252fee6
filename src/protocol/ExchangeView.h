#pragma once

#include <QByteArray>
#include <QString>

// What the command exchange does to the window around an exchange. Every hook has
// an empty default, so the command-line tool and tests override only what they show.
class ExchangeView {
public:
    virtual ~ExchangeView() = default;
    // "Read parameters", "Write parameters", "Upload voice messages", "Firmware upgrade"
    // (and, when enabling, the "Remote" menu).
    virtual void setExchangeMenusEnabled(bool enabled) { (void)enabled; }
    virtual void setProgressVisible(bool visible) { (void)visible; }
    // 0 to 100 fills the bar; every value above 100 shows it full.
    virtual void setProgress(int value) { (void)value; }
    // Moves the focus off the field being edited so that its input rule runs first.
    virtual void focusStatusBar() {}
    virtual void startDevicePoll() {}
    virtual void stopDevicePoll() {}
    virtual void stopRemoteTimer() {}
};

// The data side of an exchange: where replies go and where written blocks come from.
class ExchangeClient {
public:
    virtual ~ExchangeClient() = default;
    virtual void identificationReceived(const QByteArray &reply) = 0;
    // A complete block of the device type ("Alarm", "Option" or "Switch").
    virtual void blockRead(const QString &deviceType, const QByteArray &block) = 0;
    // The block to write: 256, 23 or 8 bytes for "Alarm", "Option" or "Switch".
    virtual QByteArray blockToWrite(const QString &deviceType) = 0;
};
