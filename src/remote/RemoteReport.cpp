#include "remote/RemoteReport.h"

#include <QDateTime>
#include <QLocale>

QString RemoteReport::stampNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    return locale.toString(now.date(), QLocale::ShortFormat) + u'-' + locale.toString(now.time(), QLocale::LongFormat);
}

QString RemoteReport::fileStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy_MM_dd-hh_mm_ss"));
}

bool RemoteReport::open(const QString &path, const Header &header)
{
    closeQuietly();
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly))
        return false;
    file_ = std::move(file);
    path_ = path;
    writeLine(title_ + stampNow().toUtf8());
    writeLine("Communicator on telephone number :" + header.telephoneNumber.toUtf8() + "  - "
              + "number of communicator :" + header.parallelNumber.toUtf8() + "  - "
              + (header.gsm ? "GSM connection" : "normal connection"));
    return true;
}

void RemoteReport::writeLine(const QByteArray &line)
{
    if (file_)
        file_->write(line + "\r\n");
}

bool RemoteReport::close()
{
    writeLine("End of report " + stampNow().toUtf8());
    return closeQuietly();
}

bool RemoteReport::closeQuietly()
{
    if (!file_)
        return true;
    const bool committed = file_->commit();
    file_.reset();
    return committed;
}
