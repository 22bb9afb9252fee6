#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Whether a serial port can be opened now.
enum class PortState { Free, InUse, Absent };

// One port of the list: COM n is the n-th entry.
struct SerialPortEntry {
    int number = 0;
    QString devicePath;  // "/dev/ttyUSB0"
    QString stablePath;  // its /dev/serial/by-id/ link, or devicePath when it has none
    PortState state = PortState::Absent;

    QString displayText() const;  // "COM 1 (/dev/ttyUSB0)"
};

// The numbering of serial ports as COM numbers: the USB serial adapters (ttyUSB*, in
// numeric order), then the modem-class USB devices (ttyACM*), then the built-in ports
// (ttyS*) that have hardware behind them. Numbers shift when cables come and go, which
// is why a port's stable path is offered for storing beside its number.
class SerialPortList {
public:
    // deviceFolder is "/dev" except in tests.
    explicit SerialPortList(QString deviceFolder = QStringLiteral("/dev"));

    // The device paths in COM order (COM 1 first). Opens no port except built-in ones
    // for the hardware check.
    QStringList devicePaths() const;
    // The device of COM number, or empty when there is none.
    QString devicePathOf(int number) const;
    // The COM number of a device given by any path to it (a by-id link works); 0 when
    // it is not in the list.
    int numberOf(const QString &path) const;
    // The by-id link that points at the device, or the device path when none does.
    QString stablePathOf(const QString &devicePath) const;
    // All ports with their state; each is tried by opening and closing it at once.
    QList<SerialPortEntry> entries() const;

    // Tries to open the port and closes it again at once.
    static PortState probe(const QString &path);

private:
    QString deviceFolder_;
};
