#pragma once

#include <QList>
#include <QString>
#include <span>

class LanguageTable;
struct DeviceInfo;

// The TKV-C3 device data as captions and values, widget-free, for the device page
// and the printed report.

// The model of the configuration block: "TKV-C3" for code 3, "Unknown" when the
// device reported none, else the numbered model text.
QString deviceModelText(const DeviceInfo &info, const LanguageTable &texts);
QString deviceClientText(const DeviceInfo &info, const LanguageTable &texts);

// The feature boxes of the configuration byte: its bit, the [Device] key of the box's
// caption, and whether only the expert view shows it.
struct DeviceFeatureBox {
    int bit;
    int key;
    bool expertOnly;
};
std::span<const DeviceFeatureBox> deviceFeatureBoxes();

struct DeviceDataLine {
    QString caption;
    QString value;
};
// Versions, serial number, model, client, the feature boxes ("+" / "-") and the
// parallel mode, in the order of the device page.
QList<DeviceDataLine> deviceDataLines(const DeviceInfo &info, const LanguageTable &texts);
