// ostrakel-sim: serves one simulated device, or a simulated BlackBox with a simulated
// communicator on its line, on a pseudo-terminal, so that the real serial code path
// can be exercised end to end without hardware.
#include "sim/SimBlackBox.h"
#include "sim/SimDevice.h"
#include "sim/SimRemoteCommunicator.h"

#include <QByteArray>
#include <chrono>
#include <optional>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
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
                 "KIND: TKV-C, TKV-C2, TKV-C3, Option, Switch, Talker, TalkerOld,\n"
                 "      or BlackBox:MODEL (a BlackBox with a communicator of MODEL, TKV-C, TKV-C2 or\n"
                 "      TKV-C3, on its line; the faults do not apply to it)\n");
    return 2;
}

// One byte on a 9600-baud wire takes 10 bit times.
void waitOneByteTime()
{
    const timespec byteTime{0, 1'041'667};
    nanosleep(&byteTime, nullptr);
}

// Real time for the BlackBox, which times its line by looking at the clock.
class SteadyClock final : public Clock {
public:
    Nanos now() const override { return std::chrono::steady_clock::now() - start_; }
    void wait(Millis duration) override { std::this_thread::sleep_for(duration); }
    // The box starts no timers of its own.
    std::unique_ptr<TickTimer> createTimer(Millis, std::function<void()>) override { return nullptr; }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Bytes from the PC, or nothing when none came within the time.
QByteArray receive(int master, int timeoutMs)
{
    pollfd pfd{master, POLLIN, 0};
    if (poll(&pfd, 1, timeoutMs) <= 0 || !(pfd.revents & POLLIN))
        return {};
    char buffer[256];
    const ssize_t n = read(master, buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, int(n)) : QByteArray();
}

void serveDevice(int master, SimKind kind, const SimFaults &faults, long vanishAfter)
{
    SimDevice device(kind);
    device.faults = faults;
    while (!stopRequested) {
        for (const char received : receive(master, 200)) {
            const QByteArray reply = device.receive(quint8(received));
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
}

void serveBlackBox(int master, SimKind model)
{
    SteadyClock clock;
    SimRemoteCommunicator communicator(model);
    SimBlackBox box(clock, communicator);
    while (!stopRequested) {
        for (const char received : receive(master, 2))
            box.receive(quint8(received));
        const QByteArray arrived = box.takeArrived(256);
        if (!arrived.isEmpty() && write(master, arrived.constData(), size_t(arrived.size())) != arrived.size())
            break;
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::optional<SimKind> kind;
    bool blackBox = false;
    SimFaults faults;
    long vanishAfter = -1;
    const QByteArray boxPrefix = "blackbox:";
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--pty" && i + 1 < argc) {
            QByteArray name = argv[++i];
            blackBox = name.toLower().startsWith(boxPrefix);
            if (blackBox)
                name = name.mid(boxPrefix.size());
            kind = simKindFromName(QString::fromLocal8Bit(name));
        } else if (arg == "--silent")
            faults.silent = true;
        else if (arg == "--error-at" && i + 1 < argc)
            faults.errorAtByte = std::atoi(argv[++i]);
        else if (arg == "--vanish-after" && i + 1 < argc)
            vanishAfter = std::atol(argv[++i]);
        else
            return usage();
    }
    const bool remoteModel = kind == SimKind::TkvC || kind == SimKind::TkvC2 || kind == SimKind::TkvC3;
    if (!kind || (blackBox && !remoteModel))
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

    if (blackBox)
        serveBlackBox(master, *kind);
    else
        serveDevice(master, *kind, faults, vanishAfter);
    close(slaveKeeper);
    close(master);
    return 0;
}
