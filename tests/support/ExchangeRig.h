#pragma once

#include "app/LanguageTable.h"
#include "link/SimLink.h"
#include "protocol/CommandExchange.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"
#include "support/RecordingMessagePresenter.h"

#include <QList>
#include <memory>

// What the exchange did to the window.
struct RecordingView : ExchangeView {
    void setExchangeMenusEnabled(bool enabled) override { menusEnabled = enabled; }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgress(int value) override { progress.append(value); }
    void startDevicePoll() override { devicePollRunning = true; }
    void stopDevicePoll() override { devicePollRunning = false; }
    bool menusEnabled = true;
    bool progressVisible = false;
    bool devicePollRunning = true;
    QList<int> progress;
};

struct RecordingClient : ExchangeClient {
    void identificationReceived(const QByteArray &reply) override { identifications.append(reply); }
    void blockRead(const QString &deviceType, const QByteArray &block) override
    {
        blockType = deviceType;
        blocks.append(block);
    }
    QByteArray blockToWrite(const QString &) override { return toWrite; }
    QList<QByteArray> identifications;
    QList<QByteArray> blocks;
    QString blockType;
    QByteArray toWrite;
};

// A simulated device on a simulated cable, an exchange talking to it, and virtual time.
struct ExchangeRig {
    explicit ExchangeRig(SimKind kind, bool polled = true, CommLog *log = nullptr)
        : device(kind), link(clock, device, polled),
          exchange(link, clock, messages, texts, log, view, client)
    {
        link.open();
        exchange.setLinkReady(true);
    }

    // Runs until the exchange is idle again, at most a minute of simulated time.
    bool runToIdle()
    {
        return clock.runUntil([this] { return exchange.isIdle() && !exchange.isActive(); },
                              std::chrono::seconds(60));
    }

    VirtualClock clock;
    SimDevice device;
    SimLink link;
    LanguageTable texts;
    RecordingMessagePresenter messages;
    RecordingView view;
    RecordingClient client;
    CommandExchange exchange;
};
