#pragma once

#include "app/AppConfig.h"
#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/QtClock.h"
#include "link/PortConnection.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"
#include "protocol/CommandExchange.h"
#include "protocol/Identification.h"
#include "remote/ExchangeTables.h"
#include "voice/AudioPlayer.h"

#include <functional>
#include <memory>

class MessagePresenter;
class RemoteBus;
class RemoteLink;
class RemoteView;

// The one owner of the program's state: the cable and the exchange on it, what the
// device told us, the parameters being edited and the communication log. Windows
// receive it; none keeps a copy.
class AppState : public ExchangeClient {
public:
    // logFilePath: the communication log; begun at once when logOn. clock: the time
    // the exchange runs on (the program's own real time when null; tests pass a
    // simulated one).
    AppState(MessagePresenter &messages, const QString &logFilePath, bool logOn, Clock *clock = nullptr);
    ~AppState() override;

    // Creates and opens the cable named by port ("usb", a device path, "sim:KIND") and
    // the exchange on it. False with *error set when the port text names nothing; a
    // cable that does not open leaves the exchange there but not ready.
    // Unless a remote connection is under way, the BlackBoxes are looked for on the
    // bus that goes with the cable: the simulated one beside the simulator.
    bool connect(const QString &port, ExchangeView &view, QString *error);

    // The BlackBox link (none before the first connect()).
    RemoteLink *remote() const { return remote_.get(); }
    RemoteBus *remoteBus() const { return remoteBus_.get(); }
    // Where the BlackBox link reports to, now and after a new cable.
    void setRemoteView(RemoteView *view);
    // What was last dialled, offered again by the next Connect.
    DialParameters lastDial;
    // The serial number the BlackBox menu item shows, and whether it shows.
    QString blackBoxCaption;
    bool blackBoxShown = false;
    // "Compare of read" is offered from the first remote reading until Disconnect.
    bool compareOffered = false;

    Clock &clock() { return clock_; }
    MessagePresenter &messages() { return messages_; }
    LanguageTable &texts() { return texts_; }
    CommLog &log() { return log_; }
    LinkPort *link() const { return connection_.link(); }
    SimDevice *simDevice() const { return connection_.simDevice(); }
    CommandExchange *exchange() const { return exchange_.get(); }
    // How many times a cable was connected: tells one connection from the next.
    int connections() const { return connections_; }
    // The port text of the last connect(), empty before the first.
    QString port() const { return port_; }
    // Whether the cable opened at connect().
    bool linkReady() const { return linkReady_; }
    Identification &identification() { return identification_; }
    const DeviceInfo &deviceInfo() const { return identification_.deviceInfo(); }
    ParameterSet &parameters() { return parameters_; }
    ParameterStatus &status() { return status_; }
    CommunicatorModel model() const { return identification_.modelFlags().model(); }
    // The model selector: sets the model flags and the new model's lists and defaults.
    void selectModel(CommunicatorModel model);
    // The communicator's parameter image: the one the values were last decoded from
    // (working), and the images before and after a remote reading, which the
    // comparison sets against each other. All three start as the defaults' image.
    QByteArray workingImage;
    QByteArray previousImage;
    QByteArray newImage;
    // Config.ini as read at start-up; written back at exit.
    AppConfig config;
    // The settings file last opened or saved (empty for none).
    QString settingsFilePath;
    // "Save as ..." offers the current file (set by the shutdown's save question).
    bool savePrefill = false;
    // Shows the device data a technician does not normally need; off at start-up.
    bool expertView = false;
    // The system's sound outputs, listed once at start-up (none in tests unless set),
    // and where the previews get their players.
    QStringList soundOutputs;
    AudioPlayerFactory audioPlayers = systemAudioPlayers();

    // Called after a block read from the device has been decoded into the parameters.
    std::function<void()> onParametersRead;
    // Keeps the values just read in the history of readings, named after device (see
    // ReadingHistory); a file that cannot be written is told, the reading stands.
    void keepReading(const QString &device);

    // ExchangeClient
    void identificationReceived(const QByteArray &reply) override;
    void blockRead(const QString &deviceType, const QByteArray &block) override;
    QByteArray blockToWrite(const QString &deviceType) override;

private:
    void createRemoteBus(const QString &port);

    QtClock ownClock_;
    Clock &clock_;
    MessagePresenter &messages_;
    LanguageTable texts_;
    CommLog log_;
    PortConnection connection_;
    std::unique_ptr<RemoteBus> remoteBus_;
    std::unique_ptr<RemoteLink> remote_;
    RemoteView *remoteView_ = nullptr;
    Identification identification_;
    std::unique_ptr<CommandExchange> exchange_;
    ParameterSet parameters_;
    ParameterStatus status_;
    QString port_;
    bool linkReady_ = false;
    int connections_ = 0;
};
