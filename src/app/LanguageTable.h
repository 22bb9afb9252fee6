#pragma once

#include <QHash>
#include <QString>

// Every text the user sees, addressed as [Section] key, each with a built-in English
// default that stands until a language file supplies another text.
class LanguageTable {
public:
    LanguageTable();

    // The text of [section] key: the language file's when loaded, else the default.
    // An unknown entry gives an empty text.
    QString text(const QString &section, int key) const;

    // Reads every catalogue entry from the language file (UTF-8, or Windows-1252 when
    // the file is not valid UTF-8). A key present with an empty value gives an empty
    // text. Returns false, leaving the defaults, when the file cannot be read.
    bool load(const QString &path);
    void resetToDefaults();

private:
    QHash<QString, QString> texts_;  // "section\nkey" -> text
};
