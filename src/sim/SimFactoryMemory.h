#pragma once

#include "sim/SimDevice.h"

#include <QByteArray>

// The parameter memory a device of the kind leaves the factory with (empty for a
// voice module, which has none on the service cable).
QByteArray factoryMemory(SimKind kind);
