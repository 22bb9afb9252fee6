#include "LanguageTable.h"

#include "IniFile.h"
#include "LanguageDefaults.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

QString entryKey(const QString &section, int key)
{
    return section.toLower() + u'\n' + QString::number(key);
}

QString readErrorLine(const QString &text)
{
    return QStringLiteral("      - ") + text + QStringLiteral(" -");
}

} // namespace

LanguageTable::LanguageTable()
{
    resetToDefaults();
}

QString LanguageTable::text(const QString &section, int key) const
{
    return texts_.value(entryKey(section, key));
}

void LanguageTable::resetToDefaults()
{
    texts_.clear();
    for (const LanguageDefault &entry : languageDefaults()) {
        texts_.insert(entryKey(QString::fromLatin1(entry.section), entry.key),
                      QString::fromUtf8(entry.text));
    }
}

bool LanguageTable::load(const QString &path)
{
    resetToDefaults();
    const IniFile file(path);
    if (!file.isRead()) {
        error_ = file.errorString();  // names the file
        return false;
    }
    for (const LanguageDefault &entry : languageDefaults()) {
        const QString section = QString::fromLatin1(entry.section);
        const QString key = QString::number(entry.key);
        if (file.contains(section, key))
            texts_.insert(entryKey(section, entry.key), file.value(section, key));
    }
    error_.clear();
    return true;
}

bool LanguageTable::save(const QString &path)
{
    // IniFile writes the lines (and quotes the texts whose outer blanks or quotes
    // reading would strip); it does so into an empty scratch file so that nothing of
    // an older file at path survives.
    QList<IniEntry> entries;
    for (const LanguageDefault &entry : languageDefaults()) {
        const QString section = QString::fromLatin1(entry.section);
        entries.append({section, QString::number(entry.key), text(section, entry.key)});
    }
    const QTemporaryDir scratchDir;
    IniFile scratch(scratchDir.filePath(QStringLiteral("language.lng")));
    if (!scratchDir.isValid() || !scratch.setValues(entries)) {
        error_ = QStringLiteral("Cannot write %1: %2")
                     .arg(path, scratchDir.isValid() ? scratch.errorString()
                                                     : scratchDir.errorString());
        return false;
    }
    QFile written(scratch.path());
    if (!written.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("Cannot write %1: %2").arg(path, written.errorString());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(written.readAll()) < 0 || !file.commit()) {
        error_ = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    error_.clear();
    return true;
}

QString LanguageTable::mainWindowCaption(const QString &programVersion) const
{
    return text(QStringLiteral("Info"), 1) + QStringLiteral("  ") + QStringLiteral(" V")
           + programVersion.left(4);
}

QString LanguageTable::firmwareOpenButtonText() const
{
    return text(QStringLiteral("Firmware"), 1) + QStringLiteral(" *.HEX");
}

QString LanguageTable::bootloaderVersionLead() const
{
    return text(QStringLiteral("Message"), 81) + u' ';
}

QString LanguageTable::bootloaderCpuLead() const
{
    return u' ' + text(QStringLiteral("Message"), 82) + u' ';
}

QString LanguageTable::readErrorNoDataText() const
{
    return readErrorLine(text(QStringLiteral("Message"), 50));
}

QString LanguageTable::readErrorDefaultDataText() const
{
    return readErrorLine(text(QStringLiteral("Message"), 52));
}

QString LanguageTable::printTitleSuffix() const
{
    return u' ' + text(QStringLiteral("Message"), 24);
}
