#pragma once

#include "CliOptions.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "app/QtClock.h"
#include "link/LinkPort.h"
#include "link/PortConnection.h"
#include "protocol/CommandExchange.h"
#include "protocol/Identification.h"

#include <QByteArray>
#include <memory>

// Exit statuses of the tool.
enum ExitStatus { ExitDone = 0, ExitDeviceFailed = 1, ExitBadInput = 2 };

// Messages of the engines go to standard error.
class StderrPresenter : public MessagePresenter {
public:
    void showMessage(const QString &text) override;
};

// One cable, one device, the engines between them; progress on standard error.
class CliSession : public ExchangeView, public ExchangeClient {
public:
    // simulatedTime: on the built-in simulator the session runs on simulated time, so
    // that a long transfer takes no longer than the work.
    explicit CliSession(const CliOptions &options, bool simulatedTime = false);
    ~CliSession() override;

    // The cable, as --port or else Config.ini names it.
    const QString &port() const { return port_; }

    // Opens the cable; prints why not and returns false when it cannot.
    bool connect();
    // Finds out what is on the cable: with --model as the window does with that
    // model selected, else by taking the whole reply to "V" (and "v" for a TKV-C3).
    bool identify();
    // Reads or writes the block of the identified device.
    bool readBlock(QByteArray &block);
    bool writeBlock(const QByteArray &block);

    const DeviceInfo &deviceInfo() const { return identification_.deviceInfo(); }
    const ModelFlags &modelFlags() const { return identification_.modelFlags(); }
    // The length of the parameter block of the identified device, 0 when it has none.
    int blockLength() const;
    // What the firmware upgrade works with once the device is identified.
    LinkPort &link() { return *link_; }
    Clock &clock() { return *clock_; }
    MessagePresenter &messages() { return messages_; }
    const LanguageTable &texts() const { return texts_; }
    // The communication log of --log, or none.
    CommLog *commLog() { return log_.get(); }

    // ExchangeView
    void setProgressVisible(bool visible) override;
    void setProgress(int value) override;
    // ExchangeClient
    void identificationReceived(const QByteArray &reply) override;
    void blockRead(const QString &deviceType, const QByteArray &block) override;
    QByteArray blockToWrite(const QString &deviceType) override;

private:
    bool createLink();
    bool identifyAsWindow(CommunicatorModel model);
    bool identifyByWholeReply();
    bool runUntilIdle();

    CliOptions options_;
    QString port_;
    std::unique_ptr<Clock> clock_;
    StderrPresenter messages_;
    LanguageTable texts_;
    std::unique_ptr<CommLog> log_;
    PortConnection connection_;
    LinkPort *link_ = nullptr;
    Identification identification_;
    std::unique_ptr<CommandExchange> exchange_;
    QByteArray lastBlock_;
    QByteArray blockToWrite_;
    bool progressShown_ = false;
    QString progressLabel_;
};
