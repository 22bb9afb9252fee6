#include "CliSession.h"

#include "CliOutput.h"

#include "app/AppConfig.h"
#include "app/ProgramFolder.h"
#include "link/ComLink.h"
#include "link/ComPort.h"
#include "link/LibFtdiApi.h"
#include "link/SerialPortList.h"
#include "link/SimLink.h"
#include "link/UsbCable.h"
#include "protocol/WholeReply.h"
#include "sim/SimDevice.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <unistd.h>

namespace {

// Without --port: the cable the program was last set to, else the simulator.
QString configuredPort()
{
    const QString folder = ProgramFolder::path();
    if (!QFile::exists(AppConfig::filePath(folder)))
        return QStringLiteral("sim:TKV-C2");
    AppConfig config;
    config.load(folder);
    if (config.usb == 1)
        return QStringLiteral("usb");
    if (!config.comPath.isEmpty())
        return config.comPath;
    if (config.com > 0) {
        const QString path = SerialPortList().devicePathOf(config.com);
        if (!path.isEmpty())
            return path;
    }
    return QStringLiteral("sim:") + (config.sim.isEmpty() ? QStringLiteral("TKV-C2") : config.sim);
}

} // namespace

void StderrPresenter::showMessage(const QString &text)
{
    printError(text);
}

CliSession::CliSession(const CliOptions &options)
    : options_(options),
      log_(options.logFile.isEmpty() ? nullptr : std::make_unique<CommLog>(options.logFile, &messages_)),
      identification_(texts_, log_.get())
{
    if (log_)
        log_->begin(texts_.text(QStringLiteral("Info"), 1));
}

CliSession::~CliSession()
{
    exchange_.reset();
    if (simDevice_ && simDevice_->memory() != simMemoryAtStart_) {
        QSaveFile stored(simMemoryPath_);
        if (!stored.open(QIODevice::WriteOnly) || stored.write(simDevice_->memory()) != simDevice_->memory().size()
            || !stored.commit())
            printError(QStringLiteral("cannot keep the simulated device's memory in %1: %2")
                           .arg(simMemoryPath_, stored.errorString()));
    }
    if (log_ && log_->isEnabled())
        log_->stop();
}

bool CliSession::createLink()
{
    const QString port = options_.port.isEmpty() ? configuredPort() : options_.port;
    if (port.startsWith(QLatin1String("sim:"))) {
        const auto kind = simKindFromName(port.mid(4));
        if (!kind) {
            printError(QStringLiteral("unknown simulated device \"%1\" in the configured cable").arg(port.mid(4)));
            return false;
        }
        simDevice_ = std::make_unique<SimDevice>(*kind);
        // The simulated device keeps its memory from one run of the tool to the next.
        simMemoryPath_ = ProgramFolder::path() + QStringLiteral("Simulator-%1.bin").arg(simKindName(*kind));
        QFile stored(simMemoryPath_);
        if (stored.open(QIODevice::ReadOnly)) {
            const QByteArray memory = stored.readAll();
            if (memory.size() == simDevice_->memory().size())
                simDevice_->setMemory(memory);
        }
        simMemoryAtStart_ = simDevice_->memory();
        link_ = std::make_unique<SimLink>(clock_, *simDevice_, true);
    } else if (port == QLatin1String("usb")) {
        ftdi_ = std::make_unique<LibFtdiApi>();
        link_ = std::make_unique<UsbCable>(*ftdi_, clock_);
    } else {
        comPort_ = std::make_unique<ComPort>();
        comPort_->setComNumber(0, port);
        link_ = std::make_unique<ComLink>(*comPort_);
    }
    return true;
}

bool CliSession::connect()
{
    if (!createLink())
        return false;
    if (!link_->open()) {
        if (link_->kind() == LinkKind::UsbCable)
            printError(texts_.text(QStringLiteral("Communication"), 12));
        else if (auto *com = dynamic_cast<ComLink *>(link_.get()))
            printError(texts_.text(QStringLiteral("Communication"), 13) + QStringLiteral(": ") + com->lastError());
        else
            printError(texts_.text(QStringLiteral("Communication"), 13));
        return false;
    }
    exchange_ = std::make_unique<CommandExchange>(*link_, clock_, messages_, texts_, log_.get(), *this, *this);
    exchange_->setLinkReady(true);
    return true;
}

bool CliSession::runUntilIdle()
{
    while (!exchange_->isIdle() || exchange_->isActive())
        clock_.wait(Millis(5));
    if (exchange_->lastResult() == ExchangeResult::Completed)
        return true;
    if (!link_->isOpen())
        printError(QStringLiteral("the connection to the device was lost"));
    return false;
}

bool CliSession::identify()
{
    const bool identified = options_.model ? identifyAsWindow(*options_.model) : identifyByWholeReply();
    if (!identified)
        return false;
    if (deviceInfo().deviceType.isEmpty()) {
        printError(QStringLiteral("the device's identification could not be understood"));
        return false;
    }
    identification_.logConnectionSummary();
    return true;
}

bool CliSession::identifyAsWindow(CommunicatorModel model)
{
    identification_.modelFlags().select(model);
    // A reply that switches the model (a TKV-C3 answering "V") is followed by the
    // request of the new model, as the next device poll would send it.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const CommunicatorModel before = modelFlags().model();
        if (!exchange_->requestIdentification(modelFlags()) || !runUntilIdle())
            return false;
        if (modelFlags().model() == before || !modelFlags().tkvC3)
            return true;
    }
    return true;
}

bool CliSession::identifyByWholeReply()
{
    QByteArray reply = takeWholeReply(*link_, clock_, 'V', CommandExchange::usbTimeout);
    if (reply.size() != 13 && reply.size() != 19) {
        messages_.showMessage(reply.isEmpty() ? texts_.text(QStringLiteral("Message"), 9)
                                              : QStringLiteral("Unexpected identification reply of %1 bytes")
                                                    .arg(reply.size()));
        return false;
    }
    identification_.modelFlags().select(reply.size() == 19 ? CommunicatorModel::TkvC2 : CommunicatorModel::TkvC);
    identification_.parseIdentification(reply);
    if (!modelFlags().tkvC3)
        return true;
    reply = takeWholeReply(*link_, clock_, 'v', CommandExchange::usbTimeout);
    if (reply.size() != 34) {
        messages_.showMessage(QStringLiteral("Unexpected TKV-C3 identification reply of %1 bytes").arg(reply.size()));
        return false;
    }
    identification_.parseIdentification(reply);
    return true;
}

int CliSession::blockLength() const
{
    const QString &type = deviceInfo().deviceType;
    if (type == QLatin1String("Alarm"))
        return 256;
    if (type == QLatin1String("Option"))
        return 23;
    if (type == QLatin1String("Switch"))
        return 8;
    return 0;
}

bool CliSession::readBlock(QByteArray &block)
{
    progressLabel_ = QStringLiteral("Reading");
    lastBlock_.clear();
    exchange_->readParameters(deviceInfo().deviceType);
    if (!runUntilIdle())
        return false;
    block = lastBlock_;
    return true;
}

bool CliSession::writeBlock(const QByteArray &block)
{
    progressLabel_ = QStringLiteral("Writing");
    blockToWrite_ = block;
    exchange_->writeParameters(deviceInfo().deviceType);
    return runUntilIdle();
}

void CliSession::setProgressVisible(bool visible)
{
    if (!visible && progressShown_) {
        std::fputc('\n', stderr);
        progressShown_ = false;
    }
}

void CliSession::setProgress(int value)
{
    if (!isatty(STDERR_FILENO) || progressLabel_.isEmpty() || value <= 1)
        return;
    constexpr int width = 40;
    const int filled = std::min(value, 100) * width / 100;
    std::fprintf(stderr, "\r%s [%s%s] %3d%%", qPrintable(progressLabel_), QByteArray(filled, '#').constData(),
                 QByteArray(width - filled, ' ').constData(), std::min(value, 100));
    std::fflush(stderr);
    progressShown_ = true;
}

void CliSession::identificationReceived(const QByteArray &reply)
{
    identification_.parseIdentification(reply);
}

void CliSession::blockRead(const QString &, const QByteArray &block)
{
    lastBlock_ = block;
}

QByteArray CliSession::blockToWrite(const QString &)
{
    return blockToWrite_;
}
