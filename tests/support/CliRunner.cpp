#include "support/CliRunner.h"

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
