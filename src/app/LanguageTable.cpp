#include "LanguageTable.h"

#include "IniFile.h"
#include "LanguageDefaults.h"

namespace {

QString entryKey(const QString &section, int key)
{
    return section.toLower() + u'\n' + QString::number(key);
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
    if (!file.isRead())
        return false;
    for (const LanguageDefault &entry : languageDefaults()) {
        const QString section = QString::fromLatin1(entry.section);
        const QString key = QString::number(entry.key);
        if (file.contains(section, key))
            texts_.insert(entryKey(section, entry.key), file.value(section, key));
    }
    return true;
}
