#pragma once

#include "params/CommunicatorModel.h"

#include <QStringList>

class LanguageTable;

constexpr int comparisonLabelWidth = 50;

// The names of the 256 bytes of an AlarmImage in the comparison of readings (entry 0
// names byte 1), each exactly comparisonLabelWidth characters, built from the captions
// the main window shows for the model in the current language.
QStringList comparisonLabels(CommunicatorModel model, const LanguageTable &texts);

// Whether the "important" filter lists a difference in the byte (1-based): every byte
// but the service-call time, the reset counters, the marker, the version, the serial
// number, the last call numbers and the last byte.
bool isImportantByte(int byte);
