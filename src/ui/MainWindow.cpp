#include "ui/MainWindow.h"

#include "ui/AppState.h"
#include "ui/DevicePanel.h"
#include "ui/PageTree.h"
#include "ui/ParameterPages.h"

#include "app/MessagePresenter.h"
#include "link/LinkPort.h"
#include "params/Catalogue.h"
#include "params/SettingsFile.h"
#include "protocol/DeviceBlock.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
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

} // namespace

MainWindow::MainWindow(AppState &state, QWidget *parent)
    : QMainWindow(parent),
      state_(state),
      pageTree_(new PageTree(state.texts())),
      pages_(new ParameterPages(state.texts())),
      devicePanel_(new DevicePanel(state.texts())),
      pageTitle_(new QLabel),
      progress_(new QProgressBar),
      pollTimer_(new QTimer(this))
{
    setWindowTitle(state_.texts().mainWindowCaption(QStringLiteral(OSTRAKEL_VERSION)));
    setMinimumSize(660, 570);

    auto *pageColumn = new QWidget;
    auto *pageLayout = new QVBoxLayout(pageColumn);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    QFont titleFont = pageTitle_->font();
    titleFont.setBold(true);
    pageTitle_->setFont(titleFont);
    pageLayout->addWidget(pageTitle_);
    pageLayout->addWidget(pages_, 1);

    auto *splitter = new QSplitter;
    splitter->addWidget(pageTree_);
    splitter->addWidget(pageColumn);
    splitter->addWidget(devicePanel_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setCollapsible(1, false);
    // The pages get the room: the tree and the side panel only what they need.
    splitter->setSizes({170, 330, 160});

    auto *central = new QWidget;
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->addWidget(splitter, 1);
    progress_->setRange(0, 100);
    progress_->hide();
    centralLayout->addWidget(progress_);
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();

    connect(pageTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            showNode(item->data(0, Qt::UserRole).toInt());
    });
    connect(devicePanel_, &DevicePanel::modelSelected, this, [this](CommunicatorModel model) {
        state_.selectModel(model);
        applyModel(model);
    });
    state_.identification().setView(this);
    state_.identification().onModelChange = [this](CommunicatorModel model) {
        changeModel(state_.parameters(), state_.status(), model);
        applyModel(model);
    };
    state_.onParametersRead = [this] { refreshPages(); };

    applyModel(state_.model());
    pageTree_->setCurrentItem(pageTree_->node(0));

    pollTimer_->setTimerType(Qt::PreciseTimer);
    pollTimer_->setInterval(firstPollDelayMs);
    connect(pollTimer_, &QTimer::timeout, this, &MainWindow::pollDevice);
    pollTimer_->start();
}

MainWindow::~MainWindow()
{
    state_.identification().setView(nullptr);
    state_.identification().onModelChange = nullptr;
    state_.onParametersRead = nullptr;
}

QString MainWindow::menuText(int key) const
{
    return state_.texts().text(QStringLiteral("Menu"), key);
}

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(menuText(1));
    file->addAction(menuText(2), this, &MainWindow::newSettings);
    file->addAction(menuText(3), this, &MainWindow::openSettings);
    file->addAction(menuText(4), this, &MainWindow::saveSettings);
    file->addAction(menuText(5), this, &MainWindow::saveSettingsAs);
    file->addSeparator();
    file->addAction(menuText(7), this, &QWidget::close);

    deviceMenu_ = menuBar()->addMenu(menuText(8));
    readAction_ = deviceMenu_->addAction(menuText(9), this, &MainWindow::readParameters);
    writeAction_ = deviceMenu_->addAction(menuText(12), this, &MainWindow::writeParameters);
    readAction_->setEnabled(false);
    writeAction_->setEnabled(false);

    QMenu *option = menuBar()->addMenu(menuText(15));
    logAction_ = option->addAction(menuText(20), this, &MainWindow::toggleLog);
    logAction_->setCheckable(true);
    logAction_->setChecked(state_.log().isEnabled());
}

void MainWindow::buildStatusBar()
{
    constexpr int widths[5] = {90, 110, 250, 90, 100};
    for (int panel = 0; panel < 5; ++panel) {
        statusPanels_[panel] = new QLabel;
        statusPanels_[panel]->setMinimumWidth(widths[panel]);
        statusBar()->addWidget(statusPanels_[panel], panel == 2 ? 1 : 0);
    }
    statusPanels_[4]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    refreshStatus();
}

void MainWindow::applyModel(CommunicatorModel model)
{
    const int features = c3FeaturesOf(state_.deviceInfo());
    pages_->setModel(model, features);
    pages_->load(state_.parameters());
    pageTree_->setModel(model, features & C3Feature::ExternalPower);
    devicePanel_->refresh(state_.deviceInfo(), model);
    showNode(currentNode_);
}

void MainWindow::refreshPages()
{
    pages_->load(state_.parameters());
}

void MainWindow::showNode(int node)
{
    currentNode_ = node;
    pages_->setCurrentIndex(PageTree::pageOf(node, state_.model()));
    pageTitle_->setText(pageTree_->node(node)->text(0));
}

void MainWindow::refreshStatus()
{
    const LinkPort *link = state_.link();
    QString linkText;
    if (link && link->kind() == LinkKind::UsbCable)
        linkText = menuText(33) + QStringLiteral(": ") + (state_.linkReady() ? QStringLiteral("OK") : QStringLiteral("---"));
    else if (link && link->kind() == LinkKind::ComPort)
        linkText = QStringLiteral("COM: ") + (state_.linkReady() ? QStringLiteral("OK") : QStringLiteral("---"));
    else if (link)
        linkText = QStringLiteral("Simulator");
    statusPanels_[0]->setText(linkText);
    statusPanels_[1]->setText(QStringLiteral("Firmware: ") + state_.deviceInfo().version);
    statusPanels_[2]->setText(menuText(28) + QStringLiteral(": ") + QFileInfo(state_.settingsFilePath).fileName());
    statusPanels_[3]->setText(menuText(29) + QStringLiteral(": ") + state_.deviceInfo().resetCount);
    statusPanels_[4]->setText(menuText(30));
}

void MainWindow::pollDevice()
{
    CommandExchange *exchange = state_.exchange();
    const QString &type = state_.deviceInfo().deviceType;
    const bool readable = state_.linkReady() && hasParameterBlock(type);
    readAction_->setEnabled(readable);
    writeAction_->setEnabled(readable);
    if (exchange && exchange->isIdle() && state_.linkReady())
        exchange->requestIdentification(state_.identification().modelFlags());
    refreshStatus();
    devicePanel_->refresh(state_.deviceInfo(), state_.model());
    const int features = c3FeaturesOf(state_.deviceInfo());
    if (state_.model() == CommunicatorModel::TkvC3 && pages_->currentFeatures() != features) {
        pages_->store(state_.parameters());
        applyModel(state_.model());
    }
    state_.identification().finishDevicePoll();
    pollTimer_->setInterval(pollIntervalMs);
}

void MainWindow::newSettings()
{
    applyDefaults(state_.parameters(), state_.status(), state_.model());
    refreshPages();
}

void MainWindow::openSettings()
{
    const QString path = QFileDialog::getOpenFileName(this, menuText(3), QString(), QStringLiteral("*.GDL"));
    if (path.isEmpty())
        return;
    const QString problem = settingsPathProblem(path, SettingsPathSource::OpenDialog, state_.texts());
    if (!problem.isEmpty()) {
        state_.messages().showMessage(problem);
        return;
    }
    pages_->store(state_.parameters());
    const SettingsFileResult result = readSettingsFile(path, state_.parameters(), state_.model(), state_.texts());
    if (!result.ok) {
        state_.messages().showMessage(result.message);
        return;
    }
    state_.settingsFilePath = path;
    refreshPages();
    refreshStatus();
}

void MainWindow::saveSettings()
{
    if (state_.settingsFilePath.isEmpty())
        saveSettingsAs();
    else
        saveTo(state_.settingsFilePath);
}

void MainWindow::saveSettingsAs()
{
    QString path = QFileDialog::getSaveFileName(this, menuText(5), state_.settingsFilePath, QStringLiteral("*.GDL"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".GDL");
    saveTo(path);
}

bool MainWindow::saveTo(const QString &path)
{
    pages_->store(state_.parameters());
    const SettingsFileResult result = writeSettingsFile(path, state_.parameters(), state_.texts());
    if (!result.ok) {
        state_.messages().showMessage(result.message);
        return false;
    }
    state_.settingsFilePath = path;
    refreshStatus();
    return true;
}

void MainWindow::readParameters()
{
    if (!state_.exchange())
        return;
    focusStatusBar();
    pages_->store(state_.parameters());
    state_.exchange()->readParameters(state_.deviceInfo().deviceType);
}

void MainWindow::writeParameters()
{
    if (!state_.exchange())
        return;
    focusStatusBar();
    pages_->store(state_.parameters());
    state_.exchange()->writeParameters(state_.deviceInfo().deviceType);
}

void MainWindow::toggleLog()
{
    if (state_.log().isEnabled())
        state_.log().switchOff();
    else
        state_.log().switchOn(windowTitle());
    logAction_->setChecked(state_.log().isEnabled());
}

void MainWindow::setExchangeMenusEnabled(bool enabled)
{
    readAction_->setEnabled(enabled);
    writeAction_->setEnabled(enabled);
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
