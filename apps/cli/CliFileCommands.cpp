#include "CliFileCommands.h"

#include "CliOutput.h"
#include "CliSession.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/ParameterText.h"
#include "params/SettingsFile.h"
#include "protocol/AlarmImageCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

// Lists of a few parameters differ per model; without --model a file is read with
// the TKV-C2 lists, which are the longer ones.
CommunicatorModel readingModel(const CliOptions &options)
{
    return options.model.value_or(CommunicatorModel::TkvC2);
}

// The model a row is shown and parsed for: --model, else the newest model showing it.
CommunicatorModel modelFor(const ParameterDef &row, const CliOptions &options)
{
    if (options.model)
        return *options.model;
    for (auto model : {CommunicatorModel::TkvC3, CommunicatorModel::TkvC2, CommunicatorModel::TkvC})
        if (row.models.contains(model))
            return model;
    return CommunicatorModel::TkvC3;
}

bool rowListed(const ParameterDef &row, const CliOptions &options)
{
    return !options.model || row.models.contains(*options.model);
}

bool needsModel(const CliOptions &options)
{
    if (options.model)
        return false;
    printError(options.command + QStringLiteral(" needs --model"));
    return true;
}

bool needsOutput(const CliOptions &options)
{
    if (!options.outputFile.isEmpty())
        return false;
    printError(options.command + QStringLiteral(" needs -o FILE"));
    return true;
}

} // namespace

bool loadSettings(const QString &path, CommunicatorModel model, ParameterSet &set, ParameterStatus &status)
{
    const LanguageTable texts;
    // The window always deals in full paths; so does the check.
    const QString problem =
        settingsPathProblem(QFileInfo(path).absoluteFilePath(), SettingsPathSource::CommandLine, texts);
    if (!problem.isEmpty()) {
        printError(path + QStringLiteral(": ") + problem);
        return false;
    }
    applyDefaults(set, status, model);
    const SettingsFileResult result = readSettingsFile(path, set, model, texts);
    if (!result.ok)
        printError(result.message);
    return result.ok;
}

bool saveSettings(const QString &path, const ParameterSet &set)
{
    const SettingsFileResult result = writeSettingsFile(path, set, LanguageTable());
    if (!result.ok)
        printError(result.message);
    return result.ok;
}

bool saveBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    printError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return false;
}

int runDefaults(const CliOptions &options)
{
    if (needsModel(options) || needsOutput(options))
        return ExitBadInput;
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, *options.model);
    return saveSettings(options.outputFile, set) ? ExitDone : ExitDeviceFailed;
}

int runShow(const CliOptions &options)
{
    if (options.arguments.size() != 1) {
        printError(QStringLiteral("show needs one FILE"));
        return ExitBadInput;
    }
    ParameterSet set;
    ParameterStatus status;
    if (!loadSettings(options.arguments.front(), readingModel(options), set, status))
        return ExitBadInput;
    const LanguageTable texts;
    QTextStream out(stdout);
    QStringList members;
    for (const ParameterDef &row : catalogue()) {
        if (!rowListed(row, options))
            continue;
        const CommunicatorModel model = modelFor(row, options);
        const QString caption = captionOf(row, model, texts);
        const QString value = formatValue(row, set.value(row.id), model);
        if (options.json)
            members.append(QStringLiteral("{\"id\": %1, \"code\": %2, \"caption\": %3, \"value\": %4}")
                               .arg(jsonString(row.id), jsonString(row.codeFor(model)), jsonString(caption),
                                    jsonString(value)));
        else
            out << caption << " [" << row.id << "] = " << value << "\n";
    }
    if (options.json)
        out << "[" << members.join(QStringLiteral(",\n ")) << "]\n";
    return ExitDone;
}

int runDiff(const CliOptions &options)
{
    if (options.arguments.size() != 2) {
        printError(QStringLiteral("diff needs two files"));
        return ExitBadInput;
    }
    ParameterSet first;
    ParameterSet second;
    ParameterStatus status;
    if (!loadSettings(options.arguments[0], readingModel(options), first, status)
        || !loadSettings(options.arguments[1], readingModel(options), second, status))
        return ExitBadInput;
    QTextStream out(stdout);
    for (const ParameterDef &row : catalogue()) {
        if (!rowListed(row, options) || first.value(row.id) == second.value(row.id))
            continue;
        const CommunicatorModel model = modelFor(row, options);
        out << row.id << ": " << formatValue(row, first.value(row.id), model) << " -> "
            << formatValue(row, second.value(row.id), model) << "\n";
    }
    return ExitDone;
}

int runSet(const CliOptions &options)
{
    if (options.arguments.size() < 2) {
        printError(QStringLiteral("set needs FILE and at least one ID=VALUE"));
        return ExitBadInput;
    }
    const QString path = options.arguments.front();
    ParameterSet set;
    ParameterStatus status;
    if (!loadSettings(path, readingModel(options), set, status))
        return ExitBadInput;
    // Every change is checked before the file is touched.
    ParameterSet changed = set;
    for (const QString &assignment : options.arguments.mid(1)) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        const ParameterDef *row = equals > 0 ? findById(assignment.left(equals).trimmed()) : nullptr;
        if (!row) {
            printError(QStringLiteral("\"%1\" is not ID=VALUE with a known parameter id").arg(assignment));
            return ExitBadInput;
        }
        QString error;
        const auto value = parseValue(*row, assignment.mid(equals + 1), modelFor(*row, options), error);
        if (!value) {
            printError(error);
            return ExitBadInput;
        }
        changed.set(row->id, *value);
    }
    return saveSettings(path, changed) ? ExitDone : ExitDeviceFailed;
}

int runEncode(const CliOptions &options)
{
    if (needsModel(options) || needsOutput(options))
        return ExitBadInput;
    if (options.arguments.size() != 1) {
        printError(QStringLiteral("encode needs one FILE"));
        return ExitBadInput;
    }
    ParameterSet set;
    ParameterStatus status;
    if (!loadSettings(options.arguments.front(), *options.model, set, status))
        return ExitBadInput;
    // The image carries no status values from a file: they are 0 or empty.
    const QByteArray image = encodeAlarmImage(set, ParameterStatus(), *options.model);
    return saveBytes(options.outputFile, image) ? ExitDone : ExitDeviceFailed;
}

int runDecode(const CliOptions &options)
{
    if (needsModel(options) || needsOutput(options))
        return ExitBadInput;
    if (options.arguments.size() != 1) {
        printError(QStringLiteral("decode needs one IMAGE file"));
        return ExitBadInput;
    }
    QFile file(options.arguments.front());
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        return ExitBadInput;
    }
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, *options.model);
    const ImageDecodeResult result = decodeAlarmImage(file.readAll(), *options.model, set, status);
    if (!result.ok()) {
        printError(file.fileName() + QStringLiteral(": ") + result.message(LanguageTable()).simplified());
        return ExitBadInput;
    }
    return saveSettings(options.outputFile, set) ? ExitDone : ExitDeviceFailed;
}
