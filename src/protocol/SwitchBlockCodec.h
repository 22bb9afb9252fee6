#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/ImageDecodeResult.h"

#include <QByteArray>

class ParameterSet;
struct ParameterStatus;

// The 8-byte memory of the line switch board.
constexpr int switchBlockLength = 8;

// Decodes the "PC" reply of a switch board. Of another length than 8 bytes nothing
// is applied: every parameter is reset to the model's defaults.
ImageDecodeResult decodeSwitchBlock(const QByteArray &bytes, CommunicatorModel model, ParameterSet &set,
                                    ParameterStatus &status);

QByteArray encodeSwitchBlock(const ParameterSet &set);
