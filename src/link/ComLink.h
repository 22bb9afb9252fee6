#pragma once

#include "link/LinkPort.h"

#include <QMetaObject>
#include <QString>

class ComPort;

// The COM-port cable as the exchanges see it. Arrivals are announced by the port;
// errors of the port become false / nullopt results, with the text kept for the caller.
class ComLink : public LinkPort {
public:
    explicit ComLink(ComPort &port);
    ~ComLink() override;
    ComLink(const ComLink &) = delete;
    ComLink &operator=(const ComLink &) = delete;

    LinkKind kind() const override { return LinkKind::ComPort; }
    bool isPolled() const override { return false; }
    void setArrivalHandler(std::function<void(int count)> handler) override;

    bool open() override;
    bool isOpen() const override;
    int bytesWaiting() override;
    QByteArray readAll() override;
    std::optional<quint8> readByte() override;
    bool writeByte(quint8 byte) override;
    bool writeText(const QByteArray &text) override;
    int bytesPending() override;
    void close() override;

    const ComPort &port() const { return port_; }
    // The text of the last port error ("ComPort - Invalid port number (COM3) "), empty
    // after a successful open.
    QString lastError() const { return lastError_; }

private:
    ComPort &port_;
    std::function<void(int count)> arrivalHandler_;
    QMetaObject::Connection arrivals_;
    QString lastError_;
};
