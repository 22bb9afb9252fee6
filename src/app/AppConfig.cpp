#include "AppConfig.h"

#include "IniFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString setup = QStringLiteral("Setup");
const QString dimension = QStringLiteral("Dimension");
const QString pathSection = QStringLiteral("PATH");

// The marker entries: never read, written "OK" / "-" when the file is created and at exit.
QList<IniEntry> markers()
{
    return {
        {QStringLiteral("Info"),
         QStringLiteral("Program for settings TKV-C, TKV-C2, Option, Talker, SwitchBoard"),
         QStringLiteral("OK")},
        {QStringLiteral("Info"),
         QStringLiteral("Config file with basic setting of program Ostrakel Configurator"),
         QStringLiteral("OK")},
        {QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")},
    };
}

QString number(int value)
{
    return QString::number(value);
}

} // namespace

bool AppConfig::load(const QString &programFolder, QString *errorString)
{
    folder = programFolder;
    if (errorString)
        errorString->clear();
    const QString path = filePath(programFolder);
    if (!QFile::exists(path)) {
        *this = AppConfig();
        folder = programFolder;
        newTkv = false;
        // No [Dimension] yet: the window keeps its built-in size.
        height = builtInHeight;
        languageFilePath = folder + defaultLanguageFile();
        IniFile file(path);
        QList<IniEntry> entries = markers();
        entries += {
            {setup, QStringLiteral("USB"), QStringLiteral("0")},
            {setup, QStringLiteral("COM"), QStringLiteral("0")},
            {setup, QStringLiteral("Lang"), defaultLanguageFile()},
            {setup, QStringLiteral("LOGFILE"), QStringLiteral("1")},
            {setup, QStringLiteral("NEW-TKV"), QStringLiteral("0")},
        };
        if (!file.setValues(entries) && errorString)
            *errorString = file.errorString();
        return false;
    }

    const IniFile file(path);
    if (!file.isRead() && errorString)
        *errorString = file.errorString();
    const AppConfig defaults;
    usb = file.intValue(setup, QStringLiteral("USB"), defaults.usb);
    com = file.intValue(setup, QStringLiteral("COM"), defaults.com);
    logFile = file.intValue(setup, QStringLiteral("LOGFILE"), 1) == 1;
    newTkv = file.intValue(setup, QStringLiteral("NEW-TKV"), 1) == 1;
    comPath = file.value(setup, QStringLiteral("COMPATH"));
    sim = file.value(setup, QStringLiteral("SIM"));
    width = file.intValue(dimension, QStringLiteral("Width"), defaults.width);
    height = file.intValue(dimension, QStringLiteral("Height"), defaults.height);
    languageFilePath = folder + file.value(setup, QStringLiteral("Lang"), defaultLanguageFile());
    return true;
}

bool AppConfig::save(QString *errorString) const
{
    QList<IniEntry> entries = markers();
    entries += {
        {setup, QStringLiteral("USB"), number(usb)},
        {setup, QStringLiteral("COM"), number(com)},
        {setup, QStringLiteral("Lang"), QFileInfo(languageFilePath).fileName()},
        {setup, QStringLiteral("LOGFILE"), number(logFile ? 1 : 0)},
        {setup, QStringLiteral("NEW-TKV"), number(newTkv ? 1 : 0)},
        {setup, QStringLiteral("COMPATH"), comPath},
        {setup, QStringLiteral("SIM"), sim},
        {dimension, QStringLiteral("Width"), number(width)},
        {dimension, QStringLiteral("Height"), number(height)},
        {dimension, QStringLiteral("Left"), number(left)},
        {dimension, QStringLiteral("Top"), number(top)},
    };
    IniFile file(filePath(folder));
    if (file.setValues(entries))
        return true;
    if (errorString)
        *errorString = file.errorString();
    return false;
}

QString AppConfig::readPath(const QString &programFolder, const QString &key,
                            const QString &defaultValue)
{
    return IniFile::readValue(filePath(programFolder), pathSection, key, defaultValue);
}

bool AppConfig::writePath(const QString &programFolder, const QString &key, const QString &value,
                          QString *errorString)
{
    return IniFile::writeValue(filePath(programFolder), pathSection, key, value, errorString);
}
