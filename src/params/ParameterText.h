#pragma once

#include "params/CommunicatorModel.h"
#include "params/ParameterSet.h"

#include <QString>
#include <optional>

struct ParameterDef;

// Parameter values as plain text, the way the command-line tool shows them and
// takes them back: a choice as its entry, a flag as "on" / "off", a phone number
// followed by " confirming" when confirmed, a timed choice as entry and unit, a flag
// set as its set entries in braces, texts as they are.
QString formatValue(const ParameterDef &row, const ParameterValue &value, CommunicatorModel model);

// The value a text stands for, checked against the row's list or character rules;
// on failure nothing is returned and error says why.
std::optional<ParameterValue> parseValue(const ParameterDef &row, const QString &text, CommunicatorModel model,
                                         QString &error);
