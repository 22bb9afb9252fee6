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
        "  firmware FILE.HEX      upgrade the firmware of the communicator on the cable (--expert:\n"
        "                         also the user ID block of a TKV-C3)\n"
        "  hex-check FILE.HEX [--size 64KB|128KB] [--legacy --version V]   what the file holds and\n"
        "                         whether the upgrade takes it (exit 0) or refuses it (exit 2)\n"
        "  voice --slot N FILE.WAV [--talker-old [--tolerance T]]   write a voice message into\n"
        "                         slot N (1-8) of a TKV-C3 or a voice module; --talker-old: the\n"
        "                         older voice module (slots 1-4, compression tolerance 0-7)\n"
        "  history [DEVICE]       the readings kept in the history folder (every successful read is\n"
        "                         kept there), by device with the newest first\n"
        "remote commands, over a BlackBox on the telephone line:\n"
        "  --blackbox BOX --phone NUMBER [--parallel N] --password PPPP [--gsm] [--add-hash]\n"
        "  [--timeout SECONDS] COMMAND\n"
        "BOX    the BlackBox's serial number, its serial device (/dev/ttyUSBn) when the kernel's\n"
        "       driver holds it, or \"sim\" / \"sim:MODEL\" (a simulated BlackBox with a\n"
        "       simulated communicator of MODEL, TKV-C by default, on its line)\n"
        "  remote-read -o FILE.GDL [--parts 1,2,3]   read (1 basic, 2 emergency numbers, 3 other\n"
        "                         numbers) and save the parameters of --model\n"
        "  remote-write FILE.GDL [--pages 1,...,7]   write the settings file's pages (1 telephone\n"
        "                         numbers, 2 basic, 3 time, 4 system, 5 lift, 6 handsfree, 7 option)\n"
        "  remote-compare --baseline FILE.GDL [-o FILE.GDL]   read everything and list the bytes\n"
        "                         that differ from the baseline's\n"
        "  each writes its report file (LF-R-... or LF-W-....TXT) into the program folder;\n"
        "  --timeout ends the call after SECONDS (default 3600): the reading retries without end\n"
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
        {QLatin1String("--blackbox"), &options.blackBox},
        {QLatin1String("--phone"), &options.phone},
        {QLatin1String("--parallel"), &options.parallel},
        {QLatin1String("--password"), &options.password},
        {QLatin1String("--pages"), &options.pages},
        {QLatin1String("--parts"), &options.parts},
        {QLatin1String("--baseline"), &options.baseline},
        {QLatin1String("--timeout"), &options.timeout},
        {QLatin1String("--size"), &options.size},
        {QLatin1String("--version"), &options.version},
        {QLatin1String("--slot"), &options.slot},
        {QLatin1String("--tolerance"), &options.tolerance},
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
        } else if (arg == QLatin1String("--gsm")) {
            options.gsm = true;
        } else if (arg == QLatin1String("--add-hash")) {
            options.addHash = true;
        } else if (arg == QLatin1String("--expert")) {
            options.expert = true;
        } else if (arg == QLatin1String("--legacy")) {
            options.legacy = true;
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
