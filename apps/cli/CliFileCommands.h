#pragma once

#include "CliOptions.h"

#include "params/CommunicatorModel.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"

class LanguageTable;

// Commands that work on settings files and images without a device.
int runDefaults(const CliOptions &options);
int runShow(const CliOptions &options);
int runDiff(const CliOptions &options);
int runSet(const CliOptions &options);
int runEncode(const CliOptions &options);
int runDecode(const CliOptions &options);

// A settings file read onto the defaults of the model; prints why not and returns
// false when the file is refused.
bool loadSettings(const QString &path, CommunicatorModel model, ParameterSet &set, ParameterStatus &status);
// Writes the settings file through a temporary file; prints why not.
bool saveSettings(const QString &path, const ParameterSet &set);
// Writes raw bytes through a temporary file; prints why not.
bool saveBytes(const QString &path, const QByteArray &bytes);
