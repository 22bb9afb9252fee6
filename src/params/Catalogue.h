#pragma once

#include "params/CommunicatorModel.h"
#include "params/ParameterDef.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"

#include <QList>
#include <span>

class LanguageTable;

// The catalogue of every parameter, in the order of the pages of the main window.
std::span<const ParameterDef> catalogue();
// The row of a parameter id, or nullptr.
const ParameterDef *findById(const QString &id);
// Every row whose programming code for the model is the given text.
QList<const ParameterDef *> findByCode(const QString &code, CommunicatorModel model);
// Code + " " + caption for the model, the caption from the language texts.
QString captionOf(const ParameterDef &row, CommunicatorModel model, const LanguageTable &texts);

// Every parameter to its default for the model; the "Alarm" internal state inactive.
void applyDefaults(ParameterSet &set, ParameterStatus &status, CommunicatorModel model);
// Rebuilds the model-dependent value lists and applies the new model's defaults.
void changeModel(ParameterSet &set, ParameterStatus &status, CommunicatorModel model);
