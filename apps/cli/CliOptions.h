#pragma once

#include "params/CommunicatorModel.h"

#include <QString>
#include <QStringList>
#include <optional>

struct CliOptions {
    QString port;  // "usb", a serial device path, "sim:KIND"; empty: as Config.ini says
    std::optional<CommunicatorModel> model;
    QString logFile;
    bool json = false;
    bool image = false;  // read and write raw parameter blocks instead of settings files
    QString command;
    QString outputFile;  // -o
    QStringList arguments;
};

// Parses the command line; on a usage error returns nothing and sets error.
std::optional<CliOptions> parseCliOptions(const QStringList &args, QString &error);

QString cliUsage();
