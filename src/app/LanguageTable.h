#pragma once

#include <QHash>
#include <QString>

// Every text the user sees, addressed as [Section] key, each with a built-in English
// default that stands until a language file supplies another text.
class LanguageTable {
public:
    LanguageTable();

    // The text of [section] key (section names in any case): the language file's when
    // loaded, else the default. An entry outside the catalogue gives an empty text.
    QString text(const QString &section, int key) const;

    // Reads every catalogue entry from the language file (UTF-8, or Windows-1252 when
    // the file is not valid UTF-8). A missing section or key keeps the default; a key
    // present with an empty value gives an empty text. Returns false, with
    // errorString() naming the file, and leaves the defaults when the file cannot be
    // read. Reading touches no other file.
    bool load(const QString &path);
    void resetToDefaults();
    QString errorString() const { return error_; }

    // Writes the table as a language file: sections in catalogue order, keys
    // ascending, "key=text" lines, UTF-8, CR LF line ends. The file is replaced
    // atomically. Returns false with errorString() when it cannot be written.
    bool save(const QString &path);

    // Texts composed from an entry and fixed parts when they are applied.
    // Main window caption: [Info] 1 and the first four characters of the version.
    QString mainWindowCaption(const QString &programVersion) const;
    // Open button of the firmware window.
    QString firmwareOpenButtonText() const;
    // Bootloader status line: lead + version + CPU lead + program size name.
    QString bootloaderVersionLead() const;
    QString bootloaderCpuLead() const;
    // Second lines of the read-error messages of a parameter image.
    QString readErrorNoDataText() const;
    QString readErrorDefaultDataText() const;
    // Follows the print command's caption in the printed title.
    QString printTitleSuffix() const;

private:
    QHash<QString, QString> texts_;  // "section\nkey" -> text
    QString error_;
};
