// Prints how long a full remote read and a full remote write take over the simulated
// BlackBox, against the time their DTMF digits need on the telephone line.
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "params/Catalogue.h"
#include "remote/RemoteLink.h"
#include "remote/RemoteRead.h"
#include "remote/RemoteView.h"
#include "remote/RemoteWrite.h"
#include "sim/SimBlackBox.h"
#include "sim/SimFtdiApi.h"
#include "sim/SimRemoteCommunicator.h"
#include "sim/VirtualClock.h"

#include "BenchRow.h"

#include <cstdio>
#include <functional>

namespace {

struct QuietPresenter : MessagePresenter {
    void showMessage(const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
};

struct Ending : RemoteReadView, RemoteWriteView {
    void closed(bool wasFinished) override { finished = wasFinished; }
    bool finished = false;
};

// A TKV-C2 at the other end of the simulated BlackBox's line, in programming mode.
struct Line {
    Line() : box(clock, communicator), link(bus, clock, messages, texts, nullptr, &view)
    {
        bus.devices = {{"QUE00001", "QUENTAmodul", &box}};
        applyDefaults(set, status, CommunicatorModel::TkvC2);
        link.beginConnect();
        link.selectBlackBox(0);
        link.startDialling({QStringLiteral("0123456"), QString(), QStringLiteral("6183"), false, false});
        clock.runUntil([&] { return link.isRemoteMode() && link.isIdle(); }, std::chrono::minutes(5));
    }

    // Runs the job from start() to its end; seconds of simulated time and the digits
    // that crossed the line meanwhile.
    std::pair<double, qint64> measure(const std::function<void()> &start, const std::function<bool()> &closed)
    {
        const Nanos begin = clock.now();
        const qint64 digits = box.lineDigits;
        start();
        clock.runUntil(closed, std::chrono::hours(1));
        if (!ending.finished)
            std::fprintf(stderr, "the job did not finish\n");
        return {std::chrono::duration<double>(clock.now() - begin).count(), box.lineDigits - digits};
    }

    VirtualClock clock;
    SimRemoteCommunicator communicator{SimKind::TkvC2};
    SimBlackBox box;
    SimFtdiApi bus;
    LanguageTable texts;
    QuietPresenter messages;
    RemoteView view;
    Ending ending;
    ParameterSet set;
    ParameterStatus status;
    RemoteLink link;
};

void report(const char *name, const std::pair<double, qint64> &measured, bool rows)
{
    const double bound = double(measured.second) * std::chrono::duration<double>(SimBlackBox::digitTime).count();
    if (rows) {
        printBenchRow(name, "simulated", measured.first, bound, "s");
        return;
    }
    std::printf("%-36s simulated %7.1f s, DTMF digits %4lld, lower bound %6.1f s (%.0f ms a digit), ratio %.2f\n",
                name, measured.first, measured.second, bound,
                std::chrono::duration<double, std::milli>(SimBlackBox::digitTime).count(), measured.first / bound);
}

} // namespace

int main(int argc, char **argv)
{
    const bool rows = rowsWanted(argc, argv);
    {
        Line line;
        QByteArray working, previous, fresh;
        RemoteRead read(line.link, line.clock, line.messages, line.texts, line.ending, {working, previous, fresh},
                        line.set, line.status, CommunicatorModel::TkvC2);
        report("remote read, TKV-C2 (DTMF digits)",
               line.measure([&] { read.start({}, false); },
                            [&] { return read.state() == RemoteRead::State::Closed; }),
               rows);
    }
    {
        Line line;
        RemoteWrite write(line.link, line.clock, line.messages, line.texts, line.ending, line.set,
                          CommunicatorModel::TkvC2);
        report("remote write, TKV-C2 (DTMF digits)",
               line.measure([&] { write.start({}, false); },
                            [&] { return write.state() == RemoteWrite::State::Closed; }),
               rows);
    }
    return 0;
}
