#include "link/PortConnection.h"

#include "app/AppConfig.h"
#include "app/ProgramFolder.h"
#include "link/ComLink.h"
#include "link/ComPort.h"
#include "link/LibFtdiApi.h"
#include "link/SerialPortList.h"
#include "link/SimMemoryFile.h"
#include "link/SimLink.h"
#include "link/UsbCable.h"
#include "sim/SimDevice.h"

#include <QFile>

PortConnection::PortConnection(Clock &clock) : clock_(clock) {}

PortConnection::~PortConnection() = default;

bool PortConnection::create(const QString &port, QString *error)
{
    const bool simulated = port.startsWith(QLatin1String("sim:"));
    const auto kind = simulated ? simKindFromName(port.mid(4)) : std::nullopt;
    if (simulated && !kind) {
        *error = QStringLiteral("unknown simulated device \"%1\" in the configured cable").arg(port.mid(4));
        return false;
    }
    // The old link goes first: it may still use the cable objects replaced below.
    link_.reset();
    if (simulated) {
        simDevice_ = std::make_unique<SimDevice>(*kind);
        simMemory_ = std::make_unique<SimMemoryFile>(ProgramFolder::path()
                                                     + QStringLiteral("Simulator-%1.bin").arg(simKindName(*kind)));
        simDevice_->setMemory(simMemory_->load(simDevice_->memory()));
        link_ = std::make_unique<SimLink>(clock_, *simDevice_, true);
    } else if (port == QLatin1String("usb")) {
        ftdi_ = std::make_unique<LibFtdiApi>();
        link_ = std::make_unique<UsbCable>(*ftdi_, clock_);
    } else {
        comPort_ = std::make_unique<ComPort>();
        // The number shows in the status bar ("COM3: OK"); 0 for a port outside the list.
        comPort_->setComNumber(SerialPortList().numberOf(port), port);
        link_ = std::make_unique<ComLink>(*comPort_);
    }
    return true;
}

bool PortConnection::keepSimMemory(QString *error)
{
    return !simDevice_ || simMemory_->store(simDevice_->memory(), error);
}

QString storedPort(const AppConfig &config)
{
    if (config.usb == 1)
        return QStringLiteral("usb");
    if (!config.comPath.isEmpty())
        return config.comPath;
    if (config.com > 0) {
        QString path = SerialPortList().devicePathOf(config.com);
        if (!path.isEmpty())
            return path;
    }
    if (!config.sim.isEmpty())
        return QStringLiteral("sim:") + config.sim;
    return {};
}

QString configuredPort(const QString &defaultSimKind)
{
    const QString folder = ProgramFolder::path();
    if (!QFile::exists(AppConfig::filePath(folder)))
        return QStringLiteral("sim:") + defaultSimKind;
    AppConfig config;
    config.load(folder);
    const QString port = storedPort(config);
    return port.isEmpty() ? QStringLiteral("sim:") + defaultSimKind : port;
}
