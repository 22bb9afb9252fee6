#pragma once

#include <QFile>
#include <QString>

class LanguageTable;
class MessagePresenter;

// "LOG_FW_file.TXT": what an upgrade sent and received, made afresh for each upgrade.
// Lines are written as they come, so the log survives an upgrade that never ends.
// A failure to write is told once and never stops the upgrade.
class FirmwareLog {
public:
    static QString defaultPath();  // in the program folder

    FirmwareLog(QString path, MessagePresenter &messages);

    // Deletes an old log, creates the file and writes its header: the date and time,
    // the rule, "Sent<=>Received" in the language of the texts.
    void begin(const LanguageTable &texts);
    void writeLine(const QString &line);
    void close();
    // The whole log as written, for the window's log view.
    QString contents() const;
    QString path() const { return path_; }

private:
    void failed();

    QString path_;
    MessagePresenter &messages_;
    QFile file_;
    bool failureTold_ = false;
};
