#pragma once

#include "params/CommunicatorModel.h"

class Clock;
class LinkPort;

// Tells the communicator on the cable to enter its firmware loader: "x", after an
// "F" for a TKV-C or TKV-C2 whose firmware takes it (version 38 and later). False
// when the cable did not take the last command.
bool enterFirmwareLoader(LinkPort &link, Clock &clock, CommunicatorModel model, bool acceptsF);
