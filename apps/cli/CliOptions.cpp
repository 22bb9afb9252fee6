#include "CliOptions.h"

#include <algorithm>

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
    QString model;
    // Options that take a value, and where the value goes.
    const QList<std::pair<QLatin1String, QString *>> valued = {
        {QLatin1String("--port"), &options.port},
        {QLatin1String("--model"), &model},
        {QLatin1String("--log"), &options.logFile},
        {QLatin1String("-o"), &options.outputFile},
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const auto option = std::find_if(valued.begin(), valued.end(), [&](const auto &o) { return arg == o.first; });
        if (option != valued.end()) {
            if (i + 1 >= args.size()) {
                error = arg + QStringLiteral(" needs a value");
                return std::nullopt;
            }
            *option->second = args[++i];
        } else if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option ") + arg;
            return std::nullopt;
        } else if (options.command.isEmpty()) {
            options.command = arg;
        } else {
            options.arguments.append(arg);
        }
    }
    if (!model.isEmpty()) {
        options.model = modelFromName(model);
        if (!options.model) {
            error = QStringLiteral("unknown model \"%1\" (TKV-C, TKV-C2 or TKV-C3)").arg(model);
            return std::nullopt;
        }
    }
    if (options.command.isEmpty()) {
        error = QStringLiteral("no command given");
        return std::nullopt;
    }
    return options;
}
