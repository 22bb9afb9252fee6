#include "CliCommands.h"

#include "CliSession.h"

#include "sim/SimDevice.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace {

void printError(const QString &text)
{
    std::fprintf(stderr, "ostrakel-cli: %s\n", qPrintable(text));
}

QString lampName(LampColour colour)
{
    switch (colour) {
    case LampColour::Neutral: return QStringLiteral("neutral");
    case LampColour::Red: return QStringLiteral("red");
    case LampColour::Green: return QStringLiteral("green");
    case LampColour::Yellow: return QStringLiteral("yellow");
    case LampColour::Inactive: return QStringLiteral("inactive");
    }
    return {};
}

QList<std::pair<QString, QString>> describe(const DeviceInfo &info, const ModelFlags &flags)
{
    QList<std::pair<QString, QString>> fields = {
        {QStringLiteral("device type"), info.deviceType},
        {QStringLiteral("model"), info.deviceType == QLatin1String("Alarm") ? modelName(flags.model()) : QString()},
        {QStringLiteral("version"), info.version},
        {QStringLiteral("serial number"), info.serialNumber},
        {QStringLiteral("reset count"), info.resetCount},
        {QStringLiteral("service interval"), info.serviceInterval},
        {QStringLiteral("lift start counter"), info.liftStartCounter},
        {QStringLiteral("supply voltage"), info.supplyVoltageText.trimmed()},
        {QStringLiteral("supply voltage lamp"), lampName(info.supplyVoltageLamp)},
        {QStringLiteral("second voltage"), info.secondVoltageText.trimmed()},
        {QStringLiteral("second voltage lamp"), lampName(info.secondVoltageLamp)},
        {QStringLiteral("firmware 38 or later"), info.firmware38 ? QStringLiteral("yes") : QStringLiteral("no")},
    };
    QStringList activeLamps;
    for (int i = 0; i < DeviceInfo::ioLampCount; ++i)
        if (info.ioLamps[size_t(i)] == LampColour::Green)
            activeLamps.append(QString::fromLatin1(DeviceInfo::ioLampNames[size_t(i)]));
    if (flags.tkvC3) {
        for (int i = 0; i < DeviceInfo::c3IoLampCount; ++i)
            if (info.c3IoLamps[size_t(i)] == LampColour::Green)
                activeLamps.append(QString::fromLatin1(DeviceInfo::c3IoLampNames[size_t(i)]));
        fields += {
            {QStringLiteral("initial firmware version"), info.initialFirmwareVersion},
            {QStringLiteral("bootloader version"), info.bootloaderVersion},
            {QStringLiteral("default mode version"), info.defaultModeVersion},
            {QStringLiteral("external power version"), info.externalPowerVersion},
            {QStringLiteral("I/O module firmware version"), info.ioModuleFirmwareVersion},
            {QStringLiteral("client code"), QString::number(info.clientCode)},
            {QStringLiteral("model code"), QString::number(info.modelCode)},
            {QStringLiteral("feature flags"), QString::number(info.featureFlags)},
        };
    }
    fields.append({QStringLiteral("active lamps"), activeLamps.join(QStringLiteral(", "))});
    return fields;
}

QString jsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

int identify(CliSession &session, const CliOptions &options)
{
    QTextStream out(stdout);
    const auto fields = describe(session.deviceInfo(), session.modelFlags());
    if (options.json) {
        QStringList members;
        for (const auto &[key, value] : fields)
            members.append(jsonString(key) + QStringLiteral(": ") + jsonString(value));
        out << "{" << members.join(QStringLiteral(", ")) << "}\n";
    } else {
        for (const auto &[key, value] : fields)
            out << key << ": " << value << "\n";
    }
    return ExitDone;
}

int read(CliSession &session, const CliOptions &options)
{
    QByteArray block;
    if (!session.readBlock(block))
        return ExitDeviceFailed;
    QSaveFile file(options.outputFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(block) != block.size() || !file.commit()) {
        printError(QStringLiteral("cannot write %1: %2").arg(options.outputFile, file.errorString()));
        return ExitDeviceFailed;
    }
    std::fprintf(stderr, "read %lld bytes of the %s block into %s\n", qsizetype(block.size()),
                 qPrintable(session.deviceInfo().deviceType), qPrintable(options.outputFile));
    return ExitDone;
}

int write(CliSession &session, const QByteArray &block)
{
    if (!session.writeBlock(block))
        return ExitDeviceFailed;
    std::fprintf(stderr, "wrote the %s block\n", qPrintable(session.deviceInfo().deviceType));
    return ExitDone;
}

bool loadInput(const QString &path, QByteArray &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    contents = file.readAll();
    return true;
}

} // namespace

int runCliCommand(const CliOptions &options)
{
    const QString &command = options.command;
    if (command != QLatin1String("identify") && command != QLatin1String("read") && command != QLatin1String("write")) {
        printError(QStringLiteral("unknown command \"%1\"").arg(command));
        return ExitBadInput;
    }
    if (command == QLatin1String("read") && options.outputFile.isEmpty()) {
        printError(QStringLiteral("read needs -o FILE"));
        return ExitBadInput;
    }
    // Input files are checked before anything is sent to the device.
    QByteArray input;
    if (command == QLatin1String("write")) {
        if (options.arguments.size() != 1) {
            printError(QStringLiteral("write needs one FILE"));
            return ExitBadInput;
        }
        if (!loadInput(options.arguments.front(), input))
            return ExitBadInput;
    }

    if (options.port.startsWith(QLatin1String("sim:")) && !simKindFromName(options.port.mid(4))) {
        printError(QStringLiteral("unknown simulated device \"%1\"").arg(options.port.mid(4)));
        return ExitBadInput;
    }

    CliSession session(options);
    if (!session.connect() || !session.identify())
        return ExitDeviceFailed;
    if (command == QLatin1String("identify"))
        return identify(session, options);
    if (session.blockLength() == 0) {
        printError(QStringLiteral("a %1 device has no parameter block to %2")
                       .arg(session.deviceInfo().deviceType, command));
        return ExitDeviceFailed;
    }
    if (command == QLatin1String("read"))
        return read(session, options);
    if (input.size() != session.blockLength()) {
        printError(QStringLiteral("%1 holds %2 bytes; the %3 block has %4")
                       .arg(options.arguments.front())
                       .arg(input.size())
                       .arg(session.deviceInfo().deviceType)
                       .arg(session.blockLength()));
        return ExitBadInput;
    }
    return write(session, input);
}
