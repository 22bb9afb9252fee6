// ostrakel-cli: the configurator's engines from the command line, for scripting,
// archiving and service automation.
#include "CliCommands.h"
#include "CliSession.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ostrakel Configurator"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(qPrintable(cliUsage()), stdout);
        return ExitDone;
    }
    QString error;
    const auto options = parseCliOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "ostrakel-cli: %s\n%s", qPrintable(error), qPrintable(cliUsage()));
        return ExitBadInput;
    }
    return runCliCommand(*options);
}
