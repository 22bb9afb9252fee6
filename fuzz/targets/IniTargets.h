#pragma once

// INI files: Config.ini read and written back key by key, and the language files
// (*.lng) read into the language table.

#include "FuzzSupport.h"

#include "app/AppConfig.h"
#include "app/IniFile.h"
#include "app/LanguageDefaults.h"
#include "app/LanguageTable.h"

#include <QFileInfo>

namespace ostrakel::fuzz {

inline QHash<QString, QString> knownValues(const IniFile &file, const QList<IniEntry> &keys)
{
    QHash<QString, QString> values;
    for (const IniEntry &key : keys)
        if (file.contains(key.section, key.key))
            values.insert(key.section + u'\n' + key.key, file.value(key.section, key.key));
    return values;
}

// Input: the file. Its first line (up to 24 bytes, Latin-1) is also written as a
// value, which must be refused when it holds a line break.
inline void iniTarget(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const QString path = inputFile(AppConfig::fileName(), bytes);
    const QList<IniEntry> probes{
        {QStringLiteral("Setup"), QStringLiteral("COM"), {}},   {QStringLiteral("Setup"), QStringLiteral("USB"), {}},
        {QStringLiteral("Setup"), QStringLiteral("Lang"), {}},  {QStringLiteral("PATH"), QStringLiteral("FIRM"), {}},
        {QStringLiteral("PATH"), QStringLiteral("AUDIO1"), {}}, {QStringLiteral("Dimension"), QStringLiteral("Width"), {}},
    };

    IniFile file(path);
    OSTRAKEL_FUZZ_CHECK(file.isRead());
    const QHash<QString, QString> before = knownValues(file, probes);
    (void)file.intValue(QStringLiteral("Setup"), QStringLiteral("COM"), 0);

    // A value written over the file reads back exactly; the other keys stay.
    const QString value = QString::fromLatin1(bytes.left(24));
    const bool breaks = value.contains(u'\n') || value.contains(u'\r');
    const bool written = file.setValues({{QStringLiteral("PATH"), QStringLiteral("FIRM"), value},
                                         {QStringLiteral("Fuzz"), QStringLiteral("Key"), QStringLiteral("1")}});
    OSTRAKEL_FUZZ_CHECK(written != breaks);
    IniFile reread(path);
    OSTRAKEL_FUZZ_CHECK(reread.isRead());
    QHash<QString, QString> after = knownValues(reread, probes);
    if (written) {
        OSTRAKEL_FUZZ_CHECK(reread.value(QStringLiteral("PATH"), QStringLiteral("FIRM")) == value);
        OSTRAKEL_FUZZ_CHECK(reread.value(QStringLiteral("Fuzz"), QStringLiteral("Key")) == u"1");
        after.remove(QStringLiteral("PATH\nFIRM"));
        QHash<QString, QString> expected = before;
        expected.remove(QStringLiteral("PATH\nFIRM"));
        OSTRAKEL_FUZZ_CHECK(after == expected);
    } else {
        OSTRAKEL_FUZZ_CHECK(!file.errorString().isEmpty());
        OSTRAKEL_FUZZ_CHECK(after == before);
    }

    // The program's own settings over the same file.
    inputFile(AppConfig::fileName(), bytes);
    AppConfig config;
    const QString folder = QFileInfo(path).absolutePath() + u'/';
    OSTRAKEL_FUZZ_CHECK(config.load(folder));
    OSTRAKEL_FUZZ_CHECK(config.save());
}

// Input: the language file. Every entry of the catalogue is looked up, as the
// windows do when the language changes.
inline void languageTarget(const std::uint8_t *data, std::size_t size)
{
    static LanguageTable table;
    const QString path = inputFile(QStringLiteral("Language.lng"), bytesOf(data, size));
    OSTRAKEL_FUZZ_CHECK(table.load(path));
    for (const LanguageDefault &entry : languageDefaults())
        (void)table.text(QString::fromLatin1(entry.section), entry.key);
    (void)table.mainWindowCaption(QStringLiteral("1.0.0"));
    (void)table.firmwareOpenButtonText();
    (void)table.readErrorNoDataText();
    (void)table.readErrorDefaultDataText();
}

}  // namespace ostrakel::fuzz
