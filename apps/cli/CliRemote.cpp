#include "CliRemote.h"

#include "CliFileCommands.h"
#include "CliHistory.h"
#include "CliOutput.h"
#include "CliSession.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/ProgramFolder.h"
#include "app/QtClock.h"
#include "compare/ReadingComparison.h"
#include "params/Catalogue.h"
#include "compare/ComparisonRows.h"
#include "history/ReadingHistory.h"
#include "remote/RemoteBus.h"
#include "remote/RemoteLink.h"
#include "remote/RemoteRead.h"
#include "remote/RemoteWrite.h"
#include "remote/RemoteView.h"
#include "sim/VirtualClock.h"

#include <QDateTime>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace {

const QString simPrefix = QStringLiteral("sim");

// What the command line asks for, checked before anything is dialled.
struct RemotePlan {
    CommunicatorModel model = CommunicatorModel::TkvC;
    std::optional<SimKind> simulated;  // the model of the simulated communicator
    QString serial;  // the BlackBox's serial number, or the path of its serial device
    DialParameters dial;
    Nanos timeout = std::chrono::hours(1);
    ReadChoices parts;
    WritePageChoice pages;
    ParameterSet set;  // remote-write: what is written; remote-compare: the baseline
    ParameterStatus status;
};

SimKind simKindOf(CommunicatorModel model)
{
    return model == CommunicatorModel::TkvC ? SimKind::TkvC
           : model == CommunicatorModel::TkvC2 ? SimKind::TkvC2
                                                : SimKind::TkvC3;
}

// "1,3" as numbers from 1 to count; nothing (and a message) for anything else.
std::optional<QList<int>> numberList(const QString &text, int count, const char *option)
{
    QList<int> numbers;
    for (const QString &item : text.split(u',')) {
        bool ok = false;
        const int number = item.trimmed().toInt(&ok);
        if (!ok || number < 1 || number > count) {
            printError(QStringLiteral("%1 takes numbers from 1 to %2, separated by commas").arg(option).arg(count));
            return std::nullopt;
        }
        numbers.append(number);
    }
    return numbers;
}

bool digitsOnly(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A BlackBox left to the kernel's driver is named by its tty, /dev/ttyUSBn.
bool isDevicePath(const QString &box)
{
    return box.startsWith(u'/');
}

bool planBox(const CliOptions &options, RemotePlan &plan)
{
    if (options.blackBox.isEmpty()) {
        printError(QStringLiteral("%1 needs --blackbox SERIAL, /dev/ttyUSBn, sim or sim:MODEL").arg(options.command));
        return false;
    }
    if (options.blackBox == simPrefix || options.blackBox.startsWith(simPrefix + u':')) {
        const QString name = options.blackBox.mid(simPrefix.size() + 1);
        const std::optional<CommunicatorModel> model =
            name.isEmpty() ? options.model.value_or(CommunicatorModel::TkvC) : modelFromName(name);
        if (!model) {
            printError(QStringLiteral("unknown simulated communicator \"%1\" (TKV-C, TKV-C2 or TKV-C3)").arg(name));
            return false;
        }
        plan.simulated = simKindOf(*model);
        plan.model = options.model.value_or(*model);
        plan.serial = QString::fromLatin1(RemoteBus::simulatedSerial);
        return true;
    }
    if (!options.model) {
        printError(QStringLiteral("a remote communicator cannot tell its model: give --model"));
        return false;
    }
    plan.model = *options.model;
    plan.serial = options.blackBox;
    return true;
}

bool planDial(const CliOptions &options, RemotePlan &plan)
{
    const std::optional<QString> number = dialNumberOf(options.phone.trimmed());
    if (!number || number->isEmpty() || number->size() > 16) {
        printError(QStringLiteral("--phone needs the communicator's telephone number: up to 16 of 0-9 * # P R f"));
        return false;
    }
    if (options.parallel.size() > 1 || !digitsOnly(options.parallel)) {
        printError(QStringLiteral("--parallel takes the one digit of the communicator's parallel number"));
        return false;
    }
    if (options.password.size() != 4 || !digitsOnly(options.password)) {
        printError(QStringLiteral("--password needs the communicator's four-digit password"));
        return false;
    }
    plan.dial = {*number, options.parallel, options.password, options.gsm, options.addHash};
    if (!options.timeout.isEmpty()) {
        bool ok = false;
        const int seconds = options.timeout.toInt(&ok);
        if (!ok || seconds <= 0) {
            printError(QStringLiteral("--timeout takes a number of seconds"));
            return false;
        }
        plan.timeout = std::chrono::seconds(seconds);
    }
    return true;
}

bool planJob(const CliOptions &options, RemotePlan &plan)
{
    const QString &command = options.command;
    if (command == QLatin1String("remote-read")) {
        if (options.outputFile.isEmpty()) {
            printError(QStringLiteral("remote-read needs -o FILE"));
            return false;
        }
        if (!options.parts.isEmpty()) {
            const auto parts = numberList(options.parts, 3, "--parts");
            if (!parts)
                return false;
            plan.parts = {parts->contains(1), parts->contains(2), parts->contains(3)};
        }
        applyDefaults(plan.set, plan.status, plan.model);
        return true;
    }
    if (command == QLatin1String("remote-write")) {
        if (options.arguments.size() != 1) {
            printError(QStringLiteral("remote-write needs one FILE"));
            return false;
        }
        if (!options.pages.isEmpty()) {
            const auto pages = numberList(options.pages, writePageCount, "--pages");
            if (!pages)
                return false;
            plan.pages.pages.fill(false);
            for (int page : *pages)
                plan.pages.pages[size_t(page - 1)] = true;
        }
        return loadSettings(options.arguments.front(), plan.model, plan.set, plan.status);
    }
    if (options.baseline.isEmpty()) {
        printError(QStringLiteral("remote-compare needs --baseline FILE"));
        return false;
    }
    return loadSettings(options.baseline, plan.model, plan.set, plan.status);
}

std::optional<RemotePlan> planOf(const CliOptions &options)
{
    RemotePlan plan;
    if (!planBox(options, plan) || !planDial(options, plan) || !planJob(options, plan))
        return std::nullopt;
    return plan;
}

// Progress on standard error: the dialling steps, the blocks read, the pages written.
class ProgressLines : public RemoteView, public RemoteReadView, public RemoteWriteView {
public:
    void showDialStep(int step) override { line(QStringLiteral("dialling: step %1").arg(step)); }
    void remoteConnected() override { line(QStringLiteral("connected")); }
    void setPosition(const QString &bankBlockPart) override
    {
        const QStringList fields = bankBlockPart.split(u'-');
        line(QStringLiteral("reading bank %1, block %2 (part %3)").arg(fields.value(0), fields.value(1), fields.value(2)));
    }
    void setPage(int page) override { line(QStringLiteral("writing page %1").arg(page)); }
    void setStep(int step) override { line(QStringLiteral("  step %1").arg(step)); }
    // The read or the write has ended; finished: it did all it was asked.
    void closed(bool wasFinished) override { finished = wasFinished; }

    bool finished = false;

private:
    void line(const QString &text)
    {
        if (text == last_)
            return;
        last_ = text;
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    QString last_;
};

// One call: the BlackBox, the link over it, and the time it all runs on (simulated
// time when the BlackBox is the simulator's, so that the call takes no longer than
// the work).
class RemoteCall {
public:
    RemoteCall(const CliOptions &options, const RemotePlan &plan)
        : plan_(plan),
          clock_(plan.simulated ? std::unique_ptr<Clock>(std::make_unique<VirtualClock>())
                                : std::unique_ptr<Clock>(std::make_unique<QtClock>())),
          log_(options.logFile.isEmpty() ? nullptr : std::make_unique<CommLog>(options.logFile, &messages_)),
          bus_(makeBus(plan)),
          link_(bus_->api(), *clock_, messages_, texts_, log_.get(), &progress_),
          start_(clock_->now())
    {
        if (log_)
            log_->begin(texts_.text(QStringLiteral("Info"), 1));
    }

    ~RemoteCall()
    {
        if (link_.isRemoteMode())
            link_.remoteDisconnect();
        QString error;
        if (!bus_->keepSimMemory(&error))
            printError(error);
        if (log_ && log_->isEnabled())
            log_->stop();
    }

    // Finds the BlackBox, selects it and dials until programming mode.
    bool connect()
    {
        if (!link_.beginConnect())
            return false;
        const int index = int(link_.blackBox().deviceList().indexOf(plan_.serial));
        if (index < 0) {
            printError(texts_.text(QStringLiteral("Remote"), 37) + u' ' + plan_.serial + u' '
                       + texts_.text(QStringLiteral("Remote"), 38));
            return false;
        }
        if (!link_.selectBlackBox(index))
            return false;
        link_.startDialling(plan_.dial);
        runUntil([this] { return link_.isRemoteMode() || !link_.isDialling(); },
                 [this] { link_.requestCancel(); });
        return link_.isRemoteMode();
    }

    // Reads the chosen parts onto set; the images before and after the reading.
    bool read(ParameterSet &set, ParameterStatus &status, QByteArray &previous, QByteArray &fresh)
    {
        QByteArray working;
        progress_.finished = false;
        RemoteRead read(link_, *clock_, messages_, texts_, progress_, {working, previous, fresh}, set, status,
                        plan_.model);
        openReport(read, "LF-R-");
        if (!read.start(plan_.parts, plan_.dial.gsm))
            return false;
        const auto ended = [&] {
            return read.state() == RemoteRead::State::Closed || read.state() == RemoteRead::State::Stopped;
        };
        runUntil(ended, [&] { read.requestCancel(); });
        // A reading stopped by a failure waits for Cancel in the window.
        read.requestCancel();
        runUntil([&] { return read.state() == RemoteRead::State::Closed; }, [] {});
        return progress_.finished;
    }

    bool write(const ParameterSet &set)
    {
        progress_.finished = false;
        RemoteWrite write(link_, *clock_, messages_, texts_, progress_, set, plan_.model);
        openReport(write, "LF-W-");
        write.start(plan_.pages, plan_.dial.gsm);
        runUntil([&] { return write.state() == RemoteWrite::State::Closed; }, [&] { write.requestCancel(); });
        return progress_.finished && write.omitted().isEmpty();
    }

private:
    std::unique_ptr<RemoteBus> makeBus(const RemotePlan &plan) const
    {
        if (plan.simulated)
            return std::make_unique<RemoteBus>(*clock_, *plan.simulated);
        if (isDevicePath(plan.serial))
            return std::make_unique<RemoteBus>(plan.serial);
        return std::make_unique<RemoteBus>();
    }

    void openReport(RemoteJob &job, const char *prefix)
    {
        const QString path = ProgramFolder::path() + QLatin1String(prefix)
                             + RemoteReport::fileStamp(QDateTime::currentDateTime()) + QStringLiteral(".TXT");
        if (job.openReport(path, {plan_.dial.telephoneNumber, plan_.dial.parallelNumber, plan_.dial.gsm}))
            std::fprintf(stderr, "report: %s\n", qPrintable(path));
        else
            printError(QStringLiteral("cannot create the report %1").arg(path));
    }

    // Runs until done(); past the time limit cancel() is asked for once and the
    // call waits for it to take effect.
    void runUntil(const std::function<bool()> &done, const std::function<void()> &cancel)
    {
        while (!done()) {
            if (!timedOut_ && clock_->now() - start_ > plan_.timeout) {
                timedOut_ = true;
                printError(QStringLiteral("gave up after %1 s")
                               .arg(std::chrono::duration_cast<std::chrono::seconds>(plan_.timeout).count()));
                cancel();
                continue;
            }
            clock_->wait(Millis(50));
        }
    }

    const RemotePlan &plan_;
    std::unique_ptr<Clock> clock_;
    StderrPresenter messages_;
    LanguageTable texts_;
    std::unique_ptr<CommLog> log_;
    std::unique_ptr<RemoteBus> bus_;
    ProgressLines progress_;
    RemoteLink link_;
    Nanos start_;
    bool timedOut_ = false;
};

void printComparison(QByteArray &previous, QByteArray &fresh, CommunicatorModel model, bool json)
{
    const LanguageTable texts;
    ReadingComparison comparison(previous, fresh, model, texts);
    QTextStream out(stdout);
    const QStringList rows = comparison.rows(false);
    if (json) {
        QStringList items;
        for (const QString &row : rows)
            items.append(jsonString(row));
        out << "[" << items.join(QStringLiteral(", ")) << "]\n";
        return;
    }
    out << comparison.headerRow() << "\n";
    for (const QString &row : rows)
        out << row << "\n";
}

} // namespace

int runRemoteCommand(const CliOptions &options)
{
    const std::optional<RemotePlan> plan = planOf(options);
    if (!plan)
        return ExitBadInput;
    RemoteCall call(options, *plan);
    if (!call.connect())
        return ExitDeviceFailed;
    if (options.command == QLatin1String("remote-write"))
        return call.write(plan->set) ? ExitDone : ExitDeviceFailed;

    ParameterSet set = plan->set;
    ParameterStatus status = plan->status;
    QByteArray previous;
    QByteArray fresh;
    if (!call.read(set, status, previous, fresh))
        return ExitDeviceFailed;
    keepReading(ReadingHistory::remoteDevice(plan->dial), plan->model, set);
    if (!options.outputFile.isEmpty() && !saveSettings(options.outputFile, set))
        return ExitDeviceFailed;
    if (options.command == QLatin1String("remote-compare"))
        printComparison(previous, fresh, plan->model, options.json);
    else
        std::fprintf(stderr, "read the remote communicator's parameters into %s\n", qPrintable(options.outputFile));
    return ExitDone;
}
