#pragma once

#include "firmware/UpgradeView.h"

#include <QDialog>
#include <memory>

class AppState;
class FirmwareLog;
class LegacyUpload;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// "Tool for firmware upgrade": the technician picks a HEX file, confirms, and the
// communicator on the cable is told to enter its loader; a TKV-C3 is then upgraded
// through its bootloader, a TKV-C or TKV-C2 by the packet upload. A file the upgrade
// would refuse is refused before anything is sent. The firmware log is shown at the
// end; after an upgrade the window must be opened again for another.
class FirmwareDialog : public QDialog, public UpgradeView {
    Q_OBJECT
public:
    FirmwareDialog(AppState &state, QWidget *parent = nullptr);
    ~FirmwareDialog() override;

    // Loads a HEX file into the view (the Open button without its file dialog); false
    // when the path is refused.
    bool openFile(const QString &path);
    // The Write button.
    void write();

    QPushButton *openButton() const { return open_; }
    QPushButton *writeButton() const { return write_; }
    QPushButton *cancelButton() const { return cancel_; }
    QLabel *statusLabel() const { return status_; }
    QLabel *titleLabel() const { return title_; }
    QPlainTextEdit *hexView() const { return hexView_; }
    QPlainTextEdit *logView() const { return logView_; }
    QProgressBar *phaseBar() const { return phaseBar_; }
    QProgressBar *overallBar() const { return overallBar_; }
    LegacyUpload *legacyUpload() const { return legacy_.get(); }

    // UpgradeView
    void setStatus(const QString &text) override;
    void setPhaseMaximum(int maximum) override;
    void setPhasePosition(int position) override;
    void stepPhase() override;
    void setPhaseColour(QRgb colour) override;
    void setOverallMaximum(int maximum) override;
    void setOverallPosition(int position) override;
    void stepOverall() override;
    void setStatusColour(StatusColour colour) override;
    void showPosition(int packet, int byte) override;
    void logLine(const QString &line) override;
    void upgradeEnded(bool success) override;

protected:
    void showEvent(QShowEvent *event) override;
    // Typed keys go nowhere: Escape would stop an upload, Enter start one.
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void chooseFile();
    bool confirm();
    void setButtons(bool open, bool write, bool cancel);
    QString message(int key) const;

    AppState &state_;
    QString selectedFile_;
    QByteArray hexText_;
    std::unique_ptr<FirmwareLog> log_;
    std::unique_ptr<LegacyUpload> legacy_;

    QLabel *title_;
    QLabel *file_;
    QLabel *status_;
    QLabel *packet_;
    QLabel *byte_;
    QPlainTextEdit *hexView_;
    QPlainTextEdit *logView_;
    QProgressBar *phaseBar_;
    QProgressBar *overallBar_;
    QPushButton *open_;
    QPushButton *write_;
    QPushButton *cancel_;
};
