#pragma once

#include "CliOptions.h"

// remote-read, remote-write and remote-compare: one call over a BlackBox, from the
// dialling to the hang-up; the exit status.
int runRemoteCommand(const CliOptions &options);
