#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/ImageDecodeResult.h"

#include <QByteArray>
#include <QChar>

class ParameterSet;
struct ParameterStatus;

constexpr int alarmImageLength = 256;
constexpr int imageMarker = 85;  // byte 16 of a sound image, the character "U"

// The local decimal separator, which the voltage fields show.
QChar localDecimalSeparator();

// Decodes the "PC" reply of a communicator into the parameters the model stores and
// the status values. Nothing is applied unless the image is sound: of another length
// than 256 bytes, or without the marker in byte 16, every parameter is reset to the
// model's defaults (applyDefaults) instead and the failure is returned. Parameters
// the model does not store keep their values. Voltages are written with the given
// decimal separator.
ImageDecodeResult decodeAlarmImage(const QByteArray &bytes, CommunicatorModel model, ParameterSet &set,
                                   ParameterStatus &status,
                                   QChar decimalSeparator = localDecimalSeparator());

// The 256-byte image of the parameters and status values for the model.
QByteArray encodeAlarmImage(const ParameterSet &set, const ParameterStatus &status, CommunicatorModel model);

// The working image the comparison starts from: the encoded values with byte 16
// forced to the marker.
QByteArray baselineAlarmImage(const ParameterSet &set, const ParameterStatus &status, CommunicatorModel model);
