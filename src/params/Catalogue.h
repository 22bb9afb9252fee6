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
// The caption of the row's group box for the model (empty when it has none).
QString groupCaptionOf(const ParameterDef &row, CommunicatorModel model, const LanguageTable &texts);
// The entries of the row's value list as shown: from the language texts where an
// entry has one.
QStringList entryTextsOf(const ParameterDef &row, CommunicatorModel model, const LanguageTable &texts);
// The row's hint, unit word and entry hints (flag sets) from the language texts.
QString hintOf(const ParameterDef &row, const LanguageTable &texts);
QString unitOf(const ParameterDef &row, const LanguageTable &texts);
QStringList entryHintsOf(const ParameterDef &row, const LanguageTable &texts);

// Every parameter to its default for the model except lineDisconnectLed, which keeps
// its value; the "Alarm" internal state inactive, the other status values kept.
void applyDefaults(ParameterSet &set, ParameterStatus &status, CommunicatorModel model);
// Rebuilds the model-dependent value lists and applies the new model's defaults.
void changeModel(ParameterSet &set, ParameterStatus &status, CommunicatorModel model);
