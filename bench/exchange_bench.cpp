// Prints how long a full read and a full write of the communicator block take
// through the simulator at 9600 baud, against the time the bytes need on the wire.
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "link/SimLink.h"
#include "protocol/CommandExchange.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"

#include "BenchRow.h"

#include <cstdio>

namespace {

struct QuietPresenter : MessagePresenter {
    void showMessage(const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
};

struct BlockClient : ExchangeClient {
    void identificationReceived(const QByteArray &) override {}
    void blockRead(const QString &, const QByteArray &b) override { block = b; }
    QByteArray blockToWrite(const QString &) override { return block; }
    QByteArray block;
};

// The exchange's own fixed pauses around every transfer (201 + 804 ms before,
// 50 + 201 + 804 ms after) are not transfer time.
constexpr double framingSeconds = (201 + 804 + 50 + 201 + 804) / 1000.0;

struct Measure {
    double seconds;
    qint64 wireBytes;
};

Measure run(bool write)
{
    VirtualClock clock;
    SimDevice device(SimKind::TkvC2);
    SimLink link(clock, device, true);
    LanguageTable texts;
    QuietPresenter messages;
    ExchangeView view;
    BlockClient client;
    client.block = device.memory();
    CommandExchange exchange(link, clock, messages, texts, nullptr, view, client);
    link.open();
    exchange.setLinkReady(true);
    const Nanos start = clock.now();
    if (write)
        exchange.writeParameters(QStringLiteral("Alarm"));
    else
        exchange.readParameters(QStringLiteral("Alarm"));
    clock.runUntil([&] { return exchange.isIdle() && !exchange.isActive(); }, std::chrono::seconds(120));
    if (exchange.lastResult() != ExchangeResult::Completed)
        std::fprintf(stderr, "the %s did not complete\n", write ? "write" : "read");
    return {std::chrono::duration<double>(clock.now() - start).count(), link.wireBytes()};
}

void report(const char *name, const Measure &m, bool rows)
{
    const double transfer = m.seconds - framingSeconds;
    const double wire = double(m.wireBytes) * 10.0 / 9600.0;
    if (rows) {
        // The bound: the bytes on the wire and the exchange's own pauses.
        printBenchRow(name, "simulated", m.seconds, wire + framingSeconds, "s");
        return;
    }
    std::printf("%-26s simulated %.3f s (transfer %.3f s + pauses %.3f s), wire bytes %lld, "
                "wire time %.3f s, transfer/wire %.2f\n",
                name, m.seconds, transfer, framingSeconds, m.wireBytes, wire, transfer / wire);
}

} // namespace

int main(int argc, char **argv)
{
    const bool rows = rowsWanted(argc, argv);
    report("read parameters, TKV-C2", run(false), rows);
    report("write parameters, TKV-C2", run(true), rows);
    return 0;
}
