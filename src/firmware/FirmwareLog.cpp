#include "firmware/FirmwareLog.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "app/ProgramFolder.h"

QString FirmwareLog::defaultPath()
{
    return ProgramFolder::path() + QStringLiteral("LOG_FW_file.TXT");
}

FirmwareLog::FirmwareLog(QString path, MessagePresenter &messages) : path_(std::move(path)), messages_(messages)
{
    file_.setFileName(path_);
}

void FirmwareLog::begin(const LanguageTable &texts)
{
    close();
    QFile::remove(path_);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        failed();
    writeLine(CommLog::dateTimeText());
    writeLine(QStringLiteral("========================"));
    writeLine(texts.text(QStringLiteral("Message"), 36) + QStringLiteral("<=>")
              + texts.text(QStringLiteral("Message"), 37));
}

void FirmwareLog::writeLine(const QString &line)
{
    if (!file_.isOpen())
        return;
    const QByteArray bytes = line.toUtf8() + "\r\n";
    if (file_.write(bytes) != bytes.size() || !file_.flush())
        failed();
}

void FirmwareLog::close()
{
    if (file_.isOpen())
        file_.close();
}

QString FirmwareLog::contents() const
{
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void FirmwareLog::failed()
{
    if (failureTold_)
        return;
    failureTold_ = true;
    messages_.showMessage(QStringLiteral("%1: %2").arg(path_, file_.errorString()));
}
