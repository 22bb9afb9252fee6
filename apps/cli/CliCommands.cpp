#include "CliCommands.h"

#include "CliFileCommands.h"
#include "CliFirmware.h"
#include "CliHistory.h"
#include "CliRemote.h"
#include "CliOutput.h"
#include "CliSession.h"
#include "CliVoice.h"

#include "app/LanguageTable.h"
#include "history/ReadingHistory.h"
#include "params/Catalogue.h"
#include "protocol/DeviceBlock.h"
#include "sim/SimDevice.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <map>

namespace {

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

// Decodes a block of the identified device onto set and status; prints why not.
bool decodeBlock(const CliSession &session, const QByteArray &block, ParameterSet &set, ParameterStatus &status)
{
    const ImageDecodeResult result = decodeParameterBlock(session.deviceInfo().deviceType, block,
                                                          session.modelFlags().model(), set, status);
    if (!result.ok())
        printError(result.message(LanguageTable()).simplified());
    return result.ok();
}

int read(CliSession &session, const CliOptions &options)
{
    QByteArray block;
    if (!session.readBlock(block))
        return ExitDeviceFailed;
    const CommunicatorModel model = session.modelFlags().model();
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);
    if (options.image) {
        // The raw block is saved as it came; the history keeps it when it decodes.
        if (decodeParameterBlock(session.deviceInfo().deviceType, block, model, set, status).ok())
            keepReading(ReadingHistory::localDevice(session.deviceInfo().serialNumber), model, set);
        return saveBytes(options.outputFile, block) ? ExitDone : ExitDeviceFailed;
    }
    if (!decodeBlock(session, block, set, status))
        return ExitDeviceFailed;
    keepReading(ReadingHistory::localDevice(session.deviceInfo().serialNumber), model, set);
    if (!saveSettings(options.outputFile, set))
        return ExitDeviceFailed;
    std::fprintf(stderr, "read the %s parameters into %s\n", qPrintable(session.deviceInfo().deviceType),
                 qPrintable(options.outputFile));
    return ExitDone;
}

// The block a settings file gives for the identified device. A communicator's block
// also carries status values (service-call timer, last numbers...): they are taken
// from the device itself, read first, as the window shows them after a reading.
bool blockFromSettings(CliSession &session, const QString &path, QByteArray &block)
{
    const QString &type = session.deviceInfo().deviceType;
    const CommunicatorModel model = session.modelFlags().model();
    ParameterSet set;
    ParameterStatus status;
    if (!loadSettings(path, model, set, status))
        return false;
    if (type == QLatin1String("Alarm")) {
        // What the device held is kept in the history before it is overwritten.
        QByteArray current;
        ParameterSet held;
        ParameterStatus heldStatus;
        applyDefaults(held, heldStatus, model);
        if (!session.readBlock(current) || !decodeBlock(session, current, held, status))
            return false;
        keepReading(ReadingHistory::localDevice(session.deviceInfo().serialNumber), model, held);
    }
    block = encodeParameterBlock(type, set, status, model);
    return true;
}

int write(CliSession &session, const CliOptions &options, const QByteArray &rawBlock)
{
    QByteArray block = rawBlock;
    if (options.image) {
        if (block.size() != session.blockLength()) {
            printError(QStringLiteral("%1 holds %2 bytes; the %3 block has %4")
                           .arg(options.arguments.front())
                           .arg(block.size())
                           .arg(session.deviceInfo().deviceType)
                           .arg(session.blockLength()));
            return ExitBadInput;
        }
    } else if (!blockFromSettings(session, options.arguments.front(), block)) {
        return ExitDeviceFailed;
    }
    if (!session.writeBlock(block))
        return ExitDeviceFailed;
    std::fprintf(stderr, "wrote the %s parameters\n", qPrintable(session.deviceInfo().deviceType));
    return ExitDone;
}

// Input files are checked before anything is sent to the device.
bool checkDeviceCommandInput(const CliOptions &options, QByteArray &rawBlock)
{
    if (options.command == QLatin1String("read") && options.outputFile.isEmpty()) {
        printError(QStringLiteral("read needs -o FILE"));
        return false;
    }
    if (options.command == QLatin1String("firmware") && options.arguments.size() != 1) {
        printError(QStringLiteral("firmware needs one FILE"));
        return false;
    }
    if (options.command != QLatin1String("write"))
        return true;
    if (options.arguments.size() != 1) {
        printError(QStringLiteral("write needs one FILE"));
        return false;
    }
    const QString &path = options.arguments.front();
    if (!options.image) {
        ParameterSet set;
        ParameterStatus status;
        return loadSettings(path, options.model.value_or(CommunicatorModel::TkvC2), set, status);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    rawBlock = file.readAll();
    return true;
}

int runDeviceCommand(const CliOptions &options)
{
    if (options.port.startsWith(QLatin1String("sim:")) && !simKindFromName(options.port.mid(4))) {
        printError(QStringLiteral("unknown simulated device \"%1\"").arg(options.port.mid(4)));
        return ExitBadInput;
    }
    QByteArray rawBlock;
    if (!checkDeviceCommandInput(options, rawBlock))
        return ExitBadInput;

    CliSession session(options);
    if (!session.connect() || !session.identify())
        return ExitDeviceFailed;
    if (options.command == QLatin1String("identify"))
        return identify(session, options);
    if (options.command == QLatin1String("firmware"))
        return runFirmware(session, options);
    if (session.blockLength() == 0) {
        printError(QStringLiteral("a %1 device has no parameter block to %2")
                       .arg(session.deviceInfo().deviceType, options.command));
        return ExitDeviceFailed;
    }
    if (options.command == QLatin1String("read"))
        return read(session, options);
    return write(session, options, rawBlock);
}

} // namespace

int runCliCommand(const CliOptions &options)
{
    static const std::map<QString, std::function<int(const CliOptions &)>> commands = {
        {QStringLiteral("identify"), runDeviceCommand}, {QStringLiteral("read"), runDeviceCommand},
        {QStringLiteral("write"), runDeviceCommand},    {QStringLiteral("defaults"), runDefaults},
        {QStringLiteral("show"), runShow},              {QStringLiteral("diff"), runDiff},
        {QStringLiteral("set"), runSet},                {QStringLiteral("encode"), runEncode},
        {QStringLiteral("decode"), runDecode},
        {QStringLiteral("firmware"), runDeviceCommand},   {QStringLiteral("hex-check"), runHexCheck},
        {QStringLiteral("remote-read"), runRemoteCommand},
        {QStringLiteral("remote-write"), runRemoteCommand},
        {QStringLiteral("remote-compare"), runRemoteCommand},
        {QStringLiteral("voice"), runVoice},
        {QStringLiteral("history"), runHistory},
    };
    const auto command = commands.find(options.command);
    if (command == commands.end()) {
        printError(QStringLiteral("unknown command \"%1\"").arg(options.command));
        return ExitBadInput;
    }
    return command->second(options);
}
