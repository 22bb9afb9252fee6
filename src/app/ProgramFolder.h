#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps Config.ini, the language files, its logs and reports.
namespace ProgramFolder {

// The program folder, always with a trailing "/": $OSTRAKEL_HOME when set, else the
// executable's folder when it is writable and the program is not installed (no
// installed data folder beside it), else $XDG_CONFIG_HOME/ostrakel/ (by default
// ~/.config/ostrakel/). Created when missing. Computed afresh on every call.
QString path();

// The same choice from explicit inputs (an empty home means "not set"). An installed
// program never writes beside itself, not even when run with the rights to.
QString resolve(const QString &home, const QString &executableFolder, const QString &configHome,
                bool installed = false);

// The installed data folder (<prefix>/share/ostrakel/ beside the program's bin/), with
// a trailing "/"; it need not exist.
QString installedDataFolder();

// The language files offered: those of the program folder and of the installed data
// folder, the program folder's winning where both hold one name; sorted by name.
QStringList languageFiles();

// Folders that may hold language files and tone samples, existing ones only, the
// program folder first, then the installed data folder (<prefix>/share/ostrakel/)
// and the data folder of the source tree the program was built from.
QStringList dataFolders();

// The first of dataFolders() that holds fileName, as a full path; empty when none does.
QString findDataFile(const QString &fileName);

} // namespace ProgramFolder
