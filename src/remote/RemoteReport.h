#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSaveFile>
#include <QString>
#include <memory>

// The report file of a remote read or write: one line per exchange, each followed
// by CR LF.
// It is written through a temporary file that replaces the named file when the
// report is closed, so an earlier report of the same name is never half-overwritten.
class RemoteReport {
public:
    // Who was called, for the second header line.
    struct Header {
        QString telephoneNumber;
        QString parallelNumber;
        bool gsm = false;
    };

    // title: the first header line's start, "Read report " or "Write report ".
    explicit RemoteReport(const char *title) : title_(title) {}

    // The date and time as the report shows them: the short date and long time of
    // the system's locale, joined by "-".
    static QString stampNow();
    // The date and time as report file names carry them: yyyy_mm_dd-hh_mm_ss.
    static QString fileStamp(const QDateTime &when);

    // Creates the report (replacing one open earlier) and writes the two header lines.
    // False when the file cannot be created.
    bool open(const QString &path, const Header &header);
    bool isOpen() const { return file_ != nullptr; }
    void writeLine(const QByteArray &line);
    // "End of report " + date-time, then the file takes its name.
    bool close();
    // Closes without the end line (the box was unticked).
    bool closeQuietly();
    QString fileName() const { return path_; }

private:
    QByteArray title_;
    std::unique_ptr<QSaveFile> file_;
    QString path_;
};
