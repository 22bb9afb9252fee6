// ostrakel-sim: serves one simulated device on a pseudo-terminal, so that the real
// serial code path can be exercised end to end without hardware.
#include "sim/SimDevice.h"

#include <QByteArray>
#include <optional>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: ostrakel-sim --pty KIND [--silent] [--error-at N] [--vanish-after N]\n"
                 "  --vanish-after N: the device goes away (the process ends) after sending N bytes\n"
                 "KIND: TKV-C, TKV-C2, TKV-C3, Option, Switch, Talker, TalkerOld\n");
    return 2;
}

// One byte on a 9600-baud wire takes 10 bit times.
void waitOneByteTime()
{
    const timespec byteTime{0, 1'041'667};
    nanosleep(&byteTime, nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    std::optional<SimKind> kind;
    SimFaults faults;
    long vanishAfter = -1;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--pty" && i + 1 < argc)
            kind = simKindFromName(QString::fromLocal8Bit(argv[++i]));
        else if (arg == "--silent")
            faults.silent = true;
        else if (arg == "--error-at" && i + 1 < argc)
            faults.errorAtByte = std::atoi(argv[++i]);
        else if (arg == "--vanish-after" && i + 1 < argc)
            vanishAfter = std::atol(argv[++i]);
        else
            return usage();
    }
    if (!kind)
        return usage();

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::fprintf(stderr, "ostrakel-sim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    const char *slavePath = ptsname(master);
    // Holding the slave open ourselves keeps the master from hanging up whenever
    // the program closes and reopens the port.
    const int slaveKeeper = open(slavePath, O_RDWR | O_NOCTTY);
    termios raw{};
    if (slaveKeeper < 0 || tcgetattr(slaveKeeper, &raw) != 0) {
        std::fprintf(stderr, "ostrakel-sim: cannot open %s: %s\n", slavePath, std::strerror(errno));
        return 1;
    }
    cfmakeraw(&raw);
    tcsetattr(slaveKeeper, TCSANOW, &raw);

    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    std::printf("%s\n", slavePath);
    std::fflush(stdout);

    SimDevice device(*kind);
    device.faults = faults;
    while (!stopRequested) {
        pollfd pfd{master, POLLIN, 0};
        const int ready = poll(&pfd, 1, 200);
        if (ready <= 0 || !(pfd.revents & POLLIN))
            continue;
        unsigned char buffer[256];
        const ssize_t n = read(master, buffer, sizeof buffer);
        for (ssize_t i = 0; i < n; ++i) {
            const QByteArray reply = device.receive(buffer[i]);
            for (char byte : reply) {
                if (vanishAfter == 0)
                    stopRequested = 1;
                if (stopRequested)
                    break;
                waitOneByteTime();
                if (write(master, &byte, 1) != 1)
                    break;
                --vanishAfter;
            }
        }
    }
    close(slaveKeeper);
    close(master);
    return 0;
}
