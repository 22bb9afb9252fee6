#include "ui/DevicePanel.h"

#include "app/LanguageTable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString mainText(const LanguageTable &texts, int key)
{
    return texts.text(QStringLiteral("Main"), key);
}

QLabel *newLamp(const QString &letter)
{
    auto *lamp = new QLabel(letter);
    lamp->setAlignment(Qt::AlignCenter);
    lamp->setFixedSize(18, 18);
    lamp->setStyleSheet(DevicePanel::lampStyle(LampColour::Neutral));
    return lamp;
}

} // namespace

DevicePanel::DevicePanel(const LanguageTable &texts, QWidget *parent) : QWidget(parent), texts_(texts)
{
    auto *column = new QVBoxLayout(this);

    auto *top = new QGridLayout;
    serialNumber_ = new QLabel;
    serviceTime_ = new QLabel;
    top->addWidget(new QLabel(mainText(texts, 12)), 0, 0);
    top->addWidget(serialNumber_, 0, 1);
    top->addWidget(new QLabel(mainText(texts, 13)), 1, 0);
    top->addWidget(serviceTime_, 1, 1);
    top->addWidget(new QLabel(mainText(texts, 11)), 1, 2);
    column->addLayout(top);

    auto *connectGroup = new QGroupBox(mainText(texts, 14));
    auto *connectLayout = new QVBoxLayout(connectGroup);
    modelSelector_ = new QComboBox;
    for (auto model : {CommunicatorModel::TkvC, CommunicatorModel::TkvC2, CommunicatorModel::TkvC3})
        modelSelector_->addItem(modelName(model));
    deviceType_ = new QLabel;
    deviceType_->hide();
    connectLayout->addWidget(modelSelector_);
    connectLayout->addWidget(deviceType_);
    column->addWidget(connectGroup);
    connect(modelSelector_, &QComboBox::activated, this,
            [this](int index) { Q_EMIT modelSelected(CommunicatorModel(index)); });

    counterGroup_ = new QGroupBox(mainText(texts, 16));
    liftStarts_ = new QLabel;
    (new QVBoxLayout(counterGroup_))->addWidget(liftStarts_);
    column->addWidget(counterGroup_);

    voltageGroup_ = new QGroupBox(mainText(texts, 17));
    auto *voltages = new QGridLayout(voltageGroup_);
    firstVoltageCaption_ = new QLabel;
    firstVoltage_ = new QLabel;
    firstLamp_ = newLamp(QStringLiteral("V"));
    secondVoltageCaption_ = new QLabel;
    secondVoltage_ = new QLabel;
    secondLamp_ = newLamp(QStringLiteral("V"));
    voltages->addWidget(firstVoltageCaption_, 0, 0);
    voltages->addWidget(firstVoltage_, 0, 1);
    voltages->addWidget(firstLamp_, 0, 2);
    voltages->addWidget(secondVoltageCaption_, 1, 0);
    voltages->addWidget(secondVoltage_, 1, 1);
    voltages->addWidget(secondLamp_, 1, 2);
    column->addWidget(voltageGroup_);
    column->addStretch();
}

QString DevicePanel::lampStyle(LampColour colour)
{
    switch (colour) {
    case LampColour::Red: return QStringLiteral("background: red;");
    case LampColour::Green: return QStringLiteral("background: lime;");
    case LampColour::Yellow: return QStringLiteral("background: yellow;");
    case LampColour::Inactive: return QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #7a96df, stop:1 #d6dff7);");
    case LampColour::Neutral: break;
    }
    return QStringLiteral("background: palette(button);");
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
    firstLamp_->setStyleSheet(lampStyle(info.supplyVoltageLamp));
    secondLamp_->setStyleSheet(lampStyle(info.secondVoltageLamp));
}
