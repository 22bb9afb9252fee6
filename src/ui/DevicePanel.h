#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/DeviceInfo.h"

#include <QWidget>

class LanguageTable;
class QComboBox;
class QGroupBox;
class QLabel;

// The side panel of the main window: serial number, service-call time, the model
// selector (or the device type of an auxiliary device), the lift start counter and
// the two voltages with their lamps.
class DevicePanel : public QWidget {
    Q_OBJECT
public:
    DevicePanel(const LanguageTable &texts, QWidget *parent = nullptr);

    // Shows the model without announcing a change.
    void showModel(CommunicatorModel model);
    // true: a communicator, show the model selector; false: the device type label.
    void showModelSelector(bool show);
    void refresh(const DeviceInfo &info, CommunicatorModel model);

    QComboBox *modelSelector() const { return modelSelector_; }
    QLabel *serialNumber() const { return serialNumber_; }

    static QString lampStyle(LampColour colour);

Q_SIGNALS:
    // The technician picked another model.
    void modelSelected(CommunicatorModel model);

private:
    const LanguageTable &texts_;
    QLabel *serialNumber_;
    QLabel *serviceTime_;
    QComboBox *modelSelector_;
    QLabel *deviceType_;
    QGroupBox *counterGroup_;
    QLabel *liftStarts_;
    QGroupBox *voltageGroup_;
    QLabel *firstVoltageCaption_;
    QLabel *firstVoltage_;
    QLabel *firstLamp_;
    QLabel *secondVoltageCaption_;
    QLabel *secondVoltage_;
    QLabel *secondLamp_;
};
