#pragma once

#include "protocol/DeviceInfo.h"

#include <QList>
#include <QObject>

class LanguageTable;
class QCheckBox;
class QGroupBox;
class QLabel;
class QVBoxLayout;

// The TKV-C3 device data page: its versions and serial number, and the configuration
// it reported (model, client, feature boxes, parallel mode). Read-only; the expert
// view shows the entries a technician does not normally need.
class DeviceDataPage : public QObject {
    Q_OBJECT
public:
    DeviceDataPage(QVBoxLayout &page, const LanguageTable &texts, QObject *parent = nullptr);

    void show(const DeviceInfo &info, bool expertView);

    QLabel *modelLabel() const { return model_; }
    QGroupBox *infoGroup() const { return infoGroup_; }
    const QList<QCheckBox *> &featureBoxes() const { return features_; }

private:
    QLabel *addValue(QGroupBox *group, const QString &caption);

    const LanguageTable &texts_;
    QGroupBox *infoGroup_;
    QGroupBox *configGroup_;
    QLabel *firmware_;
    QLabel *initialFirmware_;
    QLabel *bootloader_;
    QLabel *defaultMode_;
    QLabel *externalPower_;
    QLabel *ioModule_;
    QLabel *serialNumber_;
    QLabel *model_;
    QLabel *client_;
    QLabel *parallelMode_;
    QList<QCheckBox *> features_;
};
