#pragma once

#include "CliOptions.h"

// Runs one command of the command-line tool; returns the exit status.
int runCliCommand(const CliOptions &options);
