// The main window's menus and the commands behind them: settings files, reading and
// writing the device, the context menu, the communication log.

#include "ui/MainWindow.h"

#include "ui/AboutDialog.h"
#include "ui/AppState.h"
#include "ui/CableSelectionDialog.h"
#include "ui/CompareDialog.h"
#include "ui/FirmwareDialog.h"
#include "ui/HistoryDialog.h"
#include "ui/SettingsPrinting.h"
#include "ui/DevicePanel.h"
#include "ui/PageTree.h"
#include "ui/ParameterPages.h"

#include "app/MessagePresenter.h"
#include "app/ProgramFolder.h"
#include "protocol/CommandExchange.h"
#include "params/Catalogue.h"
#include "params/SettingsFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {

// The three context-menu texts that are not in the language table.
const QString rewriteQuestion = QStringLiteral("Do you want to overwrite the default settings in the Alarm communicator?");
const QString rewriteTitle = QStringLiteral("Rewrite ?");

} // namespace

// The menu bar, built again with the texts of a new language. What is enabled follows
// the state of the program, not the menus before.
void MainWindow::buildMenus()
{
    menuBar()->clear();
    fileMenu_ = menuBar()->addMenu(menuText(1));
    fileMenu_->addAction(menuText(2), this, &MainWindow::newSettings);
    fileMenu_->addAction(menuText(3), this, &MainWindow::openSettings);
    fileMenu_->addAction(state_.texts().text(QStringLiteral("Extensions"), 40), this, &MainWindow::openHistory);
    fileMenu_->addAction(menuText(4), this, &MainWindow::saveSettings);
    fileMenu_->addAction(menuText(5), this, &MainWindow::saveSettingsAs);
    printAction_ = fileMenu_->addAction(menuText(6), this, &MainWindow::printReport);
    fileMenu_->addAction(state_.texts().text(QStringLiteral("Extensions"), 21), this, &MainWindow::previewReport);
    fileMenu_->addSeparator();
    fileMenu_->addAction(menuText(7), this, &QWidget::close);

    deviceMenu_ = menuBar()->addMenu(menuText(state_.identification().deviceMenuKey()));
    readAction_ = deviceMenu_->addAction(menuText(9), this, &MainWindow::readParameters);
    writeAction_ = deviceMenu_->addAction(menuText(12), this, &MainWindow::writeParameters);
    const bool idle = !state_.exchange() || (state_.exchange()->isIdle() && !state_.exchange()->isActive());
    setExchangeMenusEnabled(idle);
    deviceMenu_->addSeparator();
    voiceAction_ = deviceMenu_->addAction(menuText(13), this, &MainWindow::openVoiceMessages);
    voiceAction_->setEnabled(idle && voiceUploadPossible());

    optionMenu_ = menuBar()->addMenu(menuText(15));
    optionMenu_->addAction(menuText(16), this, &MainWindow::openToneSamples);
    optionMenu_->addAction(menuText(18), this, &MainWindow::openCableSelection);
    firmwareAction_ = optionMenu_->addAction(menuText(19), this, &MainWindow::openFirmware);
    firmwareAction_->setEnabled(idle && deviceReadable());
    logAction_ = optionMenu_->addAction(QString(), this, &MainWindow::toggleLog);
    showLogState();

    languageMenu_ = menuBar()->addMenu(menuText(21));
    fillLanguageMenu(languageMenu_);

    remoteMenu_ = menuBar()->addMenu(menuText(22));

    helpMenu_ = menuBar()->addMenu(menuText(23));
    helpMenu_->addAction(menuText(24), this, &MainWindow::showAbout);
    buildRemoteMenus();

    // Shown only while a voice module is on the cable; opens its window.
    const bool talkerShown = talkerAction_ && talkerAction_->isVisible();
    talkerAction_ = menuBar()->addAction(menuText(67), this, &MainWindow::openTalker);
    talkerAction_->setVisible(talkerShown);
}

// The language files of the program folder (and, installed, of the data folder), at
// most eleven, by name.
void MainWindow::fillLanguageMenu(QMenu *menu)
{
    constexpr int maxLanguages = 11;
    for (const QString &path : ProgramFolder::languageFiles().mid(0, maxLanguages)) {
        const QString file = QFileInfo(path).fileName();
        menu->addAction(file.left(file.size() - 4), this, [this, path] {
            state_.config.languageFilePath = path;
            loadLanguage();
        });
    }
    menu->setEnabled(!menu->isEmpty());
}

void MainWindow::showLogState()
{
    logAction_->setText(menuText(state_.log().isEnabled() ? 45 : 46));
}

void MainWindow::loadLanguage()
{
    QString &path = state_.config.languageFilePath;
    // An installed program keeps the shipped language files in its data folder.
    const QString installed = ProgramFolder::installedDataFolder() + QFileInfo(path).fileName();
    if (!QFileInfo::exists(path) && QFileInfo::exists(installed))
        path = installed;
    const QString english = ProgramFolder::path() + AppConfig::defaultLanguageFile();
    if (!QFileInfo::exists(path) && path != english) {
        // The chosen language is gone: English it is, from its file or built in.
        const QString error = QStringLiteral("Language file error");
        if (state_.log().isEnabled())
            state_.log().writeLine(error);
        state_.messages().showMessage(error);
        path = english;
    }
    if (state_.log().isEnabled())
        state_.log().writeLine(QStringLiteral("Language: ") + path);
    if (!QFileInfo::exists(path))
        state_.texts().resetToDefaults();
    else if (!state_.texts().load(path))
        state_.messages().showMessage(state_.texts().errorString());
    retranslate();
}

void MainWindow::retranslate()
{
    setWindowTitle(state_.texts().mainWindowCaption(programVersion()));
    buildDialogs();
    deleteServiceTimeAction_->setText(menuText(25));
    deleteResetsAction_->setText(menuText(26));
    defaultValueAction_->setText(menuText(27));
    buildMenus();
    const int node = currentNode_;
    buildCentral();
    applyModel();
    pageTree_->setCurrentItem(pageTree_->node(node));
    showModelSelector(state_.deviceInfo().deviceType.isEmpty() || state_.deviceInfo().deviceType == QLatin1String("Alarm"));
    refreshStatus();
    refreshStatusLamps();
}

void MainWindow::buildContextMenu()
{
    deleteServiceTimeAction_ = new QAction(menuText(25), this);
    deleteResetsAction_ = new QAction(menuText(26), this);
    defaultValueAction_ = new QAction(menuText(27), this);
    connect(deleteServiceTimeAction_, &QAction::triggered, this, &MainWindow::deleteServiceTime);
    connect(deleteResetsAction_, &QAction::triggered, this, &MainWindow::deleteResets);
    connect(defaultValueAction_, &QAction::triggered, this, &MainWindow::writeDefaults);
    for (QAction *action : {deleteServiceTimeAction_, deleteResetsAction_, defaultValueAction_})
        action->setEnabled(false);
    statusBar()->setContextMenuPolicy(Qt::ActionsContextMenu);
    statusBar()->addActions({deleteServiceTimeAction_, deleteResetsAction_, defaultValueAction_});
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
    // Reading and writing move the focus here first, so that the field being edited
    // is checked by its leave rule before its value is used.
    statusBar()->setFocusPolicy(Qt::ClickFocus);
    refreshStatus();
}

void MainWindow::fieldRefused(ParameterEditor &editor, const FieldCheck &check)
{
    state_.messages().showNotice(check.message, check.title,
                                 check.icon == RuleIcon::Warning ? MessageIcon::Warning : MessageIcon::Information);
    // Back to the field once the focus change that left it has finished.
    QLineEdit *edit = editor.edit();
    QTimer::singleShot(0, edit, [edit] { edit->setFocus(); });
}

void MainWindow::newSettings()
{
    applyDefaults(state_.parameters(), state_.status(), state_.model());
    refreshPages();
}

void MainWindow::openSettings()
{
    const QString path = QFileDialog::getOpenFileName(
        this, state_.texts().text(QStringLiteral("Message"), 1), ProgramFolder::path(),
        state_.texts().text(QStringLiteral("Message"), 3) + QStringLiteral(" (*.GDL *.gdl);;*.* (*)"));
    openSettingsFile(path);
}

bool MainWindow::openSettingsFile(const QString &path)
{
    const QString problem = settingsPathProblem(path, SettingsPathSource::OpenDialog, state_.texts());
    if (!problem.isEmpty()) {
        // A path that names no settings file is forgotten; a cancelled dialog too.
        state_.settingsFilePath.clear();
        state_.messages().showMessage(problem);
        refreshStatus();
        return false;
    }
    const SettingsFileResult result = readSettingsFile(path, state_.parameters(), state_.model(), state_.texts());
    if (!result.ok) {
        state_.messages().showMessage(result.message);
        return false;
    }
    state_.settingsFilePath = path;
    refreshPages();
    refreshStatus();
    return true;
}

void MainWindow::openHistory()
{
    const QString folder = ReadingHistory::folder();
    HistoryDialog dialog(state_.texts(), ReadingHistory::list(folder), folder, this);
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    if (const std::optional<HistoryEntry> entry = dialog.chosen())
        openHistoryReading(*entry);
}

// The reading is checked against its own model before anything changes; the window
// then takes that model and the values. Save asks for a name: the kept reading
// stays as it was read.
bool MainWindow::openHistoryReading(const HistoryEntry &entry)
{
    ParameterSet set = state_.parameters();
    ParameterStatus status = state_.status();
    if (entry.model != state_.model())
        applyDefaults(set, status, entry.model);
    const SettingsFileResult result = readSettingsFile(entry.path, set, entry.model, state_.texts());
    if (!result.ok) {
        state_.messages().showMessage(result.message);
        return false;
    }
    if (entry.model != state_.model()) {
        selectModel(entry.model);
        devicePanel_->showModel(entry.model);
    }
    state_.parameters() = set;
    state_.settingsFilePath.clear();
    refreshPages();
    refreshStatus();
    return true;
}

void MainWindow::saveSettings()
{
    if (state_.settingsFilePath.size() > 7)
        saveTo(state_.settingsFilePath);
    else
        saveSettingsAs();
}

void MainWindow::saveSettingsAs()
{
    const QString title = state_.texts().text(QStringLiteral("Message"), 2);
    const QString filter = state_.texts().text(QStringLiteral("Message"), 3) + QStringLiteral(" (*.GDL)");
    for (;;) {
        QFileDialog dialog(this, title, ProgramFolder::path(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("GDL"));
        // The replace question is our own, with No as the answer that changes nothing.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (state_.savePrefill && !state_.settingsFilePath.isEmpty())
            dialog.selectFile(state_.settingsFilePath);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const QString path = dialog.selectedFiles().constFirst();
        if (QFileInfo::exists(path)
            && !state_.messages().askYesNo(state_.texts().text(QStringLiteral("Message"), 5),
                                           state_.texts().text(QStringLiteral("Message"), 6))) {
            state_.settingsFilePath.clear();
            refreshStatus();
            continue;
        }
        saveTo(path);
        return;
    }
}

bool MainWindow::saveTo(const QString &path)
{
    const SettingsFileResult result = writeSettingsFile(path, state_.parameters(), state_.texts());
    if (!result.ok) {
        state_.messages().showMessage(result.message);
        return false;
    }
    state_.settingsFilePath = path;
    refreshStatus();
    return true;
}

ReportInput MainWindow::reportInput() const
{
    return {state_.parameters(), state_.status(), state_.deviceInfo(), state_.texts(), state_.model(),
            pages_->currentFeatures()};
}

void MainWindow::printReport()
{
    // One print at a time; the item comes back whatever the printer did.
    printAction_->setEnabled(false);
    if (printSettings(this, reportInput()) == PrintOutcome::Failed)
        state_.messages().showMessage(state_.texts().text(QStringLiteral("Extensions"), 22));
    printAction_->setEnabled(true);
}

void MainWindow::previewReport()
{
    previewSettings(this, reportInput());
}

void MainWindow::openCableSelection()
{
    // A new cable replaces the exchange: not while one runs.
    if (state_.exchange() && (!state_.exchange()->isIdle() || state_.exchange()->isActive()))
        return;
    stopDevicePoll();
    cableDialog_->exec();
    refreshStatus();
    startDevicePoll();
}

// The device poll and the exchange rest while the firmware window has the cable.
void MainWindow::openFirmware()
{
    stopDevicePoll();
    waitForExchangeIdle();
    FirmwareDialog dialog(state_, this);
    execDialog(dialog);
    startDevicePoll();
}

void MainWindow::showAbout()
{
    aboutDialog_->exec();
}

void MainWindow::openComparison()
{
    CompareDialog dialog(state_, this);
    if (execDialog(dialog) == QDialog::Accepted) {
        refreshPages();
        refreshStatusLamps();
    }
}

void MainWindow::readParameters()
{
    if (!state_.exchange())
        return;
    focusStatusBar();
    state_.exchange()->readParameters(state_.deviceInfo().deviceType);
}

void MainWindow::writeParameters()
{
    if (!state_.exchange())
        return;
    focusStatusBar();
    pages_->store();
    state_.exchange()->writeParameters(state_.deviceInfo().deviceType);
}

// The block takes the service-call time and the reset count from what the window
// shows, so the device receives 0.
void MainWindow::deleteServiceTime()
{
    state_.status().serviceCallHours = 0;
    state_.identification().deviceInfo().serviceInterval = QStringLiteral("0");
    devicePanel_->serviceTime()->setText(QStringLiteral("0"));
    writeParameters();
    state_.identification().deviceInfo().serviceInterval = QStringLiteral("0");
    devicePanel_->serviceTime()->setText(QStringLiteral("0"));
}

void MainWindow::deleteResets()
{
    state_.status().resetCount = 0;
    state_.identification().deviceInfo().resetCount = QStringLiteral("0");
    refreshStatus();
    writeParameters();
    state_.identification().deviceInfo().resetCount = QStringLiteral("0");
    refreshStatus();
}

void MainWindow::writeDefaults()
{
    if (!state_.messages().askYesNo(rewriteQuestion, rewriteTitle))
        return;
    applyDefaults(state_.parameters(), state_.status(), state_.model());
    refreshPages();
    writeParameters();
}

void MainWindow::toggleLog()
{
    if (state_.log().isEnabled())
        state_.log().switchOff();
    else
        state_.log().switchOn(windowTitle());
    showLogState();
}
