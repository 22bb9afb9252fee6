// The main window's remote programming: the Remote menu, the BlackBox and connection
// items, and the link's reports, which go on to the connect window while it is open.

#include "ui/MainWindow.h"

#include "ui/AppState.h"
#include "ui/BusyCursor.h"
#include "ui/ConnectDialog.h"
#include "ui/DevicePanel.h"
#include "ui/InfoWindow.h"
#include "ui/ParameterPages.h"
#include "ui/RemoteReadDialog.h"
#include "ui/RemoteWriteDialog.h"

#include "history/ReadingHistory.h"
#include "remote/RemoteLink.h"
#include "remote/RemoteReport.h"

#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QTime>

namespace {

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

void MainWindow::buildRemoteMenus()
{
    remoteConnectAction_ = remoteMenu_->addAction(menuText(60), this, &MainWindow::connectRemote);
    remoteReadAction_ = remoteMenu_->addAction(menuText(61), this, &MainWindow::readRemote);
    remoteWriteAction_ = remoteMenu_->addAction(menuText(62), this, &MainWindow::writeRemote);
    remoteDisconnectAction_ = remoteMenu_->addAction(menuText(63), this, &MainWindow::disconnectRemote);
    compareAction_ = remoteMenu_->addAction(menuText(66), this, &MainWindow::openComparison);

    // The BlackBox item, captioned with its serial number: how long the line is up.
    blackBoxMenu_ = menuBar()->addMenu(QString());
    connectionTimeAction_ = blackBoxMenu_->addAction(menuText(65) + QStringLiteral(": "));
    connect(blackBoxMenu_, &QMenu::aboutToShow, this, [this] {
        const RemoteLink *remote = state_.remote();
        if (!remote || !remote->isRemoteMode())
            return;
        const qint64 seconds =
            std::chrono::duration_cast<std::chrono::seconds>(state_.clock().now() - remote->connectionStart()).count();
        connectionTimeAction_->setText(menuText(65) + QStringLiteral(":  ") + twoDigits(seconds / 3600 % 24) + u':'
                                       + twoDigits(seconds / 60 % 60) + u':' + twoDigits(seconds % 60));
    });

    // The "Connect" item while connected: how many keep-alive cycles have passed.
    connectedMenu_ = menuBar()->addMenu(state_.texts().text(QStringLiteral("Remote"), 46));
    repeatsAction_ = connectedMenu_->addAction(QString());
    const auto showRepeats = [this] {
        const RemoteLink *remote = state_.remote();
        repeatsAction_->setText(state_.texts().text(QStringLiteral("Remote"), 34) + u' '
                                + QString::number(remote ? remote->keepAliveCycles() : 0));
    };
    showRepeats();
    connect(connectedMenu_, &QMenu::aboutToShow, this, showRepeats);
    connect(repeatsAction_, &QAction::triggered, this, showRepeats);
    refreshRemoteMenus();
}

// What the Remote menu offers follows the connection: Connect without one; Read,
// Write and Disconnect with one; Compare from the first remote reading on.
void MainWindow::refreshRemoteMenus()
{
    const RemoteLink *remote = state_.remote();
    const bool connected = remote && remote->isRemoteMode();
    remoteConnectAction_->setEnabled(remote && !connected);
    for (QAction *action : {remoteReadAction_, remoteWriteAction_, remoteDisconnectAction_})
        action->setEnabled(connected);
    compareAction_->setEnabled(state_.compareOffered);
    blackBoxMenu_->setTitle(state_.blackBoxCaption);
    blackBoxMenu_->menuAction()->setVisible(state_.blackBoxShown);
    connectedMenu_->menuAction()->setVisible(connected);
    // The remote programming has no TKV-C3 support.
    remoteMenu_->setEnabled(state_.model() != CommunicatorModel::TkvC3);
}

int MainWindow::execDialog(QDialog &dialog)
{
    return runDialog ? runDialog(dialog) : dialog.exec();
}

void MainWindow::connectRemote()
{
    RemoteLink *remote = state_.remote();
    if (!remote || !remote->beginConnect())
        return;
    focusStatusBar();
    pages_->store();
    ConnectDialog dialog(*remote, state_.texts(), state_.messages(), this);
    dialog.prepare(state_.parameters().value(QStringLiteral("servicePassword")).text, state_.blackBoxCaption);
    dialog.setDialFields(state_.lastDial);
    connectDialog_ = &dialog;
    execDialog(dialog);
    connectDialog_ = nullptr;
    state_.lastDial = dialog.dialParameters();
    remote->finishConnectDialog();
    refreshRemoteMenus();
}

// Read and write need the connection and the values as the pages show them.
bool MainWindow::readyForRemoteJob()
{
    const RemoteLink *remote = state_.remote();
    if (!remote || !remote->isRemoteMode())
        return false;
    focusStatusBar();
    pages_->store();
    return true;
}

void MainWindow::readRemote()
{
    if (!readyForRemoteJob())
        return;
    RemoteReadDialog dialog(state_, RemoteReport::fileStamp(QDateTime::currentDateTime()), this);
    connect(&dialog, &RemoteReadDialog::readingStarted, this, [this] {
        state_.compareOffered = true;
        compareAction_->setEnabled(true);
    });
    connect(&dialog, &RemoteReadDialog::valuesRead, this, [this] {
        refreshPages();
        refreshStatusLamps();
    });
    connect(&dialog, &RemoteReadDialog::readingFinished, this,
            [this] { state_.keepReading(ReadingHistory::remoteDevice(state_.lastDial)); });
    execDialog(dialog);
    refreshRemoteMenus();
}

void MainWindow::writeRemote()
{
    if (!readyForRemoteJob())
        return;
    RemoteWriteDialog dialog(state_, RemoteReport::fileStamp(QDateTime::currentDateTime()), this);
    execDialog(dialog);
    refreshRemoteMenus();
}

void MainWindow::disconnectRemote()
{
    if (RemoteLink *remote = state_.remote()) {
        const BusyCursor busy;
        remote->requestCancel();
    }
    refreshRemoteMenus();
}

void MainWindow::hangUpOnExit()
{
    RemoteLink *remote = state_.remote();
    if (!remote || !remote->isRemoteMode())
        return;
    InfoWindow info(state_.texts(), this);
    info.show();
    info.repaint();
    remote->hangUpOnExit();
    info.close();
}

void MainWindow::showDialStep(int step)
{
    if (connectDialog_)
        connectDialog_->showDialStep(step);
}

void MainWindow::setDialStatus(DialStatus status)
{
    if (connectDialog_)
        connectDialog_->setDialStatus(status);
}

void MainWindow::setDialStatusText(const QString &text)
{
    if (connectDialog_)
        connectDialog_->setDialStatusText(text);
}

void MainWindow::traceReply(const QByteArray &reply, const QByteArray &command)
{
    if (connectDialog_)
        connectDialog_->traceReply(reply, command);
}

void MainWindow::setBlackBoxCaption(const QString &serial)
{
    state_.blackBoxCaption = serial;
    refreshRemoteMenus();
}

void MainWindow::blackBoxSelected(const QString &serial)
{
    state_.blackBoxCaption = serial;
    state_.blackBoxShown = true;
    refreshRemoteMenus();
}

void MainWindow::connectAbandoned()
{
    state_.blackBoxShown = false;
    refreshRemoteMenus();
    if (connectDialog_)
        connectDialog_->connectAbandoned();
}

// Only the remote link drives a USB device now: the device poll stops, and the
// local device commands wait for the end of the connection.
void MainWindow::remoteConnected()
{
    stopDevicePoll();
    setDeviceCommandsEnabled(false, false);
    devicePanel_->setConnectGroupVisible(false);
    refreshStatus();
    refreshRemoteMenus();
    if (connectDialog_)
        connectDialog_->remoteConnected();
}

void MainWindow::remoteDisconnected()
{
    state_.blackBoxShown = false;
    state_.compareOffered = false;
    devicePanel_->setConnectGroupVisible(true);
    refreshStatus();
    refreshRemoteMenus();
    startDevicePoll();
}
