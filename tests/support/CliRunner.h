#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One run of the command-line tool.
struct CliRun {
    int exitCode;  // -1 when it crashed or did not finish
    QByteArray out;
    QByteArray err;
};

// Runs ostrakel-cli with the arguments; home, when given, is its program folder
// (where a simulated device keeps its memory between runs).
CliRun runCli(const QStringList &args, const QString &home = QString());

// Writes a file for a run into the folder; returns its path.
QString writeCliInput(const QString &folder, const char *name, const QByteArray &bytes);
