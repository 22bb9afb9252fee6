#pragma once

#include "protocol/ExchangeView.h"
#include "protocol/Identification.h"

#include <QMainWindow>

class AppState;
class DevicePanel;
class PageTree;
class ParameterPages;
class QAction;
class QLabel;
class QProgressBar;
class QTimer;

// The technician's workplace: the page tree, the parameter pages, the device panel,
// the progress bar and the status bar, the menus, and the device poll that keeps the
// device panel current.
class MainWindow : public QMainWindow, public ExchangeView, public IdentificationView {
    Q_OBJECT
public:
    static constexpr int firstPollDelayMs = 2000;
    static constexpr int pollIntervalMs = 1120;

    explicit MainWindow(AppState &state, QWidget *parent = nullptr);
    ~MainWindow() override;

    PageTree *pageTree() const { return pageTree_; }
    ParameterPages *pages() const { return pages_; }
    DevicePanel *devicePanel() const { return devicePanel_; }
    QAction *readAction() const { return readAction_; }
    QAction *writeAction() const { return writeAction_; }

    // Menu actions.
    void newSettings();
    void openSettings();
    void saveSettings();
    void saveSettingsAs();
    void readParameters();
    void writeParameters();
    void toggleLog();
    // Shows the page of a tree node and its text as the page title.
    void showNode(int node);
    // One tick of the device poll.
    void pollDevice();

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

private:
    void buildMenus();
    void buildStatusBar();
    void applyModel(CommunicatorModel model);
    void refreshPages();
    void refreshStatus();
    bool saveTo(const QString &path);
    QString menuText(int key) const;

    AppState &state_;
    PageTree *pageTree_;
    ParameterPages *pages_;
    DevicePanel *devicePanel_;
    QLabel *pageTitle_;
    QProgressBar *progress_;
    QLabel *statusPanels_[5] = {};
    QMenu *deviceMenu_ = nullptr;
    QAction *readAction_ = nullptr;
    QAction *writeAction_ = nullptr;
    QAction *logAction_ = nullptr;
    QTimer *pollTimer_;
    int currentNode_ = 0;
};
