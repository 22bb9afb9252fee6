#include "ui/DevicePanel.h"

#include "ui/Lamp.h"

#include "app/LanguageTable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString mainText(const LanguageTable &texts, int key)
{
    return texts.text(QStringLiteral("Main"), key);
}

LampColour onOff(bool on)
{
    return on ? LampColour::Green : LampColour::Red;
}

} // namespace

DevicePanel::DevicePanel(const LanguageTable &texts, QWidget *parent) : QWidget(parent), texts_(texts)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 0, 0, 0);

    auto *top = new QGridLayout;
    serialNumber_ = new QLabel;
    serviceTime_ = new QLabel;
    serviceLamp_ = new Lamp(QStringLiteral("S"));
    alarmLamp_ = new Lamp(QStringLiteral("A"));
    top->addWidget(new QLabel(mainText(texts, 12)), 0, 0, 1, 3);
    top->addWidget(serialNumber_, 1, 0, 1, 3);
    top->addWidget(new QLabel(mainText(texts, 13)), 2, 0, 1, 3);
    top->addWidget(serviceTime_, 3, 0);
    top->addWidget(new QLabel(mainText(texts, 11)), 3, 1);
    auto *lamps = new QHBoxLayout;
    lamps->addWidget(serviceLamp_);
    lamps->addWidget(alarmLamp_);
    top->addLayout(lamps, 3, 2, Qt::AlignRight);
    top->setColumnStretch(1, 1);
    column->addLayout(top);
    connect(serviceLamp_, &Lamp::doubleClicked, this, &DevicePanel::serviceLampToggled);
    connect(alarmLamp_, &Lamp::doubleClicked, this, &DevicePanel::alarmLampToggled);

    connectGroup_ = new QGroupBox(mainText(texts, 14));
    auto *connectLayout = new QVBoxLayout(connectGroup_);
    modelSelector_ = new QComboBox;
    modelSelector_->setToolTip(texts.text(QStringLiteral("Hint"), 7));
    for (auto model : {CommunicatorModel::TkvC, CommunicatorModel::TkvC2, CommunicatorModel::TkvC3})
        modelSelector_->addItem(modelName(model));
    deviceType_ = new QLabel;
    deviceType_->hide();
    connectLayout->addWidget(modelSelector_);
    connectLayout->addWidget(deviceType_);
    column->addWidget(connectGroup_);
    connect(modelSelector_, &QComboBox::activated, this,
            [this](int index) { Q_EMIT modelSelected(CommunicatorModel(index)); });

    auto *numbersGroup = new QGroupBox(mainText(texts, 15));
    auto *numbers = new QGridLayout(numbersGroup);
    lastNumber_ = new QLabel;
    previousNumber_ = new QLabel;
    numbers->addWidget(new QLabel(QStringLiteral("1.")), 0, 0);
    numbers->addWidget(lastNumber_, 0, 1);
    numbers->addWidget(new QLabel(QStringLiteral("2.")), 1, 0);
    numbers->addWidget(previousNumber_, 1, 1);
    numbers->setColumnStretch(1, 1);
    column->addWidget(numbersGroup);

    counterGroup_ = new QGroupBox(mainText(texts, 16));
    liftStarts_ = new QLabel;
    (new QVBoxLayout(counterGroup_))->addWidget(liftStarts_);
    column->addWidget(counterGroup_);

    voltageGroup_ = new QGroupBox(mainText(texts, 17));
    auto *voltages = new QGridLayout(voltageGroup_);
    firstVoltageCaption_ = new QLabel;
    firstVoltage_ = new QLabel;
    firstLamp_ = new Lamp(QStringLiteral("V"));
    secondVoltageCaption_ = new QLabel;
    secondVoltage_ = new QLabel;
    secondLamp_ = new Lamp(QStringLiteral("V"));
    voltages->addWidget(firstVoltageCaption_, 0, 0, 1, 2);
    voltages->addWidget(firstVoltage_, 1, 0);
    voltages->addWidget(firstLamp_, 1, 1);
    voltages->addWidget(secondVoltageCaption_, 2, 0, 1, 2);
    voltages->addWidget(secondVoltage_, 3, 0);
    voltages->addWidget(secondLamp_, 3, 1);
    column->addWidget(voltageGroup_);
    column->addStretch();
    connect(firstLamp_, &Lamp::doubleClicked, this, &DevicePanel::serviceLampToggled);
    connect(secondLamp_, &Lamp::doubleClicked, this, &DevicePanel::serviceLampToggled);
}

void DevicePanel::showModel(CommunicatorModel model)
{
    modelSelector_->setCurrentIndex(int(model));
}

void DevicePanel::showModelSelector(bool show)
{
    modelSelector_->setVisible(show);
    deviceType_->setVisible(!show);
}

void DevicePanel::refresh(const DeviceInfo &info, CommunicatorModel model)
{
    showModel(model);
    deviceType_->setText(info.deviceType);
    serialNumber_->setText(info.serialNumber);
    serviceTime_->setText(info.serviceInterval);
    liftStarts_->setText(info.liftStartCounter);
    const bool newModel = model != CommunicatorModel::TkvC;
    const bool c3 = model == CommunicatorModel::TkvC3;
    counterGroup_->setVisible(!newModel);
    voltageGroup_->setVisible(newModel);
    firstVoltageCaption_->setText(mainText(texts_, c3 ? 20 : 18));
    secondVoltageCaption_->setText(mainText(texts_, c3 ? 21 : 19));
    firstVoltage_->setText(info.supplyVoltageText);
    secondVoltage_->setText(info.secondVoltageText);
    firstLamp_->setColour(info.supplyVoltageLamp);
    secondLamp_->setColour(info.secondVoltageLamp);
}

void DevicePanel::showStatus(const ParameterStatus &status, CommunicatorModel model)
{
    serviceLamp_->setColour(onOff(status.serviceRedialActive));
    if (model != CommunicatorModel::TkvC)
        alarmLamp_->setColour(onOff(status.alarmActive));
    lastNumber_->setText(status.lastCallNumber);
    previousNumber_->setText(status.previousCallNumber);
}

void DevicePanel::paintLampsNeutral()
{
    for (Lamp *lamp : {serviceLamp_, alarmLamp_, firstLamp_, secondLamp_})
        lamp->setColour(LampColour::Neutral);
}

void DevicePanel::setConnectGroupVisible(bool visible)
{
    connectGroup_->setVisible(visible);
}
