#include "history/ReadingHistory.h"

#include "app/LanguageTable.h"
#include "app/ProgramFolder.h"
#include "remote/ExchangeTables.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString timeFormat = QStringLiteral("yyyyMMdd-HHmmss");

QString cleanDevice(const QString &text)
{
    QString device;
    for (const QChar c : text.trimmed()) {
        const bool kept = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')
                          || c == u'+';
        device += kept ? c : u'-';
    }
    return device.isEmpty() ? QStringLiteral("unknown") : device;
}

const QRegularExpression &entryPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([A-Za-z0-9+-]+)_(TKV-C[23]?)_(\d{8}-\d{6})(?:-\d+)?\.GDL$)"));
    return pattern;
}

} // namespace

namespace ReadingHistory {

QString folder()
{
    return ProgramFolder::path() + QStringLiteral("History/");
}

QString localDevice(const QString &serialNumber)
{
    return cleanDevice(serialNumber);
}

QString remoteDevice(const DialParameters &dial)
{
    QString number = dial.telephoneNumber.trimmed();
    if (!dial.parallelNumber.trimmed().isEmpty())
        number += u'-' + dial.parallelNumber.trimmed();
    return QStringLiteral("Tel") + cleanDevice(number);
}

SettingsFileResult archive(const QString &folder, const QString &device, CommunicatorModel model,
                           const QDateTime &time, const ParameterSet &set, const LanguageTable &texts,
                           QString *path)
{
    if (!QDir().mkpath(folder))
        return {false, texts.text(QStringLiteral("Extensions"), 48).arg(QDir::toNativeSeparators(folder))};
    const QString stem = QDir(folder).filePath(
        QStringLiteral("%1_%2_%3").arg(cleanDevice(device), modelName(model), time.toString(timeFormat)));
    QString file = stem + QStringLiteral(".GDL");
    for (int counter = 2; QFileInfo::exists(file); ++counter)
        file = stem + QStringLiteral("-%1.GDL").arg(counter);
    SettingsFileResult result = writeSettingsFile(file, set, texts);
    if (result.ok && path)
        *path = file;
    return result;
}

SettingsFileResult keep(const QString &device, CommunicatorModel model, const ParameterSet &set,
                        const LanguageTable &texts, QString *path)
{
    SettingsFileResult result = archive(folder(), device, model, QDateTime::currentDateTime(), set, texts, path);
    if (!result.ok)
        result.message = texts.text(QStringLiteral("Extensions"), 47).arg(result.message);
    return result;
}

QList<HistoryEntry> list(const QString &folder)
{
    QList<HistoryEntry> entries;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.GDL")}, QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        const QRegularExpressionMatch match = entryPattern().match(info.fileName());
        if (!match.hasMatch())
            continue;
        const std::optional<CommunicatorModel> model = modelFromName(match.captured(2));
        const QDateTime time = QDateTime::fromString(match.captured(3), timeFormat);
        if (!model || !time.isValid())
            continue;
        entries.append({match.captured(1), *model, time, info.absoluteFilePath()});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const HistoryEntry &a, const HistoryEntry &b) {
        if (a.device != b.device)
            return a.device < b.device;
        if (a.time != b.time)
            return a.time > b.time;
        return a.path > b.path;
    });
    return entries;
}

} // namespace ReadingHistory
