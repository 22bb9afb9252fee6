#include "support/SourceData.h"

#include "app/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using EntryName = QPair<QString, QString>;  // section, key

// Sections and keys in file order; a section header is listed with an empty key.
QList<EntryName> entryNames(const QString &text)
{
    QList<EntryName> names;
    QString section;
    for (const QString &line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u'[')) {
            section = line.mid(1).chopped(1);
            names.append({section, QString()});
        } else if (const qsizetype equals = line.indexOf(u'='); equals > 0) {
            names.append({section, line.left(equals)});
        }
    }
    return names;
}

std::string describe(const EntryName &name)
{
    return QStringLiteral("[%1] %2").arg(name.first, name.second).toStdString();
}

// The placeholders of a text, sorted, so that a translation may reorder them.
std::string placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%[1-9sd]"));
    QStringList found;
    for (const QRegularExpressionMatch &match : pattern.globalMatch(text))
        found << match.captured();
    found.sort();
    return found.join(u' ').toStdString();
}

// German.lng must be a complete translation: every English entry present under the
// same name and in the same place, nothing added, the placeholders of each text kept,
// and no text left empty that has an English text.
TEST(GermanLng, TranslatesEveryEnglishEntry)
{
    QFile file(sourceDataPath(QStringLiteral("German.lng")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
    const QByteArray bytes = file.readAll();

    // One byte that is not UTF-8 would make the whole file read as Windows-1252.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString germanContents = utf8(bytes);
    ASSERT_FALSE(utf8.hasError()) << "German.lng is not valid UTF-8";
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "German.lng has line ends other than CR LF";

    const QString englishPath = sourceDataPath(QStringLiteral("English.lng"));
    QFile englishFile(englishPath);
    ASSERT_TRUE(englishFile.open(QIODevice::ReadOnly)) << qPrintable(englishPath);
    const QList<EntryName> names = entryNames(QString::fromUtf8(englishFile.readAll()));
    ASSERT_GT(names.size(), 600);
    const QList<EntryName> germanNames = entryNames(germanContents);
    for (qsizetype i = 0; i < std::min(names.size(), germanNames.size()); ++i)
        ASSERT_EQ(describe(germanNames[i]), describe(names[i])) << "entry " << i;
    ASSERT_EQ(germanNames.size(), names.size());

    const IniFile english(englishPath);
    const IniFile german(file.fileName());
    ASSERT_TRUE(english.isRead() && german.isRead());
    for (const EntryName &name : names) {
        if (name.second.isEmpty())
            continue;
        const QString englishText = english.value(name.first, name.second);
        const QString germanText = german.value(name.first, name.second);
        EXPECT_EQ(placeholders(germanText), placeholders(englishText)) << describe(name);
        EXPECT_EQ(germanText.isEmpty(), englishText.isEmpty()) << describe(name);
    }
}

} // namespace
