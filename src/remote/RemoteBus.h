#pragma once

#include "app/Clock.h"
#include "sim/SimDevice.h"

#include <QString>
#include <memory>

class FtdiApi;
class SimBlackBox;
class SimFtdiApi;
class SimMemoryFile;
class SimRemoteCommunicator;

// The USB bus the BlackBoxes are found on: the real one (libftdi), one serial device, or a simulated
// one with a single BlackBox whose telephone line leads to a simulated communicator
// of a model. The simulated communicator keeps its memory in the program folder
// between runs, as the simulated devices of the service cable do.
class RemoteBus {
public:
    // The serial number of the simulated BlackBox.
    static constexpr const char *simulatedSerial = "QUE00001";

    // A real bus.
    RemoteBus();
    // A bus with the one BlackBox that the kernel's driver offers as this serial
    // device (/dev/ttyUSBn), named by the path.
    explicit RemoteBus(const QString &devicePath);
    // A simulated bus with a communicator of the model (TKV-C, TKV-C2 or TKV-C3).
    RemoteBus(Clock &clock, SimKind model);
    ~RemoteBus();
    RemoteBus(const RemoteBus &) = delete;
    RemoteBus &operator=(const RemoteBus &) = delete;

    FtdiApi &api() { return *api_; }
    bool isSimulated() const { return communicator_ != nullptr; }
    SimRemoteCommunicator *communicator() const { return communicator_.get(); }
    SimBlackBox *blackBox() const { return box_.get(); }

    // Stores the simulated communicator's memory when it changed; false with *error
    // set when it could not be written. Does nothing on a real bus.
    bool keepSimMemory(QString *error);

private:
    std::unique_ptr<SimRemoteCommunicator> communicator_;
    std::unique_ptr<SimBlackBox> box_;
    std::unique_ptr<SimMemoryFile> memory_;
    std::unique_ptr<FtdiApi> api_;
};
