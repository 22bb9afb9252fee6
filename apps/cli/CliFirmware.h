#pragma once

#include "CliOptions.h"

class CliSession;

// hex-check FILE.HEX: what the file holds and whether the upgrade would take it.
int runHexCheck(const CliOptions &options);
// firmware FILE.HEX on the identified communicator of the session.
int runFirmware(CliSession &session, const CliOptions &options);
