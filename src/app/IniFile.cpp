#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <optional>

namespace {

QString indexKey(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + u'\n' + key.trimmed().toLower();
}

// The name of a "[name]" header line; nothing for any other line.
std::optional<QString> sectionName(const QString &trimmedLine)
{
    if (!trimmedLine.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmedLine.indexOf(u']');
    return trimmedLine.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

bool isComment(const QString &trimmedLine)
{
    return trimmedLine.startsWith(u';');
}

QString unquote(const QString &value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Values that reading would change (outer blanks trimmed, outer quotes removed) are
// written inside quotes so that they read back exactly.
QString quoteIfNeeded(const QString &value)
{
    if (value.isEmpty())
        return value;
    if (value.trimmed() != value || unquote(value) != value)
        return u'"' + value + u'"';
    return value;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

// Replaces [section] key in lines, or adds it at the end of its section, or adds the
// section at the end of the file.
void applyEntry(QStringList &lines, const IniEntry &entry)
{
    const QString wantedSection = entry.section.trimmed();
    const QString wantedKey = entry.key.trimmed();
    const QString newLine = wantedKey + u'=' + quoteIfNeeded(entry.value);
    qsizetype insertAt = -1;
    bool inTarget = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (const auto section = sectionName(trimmed)) {
            if (inTarget)
                break;
            if (insertAt < 0 && section->compare(wantedSection, Qt::CaseInsensitive) == 0) {
                inTarget = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inTarget || trimmed.isEmpty())
            continue;
        insertAt = i + 1;
        if (isComment(trimmed))
            continue;
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq >= 0 && trimmed.left(eq).trimmed().compare(wantedKey, Qt::CaseInsensitive) == 0) {
            lines[i] = newLine;
            return;
        }
    }
    if (insertAt >= 0) {
        lines.insert(insertAt, newLine);
        return;
    }
    lines.append(u'[' + wantedSection + u']');
    lines.append(newLine);
}

} // namespace

IniFile::IniFile(QString path)
    : path_(std::move(path))
{
    reload();
}

QString IniFile::decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    if (windows1252.isValid())
        return windows1252(bytes);
    // Qt without codec support: Latin-1 differs from Windows-1252 only in 0x80..0x9F.
    return QString::fromLatin1(bytes);
}

bool IniFile::readLines(QStringList *lines, QString *lineEnd)
{
    lines->clear();
    *lineEnd = QStringLiteral("\r\n");
    QFile file(path_);
    if (!file.exists()) {
        error_ = QStringLiteral("%1 does not exist").arg(path_);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("Cannot read %1: %2").arg(path_, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error_ = QStringLiteral("Cannot read %1: %2").arg(path_, file.errorString());
        return false;
    }
    const QString text = decodeText(bytes);
    const qsizetype firstBreak = text.indexOf(u'\n');
    if (firstBreak >= 0 && (firstBreak == 0 || text[firstBreak - 1] != u'\r'))
        *lineEnd = QStringLiteral("\n");
    QStringList split = text.split(u'\n');
    if (text.endsWith(u'\n'))
        split.removeLast();
    // A lone CR ends a line too: no value read may hold a line break, which no
    // write could store again.
    for (QString &line : split) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        *lines += line.split(u'\r');
    }
    error_.clear();
    return true;
}

void IniFile::buildIndex(const QStringList &lines)
{
    values_.clear();
    QSet<QString> seenSections;  // a set: a file of many sections reads in linear time
    QString current;
    bool indexing = false;  // only the first section of a name counts
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (const auto section = sectionName(trimmed)) {
            current = section->toLower();
            indexing = !seenSections.contains(current);
            seenSections.insert(current);
            continue;
        }
        if (!indexing || trimmed.isEmpty() || isComment(trimmed))
            continue;
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = indexKey(current, trimmed.left(eq));
        if (!values_.contains(key))
            values_.insert(key, unquote(trimmed.mid(eq + 1).trimmed()));
    }
}

bool IniFile::reload()
{
    QStringList lines;
    QString lineEnd;
    read_ = readLines(&lines, &lineEnd);
    buildIndex(lines);
    return read_;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return values_.contains(indexKey(section, key));
}

QString IniFile::value(const QString &section, const QString &key,
                       const QString &defaultValue) const
{
    const auto it = values_.constFind(indexKey(section, key));
    return it == values_.constEnd() ? defaultValue : *it;
}

int IniFile::intValue(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int number = value(section, key).toInt(&ok);
    return ok ? number : defaultValue;
}

bool IniFile::validate(const IniEntry &entry)
{
    const QString section = entry.section.trimmed();
    const QString key = entry.key.trimmed();
    QString problem;
    if (section.isEmpty() || section.contains(u']') || hasLineBreak(section))
        problem = QStringLiteral("invalid section name \"%1\"").arg(entry.section);
    else if (key.isEmpty() || key.contains(u'=') || key.startsWith(u'[') || isComment(key)
             || hasLineBreak(key))
        problem = QStringLiteral("invalid key name \"%1\"").arg(entry.key);
    else if (hasLineBreak(entry.value))
        problem = QStringLiteral("the value of %1 holds a line break").arg(key);
    if (problem.isEmpty())
        return true;
    error_ = QStringLiteral("Cannot write %1: %2").arg(path_, problem);
    return false;
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    return setValues({IniEntry{section, key, value}});
}

bool IniFile::setValues(const QList<IniEntry> &entries)
{
    for (const IniEntry &entry : entries) {
        if (!validate(entry))
            return false;
    }
    QStringList lines;
    QString lineEnd;
    if (!readLines(&lines, &lineEnd) && QFile::exists(path_))
        return false;  // unreadable: never overwrite what we could not read
    for (const IniEntry &entry : entries)
        applyEntry(lines, entry);

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("Cannot write %1: %2").arg(path_, file.errorString());
        return false;
    }
    file.write((lines.join(lineEnd) + lineEnd).toUtf8());
    if (!file.commit()) {
        error_ = QStringLiteral("Cannot write %1: %2").arg(path_, file.errorString());
        return false;
    }
    error_.clear();
    read_ = true;
    buildIndex(lines);
    return true;
}

QString IniFile::readValue(const QString &path, const QString &section, const QString &key,
                           const QString &defaultValue)
{
    return IniFile(path).value(section, key, defaultValue);
}

bool IniFile::writeValue(const QString &path, const QString &section, const QString &key,
                         const QString &value, QString *errorString)
{
    IniFile file(path);
    const bool written = file.setValue(section, key, value);
    if (!written && errorString)
        *errorString = file.errorString();
    return written;
}
