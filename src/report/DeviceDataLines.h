#pragma once

#include <QList>
#include <QString>

class LanguageTable;
struct DeviceInfo;

// The TKV-C3 device data as captions and values, widget-free, for the device page
// and the printed report.

// The model of the configuration block: "TKV-C3" for code 3, "Unknown" when the
// device reported none, else the numbered model text.
QString deviceModelText(const DeviceInfo &info, const LanguageTable &texts);
QString deviceClientText(const DeviceInfo &info, const LanguageTable &texts);

struct DeviceDataLine {
    QString caption;
    QString value;
};
// Versions, serial number, model, client, the feature boxes ("+" / "-") and the
// parallel mode, in the order of the device page.
QList<DeviceDataLine> deviceDataLines(const DeviceInfo &info, const LanguageTable &texts);
