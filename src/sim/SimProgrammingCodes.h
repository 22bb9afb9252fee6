#pragma once

#include "sim/SimDevice.h"

#include <QByteArray>

// The DTMF programming codes a communicator takes in programming mode: a code of two
// to four characters followed by its value, one code per burst of digits. The
// communicator stores the value in its own memory layout.
//
// Returns false when the model does not know the code or the value has the wrong
// form; the communicator then keeps silent. A code the model knows but has no place
// for is taken (true) and changes nothing.
bool applyProgrammingCode(SimKind model, const QByteArray &command, QByteArray &memory);
