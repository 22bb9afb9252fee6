#include "ui/MainWindow.h"

#include "ui/AboutDialog.h"
#include "ui/AppState.h"
#include "ui/CableSelectionDialog.h"
#include "ui/DeviceDataPage.h"
#include "ui/DevicePanel.h"
#include "ui/PageExtras.h"
#include "ui/PageTree.h"
#include "ui/ParameterPages.h"

#include "app/MessagePresenter.h"
#include "link/ComLink.h"
#include "link/ComPort.h"
#include "link/UsbCable.h"
#include "params/Catalogue.h"
#include "protocol/DeviceBlock.h"
#include "remote/RemoteLink.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The feature bits the pages follow: the TKV-C3's own once its configuration block
// was seen, else every feature, so that a model picked by hand shows all its rows.
int c3FeaturesOf(const DeviceInfo &info)
{
    return info.modelCode == 255 ? C3Feature::All : info.featureFlags;
}

const QString talkerType = QStringLiteral("Talker");

} // namespace

MainWindow::MainWindow(AppState &state, QWidget *parent)
    : QMainWindow(parent), state_(state), pollTimer_(new QTimer(this))
{
    setWindowTitle(state_.texts().mainWindowCaption(programVersion()));
    setMinimumSize(660, 570);

    buildDialogs();
    buildContextMenu();
    buildMenus();
    buildStatusBar();
    buildCentral();
    connectState();

    applyModel();
    pageTree_->setCurrentItem(pageTree_->node(0));

    pollTimer_->setTimerType(Qt::PreciseTimer);
    pollTimer_->setInterval(firstPollDelayMs);
    connect(pollTimer_, &QTimer::timeout, this, &MainWindow::pollDevice);
    pollTimer_->start();
}

// The tree, the pages, the side panel and the progress bar: built again whenever the
// language changes, so that every text comes from the new table.
void MainWindow::buildCentral()
{
    const QByteArray splitterState = splitter_ ? splitter_->saveState() : QByteArray();
    pageTree_ = new PageTree(state_.texts());
    pages_ = new ParameterPages(state_.texts(), state_.parameters());
    extras_ = new PageExtras(*pages_, state_.texts(), state_.parameters());
    deviceData_ = new DeviceDataPage(*pages_->pageLayout(ParameterPages::deviceDataPage), state_.texts(), pages_);
    devicePanel_ = new DevicePanel(state_.texts());
    pageTitle_ = new QLabel;
    progress_ = new QProgressBar;

    splitter_ = new QSplitter;
    splitter_->addWidget(pageTree_);
    splitter_->addWidget(buildPageColumn());
    splitter_->addWidget(devicePanel_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setStretchFactor(2, 0);
    splitter_->setCollapsible(1, false);
    // The pages get the room: the tree and the side panel only what they need.
    splitter_->setSizes({140, 360, 150});
    if (!splitterState.isEmpty())
        splitter_->restoreState(splitterState);

    auto *central = new QWidget;
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->addWidget(splitter_, 1);
    progress_->setRange(0, 100);
    progress_->hide();
    centralLayout->addWidget(progress_);
    setCentralWidget(central);

    for (QWidget *widget : std::initializer_list<QWidget *>{pageTree_, devicePanel_}) {
        widget->setContextMenuPolicy(Qt::ActionsContextMenu);
        widget->addActions({deleteServiceTimeAction_, deleteResetsAction_, defaultValueAction_});
    }
    connectWidgets();
    showExpertMark(*devicePanel_->serialNumber(), state_.expertView);
}

// The windows the menus open; made again with the texts of a new language.
void MainWindow::buildDialogs()
{
    delete cableDialog_;
    cableDialog_ = new CableSelectionDialog(state_, *this, this);
    connect(cableDialog_, &CableSelectionDialog::linkChanged, this, &MainWindow::refreshStatus);
    delete aboutDialog_;
    aboutDialog_ = new AboutDialog(state_, [this](bool on) { setExpertView(on); }, this);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (onClose && !onClose())
        event->ignore();
    else
        event->accept();
}

MainWindow::~MainWindow()
{
    // Closing the window as it goes moves the focus out of the field being edited;
    // its rule must not come back to a window that is half destroyed.
    pages_->onRefused = nullptr;
    state_.identification().setView(nullptr);
    state_.setRemoteView(nullptr);
    state_.identification().onModelChange = nullptr;
    state_.onParametersRead = nullptr;
}

QWidget *MainWindow::buildPageColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QFont titleFont = pageTitle_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    pageTitle_->setFont(titleFont);
    layout->addWidget(pageTitle_);
    layout->addWidget(pages_, 1);
    return column;
}

void MainWindow::connectWidgets()
{
    connect(pageTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            showNode(item->data(0, Qt::UserRole).toInt());
    });
    connect(devicePanel_, &DevicePanel::modelSelected, this, &MainWindow::selectModel);
    connect(devicePanel_, &DevicePanel::serviceLampToggled, this, &MainWindow::toggleServiceStatus);
    connect(devicePanel_, &DevicePanel::alarmLampToggled, this, &MainWindow::toggleAlarmStatus);
    connect(extras_, &PageExtras::ioLampDoubleClicked, this, &MainWindow::toggleAlarmStatus);
    connect(extras_, &PageExtras::moreClicked, this, [this] { pageTree_->setCurrentItem(pageTree_->node(13)); });
    pages_->onRefused = [this](ParameterEditor &editor, const FieldCheck &check) { fieldRefused(editor, check); };
}

void MainWindow::connectState()
{
    state_.identification().setView(this);
    state_.setRemoteView(this);
    state_.identification().onModelChange = [this](CommunicatorModel model) {
        changeModel(state_.parameters(), state_.status(), model);
        applyModel();
    };
    state_.onParametersRead = [this] {
        refreshPages();
        refreshStatusLamps();
    };
}

void MainWindow::selectModel(CommunicatorModel model)
{
    state_.selectModel(model);
    applyModel();
}

QString MainWindow::menuText(int key) const
{
    return state_.texts().text(QStringLiteral("Menu"), key);
}

bool MainWindow::isPolling() const
{
    return pollTimer_->isActive();
}

// Fits the pages, the tree and the panel to the model and the TKV-C3's features.
void MainWindow::applyModel()
{
    const CommunicatorModel model = state_.model();
    const DeviceInfo &info = state_.deviceInfo();
    const int features = c3FeaturesOf(info);
    shownModel_ = model;
    shownFeatures_ = features;
    shownModelCode_ = info.modelCode;
    pages_->setModel(model, features);
    pages_->load();
    extras_->setModel(model, info);
    deviceData_->show(info, state_.expertView);
    pageTree_->setModel(model, features & C3Feature::ExternalPower);
    devicePanel_->refresh(info, model);
    refreshRemoteMenus();
    showNode(currentNode_);
}

void MainWindow::refreshPages()
{
    pages_->load();
    extras_->valuesChanged();
}

void MainWindow::showNode(int node)
{
    currentNode_ = node;
    const int page = pageOfNode(node, state_.model());
    if (page == ParameterPages::deviceDataPage)
        deviceData_->show(state_.deviceInfo(), state_.expertView);
    pages_->setCurrentIndex(page);
    pageTitle_->setText(pageTree_->node(node)->text(0));
}

void MainWindow::setExpertView(bool on)
{
    state_.expertView = on;
    deviceData_->show(state_.deviceInfo(), on);
    showExpertMark(*devicePanel_->serialNumber(), on);
}

void MainWindow::refreshStatus()
{
    const LinkPort *link = state_.link();
    QString linkText;
    if (const auto *usb = dynamic_cast<const UsbCable *>(link))
        linkText = menuText(33) + QStringLiteral(": ") + usb->statusText();
    else if (const auto *com = dynamic_cast<const ComLink *>(link); com && com->port().comNumber() > 0)
        linkText = QStringLiteral("COM%1: ").arg(com->port().comNumber())
                   + (state_.linkReady() ? QStringLiteral("OK") : QStringLiteral("---"));
    else if (link && link->kind() == LinkKind::Simulator)
        linkText = state_.texts().text(QStringLiteral("Extensions"), 12);
    statusPanels_[0]->setText(linkText);
    statusPanels_[1]->setText(menuText(32) + QStringLiteral(": ") + state_.deviceInfo().version);
    statusPanels_[2]->setText(menuText(28) + QStringLiteral(": ") + QFileInfo(state_.settingsFilePath).fileName());
    statusPanels_[3]->setText(menuText(29) + QStringLiteral(": ") + state_.deviceInfo().resetCount);
    statusPanels_[4]->setText(menuText(state_.remote() && state_.remote()->isRemoteMode() ? 31 : 30));
    // A new cable brings the BlackBox bus that goes with it.
    if (remoteConnectAction_)
        refreshRemoteMenus();
}

void MainWindow::refreshStatusLamps()
{
    devicePanel_->showStatus(state_.status(), state_.model());
}

void MainWindow::paintLampsNeutral()
{
    devicePanel_->paintLampsNeutral();
    extras_->paintLampsNeutral();
}

bool MainWindow::talkerOnUsbCable() const
{
    const LinkPort *link = state_.link();
    return link && link->isPolled() && state_.linkReady() && state_.deviceInfo().deviceType == talkerType;
}

void MainWindow::pollDevice()
{
    refreshStatus();
    // The voice module has its own window and nothing else to offer: the window opens
    // by itself once the module answers. Once closed, it opens again from the
    // "Talker" item, and the menus (and another cable) are within reach.
    if (!talkerOnUsbCable())
        talkerWindowConnection_ = -1;
    if (talkerOnUsbCable() && talkerWindowConnection_ != state_.connections()) {
        talkerWindowConnection_ = state_.connections();
        paintLampsNeutral();
        setShellMenusEnabled(false);
        setDeviceCommandsEnabled(false, false);
        stopDevicePoll();
        talkerAction_->setVisible(true);
        if (state_.log().isEnabled() && !state_.deviceInfo().deviceType.isEmpty())
            state_.identification().logConnectionSummary();
        talkerAction_->trigger();
        return;
    }
    setShellMenusEnabled(true);
    talkerAction_->setVisible(talkerOnUsbCable());

    const QString &type = state_.deviceInfo().deviceType;
    const bool readable = deviceReadable();
    setDeviceCommandsEnabled(readable, readable && type == QLatin1String("Alarm"));

    CommandExchange *exchange = state_.exchange();
    if (exchange && exchange->isIdle() && state_.linkReady()) {
        const bool sent = exchange->requestIdentification(state_.identification().modelFlags());
        if (!sent && state_.link()->kind() == LinkKind::ComPort)
            return;
    }

    refreshStatus();
    const DeviceInfo &info = state_.deviceInfo();
    devicePanel_->refresh(info, state_.model());
    if (readable)
        extras_->showIoLamps(info);
    else
        paintLampsNeutral();
    if (state_.model() != shownModel_ || c3FeaturesOf(info) != shownFeatures_ || info.modelCode != shownModelCode_)
        applyModel();
    state_.identification().finishDevicePoll();
    pollTimer_->setInterval(pollIntervalMs);
}

void MainWindow::setShellMenusEnabled(bool enabled)
{
    for (QMenu *menu : {fileMenu_, deviceMenu_, optionMenu_, helpMenu_})
        menu->setEnabled(enabled);
    remoteMenu_->setEnabled(enabled && state_.model() != CommunicatorModel::TkvC3);
}

void MainWindow::setDeviceCommandsEnabled(bool readable, bool alarm)
{
    readAction_->setEnabled(readable);
    writeAction_->setEnabled(readable);
    firmwareAction_->setEnabled(readable);
    voiceAction_->setEnabled(readable && voiceUploadPossible());
    defaultValueAction_->setEnabled(readable);
    deleteServiceTimeAction_->setEnabled(alarm);
    deleteResetsAction_->setEnabled(alarm);
}

void MainWindow::toggleServiceStatus()
{
    ParameterStatus &status = state_.status();
    status.serviceRedialActive = !status.serviceRedialActive;
    refreshStatusLamps();
}

void MainWindow::toggleAlarmStatus()
{
    if (state_.model() == CommunicatorModel::TkvC)
        return;
    ParameterStatus &status = state_.status();
    status.alarmActive = !status.alarmActive;
    refreshStatusLamps();
}

bool MainWindow::deviceReadable() const
{
    return state_.linkReady() && hasParameterBlock(state_.deviceInfo().deviceType);
}

// The end of an exchange offers reading and writing only where the device allows it;
// an identification that went unanswered does not.
void MainWindow::setExchangeMenusEnabled(bool enabled)
{
    readAction_->setEnabled(enabled && deviceReadable());
    writeAction_->setEnabled(enabled && deviceReadable());
    if (firmwareAction_)
        firmwareAction_->setEnabled(enabled && deviceReadable());
    if (voiceAction_)
        voiceAction_->setEnabled(enabled && deviceReadable() && voiceUploadPossible());
}

void MainWindow::setProgressVisible(bool visible)
{
    progress_->setVisible(visible);
}

void MainWindow::setProgress(int value)
{
    progress_->setValue(std::min(value, 100));
}

void MainWindow::focusStatusBar()
{
    statusBar()->setFocus();
}

void MainWindow::startDevicePoll()
{
    // While a remote connection is on, only the remote link drives a USB device.
    if (state_.remote() && state_.remote()->isRemoteMode())
        return;
    pollTimer_->start();
}

void MainWindow::stopDevicePoll()
{
    pollTimer_->stop();
}

void MainWindow::setDeviceMenuCaption(const QString &caption)
{
    deviceMenu_->setTitle(caption);
}

void MainWindow::showModelSelector(bool show)
{
    devicePanel_->showModelSelector(show);
}
