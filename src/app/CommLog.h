#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

class MessagePresenter;

// The communication log "LOG_comm_file.TXT": what was sent to and received from
// devices, for the maker's service. Never appended across runs: every switch-on
// starts a fresh file.
class CommLog {
public:
    // filePath is the log file in the program folder (or a --log file of the CLI).
    // A failure to write is shown through messages once, then the log goes on trying.
    CommLog(QString filePath, MessagePresenter *messages);
    ~CommLog();

    bool isEnabled() const { return enabled_; }
    QString filePath() const { return filePath_; }
    // The text that opens the failure message, followed by the path and the reason;
    // the window sets it from the language table.
    void setFailureText(const QString &text);

    // Start-up with the log enabled: delete, create, write the start header.
    void begin(const QString &windowCaption);
    // Menu "Log File": switch on (fresh file, header without the year tag) or off.
    void switchOn(const QString &windowCaption);
    void switchOff();
    // At exit: the closing lines, then close.
    void stop();

    // Our own texts, written as UTF-8, each ended by CR LF.
    void writeLine(const QString &text);
    // Device bytes exactly as they arrived (may hold CR, LF or any control byte).
    void writeRaw(const QByteArray &bytes);
    // The system short date, "-", the system long time.
    void writeDateTime();
    // That line's text, for lines that end with the date and time.
    static QString dateTimeText();

private:
    void create();
    void append(const QByteArray &line);
    void reportFailure();

    QString filePath_;
    MessagePresenter *messages_;
    QFile file_;
    bool enabled_ = false;
    bool failureShown_ = false;
    bool stopped_ = false;  // closed for good at exit
    QString failureText_ = QStringLiteral("Cannot write the communication log");
};
