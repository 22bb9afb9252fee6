#pragma once

#include "params/CommunicatorModel.h"

#include <QByteArray>
#include <QString>

// What the upgrade of the model would say of the HEX text before it sends anything to
// the communicator: 0 when it would go on (see UpgradeResult). A TKV-C3 file is read
// as for the larger program memory; the bootloader's own report of the size is
// checked again before the erase.
int firmwareFileProblem(const QByteArray &text, CommunicatorModel model, const QString &versionText);
