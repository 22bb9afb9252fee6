#include "CliSession.h"

#include "CliOutput.h"

#include "link/ComLink.h"
#include "protocol/DeviceBlock.h"
#include "protocol/WholeReply.h"
#include "sim/VirtualClock.h"

#include <cstdio>
#include <unistd.h>

void StderrPresenter::showMessage(const QString &text)
{
    printError(text);
}

namespace {

std::unique_ptr<Clock> sessionClock(const QString &port, bool simulatedTime)
{
    if (simulatedTime && port.startsWith(QLatin1String("sim:")))
        return std::make_unique<VirtualClock>();
    return std::make_unique<QtClock>();
}

}  // namespace

CliSession::CliSession(const CliOptions &options, bool simulatedTime)
    : options_(options),
      port_(options.port.isEmpty() ? configuredPort(QStringLiteral("TKV-C2")) : options.port),
      clock_(sessionClock(port_, simulatedTime)),
      log_(options.logFile.isEmpty() ? nullptr : std::make_unique<CommLog>(options.logFile, &messages_)),
      connection_(*clock_),
      identification_(texts_, log_.get())
{
    if (log_)
        log_->begin(texts_.text(QStringLiteral("Info"), 1));
}

CliSession::~CliSession()
{
    exchange_.reset();
    QString error;
    if (!connection_.keepSimMemory(&error))
        printError(error);
    if (log_ && log_->isEnabled())
        log_->stop();
}

bool CliSession::createLink()
{
    QString error;
    if (!connection_.create(port_, &error)) {
        printError(error);
        return false;
    }
    link_ = connection_.link();
    return true;
}

bool CliSession::connect()
{
    if (!createLink())
        return false;
    if (!link_->open()) {
        if (link_->kind() == LinkKind::UsbCable)
            printError(texts_.text(QStringLiteral("Communication"), 12));
        else if (auto *com = dynamic_cast<ComLink *>(link_))
            printError(texts_.text(QStringLiteral("Communication"), 13) + QStringLiteral(": ") + com->lastError());
        else
            printError(texts_.text(QStringLiteral("Communication"), 13));
        return false;
    }
    exchange_ = std::make_unique<CommandExchange>(*link_, *clock_, messages_, texts_, log_.get(), *this, *this);
    exchange_->setLinkReady(true);
    return true;
}

bool CliSession::runUntilIdle()
{
    while (!exchange_->isIdle() || exchange_->isActive())
        clock_->wait(Millis(5));
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
    QByteArray reply = takeWholeReply(*link_, *clock_, 'V', CommandExchange::usbTimeout);
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
    reply = takeWholeReply(*link_, *clock_, 'v', CommandExchange::usbTimeout);
    if (reply.size() != 34) {
        messages_.showMessage(QStringLiteral("Unexpected TKV-C3 identification reply of %1 bytes").arg(reply.size()));
        return false;
    }
    identification_.parseIdentification(reply);
    return true;
}

int CliSession::blockLength() const
{
    return parameterBlockLength(deviceInfo().deviceType);
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
