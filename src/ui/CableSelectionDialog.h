#pragma once

#include "link/LinkPort.h"
#include "link/SerialPortList.h"

#include <QDialog>
#include <functional>

class AppState;
class ExchangeView;
class PortList;
class QComboBox;
class QButtonGroup;
class QGroupBox;
class QRadioButton;

// The technician's choice of cable: USB-LNK (libftdi), USB-LNKv2 or USB-LNKv3 (a COM
// port from the port list) or the built-in simulator of a chosen device. Closing the
// window, by "OK" or otherwise, connects the chosen cable through AppState and tells
// the user when that failed. The window keeps its choice between showings; it is
// shown modally with exec(), on top of and centred on its parent.
class CableSelectionDialog : public QDialog {
    Q_OBJECT
public:
    // The entries of the cable list.
    enum Cable { NoCable = -1, UsbLnk = 0, UsbLnkV2 = 1, UsbLnkV3 = 2, Simulator = 3 };
    // The models the simulator entry offers, as in "sim:KIND".
    static const QStringList simulatorKinds;

    using PortLister = std::function<QList<SerialPortEntry>()>;

    // view: what the exchange on a new cable reports to (the main window). listPorts:
    // the serial ports with their state, SerialPortList's own when empty.
    CableSelectionDialog(AppState &state, ExchangeView &view, QWidget *parent = nullptr,
                         PortLister listPorts = {});

    Cable cable() const { return cable_; }
    // As a click on a cable entry.
    void chooseCable(Cable cable);
    PortList *portList() const { return portList_; }
    QComboBox *simulatorModel() const { return simulatorModel_; }
    QRadioButton *cableButton(Cable cable) const;

    // The port text of the cable the window connected last ("usb", a device path,
    // "sim:KIND"); empty while it connected none.
    QString portText() const { return portText_; }

    // Opens the COM-port cable again when it was closed; true when it is open.
    bool connectComPort();
    // Writes a text to the COM-port cable; false for an empty text, no COM-port cable
    // or a byte the port refused.
    bool writeComPort(const QByteArray &text);

    void done(int result) override;

Q_SIGNALS:
    // A new cable was connected on closing (the status bar and poll follow it).
    void linkChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyTexts();
    void refreshPorts();
    void showChoice();
    void applyChoice();
    void portChosen(int number);
    bool keepsLink(const QString &port) const;
    void connectPort(const QString &port, int failureKey);
    QString text(int key) const;

    AppState &state_;
    ExchangeView &view_;
    PortLister listPorts_;
    QGroupBox *cableGroup_;
    QButtonGroup *cables_;
    QComboBox *simulatorModel_;
    PortList *portList_;
    Cable cable_ = NoCable;
    LinkKind linkKind_ = LinkKind::None;
    // The USB-LNK cable was left for a COM-port cable: it counts as not open.
    bool usbSwitchedAway_ = false;
    QString portText_;
};

