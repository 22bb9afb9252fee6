#pragma once

#include <QRgb>
#include <QString>

// What the firmware window shows of an upgrade, bootloader or legacy. Every hook has
// an empty default, so the command-line tool and tests override only what they show.
class UpgradeView {
public:
    virtual ~UpgradeView() = default;
    virtual void setStatus(const QString &text) { (void)text; }
    virtual void setPhaseMaximum(int maximum) { (void)maximum; }
    virtual void setPhasePosition(int position) { (void)position; }
    virtual void stepPhase() {}
    virtual void setPhaseColour(QRgb colour) { (void)colour; }
    virtual void setOverallMaximum(int maximum) { (void)maximum; }
    virtual void setOverallPosition(int position) { (void)position; }
    virtual void stepOverall() {}
    // The legacy upload's status colour and the packet and byte it is at.
    enum class StatusColour { Normal, Blue, Magenta };
    virtual void setStatusColour(StatusColour colour) { (void)colour; }
    virtual void showPosition(int packet, int byte) { (void)packet; (void)byte; }
    // A line of the firmware log.
    virtual void logLine(const QString &line) { (void)line; }
    // The upgrade has ended: both bars full on success, the log closed and shown,
    // Open and Write disabled, Cancel enabled (captioned "OK" on success).
    virtual void upgradeEnded(bool success) { (void)success; }
};
