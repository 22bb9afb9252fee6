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

    // The remote commands: the BlackBox (a serial number, "sim" or "sim:MODEL") and
    // what it dials.
    QString blackBox;
    QString phone;
    QString parallel;
    QString password;
    bool gsm = false;
    bool addHash = false;
    QString pages;     // remote-write: page numbers 1-7, comma separated; empty: all
    QString parts;     // remote-read: 1 basic, 2 emergency numbers, 3 other numbers; empty: all
    QString baseline;  // remote-compare: the settings file the reading is compared with
    QString timeout;   // seconds the whole remote command may take; empty: an hour

    // The firmware commands.
    bool expert = false;  // the expert view: the user ID block is written
    QString size;         // hex-check: "64KB" or "128KB" (the default)
    bool legacy = false;  // hex-check: as the packet upload of a TKV-C or TKV-C2 takes it
    QString version;      // hex-check --legacy: the communicator's firmware version

    // The voice command.
    QString slot;            // the message slot, 1-8 (1-4 on the older voice module)
    bool talkerOld = false;  // the voice module on the cable is of the older kind
    QString tolerance;       // its compression tolerance, 0-7; empty: 0
};

// Parses the command line; on a usage error returns nothing and sets error.
std::optional<CliOptions> parseCliOptions(const QStringList &args, QString &error);

QString cliUsage();
