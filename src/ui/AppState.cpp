#include "ui/AppState.h"

#include "app/MessagePresenter.h"
#include "history/ReadingHistory.h"
#include "link/LinkPort.h"
#include "params/Catalogue.h"
#include "protocol/AlarmImageCodec.h"
#include "protocol/DeviceBlock.h"
#include "remote/RemoteBus.h"
#include "remote/RemoteLink.h"

namespace {

// The defaults' image with the memory marker, as the comparison expects before any
// reading.
QByteArray startingImage(const ParameterSet &set, const ParameterStatus &status, CommunicatorModel model)
{
    constexpr int markerPosition = 16;
    QByteArray image = encodeAlarmImage(set, status, model);
    image[markerPosition - 1] = char(0x55);
    return image;
}

} // namespace

AppState::AppState(MessagePresenter &messages, const QString &logFilePath, bool logOn, Clock *clock)
    : clock_(clock ? *clock : ownClock_),
      messages_(messages),
      log_(logFilePath, &messages),
      connection_(clock_),
      identification_(texts_, &log_)
{
    if (logOn)
        log_.begin(texts_.mainWindowCaption(QStringLiteral(OSTRAKEL_VERSION)));
    applyDefaults(parameters_, status_, model());
    workingImage = startingImage(parameters_, status_, model());
    previousImage = newImage = workingImage;
}

AppState::~AppState()
{
    exchange_.reset();
    remote_.reset();
    QString error;
    if (!connection_.keepSimMemory(&error))
        messages_.showMessage(error);
    if (remoteBus_ && !remoteBus_->keepSimMemory(&error))
        messages_.showMessage(error);
    if (log_.isEnabled())
        log_.stop();
}

bool AppState::connect(const QString &port, ExchangeView &view, QString *error)
{
    ++connections_;
    // What was written to a simulated device stays with it when the cable changes.
    QString memoryError;
    if (!connection_.keepSimMemory(&memoryError))
        messages_.showMessage(memoryError);
    exchange_.reset();
    linkReady_ = false;
    if (!connection_.create(port, error))
        return false;
    port_ = port;
    exchange_ = std::make_unique<CommandExchange>(*connection_.link(), clock_, messages_, texts_, &log_, view, *this);
    linkReady_ = connection_.link()->open();
    exchange_->setLinkReady(linkReady_);
    if (!remote_ || (!remote_->isRemoteMode() && !remote_->isDialling()))
        createRemoteBus(port);
    return true;
}

void AppState::createRemoteBus(const QString &port)
{
    remote_.reset();
    QString error;
    if (remoteBus_ && !remoteBus_->keepSimMemory(&error))
        messages_.showMessage(error);
    remoteBus_.reset();
    if (port.startsWith(QLatin1String("sim:"))) {
        // A communicator of the simulated model waits at the other end of the line.
        const std::optional<SimKind> kind = simKindFromName(port.mid(4));
        const bool communicator = kind == SimKind::TkvC || kind == SimKind::TkvC2 || kind == SimKind::TkvC3;
        remoteBus_ = std::make_unique<RemoteBus>(clock_, communicator ? *kind : SimKind::TkvC);
    } else {
        remoteBus_ = std::make_unique<RemoteBus>();
    }
    remote_ = std::make_unique<RemoteLink>(remoteBus_->api(), clock_, messages_, texts_, &log_, remoteView_);
}

void AppState::setRemoteView(RemoteView *view)
{
    remoteView_ = view;
    if (remote_)
        remote_->setView(view);
}

void AppState::selectModel(CommunicatorModel model)
{
    identification_.modelFlags().select(model);
    changeModel(parameters_, status_, model);
}

void AppState::identificationReceived(const QByteArray &reply)
{
    identification_.parseIdentification(reply);
}

void AppState::blockRead(const QString &deviceType, const QByteArray &block)
{
    const ImageDecodeResult result = decodeParameterBlock(deviceType, block, model(), parameters_, status_);
    if (!result.ok())
        messages_.showMessage(result.message(texts_));
    else
        keepReading(ReadingHistory::localDevice(deviceInfo().serialNumber));
    if (onParametersRead)
        onParametersRead();
}

void AppState::keepReading(const QString &device)
{
    const SettingsFileResult result = ReadingHistory::keep(device, model(), parameters_, texts_);
    if (!result.ok)
        messages_.showMessage(result.message);
}

QByteArray AppState::blockToWrite(const QString &deviceType)
{
    return encodeParameterBlock(deviceType, parameters_, status_, model());
}
