#include "remote/RemoteBus.h"

#include "app/ProgramFolder.h"
#include "link/LibFtdiApi.h"
#include "link/SimMemoryFile.h"
#include "link/TtyFtdiApi.h"
#include "remote/BlackBoxPort.h"
#include "sim/SimBlackBox.h"
#include "sim/SimFtdiApi.h"
#include "sim/SimRemoteCommunicator.h"

RemoteBus::RemoteBus() : api_(std::make_unique<LibFtdiApi>()) {}

RemoteBus::RemoteBus(const QString &devicePath)
    : api_(std::make_unique<TtyFtdiApi>(devicePath, BlackBoxPort::Description))
{
}

RemoteBus::RemoteBus(Clock &clock, SimKind model)
    : communicator_(std::make_unique<SimRemoteCommunicator>(model)),
      box_(std::make_unique<SimBlackBox>(clock, *communicator_)),
      memory_(std::make_unique<SimMemoryFile>(ProgramFolder::path()
                                              + QStringLiteral("Simulator-Remote-%1.bin").arg(simKindName(model))))
{
    communicator_->memory = memory_->load(communicator_->memory);
    auto bus = std::make_unique<SimFtdiApi>();
    bus->devices = {{simulatedSerial, BlackBoxPort::Description, box_.get()}};
    api_ = std::move(bus);
}

RemoteBus::~RemoteBus() = default;

bool RemoteBus::keepSimMemory(QString *error)
{
    return !communicator_ || memory_->store(communicator_->memory, error);
}
