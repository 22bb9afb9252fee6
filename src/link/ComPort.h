#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <QString>
#include <exception>

// An error of the serial port, its text already in the form "<component> - <message> ".
class ComPortError : public std::exception {
public:
    explicit ComPortError(QString text);
    const QString &text() const { return text_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    QString text_;
    QByteArray utf8_;
};

// The COM-port cable (USB-LNKv2, USB-LNKv3): 8 data bits, no parity, one stop bit,
// no flow control. Received data stays in the port until it is read; every arrival is
// announced on the main thread with the number of bytes now waiting. Writes go through
// a buffer of outBufSize() bytes; a write that does not fit is refused whole.
class ComPort : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultOutBufSize = 2048;

    explicit ComPort(QObject *parent = nullptr);
    ~ComPort() override;

    int comNumber() const { return comNumber_; }
    // An explicit device path (a stable /dev/serial/by-id/ path, a pseudo-terminal)
    // or empty when the port is found by its number in the list of serial ports.
    QString devicePath() const { return devicePath_; }
    // Selects the port. The number always names the port in messages; a device path,
    // when given, is the device opened. Changing either while open closes the port
    // and reopens it on the new one (and raises the open errors).
    void setComNumber(int number, const QString &devicePath = QString());
    // The folder holding the serial devices, "/dev" unless a test replaces it.
    void setDeviceFolder(const QString &folder) { deviceFolder_ = folder; }

    qint32 baudRate() const { return baudRate_; }
    void setBaudRate(qint32 rate);
    bool dtr() const { return dtr_; }
    void setDtr(bool on);
    bool rts() const { return rts_; }
    void setRts(bool on);
    int outBufSize() const { return outBufSize_; }
    void setOutBufSize(int size) { outBufSize_ = size; }

    // No effect when already open; raises "Invalid port number (COM%d)" for a number
    // below 1 or a device that does not exist, "Can't open device COM%d" otherwise.
    void open();
    void close();
    bool isActive() const { return serial_.isOpen(); }

    // The path that open() uses: the explicit path, else the comNumber()-th serial port.
    QString resolvedPath() const;

    // Everything waiting; empty when nothing waits or the port is closed.
    QByteArray readAll();
    // One waiting byte; raises "Read data error" when there is none.
    quint8 readChar();
    int bytesWaiting() const;
    // Bytes written but not yet passed to the driver.
    int bytesPending() const;
    // Raises "Write data error [requested: %d, free: %d]" and writes nothing when the
    // text does not fit into the free part of the write buffer.
    void writeText(const QByteArray &text);

Q_SIGNALS:
    void dataReceived(int count);
    // The device went away while open (cable pulled, peer closed); the port is closed.
    void portLost();
    // A line-control call that the device refused (a pseudo-terminal has no DTR/RTS).
    void warning(const QString &text);

private:
    [[noreturn]] void raise(const QString &message) const;
    void applyLines();
    void onError(QSerialPort::SerialPortError error);
    void loseConnection();
    void announce();

    QSerialPort serial_;
    QString deviceFolder_ = QStringLiteral("/dev");
    QString devicePath_;
    int comNumber_ = 0;
    qint32 baudRate_ = QSerialPort::Baud9600;
    bool dtr_ = false;
    bool rts_ = true;
    int outBufSize_ = DefaultOutBufSize;
    bool losing_ = false;
    static constexpr int reannounceMs = 200;
    QTimer reannounce_;
};
