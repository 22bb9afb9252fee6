#pragma once

#include "support/RecordingMessagePresenter.h"

#include "params/Catalogue.h"
#include "protocol/CommandExchange.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"
#include "ui/AppState.h"
#include "ui/DevicePanel.h"
#include "ui/MainWindow.h"
#include "ui/ParameterPages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A main window over a state of its own, on simulated time, with the program folder
// in a temporary folder so that neither the log nor the simulator's memory touch the
// build tree. The device poll's timer is stopped: tests run its ticks themselves.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedHome_ = qgetenv("OSTRAKEL_HOME");
        qputenv("OSTRAKEL_HOME", home_.path().toUtf8());
        state_ = std::make_unique<AppState>(messages_, home_.filePath(QStringLiteral("log.txt")), false, &clock_);
        window_ = std::make_unique<MainWindow>(*state_);
        window_->stopDevicePoll();
    }
    void TearDown() override
    {
        window_.reset();
        state_.reset();
        if (savedHome_.isNull())
            qunsetenv("OSTRAKEL_HOME");
        else
            qputenv("OSTRAKEL_HOME", savedHome_);
    }

    void selectModel(CommunicatorModel model) { Q_EMIT window_->devicePanel()->modelSelected(model); }
    ParameterEditor &editor(const char *id)
    {
        ParameterEditor *found = window_->pages()->editor(QString::fromLatin1(id));
        EXPECT_NE(found, nullptr) << id;
        return *found;
    }
    // Connects the window to a simulated device ("TKV-C3", "Option", ...).
    SimDevice &connectSimulator(const char *kind)
    {
        QString error;
        EXPECT_TRUE(state_->connect(QStringLiteral("sim:") + QLatin1String(kind), *window_, &error))
            << error.toStdString();
        return *state_->simDevice();
    }
    // Runs simulated time until the exchange has finished (at most a minute).
    bool runUntilIdle()
    {
        return clock_.runUntil([&] { return state_->exchange()->isIdle() && !state_->exchange()->isActive(); },
                               std::chrono::seconds(60));
    }
    // Device-poll ticks, each with its identification answered, until the device's
    // type is known and the window has followed it.
    bool identify()
    {
        for (int tick = 0; tick < 4; ++tick) {
            window_->pollDevice();
            if (!runUntilIdle())
                return false;
        }
        window_->pollDevice();
        return runUntilIdle() && !state_->deviceInfo().deviceType.isEmpty();
    }

    QTemporaryDir home_;
    QByteArray savedHome_;
    VirtualClock clock_;
    RecordingMessagePresenter messages_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<MainWindow> window_;
};
