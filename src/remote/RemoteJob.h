#pragma once

#include "app/Clock.h"
#include "remote/DeferredCancel.h"
#include "remote/RemoteReport.h"

#include <QByteArray>
#include <QString>

class LanguageTable;
class MessagePresenter;
class RemoteLink;

// What the remote read and the remote write share: the connection they borrow from
// the keep-alive, their report file, the texts of the Remote section and a Cancel
// that waits for the running step.
class RemoteJob {
public:
    virtual ~RemoteJob() = default;
    RemoteJob(const RemoteJob &) = delete;
    RemoteJob &operator=(const RemoteJob &) = delete;

    // Report file: created on show and when "Log File" is ticked again; false (and
    // no report) when it cannot be created.
    bool openReport(const QString &path, const RemoteReport::Header &header) { return report_.open(path, header); }
    // "Log File" unticked: later exchanges are not reported.
    void closeReport();
    const RemoteReport &report() const { return report_; }

    // Cancel or the window's close box: closes at once, or after the running step.
    void requestCancel() { cancel_.request(); }

protected:
    RemoteJob(RemoteLink &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
              const char *reportTitle);

    // The box's lines the read and the write both use.
    static inline const QByteArray ReceiveCommand = QByteArrayLiteral("AT@RECE\r\n");
    static inline const QByteArray FetchCommand = QByteArrayLiteral("AT@RECN\r\n");
    static inline const QByteArray OkLine = QByteArrayLiteral("OK\r\n");
    // How many ticks of its timer the job waits for a reply: 110, 250 over GSM.
    static int replyTimeoutTicks(bool gsm) { return gsm ? 250 : 110; }

    // Ends the job: the dialog closes and the connection goes back to the keep-alive.
    virtual void close() = 0;

    // Sends a command to the box and reports it ("> " + command + note).
    void send(const QByteArray &command, const QByteArray &note = {});
    // Reports what the box answered ("< " + text).
    void received(const QByteArray &text);
    void reportLine(const QByteArray &line) { report_.writeLine(line); }
    // "End of report " and the date and time, when the report is open; then it closes.
    void finishReport();
    void discardPendingInput();
    bool cancelRequested() const { return cancel_.requested(); }
    QString text(int key) const;

    RemoteLink &link_;
    Clock &clock_;
    MessagePresenter &messages_;
    const LanguageTable &texts_;
    DeferredCancel cancel_;

private:
    // A report that could not be written is told, with its name.
    void checkReport(bool written);

    RemoteReport report_;
};
