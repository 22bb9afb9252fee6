#include "support/CliRunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

CliRun runCli(const QStringList &args, const QString &home)
{
    constexpr int processLimitMs = 90'000;
    QProcess cli;
    if (!home.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("OSTRAKEL_HOME"), home);
        cli.setProcessEnvironment(environment);
    }
    cli.start(QStringLiteral(OSTRAKEL_CLI_EXE), args);
    if (!cli.waitForFinished(processLimitMs)) {
        cli.kill();
        cli.waitForFinished();
        return {-1, {}, "did not finish"};
    }
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, cli.readAllStandardOutput(),
            cli.readAllStandardError()};
}

QString writeCliInput(const QString &folder, const char *name, const QByteArray &bytes)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return path;
}
