#include "CliOptions.h"

QString cliUsage()
{
    return QStringLiteral(
        "usage: ostrakel-cli [--port PORT] [--model TKV-C|TKV-C2|TKV-C3] [--log FILE] [--json]\n"
        "                    COMMAND [ARGS]\n"
        "PORT   \"usb\" (USB-LNK cable), a serial device path (COM-port cable), or \"sim:KIND\"\n"
        "       (built-in simulator; KIND = TKV-C, TKV-C2, TKV-C3, Option, Switch, Talker, TalkerOld)\n"
        "commands:\n"
        "  identify               one \"key: value\" line per field of the device's identification\n"
        "  read -o FILE           read the device's parameter block into FILE\n"
        "  write FILE             write the parameter block in FILE to the device\n"
        "exit status: 0 done; 1 the device or link failed; 2 bad usage or a bad input file\n");
}

std::optional<CliOptions> parseCliOptions(const QStringList &args, QString &error)
{
    CliOptions options;
    auto takeValue = [&](int &i, const QString &name) -> std::optional<QString> {
        if (i + 1 >= args.size()) {
            error = name + QStringLiteral(" needs a value");
            return std::nullopt;
        }
        return args[++i];
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--port")) {
            const auto value = takeValue(i, arg);
            if (!value)
                return std::nullopt;
            options.port = *value;
        } else if (arg == QLatin1String("--model")) {
            const auto value = takeValue(i, arg);
            if (!value)
                return std::nullopt;
            options.model = modelFromName(*value);
            if (!options.model) {
                error = QStringLiteral("unknown model \"%1\" (TKV-C, TKV-C2 or TKV-C3)").arg(*value);
                return std::nullopt;
            }
        } else if (arg == QLatin1String("--log")) {
            const auto value = takeValue(i, arg);
            if (!value)
                return std::nullopt;
            options.logFile = *value;
        } else if (arg == QLatin1String("-o")) {
            const auto value = takeValue(i, arg);
            if (!value)
                return std::nullopt;
            options.outputFile = *value;
        } else if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg == QLatin1String("--expert")) {
            options.expert = true;
        } else if (arg == QLatin1String("--talker-old")) {
            options.talkerOld = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option ") + arg;
            return std::nullopt;
        } else if (options.command.isEmpty()) {
            options.command = arg;
        } else {
            options.arguments.append(arg);
        }
    }
    if (options.command.isEmpty()) {
        error = QStringLiteral("no command given");
        return std::nullopt;
    }
    return options;
}
