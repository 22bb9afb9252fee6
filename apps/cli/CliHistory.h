#pragma once

#include "params/CommunicatorModel.h"

#include <QString>

class ParameterSet;
struct CliOptions;

// Keeps a reading in the history of readings; a file that cannot be written is told
// on standard error, the reading stands.
void keepReading(const QString &device, CommunicatorModel model, const ParameterSet &set);

// "history [DEVICE]": the readings kept, one line each (device, model, time, file),
// by device with the newest first.
int runHistory(const CliOptions &options);
