#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/ImageDecodeResult.h"

#include <QByteArray>

class ParameterSet;
struct ParameterStatus;

// The 23-byte memory of the I/O module of a TKV-C.
constexpr int optionBlockLength = 23;

// Decodes the "PC" reply of an I/O module. Of another length than 23 bytes nothing
// is applied: every parameter is reset to the model's defaults. Without the marker
// in byte 16 the parameters are reset to the defaults as well, and the input
// filters 4 to 8 and output 4 (bytes 18..23) are still taken from the block.
ImageDecodeResult decodeOptionBlock(const QByteArray &bytes, CommunicatorModel model, ParameterSet &set,
                                    ParameterStatus &status);

QByteArray encodeOptionBlock(const ParameterSet &set);
