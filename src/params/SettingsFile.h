#pragma once

#include "params/CommunicatorModel.h"
#include "params/ParameterSet.h"

#include <QString>

class LanguageTable;

struct SettingsFileResult {
    bool ok = true;
    QString message;  // why the file was refused or could not be written; names the file
};

// Writes every parameter of the set as a settings file (.GDL) of 166 records. The file
// is replaced as a whole: when anything fails the old file stays as it was.
SettingsFileResult writeSettingsFile(const QString &path, const ParameterSet &set, const LanguageTable &texts);

// Applies a settings file of 90 to 166 records to the set; records are known by their
// position, the keys are not looked at. Parameters of missing records keep their
// values. A choice index outside its list (in the lists of the given model) leaves the
// choice without a selection. The whole file is checked before anything is applied:
// a refused file leaves the set exactly as it was.
SettingsFileResult readSettingsFile(const QString &path, ParameterSet &set, CommunicatorModel model,
                                    const LanguageTable &texts);

// Where a settings file path came from; the two refuse a wrong extension differently.
enum class SettingsPathSource { OpenDialog, CommandLine };

// The message that refuses a path before it is opened, or an empty text when the path
// names a settings file: too short to be a path, or an extension other than "GDL".
QString settingsPathProblem(const QString &path, SettingsPathSource source, const LanguageTable &texts);
