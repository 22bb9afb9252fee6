#pragma once

#include "params/CommunicatorModel.h"
#include "params/ParameterStatus.h"
#include "protocol/DeviceInfo.h"

#include <QWidget>

class LanguageTable;
class Lamp;
class QComboBox;
class QGroupBox;
class QLabel;

// The side panel of the main window: serial number, service-call time, the lamps "S"
// and "A", the model selector (or the device type of an auxiliary device), the last
// call numbers, the lift start counter and the two voltages with their lamps.
class DevicePanel : public QWidget {
    Q_OBJECT
public:
    DevicePanel(const LanguageTable &texts, QWidget *parent = nullptr);

    // Shows the model without announcing a change.
    void showModel(CommunicatorModel model);
    // true: a communicator, show the model selector; false: the device type label.
    void showModelSelector(bool show);
    // The identification: values, voltage lamps, and what the model shows.
    void refresh(const DeviceInfo &info, CommunicatorModel model);
    // The status read with the parameters: lamps "S" (and "A" on new models) and the
    // last call numbers.
    void showStatus(const ParameterStatus &status, CommunicatorModel model);
    void paintLampsNeutral();
    // The "Connect" group (model selector or device type): hidden while a remote
    // connection is on.
    void setConnectGroupVisible(bool visible);

    QComboBox *modelSelector() const { return modelSelector_; }
    QLabel *serialNumber() const { return serialNumber_; }
    QLabel *serviceTime() const { return serviceTime_; }
    Lamp *serviceLamp() const { return serviceLamp_; }
    Lamp *alarmLamp() const { return alarmLamp_; }
    Lamp *firstVoltageLamp() const { return firstLamp_; }
    Lamp *secondVoltageLamp() const { return secondLamp_; }

Q_SIGNALS:
    // The technician picked another model.
    void modelSelected(CommunicatorModel model);
    // Double click on "S" or a voltage lamp.
    void serviceLampToggled();
    // Double click on "A".
    void alarmLampToggled();

private:
    const LanguageTable &texts_;
    QLabel *serialNumber_;
    QLabel *serviceTime_;
    Lamp *serviceLamp_;
    Lamp *alarmLamp_;
    QGroupBox *connectGroup_;
    QComboBox *modelSelector_;
    QLabel *deviceType_;
    QLabel *lastNumber_;
    QLabel *previousNumber_;
    QGroupBox *counterGroup_;
    QLabel *liftStarts_;
    QGroupBox *voltageGroup_;
    QLabel *firstVoltageCaption_;
    QLabel *firstVoltage_;
    Lamp *firstLamp_;
    QLabel *secondVoltageCaption_;
    QLabel *secondVoltage_;
    Lamp *secondLamp_;
};
