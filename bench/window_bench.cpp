// Prints how long the main window takes from the start of its process until its first
// page has been painted, and how much memory the process holds then, next to the same
// figures for an empty widget window started the same way. Every run is a process of
// its own (this program started again with --variant), so no run inherits the memory,
// fonts or caches another one has loaded in-process.
//
// "Painted" is the end of the event that delivered the first paint event to the shown
// page's content (or to the empty window): an event filter sees the paint event and
// posts a zero-time timer, which runs once that whole paint pass, including the flush
// to the window system, is done.
#include "app/MessagePresenter.h"
#include "app/ProgramFolder.h"
#include "ui/AppState.h"
#include "ui/MainWindow.h"
#include "ui/ParameterPages.h"

#include "BenchRow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr QSize windowSize(1000, 720);
constexpr int childLimitMs = 30000;
constexpr int defaultRuns = 7;

// CLOCK_MONOTONIC on Linux: one time line for the parent and its children.
qint64 monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

qint64 residentKiB()
{
    // /proc files report no size: read to the end rather than asking atEnd().
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

struct QuietPresenter : MessagePresenter {
    void showMessage(const QString &text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
};

// Calls done once, after the event that brought the first paint event to the watched widget.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget &watched, std::function<void()> done) : done_(std::move(done)) { watched.installEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, done_);
        }
        return false;
    }

private:
    std::function<void()> done_;
    bool seen_ = false;
};

// One measured start; prints "paint=<monotonic ns> main=<ns from main to paint> rss=<KiB>".
int runVariant(int argc, char **argv, bool withWindow, qint64 mainNs)
{
    QApplication app(argc, argv);
    auto report = [&] {
        const qint64 paintNs = monotonicNs();
        std::printf("paint=%lld main=%lld rss=%lld\n", paintNs, paintNs - mainNs, residentKiB());
        std::fflush(stdout);
        app.quit();
    };
    QTimer::singleShot(childLimitMs, &app, [&] {
        std::fprintf(stderr, "no paint within %d ms\n", childLimitMs);
        app.exit(1);
    });

    if (!withWindow) {
        QWidget empty;
        empty.resize(windowSize);
        FirstPaint watch(empty, report);
        empty.show();
        return app.exec();
    }

    // The start of the configurator itself, with the simulated TKV-C3 as the cable.
    QuietPresenter messages;
    AppState state(messages, ProgramFolder::path() + QStringLiteral("LOG_comm_file.TXT"), false);
    state.selectModel(CommunicatorModel::TkvC3);
    MainWindow window(state);
    window.resize(windowSize);
    auto *page = qobject_cast<QScrollArea *>(window.pages()->currentWidget());
    FirstPaint watch(page && page->widget() ? *page->widget() : static_cast<QWidget &>(window), report);
    window.show();
    QString error;
    if (!state.connect(QStringLiteral("sim:TKV-C3"), window, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return app.exec();
}

struct Sample {
    double launchMs;
    double mainMs;
    double rssMiB;
};

bool runChild(const QString &program, const QString &variant, const QProcessEnvironment &env, Sample *sample)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 launchNs = monotonicNs();
    child.start(program, {QStringLiteral("--variant"), variant});
    if (!child.waitForFinished(childLimitMs + 5000) || child.exitStatus() != QProcess::NormalExit
        || child.exitCode() != 0) {
        std::fprintf(stderr, "the %s run failed: %s\n", qPrintable(variant), qPrintable(child.errorString()));
        child.kill();
        child.waitForFinished();
        return false;
    }
    qint64 paint = 0, main = 0, rss = 0;
    const QByteArray out = child.readAllStandardOutput();
    if (std::sscanf(out.constData(), "paint=%lld main=%lld rss=%lld", &paint, &main, &rss) != 3) {
        std::fprintf(stderr, "the %s run printed \"%s\"\n", qPrintable(variant), out.trimmed().constData());
        return false;
    }
    *sample = {double(paint - launchNs) / 1e6, double(main) / 1e6, double(rss) / 1024.0};
    return true;
}

struct Figures {
    double min;
    double median;
};

Figures figuresOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    return {values.front(), median};
}

struct Row {
    Figures launch, main, rss;
};

bool measure(const QString &program, const QString &variant, const QProcessEnvironment &env, int runs, Row *row)
{
    Sample sample;
    // One start that is not counted warms the file cache for the others.
    if (!runChild(program, variant, env, &sample))
        return false;
    std::vector<double> launch, main, rss;
    for (int run = 0; run < runs; ++run) {
        if (!runChild(program, variant, env, &sample))
            return false;
        launch.push_back(sample.launchMs);
        main.push_back(sample.mainMs);
        rss.push_back(sample.rssMiB);
    }
    *row = {figuresOf(launch), figuresOf(main), figuresOf(rss)};
    return true;
}

void printRow(const char *name, const Row &row)
{
    std::printf("%-26s %8.1f %8.1f   %8.1f %8.1f   %7.1f %7.1f\n", name, row.launch.min, row.launch.median,
                row.main.min, row.main.median, row.rss.min, row.rss.median);
}

int runBench(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = defaultRuns;
    const bool rows = rowsWanted(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeAll(QStringLiteral("--rows"));
    if (args.size() == 3 && args[1] == QLatin1String("--runs"))
        runs = args[2].toInt();
    if (runs < 1 || (args.size() != 1 && args.size() != 3)) {
        std::fprintf(stderr, "usage: %s [--runs N] [--rows]\n", argv[0]);
        return 2;
    }

    // The simulator may keep its memory in the program folder: a throw-away one.
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "cannot create a temporary program folder: %s\n", qPrintable(home.errorString()));
        return 1;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OSTRAKEL_HOME"), home.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) && !env.contains(QStringLiteral("DISPLAY"))
        && !env.contains(QStringLiteral("WAYLAND_DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    const QString program = QCoreApplication::applicationFilePath();
    Row empty, window;
    if (!measure(program, QStringLiteral("empty"), env, runs, &empty)
        || !measure(program, QStringLiteral("window"), env, runs, &window))
        return 1;

    if (rows) {
        // The empty widget window, started the same way, is what no window can beat.
        printBenchRow("window start-up to first paint (median)", "measured", window.launch.median / 1000.0,
                      empty.launch.median / 1000.0, "s");
        printBenchRow("window memory at first paint (median VmRSS)", "measured", window.rss.median, empty.rss.median,
                      "MiB");
        return 0;
    }
    const QString platform = env.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("default"));
    std::printf("Start-up until the first page is painted, %d runs each after one warm-up, %dx%d, platform %s\n",
                runs, windowSize.width(), windowSize.height(), qPrintable(platform));
    std::printf("launch: from QProcess::start in the parent; main: from the first line of main()\n\n");
    std::printf("%-26s %17s   %17s   %15s\n", "", "launch->paint ms", "main->paint ms", "VmRSS MiB");
    std::printf("%-26s %8s %8s   %8s %8s   %7s %7s\n", "variant", "min", "median", "min", "median", "min", "median");
    printRow("empty QWidget", empty);
    printRow("main window, sim:TKV-C3", window);
    const Row difference{{window.launch.min - empty.launch.min, window.launch.median - empty.launch.median},
                         {window.main.min - empty.main.min, window.main.median - empty.main.median},
                         {window.rss.min - empty.rss.min, window.rss.median - empty.rss.median}};
    printRow("difference", difference);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const qint64 mainNs = monotonicNs();
    if (argc == 3 && std::strcmp(argv[1], "--variant") == 0) {
        const bool withWindow = std::strcmp(argv[2], "window") == 0;
        if (!withWindow && std::strcmp(argv[2], "empty") != 0) {
            std::fprintf(stderr, "unknown variant \"%s\": empty or window\n", argv[2]);
            return 2;
        }
        return runVariant(argc, argv, withWindow, mainNs);
    }
    return runBench(argc, argv);
}
