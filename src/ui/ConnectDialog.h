#pragma once

#include "remote/ExchangeTables.h"
#include "remote/RemoteView.h"

#include <QDialog>

class LanguageTable;
class MessagePresenter;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class RemoteLink;
class WrapLabel;

// The BlackBox connection window: the technician picks a listed BlackBox, selects
// it, fills in the communicator's telephone number, parallel number and remote
// password and dials. The link reports the dialling steps through the RemoteView
// hooks, which the main window's view forwards here while the window is open.
//
// Closing the window by its frame or Escape acts as the Cancel button shown.
class ConnectDialog : public QDialog, public RemoteView {
    Q_OBJECT
public:
    static constexpr int progressMaximum = 14;
    static constexpr int telephoneNumberLength = 16;
    static constexpr int passwordLength = 4;

    ConnectDialog(RemoteLink &link, const LanguageTable &texts, MessagePresenter &messages,
                  QWidget *parent = nullptr);

    // Sets the window up for one showing: the password for programming from a
    // telephone, and the serial number the main window's BlackBox item shows (chosen
    // in the device box when it is listed, else named in a message). Call it after
    // RemoteLink::beginConnect() succeeded and before exec().
    void prepare(const QString &servicePassword, const QString &rememberedSerial);

    // The telephone number, parallel number and "#" tick dialled last time.
    void setDialFields(const DialParameters &dial);
    // What the Connect button dials with.
    DialParameters dialParameters() const;

    // Widgets, for the tests and the window's own wiring.
    QComboBox *deviceBox() const { return deviceBox_; }
    QPushButton *selectButton() const { return selectButton_; }
    QPushButton *firstCancelButton() const { return firstCancelButton_; }
    QPushButton *secondCancelButton() const { return secondCancelButton_; }
    QPushButton *connectButton() const { return connectButton_; }
    QLineEdit *telephoneNumberEdit() const { return telephoneNumber_; }
    QLineEdit *parallelNumberEdit() const { return parallelNumber_; }
    QLineEdit *passwordEdit() const { return password_; }
    QCheckBox *gsmBox() const { return gsm_; }
    QCheckBox *addHashBox() const { return addHash_; }
    WrapLabel *promptLabel() const { return prompt_; }
    QWidget *dialPanel() const { return dialPanel_; }
    QWidget *statusPanel() const { return statusPanel_; }
    QLabel *stepLabel() const { return stepLabel_; }
    QLabel *statusLabel() const { return statusLabel_; }
    QProgressBar *progressBar() const { return progress_; }
    DialStatus dialStatus() const { return status_; }

    // The Cancel button shown: before a box was selected, or after.
    void reject() override;

    // RemoteView: the dialling steps and the end of the attempt.
    void showDialStep(int step) override;
    void setDialStatus(DialStatus status) override;
    void setDialStatusText(const QString &text) override;
    void connectAbandoned() override;
    void remoteConnected() override;

private:
    void buildLayout();
    void selectChosenBox();
    void dial();
    void cancelBeforeSelect();
    void cancelAfterSelect();
    void showSelectedState(bool selected);
    void updateConnectButton();
    void closeWindow(int result);
    QString text(int key) const;

    RemoteLink &link_;
    const LanguageTable &texts_;
    MessagePresenter &messages_;

    QGroupBox *deviceGroup_;
    QComboBox *deviceBox_;
    QPushButton *selectButton_;
    WrapLabel *prompt_;
    QWidget *dialPanel_;
    QLineEdit *telephoneNumber_;
    QLineEdit *parallelNumber_;
    QLineEdit *password_;
    QCheckBox *gsm_;
    QCheckBox *addHash_;
    QWidget *statusPanel_;
    QLabel *stepLabel_;
    QLabel *statusLabel_;
    QProgressBar *progress_;
    QPushButton *firstCancelButton_;
    QPushButton *secondCancelButton_;
    QPushButton *connectButton_;
    DialStatus status_ = DialStatus::Normal;
    bool closing_ = false;
};
