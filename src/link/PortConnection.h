#pragma once

#include "app/Clock.h"

#include <QByteArray>
#include <QString>
#include <memory>

class ComPort;
struct AppConfig;
class FtdiApi;
class LinkPort;
class SimDevice;
class SimMemoryFile;

// The cable named by a port text, with everything it needs alive: "usb" (USB-LNK
// through libftdi), a serial device path (COM-port cable) or "sim:KIND" (the built-in
// simulator, whose memory is kept in the program folder between runs).
class PortConnection {
public:
    explicit PortConnection(Clock &clock);
    ~PortConnection();

    // Creates the link (not yet opened). Returns false with *error set for an unknown
    // simulated device.
    bool create(const QString &port, QString *error);
    LinkPort *link() const { return link_.get(); }
    SimDevice *simDevice() const { return simDevice_.get(); }

    // Stores the simulated device's memory when it changed; false with *error set when
    // it could not be written. Does nothing for a real cable.
    bool keepSimMemory(QString *error);

private:
    Clock &clock_;
    std::unique_ptr<FtdiApi> ftdi_;
    std::unique_ptr<ComPort> comPort_;
    std::unique_ptr<SimDevice> simDevice_;
    std::unique_ptr<SimMemoryFile> simMemory_;
    std::unique_ptr<LinkPort> link_;
};

// The cable a configuration names, as a port text; empty when it names none.
QString storedPort(const AppConfig &config);
// The cable the program was last set to in Config.ini, as a port text; the simulator
// of defaultSimKind when there is no Config.ini or it names no cable.
QString configuredPort(const QString &defaultSimKind);
