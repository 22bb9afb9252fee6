#pragma once

#include "params/CommunicatorModel.h"

#include <QString>

// The number of entries of the value list of parameter id for the model, which
// bounds the indexes the image codecs read back (0 for an unknown id).
int entriesOf(const QString &id, CommunicatorModel model);
