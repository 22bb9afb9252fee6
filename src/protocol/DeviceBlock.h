#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/ImageDecodeResult.h"

#include <QByteArray>
#include <QString>

class ParameterSet;
struct ParameterStatus;

// The parameter block each kind of device on the cable keeps: the communicator's
// image ("Alarm"), the I/O module's ("Option") and the switch board's ("Switch").
// A voice module has none.
bool hasParameterBlock(const QString &deviceType);
// 256, 23 or 8 bytes; 0 for a device without a block.
int parameterBlockLength(const QString &deviceType);
ImageDecodeResult decodeParameterBlock(const QString &deviceType, const QByteArray &block, CommunicatorModel model,
                                       ParameterSet &set, ParameterStatus &status);
QByteArray encodeParameterBlock(const QString &deviceType, const ParameterSet &set, const ParameterStatus &status,
                                CommunicatorModel model);
