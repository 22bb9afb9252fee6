#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One key=value to write into an INI file.
struct IniEntry {
    QString section;
    QString key;
    QString value;
};

// An INI file read and written the way the Windows private-profile functions do it:
// section and key names compare case-insensitively, key names are kept exactly as
// written (spaces and commas included), the value is the text after the first "=",
// trimmed, with one pair of enclosing quotes removed. Lines starting with ";" are
// comments. Files are UTF-8; a file that is not valid UTF-8 is read as Windows-1252.
//
// Writing never replays a snapshot: each write reads the file as it is at that moment,
// changes or appends only the keys given and keeps every other line, so keys that
// another writer stored meanwhile survive. The file is replaced atomically.
class IniFile {
public:
    // Reads the file; a missing or unreadable file reads as empty (see isRead()).
    explicit IniFile(QString path);

    const QString &path() const { return path_; }
    // Whether the last read found and read the file; errorString() tells why not.
    bool isRead() const { return read_; }
    QString errorString() const { return error_; }
    // Reads the file again.
    bool reload();

    bool contains(const QString &section, const QString &key) const;
    // The value of [section] key; defaultValue when the key is missing. A key that is
    // present with nothing after "=" gives an empty text.
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;
    // Decimal integer; defaultValue when the key is missing or its value is no number.
    int intValue(const QString &section, const QString &key, int defaultValue) const;

    // Write one key, or several in one save, over the file as it is now. Returns false
    // with errorString() when a name or value cannot be stored or the file cannot be
    // written; then the file is left as it was.
    bool setValue(const QString &section, const QString &key, const QString &value);
    bool setValues(const QList<IniEntry> &entries);

    // Text of a file: UTF-8, or Windows-1252 when the bytes are not valid UTF-8.
    static QString decodeText(const QByteArray &bytes);

    // One-call forms for a single key, as windows read and write their own keys.
    static QString readValue(const QString &path, const QString &section,
                             const QString &key, const QString &defaultValue = QString());
    static bool writeValue(const QString &path, const QString &section, const QString &key,
                           const QString &value, QString *errorString = nullptr);

private:
    bool readLines(QStringList *lines, QString *lineEnd);
    void buildIndex(const QStringList &lines);
    bool validate(const IniEntry &entry);

    QString path_;
    QString error_;
    bool read_ = false;
    QHash<QString, QString> values_;  // "section\nkey" in lower case -> value
};
