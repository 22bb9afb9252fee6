#pragma once

#include "CliOptions.h"

// voice --slot N FILE.WAV: one voice message into the TKV-C3 or the voice module on
// the cable.
int runVoice(const CliOptions &options);
