// The main window's voice and audio commands: the voice messages of a TKV-C3 or a
// voice module, the older voice module's window, the tone samples.

#include "ui/MainWindow.h"

#include "ui/AppState.h"
#include "ui/LegacyTalkerDialog.h"
#include "ui/ToneSamplesDialog.h"
#include "ui/VoiceMessagesDialog.h"

#include "app/MessagePresenter.h"
#include "protocol/CommandExchange.h"

#include <QAction>

namespace {

const QString talkerType = QStringLiteral("Talker");

}  // namespace

// A TKV-C3 keeps voice messages of its own; the older communicators do not.
bool MainWindow::voiceUploadPossible() const
{
    return state_.linkReady() && state_.deviceInfo().deviceType == QLatin1String("Alarm")
           && state_.model() == CommunicatorModel::TkvC3;
}

void MainWindow::waitForExchangeIdle()
{
    state_.clock().wait(Millis(50));
    const Nanos start = state_.clock().now();
    while (CommandExchange *exchange = state_.exchange()) {
        if (exchange->isIdle() && !exchange->isActive())
            break;
        if (state_.clock().now() - start > CommandExchange::comTimeout)
            break;
        state_.clock().wait(Millis(10));
    }
}

void MainWindow::runVoiceWindow(QDialog &dialog)
{
    execDialog(dialog);
    setShellMenusEnabled(true);
    startDevicePoll();
}

void MainWindow::openVoiceMessages()
{
    if (!voiceUploadPossible() || !state_.link())
        return;
    stopDevicePoll();
    waitForExchangeIdle();
    VoiceMessagesDialog dialog(state_, VoiceDevice::Communicator, this);
    runVoiceWindow(dialog);
}

void MainWindow::openTalker()
{
    if (!state_.link() || !state_.linkReady() || state_.deviceInfo().deviceType != talkerType)
        return;
    stopDevicePoll();
    waitForExchangeIdle();
    if (state_.model() != CommunicatorModel::TkvC) {
        VoiceMessagesDialog dialog(state_, VoiceDevice::Module, this);
        runVoiceWindow(dialog);
    } else {
        LegacyTalkerDialog dialog(state_, this);
        runVoiceWindow(dialog);
    }
}

void MainWindow::openToneSamples()
{
    if (state_.soundOutputs.isEmpty()) {
        state_.messages().showMessage(state_.texts().text(QStringLiteral("Message"), 54));
        return;
    }
    ToneSamplesDialog dialog(state_, this);
    execDialog(dialog);
}
