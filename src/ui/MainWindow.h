#pragma once

#include "protocol/ExchangeView.h"
#include "protocol/Identification.h"
#include "remote/RemoteView.h"

#include <QMainWindow>
#include <functional>

struct HistoryEntry;

class AboutDialog;
class AppState;
class CableSelectionDialog;
class ConnectDialog;
class QDialog;
class DeviceDataPage;
class DevicePanel;
class PageExtras;
class PageTree;
class ParameterEditor;
class ParameterPages;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QTimer;
struct FieldCheck;
struct ReportInput;

// The technician's workplace: the page tree, the parameter pages, the device panel,
// the progress bar and the status bar, the menus, and the device poll that keeps the
// panel current and the pages fitted to the communicator model.
class MainWindow : public QMainWindow, public ExchangeView, public IdentificationView, public RemoteView {
    Q_OBJECT
public:
    static constexpr int firstPollDelayMs = 2000;
    static constexpr int pollIntervalMs = 1120;

    explicit MainWindow(AppState &state, QWidget *parent = nullptr);
    ~MainWindow() override;

    PageTree *pageTree() const { return pageTree_; }
    ParameterPages *pages() const { return pages_; }
    PageExtras *pageExtras() const { return extras_; }
    DeviceDataPage *deviceDataPage() const { return deviceData_; }
    DevicePanel *devicePanel() const { return devicePanel_; }
    QLabel *statusPanel(int index) const { return statusPanels_[index]; }
    QAction *readAction() const { return readAction_; }
    QAction *writeAction() const { return writeAction_; }
    QAction *deleteServiceTimeAction() const { return deleteServiceTimeAction_; }
    QAction *deleteResetsAction() const { return deleteResetsAction_; }
    QAction *defaultValueAction() const { return defaultValueAction_; }
    QAction *talkerAction() const { return talkerAction_; }
    QAction *logAction() const { return logAction_; }
    QMenu *languageMenu() const { return languageMenu_; }
    bool isPolling() const;

    // File menu.
    void newSettings();
    void openSettings();
    void saveSettings();
    void saveSettingsAs();
    // Opens a settings file without the dialog; false when it was refused.
    bool openSettingsFile(const QString &path);
    // "History": the readings kept, one of which is opened with its model.
    void openHistory();
    bool openHistoryReading(const HistoryEntry &entry);
    bool saveTo(const QString &path);
    void printReport();
    void previewReport();
    // Device menu and context menu.
    void readParameters();
    void writeParameters();
    void deleteServiceTime();
    void deleteResets();
    void writeDefaults();
    void toggleLog();
    // Loads the language file of state.config (falling back to English.lng) and shows
    // every text of the new table at once.
    void loadLanguage();
    // Shows the page of a tree node and its text as the page title.
    void showNode(int node);
    // One tick of the device poll.
    void pollDevice();
    // The cable selection, modal; the device poll waits meanwhile.
    void openCableSelection();
    CableSelectionDialog *cableDialog() const { return cableDialog_; }
    void showAbout();
    // Option / "Firmware upgrade": the firmware window, modal.
    void openFirmware();
    QAction *firmwareAction() const { return firmwareAction_; }
    // Communicator / "Upload voice messages" (a TKV-C3), the "Talker" item (a voice
    // module: the window of its kind, by the new-model flag) and Option / "Sample of
    // tones", all modal.
    void openVoiceMessages();
    void openTalker();
    void openToneSamples();
    QAction *voiceAction() const { return voiceAction_; }
    // The comparison of the readings before and after a remote read; a decision shows
    // the chosen values.
    void openComparison();
    // Remote menu: the BlackBox connection, reading and writing over it.
    void connectRemote();
    void readRemote();
    void writeRemote();
    void disconnectRemote();
    QMenu *remoteMenu() const { return remoteMenu_; }
    QAction *remoteConnectAction() const { return remoteConnectAction_; }
    QAction *remoteReadAction() const { return remoteReadAction_; }
    QAction *remoteWriteAction() const { return remoteWriteAction_; }
    QAction *remoteDisconnectAction() const { return remoteDisconnectAction_; }
    QAction *compareAction() const { return compareAction_; }
    // The BlackBox item (its serial number) with the time of connection, and the
    // "Connect" item with the keep-alive count, shown while they apply.
    QMenu *blackBoxMenu() const { return blackBoxMenu_; }
    QMenu *connectedMenu() const { return connectedMenu_; }
    // Ends a remote connection on the way out, with the information window shown.
    void hangUpOnExit();
    // Runs a modal window (exec); tests drive the window themselves.
    std::function<int(QDialog &)> runDialog;

    // The model selector's choice: the model's lists and defaults on every page.
    void selectModel(CommunicatorModel model);
    // The caption of the "Log File" item: on or off.
    void showLogState();
    // The expert view of the device data page.
    void setExpertView(bool on);

    // Asked when the window is to close; false keeps it open.
    std::function<bool()> onClose;

    // ExchangeView
    void setExchangeMenusEnabled(bool enabled) override;
    void setProgressVisible(bool visible) override;
    void setProgress(int value) override;
    void focusStatusBar() override;
    void startDevicePoll() override;
    void stopDevicePoll() override;
    // IdentificationView
    void setDeviceMenuCaption(const QString &caption) override;
    void showModelSelector(bool show) override;
    // RemoteView: the link's dialling steps go to the open connect window.
    void showDialStep(int step) override;
    void setDialStatus(DialStatus status) override;
    void setDialStatusText(const QString &text) override;
    void traceReply(const QByteArray &reply, const QByteArray &command) override;
    void setBlackBoxCaption(const QString &serial) override;
    void blackBoxSelected(const QString &serial) override;
    void connectAbandoned() override;
    void remoteConnected() override;
    void remoteDisconnected() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildPageColumn();
    void buildCentral();
    void buildDialogs();
    ReportInput reportInput() const;
    void buildMenus();
    void buildRemoteMenus();
    void refreshRemoteMenus();
    int execDialog(QDialog &dialog);
    bool readyForRemoteJob();
    void fillLanguageMenu(QMenu *menu);
    void buildContextMenu();
    void buildStatusBar();
    void connectWidgets();
    void connectState();
    void retranslate();
    void applyModel();
    void refreshPages();
    void refreshStatus();
    void refreshStatusLamps();
    void paintLampsNeutral();
    void setShellMenusEnabled(bool enabled);
    void setDeviceCommandsEnabled(bool readable, bool alarm);
    bool talkerOnUsbCable() const;
    bool voiceUploadPossible() const;
    // Lets an identification on its way end: a window that follows uses the cable alone.
    void waitForExchangeIdle();
    // Runs a voice window with the device poll resting; the device is identified anew after it.
    void runVoiceWindow(QDialog &dialog);
    bool deviceReadable() const;
    void toggleServiceStatus();
    void toggleAlarmStatus();
    void fieldRefused(ParameterEditor &editor, const FieldCheck &check);
    QString menuText(int key) const;

    AppState &state_;
    QSplitter *splitter_ = nullptr;
    PageTree *pageTree_ = nullptr;
    ParameterPages *pages_ = nullptr;
    PageExtras *extras_ = nullptr;
    DeviceDataPage *deviceData_ = nullptr;
    DevicePanel *devicePanel_ = nullptr;
    QLabel *pageTitle_ = nullptr;
    QProgressBar *progress_ = nullptr;
    QLabel *statusPanels_[5] = {};
    QMenu *fileMenu_ = nullptr;
    QMenu *deviceMenu_ = nullptr;
    QMenu *optionMenu_ = nullptr;
    QMenu *remoteMenu_ = nullptr;
    QMenu *helpMenu_ = nullptr;
    QMenu *languageMenu_ = nullptr;
    QAction *readAction_ = nullptr;
    QAction *writeAction_ = nullptr;
    QAction *logAction_ = nullptr;
    QAction *deleteServiceTimeAction_ = nullptr;
    QAction *deleteResetsAction_ = nullptr;
    QAction *defaultValueAction_ = nullptr;
    QAction *talkerAction_ = nullptr;
    QAction *firmwareAction_ = nullptr;
    QAction *voiceAction_ = nullptr;
    // The connection for whose voice module the window opened by itself (-1: none).
    int talkerWindowConnection_ = -1;
    CableSelectionDialog *cableDialog_ = nullptr;
    AboutDialog *aboutDialog_ = nullptr;
    QAction *printAction_ = nullptr;
    QAction *compareAction_ = nullptr;
    QAction *remoteConnectAction_ = nullptr;
    QAction *remoteReadAction_ = nullptr;
    QAction *remoteWriteAction_ = nullptr;
    QAction *remoteDisconnectAction_ = nullptr;
    QMenu *blackBoxMenu_ = nullptr;
    QAction *connectionTimeAction_ = nullptr;
    QMenu *connectedMenu_ = nullptr;
    QAction *repeatsAction_ = nullptr;
    ConnectDialog *connectDialog_ = nullptr;
    QTimer *pollTimer_;
    int currentNode_ = 0;
    // What the pages were last fitted to.
    CommunicatorModel shownModel_ = CommunicatorModel::TkvC;
    int shownFeatures_ = -1;
    int shownModelCode_ = -1;
};
