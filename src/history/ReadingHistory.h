#pragma once

#include "params/CommunicatorModel.h"
#include "params/SettingsFile.h"

#include <QDateTime>
#include <QList>
#include <QString>

class LanguageTable;
class ParameterSet;
struct DialParameters;

// Every successful reading of a device is kept as a settings file in the history
// folder, so that what a device held before it was overwritten can always be had
// back. The file name carries the device, the model the values belong to and the time:
// "DEVICE_MODEL_yyyyMMdd-HHmmss.GDL" (a counter follows the time when two readings
// share a second).
struct HistoryEntry {
    QString device;  // the serial number, or "Tel" and the number dialled for a remote reading
    CommunicatorModel model = CommunicatorModel::TkvC;
    QDateTime time;
    QString path;
};

namespace ReadingHistory {

// "History/" in the program folder.
QString folder();

// The device part of a file name: letters, digits and "+" kept, anything else
// made "-"; "unknown" when nothing is left.
QString localDevice(const QString &serialNumber);
QString remoteDevice(const DialParameters &dial);

// Writes the set into the history folder. The file is written whole or not at all;
// on failure the result's message names it. path receives the file written.
SettingsFileResult archive(const QString &folder, const QString &device, CommunicatorModel model,
                           const QDateTime &time, const ParameterSet &set, const LanguageTable &texts,
                           QString *path = nullptr);

// Keeps the set as a reading of now in folder(); a failure's message says that the
// reading could not be kept, and why.
SettingsFileResult keep(const QString &device, CommunicatorModel model, const ParameterSet &set,
                        const LanguageTable &texts, QString *path = nullptr);

// The readings in the folder, by device, the newest first for each. Files whose names
// are not ours are left out.
QList<HistoryEntry> list(const QString &folder);

} // namespace ReadingHistory
