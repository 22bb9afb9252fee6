#include "CliOptions.h"

#include <algorithm>

QString cliUsage()
{
    return QStringLiteral(
        "usage: ostrakel-cli [--port PORT] [--model TKV-C|TKV-C2|TKV-C3] [--log FILE] [--json] [--image]\n"
        "                    COMMAND [ARGS]\n"
        "PORT   \"usb\" (USB-LNK cable), a serial device path (COM-port cable), or \"sim:KIND\"\n"
        "       (built-in simulator; KIND = TKV-C, TKV-C2, TKV-C3, Option, Switch, Talker, TalkerOld)\n"
        "commands:\n"
        "  identify               one \"key: value\" line per field of the device's identification\n"
        "  read -o FILE.GDL       read the device's parameters and save them (--image: the raw block)\n"
        "  write FILE.GDL         write the settings file's parameters to the device (--image: a raw block)\n"
        "  defaults -o FILE.GDL   save the defaults of --model\n"
        "  show FILE.GDL          code, caption, id and value of each parameter (of --model)\n"
        "  diff A.GDL B.GDL       the parameters that differ, with both values\n"
        "  set FILE.GDL ID=VALUE ...   change parameters (VALUE as show prints it)\n"
        "  encode FILE.GDL -o IMAGE.BIN   the 256-byte parameter image of --model\n"
        "  decode IMAGE.BIN -o FILE.GDL   decode a parameter image of --model onto its defaults\n"
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
        } else if (arg == QLatin1String("--image")) {
            options.image = true;
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
