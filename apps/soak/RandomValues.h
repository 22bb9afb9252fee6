#pragma once

#include "SoakRandom.h"

#include "params/CommunicatorModel.h"
#include "sim/SimFaultPlan.h"

class ParameterSet;

// Changes a few parameters of the model to other values the window would take (a
// list entry, a flag, a text its field accepts), as a technician does before writing.
void changeSomeValues(SoakRandom &random, ParameterSet &set, CommunicatorModel model);

// How hard the faults strike one exchange.
enum class FaultStrength { Clean, Light, Heavy };

// The chances for one line, drawn anew for each exchange: each kind of fault off
// or at one of three rates, a longest delay of 50 ms, 0.4 s or 4 s. scale divides
// the rates, for lines that carry many events per exchange.
SimFaultChances randomChances(SoakRandom &random, FaultStrength strength, int scale = 1);
FaultStrength randomStrength(SoakRandom &random);
