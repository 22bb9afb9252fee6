// ostrakel-soak: reads, writes, remote calls and firmware upgrades against the
// simulated devices in simulated time, each with random faults on its lines, and a
// tally of how they ended. Exits 1 when an exchange said success but left the device
// or the values other than intended, when a failure left them half-changed, or when
// a refused firmware file touched the device.

#include "Soak.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>

namespace {

void usage()
{
    std::fprintf(stderr,
                 "usage: ostrakel-soak [--count N] [--seconds S] [--seed X] [--no-receive-timeout] [--verbose]\n"
                 "  --count N    exchanges at most (default 20000)\n"
                 "  --seconds S  and at most this long on the machine's clock (default 240)\n"
                 "  --seed X     the same seed runs the same exchanges with the same faults (default 1)\n"
                 "  --no-receive-timeout  the simulated devices keep a half-taken request or block for ever\n"
                 "  --verbose    one line per exchange on standard error\n");
}

bool number(const QStringList &args, int &i, qint64 &value)
{
    if (i + 1 >= args.size())
        return false;
    bool ok = false;
    value = args[++i].toLongLong(&ok);
    return ok && value >= 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    SoakOptions options;
    for (int i = 1; i < args.size(); ++i) {
        qint64 value = 0;
        const QString &arg = args[i];
        if (arg == QLatin1String("--count") && number(args, i, value)) {
            options.count = value;
        } else if (arg == QLatin1String("--seconds") && number(args, i, value)) {
            options.seconds = int(std::min<qint64>(value, 1'000'000));
        } else if (arg == QLatin1String("--seed") && number(args, i, value)) {
            options.seed = quint64(value);
        } else if (arg == QLatin1String("--no-receive-timeout")) {
            options.receiveTimeout = false;
        } else if (arg == QLatin1String("--verbose")) {
            options.verbose = true;
        } else {
            usage();
            return 2;
        }
    }

    QElapsedTimer elapsed;
    elapsed.start();
    Soak soak(options);
    const qint64 done = soak.run();
    std::printf("ostrakel-soak: seed %llu, %lld exchanges in %.1f s (%s)\n",
                static_cast<unsigned long long>(options.seed), static_cast<long long>(done),
                double(elapsed.elapsed()) / 1000.0,
                soak.stoppedByTime() ? "stopped by --seconds" : "all of --count");
    std::printf("%s", qPrintable(soak.tally().table()));
    for (const QString &line : soak.notes())
        std::printf("  %s\n", qPrintable(line));
    const bool failed = soak.tally().failed();
    std::printf("%s\n", failed ? "FAILED: failures not reported, half-applied values or devices touched by a refused file"
                               : "passed: every failure was reported, nothing was left half-applied");
    return failed ? 1 : 0;
}
