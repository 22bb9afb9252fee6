#include "remote/RemoteJob.h"

#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "remote/RemoteLink.h"

RemoteJob::RemoteJob(RemoteLink &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                     const char *reportTitle)
    : link_(link), clock_(clock), messages_(messages), texts_(texts), cancel_([this] { close(); }),
      report_(reportTitle)
{
}

void RemoteJob::send(const QByteArray &command, const QByteArray &note)
{
    link_.blackBox().sendBlackBox(command);
    report_.writeLine("> " + command + note);
}

void RemoteJob::received(const QByteArray &text)
{
    report_.writeLine("< " + text);
}

void RemoteJob::discardPendingInput()
{
    (void)link_.blackBox().readBlackBox();
}

QString RemoteJob::text(int key) const
{
    return texts_.text(QStringLiteral("Remote"), key);
}

void RemoteJob::closeReport()
{
    checkReport(report_.closeQuietly());
}

void RemoteJob::finishReport()
{
    if (report_.isOpen())
        checkReport(report_.close());
}

void RemoteJob::checkReport(bool written)
{
    if (!written)
        messages_.showMessage(texts_.text(QStringLiteral("Extensions"), 27).arg(report_.fileName()));
}
