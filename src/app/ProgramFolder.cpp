#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>

namespace {

QString withSeparator(const QString &folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

} // namespace

namespace ProgramFolder {

QString resolve(const QString &home, const QString &executableFolder, const QString &configHome, bool installed)
{
    QString folder;
    if (!home.isEmpty())
        folder = home;
    else if (!installed && QFileInfo(executableFolder).isDir() && QFileInfo(executableFolder).isWritable())
        folder = executableFolder;
    else
        folder = configHome + QStringLiteral("/ostrakel");
    QDir().mkpath(folder);
    return withSeparator(folder);
}

QString path()
{
    return resolve(qEnvironmentVariable("OSTRAKEL_HOME"), QCoreApplication::applicationDirPath(),
                   QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                   QFileInfo(installedDataFolder()).isDir());
}

QString installedDataFolder()
{
    return withSeparator(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/ostrakel"));
}

QStringList languageFiles()
{
    QMap<QString, QString> byName;  // lower-case name -> path
    for (const QString &folder : {installedDataFolder(), path()}) {
        const QStringList names = QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files);
        for (const QString &name : names)
            byName.insert(name.toLower(), folder + name);
    }
    return byName.values();
}

QStringList dataFolders()
{
    const QStringList candidates = {
        path(),
        installedDataFolder(),
        // This file lives in <source>/src/app/; the shipped data is in <source>/data/.
        QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../data"),
    };
    QStringList folders;
    for (const QString &candidate : candidates) {
        if (!QFileInfo(candidate).isDir())
            continue;
        const QString folder = withSeparator(candidate);
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return folders;
}

QString findDataFile(const QString &fileName)
{
    for (const QString &folder : dataFolders()) {
        if (QFileInfo(folder + fileName).isFile())
            return folder + fileName;
    }
    return QString();
}

} // namespace ProgramFolder
