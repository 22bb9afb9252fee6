#include "ui/DeviceDataPage.h"

#include "app/LanguageTable.h"
#include "report/DeviceDataLines.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int extendedParallelMode = 0x20;
constexpr int noCode = 255;

} // namespace

DeviceDataPage::DeviceDataPage(QVBoxLayout &page, const LanguageTable &texts, QObject *parent)
    : QObject(parent), texts_(texts)
{
    auto device = [&](int key) { return texts_.text(QStringLiteral("Device"), key); };
    infoGroup_ = new QGroupBox(device(1));
    new QFormLayout(infoGroup_);
    firmware_ = addValue(infoGroup_, device(3));
    initialFirmware_ = addValue(infoGroup_, device(4));
    bootloader_ = addValue(infoGroup_, device(5));
    defaultMode_ = addValue(infoGroup_, device(6));
    externalPower_ = addValue(infoGroup_, device(7));
    ioModule_ = addValue(infoGroup_, device(8));

    configGroup_ = new QGroupBox(device(2));
    auto *form = new QFormLayout(configGroup_);
    serialNumber_ = addValue(configGroup_, device(9));
    model_ = addValue(configGroup_, device(10));
    client_ = addValue(configGroup_, device(11));
    for (const DeviceFeatureBox &feature : deviceFeatureBoxes()) {
        auto *box = new QCheckBox(device(feature.key));
        // Shows what the device reported; nothing here is sent back.
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        box->setFocusPolicy(Qt::NoFocus);
        form->addRow(box);
        features_.append(box);
    }
    parallelMode_ = addValue(configGroup_, texts_.text(QStringLiteral("Tree"), 2));

    page.insertWidget(page.count() - 1, infoGroup_);
    page.insertWidget(page.count() - 1, configGroup_);
}

QLabel *DeviceDataPage::addValue(QGroupBox *group, const QString &caption)
{
    auto *value = new QLabel;
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    static_cast<QFormLayout *>(group->layout())->addRow(caption + QLatin1Char(':'), value);
    return value;
}

void DeviceDataPage::show(const DeviceInfo &info, bool expertView)
{
    firmware_->setText(info.version);
    initialFirmware_->setText(info.initialFirmwareVersion);
    bootloader_->setText(info.bootloaderVersion);
    defaultMode_->setText(info.defaultModeVersion);
    externalPower_->setText(info.externalPowerVersion);
    ioModule_->setText(info.ioModuleFirmwareVersion);
    serialNumber_->setText(info.serialNumber);
    model_->setText(deviceModelText(info, texts_));
    client_->setText(deviceClientText(info, texts_));
    const bool known = info.modelCode != noCode;
    const auto boxes = deviceFeatureBoxes();
    for (int index = 0; index < features_.size(); ++index)
        features_[index]->setChecked(known && (info.featureFlags & boxes[index].bit));
    parallelMode_->setText(texts_.text(QStringLiteral("Device"), info.featureFlags & extendedParallelMode ? 19 : 18));

    // The expert view adds the versions, the fitted options and the parallel mode.
    infoGroup_->setVisible(expertView);
    for (int index = 0; index < features_.size(); ++index)
        features_[index]->setVisible(expertView || !boxes[index].expertOnly);
    auto *form = static_cast<QFormLayout *>(configGroup_->layout());
    form->setRowVisible(parallelMode_, expertView);
    static_cast<QFormLayout *>(infoGroup_->layout())->setRowVisible(ioModule_, expertView);
}
