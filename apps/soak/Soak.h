#pragma once

#include "Recorders.h"
#include "SoakRandom.h"
#include "Tally.h"

#include "app/LanguageTable.h"
#include "link/SimLink.h"
#include "params/CommunicatorModel.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"
#include "protocol/CommandExchange.h"
#include "protocol/ImageDecodeResult.h"
#include "remote/RemoteLink.h"
#include "sim/SimBlackBox.h"
#include "sim/SimDevice.h"
#include "sim/SimFtdiApi.h"
#include "sim/SimRemoteCommunicator.h"
#include "sim/VirtualClock.h"

#include <QStringList>
#include <memory>
#include <vector>

struct SoakOptions {
    qint64 count = 20000;  // exchanges at most
    int seconds = 240;    // and at most this long (on the machine's clock)
    quint64 seed = 1;
    // The simulated devices drop a request or block begun and left for a second.
    bool receiveTimeout = true;
    bool verbose = false;  // one line per exchange on standard error
};

// A device on the local cable (USB-LNK or COM port) with the exchange that talks to
// it and the values the program holds for it, on a clock of its own.
struct LocalRig : ExchangeClient {
    LocalRig(SimKind kind, bool polled, quint64 seed, const SoakOptions &options);

    void identificationReceived(const QByteArray &) override {}
    void blockRead(const QString &deviceType, const QByteArray &block) override;
    QByteArray blockToWrite(const QString &deviceType) override;

    SimKind kind;
    CommunicatorModel model;
    QString deviceType;
    VirtualClock clock;
    SimDevice device;
    SimLink link;
    LanguageTable texts;
    KeptMessages messages;
    ExchangeView view;
    CommandExchange exchange;
    ParameterSet set;
    ParameterStatus status;
    int blocksRead = 0;
    QByteArray lastBlock;
    ImageDecodeResult lastDecode;
};

// A BlackBox with a communicator of the model behind its telephone line, and the
// values the program holds for it; the remote link lives for one connection.
struct RemoteRig {
    RemoteRig(CommunicatorModel model, quint64 seed);

    CommunicatorModel model;
    SimKind kind;
    VirtualClock clock;
    SimRemoteCommunicator communicator;
    SimBlackBox box;
    SimFtdiApi bus;
    KeptFtdiApi keptBus{bus};
    LanguageTable texts;
    KeptMessages messages;
    RemoteView view;
    DialParameters dial;
    std::unique_ptr<RemoteLink> link;
    ParameterSet set;
    ParameterStatus status;
};

class Soak {
public:
    explicit Soak(const SoakOptions &options);
    ~Soak();

    // Runs until the count or the time is used up; returns the exchanges run.
    qint64 run();
    const Tally &tally() const { return tally_; }
    // Exchanges that went wrong, one line each (the first ones).
    const QStringList &notes() const { return notes_; }
    bool stoppedByTime() const { return stoppedByTime_; }

private:
    void step();
    void note(Operation operation, const QString &text);
    void record(Operation operation, Outcome outcome, qint64 struck, const QString &detail = {});
    void halfApplied(Operation operation, const QString &detail);

    LocalRig &localRig();
    void localRead(LocalRig &rig);
    void localWrite(LocalRig &rig);
    void setLocalFaults(LocalRig &rig);

    RemoteRig &remoteRig();
    bool ensureConnected(RemoteRig &rig);
    void setRemoteFaults(RemoteRig &rig);
    void remoteRead(RemoteRig &rig);
    void remoteWrite(RemoteRig &rig);
    void hangUp(RemoteRig &rig);

    void bootloaderUpgrade(bool refusedFile);
    void legacyUpload(bool refusedFile);

    SoakOptions options_;
    SoakRandom random_;
    Tally tally_;
    QStringList notes_;
    qint64 done_ = 0;
    bool stoppedByTime_ = false;
    std::vector<std::unique_ptr<LocalRig>> localRigs_;
    std::vector<std::unique_ptr<RemoteRig>> remoteRigs_;
};
