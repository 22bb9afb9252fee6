#include "CliHistory.h"

#include "CliOptions.h"
#include "CliOutput.h"
#include "CliSession.h"

#include "app/LanguageTable.h"
#include "history/ReadingHistory.h"

#include <QDateTime>
#include <QTextStream>
#include <cstdio>

void keepReading(const QString &device, CommunicatorModel model, const ParameterSet &set)
{
    const LanguageTable texts;
    QString path;
    const SettingsFileResult result = ReadingHistory::keep(device, model, set, texts, &path);
    if (result.ok)
        std::fprintf(stderr, "kept in the history: %s\n", qPrintable(path));
    else
        printError(result.message);
}

int runHistory(const CliOptions &options)
{
    if (options.arguments.size() > 1) {
        printError(QStringLiteral("history takes at most one DEVICE"));
        return ExitBadInput;
    }
    const QString device = options.arguments.value(0);
    QTextStream out(stdout);
    QStringList items;
    for (const HistoryEntry &entry : ReadingHistory::list(ReadingHistory::folder())) {
        if (!device.isEmpty() && entry.device.compare(device, Qt::CaseInsensitive) != 0)
            continue;
        const QString time = entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (options.json) {
            items.append(QStringLiteral("{\"device\": %1, \"model\": %2, \"time\": %3, \"file\": %4}")
                             .arg(jsonString(entry.device), jsonString(modelName(entry.model)), jsonString(time),
                                  jsonString(entry.path)));
        } else {
            out << entry.device << "  " << modelName(entry.model) << "  " << time << "  " << entry.path << "\n";
        }
    }
    if (options.json)
        out << "[" << items.join(QStringLiteral(", ")) << "]\n";
    return ExitDone;
}
