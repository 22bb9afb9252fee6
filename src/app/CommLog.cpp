#include "CommLog.h"

#include "MessagePresenter.h"

#include <QDateTime>
#include <QLocale>

namespace {

const QByteArray lineEnd = QByteArrayLiteral("\r\n");
const QString separator = QStringLiteral("========================");

} // namespace

CommLog::CommLog(QString filePath, MessagePresenter *messages)
    : filePath_(std::move(filePath))
    , messages_(messages)
    , file_(filePath_)
{
}

CommLog::~CommLog() = default;

void CommLog::setFailureText(const QString &text)
{
    failureText_ = text;
}

void CommLog::begin(const QString &windowCaption)
{
    enabled_ = true;
    create();
    writeLine(QStringLiteral(">>>> Start Report <<<< (NEW - 2017)"));
    writeLine(separator);
    writeLine(windowCaption);
    writeDateTime();
}

void CommLog::switchOn(const QString &windowCaption)
{
    enabled_ = true;
    create();
    writeLine(QStringLiteral(">>>> Start Report <<<<"));
    writeLine(separator);
    writeLine(windowCaption);
    writeDateTime();
}

void CommLog::switchOff()
{
    if (!enabled_)
        return;
    writeDateTime();
    writeLine(separator);
    writeLine(QStringLiteral(">>> Disable report <<<"));
    enabled_ = false;
    file_.close();
}

void CommLog::stop()
{
    if (!enabled_ || stopped_)
        return;
    writeLine(QStringLiteral("Program closed"));
    writeDateTime();
    writeLine(separator);
    writeLine(QStringLiteral(">>> Report ended <<<"));
    file_.close();
    // The enabled flag stays as the user left it: it is what Config.ini remembers.
    stopped_ = true;
}

void CommLog::writeLine(const QString &text)
{
    if (enabled_)
        append(text.toUtf8() + lineEnd);
}

void CommLog::writeRaw(const QByteArray &bytes)
{
    if (enabled_)
        append(bytes + lineEnd);
}

QString CommLog::dateTimeText()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    return locale.toString(now.date(), QLocale::ShortFormat) + u'-' + locale.toString(now.time(), QLocale::LongFormat);
}

void CommLog::writeDateTime()
{
    writeLine(dateTimeText());
}

// A fresh file: the log is never appended across runs or switch-ons.
void CommLog::create()
{
    stopped_ = false;
    file_.close();
    // Where the folder forbids deleting, truncating still gives a fresh file.
    QFile::remove(filePath_);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        reportFailure();
}

void CommLog::append(const QByteArray &line)
{
    if (stopped_)
        return;
    // After a failed creation or write, every later line tries again.
    if (!file_.isOpen()
        && !file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        reportFailure();
        return;
    }
    if (file_.write(line) != line.size()) {
        reportFailure();
        file_.close();
        return;
    }
    failureShown_ = false;
}

// Shown once per run of failures: a log that cannot be written must not stop a
// device transfer, nor flood the user with a box per line.
void CommLog::reportFailure()
{
    if (failureShown_ || !messages_)
        return;
    failureShown_ = true;
    messages_->showMessage(QStringLiteral("%1 %2: %3")
                               .arg(failureText_, filePath_, file_.errorString()));
}
